// The object list, the list operations, the comment block and the target-plane check.

#include "editor/CommentBlock.h"
#include "editor/ObjectSplices.h"
#include "editor/ObjectTable.h"
#include "editor/TargetCheck.h"
#include "EditTexts.h"
#include "project/InputError.h"
#include "support/Refusal.h"

#include <gtest/gtest.h>
#include <algorithm>

namespace penumbro {
namespace {

using namespace testtexts;
using Names = std::vector<std::string>;

// Names of the listed objects, with the overhang number for overhangs ("$#2V").
Names names(const Lines& text) {
    const ObjectList l = ListeAufbauen(text);
    EXPECT_FALSE(l.faulty()) << l.error;
    Names out;
    for (int k = 1; k <= l.ObjektAnzahl; ++k) {
        const TObjekt& o = l.object(k);
        out.push_back(o.isOverhang() ? "$#" + std::to_string(o.TargetNr) + o.Name : o.Name);
    }
    return out;
}

int count(const Lines& text) { return ListeAufbauen(text).surfaceCount; }

TEST(ZeilenEinsetzen, AddGoesAfterTheLastObjectBeforeTheSections) {
    for (const Lines& generated : {surface("R"), house("H")}) {
        const int surfaces = surfacesOf(generated);
        const Lines out = ZeilenEinsetzen(newProjectLines(), 1, true, generated, surfaces);
        EXPECT_EQ(out[1], std::to_string(surfaces));
        ASSERT_EQ(out.size(), 6 + generated.size());
        EXPECT_TRUE(std::equal(generated.begin(), generated.end(), out.begin() + 2));
        EXPECT_EQ(out[2 + generated.size()], "Standort");
    }
    Lines text = projectOf({surface("A")}, 1);
    text.insert(text.begin() + 13, {"Horizont", "0-360=5"});
    const Lines out = ZeilenEinsetzen(text, 2, true, surface("B"), 1);
    EXPECT_EQ(names(out), (Names{"A", "B"}));
    EXPECT_EQ(out[24], "Horizont");
}

TEST(ZeilenEinsetzen, InsertRenumbersOverhangsAtAndBehindThePosition) {
    const Lines text =
        projectOf({surface("T1", true), surface("$#1V1"), surface("T3", true), surface("$#3V3")}, 4);
    const std::pair<int, Names> cases[] = {
        {1, {"Neu", "T1", "$#2V1", "T3", "$#4V3"}}, {2, {"T1", "Neu", "$#1V1", "T3", "$#4V3"}},
        {4, {"T1", "$#1V1", "T3", "Neu", "$#3V3"}}, {5, {"T1", "$#1V1", "T3", "$#3V3", "Neu"}},
    };
    for (const auto& [before, expected] : cases) {
        const Lines out = ZeilenEinsetzen(text, before, true, surface("Neu"), 1);
        EXPECT_EQ(names(out), expected) << before;
        EXPECT_EQ(count(out), 5);
    }
    // An overhang inserted before its own target follows it.
    EXPECT_EQ(names(ZeilenEinsetzen(projectOf({surface("T", true)}, 1), 1, true, surface("$#1V"), 1)), (Names{"$#2V", "T"}));
    // A change replaces one object; the count follows its surfaces.
    const Lines withTree = projectOf({surface("A"), tree("B"), surface("C")}, 9);
    EXPECT_EQ(ListeAufbauen(ZeilenEinsetzen(withTree, 2, false, tree("Eiche"), 7)).labels[1], "Baum: Eiche");
    const Lines out = ZeilenEinsetzen(withTree, 2, false, surface("B2"), 1);
    EXPECT_EQ(names(out), (Names{"A", "B2", "C"}));
    EXPECT_EQ(count(out), 3);
}

TEST(ZeilenEinsetzen, RefusesBadNumbersAndBadLinesWithoutChange) {
    const Lines text = projectOf({surface("A")}, 1);
    Lines broken = text;
    broken[1] = "2";
    Lines two = surface("X");
    two.insert(two.end(), text.begin() + 2, text.begin() + 13);
    const std::tuple<const char*, Lines, int, bool, Lines> cases[] = {
        {"insert at 0", text, 0, true, surface("X")}, {"change the sentinel", text, 2, false, surface("X")},
        {"malformed text", broken, 1, true, surface("X")}, {"generated lines two objects", text, 1, true, two},
        {"generated lines incomplete", text, 1, true, Lines{"X", "4", "1 2 3"}},
    };
    for (const auto& [what, t, nr, insert, generated] : cases)
        EXPECT_THROW(ZeilenEinsetzen(t, nr, insert, generated, 1), InputError) << what;
}

TEST(DeleteObject, RenumbersAndTakesATargetsOverhangsAlong) {
    const Lines text = projectOf({surface("T1", true), surface("$#1V1"), surface("A"), surface("$#1V2"),
                                  surface("T5", true), surface("$#5W")},
                                 6);
    EXPECT_EQ(names(deleteObject(text, 1)), (Names{"A", "T5", "$#2W"}));
    const Lines mixed = projectOf({house("H"), surface("T", true), surface("$#2V"), tree("B")}, 16);
    const std::tuple<int, Names, int> cases[] = {
        {1, {"T", "$#1V", "Baum"}, 9}, {2, {"Haus", "Baum"}, 14}, {3, {"Haus", "T", "Baum"}, 15},
        {4, {"Haus", "T", "$#2V"}, 9},
    };
    for (const auto& [nr, expected, surfaces] : cases) {
        const Lines out = deleteObject(mixed, nr);
        EXPECT_EQ(names(out), expected) << nr;
        EXPECT_EQ(count(out), surfaces) << nr;
    }
    for (int nr : {0, 5}) EXPECT_THROW(deleteObject(mixed, nr), InputError) << nr;
    // Removing lines alone renumbers nothing.
    EXPECT_EQ(names(ZeilenEntfernen(mixed, 1)), (Names{"T", "$#2V", "Baum"}));
}

TEST(FlaechenSchreiben, DropsEmptyLinesAndAddsAsLastObject) {
    Lines text = projectOf({surface("A")}, 1);
    text.insert(text.begin() + 1, ""), text.push_back("");
    const Lines out = FlaechenSchreiben(text, surface("B"), 1);
    EXPECT_EQ(names(out), (Names{"A", "B"}));
    EXPECT_EQ(std::count(out.begin(), out.end(), std::string()), 0);
}

TEST(KommentarExit, MemoLayout) {
    const std::tuple<const char*, Lines, Lines> cases[] = {
        {"inner empty kept, trailing dropped", {"a", "", "b", "", ""}, {"* a", "* ", "* b"}},
        {"empty memo", {}, {"* "}}, {"cut to 79", {std::string(100, 'x')}, {"* " + std::string(77, 'x')}},
        {"line break inside a memo line", {"a\r\nb"}, {"* a", "* b"}},
    };
    Lines text = projectOf({surface("A")}, 1);
    text.insert(text.begin() + 1, "* alt");
    text.insert(text.begin() + 5, "");        // an empty line inside the text stays
    text.insert(text.begin() + 6, "*fremd");  // a comment line elsewhere goes away
    for (auto [what, memo, expected] : cases) {
        for (const auto& l : text)
            if (l.empty() || l[0] != '*') expected.push_back(l);
        EXPECT_EQ(KommentarExit(text, memo), expected) << what;
    }
}

TEST(CheckTargets, ComparesThePlanesOfAllTargetsAndFallsBackToTheirCount) {
    const std::tuple<const char*, Lines, TargetStatus> cases[] = {
        {"no target", projectOf({surface("A"), tree("B")}, 8), TargetStatus::NoTarget},
        {"two alike", projectOf({surface("T", true), tree("B"), surface("U", true)}, 9), TargetStatus::OnePlane},
        {"azimuth differs", projectOf({surface("T", true), surface("U", true, "90.000")}, 2), TargetStatus::PlanesDiffer},
        {"plain surface may differ", projectOf({surface("T", true), surface("U", false, "90.000")}, 2),
         TargetStatus::OnePlane},
        {"target without placement line",
         {"* ", "1", "T", "Target", "3", "0 0 0", "1 0 0", "1 1 0", "Standort", "1.0 2.0 3.0"}, TargetStatus::OnePlane},
        {"text the list cannot read", {"* ", "2", "T", "Target", "3", "0 0 0"}, TargetStatus::Unreadable},
    };
    for (const auto& [what, text, expected] : cases) {
        const TargetCheckResult r = checkTargets(text);
        EXPECT_EQ(std::pair(r.status, r.error.has_value()), std::pair(expected, expected == TargetStatus::Unreadable)) << what;
    }
}

using namespace testtexts;

TEST(ListeAufbauen, MixedProjectGivesTableEntriesAndLabels) {
    Lines untagged = tree("");
    untagged[2].erase(untagged[2].find("     #Baum:"));
    const Lines text = projectOf({surface("Kollektor", true), tree("Linde"), house(""), surface("$#1Vordach"),
                                  surface("Ein sehr langer Flaechenname mit Rest"), untagged, surface("Haus")},
                                 25);
    const ObjectList l = ListeAufbauen(text);
    ASSERT_FALSE(l.faulty()) << l.error;
    ASSERT_EQ(l.ObjektAnzahl, 7);
    EXPECT_EQ(l.targetCount, 1);
    using P = ObjectKind;
    // Name, Target, label, Zeile, TargetNr, surfaces, kind.
    const std::tuple<std::string, std::string, std::string, int, int, int, ObjectKind> rows[] = {
        {"Kollektor", "  Ja", "Kollektor\t (Target)", 3, -1, 1, P::Plain},
        {"Baum", "Nein", "Baum: Linde", 3 + 12, -1, 7, P::Tree},
        {"Haus", "Nein", "Haus: ", 15 + 60, -1, 7, P::House},
        {"Vordach", "Nein", "Vordach", 75 + 42, 1, 1, P::Plain},
        {"Ein sehr langer Flaechenn", "Nein", "Ein sehr langer Flaechenn", 117 + 11, -1, 1, P::Plain},
        {"Baum", "Nein", "Baum", 128 + 11, -1, 7, P::Tree},
        {"Haus", "Nein", "Haus", 139 + 60, -1, 1, P::Plain},  // a plain surface named "Haus"
    };
    for (int k = 1; k <= 7; ++k) {
        const TObjekt& o = l.object(k);
        EXPECT_EQ(std::tuple(o.Name, o.Target, l.labels[static_cast<std::size_t>(k - 1)], o.Zeile, o.TargetNr,
                             o.surfaces, o.kind),
                  rows[k - 1])
            << k;
    }
    EXPECT_EQ(text[static_cast<std::size_t>(l.object(8).Zeile - 1)], "Standort");
}

TEST(ListeAufbauen, CommentSiteReflectanceAndTheirWarnings) {
    Lines text = newProjectLines();
    text[0] = "* erste";
    text.insert(text.begin() + 1, {"* ", "*", "* dritte"});
    text.insert(text.end(), {"Standort", "-33.9 18.4 2", "Bodenreflexion", "100100100100100100100100100100100 99"});
    const ObjectList l = ListeAufbauen(text);
    EXPECT_EQ(l.comment, (Lines{"erste", "dritte"}));
    EXPECT_EQ(std::tuple(l.countLine, l.ObjektAnzahl, l.object(1).Zeile), std::tuple(5, 0, 6));  // sentinel only
    // The last site and reflectance lines count.
    EXPECT_EQ(l.site.latitudeText(Language::German), "33.9\xB0 S\xFC" "d");
    EXPECT_EQ(std::pair(l.reflectance[0], l.reflectance[11]), std::pair(100, 99));
    EXPECT_TRUE(l.warnings.empty());
    // Unreadable site or reflectance lines are warnings, not object errors.
    text = newProjectLines();
    text[3] = "51.0 Nord";
    text[5] = " 40 4x";
    const ObjectList w = ListeAufbauen(text);
    EXPECT_FALSE(w.faulty() || w.site.present || w.hasReflectance);
    ASSERT_EQ(w.warnings.size(), 2u);
    EXPECT_EQ(std::pair(w.warnings[0].line, w.warnings[1].line), std::pair(4, 6));
}

// Malformed texts list what can be read and name the first line that cannot.
TEST(ListeAufbauen, MalformedTextsStopAtTheBadLine) {
    const auto with = [](std::vector<Lines> parts) {
        Lines l;
        for (const auto& p : parts) l.insert(l.end(), p.begin(), p.end());
        return l;
    };
    const auto set = [](Lines l, std::size_t i, const char* line) { return l[i] = line, l; };
    const auto cut = [](Lines l, std::size_t size) { return l.resize(size), l; };
    const std::tuple<const char*, Lines, int, int> cases[] = {
        {"count larger than the records", projectOf({surface("A"), surface("B")}, 3), 2, 26},
        {"count larger, no trailer", Lines{"* ", "2", "A", "3", "0 0 0", "1 0 0", "1 1 0"}, 1, 8},
        {"vertex count not a number", projectOf({surface("Eins"), set(surface("Zwei"), 1, "vier")}, 2), 1, 15},
        {"vertex line not numbers", projectOf({surface("Eins"), set(surface("Drei"), 8, "12.0 x 5.0")}, 2), 1, 22},
        {"more than 12 vertices", projectOf({set(surface("Viele"), 1, "13")}, 1), 0, 4},
        {"tree cut short", with({{"* ", "8"}, surface("A"), cut(tree("Linde"), 40)}), 1, 2 + 11 + 41},
        {"house cut short", with({{"* ", "7"}, cut(house("Villa"), 20)}), 0, 23},
        {"tree exceeds the count", projectOf({tree("X")}, 3), 0, 3},
        {"no count line", Lines{"* nur Kommentar"}, 0, 2},
        {"negative count", Lines{"* ", "-1"}, 0, 2},
        {"empty text", Lines{}, 0, 1},
    };
    for (const auto& [what, text, objects, errorLine] : cases) {
        const ObjectList l = ListeAufbauen(text);
        EXPECT_FALSE(l.error.empty()) << what;
        EXPECT_EQ(l.ObjektAnzahl, objects) << what;
        EXPECT_EQ(l.errorLine, errorLine) << what << ": " << l.error;
        EXPECT_EQ(l.Objekte.size(), static_cast<std::size_t>(objects) + 1);  // sentinel present
        const InputError e = testing::refusal([&] { throwIfFaulty(l, "p.dat"); });
        EXPECT_EQ(std::pair(e.file(), e.line()), std::pair(std::string("p.dat"), errorLine)) << what;
    }
}

}  // namespace
}  // namespace penumbro
