// The Perez sky's parts of single hours, worked by hand from the paper's formulas (Z in
// radians): eps = ((D + B_n) / D + 1.041 Z^3) / (1 + 1.041 Z^3), Delta = D m / I0 with
// m = 1 / (cos Z + 0.50572 (96.07995 - Z_deg)^-1.6364) and Spencer's I0 = 1367 E0(day),
// F1 = max(0, F11 + F12 Delta + F13 Z), F2 = F21 + F22 Delta + F23 Z, a = max(0, cos i),
// b = max(cos 85, cos Z): D (1 - F1)(1 + cos t) / 2, D F1 a / b, D F2 sin t.

#include "simulation/SkyModel.h"

#include <gtest/gtest.h>

#include <numbers>

namespace penumbro {
namespace {

TEST(PerezSky, HandWorkedHoursOfEveryClearnessBin) {
    struct Hour {
        double diffuse, direct, zenithDeg;
        int day;
        double cosIncidence, tiltDeg;
        int bin;
        double isotropic, circumsolar, horizon;
    };
    const Hour hours[] = {
        // eps 1, m 1.994293, I0 1413.9158, Delta 0.169257, F1 0.026597, F2 -0.070852: darker horizon
        {120, 0, 60, 15, 0.5, 90, 1, 58.404188215, 3.191623571, -8.502221125},
        // eps 1.150799, m 1.153992, I0 1377.7995, Delta 0.251269, F1 0.222553, F2 -0.017601
        {300, 52, 30, 80, 0.8, 35, 2, 212.144144392, 61.675697063, -3.028593788},
        // eps 1.265898, m 1.412595, I0 1346.5446, Delta 0.262263, F1 0.284149, F2 0.017795
        {250, 100, 45, 120, 0.6, 60, 3, 134.222046374, 60.277123675, 3.852690649},
        // eps 1.590750, m 1.304224, I0 1322.4943, Delta 0.197237, F1 0.398934, F2 0.069246
        {200, 160, 40, 172, 0.9, 30, 4, 112.160357936, 93.738949810, 6.924614349},
        // eps 2.041226, m 1.739937, I0 1322.6394, Delta 0.197326, F1 0.448153, F2 0.135796
        {150, 300, 55, 200, 0.7, 90, 5, 41.388499516, 82.039807942, 20.369330722},
        // eps 3.646166, m 1.102804, I0 1345.6559, Delta 0.098343, F1 0.830580, F2 0.231498
        {120, 345, 25, 250, 0.95, 20, 6, 19.717337904, 104.474601627, 9.501234904},
        // eps 5.000666, m 1.219874, I0 1384.5478, Delta 0.088106, F1 0.699729, F2 0.244728
        {100, 495, 35, 300, 0.4, 45, 7, 25.629711689, 34.168467489, 17.304848267},
        // eps 8.720657, m 1.063700, I0 1412.4738, Delta 0.060246, F1 0.571033, F2 0.160657; a = 0
        {80, 645, 20, 350, 0.0, 75, 8, 21.599669549, 0.0, 12.414595511},
        // eps 2.076537, m 15.147735, Delta 0.687740, F1 0.053732, F2 -0.090217; b = cos 85 deg
        {60, 300, 87, 180, 0.3, 90, 5, 28.388037691, 11.097115981, -5.413035892},
        // Sun below the horizon: all isotropic, D (1 + cos 60 deg) / 2.
        {40, 0, 95, 180, 0.2, 60, 0, 30.0, 0.0, 0.0},
    };
    constexpr double rad = std::numbers::pi / 180.0;
    for (const Hour& h : hours) {
        const PerezParts p = perezParts(h.diffuse, h.direct, h.zenithDeg * rad, h.day, h.cosIncidence, h.tiltDeg * rad);
        EXPECT_EQ(p.bin, h.bin) << h.diffuse;
        EXPECT_NEAR(p.isotropic, h.isotropic, 1e-6) << h.diffuse;
        EXPECT_NEAR(p.circumsolar, h.circumsolar, 1e-6) << h.diffuse;
        EXPECT_NEAR(p.horizon, h.horizon, 1e-6) << h.diffuse;
    }
}

}  // namespace
}  // namespace penumbro
