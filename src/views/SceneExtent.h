#pragma once
// The scene extent shared by the VRML world and the 3D preview: worked out from the
// project text (not the compiled model), so both views scale their ground, horizon and
// viewpoints alike.

#include "project/ProjectFormat.h"

namespace penumbro {

struct SceneExtent {
    // E: the largest absolute x, y or z of any surface vertex (horizon lines excluded),
    // never below 1.0. Same unit as the project's coordinates.
    double size = 1.0;
    // False when the surface count is 0.
    bool hasObjects = false;
};

// The extent of a scanned text.
SceneExtent SzenenAusdehnung(const ProjectScan& scan);

}  // namespace penumbro
