// Generated objects in the project text: read back for a change, added, inserted,
// changed, and overhangs following their target.

#include "editor/EditOperations.h"
#include "editor/GeneratorEdit.h"
#include "editor/ObjectTable.h"
#include "editor/PanelRectangle.h"
#include "project/InputError.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

TreePanel tree(const char* h, const char* d, const char* crown) { return {"", h, d, crown, "0", "0", "0"}; }

Lines collectorLines() {
    return RectanglePanel{"Kollektor", true, "4", "3", "0", "0", "180", "45", "12", "12", "5"}.generate(
        Language::German);
}

OverhangPanel canopy(int target) {
    OverhangPanel p;
    p.targetNumber = target;
    p.name = "Vordach";
    p.form = {"4", "1", "0", "3"};
    EXPECT_FALSE(p.applyUvRectangle(Language::German));
    p.azimuthDifference = "0";
    p.elevationDifference = "-90";
    return p;
}

// A project holding the collector as object 1 and a canopy on it as object 2.
Lines collectorWithCanopy() {
    Lines text = commitInsert(newProjectLines(), 1, collectorLines());
    return commitInsert(text, 2, canopy(1).generate(text, Language::German));
}

TEST(GeneratorEdit, PolygonFieldsSurviveGenerateAndReadBack) {
    struct Case {
        const char* name;
        bool target;
        std::vector<CornerRow> corners;
        const char *azimuth, *elevation, *x, *y, *z;
    };
    const Case cases[] = {
        {"Dreieck", false, {{"0", "0"}, {"2", "0"}, {"1", "1.5"}}, "180", "0", "0", "0", "0"},
        {"Wand Ost", true, {{"-1.25", "0"}, {"3", "0"}, {"3", "2"}, {"-1.25", "2"}}, "90", "-12.5", "1", "-2", "3.75"},
        {"Schr\xE4g", false, {{"0", "0"}, {"1", "0"}, {"1", "1"}, {"0.5", "2"}, {"0", "1"}}, "359.9", "89.5",
         "12345.678", "-0.001", "100"},
        {"Zw\xF6lfeck", false,
         {{"0", "0"}, {"1", "0"}, {"2", "0.5"}, {"3", "1"}, {"3", "2"}, {"2.5", "3"}, {"2", "3.5"}, {"1", "4"},
          {"0", "4"}, {"-1", "3"}, {"-1.5", "2"}, {"-1", "1"}},
         "0", "90", "0.001", "0", "0"},
    };
    for (const Case& c : cases) {
        PolygonPanel p;
        p.name = c.name;
        p.target = c.target;
        p.corners.setCount(std::to_string(c.corners.size()));
        p.corners.open();
        p.corners.rows = c.corners;
        ASSERT_FALSE(p.corners.confirm(Language::German)) << c.name;
        p.azimuth = c.azimuth;
        p.elevation = c.elevation;
        p.x = c.x;
        p.y = c.y;
        p.z = c.z;
        const Lines text = commitInsert(newProjectLines(), 1, p.generate(Language::German));
        const ChangePanel opened = openForChange(text, 1);
        ASSERT_TRUE(std::holds_alternative<PolygonPanel>(opened)) << c.name;
        const PolygonPanel& q = std::get<PolygonPanel>(opened);
        EXPECT_EQ(q.name, p.name);
        EXPECT_EQ(q.target, p.target);
        EXPECT_EQ(q.corners.count, p.corners.count);
        ASSERT_EQ(q.corners.rows.size(), c.corners.size());
        for (std::size_t i = 0; i < c.corners.size(); ++i) {
            EXPECT_EQ(q.corners.rows[i].u, c.corners[i].u) << c.name << " corner " << i;
            EXPECT_EQ(q.corners.rows[i].v, c.corners[i].v) << c.name << " corner " << i;
        }
        EXPECT_TRUE(q.corners.confirmed);
        EXPECT_EQ((std::vector<std::string>{q.azimuth, q.elevation, q.x, q.y, q.z}),
                  (std::vector<std::string>{c.azimuth, c.elevation, c.x, c.y, c.z}))
            << c.name;
        // OK without edits rewrites the same lines.
        EXPECT_EQ(commitChange(text, 1, q.generate(Language::German)), text) << c.name;
    }
}

