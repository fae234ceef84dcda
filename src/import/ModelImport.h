#pragma once
// Importing the surroundings from a city model (CityGML) or a 3D model (OBJ, glTF,
// Collada, STL, 3DS) as editable polygon objects. Every planar face becomes one
// plain surface with its u-v corners and placement, so it opens, changes and
// deletes like a typed one; nothing imported is a target.

#include "engine/Vec3.h"
#include "project/Language.h"
#include "project/ProjectText.h"

#include <optional>
#include <string>

namespace penumbro {

enum class ModelFormat { Auto, CityGml, Obj, Gltf, Dae, Stl, Max3ds };
enum class UpAxis { Default, Y, Z };

// The format named on the command line ("auto", "citygml", "obj", "gltf", "dae",
// "stl", "3ds"); empty for any other word.
std::optional<ModelFormat> modelFormatNamed(const std::string& word);

struct ImportOptions {
    ModelFormat format = ModelFormat::Auto;
    // Model coordinates (east, north, height after the axes are turned and scaled)
    // of the project's origin. Without it: the centre of a city model's extent at its
    // lowest height, or the origin of any other model.
    std::optional<Vec3> origin;
    // Which model axis points up. Default: z for STL and 3DS, y for the others
    // (Collada files say theirs). City models are always east, north, height.
    UpAxis up = UpAxis::Default;
    // Metres per model unit, for files that do not say (Collada does).
    double scale = 1.0;
    // Keep only faces with a point within this horizontal distance of the origin.
    std::optional<double> radius;
    // City models: the level of detail to take (1 or 2); 0 takes each building's highest.
    int lod = 0;
};

struct ImportSummary {
    int buildings = 0;  // buildings (city model) or meshes (other formats) with faces kept
    int faces = 0;      // faces read within the radius
    int polygons = 0;   // surfaces written after merging and splitting
    int dropped = 0;    // degenerate faces left out
    int outside = 0;    // faces beyond the radius
    Vec3 low, high;     // extent of the written surfaces, project coordinates
};

struct ImportResult {
    Lines text;  // the project text with the surfaces appended
    ImportSummary summary;
};

// Reads the model and appends its faces to the project text. Throws InputError naming
// the model file (and the line where the reader gives one) for an unreadable,
// truncated or malformed model or an unknown format, when no face lies within the
// radius, and when the text would hold more than 10000 surfaces; the text is then
// not changed. modelPath is a path in the system's own encoding.
ImportResult importModel(const Lines& text, const std::string& modelPath, const ImportOptions& options);

// The summary as lines for the terminal or the import dialog (Windows-1252).
std::string importSummaryText(const ImportSummary& summary, Language language);

// Writes the surfaces of the project as a glTF 2.0 scene (.gltf with its .bin, or
// .glb), in the colours of the VRML world, axes as glTF has them (+Y up, north -Z).
// The file is written through a temporary file. Throws InputError naming the project
// file or the scene file.
void exportSceneGltf(const Lines& text, const std::string& projectName, const std::string& scenePath);

}  // namespace penumbro
