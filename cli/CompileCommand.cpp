#include "Cli.h"
namespace penumbro::cli {
int runCompile(const Args&) { throw UsageError{"not yet built"}; }
}  // namespace penumbro::cli
