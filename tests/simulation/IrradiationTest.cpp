// Irradiation from a weather year: the isotropic and Perez sums against computations
// by hand, and how the Perez parts are shaded.

#include "cli/RunCli.h"
#include "project/Calendar.h"
#include "project/FileIo.h"
#include "project/ProjectFile.h"
#include "engine/Sun.h"
#include "project/InputError.h"
#include "simulation/Irradiation.h"
#include "formats/WeatherFile.h"
#include "support/WeatherLines.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <numbers>
#include <tuple>

namespace penumbro {
namespace {

using testing::plainSurface;

constexpr double kRad = std::numbers::pi / 180.0;
constexpr double kDni = 500, kDhi = 100;
constexpr double kLat = 50, kLon = 0;

SunPosition sunOfRow(int row) {
    return Sonnenstand(kSimulationYear, row / 24 + 1, static_cast<float>(row % 24) + 0.5f, kLat, kLon, 0);
}

Lines weatherLines(double lat = kLat, double timeZone = 0) {
    return testing::weatherLines([](int row) { return sunOfRow(row).elevation; }, lat, kLon, timeZone, kDni, kDhi);
}

// A vertical 2 x 2 m target facing south at the origin, optionally behind a wall
// that hides it from every sun in front of it.
IrradiationRequest request(bool wall, const Lines& horizon = {}) {
    std::vector<Lines> surfaces = {plainSurface("Fenster", true, "# 180.000 90.000 0.000 0.000 0.000",
                                                {"0.0 0.0 0.0", "2.0 0.0 0.0", "2.0 0.0 2.0", "0.0 0.0 2.0"})};
    if (wall)
        surfaces.push_back(plainSurface("Mauer", false, "# 180.000 90.000 -300.000 -0.500 0.000",
                                        {"-300.0 -0.5 0.0", "300.0 -0.5 0.0", "300.0 -0.5 300.0", "-300.0 -0.5 300.0"}));
    IrradiationRequest r;
    r.text = testing::project(surfaces, -1, horizon);
    r.projectFile = "p.dat";
    r.params.resolution = 4;
    r.params.diffuseResolution = 8;
    r.params.elevationIntervals = 6;
    return r;
}

TEST(Irradiation, UnobstructedMatchesTheIsotropicSumsAndLosesNothing) {
    const WeatherFile w = parseWeatherFile(weatherLines(), "w.epw");
    IrradiationRequest req = request(false);
    req.skyModel = SkyModel::Isotropic;
    const IrradiationResult r = computeIrradiation(req, w);
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_NEAR(r.tiltDeg, 90.0, 1e-6);
    EXPECT_NEAR(r.azimuthDeg, 180.0, 1e-6);
    IrradiationSums hand;
    for (int row = 0; row < kWeatherHours; ++row) {
        const SunPosition s = sunOfRow(row);
        if (s.elevation <= 0) continue;
        const double cosIncidence = std::cos(s.elevation * kRad) * std::cos((s.azimuth - 180.0) * kRad);
        hand.beam += kDni * std::max(0.0, cosIncidence) / 1000;
        hand.sky += kDhi / 2 / 1000;
        hand.ground += (kDhi + kDni * std::sin(s.elevation * kRad)) * 0.2 / 2 / 1000;
    }
    EXPECT_NEAR(r.year.beam, hand.beam, 0.005 * hand.beam);
    EXPECT_NEAR(r.year.sky, hand.sky, 0.005 * hand.sky);
    EXPECT_NEAR(r.year.ground, hand.ground, 0.005 * hand.ground);
    for (const IrradiationSums& m : r.months) EXPECT_EQ(m.lossPercent(), 0.0);
    EXPECT_EQ(r.year.lossPercent(), 0.0);
}

TEST(Irradiation, AWallInFrontTakesTheWholeBeamAndSiteMismatchWarns) {
    const WeatherFile w = parseWeatherFile(weatherLines(52.5, 1), "w.epw");
    const IrradiationResult r = computeIrradiation(request(true), w);
    EXPECT_GT(r.year.beam, 100.0);
    EXPECT_LT(r.year.beamShaded, 1e-3 * r.year.beam);
    EXPECT_LT(r.year.skyShaded, r.year.sky);
    EXPECT_EQ(r.warnings.size(), 2u);
}

TEST(Irradiation, CommandLineWritesTheComputedTableAndRefusesADamagedFile) {
    const penumbro::testing::TempDir dir("irradiation");
    Lines weather = weatherLines();
    saveProjectFile(dir.path("w.epw"), weather);
    IrradiationRequest req = request(true);
    saveProjectFile(dir.path("p.dat"), req.text);
    ASSERT_EQ(runCli("kon --write " + cliQuote(dir.path("start.kon"))).exitCode, 0);  // not standard.kon
    const std::string common = cliQuote(dir.path("p.dat")) + " --weather " + cliQuote(dir.path("w.epw")) +
                               " --kon " + cliQuote(dir.path("start.kon")) + " --set resolution=4 --set diffuse-resolution=8 --set elevation-intervals=6";
    const CliResult r = runCli("irradiation " + common + " --hourly -o " + cliQuote(dir.path("out")));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string csv = irradiationCsv(computeIrradiation(req, parseWeatherFile(weather, "w.epw")));
    EXPECT_EQ(dir.read("out_irradiation.csv"), csv);
    const Lines hourly = splitLines(dir.read("out_irradiation_hourly.csv"));
    EXPECT_EQ(hourly.size(), 8761u);
    EXPECT_NE(hourly[0].find(",sky_isotropic_wh,sky_circumsolar_wh,sky_horizon_wh,sky_isotropic_shaded_wh,"
                             "sky_circumsolar_shaded_wh,sky_horizon_shaded_wh"),
              std::string::npos);
    EXPECT_NE(r.out.find("year   "), std::string::npos);
    EXPECT_EQ(runCli("irradiation " + common + " --sky-model uniform").exitCode, 2);

    weather[500] = "1995,1,21,13";
    saveProjectFile(dir.path("w.epw"), weather);
    const CliResult bad = runCli("irradiation " + common);
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("w.epw:501: "), std::string::npos) << bad.err;
}

// Perez's parts over the year on the unobstructed vertical plane, summed from the
// paper's formulas written out plainly. This weather's clearness (6 + 1.041 Z^3) /
// (1 + 1.041 Z^3) stays within bins 5 to 7, so only their coefficients are needed.
TEST(Irradiation, PerezYearMatchesThePaperSummedByHandAndLosesNothingUnobstructed) {
    const double bins[3][7] = {{1.95, 0.873, -0.392, -0.362, 0.226, -0.462, 0.001},
                               {2.8, 1.132, -1.237, -0.412, 0.288, -0.823, 0.056},
                               {4.5, 1.060, -1.600, -0.359, 0.264, -1.127, 0.131}};
    double isotropic = 0, circumsolar = 0, horizon = 0;
    for (int row = 0; row < kWeatherHours; ++row) {
        const SunPosition s = sunOfRow(row);
        const double zd = 90.0 - s.elevation, z = zd * kRad, g = 2 * std::numbers::pi * (row / 24) / 365;
        const double eps = ((kDhi + kDni) / kDhi + 1.041 * z * z * z) / (1 + 1.041 * z * z * z);
        if (s.elevation <= 0) continue;
        ASSERT_TRUE(eps >= 1.95 && eps < 6.2) << row;
        const double i0 = 1367 * (1.00011 + 0.034221 * std::cos(g) + 0.00128 * std::sin(g) +
                                  0.000719 * std::cos(2 * g) + 0.000077 * std::sin(2 * g));
        const double delta = kDhi / (std::cos(z) + 0.50572 * std::pow(96.07995 - zd, -1.6364)) / i0;
        const double* c = bins[eps >= 4.5 ? 2 : eps >= 2.8 ? 1 : 0];
        const double f1 = std::max(0.0, c[1] + c[2] * delta + c[3] * z), f2 = c[4] + c[5] * delta + c[6] * z;
        const double a = std::max(0.0, std::cos(s.elevation * kRad) * std::cos((s.azimuth - 180.0) * kRad));
        isotropic += kDhi * (1 - f1) / 2 / 1000;  // tilt 90: (1 + cos t) / 2 = 1/2, sin t = 1
        circumsolar += kDhi * f1 * a / std::max(std::cos(85 * kRad), std::cos(z)) / 1000;
        horizon += kDhi * f2 / 1000;
    }
    const IrradiationResult r = computeIrradiation(request(false), parseWeatherFile(weatherLines(), "w.epw"));
    EXPECT_NEAR(r.year.skyIsotropic, isotropic, 0.005 * isotropic);
    EXPECT_NEAR(r.year.skyCircumsolar, circumsolar, 0.005 * circumsolar);
    EXPECT_NEAR(r.year.skyHorizon, horizon, 0.005 * horizon);
    EXPECT_EQ(r.year.lossPercent(), 0.0);
}

Lines collectorBehindWall() {
    return testing::project({testing::collectorSurface(),
                             plainSurface("Mauer", false, "# 180.000  90.000  10.000  5.000  0.000",
                                          {"10.0 5.0 0.0", "20.0 5.0 0.0", "20.0 5.0 8.0", "10.0 5.0 8.0"})});
}

// Circumsolar light comes from the sun's direction: it arrives in every hour in the
// share the beam does. The horizon band of a south-facing vertical target is blocked by
// a horizon line all round, by one over the eastern half only (its directions lie
// symmetric about south: half the light) or by a wall; a collector behind a wall 8 m
// high is shaded in part on many hours.
TEST(Irradiation, CircumsolarIsShadedLikeTheBeamAndTheHorizonBandByWhatBlocksIt) {
    struct Case {
        bool wall;
        Lines horizon;
        double open;  // of the horizon band; -1: not known by hand
    };
    const Case cases[] = {{false, {}, 1.0}, {false, {"0-360=10"}, 0.0}, {false, {"90-180=10"}, 0.5},
                          {true, {}, 0.0}, {false, {}, -1}};
    const WeatherFile w = parseWeatherFile(weatherLines(), "w.epw");
    int partly = 0;
    for (const Case& c : cases) {
        IrradiationRequest req = request(c.wall, c.horizon);
        if (c.open < 0) req.text = collectorBehindWall();
        req.keepHours = true;
        const IrradiationResult r = computeIrradiation(req, w);
        for (const IrradiationHour& h : r.hours) {
            const double open = h.wh.beam > 0 ? h.wh.beamShaded / h.wh.beam : 0;
            EXPECT_NEAR(h.wh.skyCircumsolarShaded, h.wh.skyCircumsolar * open, 1e-9 * h.wh.skyCircumsolar)
                << h.dayNumber << " " << h.weather->hour;
            partly += open > 0.01 && open < 0.99;
        }
        if (c.open < 0) continue;
        for (double open : r.horizonOpen) EXPECT_NEAR(open, c.open, 1e-9) << c.horizon.size();
        EXPECT_NEAR(r.year.skyHorizonShaded, c.open * r.year.skyHorizon, 1e-9);
        // A darker horizon (negative part) hidden completely is nothing, not "-0.00".
        EXPECT_EQ(irradiationHourlyCsv(r).find(",-0.00"), std::string::npos);
    }
    EXPECT_GT(partly, 100);
}

// With the isotropic sky the command writes what it wrote before the Perez sky was
// added: tests/cli/golden holds that program's files (the hourly one as line count and
// FNV-1a hash).
TEST(Irradiation, IsotropicSkyKeepsThePreviousFilesByteForByte) {
    const penumbro::testing::TempDir dir("irradiation-golden");
    saveProjectFile(dir.path("w.epw"), weatherLines());
    saveProjectFile(dir.path("p.dat"), collectorBehindWall());
    ASSERT_EQ(runCli("kon --write " + cliQuote(dir.path("start.kon"))).exitCode, 0);
    const CliResult r = runCli("irradiation " + cliQuote(dir.path("p.dat")) + " --weather " +
                               cliQuote(dir.path("w.epw")) + " --kon " + cliQuote(dir.path("start.kon")) +
                               " --set elevation-intervals=6 --sky-model isotropic --hourly -o " +
                               cliQuote(dir.path("out")));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string hourly = dir.read("out_irradiation_hourly.csv");
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : hourly) hash = (hash ^ c) * 1099511628211ull;
    const std::string files[][2] = {
        {"_irradiation.csv", dir.read("out_irradiation.csv")},
        {"_irradiation.txt", r.out.substr(r.out.find("plane of the first target"))},
        {"_irradiation_hourly.fnv", std::to_string(splitLines(hourly).size()) + " lines, FNV-1a " +
                                        std::to_string(hash) + "\n"}};
    const std::string golden = std::string(PENUMBRO_SOURCE_DIR) + "/tests/cli/golden/collector_isotropic";
    for (const auto& [suffix, actual] : files) {
        if (std::getenv("PENUMBRO_UPDATE_GOLDEN")) std::ofstream(golden + suffix, std::ios::binary) << actual;
        EXPECT_EQ(actual, testing::TempDir::readFile(golden + suffix)) << suffix;
    }
}

}  // namespace
}  // namespace penumbro
