// Damaged projects and parameter files fed to the run: a run either writes sound
// files or is refused with an InputError naming the project, the parameter file or
// the field; it never crashes, hangs or writes values out of range.

#include "project/FileIo.h"
#include "project/Numbers.h"
#include "simulation/Simulation.h"
#include "simulation/TimeStepper.h"
#include "support/Mutations.h"
#include "support/Refusal.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace penumbro {
namespace {

namespace fs = std::filesystem;
using mutation::Mutant;

const char* const kFile = "mutant.dat";

// Collector and wall under a horizon line.
const Lines kProject =
    testing::project({testing::collectorSurface(), testing::wallSurface()}, -1, {"0-150=5", "150-210=12", "210-360=3"});

// The collector's world vertices: comment, count, name, "Target", count, 4 local lines, placement.
constexpr std::ptrdiff_t kTargetCorners = 10;

class RunRobustness : public ::testing::Test {
protected:
    std::string base() const { return dir_.path("out"); }
    testing::TempDir dir_{"robust"};
};

// One day (midsummer) at hourly steps: 24 instants; or three days at the end of June
// with diffuse factors on a coarse grid.
TSimParameter oneDay(bool shortMonthWithDiffuse = false) {
    TSimParameter p;
    p.monthly = false, p.firstDay = 172, p.stopDay = 172, p.intervalDays = 1, p.intervalMinutes = 60;
    if (shortMonthWithDiffuse)
        p.monthly = true, p.diffuse = true, p.firstMonth = 6, p.stopMonth = 6, p.monthStartDay = 28,
        p.elevationIntervals = 2, p.diffuseResolution = 5;
    return p;
}

// The value of a report or mean field (either decimal sign) at the 1-based characters first..last.
double field(const std::string& line, std::size_t first, std::size_t last) {
    if (line.size() < last) return std::nan("");
    std::string piece = line.substr(first - 1, last - first + 1);
    std::replace(piece.begin(), piece.end(), ',', '.');
    return parseNumber(trimBlanks(piece)).value_or(std::nan(""));
}

// The files of a finished run hold a shading value in range on every line.
void expectSoundFiles(const std::string& base, long instants, const std::string& how) {
    const Lines rep = splitLines(readFileBytes(base + ".rep"));
    ASSERT_EQ(static_cast<long>(rep.size()), instants) << how;
    for (const std::string& line : rep) {
        const double r = field(line, 20, 25);
        ASSERT_TRUE(r == -1 || r == -2 || (r >= 0 && r <= 1)) << how << ": " << line;
    }
    for (const std::string& line : splitLines(readFileBytes(base + ".mit"))) {
        if (line.empty() || line.rfind("Monat", 0) == 0) continue;
        const bool diffuse = line.rfind("Diffus", 0) == 0;  // sky and ground factors, else an hour's mean
        const double v = diffuse ? field(line, 9, 13) + field(line, 16, 20) : field(line, 8, 12);
        ASSERT_TRUE(diffuse ? std::isfinite(v) : v >= 0 && v <= 1) << how << ": " << line;
    }
}

TEST_F(RunRobustness, MutatedProjectsRunSoundlyOrAreRefused) {
    const struct { Lines text; std::uint32_t stream; TSimParameter parameters; bool comma; } bases[] = {
        {kProject, 21, oneDay(), false},
        {mutation::sourceFile("examples/collector.dat"), 22, oneDay(), false},
        {mutation::sourceFile("examples/facade.dat"), 23, oneDay(), false},
        {kProject, 31, oneDay(true), true},
    };
    for (const auto& b : bases) {
        for (const Mutant& m : mutation::mutants(b.text, b.stream, b.parameters.diffuse ? 40 : 50)) {
            TSimParameter p = b.parameters;
            mutation::expectCleanOutcome(m, kFile, [&] {
                const RunResult r = Simulation(m.lines, kFile, p, {base(), b.comma, Language::English});
                if (!p.diffuse) { EXPECT_EQ(r.instants, 24) << m.how; }
                expectSoundFiles(base(), r.instants, m.how);
            });
        }
    }
}

// A record that a caller filled badly is refused by field before anything is
// computed or written, whichever way it reached the driver.
TEST_F(RunRobustness, ParametersOutOfRangeAreRefusedByField) {
    using P = TSimParameter;
    const std::pair<const char*, void (*)(P&)> cases[] = {
        {"interval-minutes", [](P& p) { p.intervalMinutes = -20; }}, {"stop-day", [](P& p) { p.stopDay = 366; }},
        {"sky-reduction", [](P& p) { p.skyReduction = std::nan(""); }},
        {"obstacle-reflectance", [](P& p) { p.obstacleReflectance = 1e308; }},
    };
    for (const auto& [field, spoil] : cases) {
        TSimParameter p = oneDay();
        spoil(p);
        const InputError e =
            testing::refusal([&] { (void)Simulation(kProject, kFile, p, {base(), false, Language::English}); });
        EXPECT_NE(e.message().find(field), std::string::npos) << field << ": " << e.what();
        EXPECT_TRUE(fs::is_empty(dir_.dir())) << field << ": nothing written, no temporary file left";
    }
}

// Refused projects leave no files. A first target that faces no direction (corners on
// one line, or so small that its normal vanishes) once ran facing north and read -1 all day.
TEST_F(RunRobustness, RefusedProjectsLeaveNoFiles) {
    const struct { const char* what; Lines corners; const char* refusal; } cases[] = {
        {"tiny", {"0 0 0", "1e-300 0 0", "1e-300 0 1e-300", "0 0 1e-300"}, "mutant.dat: The target surface has no area"},
        {"diagonal line", {"0 0 0", "1 0 1", "2 0 2", "3 0 3"}, "no area"},
        {"smallest sound target", {"0 0 0", "1e-6 0 0", "1e-6 0 1e-6", "0 0 1e-6"}, ""},
        {"no target", {}, "No target surface"},
        {"malformed", {}, "not an integer"},
    };
    for (const auto& c : cases) {
        Lines text = kProject;
        std::copy(c.corners.begin(), c.corners.end(), text.begin() + kTargetCorners);
        if (c.what == std::string("no target")) text = testing::project({testing::wallSurface()});
        if (c.what == std::string("malformed")) text = {"* x", "1", "A", "Target", "x"};
        TSimParameter p = oneDay();
        std::string refusal;
        try {
            (void)Simulation(text, kFile, p, {base(), false, Language::English});
        } catch (const InputError& e) {
            refusal = e.what();
        }
        EXPECT_TRUE(*c.refusal ? refusal.find(c.refusal) != std::string::npos : refusal.empty())
            << c.what << ": " << refusal;
        EXPECT_EQ(fs::exists(dir_.path("out.rep")) || fs::exists(dir_.path("out.mit")), !*c.refusal) << c.what;
        fs::remove_all(dir_.dir()), fs::create_directories(dir_.dir());
    }
}

// Every record in range ends: the clock reaches its stop within two passes through
// the year, whatever the combination of first, stop and interval.
TEST(ClockRobustness, EveryInRangeRecordFinishes) {
    std::mt19937 rng(51);
    auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int k = 0; k < 300; ++k) {
        TSimParameter p;
        p.monthly = k % 2 == 0, p.firstMonth = in(1, 12), p.stopMonth = in(1, 12), p.firstDay = in(1, 365);
        p.stopDay = in(1, 365), p.intervalDays = k % 7 == 0 ? 365 : in(1, 40), p.intervalMinutes = 60;
        p.monthStartDay = in(1, 28);
        ASSERT_FALSE(simParameterProblem(p));
        TimeStepper clock(p);
        for (long steps = 0; !clock.finished() && steps < 2L * 366 * 24; ++steps) {
            clock.advance();
            ASSERT_TRUE(clock.day() >= 1 && clock.day() <= 365) << clock.day();
        }
        EXPECT_TRUE(clock.finished()) << "monthly " << p.monthly << " first " << p.firstDay << "/" << p.firstMonth
                                      << " stop " << p.stopDay << "/" << p.stopMonth << " every " << p.intervalDays;
    }
}

}  // namespace
}  // namespace penumbro
