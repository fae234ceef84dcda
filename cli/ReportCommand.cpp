// penumbro-cli report: the shading report as one HTML page.

#include "Cli.h"
#include "EndingSignals.h"
#include "RunParameters.h"

#include "project/FileIo.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"
#include "project/SharedTexts.h"
#include "views/Report.h"

#include <iostream>
#include <optional>

#include <unistd.h>

namespace penumbro::cli {

namespace {

int report(const Options& opts, const EndingSignals& signals) {
    const std::string out = opts.outputPath("");
    const Language lang = languageOption(opts);
    const std::string path = opts.positional()[0];
    ReportRequest request;
    request.method = shadingMethodOption(opts);
    request.params = runParameters(opts);
    if (opts.has("sky-model")) {
        const auto model = skyModelFromName(opts.value("sky-model"));
        if (!model) throw UsageError{"--sky-model takes isotropic or perez"};
        request.skyModel = *model;
    }
    std::optional<WeatherFile> weather;
    if (opts.has("weather")) {
        weather = readWeatherFile(opts.value("weather"));
        request.weather = &*weather;
        request.weatherFile = opts.value("weather");
        for (const ErrorMessage& w : weather->warnings)
            std::cerr << toTerminal(request.weatherFile + ": " + w.render(messageLanguage())) << "\n";
    }
    const LoadedProject project = loadProjectFile(path);
    printLoadNotes(path, project);
    request.text = project.lines;
    request.projectFile = path;
    request.createdAt = reportCreatedAt();

    // A one-line bar on stderr while the year is computed, as for "run"; a signal stops
    // the year at the next day.
    const bool bar = ::isatty(2) != 0;
    request.newDay = [&](int day) {
        signals.check();
        if (!bar) return;
        const int filled = std::min(30, day * 30 / 365);
        std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
                  << std::string(static_cast<std::size_t>(30 - filled), ' ') << "] day " << formatInt(day, 3)
                  << std::flush;
    };
    auto clearBar = [&] {
        if (bar) std::cerr << "\r" << std::string(60, ' ') << "\r" << std::flush;
    };
    ReportData data;
    try {
        data = computeReport(request);
    } catch (...) {
        clearBar();
        throw;
    }
    clearBar();
    if (data.irradiation)
        for (const std::string& w : data.irradiation->warnings)
            std::cerr << toTerminal(request.weatherFile) << ": warning: " << w << "\n";

    writeFileAtomically(out, reportHtml(data, lang));
    std::cout << "report: " << toTerminal(out) << "\n";
    return kExitOk;
}

}  // namespace

int runReport(const Args& args) {
    const Options opts(args, {.values = {"kon", "weather", "sky-model", "method", "lang", "out"},
                              .repeatable = {"set"}});
    if (opts.positional().size() != 1) throw UsageError{"expected one project file"};
    if (!opts.has("out")) throw UsageError{"-o REPORT.html is required"};
    return withEndingSignals([&](const EndingSignals& signals) { return report(opts, signals); });
}

}  // namespace penumbro::cli
