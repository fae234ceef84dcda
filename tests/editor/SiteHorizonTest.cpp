#include "editor/HorizonEditing.h"
#include "editor/ScheduleFile.h"
#include "editor/SiteEditing.h"

#include "EditTexts.h"
#include "project/FileIo.h"
#include "project/InputError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace penumbro {
namespace {

using namespace testtexts;

TEST(Standort, LineFormatAndReplacement) {
    struct Case {
        Standort s;
        std::string zeile;
    };
    const Case cases[] = {
        {{-33.9, -18.4, -2}, "-33.9 -18.4 -2.0"},
        {{51, 8, -1}, "51.0 8.0 -1.0"},
        {{0, -0.0, 0.04}, "0.0 0.0 0.0"},
        {{90, 180, 12}, "90.0 180.0 12.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(standortZeile(c.s), c.zeile);
        const Lines out = standortSchreiben(newProjectLines(), c.s);
        Lines erwartet = newProjectLines();
        erwartet[3] = c.zeile;
        EXPECT_EQ(out, erwartet);
        EXPECT_EQ(standortLesen(out)->breite, std::stod(c.zeile));
    }
}

TEST(Standort, MissingSectionIsAppendedAndLastKeywordWins) {
    const Lines ohne{"* ", "0"};
    EXPECT_FALSE(standortLesen(ohne).has_value());
    EXPECT_EQ(standortSchreiben(ohne, {1, 2, 3}), (Lines{"* ", "0", "Standort", "1.0 2.0 3.0"}));
    EXPECT_EQ(standortSchreiben(Lines{"* ", "0", "Standort"}, {1, 2, 3}),
              (Lines{"* ", "0", "Standort", "1.0 2.0 3.0"}));
    const Lines zwei{"* ", "0", "Standort", "1.0 1.0 1.0", "Standort", "2.0 2.0 2.0"};
    EXPECT_EQ(standortSchreiben(zwei, {5, 5, 5})[5], "5.0 5.0 5.0");
    EXPECT_EQ(standortSchreiben(zwei, {5, 5, 5})[3], "1.0 1.0 1.0");
}

TEST(Standort, OutOfRangeOrUnreadableIsRefused) {
    for (const Standort& s : {Standort{90.1, 0, 0}, Standort{-91, 0, 0}, Standort{0, 180.5, 0},
                              Standort{0, -181, 0}, Standort{0, 0, 12.5}, Standort{0, 0, -13}}) {
        EXPECT_THROW(standortSchreiben(newProjectLines(), s), InputError);
    }
    Lines text = newProjectLines();
    text[3] = "51.0 -8.0";
    try {
        standortLesen(text);
        ADD_FAILURE();
    } catch (const InputError& e) {
        EXPECT_EQ(e.line(), 4);
    }
}

TEST(Bodenreflexion, LineFormatAndReplacement) {
    const Monatswerte werte{100, 40, 30, 20, 20, 0, 5, 20, 20, 20, 30, 40};
    EXPECT_EQ(bodenreflexionZeile(werte), "100 40 30 20 20  0  5 20 20 20 30 40");
    const Lines out = bodenreflexionSchreiben(newProjectLines(), werte);
    EXPECT_EQ(out.size(), 6u);
    EXPECT_EQ(out[5].substr(0, 3), "100");
    EXPECT_EQ(bodenreflexionLesen(out), werte);
    EXPECT_EQ(bodenreflexionSchreiben(Lines{"* ", "0"}, werte),
              (Lines{"* ", "0", "Bodenreflexion", "100 40 30 20 20  0  5 20 20 20 30 40"}));
    Monatswerte schlecht = werte;
    schlecht[6] = 101;
    EXPECT_THROW(bodenreflexionSchreiben(newProjectLines(), schlecht), InputError);
}

TEST(Panels, SiteAndReflectanceValidation) {
    // The message names the field and its range.
    for (const auto& [p, field] : std::vector<std::pair<StandortPanel, std::string>>{
             {{"91", "0", "0"}, "Breitengrad"}, {{"0", "abc", "0"}, "L\xE4ngengrad"}, {{"0", "0", ""}, "Zeitzone"}}) {
        EXPECT_FALSE(p.okErlaubt());
        EXPECT_EQ(p.meldung(Language::German).rfind(field + ": ", 0), 0u) << p.meldung(Language::German);
    }
    EXPECT_TRUE((StandortPanel{"51.5", "-8", "-1"}).okErlaubt());
    EXPECT_EQ((StandortPanel{"51.5", "-8", "-1"}).meldung(Language::German), "");
    EXPECT_NE((StandortPanel{"0", "0", "13"}).meldung(Language::English).find("(-12 to 12)"), std::string::npos);
    const StandortPanel aus = StandortPanel::aus({-33.9, 18.4, -2});
    EXPECT_EQ(aus.breite, "-33.9");
    EXPECT_EQ(aus.zeitzone, "-2.0");

    StandortPanel bars{"51.5", "-8.4", ""};
    EXPECT_EQ(bars.scrollbarPositionen()[0], 52);
    EXPECT_EQ(bars.scrollbarPositionen()[1], -8);
    EXPECT_FALSE(bars.scrollbarPositionen()[2].has_value());
    EXPECT_EQ((StandortPanel{"120", "0", "0"}).scrollbarPositionen()[0], 90);
    bars.scrollbarsBewegt(51, -8, -1);
    EXPECT_EQ(bars.breite, "51.0");
    EXPECT_EQ(bars.zeitzone, "-1.0");

    BodenreflexionPanel b;
    EXPECT_TRUE(b.okErlaubt());
    EXPECT_EQ(b.werte()->at(2), 30);
    b.felder[2] = "101";
    EXPECT_FALSE(b.okErlaubt());
    EXPECT_EQ(b.meldung(Language::English).rfind("March: ", 0), 0u);
}

using Rows = std::vector<HorizontZeile>;

TEST(Horizont, RowsThatCountAreWrittenInOrder) {
    const Rows zeilen{{"0", "90", "5"}, {"", "", ""}, {"90", "180", "12.5"}, {"180", "270", "abc"},
                      {"-10", "20", "3"}, {"", "10", "3"}};
    const Lines out = horizontSchreiben(newProjectLines(), zeilen);
    EXPECT_EQ(out, (Lines{"* ", "0", "Horizont", "0-90=5", "90-180=12.5", "Standort", "51.0 -8.0 -1.0",
                          "Bodenreflexion", " 40 40 30 20 20 20 20 20 20 20 30 40"}));
    EXPECT_EQ(horizontLesen(out), (Rows{{"0", "90", "5"}, {"90", "180", "12.5"}}));
}

TEST(Horizont, SectionReplacementKeepsEverythingElse) {
    struct Case {
        const char* what;
        Lines text;
        Rows zeilen;
        Lines erwartet;
    };
    const Lines obj = flaeche("A");
    auto mit = [&](Lines trailer) {
        Lines l{"* ", "1"};
        append(l, obj);
        append(l, trailer);
        return l;
    };
    const Case cases[] = {
        {"replaced before Standort", mit({"Horizont", "0-90=5", "Standort", "1.0 2.0 3.0"}), {{"10", "20", "30"}},
         mit({"Horizont", "10-20=30", "Standort", "1.0 2.0 3.0"})},
        {"section last in the text", mit({"Horizont", "0-90=5", "90-180=7"}), {{"1", "2", "3"}},
         mit({"Horizont", "1-2=3"})},
        {"section ends at an empty line", mit({"Horizont", "0-90=5", "", "Rest"}), {{"1", "2", "3"}},
         mit({"Horizont", "1-2=3", "", "Rest"})},
        {"removed without rows", mit({"Horizont", "0-90=5", "Bodenreflexion", " 40"}), {},
         mit({"Bodenreflexion", " 40"})},
        {"removed, last in the text", mit({"Horizont", "0-90=5"}), {}, mit({})},
        {"new section before Standort", mit({"Standort", "1.0 2.0 3.0"}), {{"0", "360", "2"}},
         mit({"Horizont", "0-360=2", "Standort", "1.0 2.0 3.0"})},
        {"new section at the end", mit({}), {{"0", "360", "2"}}, mit({"Horizont", "0-360=2"})},
    };
    for (const auto& c : cases) EXPECT_EQ(horizontSchreiben(c.text, c.zeilen), c.erwartet) << c.what;
}

TEST(Horizont, SurfaceNamesLikeKeywordsAreLeftAlone) {
    Lines text{"* ", "2"};
    append(text, flaeche("Standortmast"));
    append(text, flaeche("Horizontlinie"));
    append(text, {"Standort", "1.0 2.0 3.0"});
    EXPECT_TRUE(horizontLesen(text).empty());
    Lines erwartet = text;
    erwartet.insert(erwartet.end() - 2, {"Horizont", "0-90=4"});
    EXPECT_EQ(horizontSchreiben(text, {{"0", "90", "4"}}), erwartet);
}

TEST(Horizont, ReopeningShowsTheStoredTexts) {
    Lines text = newProjectLines();
    text.insert(text.begin() + 2, {"Horizont", "0-90=5.25", "90.5-180=12.123456789", "kein Eintrag"});
    EXPECT_EQ(horizontLesen(text), (Rows{{"0", "90", "5.25"}, {"90.5", "180", "12.12345"}}));
    Lines voll = newProjectLines();
    voll.insert(voll.begin() + 2, "Horizont");
    for (int i = 0; i < 30; ++i) voll.insert(voll.begin() + 3, "0-1=1");
    EXPECT_EQ(horizontLesen(voll).size(), 25u);
}

TEST(Horizont, ArgumentsAndPanel) {
    EXPECT_EQ(horizontArgument("90-180=12.5"), (HorizontZeile{"90", "180", "12.5"}));
    for (const char* bad : {"90-180", "90=180-3", "-5-10=3", "a-b=c", "90-180=", ""}) {
        EXPECT_FALSE(horizontArgument(bad).has_value()) << bad;
    }
    HorizontPanel p = HorizontPanel::aus({{"0", "90", "5"}});
    p.zeilen[2] = {"90", "180", "abc"};
    EXPECT_EQ(p.zaehlendeZeilen().size(), 1u);
    EXPECT_EQ(p.verworfeneZeilen(), (std::vector<int>{3}));
    Rows zuViele(26, HorizontZeile{"0", "1", "1"});
    EXPECT_THROW(horizontSchreiben(newProjectLines(), zuViele), InputError);
}

TEST(Schedule, RoundTripAndExactLength) {
    const auto dir = std::filesystem::temp_directory_path() / ("penumbro-sch-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "laub.sch").string();
    const std::array<int, 12> werte{0, 50, 100, 1, 2, 3, 4, 5, 6, 7, 8, 99};
    scheduleSchreiben(path, werte);
    EXPECT_EQ(readFileBytes(path).size(), 12u);
    EXPECT_EQ(scheduleLesen(path), werte);

    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {{"short", std::string(11, '\x14')},
                          {"long", std::string(13, '\x14')},
                          {"empty", ""},
                          {"above 100", std::string(11, '\x14') + "\x65"}};
    for (const auto& c : cases) {
        const std::string bad = (dir / (std::string(c.what) + ".sch")).string();
        std::ofstream(bad, std::ios::binary) << c.bytes;
        try {
            scheduleLesen(bad);
            ADD_FAILURE() << c.what;
        } catch (const InputError& e) {
            EXPECT_EQ(e.file(), bad) << c.what;
        }
    }
    EXPECT_THROW(scheduleLesen((dir / "fehlt.sch").string()), InputError);
    std::array<int, 12> schlecht = werte;
    schlecht[0] = 101;
    EXPECT_THROW(scheduleSchreiben(path, schlecht), InputError);
    EXPECT_EQ(scheduleLesen(path), werte);  // the failed write left the file alone
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace penumbro
