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

using mutation::Mutant;

const char* const kFile = "mutant.dat";

// A small text with everything the compiler reads: a target, a tree with foliage,
// an overhang, horizon, site and reflectance.
const Lines kSmall = {
    "* klein", "* zweite Zeile", "9",
    "Kollektor", "Target", "4",
    "# 0.000000 0.000000 0.000000",
    "0.000000 0.000000 0.000000", "2.000000 0.000000 0.000000",
    "2.000000 0.000000 2.000000", "0.000000 0.000000 2.000000",
    "Baum", "Belaubung   0  0 10 50 90100100100 90 60 20  0",
    "#   3.000    0.400    6.000   18.000    4.000    0.000     #Baum: Linde",
    "3", "1.0 -5.0 0.0", "2.0 -5.0 3.0", "0.0 -5.0 3.0",
    "Baum1", "3", "1.0 -6.0 0.0", "2.0 -6.0 3.0", "0.0 -6.0 3.0",
    "Baum2", "3", "1.0 -7.0 0.0", "2.0 -7.0 3.0", "0.0 -7.0 3.0",
    "Baum3", "3", "1.0 -8.0 0.0", "2.0 -8.0 3.0", "0.0 -8.0 3.0",
    "Stamm", "3", "1.0 -5.0 0.0", "1.1 -5.0 1.0", "0.9 -5.0 1.0",
    "Stamm1", "3", "1.0 -5.0 0.0", "1.1 -5.0 1.0", "0.9 -5.0 1.0",
    "Stamm2", "3", "1.0 -5.0 0.0", "1.1 -5.0 1.0", "0.9 -5.0 1.0",
    "$#1Vordach", "4",
    "-0.3 -0.0 2.4", "2.3 0.0 2.4", "2.3 -0.8 2.4", "-0.3 -0.8 2.4",
    "Horizont", "0-100=4", "100-200=9.5", "200-360=3",
    "Standort", "50.0 -8.0 -1.0",
    "Bodenreflexion", " 40 40 30 20 20 20 20 20 20 20 30 40"};

std::vector<Lines> baseTexts() {
    return {kSmall, mutation::sourceFile("examples/collector.dat"),
            mutation::sourceFile("examples/facade.dat")};
}

// What a compiled model must satisfy whatever text it came from.
void expectSoundModel(const CompiledModel& model, const std::string& how) {
    for (const TFlaeche& s : model.flaechen) {
        ASSERT_GE(s.n, 0) << how;
        ASSERT_LE(s.n, kMaxPolygonVertices) << how;
        for (int i = 0; i < s.n; ++i) {
            const Vec3& p = s.v[static_cast<std::size_t>(i)];
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z))
                << how << ": surface " << s.name << " vertex " << i;
        }
        ASSERT_TRUE(std::isfinite(s.alpha) && std::isfinite(s.beta)) << how << ": " << s.name;
    }
    for (int f : model.foliage) ASSERT_TRUE(f >= 0 && f <= 100) << how << ": foliage " << f;
    for (int r : model.reflectance) ASSERT_TRUE(r >= 0 && r <= 100) << how << ": reflectance " << r;
    for (const HorizonEntry& h : model.horizon)
        ASSERT_TRUE(std::isfinite(h.from) && std::isfinite(h.to) && std::isfinite(h.height)) << how;
    ASSERT_TRUE(std::isfinite(model.site.latitude) && std::isfinite(model.site.longitude) &&
                std::isfinite(model.site.correction))
        << how;
    ASSERT_TRUE(std::isfinite(model.frame.origin.x) && std::isfinite(model.frame.origin.y) &&
                std::isfinite(model.frame.origin.z))
        << how;
}

TEST(CompilerRobustness, MutatedTextsCompileSoundlyOrAreRefusedWithTheirFile) {
    std::uint32_t stream = 11;
    for (const Lines& base : baseTexts()) {
        for (const Mutant& m : mutation::mutants(base, stream++, 1500)) {
            mutation::expectCleanOutcome(m, kFile, [&] {
                const CompiledModel model = compileProject(m.lines, kFile);
                expectSoundModel(model, m.how);
            });
        }
    }
}

// The compiled model of a damaged text goes on into instants: sun positions at
// several times of a day, rasterised when the sun is on the target.
TEST(CompilerRobustness, InstantsOfMutatedTextsStayInRange) {
    for (const Lines& base : baseTexts()) {
        for (const Mutant& m : mutation::mutants(base, 77, 60)) {
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
                const InstantResult r = Augenblick(model, raster, 172, t, 6, 1);
                EXPECT_TRUE(r.ergebnis == kSunBehindTarget || r.ergebnis == kSunBehindHorizon ||
                            (r.ergebnis >= 0 && r.ergebnis <= 1))
                    << m.how << ": " << r.ergebnis;
            }
        }
    }
}

// Damage the compiler must refuse rather than read as something else, with the line
// (expectedLine > 0), and values just inside the ranges that stay accepted (0).
TEST(CompilerRobustness, FieldsBeyondTheirRangesAreRefusedWithTheirLine) {
    struct Case {
        const char* what;
        std::size_t index;  // 0-based line of kSmall to replace
        std::string line;
        int expectedLine;
    };
    const Case cases[] = {
        {"huge coordinate", 7, "1e308 0 0", 8},
        {"huge negative coordinate", 16, "1.0 -1e300 0.0", 17},
        {"coordinate beyond any scene", 9, "2.0 0.0 1e30", 10},
        {"foliage above 100", 12, "Belaubung   0  0 10 50 90100100100 90 60 20999", 13},
        {"negative foliage", 12, "Belaubung  -5  0 10 50 90100100100 90 60 20  0", 13},
        {"reflectance above 100", 61, " 40 40 30 20 20 20 20 20 20 20 30999", 62},
        {"negative reflectance", 61, " -1 40 30 20 20 20 20 20 20 20 30 40", 62},
        {"latitude beyond the pole", 59, "95.0 -8.0 -1.0", 60},
        {"longitude beyond 180", 59, "50.0 200.0 -1.0", 60},
        {"time correction beyond 12 hours", 59, "50.0 -8.0 1e300", 60},
        {"unreadable site", 59, "x y z", 60},
        {"foliage 0 and 100", 12, "Belaubung   0100  0100  0100  0100  0100  0100", 0},
        {"reflectance 0 and 100", 61, "  0100  0100  0100  0100  0100  0100", 0},
        {"site at the limits", 59, "-90.0 180.0 12.0", 0},
        {"site at the other limits", 59, "90.0 -180.0 -12.0", 0},
        {"large but sane coordinate", 7, "-100000.0 0.0 0.0", 0},
    };
    for (const auto& c : cases) {
        Lines text = kSmall;
        ASSERT_LT(c.index, text.size()) << c.what;
        text[c.index] = c.line;
        if (c.expectedLine == 0) {
            EXPECT_NO_THROW((void)compileProject(text, kFile)) << c.what;
            continue;
        }
        try {
            (void)compileProject(text, kFile);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const InputError& e) {
            EXPECT_EQ(e.file(), kFile) << c.what;
            EXPECT_EQ(e.line(), c.expectedLine) << c.what << ": " << e.what();
        }
    }
}

}  // namespace
}  // namespace penumbro
