#include "engine/Sun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace penumbro {
namespace {

constexpr int kYear = 1995;

// Positions to two decimals, as the program has always given them; the same instants
// with the clock one hour behind universal time.
TEST(Sonnenstand, WorkedPositions) {
    const std::tuple<float, double, double, double> cases[] = {
        {12.0f, 0, 179.16, 63.44}, {8.0f, 0, 96.54, 36.58}, {11.0f, 1, 179.16, 63.44}, {7.0f, 1, 96.54, 36.58}};
    for (const auto& [clock, correction, azimuth, elevation] : cases) {
        const SunPosition p = Sonnenstand(kYear, 172, clock, 50, 0, correction);
        EXPECT_NEAR(p.azimuth, azimuth, 0.005) << clock << " h, correction " << correction;
        EXPECT_NEAR(p.elevation, elevation, 0.005) << clock << " h, correction " << correction;
    }
}

TEST(Sonnenstand, StaysFiniteOverTheYear) {
    for (int day = 1; day <= 365; day += 7)
        for (double lat : {-90.0, -66.5, -23.4, 0.0, 23.4, 51.0, 66.5, 89.9, 90.0})
            for (float clock = 0; clock < 24; clock += 1.5f) {
                const SunPosition p = Sonnenstand(kYear, day, clock, lat, -8, -1);
                ASSERT_TRUE(std::isfinite(p.azimuth) && std::isfinite(p.elevation));
                ASSERT_TRUE(p.azimuth >= 0 && p.azimuth <= 360 && std::fabs(p.elevation) <= 90)
                    << p.azimuth << " " << p.elevation;
            }
}

// The same almanac algorithm in double precision, with the azimuth from atan2, which
// has no branch and no guard: the path the sun routine must follow.
SunPosition referencePosition(int day, double clock, double lat, double lon, double correction) {
    constexpr double rad = std::numbers::pi / 180;
    const auto wrap = [](double a, double m) { return a - std::floor(a / m) * m; };
    const double ut = clock + correction;
    const double n = (kYear - 1949) * 365.0 + 32916.5 + (kYear - 1949) / 4 + day + ut / 24 - 51545;
    const double g = wrap(357.528 + 0.9856003 * n, 360) * rad;
    const double lam = (wrap(280.46 + 0.9856474 * n, 360) + 1.915 * std::sin(g) + 0.02 * std::sin(2 * g)) * rad;
    const double ep = (23.439 - 0.0000004 * n) * rad;
    const double ra = std::atan2(std::cos(ep) * std::sin(lam), std::cos(lam));
    const double dec = std::asin(std::sin(ep) * std::sin(lam));
    const double lmst = wrap(6.697375 + 0.0657098242 * n + ut - lon / 15, 24);
    const double ha = lmst * 15 * rad - ra;
    const double phi = lat * rad;
    const double el = std::asin(std::sin(dec) * std::sin(phi) + std::cos(dec) * std::cos(phi) * std::cos(ha));
    // Clockwise from north: east of the meridian for a negative hour angle.
    const double az = std::atan2(-std::cos(dec) * std::sin(ha),
                                 std::sin(dec) * std::cos(phi) - std::cos(dec) * std::sin(phi) * std::cos(ha));
    return {static_cast<float>(wrap(az / rad, 360)), static_cast<float>(el / rad)};
}

// Minute by minute around noon the azimuth stays on the sun's path: near the meridian
// the quotient before the arcsine rounds to just beyond 1, which once flipped the sun
// to due east or west (and behind a south facade) for that minute. Near the zenith the
// azimuth turns fast and the single-precision day number blurs it, so the allowance
// grows there.
TEST(Sonnenstand, AzimuthFollowsItsPathThroughNoon) {
    struct Site {
        double lat, lon, correction;
    };
    const Site sites[] = {{51, -8, -1}, {50, 0, 0}, {23.4, 0, 0}, {0, 10, 0.5}, {-33.9, -18.4, -2}, {-66, 0, 0}};
    std::vector<int> days = {98, 169, 172, 173, 355};
    for (int day = 5; day <= 365; day += 19) days.push_back(day);
    int departures = 0;
    for (const Site& site : sites)
        for (int day : days)
            for (int minute = 11 * 60; minute <= 14 * 60; ++minute) {
                const float clock = static_cast<float>(minute) / 60.0f;
                const SunPosition p = Sonnenstand(kYear, day, clock, site.lat, site.lon, site.correction);
                const SunPosition ref = referencePosition(day, clock, site.lat, site.lon, site.correction);
                ASSERT_LT(p.azimuth, 360.0f) << "due north is 0";
                EXPECT_NEAR(p.elevation, ref.elevation, 0.01) << day << " " << minute;
                // Within a tenth of a degree of the zenith the azimuth says nothing.
                const double zenithDistance = 90.0 - ref.elevation;
                if (zenithDistance < 0.1) continue;
                const double diff = std::fabs(std::remainder(static_cast<double>(p.azimuth) - ref.azimuth, 360.0));
                if (diff > 0.05 + 0.5 / zenithDistance && ++departures <= 5)
                    ADD_FAILURE() << "latitude " << site.lat << ", day " << day << ", " << minute / 60 << ":"
                                  << minute % 60 << ": azimuth " << p.azimuth << ", path " << ref.azimuth;
            }
    EXPECT_EQ(departures, 0);
}

TEST(AsinGuarded, Table) {
    const float halfPi = static_cast<float>(std::numbers::pi / 2);
    const std::pair<float, float> cases[] = {
        {0.5f, static_cast<float>(std::numbers::pi / 6)}, {-1.0f, -halfPi}, {1.0f, halfPi},
        {1.0000001f, 0.0f}, {-1e30f, 0.0f}, {std::numeric_limits<float>::infinity(), 0.0f},  // beyond: 0, not pi/2
    };
    for (const auto& [x, expected] : cases) EXPECT_FLOAT_EQ(asinGuarded(x), expected) << x;
    EXPECT_EQ(asinGuarded(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    EXPECT_NEAR(asinGuarded(0.99999994f), halfPi, 1e-3);  // just inside: close to pi/2 rather than 0
}

}  // namespace
}  // namespace penumbro
