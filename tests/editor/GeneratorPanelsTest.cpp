// The generator panels' checks: which fields keep OK (and the corner button)
// disabled, and the corner grid and the u-v rectangle form.

#include "editor/PanelHouse.h"
#include "editor/PanelOverhang.h"
#include "editor/PanelPolygon.h"
#include "editor/PanelRectangle.h"
#include "editor/PanelTree.h"
#include "project/InputError.h"

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>

namespace penumbro {
namespace {

template <class Panel>
struct EditCase {
    const char* what;
    std::function<void(Panel&)> edit;
    const char* badField;  // the field named by the first problem, "" when OK is enabled
};

// Each case edits a valid panel; a refused panel also refuses to generate.
template <class Panel>
void expectFirstBadField(const Panel& valid, const std::vector<EditCase<Panel>>& cases) {
    for (const auto& c : cases) {
        Panel p = valid;
        c.edit(p);
        const PanelCheck check = p.check(Language::English);
        EXPECT_EQ(check.okEnabled() ? std::string() : check.problems.front().field, c.badField) << c.what;
        if (*c.badField) {
            if constexpr (std::is_same_v<Panel, OverhangPanel>) {
                EXPECT_THROW(p.overhang(Language::English), InputError) << c.what;
            } else {
                EXPECT_THROW(p.generate(Language::English), InputError) << c.what;
            }
        }
    }
}

const RectanglePanel kRectangle{"Wand", false, "4", "3", "0", "0", "0", "0", "0", "0", "0"};

PolygonPanel validPolygon() {
    PolygonPanel p;
    p.name = "Dreieck";
    p.corners.setCount("3");
    p.corners.open();
    p.corners.rows = {{"0", "0"}, {"2", "0"}, {"1", "1.5"}};
    EXPECT_FALSE(p.corners.confirm(Language::German));
    p.x = p.y = p.z = "0";
    return p;
}

OverhangPanel validOverhang() {
    OverhangPanel p;
    p.targetNumber = 1;
    p.name = "Vordach";
    p.form = {"2", "1", "0.5", "3"};
    EXPECT_FALSE(p.applyUvRectangle(Language::German));
    p.azimuthDifference = "0";
    p.elevationDifference = "-90";
    return p;
}

TEST(GeneratorPanels, RectangleCheck) {
    using R = RectanglePanel&;
    expectFirstBadField<RectanglePanel>(kRectangle, {
        {"valid", [](R) {}, ""},
        {"empty name", [](R p) { p.name = ""; }, "name"},
        {"reserved in other case", [](R p) { p.name = "STANDORT"; }, "name"},
        {"reserved word with digit", [](R p) { p.name = "Baum1"; }, ""},
        {"comment-like name", [](R p) { p.name = "*Wand"; }, "name"},
        {"overhang-like name", [](R p) { p.name = "$#1Wand"; }, "name"},
        {"name of two lines", [](R p) { p.name = "Wand\nNord"; }, "name"},
        {"star later", [](R p) { p.name = "Wand*"; }, ""},
        {"zero length", [](R p) { p.lu = "0"; }, "lu"},
        {"negative length", [](R p) { p.lv = "-1"; }, "lv"},
        {"corner not a number", [](R p) { p.u0 = "a"; }, "u0"},
        {"corner missing", [](R p) { p.v0 = ""; }, "v0"},
        {"negative corner", [](R p) { p.u0 = "-2.5"; }, ""},
        {"azimuth 360", [](R p) { p.azimuth = "360"; }, ""},
        {"azimuth 360.5", [](R p) { p.azimuth = "360.5"; }, "azimuth"},
        {"azimuth negative", [](R p) { p.azimuth = "-1"; }, "azimuth"},
        {"elevation -90", [](R p) { p.elevation = "-90"; }, ""},
        {"elevation 90.1", [](R p) { p.elevation = "90.1"; }, "elevation"},
        {"comma is no decimal sign", [](R p) { p.x = "1,5"; }, "x"},
        {"blanks around a number", [](R p) { p.y = " 2.5 "; }, ""},
        {"z missing", [](R p) { p.z = ""; }, "z"},
    });
}

TEST(GeneratorPanels, HouseTreeAndOverhangChecks) {
    using H = HousePanel&;
    expectFirstBadField<HousePanel>({"", "10", "8", "6", "2", "0", "0", "0", "0"}, {
        {"valid, empty name", [](H) {}, ""},
        {"reserved word as house name", [](H p) { p.name = "Baum"; }, ""},
        {"name of two lines", [](H p) { p.name = "a\r\nb"; }, "name"},
        {"zero sizes", [](H p) { p.ewWidth = p.nsWidth = p.height = p.roof = "0"; }, ""},
        {"negative width", [](H p) { p.ewWidth = "-0.1"; }, "ew-width"},
        {"negative roof", [](H p) { p.roof = "-1"; }, "roof"},
        {"rotation 360.5", [](H p) { p.rotation = "360.5"; }, "rotation"},
    });
    using T = TreePanel&;
    TreePanel tree;
    tree.trunkHeight = "3";
    tree.trunkDiameter = "0.4";
    tree.crownDiameter = "5";
    tree.x = tree.y = tree.z = "1";
    expectFirstBadField<TreePanel>(tree, {
        {"valid", [](T) {}, ""},
        {"zero trunk", [](T p) { p.trunkDiameter = "0"; }, ""},
        {"negative height", [](T p) { p.trunkHeight = "-1"; }, "trunk-height"},
        {"crown missing", [](T p) { p.crownDiameter = ""; }, "crown-diameter"},
        {"foliage 100", [](T p) { p.foliage[11] = "100"; }, ""},
        {"foliage 101", [](T p) { p.foliage[5] = "101"; }, "foliage"},
        {"foliage decimal", [](T p) { p.foliage[0] = "50.5"; }, "foliage"},
    });
    using O = OverhangPanel&;
    expectFirstBadField<OverhangPanel>(validOverhang(), {
        {"valid", [](O) {}, ""},
        {"leading digit", [](O p) { p.name = "1Dach"; }, "name"},
        {"digit later", [](O p) { p.name = "Dach1"; }, ""},
        {"elevation difference 180", [](O p) { p.elevationDifference = "180"; }, ""},
        {"elevation difference -180.5", [](O p) { p.elevationDifference = "-180.5"; }, "elevation-difference"},
        {"azimuth difference 361", [](O p) { p.azimuthDifference = "361"; }, "azimuth-difference"},
        {"count changed", [](O p) { p.corners.setCount("5"); }, "corners"},
    });
}

TEST(GeneratorPanels, CompassAndTiltFollowValidFieldsAndWriteOneDecimal) {
    RectanglePanel p = kRectangle;
    p.azimuth = "400";
    EXPECT_FALSE(p.compassPosition());
    p.azimuthFromCompass(123.456);
    EXPECT_EQ(p.azimuth, "123.5");
    EXPECT_EQ(p.compassPosition(), 123.5);
    p.elevationFromTilt(-90);
    EXPECT_EQ(p.elevation, "-90.0");
    EXPECT_EQ(p.tiltPosition(), -90);
}

TEST(GeneratorPanels, PolygonCornerCountAndGrid) {
    for (const auto& [count, enabled] : std::vector<std::pair<const char*, bool>>{
             {"2", false}, {"3", true}, {"12", true}, {"13", false}, {"", false}, {"4.0", false}, {"-3", false}}) {
        PolygonPanel p;
        p.corners.setCount(count);
        EXPECT_EQ(p.corners.buttonEnabled(), enabled) << count;
    }
    // OK needs a grid confirmed since the count last changed.
    PolygonPanel p = validPolygon();
    EXPECT_TRUE(p.check(Language::English).okEnabled());
    p.corners.setCount("4");
    EXPECT_EQ(p.check(Language::English).problems.front().field, "corners");
    p.corners.open();
    ASSERT_EQ(p.corners.rows.size(), 4u);
    EXPECT_EQ(p.corners.rows[2].v, "1.5");  // cells of the old rows are kept
    EXPECT_EQ(p.corners.confirm(Language::German), invalidGridMessage(Language::German));
    EXPECT_FALSE(p.check(Language::English).okEnabled());
    p.corners.rows[3] = {"0", "1.5"};
    EXPECT_FALSE(p.corners.confirm(Language::German));
    EXPECT_TRUE(p.check(Language::English).okEnabled());
    EXPECT_EQ(p.generate(Language::English)[1], "4");
}

TEST(GeneratorPanels, UvRectangleFormFillsFourCorners) {
    const OverhangPanel p = validOverhang();
    EXPECT_EQ(p.corners.count, "4");
    ASSERT_EQ(p.corners.rows.size(), 4u);
    EXPECT_EQ(p.corners.rows[0].u, "0.5");
    EXPECT_EQ(p.corners.rows[0].v, "3");
    EXPECT_EQ(p.corners.rows[2].u, "2.5");
    EXPECT_EQ(p.corners.rows[2].v, "4");
    for (const auto& [form, accepted] : std::vector<std::pair<UvRectangleForm, bool>>{
             {{"0", "0", "0", "0"}, true}, {{"-1", "1", "0", "0"}, false}, {{"1", "-1", "0", "0"}, false},
             {{"1", "1", "x", "0"}, false}, {{"1", "1", "0", ""}, false}, {{"1", "1", "-5", "-5"}, true}}) {
        OverhangPanel q;
        q.form = form;
        EXPECT_EQ(!q.applyUvRectangle(Language::English), accepted);
        EXPECT_EQ(q.corners.confirmed, accepted);
    }
}

TEST(GeneratorPanels, TargetChooserTakesTheFirstTargetWithoutSelection) {
    const std::vector<TargetChoice> choices = {{"A\t (Target)", 2}, {"B\t (Target)", 5}};
    struct Case {
        std::optional<std::size_t> selected;
        int objectNumber;
        bool notice;
    };
    for (const Case& c : {Case{1, 5, false}, Case{0, 2, false}, Case{std::nullopt, 2, true}, Case{7, 2, true}}) {
        const auto chosen = chooseTarget(choices, c.selected);
        ASSERT_TRUE(chosen);
        EXPECT_EQ(chosen->objectNumber, c.objectNumber);
        EXPECT_EQ(chosen->showNotice, c.notice);
    }
    EXPECT_FALSE(chooseTarget({}, std::nullopt));
}

TEST(GeneratorPanels, OverhangNameIgnoresALeadingDigit) {
    EXPECT_EQ(OverhangPanel::nameAfterKey("", 0, '7'), "");
    EXPECT_EQ(OverhangPanel::nameAfterKey("Dach", 0, '1'), "Dach");
    EXPECT_EQ(OverhangPanel::nameAfterKey("Dach", 4, '1'), "Dach1");
    EXPECT_EQ(OverhangPanel::nameAfterKey("ach", 0, 'D'), "Dach");
}

}  // namespace
}  // namespace penumbro
