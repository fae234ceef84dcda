// Damaged projects and parameter files fed to the run: a run either writes sound
// files or is refused with an InputError naming the project, the parameter file or
// the field; it never crashes, hangs or writes values out of range.

#include "project/FileIo.h"
#include "project/Numbers.h"
#include "simulation/Simulation.h"
#include "simulation/TimeStepper.h"
#include "support/Mutations.h"
#include "support/SampleProjects.h"
#include "support/TempDir.h"

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

// One day (midsummer) at hourly steps: 24 instants.
TSimParameter oneDay() {
    TSimParameter p;
    p.monthly = false, p.firstDay = 172, p.stopDay = 172, p.intervalDays = 1, p.intervalMinutes = 60;
    return p;
}

// Three days at the end of June with diffuse factors on a coarse grid.
TSimParameter shortMonthWithDiffuse() {
    TSimParameter p;
    p.monthly = true, p.diffuse = true, p.firstMonth = 6, p.stopMonth = 6, p.monthStartDay = 28;
    p.intervalDays = 1, p.intervalMinutes = 60, p.elevationIntervals = 2, p.diffuseResolution = 5;
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
        if (line.rfind("Diffus", 0) == 0) {
            const double sky = field(line, 9, 13), ground = field(line, 16, 20);
            ASSERT_TRUE(std::isfinite(sky) && std::isfinite(ground)) << how << ": " << line;
            continue;
        }
        const double mean = field(line, 8, 12);
        ASSERT_TRUE(mean >= 0 && mean <= 1) << how << ": " << line;
    }
}

TEST_F(RunRobustness, MutatedProjectsRunSoundlyOrAreRefused) {
    const std::vector<Lines> bases = {kProject, mutation::sourceFile("examples/collector.dat"),
                                      mutation::sourceFile("examples/facade.dat")};
    std::uint32_t stream = 21;
    for (const Lines& text : bases) {
        for (const Mutant& m : mutation::mutants(text, stream++, 50)) {
            TSimParameter p = oneDay();
            mutation::expectCleanOutcome(m, kFile, [&] {
                const RunResult r = Simulation(m.lines, kFile, p, {base(), false, Language::English});
                EXPECT_EQ(r.instants, 24) << m.how;
                expectSoundFiles(base(), r.instants, m.how);
            });
        }
    }
}

TEST_F(RunRobustness, MutatedProjectsWithDiffuseFactors) {
    std::uint32_t stream = 31;
    for (const Mutant& m : mutation::mutants(kProject, stream, 40)) {
        TSimParameter p = shortMonthWithDiffuse();
        mutation::expectCleanOutcome(m, kFile, [&] {
            const RunResult r = Simulation(m.lines, kFile, p, {base(), true, Language::German});
            expectSoundFiles(base(), r.instants, m.how);
        });
    }
}

// A record that a caller filled badly is refused by field before anything is
// computed or written, whichever way it reached the driver.
TEST_F(RunRobustness, ParametersOutOfRangeAreRefusedByField) {
    using P = TSimParameter;
    const std::pair<const char*, void (*)(P&)> cases[] = {
        {"interval-minutes", [](P& p) { p.intervalMinutes = 0; }},
        {"interval-minutes", [](P& p) { p.intervalMinutes = -20; }},
        {"interval-days", [](P& p) { p.intervalDays = 0; }},
        {"first-day", [](P& p) { p.firstDay = 0; }},
        {"stop-day", [](P& p) { p.stopDay = 366; }},
        {"first-month", [](P& p) { p.firstMonth = 13; }},
        {"month-start-day", [](P& p) { p.monthStartDay = 40; }},
        {"resolution", [](P& p) { p.resolution = 0; }},
        {"elevation-intervals", [](P& p) { p.elevationIntervals = 1000000; }},
        {"sky-reduction", [](P& p) { p.skyReduction = std::nan(""); }},
        {"obstacle-reflectance", [](P& p) { p.obstacleReflectance = 1e308; }},
    };
    for (const auto& [field, spoil] : cases) {
        TSimParameter p = oneDay();
        spoil(p);
        try {
            (void)Simulation(kProject, kFile, p, {base(), false, Language::English});
            ADD_FAILURE() << field << ": run accepted";
        } catch (const InputError& e) {
            EXPECT_NE(e.message().find(field), std::string::npos) << e.what();
        }
        EXPECT_TRUE(fs::is_empty(dir_.dir())) << field << ": nothing written, no temporary file left";
    }
}

