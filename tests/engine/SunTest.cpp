#include "engine/Sun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace penumbro {
namespace {

constexpr int kYear = 1995;

struct Worked {
    int day;
    float clock;
    double lat, lon, correction;
    double azimuth, elevation;
};

// Positions to two decimals, as the program has always given them.
TEST(Sonnenstand, WorkedPositions) {
    const Worked cases[] = {
        {172, 12.0f, 50, 0, 0, 179.16, 63.44},
        {172, 8.0f, 50, 0, 0, 96.54, 36.58},
        // The same instants with the clock one hour behind universal time.
        {172, 11.0f, 50, 0, 1, 179.16, 63.44},
        {172, 7.0f, 50, 0, 1, 96.54, 36.58},
    };
    for (const auto& c : cases) {
        const SunPosition p = Sonnenstand(kYear, c.day, c.clock, c.lat, c.lon, c.correction);
        SCOPED_TRACE(testing::Message() << "day " << c.day << " " << c.clock << " h corr " << c.correction);
        EXPECT_NEAR(p.azimuth, c.azimuth, 0.005);
        EXPECT_NEAR(p.elevation, c.elevation, 0.005);
    }
}

TEST(Sonnenstand, LongitudeIsPositiveWest) {
    // 15 degrees west sees the sun one hour later than Greenwich.
    const SunPosition west = Sonnenstand(kYear, 172, 13.0f, 50, 15, 0);
    const SunPosition greenwich = Sonnenstand(kYear, 172, 12.0f, 50, 0, 0);
    EXPECT_NEAR(west.azimuth, greenwich.azimuth, 0.02);
    EXPECT_NEAR(west.elevation, greenwich.elevation, 0.02);
    // East of Greenwich (negative) the sun is already past south at 12:00.
    EXPECT_GT(Sonnenstand(kYear, 172, 12.0f, 50, -15, 0).azimuth, 190);
}

TEST(Sonnenstand, UniversalTimePastMidnightRollsIntoTheNextDay) {
    // 23:59.4 + 1 h is not wrapped: the day term takes the excess.
    const SunPosition late = Sonnenstand(kYear, 172, 23.99f, 50, 0, 1);
    const SunPosition next = Sonnenstand(kYear, 173, 0.99f, 50, 0, 0);
    EXPECT_NEAR(late.azimuth, next.azimuth, 1e-3);
    EXPECT_NEAR(late.elevation, next.elevation, 1e-3);
    EXPECT_LT(late.elevation, 0);  // night at 50 N
}

TEST(Sonnenstand, AzimuthBranchesAroundNoon) {
    // Northern site: the sun passes south (180) from east to west.
    EXPECT_LT(Sonnenstand(kYear, 172, 11.9f, 50, 0, 0).azimuth, 180);
    EXPECT_GT(Sonnenstand(kYear, 172, 12.1f, 50, 0, 0).azimuth, 180);
    // Southern site: it passes north; the morning branch stays within 0..180 and the
    // afternoon branch within 180..360, so the azimuth jumps from near 0 to near 360.
    const SunPosition before = Sonnenstand(kYear, 172, 11.9f, -30, 0, 0);
    const SunPosition after = Sonnenstand(kYear, 172, 12.1f, -30, 0, 0);
    EXPECT_GT(before.azimuth, 0);
    EXPECT_LT(before.azimuth, 5);
    EXPECT_GT(after.azimuth, 355);
    EXPECT_LT(after.azimuth, 360);
    EXPECT_NEAR(before.elevation, 36.5, 0.1);
}

TEST(Sonnenstand, StaysFiniteOverTheYear) {
    for (int day = 1; day <= 365; day += 7)
        for (double lat : {-90.0, -66.5, -23.4, 0.0, 23.4, 51.0, 66.5, 89.9, 90.0})
            for (float clock = 0; clock < 24; clock += 1.5f) {
                const SunPosition p = Sonnenstand(kYear, day, clock, lat, -8, -1);
                ASSERT_TRUE(std::isfinite(p.azimuth) && std::isfinite(p.elevation));
                ASSERT_GE(p.azimuth, 0.0f);
                ASSERT_LE(p.azimuth, 360.0f);
                ASSERT_LE(std::fabs(p.elevation), 90.0f);
            }
}

TEST(AsinGuarded, Table) {
    const float halfPi = static_cast<float>(std::numbers::pi / 2);
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        float x;
        float expected;
    };
    const Case cases[] = {
        {0.0f, 0.0f},
        {0.5f, static_cast<float>(std::numbers::pi / 6)},
        {-0.5f, static_cast<float>(-std::numbers::pi / 6)},
        {1.0f, halfPi},
        {-1.0f, -halfPi},
        {1.0000001f, 0.0f},  // just beyond: 0, not pi/2
        {-1.0000001f, 0.0f},
        {2.0f, 0.0f},
        {-1e30f, 0.0f},
        {inf, 0.0f},
        {-inf, 0.0f},
    };
    for (const auto& c : cases) EXPECT_FLOAT_EQ(asinGuarded(c.x), c.expected) << c.x;
    EXPECT_EQ(asinGuarded(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    // Just inside: close to pi/2 rather than 0.
    EXPECT_NEAR(asinGuarded(0.99999994f), halfPi, 1e-3);
}

}  // namespace
}  // namespace penumbro
