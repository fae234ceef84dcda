// Horizon profiles read and reduced to the project's intervals.

#include "editor/HorizonImport.h"

#include "project/InputError.h"
#include "project/ProjectFormat.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

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
    const Lines written = writeHorizon(project, r.rows);
    EXPECT_EQ(written, project);
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
    EXPECT_EQ(r.rows.front().from, "0");
    EXPECT_EQ(r.rows.back().to, "360");
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
    struct Case {
        const char* text;
        HorizonProfileFormat format;
        AzimuthOrigin origin;
        int line;
        const char* says;
    };
    const auto csv = HorizonProfileFormat::Csv;
    const auto north = AzimuthOrigin::North;
    const std::vector<Case> cases = {
        {"azimuth,elevation\n", csv, north, 2, "no numeric rows"},
        {"0,1\n400,2\n", csv, north, 2, "outside 0..360"},
        {"0,1\n200,2\n", csv, AzimuthOrigin::South, 2, "outside -180..180"},
        {"0,1\n10,95\n", csv, north, 2, "outside -90..90"},
        {"0,1\n10,2\n10,3\n", csv, north, 3, "do not rise"},
        {"0,1\nnan,2\n", csv, north, 2, "not a number"},
        {"0,1\n10,NaN\n", csv, north, 2, "not a number"},
        {"0,1\n10\n", csv, north, 2, "columns"},
        {"0,1\nfoo,bar\n", csv, north, 2, "not an azimuth"},
        {"A\tH_hor\n-180\t1\n-190\t1\n", HorizonProfileFormat::PvgisCsv, north, 3, "outside -180..180"},
        {"{\n\"outputs\": [,\n", HorizonProfileFormat::PvgisJson, north, 2, "not JSON"},
        {R"({"outputs": {}})", HorizonProfileFormat::PvgisJson, north, 0, "outputs.horizon_profile"},
        {R"({"outputs": {"horizon_profile": [{"A": "x", "H_hor": 1}]}})", HorizonProfileFormat::PvgisJson, north, 0,
         "horizon_profile[0]: the azimuth"},
    };
    for (const Case& c : cases) {
        try {
            readHorizonProfile(c.text, "f", c.format, c.origin);
            ADD_FAILURE() << c.text << ": not refused";
        } catch (const InputError& e) {
            EXPECT_EQ(e.file(), "f") << c.text;
            EXPECT_EQ(e.line(), c.line) << c.text << ": " << e.message();
            EXPECT_NE(e.message().find(c.says), std::string::npos) << c.text << ": " << e.message();
        }
    }
}

}  // namespace
}  // namespace penumbro
