// penumbro-cli sunpath: the sun-path diagram with the first target's shading mask.

#include "Cli.h"
#include "RunParameters.h"

#include "project/FileIo.h"
#include "project/ProjectFile.h"
#include "project/SharedTexts.h"
#include "simulation/SunPath.h"

#include <iostream>

namespace penumbro::cli {

int runSunPath(const Args& args) {
    const Options opts(args, {.values = {"out", "lang", "kon", "method"}, .repeatable = {"set"}});
    if (opts.positional().size() != 1) throw UsageError{"expected one project file"};
    if (!opts.has("out")) throw UsageError{"-o FILE.svg is required"};
    const std::string out = opts.outputPath("");
    const Language lang = languageOption(opts);
    const ShadingMethod method = shadingMethodOption(opts);
    TSimParameter p = runParameters(opts);
    const std::string path = opts.positional()[0];
    const LoadedProject project = loadProjectFile(path);
    printLoadNotes(path, project);
    const SunPathDiagram d = sunPathDiagram(project.lines, path, p, method);
    writeFileAtomically(out, sunPathSvg(d, lang));
    std::cout << "sun-path diagram: " << toTerminal(out) << "\n";
    return kExitOk;
}

}  // namespace penumbro::cli