TEST(GeneratorEdit, RectangleComesBackAsFourCornerPolygon) {
    const Lines text = commitInsert(newProjectLines(), 1, collectorLines());
    const PolygonPanel q = std::get<PolygonPanel>(openForChange(text, 1));
    EXPECT_EQ(q.corners.count, "4");
    EXPECT_EQ(q.corners.rows[2].u, "4");
    EXPECT_EQ(q.corners.rows[2].v, "3");
    EXPECT_EQ(q.azimuth, "180");
    EXPECT_EQ(q.elevation, "45");
    EXPECT_TRUE(q.target);
}

TEST(GeneratorEdit, HouseFieldsSurviveGenerateAndReadBack) {
    const HousePanel cases[] = {
        {"", "13", "5", "7", "3", "90", "4", "5", "0"},
        {"Nachbarhaus mit langem Namen, l\xE4nger als 25", "8.5", "12.25", "6", "0", "360", "-10", "20.125", "1.5"},
        {"#Haus: doppelt", "0", "0", "0", "0", "0", "0", "0", "0"},
        {"x", "12345.678", "0.001", "2", "2", "17.5", "-0.5", "0", "-3"},
    };
    for (const HousePanel& p : cases) {
        const Lines text = commitInsert(newProjectLines(), 1, p.generate(Language::German));
        EXPECT_EQ(text[1], "7");
        const HousePanel q = std::get<HousePanel>(openForChange(text, 1));
        EXPECT_EQ((std::vector<std::string>{q.name, q.ewWidth, q.nsWidth, q.height, q.roof, q.rotation, q.x, q.y, q.z}),
                  (std::vector<std::string>{p.name, p.ewWidth, p.nsWidth, p.height, p.roof, p.rotation, p.x, p.y, p.z}));
        EXPECT_EQ(commitChange(text, 1, q.generate(Language::German)), text) << p.name;
    }
}

TEST(GeneratorEdit, TreeFieldsSurviveGenerateAndReadBack) {
    const TreePanel a{"", "3", "0.4", "5", "10", "-4.5", "0",
                      {"0", "0", "10", "50", "100", "100", "100", "100", "80", "40", "5", "0"}};
    TreePanel b = a;
    b.name = "Linde am Weg";
    b.crownDiameter = "7.2";
    b.trunkDiameter = "0";
    TreePanel c = a;
    c.name = "Baum: innen";
    c.foliage.fill("100");
    for (const TreePanel& p : {a, b, c}) {
        const Lines text = commitInsert(newProjectLines(), 1, p.generate(Language::German));
        const TreePanel q = std::get<TreePanel>(openForChange(text, 1));
        EXPECT_EQ((std::vector<std::string>{q.name, q.trunkHeight, q.trunkDiameter, q.crownDiameter, q.x, q.y, q.z}),
                  (std::vector<std::string>{p.name, p.trunkHeight, p.trunkDiameter, p.crownDiameter, p.x, p.y, p.z}));
        EXPECT_EQ(q.foliage, p.foliage);
        EXPECT_EQ(commitChange(text, 1, q.generate(Language::German)), text) << p.name;
    }
}

TEST(GeneratorEdit, TreeWithoutTagReadsBackWithEmptyName) {
    Lines text = commitInsert(newProjectLines(), 1, tree("1", "1", "2.4").generate(Language::German));
    text[4] = "#   1.000    1.000    2.400    0.000    0.000    0.000";
    const TreePanel q = std::get<TreePanel>(openForChange(text, 1));
    EXPECT_EQ(q.name, "");
    EXPECT_EQ(q.crownDiameter, "2.4");
}

TEST(GeneratorEdit, OverhangFieldsSurviveGenerateAndReadBack) {
    const Lines text = collectorWithCanopy();
    EXPECT_EQ(text[1], "2");
    const OverhangPanel q = std::get<OverhangPanel>(openForChange(text, 2));
    EXPECT_EQ(q.targetNumber, 1);
    EXPECT_EQ(q.name, "Vordach");
    EXPECT_EQ(q.corners.count, "4");
    EXPECT_EQ(q.azimuthDifference, "0");
    EXPECT_EQ(q.elevationDifference, "-90");
    EXPECT_EQ(q.form.u, "0");
    EXPECT_EQ(q.form.v, "3");
    EXPECT_EQ(commitChange(text, 2, q.generate(text, Language::German)), text);
}

