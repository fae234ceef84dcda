#include "engine/Augenblick.h"

#include "project/Calendar.h"
#include "engine/Frames.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace penumbro {

double horizonHeight(const std::vector<HorizonEntry>& horizon, double azimuthDeg) {
    double height = 0;
    for (const HorizonEntry& e : horizon) {
        if (e.from <= azimuthDeg && azimuthDeg <= e.to) height = e.height;
        if (height != 0) break;
    }
    return height;
}

double shadedFraction(const RasterCounts& counts, int foliagePercent) {
    const double leafless = std::nearbyint((1.0 - foliagePercent / 100.0) *
                                           static_cast<double>(counts.crown));
    const double denominator =
        static_cast<double>(counts.shaded) + static_cast<double>(counts.lit) + leafless;
    if (!(denominator > 0)) throw std::domain_error("no target pixel was sampled");
    return static_cast<double>(counts.shaded) / denominator;
}

namespace {

// The tests both methods share: the angles and the code of an instant whose sun is
// not on the target; the projection-frame sun vector when it is.
std::optional<Vec3> sunOnTarget(const CompiledModel& model, SunPosition sun, InstantResult& result) {
    result.azimuthDeg = sun.azimuth;
    result.elevationDeg = sun.elevation;
    const float pi = 3.14159265358979f;
    const float elevation = sun.elevation * pi / 180.0f;
    const float azimuth = sun.azimuth * pi / 180.0f;
    // The vector is computed at elevation 0 too, so that a sun exactly on the
    // astronomical horizon meets the horizon-line test (and gives -2) instead of
    // reusing a stale direction.
    const Vec3 s = Sonnenvektor(elevation, azimuth, model.frame);
    result.ergebnis = kSunBehindTarget;
    if (sun.elevation < 0 || s.y <= 0) return std::nullopt;
    // Looked up and compared in degrees as the sun routine gave them, so that a
    // horizon exactly as high as the sun hides it whatever the rounding of radians.
    const double height = horizonHeight(model.horizon, static_cast<double>(sun.azimuth));
    result.ergebnis = kSunBehindHorizon;
    if (!(height < static_cast<double>(sun.elevation))) return std::nullopt;
    result.sunOnTarget = true;
    return s;
}

int foliageOf(const CompiledModel& model, int month) {
    month = std::clamp(month, 1, 12);
    return model.hasFoliage ? model.foliage[static_cast<std::size_t>(month - 1)] : 100;
}

}  // namespace

InstantResult instantForSun(const CompiledModel& model, ShadingRaster& raster, SunPosition sun,
                            int foliageMonth, int resolution) {
    InstantResult result;
    const auto s = sunOnTarget(model, sun, result);
    if (!s) return result;
    result.counts = raster.pass(model, *s, resolution);
    result.ergebnis = shadedFraction(result.counts, foliageOf(model, foliageMonth));
    return result;
}

InstantResult instantForSunExact(const CompiledModel& model, ExactShading& exact, SunPosition sun,
                                 int foliageMonth) {
    InstantResult result;
    const auto s = sunOnTarget(model, sun, result);
    if (!s) return result;
    result.areas = exact.pass(model, *s);
    result.ergebnis = exactShadedFraction(result.areas, foliageOf(model, foliageMonth));
    return result;
}

InstantResult Augenblick(const CompiledModel& model, ShadingRaster& raster, int day,
                         float clockHours, int foliageMonth, int resolution) {
    const SunPosition sun = Sonnenstand(kSimulationYear, day, clockHours, model.site.latitude,
                                        model.site.longitude, model.site.correction);
    return instantForSun(model, raster, sun, foliageMonth, resolution);
}

}  // namespace penumbro
