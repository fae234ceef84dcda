#include "editor/PanelRectangle.h"

#include "project/Numbers.h"

namespace penumbro {

PanelCheck RectanglePanel::check(Language lang) const {
    PanelCheck c;
    requireSurfaceName(c, "name", name, lang);
    requirePositive(c, "lu", lu, lang);
    requirePositive(c, "lv", lv, lang);
    requireNumber(c, "u0", u0, lang);
    requireNumber(c, "v0", v0, lang);
    requireRange(c, "azimuth", azimuth, 0, 360, lang);
    requireRange(c, "elevation", elevation, -90, 90, lang);
    requireNumber(c, "x", x, lang);
    requireNumber(c, "y", y, lang);
    requireNumber(c, "z", z, lang);
    return c;
}

std::optional<double> RectanglePanel::compassPosition() const {
    PanelCheck c;
    return requireRange(c, "azimuth", azimuth, 0, 360, Language::English);
}

std::optional<double> RectanglePanel::tiltPosition() const {
    PanelCheck c;
    return requireRange(c, "elevation", elevation, -90, 90, Language::English);
}

void RectanglePanel::azimuthFromCompass(double position) { azimuth = formatFixed(position, 0, 1); }
void RectanglePanel::elevationFromTilt(double position) { elevation = formatFixed(position, 0, 1); }

PlainSurface RectanglePanel::surface(Language lang) const {
    const PanelCheck c = check(lang);
    if (!c.okEnabled()) throwPanelProblem(c);
    PlainSurface s;
    s.name = name;
    s.target = target;
    s.corners = rectangleCorners(*fieldNumber(lu), *fieldNumber(lv), *fieldNumber(u0), *fieldNumber(v0));
    s.placement = {*fieldNumber(azimuth), *fieldNumber(elevation),
                   {*fieldNumber(x), *fieldNumber(y), *fieldNumber(z)}};
    return s;
}

Lines RectanglePanel::generate(Language lang) const { return generatePlainSurface(surface(lang)); }

}  // namespace penumbro