TEST(GeneratorEdit, OverhangFollowsItsChangedTarget) {
    const Lines text = collectorWithCanopy();
    PolygonPanel target = std::get<PolygonPanel>(openForChange(text, 1));
    target.x = "20";
    target.azimuth = "90";
    const Lines changed = commitChange(text, 1, target.generate(Language::German));

    // The canopy now stands where a fresh one on the moved target would stand.
    const ObjektListe liste = ListeAufbauen(changed);
    ASSERT_EQ(liste.ObjektAnzahl, 2);
    const Lines fresh = canopy(1).generate(changed, Language::German);
    EXPECT_EQ(objektZeilen(changed, 2), fresh);
    EXPECT_NE(objektZeilen(text, 2), fresh);
}

TEST(GeneratorEdit, OnlyTheChangedTargetsOverhangsMove) {
    Lines text = collectorWithCanopy();
    const RectanglePanel second{"Fenster", true, "1", "1", "0", "0", "180", "0", "0", "12", "5"};
    text = commitInsert(text, 3, second.generate(Language::German));
    text = commitInsert(text, 4, canopy(3).generate(text, Language::German));
    PolygonPanel target = std::get<PolygonPanel>(openForChange(text, 3));
    target.z = "7";
    const Lines changed = commitChange(text, 3, target.generate(Language::German));
    EXPECT_EQ(objektZeilen(changed, 2), objektZeilen(text, 2));
    EXPECT_NE(objektZeilen(changed, 4), objektZeilen(text, 4));
    EXPECT_EQ(objektZeilen(changed, 4), canopy(3).generate(changed, Language::German));
}

TEST(GeneratorEdit, OverhangNeedsAReadableTarget) {
    const Lines text = commitInsert(newProjectLines(), 1, collectorLines());
    EXPECT_THROW(canopy(2).generate(text, Language::German), InputError);
    EXPECT_THROW(canopy(0).generate(text, Language::German), InputError);
    Lines broken = text;
    broken[7] = "1 2 3";  // a placement line without "#"
    EXPECT_THROW(canopy(1).generate(broken, Language::German), InputError);
}

TEST(GeneratorEdit, TargetChooserListsTargetsInTextOrder) {
    Lines text = collectorWithCanopy();
    text = commitInsert(text, 1, RectanglePanel{"Mauer", false, "1", "1", "0", "0", "0", "0", "0", "0", "0"}
                                     .generate(Language::German));
    const auto choices = targetChoices(text);
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].label, "Kollektor\t (Target)");
    EXPECT_EQ(choices[0].objectNumber, 2);
}

TEST(GeneratorEdit, MalformedObjectsReportTheLine) {
    struct Case {
        const char* what;
        std::size_t line;     // 0-based line to spoil
        const char* replace;
        int reportedLine;     // 1-based, 0 when any line will do
    };
    // Collector lines (0-based): 2 name, 3 Target, 4 count, 5..8 local, 9 placement, 10..13 vertices.
    const Case cases[] = {
        {"corner count not a number", 4, "vier", 0},
        {"local line unreadable", 6, "# 4.000000 x 0.000000", 7},
        {"placement line too short", 9, "# 180.000  45.000", 10},
    };
    for (const Case& c : cases) {
        Lines text = collectorWithCanopy();
        text[c.line] = c.replace;
        try {
            openForChange(text, 1);
            ADD_FAILURE() << c.what;
        } catch (const InputError& e) {
            if (c.reportedLine) {
                EXPECT_EQ(e.line(), c.reportedLine) << c.what << ": " << e.what();
            }
        }
    }
    // A house whose parameter line is missing: the text ends after its name.
    Lines house = commitInsert(newProjectLines(), 1,
                               HousePanel{"", "1", "1", "1", "1", "0", "0", "0", "0"}.generate(Language::German));
    EXPECT_THROW(readHouse(Lines{"*", "7", "Frontseite"}, 2), InputError);
    house[3] = "#  kaputt";
    EXPECT_THROW(openForChange(house, 1), InputError);
    EXPECT_THROW(openForChange(house, 2), InputError);
    EXPECT_THROW(readTree(Lines{"Baum", "Belaubung"}, 0), InputError);
}

}  // namespace
}  // namespace penumbro
