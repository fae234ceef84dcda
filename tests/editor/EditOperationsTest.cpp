#include "editor/EditOperations.h"

#include "EditTexts.h"
#include "editor/ObjectTable.h"
#include "project/InputError.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

using namespace testtexts;

// Names of the listed objects, with the overhang number for overhangs ("$#2V").
std::vector<std::string> namen(const Lines& text) {
    const ObjektListe l = ListeAufbauen(text);
    EXPECT_FALSE(l.fehlerhaft()) << l.fehler;
    std::vector<std::string> out;
    for (int k = 1; k <= l.ObjektAnzahl; ++k) {
        const TObjekt& o = l.objekt(k);
        out.push_back(o.istUeberhang() ? "$#" + std::to_string(o.TargetNr) + o.Name : o.Name);
    }
    return out;
}

int zaehler(const Lines& text) { return ListeAufbauen(text).flaechenAnzahl; }

using Names = std::vector<std::string>;

TEST(ZeilenEinsetzen, AddToEmptyProjectGoesAfterTheCountLine) {
    struct Case {
        Lines generated;
        int surfaces;
        int count;
    };
    const Case cases[] = {{flaeche("R"), 1, 1}, {haus("H"), 7, 7}, {baum("B"), 7, 7}};
    for (const auto& c : cases) {
        const Lines out = ZeilenEinsetzen(newProjectLines(), 1, true, c.generated, c.surfaces);
        EXPECT_EQ(out[1], std::to_string(c.count));
        ASSERT_EQ(out.size(), 6 + c.generated.size());
        EXPECT_TRUE(std::equal(c.generated.begin(), c.generated.end(), out.begin() + 2));
        EXPECT_EQ(out[2 + c.generated.size()], "Standort");
    }
}

TEST(ZeilenEinsetzen, AddStaysBeforeTheTrailingSections) {
    Lines text = projekt({flaeche("A")}, 1);
    text.insert(text.begin() + 13, {"Horizont", "0-360=5"});
    const Lines out = ZeilenEinsetzen(text, 2, true, flaeche("B"), 1);
    EXPECT_EQ(namen(out), (Names{"A", "B"}));
    ASSERT_EQ(out.size(), 30u);
    EXPECT_EQ(out[24], "Horizont");
    EXPECT_EQ(out[1], "2");
}

