#pragma once
// What every program start reads before its first run: the folder that keeps
// penumbro.ini and standard.kon, and the run parameters from that standard.kon.
// The desktop program and the command line share it.

#include "formats/KonFile.h"

#include <string>

namespace penumbro {

struct StartupParameters {
    std::string configDir;  // with a trailing '/', see configDirectoryForProgram
    TSimParameter params;   // the start values, or standard.kon's when it exists
    std::string warning;    // why a standard.kon present could not be read; "" when none
};

// programDir: the executable's folder.
StartupParameters readStartupParameters(const std::string& programDir);

}  // namespace penumbro
