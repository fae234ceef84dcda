#pragma once
// Diffuse sky and ground factors: the hemisphere in front of the target is sampled
// over a grid of directions by raster passes, and every sampled target pixel goes
// into one of seven accumulators weighted by |sin(world elevation)|.

#include "engine/ExactShading.h"
#include "engine/Model.h"
#include "engine/ShadingRaster.h"

#include <optional>
#include <vector>

namespace penumbro {

inline constexpr double kDiffuseK = 2.0;

// N bands of equal solid angle and 4N azimuths, all radians, in the target's
// hemisphere (elevation measured from the target plane).
struct DiffuseGrid {
    int intervals = 0;                // N, >= 1
    std::vector<double> bandStart;    // e_i, i = 1..N (index i - 1); e_1 = 0
    std::vector<double> bandWidth;    // w_i
    std::vector<double> elevation;    // representative eps_i = asin((sin e_i + sin(e_i + w_i)) / 2)
    std::vector<double> azimuth;      // a_j = (j - 1) 2 pi / 4N, j = 1..4N
};
DiffuseGrid makeDiffuseGrid(int intervals);  // intervals clamped to at least 1

struct DiffuseAccumulators {
    double DHindernis = 0;     // other obstacles
    double DHimmelUeber = 0;   // open, above the horizon line
    double DHimmelGleich = 0;  // open, exactly at it
    double DHimmelUnter = 0;   // open, below it
    double DBaumUeber = 0;     // crown (with a foliage line), above
    double DBaumGleich = 0;
    double DBaumUnter = 0;
    double n = 0;              // sampled pixels (target area with exact areas)
};

// World direction of a grid point (a, eps) for a target with world normal azimuth
// alphaT and elevation betaT (radians). elevation -pi/2..pi/2, azimuth from north
// through east in -pi/2..3pi/2.
struct SkyDirection {
    double elevation = 0;
    double azimuth = 0;
};
SkyDirection gridDirection(double a, double eps, double alphaT, double betaT);

// Adds one pass's counts for the world direction `dir`: open target pixels by
// comparison with the horizon height at its azimuth, crown pixels likewise, the rest
// to DHindernis; each weighted by |sin(elevation)|.
void addSamples(DiffuseAccumulators& acc, const RasterCounts& counts, const SkyDirection& dir,
                const std::vector<HorizonEntry>& horizon);
// The same with shares of any unit (pixels or areas): open target, crown, other obstacles.
struct SampleShares {
    double open = 0;
    double crown = 0;
    double other = 0;
};
void addShares(DiffuseAccumulators& acc, const SampleShares& shares, const SkyDirection& dir,
               const std::vector<HorizonEntry>& horizon);

// The whole pre-computation: 4N x N raster passes with counting step `resolution`
// (>= 1), using the world angles of the last target slot. Uses the raster as it is
// (reset it first at the start of a run so the first pass builds the mask). A model
// without target gives empty accumulators.
DiffuseAccumulators diffusePrecomputation(const CompiledModel& model, ShadingRaster& raster,
                                          int intervals, int resolution);

// The pre-computation with exact areas in place of counted pixels (see ExactShading.h).
DiffuseAccumulators diffusePrecomputationExact(const CompiledModel& model, ExactShading& exact,
                                               int intervals);

struct DiffuseFactors {
    double sky = 0;
    double ground = 0;
};

// Factors of one month: foliage f and ground reflectance rho_g in percent, sky
// reduction k and obstacle reflectance rho_o as fractions 0..1. No value when n = 0.
std::optional<DiffuseFactors> diffuseFactors(const DiffuseAccumulators& acc, int foliagePercent,
                                             int groundReflectancePercent, double skyReduction,
                                             double obstacleReflectance);

}  // namespace penumbro
