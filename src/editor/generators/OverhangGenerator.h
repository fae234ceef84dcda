#pragma once
// Overhangs: plain surfaces described in the u-v frame of a target surface, turned
// about their own first corner by an azimuth and an elevation difference and carried
// into the site frame by the target's placement. The name line "$#" + target object
// number + name ties an overhang to its target.

#include "editor/generators/GeneratorFormat.h"
#include "editor/generators/Placement.h"
#include "project/ProjectText.h"

#include <string>
#include <vector>

namespace penumbro {

struct Overhang {
    std::string name;      // as typed; never starts with a digit
    int targetNumber = 0;  // 1-based object number of the target
    std::vector<UV> corners;  // in the target's u-v frame, 3 to 12
    double azimuthDifference = 0;    // degrees, 0..360
    double elevationDifference = 0;  // degrees, -180..180
    // The corner (u, v) last entered in the u-v rectangle form; kept in the
    // placement line for information only.
    double formU = 0;
    double formV = 0;
};

// "$#" + target number + name.
std::string overhangNameLine(int targetNumber, const std::string& name);

// The target number of an overhang name line, or -1 when the line has no "$#" prefix
// followed by digits.
int overhangTargetNumber(const std::string& nameLine);

// Site-frame vertices of the overhang hung on a target standing at `target`.
std::vector<Vec3> placeOverhang(const Overhang& overhang, const Placement& target);

// True when the overhang lies wholly behind its target's plane (no corner in front of
// it, one at least behind): the sun never lights the target through it, so it can
// never shade it. The target's placement plays no part: it turns both alike.
bool overhangBehindTarget(const Overhang& overhang);

// The surface block of the overhang: name line, corner count, local lines, the
// placement line "# da  de  u  v  0.000", the vertex lines. One surface.
Lines generateOverhang(const Overhang& overhang, const Placement& target);

// An overhang read back for a change from its lines at lines[nameLine] (the "$#"
// number becomes targetNumber). Throws InputError naming the line.
Overhang readOverhang(const Lines& lines, std::size_t nameLine);

}  // namespace penumbro
