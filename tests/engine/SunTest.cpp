#include "engine/Sun.h"

#include <gtest/gtest.h>

#include <cmath>

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

}  // namespace
}  // namespace penumbro
