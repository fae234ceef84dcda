#include "editor/panels/HousePanel.h"

namespace penumbro {

const std::array<HouseField, 8>& houseFields() {
    static const std::array<HouseField, 8> fields{{
        {"ew-width", "Edit22", FieldRule::NotNegative, &HousePanel::ewWidth,
         [](House& h) -> double& { return h.ewWidth; }},
        {"ns-width", "Edit23", FieldRule::NotNegative, &HousePanel::nsWidth,
         [](House& h) -> double& { return h.nsWidth; }},
        {"height", "Edit24", FieldRule::NotNegative, &HousePanel::height,
         [](House& h) -> double& { return h.height; }},
        {"roof", "Edit25", FieldRule::NotNegative, &HousePanel::roof,
         [](House& h) -> double& { return h.roof; }},
        {"rotation", "Edit13", FieldRule::Degrees, &HousePanel::rotation,
         [](House& h) -> double& { return h.rotation; }},
        {"x", "Edit14", FieldRule::Number, &HousePanel::x,
         [](House& h) -> double& { return h.shift.x; }},
        {"y", "Edit15", FieldRule::Number, &HousePanel::y,
         [](House& h) -> double& { return h.shift.y; }},
        {"z", "Edit21", FieldRule::Number, &HousePanel::z,
         [](House& h) -> double& { return h.shift.z; }},
    }};
    return fields;
}

PanelCheck HousePanel::check(Language lang) const {
    PanelCheck c;
    requireOneLine(c, "name", name, lang);
    checkNumberFields(c, *this, houseFields(), lang);
    return c;
}

House HousePanel::house(Language lang) const {
    requireOk(check(lang));
    House h;
    h.name = name;
    readNumberFields(*this, houseFields(), h);
    return h;
}

Lines HousePanel::generate(Language lang) const { return generateHouse(house(lang)); }

HousePanel housePanelFromLines(const Lines& lines, std::size_t nameLine) {
    const House h = readHouse(lines, nameLine);
    HousePanel p;
    p.name = h.name;
    showNumberFields(h, houseFields(), p);
    return p;
}

}  // namespace penumbro
