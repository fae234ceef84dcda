#include "Cli.h"
namespace penumbro::cli {
int runKon(const Args&) { throw UsageError{"not yet built"}; }
}  // namespace penumbro::cli
