// Irradiation from a weather year: the weather reader's refusals and the isotropic
// sums against a computation by hand.

#include "cli/RunCli.h"
#include "engine/Calendar.h"
#include "project/FileIo.h"
#include "project/ProjectFile.h"
#include "engine/Sun.h"
#include "project/InputError.h"
#include "simulation/Irradiation.h"
#include "simulation/WeatherFile.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <cmath>
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

// An EPW as the format lays it out: eight header lines, then 8760 rows of 35 fields;
// constant direct normal and diffuse in the hours whose middle has the sun up.
Lines weatherLines(double lat = kLat, double timeZone = 0) {
    Lines t = {"LOCATION,Testort,-,DEU,TMY,000000," + std::to_string(lat) + "," + std::to_string(-kLon) + "," +
                   std::to_string(timeZone) + ",100.0",
               "DESIGN CONDITIONS,0", "TYPICAL/EXTREME PERIODS,0", "GROUND TEMPERATURES,0",
               "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0", "COMMENTS 1,synthetic", "COMMENTS 2,constant daylight",
               "DATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31"};
    for (int row = 0; row < kWeatherHours; ++row) {
        const int day = row / 24 + 1, month = monthOfDay(day);
        const double el = sunOfRow(row).elevation;
        const bool up = el > 0;
        const double ghi = up ? kDhi + kDni * std::sin(el * kRad) : 0;
        t.push_back("1995," + std::to_string(month) + "," +
                    std::to_string(day - kMonatsanfang[static_cast<std::size_t>(month - 1)] + 1) + "," +
                    std::to_string(row % 24 + 1) + ",60,?9?9?9?9E0?9?9?9?9?9?9?9?9?9?9?9?9?9?9*9*9?9*9,5.0,1.0,75,"
                    "101300,0,1415,300," + std::to_string(ghi) + "," + std::to_string(up ? kDni : 0) + "," +
                    std::to_string(up ? kDhi : 0) + ",0,0,0,0,180,2.0,5,5,20.0,9999,9,999999999,0,0.10,0,88,0.0,0.0,0.0");
    }
    return t;
}

TEST(WeatherFile, RealLayoutReadsAndDamageIsRefusedWithFileAndLine) {
    const WeatherFile w = parseWeatherFile(weatherLines(), "w.epw");
    ASSERT_EQ(w.hours.size(), 8760u);
    EXPECT_EQ(w.hours[8759].month, 12);
    EXPECT_EQ(w.hours[8759].day, 31);
    EXPECT_DOUBLE_EQ(w.latitude, kLat);

    struct Damage {
        const char* what;
        std::function<void(Lines&)> apply;
        int line;
    };
    const Damage cases[] = {
        {"short row", [](Lines& t) { t[20] = "1995,1,1,13,60,x,5.0"; }, 21},
        {"text in a number field", [](Lines& t) { t[30].replace(t[30].find(",101300,"), 8, ",abc,"); }, 31},
        {"missing irradiation", [](Lines& t) { t[40] = t[40].substr(0, t[40].find(",0,1415,300,")) + ",0,1415,300,9999,9999,9999,0"; }, 41},
        {"8759 rows", [](Lines& t) { t.pop_back(); }, 8768},
        {"rows out of order", [](Lines& t) { std::swap(t[100], t[101]); }, 101},
        {"no LOCATION line", [](Lines& t) { t[0] = "COMMENTS 1"; }, 1},
    };
    for (const Damage& c : cases) {
        Lines t = weatherLines();
        c.apply(t);
        try {
            parseWeatherFile(t, "w.epw");
            ADD_FAILURE() << c.what << " was read";
        } catch (const InputError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("w.epw:" + std::to_string(c.line) + ": ", 0), 0u)
                << c.what << ": " << e.what();
        }
    }
}

