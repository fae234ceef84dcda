#pragma once
// The rectangle panel ("Generiere Rechteck"): its field texts, their check and the
// surface block they make.

#include "editor/panels/PanelCheck.h"
#include "editor/generators/PolygonGenerator.h"

#include <optional>
#include <string>

namespace penumbro {

struct RectanglePanel {
    std::string name;              // Edit1
    bool target = false;           // CheckBox1
    std::string lu, lv;            // Edit2, Edit3: side lengths, > 0
    std::string u0, v0;            // Edit4, Edit5: lower-left corner
    std::string azimuth = "0";     // Edit6: 0..360
    std::string elevation = "0";   // Edit7: -90..90
    std::string x, y, z;           // Edit8..Edit10: Aufpunkt

    PanelCheck check(Language lang) const;

    // The surface the fields describe; throws InputError naming the first bad field.
    PlainSurface surface(Language lang) const;
    // Its lines (one surface).
    Lines generate(Language lang) const;
};

}  // namespace penumbro
