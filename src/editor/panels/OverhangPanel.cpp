#include "editor/panels/OverhangPanel.h"

#include "editor/ObjectTable.h"
#include "editor/TargetCheck.h"
#include "project/InputError.h"
#include "project/Numbers.h"

namespace penumbro {

std::vector<TargetChoice> targetChoices(const Lines& text) {
    const ObjectList list = readableList(text);
    std::vector<TargetChoice> choices;
    for (int k = 1; k <= list.ObjektAnzahl; ++k) {
        const TObjekt& o = list.object(k);
        if (o.isTarget()) choices.push_back({o.Name + "\t (Target)", k});
    }
    return choices;
}

std::string noTargetChosenMessage() {
    return "Es wurde keine Targetfl\xE4" "che ausgew\xE4hlt! Der \xDC" "berhang wird der ersten "
           "Targetfl\xE4" "che zugeordnet.";
}

std::string noTargetChosenTitle() { return "Targetfl\xE4" "che"; }

std::optional<TargetChosen> chooseTarget(const std::vector<TargetChoice>& choices,
                                         std::optional<std::size_t> selected) {
    if (choices.empty()) return std::nullopt;
    if (selected && *selected < choices.size()) return TargetChosen{choices[*selected].objectNumber, false};
    return TargetChosen{choices.front().objectNumber, true};
}

std::string OverhangPanel::nameAfterKey(const std::string& name, std::size_t position, char key) {
    if (position == 0 && key >= '0' && key <= '9') return name;
    if (position > name.size()) position = name.size();
    std::string out = name;
    out.insert(position, 1, key);
    return out;
}

std::optional<std::string> OverhangPanel::applyUvRectangle(Language lang) {
    auto lu = fieldNumber(form.lu);
    auto lv = fieldNumber(form.lv);
    auto u = fieldNumber(form.u);
    auto v = fieldNumber(form.v);
    if (!lu || !lv || !u || !v || *lu < 0 || *lv < 0) return invalidGridMessage(lang);
    corners.fill(rectangleCorners(*lu, *lv, *u, *v));
    return std::nullopt;
}

PanelCheck OverhangPanel::check(Language lang) const {
    PanelCheck c;
    requireSurfaceName(c, "name", name, lang);
    if (!name.empty() && name[0] >= '0' && name[0] <= '9') {
        c.problems.push_back({"name", lang == Language::German
                                          ? "darf nicht mit einer Ziffer beginnen"
                                          : "must not begin with a digit"});
    }
    corners.check(c, lang);
    requireRange(c, "azimuth-difference", azimuthDifference, 0, 360, lang);
    requireRange(c, "elevation-difference", elevationDifference, -180, 180, lang);
    return c;
}

std::optional<ErrorMessage> OverhangPanel::warning() const {
    if (!check(Language::English).okEnabled()) return std::nullopt;
    if (!overhangBehindTarget(overhang(Language::English))) return std::nullopt;
    return ErrorMessage(ErrorId::OverhangBehindTarget);
}

Overhang OverhangPanel::overhang(Language lang) const {
    requireOk(check(lang));
    Overhang o;
    o.name = name;
    o.targetNumber = targetNumber;
    o.corners = corners.corners(lang);
    o.azimuthDifference = *fieldNumber(azimuthDifference);
    o.elevationDifference = *fieldNumber(elevationDifference);
    // The form's corner is kept for information; an unreadable form field counts as 0.
    o.formU = fieldNumber(form.u).value_or(0.0);
    o.formV = fieldNumber(form.v).value_or(0.0);
    return o;
}

Lines OverhangPanel::generate(const Lines& text, Language lang) const {
    const Overhang o = overhang(lang);
    return generateOverhang(o, targetPlacementOf(text, o.targetNumber));
}

OverhangPanel OverhangPanel::fromOverhang(const Overhang& overhang) {
    OverhangPanel p;
    p.targetNumber = overhang.targetNumber;
    p.name = overhang.name;
    p.corners.fill(overhang.corners);
    p.azimuthDifference = panelNumber(overhang.azimuthDifference);
    p.elevationDifference = panelNumber(overhang.elevationDifference);
    p.form.u = panelNumber(overhang.formU);
    p.form.v = panelNumber(overhang.formV);
    return p;
}

OverhangPanel overhangPanelFromLines(const Lines& lines, std::size_t nameLine) {
    return OverhangPanel::fromOverhang(readOverhang(lines, nameLine));
}

}  // namespace penumbro
