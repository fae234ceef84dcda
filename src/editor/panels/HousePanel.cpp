#include "editor/panels/HousePanel.h"

#include "editor/generators/GeneratorFormat.h"

namespace penumbro {

PanelCheck HousePanel::check(Language lang) const {
    PanelCheck c;
    requireOneLine(c, "name", name, lang);
    requireNotNegative(c, "ew-width", ewWidth, lang);
    requireNotNegative(c, "ns-width", nsWidth, lang);
    requireNotNegative(c, "height", height, lang);
    requireNotNegative(c, "roof", roof, lang);
    requireRange(c, "rotation", rotation, 0, 360, lang);
    requireNumber(c, "x", x, lang);
    requireNumber(c, "y", y, lang);
    requireNumber(c, "z", z, lang);
    return c;
}

House HousePanel::house(Language lang) const {
    const PanelCheck c = check(lang);
    if (!c.okEnabled()) throwPanelProblem(c);
    House h;
    h.name = name;
    h.ewWidth = *fieldNumber(ewWidth);
    h.nsWidth = *fieldNumber(nsWidth);
    h.height = *fieldNumber(height);
    h.roof = *fieldNumber(roof);
    h.rotation = *fieldNumber(rotation);
    h.shift = {*fieldNumber(x), *fieldNumber(y), *fieldNumber(z)};
    return h;
}

Lines HousePanel::generate(Language lang) const { return generateHouse(house(lang)); }

HousePanel HousePanel::fromHouse(const House& h) {
    HousePanel p;
    p.name = h.name;
    p.ewWidth = panelNumber(h.ewWidth);
    p.nsWidth = panelNumber(h.nsWidth);
    p.height = panelNumber(h.height);
    p.roof = panelNumber(h.roof);
    p.rotation = panelNumber(h.rotation);
    p.x = panelNumber(h.shift.x);
    p.y = panelNumber(h.shift.y);
    p.z = panelNumber(h.shift.z);
    return p;
}

HousePanel housePanelFromLines(const Lines& lines, std::size_t nameLine) {
    return HousePanel::fromHouse(readHouse(lines, nameLine));
}

}  // namespace penumbro
