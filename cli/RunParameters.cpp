#include "RunParameters.h"

#include "simulation/Startup.h"

#include <iostream>

namespace penumbro::cli {

void applyAssignments(TSimParameter& p, const std::vector<std::string>& assignments) {
    for (const std::string& assignment : assignments) {
        const auto eq = assignment.find('=');
        if (eq == std::string::npos || eq == 0)
            throw UsageError{"--set: expected KEY=VALUE, got " + assignment};
        setSimParameter(p, assignment.substr(0, eq), assignment.substr(eq + 1));
    }
}

TSimParameter runParameters(const Options& opts) {
    TSimParameter p;
    if (opts.has("kon")) {
        p = readKonFile(opts.value("kon"));
    } else {
        const StartupParameters start = readStartupParameters(programDirectory());
        p = start.params;
        if (!start.warning.empty()) std::cerr << "penumbro-cli: " << toTerminal(start.warning) << "\n";
    }
    applyAssignments(p, opts.values("set"));
    return p;
}

ShadingMethod shadingMethodOption(const Options& opts) {
    const std::string method = opts.has("method") ? opts.value("method") : "raster";
    if (method != "raster" && method != "exact") throw UsageError{"--method takes raster or exact"};
    return method == "exact" ? ShadingMethod::Exact : ShadingMethod::Raster;
}

}  // namespace penumbro::cli
