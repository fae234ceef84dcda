#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFormat.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace penumbro {
namespace {

std::string germanError(const std::function<void()>& raise) {
    try {
        raise();
    } catch (const InputError& e) {
        EXPECT_EQ(e.render(Language::English), e.what());
        return e.render(Language::German);
    }
    return "nothing raised";
}

// Raised by the real scanner and writer: German keeps "FILE:LINE: " (or "FILE: " for a
// text that is no project) and says the same.
TEST(ErrorTexts, CoreErrorsRenderInGerman) {
    const std::pair<Lines, std::string> cases[] = {
        {{"c", "zwei"}, "p.dat: keine Projektdatei (Zeile 2: die Fl\xE4" "chenanzahl ist keine ganze Zahl)"},
        {{"c", "1", "Wand", "x"}, "p.dat:4: die Eckenzahl von \"Wand\" ist keine ganze Zahl: \"x\""},
        {{"c", "1", "Wand", "1", "1 2"}, "p.dat:5: Eckpunkt 1 von \"Wand\" sind nicht drei Zahlen: \"1 2\""},
        {{"c", "1", "Wand", "2", "0 0 0"}, "p.dat:6: der Text endet zu fr\xFC" "h: erwartet wird ein Eckpunkt von \"Wand\""},
    };
    for (const auto& [text, german] : cases) EXPECT_EQ(germanError([&] { scanSoundProject(text, "p.dat"); }), german);

    testing::TempDir dir("errortexts");
    const std::string missing = (dir.dir() / "nowhere" / "x.rep").string();
    EXPECT_EQ(germanError([&] { writeFileAtomically(missing, "x"); }),
              missing + ": Datei kann nicht geschrieben werden: Datei oder Verzeichnis nicht gefunden");
}

// Every identity has both texts, and the German one shows every argument the English
// one shows (a dropped or doubled %n would lose the value the user needs).
TEST(ErrorTexts, EveryIdentityHasBothLanguagesWithTheSameArguments) {
    const std::vector<std::string> args{"<1>", "<2>", "<3>", "<4>"};
    for (int k = 1; k < static_cast<int>(ErrorId::Count); ++k) {
        if (static_cast<ErrorId>(k) == ErrorId::MonthName) continue;  // a month number, not a text
        const ErrorMessage m{static_cast<ErrorId>(k), {args.begin(), args.end()}};
        const std::string en = m.render(Language::English), de = m.render(Language::German);
        EXPECT_FALSE(en.empty()) << k;
        EXPECT_NE(de, en) << k;
        for (const std::string& a : args) EXPECT_EQ(de.find(a) == std::string::npos, en.find(a) == std::string::npos) << k << ": " << de;
    }
}

}  // namespace
}  // namespace penumbro
