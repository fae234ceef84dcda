// Site, horizon section and schedule editing; horizon profiles read and reduced to the
// project's intervals.

#include "editor/HorizonEditing.h"
#include "editor/ScheduleFile.h"
#include "editor/SiteEditing.h"
#include "EditTexts.h"
#include "project/InputError.h"
#include "support/Refusal.h"
#include "support/TempDir.h"
#include "editor/HorizonImport.h"
#include "project/ProjectFormat.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

using namespace testtexts;

TEST(Site, LineIsWrittenAfterTheLastKeywordOrAppended) {
    EXPECT_EQ(writeSite(Lines{"* ", "0"}, {0, -0.0, 3}), (Lines{"* ", "0", "Standort", "0.0 0.0 3.0"}));
    const Lines two{"* ", "0", "Standort", "1.0 1.0 1.0", "Standort", "2.0 2.0 2.0"};
    EXPECT_EQ(writeSite(two, {5, 5, 5}), (Lines{"* ", "0", "Standort", "1.0 1.0 1.0", "Standort", "5.0 5.0 5.0"}));
    for (const SiteValues& s : {SiteValues{90.1, 0, 0}, SiteValues{0, -181, 0}, SiteValues{0, 0, 12.5}})
        EXPECT_THROW(writeSite(newProjectLines(), s), InputError);
    Lines bad = newProjectLines();
    bad[3] = "51.0 -8.0";
    EXPECT_EQ(testing::refusal([&] { readSite(bad); }).line(), 4);
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
    for (const char* bad : {"90-180", "-5-10=3", ""}) EXPECT_FALSE(horizonArgument(bad)) << bad;
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
    for (const std::string& bytes : {std::string(11, '\x14'), std::string(13, '\x14'), std::string(11, '\x14') + "\x65"})
        EXPECT_THROW(readSchedule(dir.write("bad.sch", bytes)), InputError) << bytes.size();
    std::array<int, 12> bad = values;
    bad[0] = 101;
    EXPECT_THROW(writeSchedule(path, bad), InputError);
    EXPECT_EQ(readSchedule(path), values);  // the failed write left the file alone
}

// The profile a measurement of the project's own horizon gives: one point where each
// interval begins.
std::string profileOf(const std::vector<HorizonRow>& rows) {
    std::string csv = "azimuth,elevation\n";
    for (const HorizonRow& r : rows) csv += r.from + "," + r.height + "\n";
    return csv;
}

TEST(HorizonImport, OwnHorizonComesBackAsTheSameIntervals) {
    const Lines project = testing::project({testing::collectorSurface()}, -1,
                                           {"0-45=3", "45-90.5=12.5", "90.5-180=0", "180-270=7.25", "270-360=3"});
    const std::vector<HorizonRow> rows = readHorizon(project);
    const auto points = readHorizonProfile(profileOf(rows), "h.csv", HorizonProfileFormat::Csv, AzimuthOrigin::North);
    const HorizonReduction r = reduceHorizonProfile(points);
    EXPECT_EQ(r.rows, rows);
    EXPECT_EQ(r.largestGiveaway, 0.0);
    EXPECT_EQ(writeHorizon(project, r.rows), project);
}

TEST(HorizonImport, ReductionKeepsTheHighestElevation) {
    // 48 PVGIS points (south = 0, west positive), alternating 2 and 4 degrees.
    std::string csv = "Latitude (decimal degrees):\t45.0\n\nA\tH_hor\tA_sun(w)\n";
    for (int i = 0; i < 48; ++i) csv += std::to_string(-180.0 + 7.5 * i) + "\t" + (i % 2 ? "4" : "2") + "\t0\n";
    csv += "\nH_hor: Horizon height (degree).\n";
    const auto points = readHorizonProfile(csv, "p.csv", HorizonProfileFormat::PvgisCsv, AzimuthOrigin::North);
    ASSERT_EQ(points.size(), 48u);
    EXPECT_EQ(points.front().azimuth, 0.0);  // A = -180 is north
    const HorizonReduction r = reduceHorizonProfile(points);
    ASSERT_LE(r.rows.size(), kHorizonRows);
    EXPECT_EQ(std::pair(r.rows.front().from, r.rows.back().to), std::pair(std::string("0"), std::string("360")));
    for (std::size_t i = 1; i < r.rows.size(); ++i) EXPECT_EQ(r.rows[i].from, r.rows[i - 1].to);
    // Every point lies under its interval's elevation.
    for (const HorizonPoint& p : points) {
        for (const HorizonRow& row : r.rows) {
            if (p.azimuth >= std::stod(row.from) && p.azimuth < std::stod(row.to)) {
                EXPECT_GE(std::stod(row.height), p.elevation) << p.azimuth;
            }
        }
    }
    EXPECT_EQ(r.largestGiveaway, 2.0);

    const std::string json = R"({"outputs": {"horizon_profile": [{"A": -90, "H_hor": 5.5}, {"A": 90, "H_hor": 1}]}})";
    const auto fromJson = readHorizonProfile(json, "p.json", HorizonProfileFormat::PvgisJson, AzimuthOrigin::North);
    EXPECT_EQ(reduceHorizonProfile(fromJson).rows,
              (std::vector<HorizonRow>{{"0", "90", "1"}, {"90", "270", "5.5"}, {"270", "360", "1"}}));
}

TEST(HorizonImport, BadProfilesAreRefusedWithFileAndLine) {
    using Case = std::tuple<const char*, HorizonProfileFormat, AzimuthOrigin, int, const char*>;
    const auto csv = HorizonProfileFormat::Csv;
    const auto north = AzimuthOrigin::North;
    const std::vector<Case> cases = {
        {"azimuth,elevation\n", csv, north, 2, "no numeric rows"},
        {"0,1\n400,2\n", csv, north, 2, "outside 0..360"},
        {"0,1\n200,2\n", csv, AzimuthOrigin::South, 2, "outside -180..180"},
        {"0,1\n10,95\n", csv, north, 2, "outside -90..90"},
        {"0,1\n10,2\n10,3\n", csv, north, 3, "do not rise"},
        {"0,1\n10,NaN\n", csv, north, 2, "not a number"}, {"0,1\n10\n", csv, north, 2, "columns"},
        {"A\tH_hor\n-180\t1\n-190\t1\n", HorizonProfileFormat::PvgisCsv, north, 3, "outside -180..180"},
        {"{\n\"outputs\": [,\n", HorizonProfileFormat::PvgisJson, north, 2, "not JSON"},
        {R"({"outputs": {}})", HorizonProfileFormat::PvgisJson, north, 0, "outputs.horizon_profile"},
        {R"({"outputs": {"horizon_profile": [{"A": "x", "H_hor": 1}]}})", HorizonProfileFormat::PvgisJson, north, 0,
         "horizon_profile[0]: the azimuth"},
    };
    for (const auto& [text, format, origin, line, says] : cases) {
        const InputError e = testing::refusal([&] { readHorizonProfile(text, "f", format, origin); });
        EXPECT_EQ(std::pair(e.file(), e.line()), std::pair(std::string("f"), line)) << text << ": " << e.message();
        EXPECT_NE(e.message().find(says), std::string::npos) << text << ": " << e.message();
    }
}

}  // namespace
}  // namespace penumbro
