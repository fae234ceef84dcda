// The generator panels' checks: which fields keep OK (and the corner button)
// disabled, and the messages of the corner grid and the u-v rectangle form.

#include "editor/PanelHouse.h"
#include "editor/PanelOverhang.h"
#include "editor/PanelPolygon.h"
#include "editor/PanelRectangle.h"
#include "editor/PanelTree.h"
#include "project/InputError.h"

#include <gtest/gtest.h>

#include <functional>

namespace penumbro {
namespace {

RectanglePanel validRectangle() {
    RectanglePanel p;
    p.name = "Wand";
    p.lu = "4";
    p.lv = "3";
    p.u0 = "0";
    p.v0 = "0";
    p.x = p.y = p.z = "0";
    return p;
}

// The field named by the first problem, "" when OK is enabled.
template <class Panel>
std::string firstBadField(const Panel& p) {
    const PanelCheck c = p.check(Language::English);
    return c.okEnabled() ? std::string() : c.problems.front().field;
}

TEST(GeneratorPanels, RectangleCheck) {
    struct Case {
        const char* what;
        std::function<void(RectanglePanel&)> edit;
        const char* badField;
    };
    const Case cases[] = {
        {"valid", [](RectanglePanel&) {}, ""},
        {"empty name", [](RectanglePanel& p) { p.name = ""; }, "name"},
        {"reserved name", [](RectanglePanel& p) { p.name = "Target"; }, "name"},
        {"reserved in other case", [](RectanglePanel& p) { p.name = "STANDORT"; }, "name"},
        {"reserved word with digit is fine", [](RectanglePanel& p) { p.name = "Baum1"; }, ""},
        {"Haus is no reserved word", [](RectanglePanel& p) { p.name = "Haus"; }, ""},
        {"comment-like name", [](RectanglePanel& p) { p.name = "*Wand"; }, "name"},
        {"overhang-like name", [](RectanglePanel& p) { p.name = "$#1Wand"; }, "name"},
        {"name of two lines", [](RectanglePanel& p) { p.name = "Wand\nNord"; }, "name"},
        {"star later is fine", [](RectanglePanel& p) { p.name = "Wand*"; }, ""},
        {"zero length", [](RectanglePanel& p) { p.lu = "0"; }, "lu"},
        {"negative length", [](RectanglePanel& p) { p.lv = "-1"; }, "lv"},
        {"corner not a number", [](RectanglePanel& p) { p.u0 = "a"; }, "u0"},
        {"corner missing", [](RectanglePanel& p) { p.v0 = ""; }, "v0"},
        {"negative corner is fine", [](RectanglePanel& p) { p.u0 = "-2.5"; }, ""},
        {"azimuth 360", [](RectanglePanel& p) { p.azimuth = "360"; }, ""},
        {"azimuth 360.5", [](RectanglePanel& p) { p.azimuth = "360.5"; }, "azimuth"},
        {"azimuth negative", [](RectanglePanel& p) { p.azimuth = "-1"; }, "azimuth"},
        {"elevation -90", [](RectanglePanel& p) { p.elevation = "-90"; }, ""},
        {"elevation 90.1", [](RectanglePanel& p) { p.elevation = "90.1"; }, "elevation"},
        {"comma is no decimal sign", [](RectanglePanel& p) { p.x = "1,5"; }, "x"},
        {"z missing", [](RectanglePanel& p) { p.z = ""; }, "z"},
    };
    for (const Case& c : cases) {
        RectanglePanel p = validRectangle();
        c.edit(p);
        EXPECT_EQ(firstBadField(p), c.badField) << c.what;
        if (*c.badField) {
            EXPECT_THROW(p.generate(Language::English), InputError) << c.what;
        }
    }
}

TEST(GeneratorPanels, ReservedNameShowsTheReservedWordMessage) {
    RectanglePanel p = validRectangle();
    p.name = "baum";
    const PanelCheck c = p.check(Language::German);
    ASSERT_FALSE(c.okEnabled());
    EXPECT_NE(c.problems.front().message.find("\"baum\" handelt es sich um ein von PENUMBRO reserviertes Wort."),
              std::string::npos);
}

TEST(GeneratorPanels, CompassAndTiltFollowValidFieldsAndWriteOneDecimal) {
    RectanglePanel p = validRectangle();
    p.azimuth = "400";
    EXPECT_FALSE(p.compassPosition());
    p.azimuthFromCompass(123.456);
    EXPECT_EQ(p.azimuth, "123.5");
    EXPECT_EQ(p.compassPosition(), 123.5);
    p.elevationFromTilt(-90);
    EXPECT_EQ(p.elevation, "-90.0");
    EXPECT_EQ(p.tiltPosition(), -90);
}

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

TEST(GeneratorPanels, PolygonCornerCountEnablesTheCornerButton) {
    struct Case {
        const char* count;
        bool enabled;
    };
    const Case cases[] = {{"2", false}, {"3", true}, {"12", true}, {"13", false},
                          {"", false},  {"4.0", false}, {"x", false}, {"-3", false}};
    for (const Case& c : cases) {
        PolygonPanel p;
        p.corners.setCount(c.count);
        EXPECT_EQ(p.corners.buttonEnabled(), c.enabled) << c.count;
    }
}

TEST(GeneratorPanels, PolygonNeedsAConfirmedGridSinceTheCountChanged) {
    PolygonPanel p = validPolygon();
    EXPECT_EQ(firstBadField(p), "");
    p.corners.setCount("4");  // a new count un-confirms the grid
    EXPECT_EQ(firstBadField(p), "corners");
    p.corners.open();
    ASSERT_EQ(p.corners.rows.size(), 4u);
    EXPECT_EQ(p.corners.rows[2].v, "1.5");  // cells of the old rows are kept
    EXPECT_EQ(p.corners.confirm(Language::German), invalidGridMessage(Language::German));
    EXPECT_EQ(firstBadField(p), "corners");
    p.corners.rows[3] = {"0", "1.5"};
    EXPECT_FALSE(p.corners.confirm(Language::German));
    EXPECT_EQ(firstBadField(p), "");
    EXPECT_EQ(p.generate(Language::English)[1], "4");
}

TEST(GeneratorPanels, GridMessagesInBothLanguages) {
    EXPECT_EQ(invalidGridMessage(Language::German), "Ung\xFCltige Eingabe. Bitte \xFC" "berpr\xFC" "fen Sie die Werte.");
    EXPECT_EQ(invalidGridMessage(Language::English), "Invalid input. Please check your input data.");
    EXPECT_EQ(cornerLabel(3, Language::German), "Ecke 3");
    EXPECT_EQ(cornerLabel(12, Language::English), "Corner 12");
}

TEST(GeneratorPanels, PolygonCheck) {
    struct Case {
        const char* what;
        std::function<void(PolygonPanel&)> edit;
        const char* badField;
    };
    const Case cases[] = {
        {"valid", [](PolygonPanel&) {}, ""},
        {"reserved", [](PolygonPanel& p) { p.name = "frontseite"; }, "name"},
        {"azimuth 0", [](PolygonPanel& p) { p.azimuth = "0"; }, ""},
        {"azimuth empty", [](PolygonPanel& p) { p.azimuth = ""; }, "azimuth"},
        {"elevation -91", [](PolygonPanel& p) { p.elevation = "-91"; }, "elevation"},
        {"y not a number", [](PolygonPanel& p) { p.y = "--1"; }, "y"},
        {"blanks around a number", [](PolygonPanel& p) { p.y = " 2.5 "; }, ""},
    };
    for (const Case& c : cases) {
        PolygonPanel p = validPolygon();
        c.edit(p);
        EXPECT_EQ(firstBadField(p), c.badField) << c.what;
    }
}

TEST(GeneratorPanels, HouseCheck) {
    struct Case {
        const char* what;
        std::function<void(HousePanel&)> edit;
        const char* badField;
    };
    const Case cases[] = {
        {"valid", [](HousePanel&) {}, ""},
        {"empty name is fine", [](HousePanel& p) { p.name = ""; }, ""},
        {"reserved word as house name is fine", [](HousePanel& p) { p.name = "Baum"; }, ""},
        {"name of two lines", [](HousePanel& p) { p.name = "a\r\nb"; }, "name"},
        {"zero sizes are fine", [](HousePanel& p) { p.ewWidth = p.nsWidth = p.height = p.roof = "0"; }, ""},
        {"negative width", [](HousePanel& p) { p.ewWidth = "-0.1"; }, "ew-width"},
        {"negative roof", [](HousePanel& p) { p.roof = "-1"; }, "roof"},
        {"rotation 360", [](HousePanel& p) { p.rotation = "360"; }, ""},
        {"rotation 360.5", [](HousePanel& p) { p.rotation = "360.5"; }, "rotation"},
        {"shift missing", [](HousePanel& p) { p.z = ""; }, "z"},
    };
    for (const Case& c : cases) {
        HousePanel p;
        p.ewWidth = "10";
        p.nsWidth = "8";
        p.height = "6";
        p.roof = "2";
        p.rotation = "0";
        p.x = p.y = p.z = "0";
        c.edit(p);
        EXPECT_EQ(firstBadField(p), c.badField) << c.what;
    }
}

TEST(GeneratorPanels, TreeCheck) {
    struct Case {
        const char* what;
        std::function<void(TreePanel&)> edit;
        const char* badField;
    };
    const Case cases[] = {
        {"valid", [](TreePanel&) {}, ""},
        {"zero trunk is fine", [](TreePanel& p) { p.trunkDiameter = "0"; }, ""},
        {"negative height", [](TreePanel& p) { p.trunkHeight = "-1"; }, "trunk-height"},
        {"crown missing", [](TreePanel& p) { p.crownDiameter = ""; }, "crown-diameter"},
        {"foliage 100", [](TreePanel& p) { p.foliage[11] = "100"; }, ""},
        {"foliage 101", [](TreePanel& p) { p.foliage[5] = "101"; }, "foliage"},
        {"foliage decimal", [](TreePanel& p) { p.foliage[0] = "50.5"; }, "foliage"},
        {"foliage negative", [](TreePanel& p) { p.foliage[0] = "-1"; }, "foliage"},
    };
    for (const Case& c : cases) {
        TreePanel p;
        p.trunkHeight = "3";
        p.trunkDiameter = "0.4";
        p.crownDiameter = "5";
        p.x = p.y = p.z = "1";
        c.edit(p);
        EXPECT_EQ(firstBadField(p), c.badField) << c.what;
    }
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

TEST(GeneratorPanels, OverhangCheck) {
    struct Case {
        const char* what;
        std::function<void(OverhangPanel&)> edit;
        const char* badField;
    };
    const Case cases[] = {
        {"valid", [](OverhangPanel&) {}, ""},
        {"leading digit", [](OverhangPanel& p) { p.name = "1Dach"; }, "name"},
        {"digit later is fine", [](OverhangPanel& p) { p.name = "Dach1"; }, ""},
        {"empty name", [](OverhangPanel& p) { p.name = ""; }, "name"},
        {"elevation difference 180", [](OverhangPanel& p) { p.elevationDifference = "180"; }, ""},
        {"elevation difference -180.5", [](OverhangPanel& p) { p.elevationDifference = "-180.5"; },
         "elevation-difference"},
        {"azimuth difference 361", [](OverhangPanel& p) { p.azimuthDifference = "361"; }, "azimuth-difference"},
        {"count changed", [](OverhangPanel& p) { p.corners.setCount("5"); }, "corners"},
    };
    for (const Case& c : cases) {
        OverhangPanel p = validOverhang();
        c.edit(p);
        EXPECT_EQ(firstBadField(p), c.badField) << c.what;
    }
}

TEST(GeneratorPanels, UvRectangleFormFillsFourCorners) {
    OverhangPanel p = validOverhang();
    EXPECT_EQ(p.corners.count, "4");
    EXPECT_TRUE(p.corners.confirmed);
    ASSERT_EQ(p.corners.rows.size(), 4u);
    EXPECT_EQ(p.corners.rows[0].u, "0.5");
    EXPECT_EQ(p.corners.rows[0].v, "3");
    EXPECT_EQ(p.corners.rows[2].u, "2.5");
    EXPECT_EQ(p.corners.rows[2].v, "4");

    struct Case {
        UvRectangleForm form;
        bool accepted;
    };
    const Case cases[] = {{{"0", "0", "0", "0"}, true},   {{"-1", "1", "0", "0"}, false},
                          {{"1", "-1", "0", "0"}, false}, {{"1", "1", "x", "0"}, false},
                          {{"1", "1", "0", ""}, false},   {{"1", "1", "-5", "-5"}, true}};
    for (const Case& c : cases) {
        OverhangPanel q;
        q.form = c.form;
        const auto message = q.applyUvRectangle(Language::English);
        EXPECT_EQ(!message, c.accepted);
        EXPECT_EQ(q.corners.confirmed, c.accepted);
        if (message) {
            EXPECT_EQ(*message, invalidGridMessage(Language::English));
        }
    }
}

TEST(GeneratorPanels, TargetChooserTakesTheFirstTargetWithoutSelection) {
    const std::vector<TargetChoice> choices = {{"A\t (Target)", 2}, {"B\t (Target)", 5}};
    struct Case {
        std::optional<std::size_t> selected;
        int objectNumber;
        bool notice;
    };
    const Case cases[] = {{1, 5, false}, {0, 2, false}, {std::nullopt, 2, true}, {7, 2, true}};
    for (const Case& c : cases) {
        const auto chosen = chooseTarget(choices, c.selected);
        ASSERT_TRUE(chosen);
        EXPECT_EQ(chosen->objectNumber, c.objectNumber);
        EXPECT_EQ(chosen->showNotice, c.notice);
    }
    EXPECT_FALSE(chooseTarget({}, std::nullopt));
    EXPECT_EQ(noTargetChosenTitle(), "Targetfl\xE4" "che");
}

TEST(GeneratorPanels, OverhangNameIgnoresALeadingDigit) {
    EXPECT_EQ(OverhangPanel::nameAfterKey("", 0, '7'), "");
    EXPECT_EQ(OverhangPanel::nameAfterKey("Dach", 0, '1'), "Dach");
    EXPECT_EQ(OverhangPanel::nameAfterKey("Dach", 4, '1'), "Dach1");
    EXPECT_EQ(OverhangPanel::nameAfterKey("ach", 0, 'D'), "Dach");
}

}  // namespace
}  // namespace penumbro
