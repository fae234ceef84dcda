#include "editor/panels/TreePanel.h"

#include "editor/generators/GeneratorFormat.h"
#include "project/Numbers.h"

namespace penumbro {

namespace {
std::optional<int> percentage(const std::string& text) {
    auto v = parseInteger(trimBlanks(text));
    if (!v || *v < 0 || *v > 100) return std::nullopt;
    return static_cast<int>(*v);
}
}  // namespace

PanelCheck TreePanel::check(Language lang) const {
    PanelCheck c;
    requireOneLine(c, "name", name, lang);
    requireNotNegative(c, "trunk-height", trunkHeight, lang);
    requireNotNegative(c, "trunk-diameter", trunkDiameter, lang);
    requireNotNegative(c, "crown-diameter", crownDiameter, lang);
    requireNumber(c, "x", x, lang);
    requireNumber(c, "y", y, lang);
    requireNumber(c, "z", z, lang);
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
    const PanelCheck c = check(lang);
    if (!c.okEnabled()) throwPanelProblem(c);
    Tree t;
    t.name = name;
    t.trunkHeight = *fieldNumber(trunkHeight);
    t.trunkDiameter = *fieldNumber(trunkDiameter);
    t.crownDiameter = *fieldNumber(crownDiameter);
    t.foot = {*fieldNumber(x), *fieldNumber(y), *fieldNumber(z)};
    for (std::size_t m = 0; m < foliage.size(); ++m) t.foliage[m] = *percentage(foliage[m]);
    return t;
}

Lines TreePanel::generate(Language lang) const { return generateTree(tree(lang)); }

TreePanel TreePanel::fromTree(const Tree& t) {
    TreePanel p;
    p.name = t.name;
    p.trunkHeight = panelNumber(t.trunkHeight);
    p.trunkDiameter = panelNumber(t.trunkDiameter);
    p.crownDiameter = panelNumber(t.crownDiameter);
    p.x = panelNumber(t.foot.x);
    p.y = panelNumber(t.foot.y);
    p.z = panelNumber(t.foot.z);
    for (std::size_t m = 0; m < p.foliage.size(); ++m) p.foliage[m] = std::to_string(t.foliage[m]);
    return p;
}

TreePanel treePanelFromLines(const Lines& lines, std::size_t nameLine) {
    return TreePanel::fromTree(readTree(lines, nameLine));
}

}  // namespace penumbro
