// penumbro-cli vrml: the VRML world of a project.

#include "Cli.h"

#include "project/FileIo.h"
#include "project/ProjectFile.h"
#include "views/VrmlTexts.h"
#include "views/VrmlWriter.h"

#include <iostream>

namespace penumbro::cli {

int runVrml(const Args& args) {
    // "-o FILE" is taken out here; the rest goes through the common option reader.
    Args rest;
    std::string output;
    bool haveOutput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" || args[i] == "--output") {
            if (i + 1 >= args.size()) throw UsageError{"-o needs a file name"};
            if (haveOutput) throw UsageError{"-o given twice"};
            output = args[++i];
            haveOutput = true;
        } else if (args[i].rfind("--output=", 0) == 0) {
            if (haveOutput) throw UsageError{"-o given twice"};
            output = args[i].substr(9);
            haveOutput = true;
        } else {
            rest.push_back(args[i]);
        }
    }
    if (haveOutput && output.empty()) throw UsageError{"-o needs a file name"};
    Options opts(rest, {"lang"});
    if (opts.positional().size() != 1) throw UsageError{"expected one project file"};
    const std::string lang = opts.has("lang") ? opts.value("lang") : "d";
    if (lang != "d" && lang != "e") throw UsageError{"--lang takes d or e"};

    VrmlTexts texts = vrmlTexts(Language::German);
    VrmlTexteSetzen(texts, lang[0]);

    const std::string path = opts.positional()[0];
    const LoadedProject project = loadProjectFile(path);
    const std::string wrl = haveOutput ? output : withoutExtension(path) + ".wrl";
    writeVrmlFile(project.lines, wrl, texts, path);
    std::cout << wrl << "\n";
    return kExitOk;
}

}  // namespace penumbro::cli
