// penumbro-cli vrml: the VRML world of a project.

#include "Cli.h"

#include "project/FileIo.h"
#include "project/ProjectFile.h"
#include "views/VrmlTexts.h"
#include "views/VrmlWriter.h"

#include <iostream>

namespace penumbro::cli {

int runVrml(const Args& args) {
    const Options opts(args, {.values = {"lang", "out"}});
    if (opts.positional().size() != 1) throw UsageError{"expected one project file"};
    const VrmlTexts texts = vrmlTexts(languageOption(opts));
    const std::string path = opts.positional()[0];
    const std::string wrl = opts.outputPath(withoutExtension(path) + ".wrl");
    const LoadedProject project = loadProjectFile(path);
    printLoadNotes(path, project);
    writeVrmlFile(project.lines, wrl, texts, path);
    std::cout << wrl << "\n";
    return kExitOk;
}

}  // namespace penumbro::cli
