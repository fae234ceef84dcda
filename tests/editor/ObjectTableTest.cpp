#include "editor/ObjectTable.h"

#include "EditTexts.h"
#include "project/InputError.h"
#include "support/Refusal.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

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
    EXPECT_EQ(l.site.timeZone, "2");
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
        {"count not a number", Lines{"* ", "zwei"}, 0, 2},
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
