// Edits that once went wrong: deleting or moving a target with its overhangs (now one
// pass over the text), OK without edits moving a surface typed with more decimals than
// its line keeps, and an overhang whose owner number names no target.

#include "editor/GeneratorEdit.h"
#include "editor/ObjectSplices.h"
#include "project/InputError.h"

#include <gtest/gtest.h>
#include <type_traits>

namespace penumbro {
namespace {

const Language en = Language::English;

// OK on the panel a change opens, nothing edited.
Lines unchanged(const Lines& text, int nr) {
    const ChangePanel panel = openForChange(text, nr);
    const Lines generated = std::visit(
        [&](const auto& p) {
            if constexpr (std::is_same_v<std::decay_t<decltype(p)>, OverhangPanel>)
                return p.generate(text, en);
            else
                return p.generate(en);
        },
        panel);
    return commitChange(text, nr, generated);
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
    const int secondNr = withFirst ? 3 : 2;
    for (int k = 0; k < 12; ++k) {
        if (withFirst) objects.push_back(overhangOn(1, kSouth));
        objects.push_back(overhangOn(secondNr, second));
    }
    return withObjects(objects);
}

TEST(EditFindings, TargetDeleteAndChangeCarryTheirOverhangsInOnePass) {
    EXPECT_EQ(deleteObject(twoTargets(true, kSouth), 1), twoTargets(false, kSouth));
    Lines moved = twoTargets(true, kSouth);
    moved = commitChange(moved, 3, plain("T2", true, kWest));
    EXPECT_EQ(moved, twoTargets(true, kWest));
}

TEST(EditFindings, ChangeWithoutEditsKeepsTheTextForEveryKind) {
    const Placement typed{180.0004, 45.0006, {12.0004, 12, 0.4008}};
    const Lines target =
        generatePlainSurface({"T", true, rectangleCorners(4.0004, 3, 0.0000004, 0), typed});
    const Lines text = withObjects({
        target,
        generatePlainSurface({"P", false, {{0, 0}, {2.0000004, 0}, {1, 1.5000006}}, typed}),
        generateHouse({"H", 13.0004, 5, 7, 3, 20.0004, {2.0036, 0, 0}}),
        generateTree({"B", 1.0004, 0.5006, 2.4004, {1.0004, 2, 0.0005}, {}}),
        generateOverhang({"o", 1, rectangleCorners(4, 1.0000004, 0, 3), 10.0004, -90.0004, 0, 3},
                         readTargetPlacement(target, 0)),
    });
    for (int nr = 1; nr <= 5; ++nr)
        EXPECT_EQ(unchanged(text, nr), text) << "object " << nr;
}

TEST(EditFindings, ChangeRefusesAnOverhangWithoutItsTarget) {
    struct Case {
        std::vector<Lines> objects;
        int overhang;
    };
    const Case cases[] = {
        {{overhangOn(1, kSouth)}, 1},                           // owns itself
        {{plain("W", false, kWest), overhangOn(1, kWest)}, 2},  // owner no target
        {{plain("T", true, kSouth), overhangOn(7, kSouth)}, 2},  // owner missing
        {{plain("T", true, kSouth), overhangOn(0, kSouth)}, 2},
    };
    for (const Case& c : cases) {
        const Lines text = withObjects(c.objects);
        const int nameLine = c.overhang == 1 ? 3 : 3 + static_cast<int>(c.objects[0].size());
        try {
            (void)unchanged(text, c.overhang);
            ADD_FAILURE() << "accepted " << text[static_cast<std::size_t>(nameLine - 1)];
        } catch (const InputError& e) {
            EXPECT_EQ(e.line(), nameLine) << e.what();
        }
    }
}

}  // namespace
}  // namespace penumbro
