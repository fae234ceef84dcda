// penumbro-cli run: a fast run, as the fast-run window's start button runs it.

#include "Cli.h"
#include "EndingSignals.h"
#include "RunParameters.h"

#include "project/FileIo.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"
#include "project/SharedTexts.h"
#include "simulation/RunSession.h"

#include <chrono>
#include <iostream>

#include <unistd.h>

namespace penumbro::cli {

namespace {

// A one-line bar on stderr, redrawn when the day changes.
class ProgressBar {
public:
    explicit ProgressBar(bool enabled) : enabled_(enabled) {}
    void show(int day, long instants) {
        if (!enabled_) return;
        ++days_;
        const int width = 30;
        const int filled = std::min(width, days_ * width / 365);
        std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
                  << std::string(static_cast<std::size_t>(width - filled), ' ') << "] day "
                  << formatInt(day, 3) << "  " << formatInt(instants, 7) << " instants" << std::flush;
    }
    void diffuse(bool running) {
        if (enabled_ && running) std::cerr << "\rComputing the diffuse factors ..." << std::flush;
    }
    void finish() {
        if (enabled_) std::cerr << "\r" << std::string(60, ' ') << "\r" << std::flush;
    }

private:
    bool enabled_;
    int days_ = 0;
};

}  // namespace

int runRun(const Args& args) {
    const Options opts(
        args, {.values = {"kon", "out", "method"}, .flags = {"comma"}, .repeatable = {"set"}});
    if (opts.positional().size() != 1) throw UsageError{"expected one project file"};
    const std::string path = opts.positional()[0];
    RunRequest request;
    request.settings.method = shadingMethodOption(opts);
    request.params = runParameters(opts);
    const LoadedProject project = loadProjectFile(path);
    printLoadNotes(path, project);
    request.text = project.lines;
    request.projectFile = path;
    RunSettings& settings = request.settings;
    settings.baseName = opts.outputPath(withoutExtension(path));
    settings.decimalComma = opts.has("comma");
    settings.language = Language::English;

    ProgressBar bar(::isatty(2) != 0);
    RunEvents events;
    events.newDay = [&](int day, long instants) { bar.show(day, instants); };
    events.diffuse = [&](bool running) { bar.diffuse(running); };
    const EndingSignals endingSignals;

    const auto start = std::chrono::steady_clock::now();
    RunResult r;
    try {
        r = runSession(request, events, endingSignals.flag());
    } catch (...) {
        bar.finish();
        throw;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    bar.finish();

    std::string out;
    if (r.cancelled) out += toTerminal(cancelledRunNote(settings.baseName, r).render(messageLanguage())) + "\n";
    out += "report file: " + toTerminal(settings.baseName) + ".rep\n";
    out += "mean-value file: " + toTerminal(settings.baseName) + ".mit\n";
    out += "instants simulated: " + std::to_string(r.instants) + "\n";
    out += "instants with the sun on the target: " + std::to_string(r.sunOnTarget) + "\n";
    out += "wall time: " + formatFixed(seconds, 0, 3) + " s\n";
    out += "mean shading while the sun is on the target, by month:\n";
    const auto& names = monthNames(Language::English);
    // The month's name in a column of 11.
    auto monthColumn = [&](std::size_t m) {
        const std::string name = names[m];
        return "  " + name + std::string(11 - name.size(), ' ');
    };
    for (std::size_t m = 0; m < 12; ++m) {
        const MonthStats& s = r.months[m];
        if (s.instants == 0) continue;
        out += monthColumn(m);
        out += s.sunOnTarget > 0 ? formatFixed(s.shadingSum / static_cast<double>(s.sunOnTarget), 0, 4)
                                 : std::string("-");
        out += "  (" + std::to_string(s.sunOnTarget) + " of " + std::to_string(s.instants) + " instants)\n";
    }
    if (r.diffuse) {
        out += "diffuse factors, by month:\n";
        for (std::size_t m = 0; m < 12; ++m) {
            if (!r.diffuseFactors[m]) continue;
            out += monthColumn(m) + "sky " + formatFixed(r.diffuseFactors[m]->sky, 0, 3) + "  ground " +
                   formatFixed(r.diffuseFactors[m]->ground, 0, 3) + "\n";
        }
    }
    std::cout << out;
    return r.cancelled ? 128 + endingSignals.caught() : kExitOk;
}

}  // namespace penumbro::cli
