#include "editor/HorizonEditing.h"
#include "editor/ScheduleFile.h"
#include "editor/SiteEditing.h"

#include "EditTexts.h"
#include "project/InputError.h"
#include "support/Refusal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

using namespace testtexts;

TEST(Site, LineIsWrittenAfterTheLastKeywordOrAppended) {
    EXPECT_EQ(siteLine({0, -0.0, 0.04}), "0.0 0.0 0.0");  // no sign on a zero
    EXPECT_EQ(writeSite(Lines{"* ", "0"}, {1, 2, 3}), (Lines{"* ", "0", "Standort", "1.0 2.0 3.0"}));
    const Lines two{"* ", "0", "Standort", "1.0 1.0 1.0", "Standort", "2.0 2.0 2.0"};
    EXPECT_EQ(writeSite(two, {5, 5, 5}), (Lines{"* ", "0", "Standort", "1.0 1.0 1.0", "Standort", "5.0 5.0 5.0"}));
    for (const SiteValues& s : {SiteValues{90.1, 0, 0}, SiteValues{0, -181, 0}, SiteValues{0, 0, 12.5}})
        EXPECT_THROW(writeSite(newProjectLines(), s), InputError);
    Lines bad = newProjectLines();
    bad[3] = "51.0 -8.0";
    EXPECT_EQ(testing::refusal([&] { readSite(bad); }).line(), 4);
}

TEST(Reflectance, LineFormatAndReplacement) {
    const MonthlyValues values{100, 40, 30, 20, 20, 0, 5, 20, 20, 20, 30, 40};
    const Lines out = writeReflectance(newProjectLines(), values);
    EXPECT_EQ(out.back(), "100 40 30 20 20  0  5 20 20 20 30 40");
    EXPECT_EQ(readReflectance(out), values);
}

using Rows = std::vector<HorizonRow>;

TEST(Horizon, SectionReplacementKeepsEverythingElse) {
    const auto with = [](const Lines& trailer) {  // surfaces named like keywords stay
        Lines l = projectOf({surface("Standortmast"), surface("Horizont")}, 2);
        l.resize(l.size() - 4);  // without site and reflectance
        return l.insert(l.end(), trailer.begin(), trailer.end()), l;
    };
    const std::tuple<const char*, Lines, Rows, Lines> cases[] = {
        {"only counting rows, in order", with({"Standort", "1 2 3"}),
         {{"0", "90", "5"}, {"", "", ""}, {"180", "270", "abc"}, {"-10", "20", "3"}, {"90", "180", "12.5"}},
         with({"Horizont", "0-90=5", "90-180=12.5", "Standort", "1 2 3"})},
        {"replaced before Standort", with({"Horizont", "0-90=5", "Standort", "1 2 3"}), {{"10", "20", "30"}},
         with({"Horizont", "10-20=30", "Standort", "1 2 3"})},
        {"section ends at an empty line", with({"Horizont", "0-90=5", "", "Rest"}), {{"1", "2", "3"}},
         with({"Horizont", "1-2=3", "", "Rest"})},
        {"removed without rows", with({"Horizont", "0-90=5", "Bodenreflexion", " 40"}), {},
         with({"Bodenreflexion", " 40"})},
        {"new section at the end", with({}), {{"0", "360", "2"}}, with({"Horizont", "0-360=2"})},
    };
    for (const auto& [what, text, rows, expected] : cases) EXPECT_EQ(writeHorizon(text, rows), expected) << what;
    EXPECT_TRUE(readHorizon(with({"Standort", "1 2 3"})).empty());
    EXPECT_THROW(writeHorizon(newProjectLines(), Rows(26, HorizonRow{"0", "1", "1"})), InputError);
}

TEST(Horizon, ReopeningShowsTheStoredTextsAndThePanelDropsBadRows) {
    Lines text = newProjectLines();
    text.insert(text.begin() + 2, {"Horizont", "0-90=5.25", "90.5-180=12.123456789", "kein Eintrag"});
    EXPECT_EQ(readHorizon(text), (Rows{{"0", "90", "5.25"}, {"90.5", "180", "12.12345"}}));
    EXPECT_EQ(horizonArgument("90-180=12.5"), (HorizonRow{"90", "180", "12.5"}));
    for (const char* bad : {"90-180", "90=180-3", "-5-10=3", "a-b=c", ""}) EXPECT_FALSE(horizonArgument(bad)) << bad;
    HorizonPanel p = HorizonPanel::fromRows({{"0", "90", "5"}});
    p.rows[2] = {"90", "180", "abc"};
    EXPECT_EQ(p.countingRows().size(), 1u);
    EXPECT_EQ(p.droppedRows(), (std::vector<int>{3}));
}

TEST(Schedule, RoundTripAndExactLength) {
    const testing::TempDir dir("sch");
    const std::string path = dir.path("laub.sch");
    const std::array<int, 12> values{0, 50, 100, 1, 2, 3, 4, 5, 6, 7, 8, 99};
    writeSchedule(path, values);
    EXPECT_EQ(dir.read("laub.sch").size(), 12u);
    EXPECT_EQ(readSchedule(path), values);
    for (const std::string& bytes : {std::string(11, '\x14'), std::string(13, '\x14'), std::string(11, '\x14') + "\x65"})
        EXPECT_THROW(readSchedule(dir.write("bad.sch", bytes)), InputError) << bytes.size();
    EXPECT_THROW(readSchedule(dir.path("missing.sch")), InputError);
    std::array<int, 12> bad = values;
    bad[0] = 101;
    EXPECT_THROW(writeSchedule(path, bad), InputError);
    EXPECT_EQ(readSchedule(path), values);  // the failed write left the file alone
}

}  // namespace
}  // namespace penumbro
