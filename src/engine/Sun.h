#pragma once
// Sun position: the Astronomical Almanac's approximate solar position for
// 1950..2050, with the program's conventions.

namespace penumbro {

struct SunPosition {
    float azimuth = 0;    // degrees from north through east (0 N, 90 E, 180 S, 270 W)
    float elevation = 0;  // degrees above the astronomical horizon, no refraction
};

// Guarded arcsine (radians): arctan(x / sqrt(1 - x^2)) for x^2 < 1, -pi/2 and +pi/2
// for exactly -1 and +1, and 0 for any other |x| > 1.
float asinGuarded(float x);

// year: e.g. 1995; day: 1 = 1 January; clockHours: 0 <= t < 24; latitude: degrees,
// north positive; longitude: degrees, positive WEST; correction: hours added to the
// clock time to get universal time (not wrapped past 24). Intermediate values are held
// in single precision. Arcsine arguments that rounding carries past +-1 count as +-1,
// so the azimuth follows its path through noon. At latitude +-90 exactly the azimuth is 90 before and 270 after
// the hour angle turns positive.
SunPosition Sonnenstand(int year, int day, float clockHours, double latitude, double longitude,
                        double correction);

}  // namespace penumbro
