#include "editor/panels/RectanglePanel.h"

#include "project/Numbers.h"

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

std::optional<double> RectanglePanel::compassPosition() const { return compassPositionOf(azimuth); }
std::optional<double> RectanglePanel::tiltPosition() const { return tiltPositionOf(elevation); }

void RectanglePanel::azimuthFromCompass(double position) { azimuth = formatFixed(position, 0, 1); }
void RectanglePanel::elevationFromTilt(double position) { elevation = formatFixed(position, 0, 1); }

PlainSurface RectanglePanel::surface(Language lang) const {
    const PanelCheck c = check(lang);
    if (!c.okEnabled()) throwPanelProblem(c);
    PlainSurface s;
    s.name = name;
    s.target = target;
    s.corners = rectangleCorners(*fieldNumber(lu), *fieldNumber(lv), *fieldNumber(u0), *fieldNumber(v0));
    s.placement = placementOf(*this);
    return s;
}

Lines RectanglePanel::generate(Language lang) const { return generatePlainSurface(surface(lang)); }

}  // namespace penumbro
