// Model file -> polygon objects. The first byte picks the format (c CityGML, o OBJ,
// s STL, d Collada, g glTF, anything else OBJ), the rest is the file. Whatever is
// imported must read back as a project whose surfaces a run can hold.

#include "editor/ObjectTable.h"
#include "import/ModelImport.h"
#include "project/ProjectFormat.h"

#include "FuzzSupport.h"

#include <cstdio>
#include <fstream>

#include <unistd.h>

// The CityGML library drops the model it was building when its XML parser throws on a
// damaged file, and assimp leaks a little on some damaged meshes, without freeing
// either; those are the libraries' leaks, not the import's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libcitygml.so\nleak:libxerces-c-3.2.so\nleak:libassimp.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const char* extension = "obj";
    switch (data[0]) {
        case 'c': extension = "gml"; break;
        case 's': extension = "stl"; break;
        case 'd': extension = "dae"; break;
        case 'g': extension = "gltf"; break;
        default: break;
    }
    const std::string path = "/tmp/penumbro-fuzz-" + std::to_string(::getpid()) + "." + extension;
    std::ofstream(path, std::ios::binary) << fuzz::textOf(data + 1, size - 1);
    fuzz::refusalAllowed([&] {
        ImportOptions options;
        options.radius = 1e6;  // a model far off is refused, not written
        const ImportResult result = importModel(newProjectLines(), path, options);
        const ProjectScan scan = scanSoundProject(result.text, path);
        fuzz::require(scan.surfaceCount == result.summary.polygons && scan.surfaceCount <= kMaxSurfaces);
        for (const SurfaceRecord& s : scan.surfaces) fuzz::require(s.vertices.size() >= 3 && s.vertices.size() <= 8);
        fuzz::require(ListeAufbauen(result.text).targetCount == 0);
    });
    std::remove(path.c_str());
    return 0;
}
