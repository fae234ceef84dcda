// Damaged project texts fed to the compiler: each one compiles into a sound model or
// is refused with an InputError naming the file; nothing crashes, hangs or slips
// unreadable values into the model.

#include "engine/Augenblick.h"
#include "engine/Compiler.h"
#include "engine/ShadingRaster.h"
#include "support/Mutations.h"

#include <gtest/gtest.h>

#include <cmath>

namespace penumbro {
namespace {

const char* const kFile = "mutant.dat";

// The examples hold everything the compiler reads: targets, a house, a tree with foliage,
// overhangs, horizon, site and reflectance.
const Lines kCollector = mutation::sourceFile("examples/collector.dat");

bool finite(const Vec3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// What a compiled model must satisfy whatever text it came from.
void expectSoundModel(const CompiledModel& model, const std::string& how) {
    for (const TFlaeche& s : model.flaechen) {
        ASSERT_TRUE(s.n >= 0 && s.n <= kMaxPolygonVertices) << how;
        for (std::size_t i = 0; i < static_cast<std::size_t>(s.n); ++i)
            ASSERT_TRUE(finite(s.v[i])) << how << ": surface " << s.name << " vertex " << i;
        ASSERT_TRUE(std::isfinite(s.alpha) && std::isfinite(s.beta)) << how << ": " << s.name;
    }
    for (int f : model.foliage) ASSERT_TRUE(f >= 0 && f <= 100) << how << ": foliage " << f;
    for (int r : model.reflectance) ASSERT_TRUE(r >= 0 && r <= 100) << how << ": reflectance " << r;
    for (const HorizonEntry& h : model.horizon) ASSERT_TRUE(finite({h.from, h.to, h.height})) << how;
    ASSERT_TRUE(finite({model.site.latitude, model.site.longitude, model.site.correction})) << how;
    ASSERT_TRUE(finite(model.frame.origin)) << how;
}

TEST(CompilerRobustness, MutatedTextsCompileSoundlyOrAreRefusedWithTheirFile) {
    std::uint32_t stream = 11;
    for (const Lines& base : {kCollector, mutation::sourceFile("examples/facade.dat")})
        for (const mutation::Mutant& m : mutation::mutants(base, stream++, 2250))
            mutation::expectCleanOutcome(m, kFile, [&] { expectSoundModel(compileProject(m.lines, kFile), m.how); });
}

// The compiled model of a damaged text goes on into instants: sun positions at
// several times of a day, rasterised when the sun is on the target.
TEST(CompilerRobustness, InstantsOfMutatedTextsStayInRange) {
    for (const Lines& base : {kCollector, mutation::sourceFile("examples/facade.dat")}) {
        for (const mutation::Mutant& m : mutation::mutants(base, 77, 90)) {
            CompiledModel model;
            try {
                model = compileProject(m.lines, kFile);
            } catch (const InputError&) {
                continue;
            }
            if (firstTargetIndex(model) < 0 || !targetHasArea(model)) continue;
            ShadingRaster raster;
            raster.reset(DrawingWindowKind::FastRun);
            raster.prepare(model);
            if (raster.sampledMaskPixels(1) == 0) continue;
            for (float t : {8.0f, 12.0f, 16.0f}) {
                const double e = Augenblick(model, raster, 172, t, 6, 1).ergebnis;
                EXPECT_TRUE(e == kSunBehindTarget || e == kSunBehindHorizon || (e >= 0 && e <= 1)) << m.how << ": " << e;
            }
        }
    }
}

// Damage the compiler must refuse rather than read as something else, with the line,
// and values just inside the ranges that stay accepted (line 0).
TEST(CompilerRobustness, FieldsBeyondTheirRangesAreRefusedWithTheirLine) {
    // 0-based lines of collector.dat: 10 a target vertex, 57 the foliage, 60 a crown
    // vertex, 128 the site, 130 the reflectance.
    const std::tuple<const char*, std::size_t, std::string, int> cases[] = {
        {"huge coordinate", 10, "1e308 0 0", 11},
        {"coordinate beyond any scene", 60, "15.0 -1e30 4.0", 61},
        {"foliage above 100", 57, "Belaubung   0  0 10 50 90100100100 90 60 20999", 58},
        {"negative foliage", 57, "Belaubung  -5  0 10 50 90100100100 90 60 20  0", 58},
        {"reflectance above 100", 130, " 40 40 30 20 20 20 20 20 20 20 30999", 131},
        {"negative reflectance", 130, " -1 40 30 20 20 20 20 20 20 20 30 40", 131},
        {"latitude beyond the pole", 128, "95.0 -8.0 -1.0", 129},
        {"longitude beyond 180", 128, "50.0 200.0 -1.0", 129},
        {"time correction beyond 12 hours", 128, "50.0 -8.0 1e300", 129},
        {"foliage 0 and 100", 57, "Belaubung   0100  0100  0100  0100  0100  0100", 0},
        {"reflectance 0 and 100", 130, "  0100  0100  0100  0100  0100  0100", 0},
        {"site at the limits", 128, "-90.0 180.0 12.0", 0},
        {"site at the other limits", 128, "90.0 -180.0 -12.0", 0},
        {"large but sane coordinate", 10, "-100000.0 0.0 0.0", 0},
    };
    for (const auto& [what, index, line, expectedLine] : cases) {
        Lines text = kCollector;
        text.at(index) = line;
        try {
            (void)compileProject(text, kFile);
            EXPECT_EQ(expectedLine, 0) << what << ": accepted";
        } catch (const InputError& e) {
            EXPECT_EQ(e.file(), kFile) << what;
            EXPECT_EQ(e.line(), expectedLine) << what << ": " << e.what();
        }
    }
}

}  // namespace
}  // namespace penumbro
