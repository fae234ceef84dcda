// penumbro-cli instant: one instant exactly as a fast run computes it.

#include "Cli.h"
#include "RunParameters.h"

#include "engine/Augenblick.h"
#include "project/Calendar.h"
#include "engine/Sun.h"
#include "project/FileIo.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"
#include "formats/BmpFile.h"
#include "simulation/Simulation.h"

#include <iostream>

namespace penumbro::cli {

// "HH:MM" with 0 <= HH <= 23 and 0 <= MM <= 59.
std::pair<int, int> parseClockTime(const std::string& text) {
    const auto colon = text.find(':');
    if (colon == std::string::npos) throw UsageError{"--time: expected HH:MM, got " + text};
    auto h = parseInteger(text.substr(0, colon));
    auto m = parseInteger(text.substr(colon + 1));
    if (!h || !m || *h < 0 || *h > 23 || *m < 0 || *m > 59)
        throw UsageError{"--time: expected HH:MM (00:00 to 23:59), got " + text};
    return {static_cast<int>(*h), static_cast<int>(*m)};
}

int runInstant(const Args& args) {
    const Options opts(
        args, {.values = {"day", "time", "kon", "picture", "method"}, .flags = {"online"}, .repeatable = {"set"}});
    if (opts.positional().size() != 1) throw UsageError{"expected one project file"};
    if (!opts.has("day") || !opts.has("time")) throw UsageError{"--day and --time are required"};
    const ShadingMethod method = shadingMethodOption(opts);
    // The picture is the raster's; exact areas draw none.
    if (method == ShadingMethod::Exact && opts.has("picture"))
        throw UsageError{"--picture draws the raster: not with --method exact"};
    // The online view's window and resolution belong to the raster too.
    const bool online = opts.has("online");
    if (method == ShadingMethod::Exact && online) throw UsageError{"--online draws the raster: not with --method exact"};
    const long long day = integerOption("day", opts.value("day"));
    if (day < 1 || day > 365) throw UsageError{"--day must lie in 1..365"};
    const auto [hour, minute] = parseClockTime(opts.value("time"));

    const std::string path = opts.positional()[0];
    TSimParameter p = runParameters(opts);
    const LoadedProject project = loadProjectFile(path);
    printLoadNotes(path, project);
    const DrawingWindowKind window = online ? DrawingWindowKind::Online : DrawingWindowKind::FastRun;
    if (online) p.onlineResolution = 1;
    const CompiledModel model = prepareRun(project.lines, path, p, Language::English, method, window);

    ShadingRaster raster;
    raster.reset(window);
    const int d = static_cast<int>(day);
    const float clock = static_cast<float>(minute) / 60.0f + static_cast<float>(hour);
    InstantResult r;
    if (method == ShadingMethod::Exact) {
        ExactShading exact;
        const SunPosition sun = Sonnenstand(kSimulationYear, d, clock, model.site.latitude,
                                            model.site.longitude, model.site.correction);
        r = instantForSunExact(model, exact, sun, monthOfDay(d));
    } else {
        r = Augenblick(model, raster, d, clock, monthOfDay(d), online ? p.onlineResolution : p.resolution);
    }

    if (opts.has("picture")) {
        if (!r.sunOnTarget) raster.prepare(model);  // the targets alone
        writeFileAtomically(opts.value("picture"),
                            encodeBmp24(raster.pixels(), ShadingRaster::kWidth, ShadingRaster::kHeight));
    }
    auto twoDigits = [](int v) { return std::string(v < 10 ? "0" : "") + std::to_string(v); };
    std::cout << "day=" << d << " time=" << twoDigits(hour) << ":" << twoDigits(minute) << " azimuth=" << formatFixed(r.azimuthDeg, 0, 4)
              << " elevation=" << formatFixed(r.elevationDeg, 0, 4) << " result=" << formatFixed(r.ergebnis, 0, 6)
              << "\n";
    return kExitOk;
}

}  // namespace penumbro::cli