TEST(ZeilenEinsetzen, InsertRenumbersOverhangsAtAndBehindThePosition) {
    const Lines text = projekt({flaeche("T1", true), flaeche("$#1V1"), flaeche("T3", true), flaeche("$#3V3")}, 4);
    struct Case {
        int vor;
        Names erwartet;
    };
    const Case cases[] = {
        {1, {"Neu", "T1", "$#2V1", "T3", "$#4V3"}},
        {2, {"T1", "Neu", "$#1V1", "T3", "$#4V3"}},
        {3, {"T1", "$#1V1", "Neu", "T3", "$#4V3"}},
        {4, {"T1", "$#1V1", "T3", "Neu", "$#3V3"}},
        {5, {"T1", "$#1V1", "T3", "$#3V3", "Neu"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vor);
        const Lines out = ZeilenEinsetzen(text, c.vor, true, flaeche("Neu"), 1);
        EXPECT_EQ(namen(out), c.erwartet);
        EXPECT_EQ(zaehler(out), 5);
    }
    // Before object 1 the block stands directly after the count line.
    EXPECT_EQ(ZeilenEinsetzen(text, 1, true, flaeche("Neu"), 1)[2], "Neu");
}

TEST(ZeilenEinsetzen, InsertedOverhangFollowsItsTarget) {
    const Lines text = projekt({flaeche("T", true)}, 1);
    const Lines out = ZeilenEinsetzen(text, 1, true, flaeche("$#1Vordach"), 1);
    EXPECT_EQ(namen(out), (Names{"$#2Vordach", "T"}));
}

TEST(ZeilenEinsetzen, ChangeReplacesOneObjectAndKeepsTheCount) {
    const Lines text = projekt({flaeche("A"), baum("B"), flaeche("C")}, 9);
    Lines out = ZeilenEinsetzen(text, 2, false, baum("Eiche"), 7);
    EXPECT_EQ(zaehler(out), 9);
    EXPECT_EQ(ListeAufbauen(out).labels[1], "Baum: Eiche");
    EXPECT_EQ(out.size(), text.size());

    out = ZeilenEinsetzen(text, 3, false, flaeche("C2", true), 1);
    EXPECT_EQ(namen(out), (Names{"A", "Baum", "C2"}));
    EXPECT_EQ(ListeAufbauen(out).targetAnzahl, 1);
    EXPECT_EQ(out.size(), text.size() + 1);
}

TEST(ZeilenEinsetzen, RefusesBadNumbersAndBadLinesWithoutChange) {
    const Lines text = projekt({flaeche("A")}, 1);
    Lines broken = text;
    broken[1] = "2";
    const struct {
        const char* what;
        Lines text;
        int nr;
        bool einfuegen;
        Lines generated;
    } cases[] = {
        {"insert at 0", text, 0, true, flaeche("X")},
        {"insert beyond add", text, 3, true, flaeche("X")},
        {"change the sentinel", text, 2, false, flaeche("X")},
        {"malformed text", broken, 1, true, flaeche("X")},
        {"generated lines incomplete", text, 1, true, Lines{"X", "4", "1 2 3"}},
        {"generated lines two objects", text, 1, true, [] { Lines l = flaeche("X"); append(l, flaeche("Y")); return l; }()},
        {"no generated lines", text, 1, true, Lines{}},
    };
    for (const auto& c : cases) {
        EXPECT_THROW(ZeilenEinsetzen(c.text, c.nr, c.einfuegen, c.generated, 1), InputError) << c.what;
    }
}

TEST(DeleteObject, TargetTakesItsOverhangsAlong) {
    const Lines text = projekt({flaeche("T1", true), flaeche("$#1V1"), flaeche("A"), flaeche("$#1V2"),
                                flaeche("T5", true), flaeche("$#5W")},
                               6);
    const Lines out = deleteObject(text, 1);
    EXPECT_EQ(namen(out), (Names{"A", "T5", "$#2W"}));
    EXPECT_EQ(zaehler(out), 3);
    EXPECT_EQ(out.size(), text.size() - (12 + 11 + 11));
}

TEST(DeleteObject, RenumbersAndRemovesByKind) {
    const Lines text = projekt({haus("H"), flaeche("T", true), flaeche("$#2V"), baum("B")}, 16);
    struct Case {
        int nr;
        Names erwartet;
        int count;
    };
    const Case cases[] = {
        {1, {"T", "$#1V", "Baum"}, 9},
        {2, {"Haus", "Baum"}, 14},
        {3, {"Haus", "T", "Baum"}, 15},
        {4, {"Haus", "T", "$#2V"}, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nr);
        const Lines out = deleteObject(text, c.nr);
        EXPECT_EQ(namen(out), c.erwartet);
        EXPECT_EQ(zaehler(out), c.count);
        EXPECT_EQ(out.back(), text.back());
    }
    EXPECT_THROW(deleteObject(text, 5), InputError);
    EXPECT_THROW(deleteObject(text, 0), InputError);
}

TEST(ZeilenEntfernen, DoesNotRenumber) {
    const Lines text = projekt({flaeche("A"), flaeche("T", true), flaeche("$#2V")}, 3);
    EXPECT_EQ(namen(ZeilenEntfernen(text, 1)), (Names{"T", "$#2V"}));
}

TEST(FlaechenSchreiben, DropsEmptyLinesAndAddsAsLastObject) {
    Lines text = projekt({flaeche("A")}, 1);
    text.insert(text.begin() + 1, "");
    text.push_back("");
    const Lines out = FlaechenSchreiben(text, flaeche("B"), 1);
    EXPECT_EQ(namen(out), (Names{"A", "B"}));
    EXPECT_EQ(std::count(out.begin(), out.end(), std::string()), 0);
    EXPECT_EQ(out[1], "2");
    EXPECT_EQ(out[out.size() - 4], "Standort");
}

TEST(ObjektZeilen, GivesExactlyTheObjectsLines) {
    const Lines text = projekt({flaeche("A"), haus("H"), flaeche("C")}, 9);
    EXPECT_EQ(objektZeilen(text, 2), haus("H"));
    EXPECT_EQ(objektZeilen(text, 3), flaeche("C"));
    EXPECT_THROW(objektZeilen(text, 4), InputError);
}

TEST(KommentarExit, MemoLayout) {
    const std::string lang(100, 'x');
    struct Case {
        const char* what;
        Lines memo;
        Lines kommentar;
    };
    const Case cases[] = {
        {"inner empty kept, trailing dropped", {"a", "", "b", "", ""}, {"* a", "* ", "* b"}},
        {"empty memo", {}, {"* "}},
        {"only empty lines", {"", ""}, {"* "}},
        {"cut to 79", {lang}, {"* " + std::string(77, 'x')}},
        {"line break inside a memo line", {"a\r\nb"}, {"* a", "* b"}},
    };
    Lines text = projekt({flaeche("A")}, 1);
    text.insert(text.begin() + 1, "* alt");
    text.insert(text.begin() + 5, "");       // an empty line inside the text
    text.insert(text.begin() + 6, "*fremd");  // a comment line elsewhere goes away
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Lines out = KommentarExit(text, c.memo);
        Lines erwartet = c.kommentar;
        for (const auto& l : text) {
            if (l.empty() || l[0] != '*') erwartet.push_back(l);
        }
        EXPECT_EQ(out, erwartet);
        EXPECT_EQ(std::count(out.begin(), out.end(), std::string()), 1);
    }
}

