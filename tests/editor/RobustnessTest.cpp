// Damaged project texts fed to the editor: the object list is built as far as it
// reads and says where it stopped; every read-back (panels, placement, site,
// reflectance, horizon, target check) and every list operation either works or
// throws an InputError with a message. Nothing crashes, hangs or reads past the end.

#include "editor/CommentBlock.h"
#include "editor/GeneratorEdit.h"
#include "editor/HorizonEditing.h"
#include "editor/ObjectSplices.h"
#include "editor/ObjectTable.h"
#include "editor/SiteEditing.h"
#include "editor/TargetCheck.h"

#include "EditTexts.h"
#include "support/Mutations.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

using mutation::Mutant;

// Every kind of object under a horizon, and the shipped examples.
std::vector<Lines> baseTexts() {
    using namespace testtexts;
    return {testing::project({surface("Kollektor", true), surface("$#1Vordach"), tree("Linde"), house("Nachbar"),
                              surface("Mauer")}, 17, {"0-100=4", "100-260=9.5", "260-360=3"}),
            mutation::sourceFile("examples/collector.dat"), mutation::sourceFile("examples/facade.dat")};
}

// The list's own invariants: numbering, lines inside the text, the error line at
// most one past the end.
void expectSoundList(const ObjectList& l, const Lines& text, const std::string& how) {
    const int size = static_cast<int>(text.size());
    ASSERT_EQ(static_cast<int>(l.Objekte.size()), l.ObjektAnzahl + 1) << how;
    ASSERT_TRUE(l.errorLine >= 0 && l.errorLine <= size + 1) << how;
    EXPECT_EQ(l.faulty(), !l.error.empty()) << how;
    for (int k = 1; k <= l.ObjektAnzahl; ++k) {
        const TObjekt& o = l.object(k);
        ASSERT_TRUE(o.Zeile >= 1 && o.Zeile <= size) << how << ": object " << k << " at " << o.Zeile;
        EXPECT_LE(static_cast<int>(o.Name.size()), kMaxNameLength) << how;
    }
    ASSERT_LE(l.object(l.ObjektAnzahl + 1).Zeile, size + 1) << how;
    for (int v : l.reflectance) EXPECT_TRUE(v >= 0 && v <= 999) << how;
}

TEST(EditorRobustness, ObjectListOfMutatedTextsNeverThrows) {
    std::uint32_t stream = 91;
    for (const Lines& base : baseTexts()) {
        for (const Mutant& m : mutation::mutants(base, stream++, 800)) {
            const ObjectList l = ListeAufbauen(m.lines);  // a throw fails the test
            expectSoundList(l, m.lines, m.how);
            mutation::expectCleanOutcome(m, "mutant.dat", [&] { throwIfFaulty(l, "mutant.dat"); });
        }
    }
}

// Every reader the editor opens a panel or a check with, and every list operation: the
// result is a text whose list still reads as far as the input's did, or a refusal.
TEST(EditorRobustness, ReadBacksAndOperationsOnMutatedTextsWorkOrRefuse) {
    std::uint32_t stream = 101;
    const Lines wall = testtexts::surface("Neu");
    for (const Lines& base : baseTexts()) {
        for (const Mutant& m : mutation::mutants(base, stream++, 250)) {
            const ObjectList l = ListeAufbauen(m.lines);
            const int objects = std::min(l.ObjektAnzahl, 12);
            const auto clean = [&](const std::function<void()>& f) { mutation::expectCleanOutcome(m, "", f); };
            for (int k = 1; k <= objects; ++k) {
                clean([&] { (void)openForChange(m.lines, k); });
                clean([&] { (void)objectLines(m.lines, k); });
                clean([&] { (void)targetPlacementOf(m.lines, k); });
                clean([&] { (void)deleteObject(m.lines, k); });
                clean([&] { (void)commitInsert(m.lines, k, wall); });
                clean([&] { (void)commitChange(m.lines, k, wall); });
                clean([&] { (void)regenerateOverhangs(m.lines, k); });
            }
            clean([&] { (void)checkTargets(m.lines); });
            clean([&] { (void)targetChoices(m.lines); });
            clean([&] { (void)readSite(m.lines); });
            clean([&] { (void)readReflectance(m.lines); });
            clean([&] { (void)readHorizon(m.lines); });
            clean([&] { (void)commitInsert(m.lines, l.ObjektAnzahl + 1, wall); });
            clean([&] { (void)KommentarExit(m.lines, {"neu"}); });
            clean([&] { (void)writeSite(m.lines, SiteValues{}); });
            clean([&] { (void)writeReflectance(m.lines, MonthlyValues{}); });
            clean([&] { (void)writeHorizon(m.lines, {{"0", "360", "5"}}); });
        }
    }
}

}  // namespace
}  // namespace penumbro
