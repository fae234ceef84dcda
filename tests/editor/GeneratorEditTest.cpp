// Generated objects in the project text: read back for a change, added, inserted,
// changed, and overhangs following their target.

#include "editor/GeneratorEdit.h"
#include "editor/ObjectSplices.h"
#include "editor/ObjectTable.h"
#include "editor/panels/PanelFields.h"
#include "EditTexts.h"
#include "project/InputError.h"
#include "support/Refusal.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

using testtexts::canopy;

const Language de = Language::German;
using Texts = std::vector<std::string>;

// A project holding the collector as object 1 and a canopy on it as object 2.
Lines collectorWithCanopy() {
    Lines text = commitInsert(newProjectLines(), 1, RectanglePanel{"Kollektor", true, "4", "3", "0", "0", "180", "45", "12", "12", "5"}.generate(de));
    return commitInsert(text, 2, canopy(1).generate(text, de));
}

// The panel the change opens, and OK without edits rewrites the same text.
template <class Panel, class Generate>
Panel reopened(const Lines& text, int nr, Generate generate) {
    const Panel q = std::get<Panel>(openForChange(text, nr));
    EXPECT_EQ(commitChange(text, nr, generate(q)), text);
    return q;
}
const auto plainLines = [](const auto& q) { return q.generate(de); };

TEST(GeneratorEdit, PanelFieldsSurviveGenerateAndReadBack) {
    const FieldValues polygons[] = {
        {{"name", "Dreieck"}, {"corners", "0,0;2,0;1,1.5"}, {"x", "0"}, {"y", "0"}, {"z", "0"}},
        {{"name", "Wand Ost"}, {"target", "1"}, {"corners", "-1.25,0;3,0;3,2;0.5,2.5;-1.25,2"}, {"azimuth", "359.9"},
         {"elevation", "-12.5"}, {"x", "12345.678"}, {"y", "-0.001"}, {"z", "3.75"}},
    };
    const auto texts = [](const PolygonPanel& p) {
        Texts t{p.name, p.target ? "1" : "0", p.azimuth, p.elevation, p.x, p.y, p.z};
        for (const auto& r : p.corners.rows) t.insert(t.end(), {r.u, r.v});
        return t;
    };
    for (const FieldValues& fields : polygons) {
        PolygonPanel p;
        applyFields(p, fields, de);
        EXPECT_EQ(texts(reopened<PolygonPanel>(commitInsert(newProjectLines(), 1, p.generate(de)), 1, plainLines)),
                  texts(p));
    }
    for (const HousePanel& p : {HousePanel{"", "13", "5", "7", "3", "90", "4", "5", "0"},
                                HousePanel{"Nachbarhaus mit langem Namen, l\xE4nger als 25", "8.5", "12.25", "6", "0",
                                           "360", "-10", "20.125", "1.5"}}) {
        const HousePanel q = reopened<HousePanel>(commitInsert(newProjectLines(), 1, p.generate(de)), 1, plainLines);
        EXPECT_EQ((Texts{q.name, q.ewWidth, q.nsWidth, q.height, q.roof, q.rotation, q.x, q.y, q.z}),
                  (Texts{p.name, p.ewWidth, p.nsWidth, p.height, p.roof, p.rotation, p.x, p.y, p.z}));
    }
    const TreePanel tree{"Linde am Weg", "3", "0", "7.2", "10", "-4.5", "0",
                         {"0", "0", "10", "50", "100", "100", "100", "100", "80", "40", "5", "0"}};
    const TreePanel q = reopened<TreePanel>(commitInsert(newProjectLines(), 1, tree.generate(de)), 1, plainLines);
    EXPECT_EQ((Texts{q.name, q.trunkHeight, q.trunkDiameter, q.crownDiameter, q.x, q.y, q.z}),
              (Texts{tree.name, tree.trunkHeight, tree.trunkDiameter, tree.crownDiameter, tree.x, tree.y, tree.z}));
    EXPECT_EQ(q.foliage, tree.foliage);
    const Lines text = collectorWithCanopy();
    const OverhangPanel o =
        reopened<OverhangPanel>(text, 2, [&](const OverhangPanel& panel) { return panel.generate(text, de); });
    EXPECT_EQ((Texts{o.name, o.corners.count, o.azimuthDifference, o.elevationDifference, o.form.u, o.form.v}),
              (Texts{"Vordach", "4", "0", "-90", "0", "3"}));
    EXPECT_EQ(o.targetNumber, 1);
}

TEST(GeneratorEdit, OnlyTheChangedTargetsOverhangsFollowIt) {
    Lines text = collectorWithCanopy();
    text = commitInsert(text, 3, RectanglePanel{"Fenster", true, "1", "1", "0", "0", "180", "0", "0", "12", "5"}
                                     .generate(de));
    text = commitInsert(text, 4, canopy(3).generate(text, de));
    PolygonPanel target = std::get<PolygonPanel>(openForChange(text, 1));
    target.x = "20", target.azimuth = "90";
    const Lines changed = commitChange(text, 1, target.generate(de));
    // The canopy now stands where a fresh one on the moved target would stand.
    EXPECT_EQ(objectLines(changed, 2), canopy(1).generate(changed, de));
    EXPECT_NE(objectLines(changed, 2), objectLines(text, 2));
    EXPECT_EQ(objectLines(changed, 4), objectLines(text, 4));
    for (int nr : {0, 5}) EXPECT_THROW(canopy(nr).generate(text, de), InputError) << nr;
}

TEST(GeneratorEdit, MalformedObjectsReportTheLine) {
    // Collector lines (0-based): 2 name, 3 Target, 4 count, 5..8 local, 9 placement, 10..13 vertices.
    const std::tuple<const char*, std::size_t, const char*, int> cases[] = {
        {"corner count not a number", 4, "vier", 5},
        {"local line unreadable", 6, "# 4.000000 x 0.000000", 7},
        {"placement line too short", 9, "# 180.000  45.000", 10},
    };
    for (const auto& [what, line, replace, reported] : cases) {
        Lines text = collectorWithCanopy();
        text[line] = replace;
        EXPECT_EQ(testing::refusal([&] { openForChange(text, 1); }).line(), reported) << what;
    }
    Lines house = commitInsert(newProjectLines(), 1, HousePanel{"", "1", "1", "1", "1", "0", "0", "0", "0"}.generate(de));
    house[3] = "#  kaputt";
    EXPECT_THROW(openForChange(house, 1), InputError);
    EXPECT_THROW(readHouse(Lines{"*", "7", "Frontseite"}, 2), InputError);
    EXPECT_THROW(readTree(Lines{"Baum", "Belaubung"}, 0), InputError);
}

}  // namespace
}  // namespace penumbro
