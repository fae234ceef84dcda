#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFormat.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

// Faulty project texts, raised by the real scanner: the German rendering keeps
// "FILE:LINE: " and says in German what the English says.
TEST(ErrorTexts, ScannerErrorsRenderInGerman) {
    struct Case {
        Lines text;
        const char* german;  // the start of the German rendering
    };
    const Case cases[] = {
        {{"c", "zwei"}, "p.dat:2: die Fl\xE4" "chenanzahl ist keine ganze Zahl: \"zwei\""},
        {{"c", "20000"}, "p.dat:2: die Fl\xE4" "chenanzahl muss zwischen 0 und"},
        {{"c", "1", "Wand", "x"}, "p.dat:4: die Eckenzahl von \"Wand\" ist keine ganze Zahl: \"x\""},
        {{"c", "1", "Wand", "13"}, "p.dat:4: die Eckenzahl von \"Wand\" muss zwischen 0 und 12 liegen, nicht 13"},
        {{"c", "1", "Wand", "1", "1 2"}, "p.dat:5: Eckpunkt 1 von \"Wand\" sind nicht drei Zahlen"},
        {{"c", "1", "Wand", "1", "1 2 3000000000"}, "p.dat:5: eine Koordinate muss"},
        {{"c", "1"}, "p.dat:3: der Text endet zu fr\xFC" "h: erwartet wird ein Fl\xE4" "chenname"},
        {{"c", "1", "Wand", "2", "0 0 0"}, "p.dat:6: der Text endet zu fr\xFC" "h: erwartet wird ein Eckpunkt von \"Wand\""},
    };
    for (const Case& c : cases) {
        try {
            scanSoundProject(c.text, "p.dat");
            ADD_FAILURE() << c.german;
        } catch (const InputError& e) {
            EXPECT_EQ(e.render(Language::German).rfind(c.german, 0), 0u) << e.render(Language::German);
            EXPECT_EQ(e.render(Language::English), e.what());
        }
    }
}

// Every identity has its row in the table, German differing from English.
TEST(ErrorTexts, EveryIdentityHasBothLanguages) {
    for (int k = 1; k < static_cast<int>(ErrorId::Count); ++k) {
        const ErrorMessage m{static_cast<ErrorId>(k), {"1", "2", "3"}};
        EXPECT_FALSE(m.render(Language::English).empty()) << k;
        EXPECT_NE(m.render(Language::German), m.render(Language::English)) << k;
    }
}

TEST(ErrorTexts, FileErrorsRenderInGerman) {
    testing::TempDir dir("errortexts");
    const std::string missing = (dir.dir() / "nowhere" / "x.rep").string();
    try {
        writeFileAtomically(missing, "x");
        ADD_FAILURE();
    } catch (const InputError& e) {
        EXPECT_EQ(e.render(Language::German),
                  missing + ": Datei kann nicht geschrieben werden: Datei oder Verzeichnis nicht gefunden");
    }
    EXPECT_THROW(readFileBytes(missing), InputError);
    try {
        readFileBytes(dir.dir().string());
    } catch (const InputError& e) {
        EXPECT_EQ(e.render(Language::German), dir.dir().string() + ": Datei kann nicht gelesen werden: es ist ein Verzeichnis");
    }
}

}  // namespace
}  // namespace penumbro
