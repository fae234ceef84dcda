#pragma once
// How the sky's diffuse light is spread over the sky vault: evenly (isotropic), or by
// the Perez et al. (1990) model, which adds a circumsolar disc around the sun and a
// band of brightening (or darkening) along the horizon.

#include <optional>
#include <string>

namespace penumbro {

enum class SkyModel { Isotropic, Perez };

// "isotropic" or "perez"; no value for anything else.
std::optional<SkyModel> skyModelFromName(const std::string& name);
const char* skyModelName(SkyModel model);

// Relative optical air mass by Kasten and Young (1989) for a zenith angle in degrees
// (below 96 degrees).
double relativeAirMass(double zenithDeg);

// Extraterrestrial normal irradiance (W/m2) on day 1..365 by Spencer's (1971)
// eccentricity series with the solar constant 1367 W/m2.
double extraterrestrialNormal(int dayNumber);

// The diffuse light on a tilted plane split into the model's three parts (the units of
// the inputs, W/m2 or Wh/m2 of an hour).
struct PerezParts {
    int bin = 0;        // clearness bin 1..8, 0 when the isotropic sky was used
    double f1 = 0, f2 = 0;
    double isotropic = 0, circumsolar = 0, horizon = 0;
};

// diffuseHorizontal D and directNormal B_n of one hour, the sun's zenith angle
// (radians), the cosine of the incidence angle on the plane and the plane's tilt
// (radians, 0 facing up). With the sun at or below the horizon the whole of D is
// treated as isotropic; without diffuse light every part is 0.
PerezParts perezParts(double diffuseHorizontal, double directNormal, double zenith, int dayNumber,
                      double cosIncidence, double tilt);

}  // namespace penumbro
