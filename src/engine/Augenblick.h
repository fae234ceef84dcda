#pragma once
// One instant of a run: sun position, the behind-target and horizon-line tests and
// the raster pass, giving the shaded fraction of the target (Ergebnis). Recording
// the instant (step buffer, hourly means) is the driver's business.

#include "engine/ExactShading.h"
#include "engine/Model.h"
#include "engine/ShadingRaster.h"
#include "engine/Sun.h"

#include <vector>

namespace penumbro {

inline constexpr double kSunBehindTarget = -1.0;  // below the horizon or behind the plane
inline constexpr double kSunBehindHorizon = -2.0;  // hidden by the horizon line

struct InstantResult {
    double ergebnis = kSunBehindTarget;  // shaded fraction 0..1, or -1 / -2
    bool sunOnTarget = false;            // true only when the raster was computed
    float azimuthDeg = 0;                // sun azimuth, degrees from north through east
    float elevationDeg = 0;              // sun elevation, degrees
    RasterCounts counts;                 // of the raster pass, zero without one
    ShadowAreas areas;                   // of the exact pass, zero without one
};

// Horizon height (degrees) at an azimuth in degrees: the entries are walked from the
// first; one matches when from <= azimuth <= to and gives its height; the walk stops
// at the first non-zero height found. 0 without a match.
double horizonHeight(const std::vector<HorizonEntry>& horizon, double azimuthDeg);

// S / (S + L + round((1 - f/100) T)) with halves rounded to even (f = foliage percent).
// Throws std::domain_error when nothing was sampled (the driver refuses such a run
// beforehand by sampledMaskPixels()).
double shadedFraction(const RasterCounts& counts, int foliagePercent);

// The instant for a given sun position: -1 when the elevation is below 0 or the sun
// lies behind the target plane, -2 when the horizon line is at least as high as the
// sun, otherwise the raster pass with counting step `resolution` (>= 1) and the
// fraction with the foliage of foliageMonth (1..12; used only with a foliage line).
InstantResult instantForSun(const CompiledModel& model, ShadingRaster& raster, SunPosition sun,
                            int foliageMonth, int resolution);

// instantForSun with the fraction from exact areas (see ExactShading.h).
InstantResult instantForSunExact(const CompiledModel& model, ExactShading& exact, SunPosition sun,
                                 int foliageMonth);

// The instant at clock time clockHours (0 <= t < 24) of day `day` (1..365) of 1995 at
// the model's site.
InstantResult Augenblick(const CompiledModel& model, ShadingRaster& raster, int day,
                         float clockHours, int foliageMonth, int resolution);

}  // namespace penumbro
