#pragma once
// The faces of a model as its reader hands them on: rings of points in the project's
// axes (x east, y north, z up) and metres, still in the model's own origin.

#include "engine/Vec3.h"

#include <optional>
#include <string>
#include <vector>

namespace penumbro {

enum class FaceKind { Wall, Roof, Ground, Other, Unknown };

struct RawFace {
    std::vector<Vec3> ring;  // outer ring, counter-clockwise seen from outside, not closed
    FaceKind kind = FaceKind::Unknown;  // Unknown: told from the face's tilt
};

// One building of a city model or one mesh of another model. Mesh faces are
// triangles whose shared corners are the same points, so adjacent coplanar ones
// can be merged back into polygons.
struct RawGroup {
    std::string name;  // building id or mesh name, UTF-8; may be empty
    bool mesh = false;
    std::vector<RawFace> faces;
};

struct RawModel {
    std::vector<RawGroup> groups;
    std::optional<Vec3> low;  // a city model's envelope, when it gives one
    std::optional<Vec3> high;
    bool cityModel = false;
};

// The readers. Both throw InputError naming `name` when the bytes do not read as a
// model of their kind. Points come out turned (z-up or y-up as zUp says) and scaled.
// lod: 1 or 2 picks that level of detail, 0 each building's highest.
RawModel readCityGml(const std::string& bytes, const std::string& name, double scale, int lod);
// A mesh model from its file (glTF and OBJ may refer to further files beside it).
RawModel readMeshFile(const std::string& path, bool zUp, double scale);
// The same from bytes; extension ("obj", "glb", ...) tells the format.
RawModel readMeshBytes(const std::string& bytes, const std::string& extension, const std::string& name, bool zUp,
                       double scale);

}  // namespace penumbro
