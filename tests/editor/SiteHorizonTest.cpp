// Site and horizon section editing; horizon profiles reduced to the project's intervals.

#include "editor/HorizonEditing.h"
#include "editor/SiteEditing.h"
#include "EditTexts.h"
#include "project/InputError.h"
#include "support/Refusal.h"
#include "editor/HorizonImport.h"
#include "project/ProjectFormat.h"
#include "support/HorizonProfile.h"
#include "support/SampleProjects.h"

#include "engine/Augenblick.h"
#include "project/Numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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

// The grid holds 25 rows: a longer section (which runs use whole) is refused, not cut.
TEST(Horizon, MoreEntriesThanTheGridHoldsAreRefused) {
    for (int count : {25, 26, 100}) {
        Lines text = newProjectLines();
        for (int i = count; i-- > 0;) text.insert(text.begin() + 2, std::to_string(i) + "-" + std::to_string(i + 1) + "=2");
        text.insert(text.begin() + 2, "Horizont");
        if (count <= 25) {
            EXPECT_EQ(readHorizon(text).size(), static_cast<std::size_t>(count));
            continue;
        }
        const InputError e = testing::refusal([&] { (void)readHorizon(text); });
        EXPECT_NE(e.message().find(std::to_string(count) + " intervals"), std::string::npos) << e.message();
    }
}

// PVGIS CSV, PVGIS JSON and a plain CSV, each reduced and read back the way a run reads
// the section: at every tenth of a degree the horizon is at or above the profile, the
// intervals cover 0..360 in order, and no more elevation is given away than reported.
TEST(HorizonImport, ReducedHorizonIsNeverBelowTheProfile) {
    std::mt19937 rng(52);
    std::uniform_real_distribution<double> u(0, 1);
    // PVGIS: 48 points, south = 0, west positive; the issue's neighbours around 52.5.
    std::string pvgisCsv = "Latitude (decimal degrees):\t45.0\n\nA\tH_hor\tA_sun(w)\n";
    std::string pvgisJson = R"({"inputs": {"location": {"latitude": 45}}, "outputs": {"horizon_profile": [)";
    for (int i = 0; i <= 48; ++i) {  // -180 and 180 both look north, here with different heights
        const double a = -180.0 + 7.5 * i;
        const double h = a == -127.5 ? 1.5 : a == -135 || a == -120 ? 0.9 : std::round(u(rng) * 8000) / 1000;
        pvgisCsv += horizonNumber(a) + "\t" + std::to_string(h) + "\t0\n";
        pvgisJson += std::string(i ? "," : "") + R"({"A": )" + horizonNumber(a) + R"(, "H_hor": )" +
                     std::to_string(h) + "}";
    }
    pvgisCsv += "\nH_hor: Horizon height (degree).\n";
    pvgisJson += "]}}";
    // A measured profile: 1000 points at odd azimuths, heights with three decimals.
    std::string plain = "azimuth;elevation\n";
    for (int i = 0; i < 1000; ++i)
        plain += std::to_string(0.17 + i * 0.3597) + ";" + std::to_string(std::round(u(rng) * 25000) / 1000 - 2) + "\n";
    const std::tuple<const char*, std::string, HorizonProfileFormat> cases[] = {
        {"pvgis.csv", pvgisCsv, HorizonProfileFormat::PvgisCsv},
        {"pvgis.json", pvgisJson, HorizonProfileFormat::PvgisJson},
        {"plain.csv", plain, HorizonProfileFormat::Csv},
        {"few.csv", "0,10.004\n90,3\n200,-1\n", HorizonProfileFormat::Csv},
    };
    for (const auto& [name, bytes, format] : cases) {
        SCOPED_TRACE(name);
        const auto points = readHorizonProfile(bytes, name, format, AzimuthOrigin::North);
        const HorizonReduction r = reduceHorizonProfile(points);
        ASSERT_LE(r.rows.size(), kHorizonRows);
        ASSERT_FALSE(r.rows.empty());
        EXPECT_EQ(std::pair(r.rows.front().from, r.rows.back().to), std::pair(std::string("0"), std::string("360")));
        std::vector<HorizonEntry> entries;
        for (std::size_t i = 0; i < r.rows.size(); ++i) {
            ASSERT_TRUE(r.rows[i].counts()) << r.rows[i].line();
            if (i > 0) { EXPECT_EQ(r.rows[i].from, r.rows[i - 1].to); }
            entries.push_back({*parseNumber(r.rows[i].from), *parseNumber(r.rows[i].to), *parseNumber(r.rows[i].height)});
        }
        double largest = 0;
        for (int tenth = 0; tenth <= 3600; ++tenth) {
            const double azimuth = tenth / 10.0, wanted = testing::profileAt(points, azimuth);
            const double got = horizonHeight(entries, azimuth);
            ASSERT_GE(got, wanted - 1e-9) << "at " << azimuth;
            largest = std::max(largest, got - wanted);
        }
        for (const HorizonPoint& p : points) ASSERT_GE(horizonHeight(entries, p.azimuth), p.elevation) << p.azimuth;
        EXPECT_LE(largest, r.largestGiveaway + 1e-9);
    }
    // Heights round up, never to the nearest: 10.004 is not written 10.
    const auto few = reduceHorizonProfile(readHorizonProfile("0,10.004\n", "f", HorizonProfileFormat::Csv, AzimuthOrigin::North));
    EXPECT_EQ(few.rows, (Rows{{"0", "360", "10.01"}}));
}

}  // namespace
}  // namespace penumbro
