// penumbro-cli compile: the compiled model as the engine sees it.

#include "Cli.h"

#include "engine/Compiler.h"
#include "project/ProjectFile.h"
#include "project/Numbers.h"

#include <iostream>
#include <numbers>

namespace penumbro::cli {

namespace {
std::string degrees(double radians) { return formatFixed(radians * 180.0 / std::numbers::pi, 0, 4); }
}  // namespace

int runCompile(const Args& args) {
    const Options opts(args, {});
    if (opts.positional().size() != 1) throw UsageError{"expected one project file"};
    const std::string path = opts.positional()[0];
    const LoadedProject project = loadProjectFile(path);
    printLoadNotes(path, project);
    const CompiledModel model = compileProject(project.lines, path);

    std::string out;
    out += "surfaces=" + std::to_string(model.flaechen.size()) + "\n";
    for (std::size_t i = 0; i < model.flaechen.size(); ++i) {
        const TFlaeche& s = model.flaechen[i];
        out += "slot " + std::to_string(i + 1) + ": name=\"" + toTerminal(s.name) + "\" target=" +
               (s.istTarget ? "1" : "0") + " azimuth=" + degrees(s.alpha) +
               " elevation=" + degrees(s.beta) + " vertices=" + std::to_string(s.n) + "\n";
        for (int k = 0; k < s.n; ++k) {
            const Vec3& p = s.v[static_cast<std::size_t>(k)];
            out += "  " + formatFixed(p.x, 0, 6) + " " + formatFixed(p.y, 0, 6) + " " +
                   formatFixed(p.z, 0, 6) + "\n";
        }
    }
    out += "foliage=";
    if (model.hasFoliage) {
        for (int m = 0; m < 12; ++m) out += (m ? "," : "") + std::to_string(model.foliage[static_cast<std::size_t>(m)]);
    } else {
        out += "none";
    }
    out += "\nhorizon=" + std::to_string(model.horizon.size()) + "\n";
    for (const auto& h : model.horizon)
        out += "  " + formatFixed(h.from, 0, 4) + "-" + formatFixed(h.to, 0, 4) + "=" +
               formatFixed(h.height, 0, 4) + "\n";
    out += "site latitude=" + formatFixed(model.site.latitude, 0, 4) +
           " longitude=" + formatFixed(model.site.longitude, 0, 4) +
           " correction=" + formatFixed(model.site.correction, 0, 4) + "\n";
    out += "reflectance=";
    for (int m = 0; m < 12; ++m) out += (m ? "," : "") + std::to_string(model.reflectance[static_cast<std::size_t>(m)]);
    out += "\n";
    std::cout << out;
    return kExitOk;
}

}  // namespace penumbro::cli
