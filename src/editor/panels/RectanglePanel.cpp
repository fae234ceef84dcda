#include "editor/panels/RectanglePanel.h"

namespace penumbro {

PanelCheck RectanglePanel::check(Language lang) const {
    PanelCheck c;
    requireSurfaceName(c, "name", name, lang);
    requirePositive(c, "lu", lu, lang);
    requirePositive(c, "lv", lv, lang);
    requireNumber(c, "u0", u0, lang);
    requireNumber(c, "v0", v0, lang);
    checkPlacementFields(c, *this, lang);
    return c;
}

PlainSurface RectanglePanel::surface(Language lang) const {
    requireOk(check(lang));
    PlainSurface s;
    s.name = name;
    s.target = target;
    s.corners = rectangleCorners(*fieldNumber(lu), *fieldNumber(lv), *fieldNumber(u0), *fieldNumber(v0));
    s.placement = placementOf(*this);
    return s;
}

Lines RectanglePanel::generate(Language lang) const { return generatePlainSurface(surface(lang)); }

}  // namespace penumbro
