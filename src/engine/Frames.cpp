#include "engine/Frames.h"
