// Damaged project texts fed to the editor: the object list is built as far as it
// reads and says where it stopped; every read-back (panels, placement, site,
// reflectance, horizon, target check) and every list operation either works or
// throws an InputError with a message. Nothing crashes, hangs or reads past the end.

#include "editor/EditOperations.h"
#include "editor/GeneratorEdit.h"
#include "editor/HorizonEditing.h"
#include "editor/ObjectTable.h"
#include "editor/PanelFields.h"
#include "editor/PanelOverhang.h"
#include "editor/SiteEditing.h"
#include "support/Mutations.h"
#include "editor/EditTexts.h"
#include "engine/Compiler.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

using mutation::Mutant;

Lines editorText() {
    using namespace testtexts;
    Lines t{"* Editor", "17"};
    append(t, flaeche("Kollektor", true));
    append(t, {"$#1Vordach", "4", "# -0.300000 0.000000 1.400000", "# 1.800000 0.000000 1.400000",
               "# 1.800000 0.000000 2.200000", "# -0.300000 0.000000 2.200000",
               "# 0.000  -90.000  0.000  0.000  0.000", "-0.300000 -0.000000 2.400000",
               "1.800000 0.000000 2.400000", "1.800000 -0.800000 2.400000", "-0.300000 -0.800000 2.400000"});
    append(t, baum("Linde"));
    append(t, haus("Nachbar"));
    append(t, flaeche("Mauer"));
    append(t, {"Horizont", "0-100=4", "100-260=9.5", "260-360=3", "Standort", "50.0 -8.0 -1.0",
               "Bodenreflexion", " 40 40 30 20 20 20 20 20 20 20 30 40"});
    return t;
}

std::vector<Lines> baseTexts() {
    return {editorText(), mutation::sourceFile("examples/collector.dat"),
            mutation::sourceFile("examples/facade.dat")};
}

// The list's own invariants: numbering, lines inside the text, the error line at
// most one past the end.
void expectSoundList(const ObjektListe& l, const Lines& text, const std::string& how) {
    const int size = static_cast<int>(text.size());
    ASSERT_EQ(static_cast<int>(l.Objekte.size()), l.ObjektAnzahl + 1) << how;
    ASSERT_GE(l.fehlerZeile, 0) << how;
    ASSERT_LE(l.fehlerZeile, size + 1) << how;
    EXPECT_EQ(l.fehlerhaft(), !l.fehler.empty()) << how;
    for (int k = 1; k <= l.ObjektAnzahl; ++k) {
        const TObjekt& o = l.objekt(k);
        ASSERT_GE(o.Zeile, 1) << how;
        ASSERT_LE(o.Zeile, size) << how;
        EXPECT_LE(static_cast<int>(o.Name.size()), kMaxNameLength) << how;
    }
    ASSERT_LE(l.objekt(l.ObjektAnzahl + 1).Zeile, size + 1) << how;
    for (int v : l.bodenreflexion) EXPECT_TRUE(v >= 0 && v <= 999) << how;
}

TEST(EditorRobustness, ObjectListOfMutatedTextsNeverThrows) {
    std::uint32_t stream = 91;
    for (const Lines& base : baseTexts()) {
        for (const Mutant& m : mutation::mutants(base, stream++, 800)) {
            ObjektListe l;
            ASSERT_NO_THROW(l = ListeAufbauen(m.lines)) << m.how;
            expectSoundList(l, m.lines, m.how);
            mutation::expectCleanOutcome(m, "mutant.dat", [&] { fehlerPruefen(l, "mutant.dat"); });
        }
    }
}

// Every reader the editor opens a panel or a check with.
TEST(EditorRobustness, ReadBacksOfMutatedTextsWorkOrRefuse) {
    std::uint32_t stream = 101;
    for (const Lines& base : baseTexts()) {
        for (const Mutant& m : mutation::mutants(base, stream++, 250)) {
            const ObjektListe l = ListeAufbauen(m.lines);
            const int objects = std::min(l.ObjektAnzahl, 12);
            const auto clean = [&](const std::function<void()>& f) { mutation::expectCleanOutcome(m, "", f); };
            for (int k = 1; k <= objects; ++k) {
                clean([&] { (void)openForChange(m.lines, k); });
                clean([&] { (void)objektZeilen(m.lines, k); });
                if (!l.objekt(k).istBaum() && !l.objekt(k).istHaus())
                    clean([&] { (void)platzierungLesen(m.lines, k); });
            }
            clean([&] { (void)TargetflaechenPruefen(m.lines); });
            clean([&] { (void)targetChoices(m.lines); });
            clean([&] { (void)standortLesen(m.lines); });
            clean([&] { (void)bodenreflexionLesen(m.lines); });
            clean([&] { (void)horizontLesen(m.lines); });
        }
    }
}

