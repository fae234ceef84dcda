// penumbro-cli irradiation: the year's irradiation on the target from a weather file,
// with and without the project's shading.

#include "Cli.h"
#include "RunParameters.h"

#include "project/FileIo.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"
#include "project/SharedTexts.h"
#include "simulation/Irradiation.h"

#include <iostream>

#include <unistd.h>

namespace penumbro::cli {

int runIrradiation(const Args& args) {
    const Options opts(args, {.values = {"weather", "kon", "out", "method", "sky-model"},
                              .flags = {"hourly"},
                              .repeatable = {"set"}});
    if (opts.positional().size() != 1) throw UsageError{"expected one project file"};
    if (!opts.has("weather")) throw UsageError{"--weather FILE.epw is required"};
    const std::string path = opts.positional()[0];
    IrradiationRequest request;
    request.method = shadingMethodOption(opts);
    request.params = runParameters(opts);
    request.keepHours = opts.has("hourly");
    if (opts.has("sky-model")) {
        const auto model = skyModelFromName(opts.value("sky-model"));
        if (!model) throw UsageError{"--sky-model takes isotropic or perez"};
        request.skyModel = *model;
    }
    const std::string base = opts.outputPath(withoutExtension(path));
    const WeatherFile weather = readWeatherFile(opts.value("weather"));
    const LoadedProject project = loadProjectFile(path);
    if (project.converted) std::cerr << toTerminal(path) << ": " << kPreviousVersionNote << "\n";
    request.text = project.lines;
    request.projectFile = path;

    // A one-line bar on stderr while the year is computed, as for "run".
    const bool bar = ::isatty(2) != 0;
    request.newDay = [&](int day) {
        if (!bar || day % 5 != 1) return;
        const int filled = day * 30 / 365;
        std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
                  << std::string(static_cast<std::size_t>(30 - filled), ' ') << "] day " << formatInt(day, 3)
                  << std::flush;
    };
    IrradiationResult r;
    try {
        r = computeIrradiation(request, weather);
    } catch (...) {
        if (bar) std::cerr << "\r" << std::string(60, ' ') << "\r" << std::flush;
        throw;
    }
    if (bar) std::cerr << "\r" << std::string(60, ' ') << "\r" << std::flush;
    for (const std::string& w : r.warnings) std::cerr << toTerminal(opts.value("weather")) << ": warning: " << w << "\n";

    writeFileAtomically(base + "_irradiation.csv", irradiationCsv(r));
    std::string out = "irradiation file: " + toTerminal(base) + "_irradiation.csv\n";
    if (request.keepHours) {
        writeFileAtomically(base + "_irradiation_hourly.csv", irradiationHourlyCsv(r));
        out += "hourly file: " + toTerminal(base) + "_irradiation_hourly.csv\n";
    }
    std::cout << out << irradiationTable(r);
    return kExitOk;
}

}  // namespace penumbro::cli
