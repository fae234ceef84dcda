#include "editor/ObjectTable.h"

#include "EditTexts.h"
#include "project/InputError.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

using namespace testtexts;

TEST(ListeAufbauen, EmptyProjectHasNoObjectsAndASentinelAfterTheCountLine) {
    const ObjektListe l = ListeAufbauen(newProjectLines());
    EXPECT_FALSE(l.fehlerhaft());
    EXPECT_EQ(l.ObjektAnzahl, 0);
    EXPECT_EQ(l.objektanzahlText(Language::German), "");
    EXPECT_EQ(l.zaehlzeile, 2);
    ASSERT_EQ(l.Objekte.size(), 1u);
    EXPECT_EQ(l.objekt(1).Zeile, 3);  // sentinel: the "Standort" line
    EXPECT_TRUE(l.labels.empty());
    EXPECT_TRUE(l.kommentar.empty());  // "* " alone adds no memo line
}

TEST(ListeAufbauen, MixedProjectGivesTableEntriesAndLabels) {
    const Lines text = projekt({flaeche("Kollektor", true), baum("Linde"), haus("", false),
                                flaeche("$#1Vordach"), flaeche("Ein sehr langer Flaechenname mit Rest")},
                               17);
    const ObjektListe l = ListeAufbauen(text);
    ASSERT_FALSE(l.fehlerhaft()) << l.fehler;
    ASSERT_EQ(l.ObjektAnzahl, 5);
    EXPECT_EQ(l.targetAnzahl, 1);

    struct Row {
        std::string name, target, label;
        int zeile, targetNr, flaechen;
    };
    const Row rows[] = {
        {"Kollektor", "  Ja", "Kollektor\t (Target)", 3, -1, 1},
        {"Baum", "Nein", "Baum: Linde", 3 + 12, -1, 7},
        {"Haus", "Nein", "Haus", 15 + 60, -1, 7},
        {"Vordach", "Nein", "Vordach", 75 + 42, 1, 1},
        {"Ein sehr langer Flaechenn", "Nein", "Ein sehr langer Flaechenn", 117 + 11, -1, 1},
    };
    for (int k = 1; k <= 5; ++k) {
        const Row& r = rows[k - 1];
        SCOPED_TRACE(k);
        EXPECT_EQ(l.objekt(k).Name, r.name);
        EXPECT_EQ(l.objekt(k).Target, r.target);
        EXPECT_EQ(l.labels[static_cast<std::size_t>(k - 1)], r.label);
        EXPECT_EQ(l.objekt(k).Zeile, r.zeile);
        EXPECT_EQ(l.objekt(k).TargetNr, r.targetNr);
        EXPECT_EQ(l.objekt(k).Flaechen, r.flaechen);
    }
    EXPECT_TRUE(l.objekt(2).istBaum());
    EXPECT_TRUE(l.objekt(3).istHaus());
    EXPECT_EQ(l.objekt(6).Zeile, 128 + 11);  // sentinel: the "Standort" line
    EXPECT_EQ(text[static_cast<std::size_t>(l.objekt(6).Zeile - 1)], "Standort");
}

TEST(ListeAufbauen, PlainSurfaceNamedLikeAKindStaysAPlainSurface) {
    const ObjektListe l = ListeAufbauen(projekt({flaeche("Haus"), flaeche("Baum: Eiche")}, 2));
    ASSERT_EQ(l.ObjektAnzahl, 2);
    EXPECT_FALSE(l.objekt(1).istHaus());
    EXPECT_FALSE(l.objekt(2).istBaum());
    EXPECT_EQ(l.objekt(2).Name, "Baum: Eiche");
}

TEST(ListeAufbauen, TreeAndHouseWithoutTagShowTheirKind) {
    const ObjektListe l = ListeAufbauen(projekt({baum("", false), haus("Villa")}, 14));
    ASSERT_EQ(l.ObjektAnzahl, 2);
    EXPECT_EQ(l.labels[0], "Baum");
    EXPECT_EQ(l.labels[1], "Haus: Villa");
}

