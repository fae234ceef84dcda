#include "engine/Diffuse.h"

#include "engine/Augenblick.h"
#include "engine/Frames.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace penumbro {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegreesPerRadian = 57.2957795130823;

// The sine of an elevation, computed from unit vectors: rounding may carry it a hair
// past +-1, which means the zenith or nadir, not the horizon (the guarded arcsine's 0).
double asinBounded(double x) {
    if (std::isnan(x)) return 0;
    return std::asin(std::clamp(x, -1.0, 1.0));
}

}  // namespace

DiffuseGrid makeDiffuseGrid(int intervals) {
    DiffuseGrid g;
    const int n = std::max(intervals, 1);
    g.intervals = n;
    const auto un = static_cast<std::size_t>(n);
    g.bandStart.resize(un);
    g.bandWidth.resize(un);
    g.elevation.resize(un);
    g.bandStart[0] = 0;
    g.bandWidth[0] = std::asin(1.0 / n);
    const double sinW1 = std::sin(g.bandWidth[0]);
    for (std::size_t i = 0; i + 1 < un; ++i) {
        g.bandStart[i + 1] = g.bandStart[i] + g.bandWidth[i];
        const double t = std::min(std::sin(g.bandStart[i + 1]) + sinW1, 1.0);
        g.bandWidth[i + 1] = std::asin(t) - g.bandStart[i + 1];
    }
    for (std::size_t i = 0; i < un; ++i)
        g.elevation[i] =
            asinBounded((std::sin(g.bandStart[i]) + std::sin(g.bandStart[i] + g.bandWidth[i])) * 0.5);
    g.azimuth.resize(4 * un);
    for (std::size_t j = 0; j < 4 * un; ++j)
        g.azimuth[j] = static_cast<double>(j) * 2 * kPi / static_cast<double>(4 * n);
    return g;
}

SkyDirection gridDirection(double a, double eps, double alphaT, double betaT) {
    const double A = std::sin(a) * std::cos(eps);
    const double B = std::cos(a) * std::cos(eps);
    const double C = std::sin(eps);
    SkyDirection d;
    d.elevation = asinBounded(-B * std::cos(betaT) + C * std::sin(betaT));
    const double V = B * std::sin(betaT) + C * std::cos(betaT);
    const double P = -A * std::sin(alphaT) + V * std::cos(alphaT);
    const double Q = A * std::cos(alphaT) + V * std::sin(alphaT);
    if (P > 0) d.azimuth = std::atan(Q / P);
    else if (P < 0) d.azimuth = std::atan(Q / P) + kPi;
    else d.azimuth = Q >= 0 ? kPi / 2 : -kPi / 2;
    return d;
}

void addShares(DiffuseAccumulators& acc, const SampleShares& shares, const SkyDirection& dir,
               const std::vector<HorizonEntry>& horizon) {
    const double g = std::fabs(std::sin(dir.elevation));
    // Directions west of north come as negative azimuths; the horizon line is given
    // from 0 to 360, so they are looked up a full turn further on.
    double azimuthDeg = dir.azimuth * kDegreesPerRadian;
    if (azimuthDeg < 0) azimuthDeg += 360.0;
    const double h = horizonHeight(horizon, azimuthDeg);
    const double thetaD = dir.elevation * kDegreesPerRadian;
    acc.n += shares.open + shares.crown + shares.other;
    if (thetaD > h) {
        acc.DHimmelUeber += g * shares.open;
        acc.DBaumUeber += g * shares.crown;
    } else if (thetaD < h) {
        acc.DHimmelUnter += g * shares.open;
        acc.DBaumUnter += g * shares.crown;
    } else {
        acc.DHimmelGleich += g * shares.open;
        acc.DBaumGleich += g * shares.crown;
    }
    acc.DHindernis += g * shares.other;
}

void addSamples(DiffuseAccumulators& acc, const RasterCounts& counts, const SkyDirection& dir,
                const std::vector<HorizonEntry>& horizon) {
    addShares(acc,
              {static_cast<double>(counts.lit), static_cast<double>(counts.crown),
               static_cast<double>(counts.shaded - counts.crown)},
              dir, horizon);
}

namespace {

// Visits every grid direction in front of the last target with its sun vector.
template <typename Visit>
void forEachGridDirection(const CompiledModel& model, int intervals, Visit visit) {
    const TFlaeche* last = nullptr;
    for (const TFlaeche& s : model.flaechen)
        if (s.istTarget) last = &s;
    if (last == nullptr) return;
    const DiffuseGrid grid = makeDiffuseGrid(intervals);
    for (const double a : grid.azimuth) {
        for (const double eps : grid.elevation) {
            const SkyDirection dir = gridDirection(a, eps, last->alpha, last->beta);
            const Vec3 s = Sonnenvektor(dir.elevation, dir.azimuth, model.frame);
            // Every grid direction lies in front of the last target; a first target
            // facing the other way would make the projection run backwards.
            if (!(s.y > 0)) continue;
            visit(dir, s);
        }
    }
}

}  // namespace

DiffuseAccumulators diffusePrecomputation(const CompiledModel& model, ShadingRaster& raster,
                                          int intervals, int resolution) {
    DiffuseAccumulators acc;
    forEachGridDirection(model, intervals, [&](const SkyDirection& dir, const Vec3& s) {
        addSamples(acc, raster.pass(model, s, resolution), dir, model.horizon);
    });
    return acc;
}

DiffuseAccumulators diffusePrecomputationExact(const CompiledModel& model, ExactShading& exact,
                                               int intervals) {
    DiffuseAccumulators acc;
    forEachGridDirection(model, intervals, [&](const SkyDirection& dir, const Vec3& s) {
        const ShadowAreas a = exact.pass(model, s);
        addShares(acc, {a.target - a.shaded, a.crown, a.shaded - a.crown}, dir, model.horizon);
    });
    return acc;
}

std::optional<DiffuseFactors> diffuseFactors(const DiffuseAccumulators& acc, int foliagePercent,
                                             int groundReflectancePercent, double skyReduction,
                                             double obstacleReflectance) {
    if (acc.n <= 0) return std::nullopt;
    const double f = foliagePercent;
    const double rhoG = groundReflectancePercent;
    const double k = skyReduction;
    const double rhoO = obstacleReflectance;
    const double scale = kDiffuseK / acc.n;
    DiffuseFactors out;
    out.sky = scale * (rhoO * acc.DHindernis + k * (acc.DHimmelGleich / 2 + acc.DHimmelUeber) +
                       k * (100 - f) / 100 * (acc.DBaumGleich / 2 + acc.DBaumUeber) +
                       rhoO * f / 100 * acc.DBaumUeber + rhoO * f / 100 * acc.DBaumUnter);
    out.ground = scale * (rhoG / 100 * (acc.DHimmelGleich / 2 + acc.DHimmelUnter) +
                          rhoG / 100 * (100 - f) / 100 * (acc.DBaumGleich / 2 + acc.DBaumUnter));
    return out;
}

}  // namespace penumbro
