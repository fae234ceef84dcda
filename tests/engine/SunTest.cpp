#include "engine/Sun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

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

TEST(Sonnenstand, AzimuthBranchesAroundNoon) {
    // Northern site: the sun passes south (180) from east to west.
    EXPECT_LT(Sonnenstand(kYear, 172, 11.9f, 50, 0, 0).azimuth, 180);
    EXPECT_GT(Sonnenstand(kYear, 172, 12.1f, 50, 0, 0).azimuth, 180);
    // Southern site: it passes north; the morning branch stays within 0..180 and the
    // afternoon branch within 180..360, so the azimuth jumps from near 0 to near 360.
    const SunPosition before = Sonnenstand(kYear, 172, 11.9f, -30, 0, 0);
    const SunPosition after = Sonnenstand(kYear, 172, 12.1f, -30, 0, 0);
    EXPECT_TRUE(before.azimuth > 0 && before.azimuth < 5) << before.azimuth;
    EXPECT_TRUE(after.azimuth > 355 && after.azimuth < 360) << after.azimuth;
    EXPECT_NEAR(before.elevation, 36.5, 0.1);
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
