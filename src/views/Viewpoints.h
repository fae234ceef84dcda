#pragma once
// The named viewpoints of the VRML world: nine fixed views scaled by the scene
// extent, and one per target surface standing at its centre and looking out along
// its normal. VRML axes: X east, Y up, Z south; the player's default view looks
// along -Z (north).

#include "project/ProjectText.h"
#include "views/ViewScene.h"
#include "views/VrmlTexts.h"

#include <string>
#include <string_view>

namespace penumbro {

struct VrmlRotation {
    double axis[3] = {0, 0, 0};  // not normalised
    double angle = 0;            // radians, 0..pi
};

// The rotation that turns the default view direction (0, 0, -1) onto the normal of a
// surface with the given azimuth (degrees from north through east) and elevation
// (degrees, 0 vertical, +90 facing the sky). A normal parallel to the default
// direction gets the axis (x, 1, 0) with its tiny x kept.
VrmlRotation targetRotation(double azimuth, double elevation);

// A Windows-1252 surface name as VRML string content: umlauts spelled out
// (ä -> ae, ß -> ss, ...), other characters as UTF-8, '"' and '\' escaped.
std::string spellOutUmlauts(std::string_view name);

// Appends the nine fixed viewpoints for the scene extent E.
void writeFixedViewpoints(std::string& out, double extent, const VrmlTexts& texts);

// Appends one viewpoint per target surface with vertices, in text order.
void writeTargetViewpoints(std::string& out, const Lines& text, const ViewScene& scene,
                           const VrmlTexts& texts);

}  // namespace penumbro
