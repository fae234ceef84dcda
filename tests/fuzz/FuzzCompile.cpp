// Project text -> compiled model -> diffuse pre-computation and instants, both shading methods.

#include "engine/Augenblick.h"
#include "engine/Compiler.h"
#include "engine/Diffuse.h"

#include "FuzzSupport.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CompiledModel model;
    try {
        model = compileProject(fuzz::linesOf(data, size), "fuzz.dat");
    } catch (const InputError&) {
        return 0;
    }
    if (firstTargetIndex(model) < 0 || !targetHasArea(model)) return 0;
    ShadingRaster raster;
    raster.reset(DrawingWindowKind::FastRun);
    ExactShading exact;
    raster.prepare(model);
    // A run refuses targets that sample no pixel or cover no area.
    for (int r : {1, 2, 3, 5})
        if (raster.sampledMaskPixels(r) == 0) return 0;
    if (!(exact.prepare(model) > 0)) return 0;
    (void)diffusePrecomputation(model, raster, 2, 5);
    for (int k = 0; k < 8; ++k) {
        const SunPosition sun{static_cast<float>(20 + 40 * k), static_cast<float>(5 + 10 * k)};
        const double r = instantForSun(model, raster, sun, 1 + k, 1 + k % 3).ergebnis;
        const double e = instantForSunExact(model, exact, sun, 1 + k).ergebnis;
        for (double v : {r, e})
            fuzz::require(v == kSunBehindTarget || v == kSunBehindHorizon || (v >= 0 && v <= 1));
    }
    return 0;
}
