#pragma once
// Run parameters for the sub-commands that compute: --kon FILE, else standard.kon
// where the application keeps it (beside the program when that folder is writable,
// else the user's configuration folder), else the start values; then every --set
// KEY=VALUE in order.

#include "Cli.h"

#include "formats/KonFile.h"
#include "simulation/Simulation.h"

namespace penumbro::cli {

// Applies "KEY=VALUE" assignments; a malformed one is a UsageError, a bad key or value
// an InputError naming the key.
void applyAssignments(TSimParameter& p, const std::vector<std::string>& assignments);

// Reads --kon / standard.kon and applies --set (options "kon" and "set" of opts).
TSimParameter runParameters(const Options& opts);

// "--method raster|exact" (option "method"; raster when absent); anything else is a UsageError.
ShadingMethod shadingMethodOption(const Options& opts);

}  // namespace penumbro::cli
