#include "editor/panels/TreePanel.h"

#include "project/Numbers.h"

namespace penumbro {

namespace {
std::optional<int> percentage(const std::string& text) {
    auto v = parseInteger(trimBlanks(text));
    if (!v || *v < 0 || *v > 100) return std::nullopt;
    return static_cast<int>(*v);
}
}  // namespace

const std::array<TreeField, 6>& treeFields() {
    static const std::array<TreeField, 6> fields{{
        {"trunk-height", "Edit30", FieldRule::NotNegative, &TreePanel::trunkHeight,
         [](Tree& t) -> double& { return t.trunkHeight; }},
        {"trunk-diameter", "Edit31", FieldRule::NotNegative, &TreePanel::trunkDiameter,
         [](Tree& t) -> double& { return t.trunkDiameter; }},
        {"crown-diameter", "Edit32", FieldRule::NotNegative, &TreePanel::crownDiameter,
         [](Tree& t) -> double& { return t.crownDiameter; }},
        {"x", "Edit27", FieldRule::Number, &TreePanel::x, [](Tree& t) -> double& { return t.foot.x; }},
        {"y", "Edit28", FieldRule::Number, &TreePanel::y, [](Tree& t) -> double& { return t.foot.y; }},
        {"z", "Edit29", FieldRule::Number, &TreePanel::z, [](Tree& t) -> double& { return t.foot.z; }},
    }};
    return fields;
}

PanelCheck TreePanel::check(Language lang) const {
    PanelCheck c;
    requireOneLine(c, "name", name, lang);
    checkNumberFields(c, *this, treeFields(), lang);
    for (std::size_t m = 0; m < foliage.size(); ++m) {
        if (!percentage(foliage[m])) {
            c.problems.push_back(
                {"foliage", (lang == Language::German ? "Monat " : "month ") + std::to_string(m + 1) +
                                (lang == Language::German ? ": keine ganze Zahl von 0 bis 100: \""
                                                          : ": not a whole number from 0 to 100: \"") +
                                foliage[m] + "\""});
            break;
        }
    }
    return c;
}

Tree TreePanel::tree(Language lang) const {
    requireOk(check(lang));
    Tree t;
    t.name = name;
    readNumberFields(*this, treeFields(), t);
    for (std::size_t m = 0; m < foliage.size(); ++m) t.foliage[m] = *percentage(foliage[m]);
    return t;
}

Lines TreePanel::generate(Language lang) const { return generateTree(tree(lang)); }

TreePanel treePanelFromLines(const Lines& lines, std::size_t nameLine) {
    const Tree t = readTree(lines, nameLine);
    TreePanel p;
    p.name = t.name;
    showNumberFields(t, treeFields(), p);
    for (std::size_t m = 0; m < p.foliage.size(); ++m) p.foliage[m] = std::to_string(t.foliage[m]);
    return p;
}

}  // namespace penumbro
