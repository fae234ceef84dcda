#pragma once
// The named viewpoints of the VRML world: nine fixed views scaled by the scene
// extent, and one per target surface standing at its centre and looking out along
// its normal. VRML axes: X east, Y up, Z south; the player's default view looks
// along -Z (north).

#include "project/ProjectText.h"
#include "views/VrmlTexts.h"

#include <string>
#include <string_view>

namespace penumbro {

struct VrmlRotation {
    double achse[3] = {0, 0, 0};  // rotation axis, not normalised
    double winkel = 0;            // radians, 0..pi
};

// The rotation that turns the default view direction (0, 0, -1) onto the normal of a
// surface with azimuth a (degrees from north through east) and elevation e (degrees,
// 0 vertical, +90 facing the sky). A normal parallel to the default direction gets the
// axis (x, 1, 0) with its tiny x kept.
VrmlRotation targetRotation(double azimutGrad, double elevationGrad);

// A Windows-1252 surface name as VRML string content: umlauts spelled out
// (ä -> ae, ß -> ss, ...), other characters as UTF-8, '"' and '\' escaped.
std::string umlauteUmschreiben(std::string_view name);

// Appends the nine fixed viewpoints for the scene extent E.
void festeViewpointsSchreiben(std::string& out, double ausdehnung, const VrmlTexte& texte);

// Appends one viewpoint per "Target" line of the text, in text order. fileName is
// used in messages only; throws InputError naming the line for a vertex count that
// is not an integer or a surface cut short by the end of the text.
void targetViewpointsSchreiben(std::string& out, const Lines& text, const VrmlTexte& texte,
                               const std::string& fileName);

}  // namespace penumbro
