// penumbro-cli irradiation: the year's irradiation on the target from a weather file,
// with and without the project's shading.

#include "Cli.h"
#include "EndingSignals.h"
#include "RunParameters.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"
#include "simulation/Irradiation.h"

#include <iostream>

#include <unistd.h>

namespace penumbro::cli {

namespace {

int irradiation(const Options& opts, const EndingSignals& signals) {
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
    const std::string weatherPath = opts.value("weather");
    const WeatherFile weather = readWeatherFile(weatherPath);
    for (const ErrorMessage& w : weather.warnings)
        std::cerr << toTerminal(weatherPath + ": " + w.render(messageLanguage())) << "\n";
    const LoadedProject project = loadProjectFile(path);
    printLoadNotes(path, project);
    request.text = project.lines;
    request.projectFile = path;

    // A one-line bar on stderr while the year is computed, as for "run"; a signal
    // stops the year at the next day.
    const bool bar = ::isatty(2) != 0;
    request.newDay = [&](int day) {
        signals.check();
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
    for (const std::string& w : r.warnings) std::cerr << toTerminal(weatherPath) << ": warning: " << w << "\n";

    signals.check();
    writeFileAtomically(base + "_irradiation.csv", irradiationCsv(r));
    std::string out = "irradiation file: " + toTerminal(base) + "_irradiation.csv\n";
    if (request.keepHours) {
        signals.check();
        writeFileAtomically(base + "_irradiation_hourly.csv", irradiationHourlyCsv(r));
        out += "hourly file: " + toTerminal(base) + "_irradiation_hourly.csv\n";
    }
    signals.check();
    std::cout << out << irradiationTable(r);
    return kExitOk;
}

}  // namespace

int runIrradiation(const Args& args) {
    const Options opts(args, {.values = {"weather", "kon", "out", "method", "sky-model"},
                              .flags = {"hourly"},
                              .repeatable = {"set"}});
    if (opts.positional().size() != 1) throw UsageError{"expected one project file"};
    if (!opts.has("weather")) throw UsageError{"--weather FILE.epw is required"};
    return withEndingSignals([&](const EndingSignals& signals) { return irradiation(opts, signals); });
}

}  // namespace penumbro::cli
