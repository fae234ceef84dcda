#include "engine/Sun.h"

#include <algorithm>
#include <cmath>

namespace penumbro {

namespace {

// The arithmetic runs in extended precision; every step's result is then rounded to
// float, which is how the positions the program has always produced come about.
using Wide = long double;

constexpr float kRad = 0.017453292f;       // degrees to radians, single precision
constexpr float kTwoPiSingle = 6.2831855f;  // used for the right ascension only
constexpr Wide kPi = 3.141592653589793238462643383279502884L;

float single(Wide x) { return static_cast<float>(x); }

// a - trunc(a / m) * m, then + m when negative.
float mod(Wide a, Wide m) {
    Wide r = a - std::trunc(a / m) * m;
    if (r < 0) r += m;
    return single(r);
}

// The arcsine of a quotient that is within [-1, 1] in exact arithmetic: rounding can
// carry it a hair beyond, where the guard would answer 0 instead of +-pi/2 (the sun
// jumping to due east or west at noon, or a zenith sun read as on the horizon).
float asinBounded(Wide x) {
    if (std::isnan(x)) return 0.0f;
    return asinGuarded(single(std::clamp<Wide>(x, -1, 1)));
}

}  // namespace

float asinGuarded(float x) {
    const Wide w = x;
    if (w * w < 1) return single(std::atan(w / std::sqrt(1 - w * w)));
    if (x == -1.0f) return single(-kPi / 2);
    if (x == 1.0f) return single(kPi / 2);
    return 0.0f;
}

SunPosition Sonnenstand(int year, int day, float clockHours, double latitude, double longitude,
                        double correction) {
    // Universal time; past 24 h the day term absorbs the excess through ut / 24.
    const float ut = single(static_cast<Wide>(clockHours) + correction);

    const int delta = year - 1949;
    const int leap = delta / 4;
    const float jd = single(static_cast<Wide>(delta) * 365 + 32916.5L + leap + day + ut / 24.0L);
    const float n = single(static_cast<Wide>(jd) - 51545);  // days from 2000-01-01 12:00

    const float meanLongitude = mod(280.46L + 0.9856474L * n, 360);
    const float meanAnomaly = mod(357.528L + 0.9856003L * n, 360);
    const float gr = single(static_cast<Wide>(meanAnomaly) * kRad);
    const float lam = mod(meanLongitude + 1.915L * std::sin(static_cast<Wide>(gr)) +
                              0.02L * std::sin(2 * static_cast<Wide>(gr)),
                          360);
    const float ep = single(23.439L - 0.0000004L * n);
    const float lamr = single(static_cast<Wide>(lam) * kRad);
    const float epr = single(static_cast<Wide>(ep) * kRad);

    const float num = single(std::cos(static_cast<Wide>(epr)) * std::sin(static_cast<Wide>(lamr)));
    const float den = single(std::cos(static_cast<Wide>(lamr)));
    float ra = single(std::atan(static_cast<Wide>(num) / den));
    if (den < 0) ra = single(ra + kPi);
    else if (num < 0) ra = single(static_cast<Wide>(ra) + kTwoPiSingle);
    const float dec =
        asinBounded(std::sin(static_cast<Wide>(epr)) * std::sin(static_cast<Wide>(lamr)));

    const float gmst = mod(6.697375L + 0.0657098242L * n + ut, 24);
    // Longitude is positive west here, so it is subtracted.
    const float lmst = mod(static_cast<Wide>(gmst) - longitude / 15, 24);

    float ha = single(static_cast<Wide>(lmst) * 15 * kRad - ra);
    if (ha < -kPi) ha = single(ha + 2 * kPi);
    if (ha > kPi) ha = single(ha - 2 * kPi);

    const float latr = single(static_cast<Wide>(latitude) * kRad);
    const Wide sinDec = std::sin(static_cast<Wide>(dec));
    const Wide cosDec = std::cos(static_cast<Wide>(dec));
    const Wide sinLat = std::sin(static_cast<Wide>(latr));
    const Wide cosLat = std::cos(static_cast<Wide>(latr));
    const float el = asinBounded(sinDec * sinLat + cosDec * cosLat * std::cos(static_cast<Wide>(ha)));

    // At a pole the quotient is unbounded and the guard turns it into 0 (azimuth 90 or
    // 270). The single-precision radians of 90 degrees leave cos(lat) a hair off zero,
    // which would make the quotient rounding noise, so the pole is taken as it stands.
    // Anywhere else the quotient is a sine; near the meridian it rounds to just beyond
    // +-1, which must read as +-1, not as the pole's 0.
    const bool atPole = std::fabs(latitude) == 90;
    const Wide c = (std::sin(static_cast<Wide>(el)) * sinLat - sinDec) /
                   (cosLat * std::cos(static_cast<Wide>(el)));
    const float a = atPole ? 0.0f : asinBounded(c);
    // Noon (ha == 0) takes the morning branch.
    const float az = ha <= 0 ? single(kPi / 2 + a) : single(3 * kPi / 2 - a);

    SunPosition result;
    result.elevation = single(static_cast<Wide>(el) / kRad);
    result.azimuth = single(static_cast<Wide>(az) / kRad);
    // Due north after noon comes out as a full turn.
    if (result.azimuth >= 360.0f) result.azimuth -= 360.0f;
    return result;
}

}  // namespace penumbro