TEST(NameRules, ReservedWordsAndMessage) {
    for (const char* n : {"target", "Target", "FRONTSEITE", "Baum", "stamm", "Standort", "bodenReflexion"}) {
        EXPECT_TRUE(istReservierterName(n)) << n;
    }
    for (const char* n : {"Baum1", "Haus", "Targets", " baum", "", "Stamm2"}) {
        EXPECT_FALSE(istReservierterName(n)) << n;
    }
    EXPECT_NE(reservierterNameMeldung("target", Language::English).find("\"target\""), std::string::npos);
}

// The editor's own message texts, byte for byte in both languages.
TEST(EditorMessages, ExactTexts) {
    struct Case {
        std::string actual;
        const char* expected;
    };
    const Case cases[] = {
        {reservierterNameMeldung("Baum", Language::German),
         "Bei dem Begriff \"Baum\" handelt es sich um ein von PENUMBRO reserviertes Wort.\r\n"
         "Bitte benutzen Sie einen anderen Fl\xE4" "chennamen."},
        {reservierterNameMeldung("Baum", Language::English),
         "The term \"Baum\" is reserved by PENUMBRO.\r\nPlease use another name for the plate."},
        {targetLoeschenMeldung(Language::German),
         "Objekt ist eine Targetfl\xE4" "che. Eventuell zugeh\xF6rige \xDC" "berh\xE4nge werden ebenfalls gel\xF6scht!"},
        {targetLoeschenMeldung(Language::English),
         "Object is a target plane. Possibly existing Overhangs will be also deleted!"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(TargetflaechenPruefen, ComparesAzimuthAndElevationOfAllTargets) {
    struct Case {
        const char* what;
        Lines text;
        int erwartet;
    };
    const Case cases[] = {
        {"no object", newProjectLines(), 0},
        {"no target", projekt({flaeche("A"), baum("B")}, 8), 0},
        {"one target", projekt({flaeche("A"), flaeche("T", true)}, 2), 1},
        {"two alike", projekt({flaeche("T", true), baum("B"), flaeche("U", true, "180.000", "45.000")}, 9), 1},
        {"elevation differs", projekt({flaeche("T", true), flaeche("U", true, "180.000", "30.000")}, 2), 2},
        {"azimuth differs", projekt({flaeche("T", true), flaeche("U", true, "90.000", "45.000")}, 2), 2},
        {"plain surface may differ", projekt({flaeche("T", true), flaeche("U", false, "90.000")}, 2), 1},
    };
    for (const auto& c : cases) EXPECT_EQ(TargetflaechenPruefen(c.text), c.erwartet) << c.what;

    const Lines ohnePlatzierung{"* ", "1", "T", "Target", "3", "0 0 0", "1 0 0", "1 1 0", "Standort", "1.0 2.0 3.0"};
    EXPECT_THROW(TargetflaechenPruefen(ohnePlatzierung), InputError);
    const Platzierung p = platzierungLesen(projekt({flaeche("T", true)}, 1), 1);
    EXPECT_EQ(p.azimut, 180.0);
    EXPECT_EQ(p.elevation, 45.0);
    EXPECT_EQ(p.z, 5.0);
}

TEST(KeyFilters, PassAndTranslate) {
    struct Case {
        char key;
        std::optional<char> komma, ganz;
    };
    const Case cases[] = {
        {'\b', '\b', '\b'}, {'0', '0', '0'}, {'9', '9', '9'},          {'-', '-', std::nullopt},
        {'.', '.', std::nullopt}, {',', '.', std::nullopt}, {'e', std::nullopt, std::nullopt},
        {' ', std::nullopt, std::nullopt}, {'+', std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Kommazahl_eingeben(c.key), c.komma) << c.key;
        EXPECT_EQ(Ganzzahl_eingeben(c.key), c.ganz) << c.key;
    }
}

TEST(SpinEdit, RangeRule) {
    struct Case {
        const char* text;
        double min, max, bisher;
        double wert;
        bool ungueltig;
    };
    const Case cases[] = {
        {"120", -90, 90, 10, 90, true},  {"-91", -90, 90, 10, -90, true}, {"45.5", -90, 90, 10, 45.5, false},
        {"abc", -90, 90, 10, 10, true},  {"", -90, 90, 7, 7, true},       {"1e6", 0, 0, 1, 1e6, false},
        {" 90 ", -90, 90, 0, 90, false},
    };
    for (const auto& c : cases) {
        const auto r = spinEditPruefen(c.text, c.min, c.max, c.bisher);
        EXPECT_EQ(r.wert, c.wert) << c.text;
        EXPECT_EQ(r.ungueltig, c.ungueltig) << c.text;
    }
    EXPECT_EQ(spinEditIntPruefen("120", 0, 100, 5).wert, 100);
    EXPECT_TRUE(spinEditIntPruefen("12.5", 0, 100, 5).ungueltig);
    EXPECT_EQ(spinEditIntPruefen("12.5", 0, 100, 5).wert, 5);
    EXPECT_FALSE(spinEditIntPruefen("100", 0, 100, 5).ungueltig);
}

}  // namespace
}  // namespace penumbro
