#include "Cli.h"
namespace penumbro::cli {
int runSun(const Args&) { throw UsageError{"not yet built"}; }
}  // namespace penumbro::cli
