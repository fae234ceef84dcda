// penumbro-cli import: a city model or 3D model's faces appended as polygon objects.

#include "Cli.h"
#include "EndingSignals.h"
#include "EditSupport.h"

#include "import/ModelImport.h"
#include "project/ProjectFile.h"

#include <iostream>
#include <sstream>

// The CityGML library does not free the model it was building when its XML parser
// throws on a damaged file, and assimp leaks a little on some damaged meshes; a build
// with the leak sanitizer must not end a refused import with the libraries' leaks.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libcitygml.so\nleak:libxerces-c-3.2.so\nleak:libassimp.so\n";
}

namespace penumbro::cli {

namespace {

ImportOptions importOptions(const Options& opts) {
    ImportOptions o;
    if (opts.has("format")) {
        const auto format = modelFormatNamed(opts.value("format"));
        if (!format) throw UsageError{"--format takes auto, citygml, obj, gltf, dae, stl or 3ds"};
        o.format = *format;
    }
    if (opts.has("origin")) {
        std::vector<double> v;
        std::stringstream parts(opts.value("origin"));
        for (std::string part; std::getline(parts, part, ',');) v.push_back(numberOption("origin", part));
        if (v.size() != 3) throw UsageError{"--origin takes E,N,H"};
        o.origin = Vec3{v[0], v[1], v[2]};
    }
    if (opts.has("up")) {
        const std::string up = opts.value("up");
        if (up != "y" && up != "z") throw UsageError{"--up takes y or z"};
        o.up = up == "y" ? UpAxis::Y : UpAxis::Z;
    }
    if (opts.has("scale")) {
        o.scale = numberOption("scale", opts.value("scale"));
        if (!(o.scale > 0)) throw UsageError{"--scale must be above 0"};
    }
    if (opts.has("radius")) {
        o.radius = numberOption("radius", opts.value("radius"));
        if (!(*o.radius > 0)) throw UsageError{"--radius must be above 0"};
    }
    if (opts.has("lod")) {
        const std::string lod = opts.value("lod");
        if (lod != "1" && lod != "2") throw UsageError{"--lod takes 1 or 2"};
        o.lod = lod == "1" ? 1 : 2;
    }
    return o;
}

}  // namespace

int runImport(const Args& args) {
    const Options opts(args, {.values = {"format", "origin", "up", "scale", "radius", "lod"}});
    if (opts.positional().size() != 2) throw UsageError{"expected a project file and a model file"};
    const std::string path = projectPathArgument(opts.positional());
    const std::string model = opts.positional()[1];
    const ImportOptions options = importOptions(opts);
    // A signal during the import leaves the project as it was; once the new text is
    // being written, the write completes first.
    return withEndingSignals([&](const EndingSignals& signals) {
        ImportSummary summary;
        editProjectFile(path, [&](const Lines& text) {
            ImportResult result = importModel(text, model, options);
            signals.check();
            summary = result.summary;
            return std::move(result.text);
        });
        std::cout << toTerminal(importSummaryText(summary, messageLanguage()));
        return kExitOk;
    });
}

int runExportScene(const Args& args) {
    const Options opts(args, {.values = {"out"}});
    if (opts.positional().size() != 1) throw UsageError{"expected one project file"};
    const std::string path = opts.positional()[0];
    if (!opts.has("out")) throw UsageError{"-o FILE.gltf or FILE.glb is missing"};
    const std::string scene = opts.outputPath("");
    return withEndingSignals([&](const EndingSignals&) {
        const LoadedProject project = loadProjectFile(path);
        printLoadNotes(path, project);
        exportSceneGltf(project.lines, path, scene);
        std::cout << toTerminal(scene) << "\n";
        return kExitOk;
    });
}

}  // namespace penumbro::cli