TEST(ListeAufbauen, CommentMemoSkipsBareMarkers) {
    Lines text = newProjectLines();
    text[0] = "* erste";
    text.insert(text.begin() + 1, {"* ", "*", "* dritte"});
    const ObjektListe l = ListeAufbauen(text);
    EXPECT_EQ(l.kommentar, (Lines{"erste", "dritte"}));
    EXPECT_EQ(l.zaehlzeile, 5);
}

TEST(ObjektanzahlText, BothLanguages) {
    struct Case {
        int n, t;
        std::string de, en;
    };
    const Case cases[] = {
        {0, 0, "", ""},
        {1, 0, "Ein Objekt, keine Targetfl\xE4" "che", "One Object, no target"},
        {1, 1, "Ein Objekt, davon eine Targetfl\xE4" "che", "One Object, one of them is a target"},
        {4, 0, "4 Objekte, keine Targetfl\xE4" "che", "4 Objects, no target"},
        {4, 1, "4 Objekte, davon eine Targetfl\xE4" "che", "4 Objects, one of them is a target"},
        {12, 3, "12 Objekte, davon 3 Targetfl\xE4" "chen", "12 Objects, 3 of them are targets"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(objektanzahlText(c.n, c.t, Language::German), c.de);
        EXPECT_EQ(objektanzahlText(c.n, c.t, Language::English), c.en);
    }
}

TEST(ListeAufbauen, SiteSummary) {
    struct Case {
        std::string line, breiteDe, laengeDe, zone, breiteEn, laengeEn;
    };
    const Case cases[] = {
        {"51.0 -8.0 -1.0", "51.0\xB0 Nord", "8.0\xB0 Ost", "-1.0", "51.0\xB0 North", "8.0\xB0 East"},
        {"-33.9 18.4 2", "33.9\xB0 S\xFC" "d", "18.4\xB0 West", "2", "33.9\xB0 South", "18.4\xB0 West"},
        {"0 0.0 0.0", "0.0", "0.0", "0.0", "0.0", "0.0"},
    };
    for (const auto& c : cases) {
        Lines text = newProjectLines();
        text[3] = c.line;
        const ObjektListe l = ListeAufbauen(text);
        ASSERT_TRUE(l.standort.vorhanden) << c.line;
        EXPECT_EQ(l.standort.breitengradText(Language::German), c.breiteDe);
        EXPECT_EQ(l.standort.laengengradText(Language::German), c.laengeDe);
        EXPECT_EQ(l.standort.zeitzoneText(), c.zone);
        EXPECT_EQ(l.standort.breitengradText(Language::English), c.breiteEn);
        EXPECT_EQ(l.standort.laengengradText(Language::English), c.laengeEn);
    }
}

TEST(ListeAufbauen, LastSiteAndReflectanceLinesWin) {
    Lines text = newProjectLines();
    text.insert(text.end(), {"Standort", "10.0 20.0 1.0", "Bodenreflexion", "100100100100100100100100100100100 99"});
    const ObjektListe l = ListeAufbauen(text);
    EXPECT_EQ(l.standort.breite, 10.0);
    ASSERT_TRUE(l.hatBodenreflexion);
    EXPECT_EQ(l.bodenreflexion[0], 100);
    EXPECT_EQ(l.bodenreflexion[11], 99);
    EXPECT_TRUE(l.warnungen.empty());
}

TEST(ListeAufbauen, UnreadableSiteOrReflectanceIsAWarningNotAnObjectError) {
    Lines text = newProjectLines();
    text[3] = "51.0 Nord";
    text[5] = " 40 4x";
    const ObjektListe l = ListeAufbauen(text);
    EXPECT_FALSE(l.fehlerhaft());
    EXPECT_FALSE(l.standort.vorhanden);
    EXPECT_FALSE(l.hatBodenreflexion);
    ASSERT_EQ(l.warnungen.size(), 2u);
    EXPECT_EQ(l.warnungen[0].zeile, 4);
    EXPECT_EQ(l.warnungen[1].zeile, 6);
}

TEST(ReflexionsfelderLesen, FieldRule) {
    struct Case {
        std::string line;
        std::array<int, 12> werte;
    };
    const Case cases[] = {
        {" 40 40 30 20 20 20 20 20 20 20 30 40", {40, 40, 30, 20, 20, 20, 20, 20, 20, 20, 30, 40}},
        {"40 40 30 20 20 20 20 20 20 20 30 40", {40, 40, 30, 20, 20, 20, 20, 20, 20, 20, 30, 40}},
        {"100100100100100100100100100100100100",
         {100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100}},
        {" 80100100100100100100100100100100100", {80, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100}},
        {"  5  7", {5, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"", {}},
        {"1 2 3 ", {1, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},  // fields "1 2" and " 3 "
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reflexionsfelderLesen(c.line), c.werte) << c.line;
    }
    for (const char* bad : {" 4x", "-10", "101", " 40 40 3,"}) {
        EXPECT_THROW(reflexionsfelderLesen(bad), InputError) << bad;
    }
}

// Malformed texts list what can be read and name the first line that cannot.
TEST(ListeAufbauen, MalformedTextsStopAtTheBadLine) {
    struct Case {
        const char* what;
        Lines text;
        int objekte;
        int fehlerZeile;
    };
    Lines cutTree = baum("Linde");
    cutTree.resize(40);
    Lines cutHouse = haus("Villa");
    cutHouse.resize(20);
    Lines badCount = flaeche("Zwei");
    badCount[1] = "vier";
    Lines badVertex = flaeche("Drei");
    badVertex[8] = "12.0 x 5.0";
    Lines tooMany = flaeche("Viele");
    tooMany[1] = "13";

    const Case cases[] = {
        {"count larger than the records", projekt({flaeche("A"), flaeche("B")}, 3), 2, 26},
        {"count larger, no trailer", Lines{"* ", "2", "A", "3", "0 0 0", "1 0 0", "1 1 0"}, 1, 8},
        {"vertex count not a number", projekt({flaeche("Eins"), badCount}, 2), 1, 15},
        {"vertex line not numbers", projekt({flaeche("Eins"), badVertex}, 2), 1, 22},
        {"more than 12 vertices", projekt({tooMany}, 1), 0, 4},
        {"tree cut short", [&] { Lines l{"* ", "8"}; append(l, flaeche("A")); append(l, cutTree); return l; }(), 1,
         2 + 11 + 41},
        {"house cut short", [&] { Lines l{"* ", "7"}; append(l, cutHouse); return l; }(), 0, 23},
        {"tree exceeds the count", projekt({baum("X")}, 3), 0, 3},
        {"no count line", Lines{"* nur Kommentar"}, 0, 2},
        {"count not a number", Lines{"* ", "zwei"}, 0, 2},
        {"negative count", Lines{"* ", "-1"}, 0, 2},
        {"empty text", Lines{}, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ObjektListe l = ListeAufbauen(c.text);
        EXPECT_TRUE(l.fehlerhaft());
        EXPECT_FALSE(l.fehler.empty());
        EXPECT_EQ(l.ObjektAnzahl, c.objekte);
        EXPECT_EQ(l.fehlerZeile, c.fehlerZeile) << l.fehler;
        EXPECT_EQ(l.Objekte.size(), static_cast<std::size_t>(c.objekte) + 1);  // sentinel present
        try {
            fehlerPruefen(l, "p.dat");
            ADD_FAILURE() << "no InputError";
        } catch (const InputError& e) {
            EXPECT_EQ(e.file(), "p.dat");
            EXPECT_EQ(e.line(), c.fehlerZeile);
        }
    }
}

TEST(ListeAufbauen, HashLinesAmongVerticesAreSkipped) {
    Lines text{"* ", "1", "A", "3", "# lokal", "0 0 0", "# mitten", "1 0 0", "1 1 0", "Standort", "1.0 2.0 3.0"};
    const ObjektListe l = ListeAufbauen(text);
    ASSERT_FALSE(l.fehlerhaft()) << l.fehler;
    EXPECT_EQ(l.objekt(2).Zeile, 10);
}

}  // namespace
}  // namespace penumbro