// List operations on damaged texts: the result is a text whose list still reads as
// far as the input's did, or a refusal.
TEST(EditorRobustness, OperationsOnMutatedTextsWorkOrRefuse) {
    std::uint32_t stream = 111;
    const Lines wall = testtexts::flaeche("Neu");
    for (const Lines& base : baseTexts()) {
        for (const Mutant& m : mutation::mutants(base, stream++, 120)) {
            const ObjektListe l = ListeAufbauen(m.lines);
            const int objects = std::min(l.ObjektAnzahl, 8);
            const auto clean = [&](const std::function<void()>& f) { mutation::expectCleanOutcome(m, "", f); };
            for (int k = 1; k <= objects; ++k) {
                clean([&] { (void)deleteObject(m.lines, k); });
                clean([&] { (void)commitInsert(m.lines, k, wall); });
                clean([&] { (void)commitChange(m.lines, k, wall); });
                clean([&] { (void)regenerateOverhangs(m.lines, k); });
            }
            clean([&] { (void)commitInsert(m.lines, l.ObjektAnzahl + 1, wall); });
            clean([&] { (void)KommentarExit(m.lines, {"neu"}); });
            clean([&] { (void)standortSchreiben(m.lines, Standort{}); });
            clean([&] { (void)bodenreflexionSchreiben(m.lines, Monatswerte{}); });
            clean([&] { (void)horizontSchreiben(m.lines, {{"0", "360", "5"}}); });
        }
    }
}

// Fields of absurd size once made lines of 300-digit numbers that no reader could
// use; now the panel names the field, and the largest values it takes make a text
// that compiles.
TEST(EditorRobustness, NumberFieldsBeyondTheLimitAreRefusedByName) {
    const FieldValues rectangle = {{"name", "R"}, {"lu", "2"}, {"lv", "3"}, {"u0", "0"}, {"v0", "0"},
                                   {"x", "1"},    {"y", "2"},  {"z", "0"}};
    const FieldValues house = {{"name", "H"}, {"ew-width", "8"}, {"ns-width", "6"}, {"height", "5"},
                               {"roof", "2"}, {"rotation", "0"}, {"x", "0"}, {"y", "0"}, {"z", "0"}};
    const FieldValues tree = {{"name", "T"}, {"trunk-height", "2"}, {"trunk-diameter", "0.4"},
                              {"crown-diameter", "4"}, {"x", "0"}, {"y", "0"}, {"z", "0"}};
    const FieldValues polygon = {{"name", "P"}, {"corners", "0,0;1,0;0,1"}, {"x", "0"}, {"y", "0"}, {"z", "0"}};
    auto with = [](FieldValues v, const std::string& field, const std::string& value) {
        for (auto& [f, val] : v)
            if (f == field) val = value;
        return v;
    };
    auto generate = [](const std::string& kind, const FieldValues& v) {
        const Language en = Language::English;
        if (kind == "rectangle") { RectanglePanel p; applyFields(p, v, en); return p.generate(en); }
        if (kind == "house") { HousePanel p; applyFields(p, v, en); return p.generate(en); }
        if (kind == "tree") { TreePanel p; applyFields(p, v, en); return p.generate(en); }
        PolygonPanel p;
        applyFields(p, v, en);
        return p.generate(en);
    };
    struct Case {
        std::string kind;
        FieldValues base;
        std::string field;
    };
    const Case cases[] = {
        {"rectangle", rectangle, "lu"},         {"rectangle", rectangle, "u0"},
        {"rectangle", rectangle, "x"},          {"house", house, "ew-width"},
        {"house", house, "height"},             {"house", house, "y"},
        {"tree", tree, "trunk-height"},         {"tree", tree, "crown-diameter"},
        {"tree", tree, "z"},                    {"polygon", polygon, "x"},
    };
    for (const auto& c : cases) {
        for (const char* huge : {"1e300", "-1e300", "1000001", "-1000000.5"}) {
            try {
                (void)generate(c.kind, with(c.base, c.field, huge));
                ADD_FAILURE() << c.kind << " " << c.field << "=" << huge << " generated";
            } catch (const InputError& e) {
                EXPECT_EQ(std::string(e.what()).rfind(c.field + ":", 0), 0u) << e.what();
            }
        }
        Lines text = newProjectLines();
        const Lines lines = generate(c.kind, with(c.base, c.field, "1000000"));
        text.insert(text.begin() + 2, lines.begin(), lines.end());
        text[1] = std::to_string(flaechenVon(lines));
        EXPECT_NO_THROW((void)compileProject(text, "largest.dat")) << c.kind << " " << c.field;
    }
    // A corner beyond the limit makes the grid unreadable.
    EXPECT_THROW((void)generate("polygon", with(polygon, "corners", "0,0;1e300,0;0,1")), InputError);
}

}  // namespace
}  // namespace penumbro