// Parameter files with damaged bytes: read into a record whose every field is in
// range, or refused naming the file.
TEST_F(RunRobustness, DamagedParameterFilesAreReadSoundlyOrRefused) {
    const auto good = encodeSimParameter(oneDay());
    const std::string goodBytes(good.begin(), good.end());
    std::mt19937 rng(41);
    auto below = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    const std::string file = dir_.path("damaged.kon");
    int accepted = 0, refused = 0;
    for (int k = 0; k < 600; ++k) {
        std::string bytes = goodBytes;
        std::string how;
        switch (k % 5) {
            case 0:  // cut short or lengthened
                bytes.resize(below(2 * kSimParameterSize), '\x7F');
                how = "size " + std::to_string(bytes.size());
                break;
            case 1: {  // one byte anywhere
                const std::size_t at = below(kSimParameterSize);
                bytes[at] = static_cast<char>(below(256));
                how = "byte " + std::to_string(at);
                break;
            }
            case 2: {  // an extreme integer in a four-byte field
                const std::size_t at = 4 * below(kSimParameterSize / 4);
                static const std::uint32_t extremes[] = {0, 0xFFFFFFFF, 0x80000000, 0x7FFFFFFF, 366, 61, 26};
                const std::uint32_t v = extremes[below(std::size(extremes))];
                for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
                how = "int at " + std::to_string(at);
                break;
            }
            case 3: {  // a non-number or huge double in a real field
                static const std::size_t reals[] = {40, 48, 56, 80, 88};
                const std::size_t at = reals[below(std::size(reals))];
                static const std::uint64_t values[] = {0x7FF8000000000000ull, 0x7FF0000000000000ull,
                                                       0xFFF0000000000000ull, 0x7FEFFFFFFFFFFFFFull,
                                                       0x0000000000000001ull};
                const std::uint64_t v = values[below(std::size(values))];
                for (std::size_t i = 0; i < 8; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
                how = "double at " + std::to_string(at);
                break;
            }
            default:  // random bytes throughout
                for (char& c : bytes) c = static_cast<char>(below(256));
                how = "noise";
                break;
        }
        writeFileAtomically(file, bytes);
        try {
            const TSimParameter p = readKonFile(file);
            EXPECT_EQ(simParameterProblem(p), "") << how;
            ++accepted;
        } catch (const InputError& e) {
            EXPECT_EQ(e.file(), file) << how;
            EXPECT_FALSE(e.message().empty()) << how;
            ++refused;
        }
    }
    EXPECT_GT(accepted, 0);
    EXPECT_GT(refused, 0);

    // The same damage in standard.kon: the start values and a warning naming the file.
    dir_.write("standard.kon", goodBytes.substr(0, 50));
    std::string warning;
    EXPECT_EQ(startupParameters(dir_.path(""), &warning), TSimParameter{});
    EXPECT_NE(warning.find("standard.kon"), std::string::npos) << warning;
}

// A first target that faces no direction (corners on one line, or so small that its
// normal vanishes) once ran as a target facing north and read -1 all day.
TEST_F(RunRobustness, TargetsWithoutNormalAreRefused) {
    const std::vector<std::pair<const char*, Lines>> targets = {
        {"tiny", {"0 0 0", "1e-300 0 0", "1e-300 0 1e-300", "0 0 1e-300"}},
        {"diagonal line", {"0 0 0", "1 0 1", "2 0 2", "3 0 3"}},
        {"collinear in depth", {"0 0 0", "0 1 1", "0 2 2", "0 3 3"}},
    };
    for (const auto& [what, corners] : targets) {
        Lines text = kProject;
        std::copy(corners.begin(), corners.end(), text.begin() + kTargetCorners);
        TSimParameter p = oneDay();
        try {
            (void)Simulation(text, kFile, p, {base(), false, Language::English});
            ADD_FAILURE() << what << ": run accepted";
        } catch (const InputError& e) {
            EXPECT_EQ(e.file(), kFile) << what;
            EXPECT_NE(e.message().find("no area"), std::string::npos) << what << ": " << e.what();
        }
    }
    // The smallest sound target still runs.
    Lines text = kProject;
    const Lines smallest = {"0 0 0", "1e-6 0 0", "1e-6 0 1e-6", "0 0 1e-6"};
    std::copy(smallest.begin(), smallest.end(), text.begin() + kTargetCorners);
    TSimParameter p = oneDay();
    EXPECT_NO_THROW((void)Simulation(text, kFile, p, {base(), false, Language::English}));
}

// Every record in range ends: the clock reaches its stop within two passes through
// the year, whatever the combination of first, stop and interval.
TEST(ClockRobustness, EveryInRangeRecordFinishes) {
    std::mt19937 rng(51);
    auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int k = 0; k < 300; ++k) {
        TSimParameter p;
        p.monthly = k % 2 == 0;
        p.firstMonth = in(1, 12);
        p.stopMonth = in(1, 12);
        p.firstDay = in(1, 365);
        p.stopDay = in(1, 365);
        p.intervalDays = k % 7 == 0 ? 365 : in(1, 40);
        p.intervalMinutes = 60;
        p.monthStartDay = in(1, 28);
        ASSERT_EQ(simParameterProblem(p), "");
        TimeStepper clock(p);
        long steps = 0;
        const long limit = 2L * 366 * 24;
        while (!clock.finished() && steps < limit) {
            clock.advance();
            ASSERT_GE(clock.day(), 1);
            ASSERT_LE(clock.day(), 365);
            ++steps;
        }
        EXPECT_TRUE(clock.finished()) << "monthly " << p.monthly << " first " << p.firstDay << "/"
                                      << p.firstMonth << " stop " << p.stopDay << "/" << p.stopMonth
                                      << " every " << p.intervalDays;
    }
}

}  // namespace
}  // namespace penumbro