// What other tools write: a byte-order mark, a leap year (29 February skipped with a
// warning); and refusals that say what is wrong rather than what broke further on.
TEST(WeatherFile, MarkAndLeapYearReadAndRangeAndShortHeaderSayWhy) {
    constexpr std::size_t kFeb28 = kWeatherHeaderLines + 58 * 24;
    const auto leapDay = [](Lines& t, int hours) {
        Lines day;
        for (int h = 0; h < hours; ++h) day.push_back("1995,2,29," + t[kFeb28 + static_cast<std::size_t>(h)].substr(10));
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(kFeb28 + 24), day.begin(), day.end());
    };
    const struct {
        const char* what;
        std::function<void(Lines&)> apply;
        int line;  // 0: read
        const char* said;  // the message's text, or the warning's
    } cases[] = {
        {"byte-order mark", [](Lines& t) { t[0] = "\xEF\xBB\xBF" + t[0]; }, 0, nullptr},
        {"leap year", [&](Lines& t) { leapDay(t, 24); }, 0, "warning: the file holds 29 February (a leap year); its 24 hours are skipped"},
        {"leap day cut short", [&](Lines& t) { leapDay(t, 12); }, 1437, "expected 29 February, hour 13"},
        {"global beyond the format", [](Lines& t) { t[40] = t[40].substr(0, t[40].find(",0,1415,300,")) + ",0,1415,300,1e308,0,0,0"; },
         41, "the global horizontal irradiation (field 14) is out of range: 1e308"},
        {"the marker itself", [](Lines& t) { t[40] = t[40].substr(0, t[40].find(",0,1415,300,")) + ",0,1415,300,0,9999,0,0"; },
         41, "the direct normal irradiation (field 15) is missing (9999)"},
        {"header of seven lines", [](Lines& t) { t.erase(t.begin() + 2); }, 8, "the header is short"},
    };
    const WeatherFile plain = parseWeatherFile(weatherLines(), "w.epw");
    for (const auto& c : cases) {
        Lines t = weatherLines();
        c.apply(t);
        if (c.line == 0) {
            const WeatherFile w = parseWeatherFile(t, "w.epw");
            ASSERT_EQ(w.hours.size(), plain.hours.size()) << c.what;
            for (const std::size_t row : {std::size_t{58 * 24 + 23}, std::size_t{59 * 24}, std::size_t{8759}})
                EXPECT_EQ(std::tuple(w.hours[row].month, w.hours[row].day, w.hours[row].hour, w.hours[row].global),
                          std::tuple(plain.hours[row].month, plain.hours[row].day, plain.hours[row].hour, plain.hours[row].global))
                    << c.what << " row " << row;
            EXPECT_EQ(w.warnings.size(), c.said ? 1u : 0u) << c.what;
            if (c.said && !w.warnings.empty()) {
                EXPECT_EQ(w.warnings[0].render(Language::English), c.said);
            }
            continue;
        }
        try {
            parseWeatherFile(t, "w.epw");
            ADD_FAILURE() << c.what << " was read";
        } catch (const InputError& e) {
            EXPECT_EQ(e.line(), c.line) << c.what;
            EXPECT_NE(e.message().find(c.said), std::string::npos) << c.what << ": " << e.what();
        }
    }
}

// A vertical 2 x 2 m target facing south at the origin, optionally behind a wall
// that hides it from every sun in front of it.
IrradiationRequest request(bool wall) {
    std::vector<Lines> surfaces = {plainSurface("Fenster", true, "# 180.000 90.000 0.000 0.000 0.000",
                                                {"0.0 0.0 0.0", "2.0 0.0 0.0", "2.0 0.0 2.0", "0.0 0.0 2.0"})};
    if (wall)
        surfaces.push_back(plainSurface("Mauer", false, "# 180.000 90.000 -300.000 -0.500 0.000",
                                        {"-300.0 -0.5 0.0", "300.0 -0.5 0.0", "300.0 -0.5 300.0", "-300.0 -0.5 300.0"}));
    IrradiationRequest r;
    r.text = testing::project(surfaces);
    r.projectFile = "p.dat";
    r.params.resolution = 4;
    r.params.diffuseResolution = 8;
    r.params.elevationIntervals = 6;
    return r;
}

TEST(Irradiation, UnobstructedMatchesTheIsotropicSumsAndLosesNothing) {
    const WeatherFile w = parseWeatherFile(weatherLines(), "w.epw");
    const IrradiationResult r = computeIrradiation(request(false), w);
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
    EXPECT_EQ(splitLines(dir.read("out_irradiation_hourly.csv")).size(), 8761u);
    EXPECT_NE(r.out.find("year   "), std::string::npos);

    weather[500] = "1995,1,21,13";
    saveProjectFile(dir.path("w.epw"), weather);
    const CliResult bad = runCli("irradiation " + common);
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("w.epw:501: "), std::string::npos) << bad.err;
}

}  // namespace
}  // namespace penumbro
