// The generator panels' checks: which fields keep OK (and the corner button)
// disabled, the corner grid, and the command line's field values put into the panels.

#include "editor/panels/HousePanel.h"
#include "editor/panels/OverhangPanel.h"
#include "editor/panels/PanelFields.h"
#include "editor/panels/PolygonPanel.h"
#include "editor/panels/RectanglePanel.h"
#include "editor/panels/TreePanel.h"
#include "editor/ObjectSplices.h"
#include "engine/Compiler.h"
#include "EditTexts.h"
#include "project/InputError.h"
#include "support/Refusal.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace penumbro {
namespace {

template <class Panel>
using Edits = std::vector<std::tuple<const char*, std::function<void(Panel&)>, const char*>>;

// Each case edits a valid panel and names the field of the first problem ("" when
// OK stays enabled); a refused panel also refuses to generate.
template <class Panel, class Generate>
void expectFirstBadField(const Panel& valid, const Edits<Panel>& cases, Generate generate) {
    for (const auto& [what, edit, badField] : cases) {
        Panel p = valid;
        edit(p);
        const PanelCheck check = p.check(Language::English);
        EXPECT_EQ(check.okEnabled() ? std::string() : check.problems.front().field, badField) << what;
        if (*badField) {
            EXPECT_THROW(generate(p), InputError) << what;
        }
    }
}
const auto generateLines = [](const auto& p) { (void)p.generate(Language::English); };

TEST(GeneratorPanels, FieldChecks) {
    using R = RectanglePanel&;
    expectFirstBadField<RectanglePanel>({"Wand", false, "4", "3", "0", "0", "0", "0", "0", "0", "0"}, {
        {"reserved word with digit", [](R p) { p.name = "Baum1"; }, ""},
        {"reserved word, other case", [](R p) { p.name = "target"; }, "name"},
        {"overhang-like name", [](R p) { p.name = "$#1Wand"; }, "name"}, {"zero length", [](R p) { p.lu = "0"; }, "lu"},
        {"elevation 90.1", [](R p) { p.elevation = "90.1"; }, "elevation"}, {"1,5", [](R p) { p.x = "1,5"; }, "x"},
    }, generateLines);
    using H = HousePanel&;
    expectFirstBadField<HousePanel>({"", "10", "8", "6", "2", "0", "0", "0", "0"}, {
        {"name of two lines", [](H p) { p.name = "a\r\nb"; }, "name"},
        {"negative width", [](H p) { p.ewWidth = "-0.1"; }, "ew-width"}, {"360.5", [](H p) { p.rotation = "360.5"; }, "rotation"},
    }, generateLines);
    using T = TreePanel&;
    expectFirstBadField<TreePanel>({"", "3", "0.4", "5", "1", "1", "1"}, {
        {"negative height", [](T p) { p.trunkHeight = "-1"; }, "trunk-height"}, {"foliage 101", [](T p) { p.foliage[5] = "101"; }, "foliage"},
    }, generateLines);
    using O = OverhangPanel&;
    expectFirstBadField<OverhangPanel>(testtexts::canopy(1), {
        {"leading digit", [](O p) { p.name = "1Dach"; }, "name"}, {"count changed", [](O p) { p.corners.setCount("5"); }, "corners"},
    }, [](const OverhangPanel& p) { (void)p.overhang(Language::English); });
}

TEST(GeneratorPanels, CornerGridMustBeConfirmedSinceTheCountChanged) {
    PolygonPanel p{"Dreieck", {}, false, "0", "0", "0", "0", "0"};
    p.corners.fill({{0, 0}, {2, 0}, {1, 1.5}});
    EXPECT_TRUE(p.check(Language::English).okEnabled());
    p.corners.setCount("4");
    EXPECT_EQ(p.check(Language::English).problems.front().field, "corners");
    p.corners.open();
    EXPECT_EQ(p.corners.rows[2].v, "1.5");  // cells of the old rows are kept
    EXPECT_EQ(p.corners.confirm(Language::German), invalidGridMessage(Language::German));
    p.corners.rows[3] = {"0", "1.5"};
    EXPECT_FALSE(p.corners.confirm(Language::German));
    EXPECT_EQ(p.generate(Language::English)[1], "4");
    p.corners.setCount("13");
    EXPECT_FALSE(p.corners.buttonEnabled());
}

TEST(PanelFields, UnknownFieldsAndBadCornerListsAreRefused) {
    RectanglePanel r;
    EXPECT_THROW(applyFields(r, {{"target", "yes"}}, Language::English), InputError);
    EXPECT_THROW(applyFields(r, {{"corners", "0,0;1,0;1,1"}}, Language::English), InputError);
    // Corner lists fill the grid or name the field.
    for (const char* bad : {"0,0;1,0;1,1;", "0,0;1,0,2;1,1", "", "0,0;1,0", "0,0;1,0;x,1"}) {
        OverhangPanel o;
        EXPECT_THROW(applyFields(o, {{"corners", bad}}, Language::English), InputError) << bad;
        EXPECT_FALSE(o.corners.confirmed);
    }
}

// Fields of absurd size once made lines of 300-digit numbers that no reader could
// use; now the panel names the field, and the largest values it takes make a text
// that compiles.
TEST(GeneratorPanels, NumberFieldsBeyondTheLimitAreRefusedByName) {
    // Each field's value replaced, the others as given ("FIELD=VALUE ...").
    const auto generate = [](const std::string& kind, const std::string& fields, const std::string& field,
                             const std::string& value) {
        FieldValues v;
        std::istringstream words(fields);
        for (std::string w, name; words >> w;) name = w.substr(0, w.find('=')), v.emplace_back(name, name == field ? value : w.substr(name.size() + 1));
        const auto apply = [&v](auto p) { applyFields(p, v, Language::English); return p.generate(Language::English); };
        if (kind == "rectangle") return apply(RectanglePanel{});
        if (kind == "house") return apply(HousePanel{});
        if (kind == "tree") return apply(TreePanel{});
        return apply(PolygonPanel{});
    };
    const std::string rectangle = "name=R lu=2 lv=3 u0=0 v0=0 x=1 y=2 z=0";
    const std::string house = "name=H ew-width=8 ns-width=6 height=5 roof=2 rotation=0 x=0 y=0 z=0";
    const std::string polygon = "name=P corners=0,0;1,0;0,1 x=0 y=0 z=0";
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"rectangle", rectangle, "lu"}, {"house", house, "y"},
        {"tree", "name=T trunk-height=2 trunk-diameter=0.4 crown-diameter=4 x=0 y=0 z=0", "crown-diameter"},
        {"polygon", polygon, "x"},
    };
    for (const auto& [kind, fields, field] : cases) {
        for (const char* huge : {"1e300", "-1000000.5"}) {
            const std::string refused = testing::refusal([&] { (void)generate(kind, fields, field, huge); }).what();
            EXPECT_EQ(refused.rfind(field + ":", 0), 0u) << kind << " " << field << "=" << huge << ": " << refused;
        }
        Lines text = newProjectLines();
        const Lines lines = generate(kind, fields, field, "1000000");
        text.insert(text.begin() + 2, lines.begin(), lines.end());
        text[1] = std::to_string(surfacesOf(lines));
        EXPECT_NO_THROW((void)compileProject(text, "largest.dat")) << kind << " " << field;
    }
    // A corner beyond the limit makes the grid unreadable.
    EXPECT_THROW((void)generate("polygon", polygon, "corners", "0,0;1e300,0;0,1"), InputError);
}

}  // namespace
}  // namespace penumbro
