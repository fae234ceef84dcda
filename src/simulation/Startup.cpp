#include "simulation/Startup.h"

#include "project/ConfigPaths.h"

namespace penumbro {

StartupParameters readStartupParameters(const std::string& programDir) {
    StartupParameters s;
    s.configDir = configDirectoryForProgram(programDir);
    s.params = startupParameters(s.configDir, &s.warning);
    return s;
}

}  // namespace penumbro
