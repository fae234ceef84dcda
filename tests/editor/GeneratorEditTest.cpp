// Generated objects in the project text: read back for a change, added, inserted,
// changed, and overhangs following their target. Then edits that once went wrong:
// deleting or moving a target with its overhangs, OK without edits moving a surface
// typed with more decimals than its line keeps, an overhang owned by no target.

#include "editor/GeneratorEdit.h"
#include "editor/ObjectSplices.h"
#include "editor/ObjectTable.h"
#include "editor/panels/PanelFields.h"
#include "EditTexts.h"
#include "project/InputError.h"
#include "support/Refusal.h"

#include <gtest/gtest.h>
#include <type_traits>

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
    const HousePanel p{"Nachbarhaus mit langem Namen, l\xE4nger als 25", "8.5", "12.25", "6", "0", "360", "-10", "20.125", "1.5"};
    const HousePanel h = reopened<HousePanel>(commitInsert(newProjectLines(), 1, p.generate(de)), 1, plainLines);
    EXPECT_EQ((Texts{h.name, h.ewWidth, h.nsWidth, h.height, h.roof, h.rotation, h.x, h.y, h.z}),
              (Texts{p.name, p.ewWidth, p.nsWidth, p.height, p.roof, p.rotation, p.x, p.y, p.z}));
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
    EXPECT_THROW(openForChange((house[3] = "#  kaputt", house), 1), InputError);
    EXPECT_THROW(readTree(Lines{"Baum", "Belaubung"}, 0), InputError);
}

const Language en = Language::English;

// OK on the panel a change opens, nothing edited.
Lines unchanged(const Lines& text, int nr) {
    const ChangePanel panel = openForChange(text, nr);
    return commitChange(text, nr, std::visit([&](const auto& p) {
        if constexpr (std::is_same_v<std::decay_t<decltype(p)>, OverhangPanel>) return p.generate(text, en);
        else return p.generate(en);
    }, panel));
}

Lines withObjects(const std::vector<Lines>& objects) {
    Lines text = newProjectLines();
    for (std::size_t k = 0; k < objects.size(); ++k)
        text = commitInsert(text, static_cast<int>(k) + 1, objects[k]);
    return text;
}

Lines plain(const std::string& name, bool target, const Placement& at) {
    return generatePlainSurface({name, target, rectangleCorners(4, 3, 0, 0), at});
}

Lines overhangOn(int owner, const Placement& target) {
    return generateOverhang({"o", owner, rectangleCorners(4, 1, 0, 3), 0, -90, 0, 3}, target);
}

const Placement kSouth{180, 45, {12, 12, 5}};
const Placement kWest{270, 30, {-2, 7, 1}};

// Targets 1 and 3 around a wall, each with 12 overhangs, the owners interleaved;
// without target 1 the second target becomes object 2.
Lines twoTargets(bool withFirst, const Placement& second) {
    std::vector<Lines> objects;
    if (withFirst) objects.push_back(plain("T1", true, kSouth));
    objects.push_back(plain("W", false, kWest));
    objects.push_back(plain("T2", true, second));
    for (int k = 0; k < 12; ++k) {
        if (withFirst) objects.push_back(overhangOn(1, kSouth));
        objects.push_back(overhangOn(withFirst ? 3 : 2, second));
    }
    return withObjects(objects);
}

TEST(EditFindings, TargetDeleteAndChangeCarryTheirOverhangsInOnePass) {
    EXPECT_EQ(deleteObject(twoTargets(true, kSouth), 1), twoTargets(false, kSouth));
    EXPECT_EQ(commitChange(twoTargets(true, kSouth), 3, plain("T2", true, kWest)), twoTargets(true, kWest));
}

TEST(EditFindings, ChangeWithoutEditsKeepsTheTextForEveryKind) {
    const Placement typed{180.0004, 45.0006, {12.0004, 12, 0.4008}};
    const Lines target = generatePlainSurface({"T", true, rectangleCorners(4.0004, 3, 0.0000004, 0), typed});
    const Lines text = withObjects({
        target,
        generatePlainSurface({"P", false, {{0, 0}, {2.0000004, 0}, {1, 1.5000006}}, typed}),
        generateHouse({"H", 13.0004, 5, 7, 3, 20.0004, {2.0036, 0, 0}}),
        generateTree({"B", 1.0004, 0.5006, 2.4004, {1.0004, 2, 0.0005}, {}}),
        generateOverhang({"o", 1, rectangleCorners(4, 1.0000004, 0, 3), 10.0004, -90.0004, 0, 3},
                         readTargetPlacement(target, 0)),
    });
    for (int nr = 1; nr <= 5; ++nr) EXPECT_EQ(unchanged(text, nr), text) << "object " << nr;
}

TEST(EditFindings, ChangeRefusesAnOverhangWithoutItsTarget) {
    const std::pair<std::vector<Lines>, int> cases[] = {
        {{overhangOn(1, kSouth)}, 1},                           // owns itself
        {{plain("W", false, kWest), overhangOn(1, kWest)}, 2},  // owner no target
        {{plain("T", true, kSouth), overhangOn(7, kSouth)}, 2},  // owner missing
        {{plain("T", true, kSouth), overhangOn(0, kSouth)}, 2},
    };
    for (const auto& [objects, overhang] : cases) {
        const Lines text = withObjects(objects);
        const int nameLine = overhang == 1 ? 3 : 3 + static_cast<int>(objects[0].size());
        EXPECT_EQ(testing::refusal([&] { (void)unchanged(text, overhang); }).line(), nameLine);
    }
}

}  // namespace
}  // namespace penumbro
