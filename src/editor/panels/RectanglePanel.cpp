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
    return plainSurfaceOf(
        *this, rectangleCorners(*fieldNumber(lu), *fieldNumber(lv), *fieldNumber(u0), *fieldNumber(v0)));
}

Lines RectanglePanel::generate(Language lang) const { return generatePlainSurface(surface(lang)); }

}  // namespace penumbro
