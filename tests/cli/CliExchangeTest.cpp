// End-to-end through penumbro-cli: fast runs of the shipped examples write exactly the
// stored report and mean-value files (one test per run); the exchange exports give the
// stored tables, a whole-year hourly run for EnergyPlus, a bare target that loses nothing.
// PENUMBRO_UPDATE_GOLDEN=1 rewrites the stored files (review the difference first).

#include "cli/RunCli.h"
#include "project/ProjectFile.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>

namespace penumbro {
namespace {

const std::string kSource = PENUMBRO_SOURCE_DIR;

void expectGolden(const std::string& actual, const std::string& name) {
    const std::string golden = kSource + "/tests/cli/golden/" + name;
    if (std::getenv("PENUMBRO_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << actual;
    EXPECT_TRUE(actual == testing::TempDir::readFile(golden)) << name << " differs from " << golden;
}

void writeStartKon(const testing::TempDir& dir) {
    ASSERT_EQ(runCli("kon --write " + cliQuote(dir.path("start.kon"))).exitCode, 0);
}

// Stored files tests/cli/golden/NAME.rep and .mit of examples/EXAMPLE run with the options.
struct GoldenRun {
    const char *name, *example, *options;
};
void PrintTo(const GoldenRun& run, std::ostream* os) { *os << run.name; }

class RunGolden : public ::testing::TestWithParam<GoldenRun> {};

TEST_P(RunGolden, WritesTheStoredFiles) {
    const GoldenRun& run = GetParam();
    const testing::TempDir dir("golden");
    writeStartKon(dir);  // the start values, whatever standard.kon lies beside the program
    const CliResult r = runCli("run " + cliQuote(testing::examplePath(run.example)) + " --kon " +
                               cliQuote(dir.path("start.kon")) + " " + run.options + " --out " + cliQuote(dir.path("out")));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const std::string ext : {".rep", ".mit"}) expectGolden(dir.read("out" + ext), run.name + ext);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RunGolden,
    ::testing::Values(
        GoldenRun{"collector_year_diffuse", "collector.dat", "--set monthly=1 --set diffuse=1"},
        GoldenRun{"collector_daily_comma", "collector.dat",
                  "--set monthly=0 --set first-day=300 --set stop-day=20 --set interval-days=15 "
                  "--set interval-minutes=30 --comma"},
        GoldenRun{"facade_year", "facade.dat", "--set monthly=1 --set diffuse=1 --set elevation-intervals=5"},
        GoldenRun{"facade_daily_resolution3", "facade.dat",
                  "--set monthly=0 --set first-day=1 --set stop-day=365 --set interval-days=7 --set resolution=3"}),
    [](const auto& run) { return std::string(run.param.name); });

struct Exchange {  // export of tests/cli/golden/INPUT with the project examples/EXAMPLE
    const char *input, *example, *options;
    std::vector<const char*> outputs;  // OUT, then any file beside it; stored as INPUT-stem + name
};

TEST(CliExchange, ExampleRunsGiveTheStoredTables) {
    const testing::TempDir dir("exchange");
    writeStartKon(dir);
    const std::vector<Exchange> cases = {
        {"collector_year_diffuse.mit", "collector.dat", "--format sam", {"sam.csv", "sam_diffuse.txt"}},
        {"facade_year.mit", "facade.dat", "--format sam --set elevation-intervals=5", {"sam.csv", "sam_diffuse.txt"}},
        {"collector_daily_comma.rep", "collector.dat", "--format hourly-csv", {"hourly.csv"}},
    };
    for (const Exchange& c : cases) {
        const std::string stem = std::string(c.input).substr(0, std::string(c.input).find('.'));
        const CliResult r = runCli("export " + cliQuote(kSource + "/tests/cli/golden/" + c.input) + " " + c.options +
                                   " --project " + cliQuote(testing::examplePath(c.example)) + " --kon " +
                                   cliQuote(dir.path("start.kon")) + " -o " + cliQuote(dir.path(stem + "." + c.outputs[0])));
        ASSERT_EQ(r.exitCode, 0) << c.input << ": " << r.err;
        for (const char* out : c.outputs) expectGolden(dir.read(stem + "." + out), stem + "." + out);
    }
}

TEST(CliExchange, YearAtSixtyMinutesGivesOneLinePerHour) {
    const testing::TempDir dir("eplus");
    writeStartKon(dir);
    const std::string example = testing::examplePath("collector.dat");
    ASSERT_EQ(runCli("run " + cliQuote(example) + " --kon " + cliQuote(dir.path("start.kon")) +
                     " --set monthly=0 --set first-day=1 --set stop-day=365 --set interval-days=1"
                     " --set interval-minutes=60 -o " + cliQuote(dir.path("year"))).exitCode, 0);
    const CliResult r = runCli("export " + cliQuote(dir.path("year.rep")) + " --format energyplus --project " +
                               cliQuote(example) + " -o " + cliQuote(dir.path("year.csv")));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    expectGolden(dir.read("year.csv"), "collector_year60.eplus.csv");

    // The monthly run of the same project does not cover the year at one step.
    const CliResult refused = runCli("export " + cliQuote(kSource + "/tests/cli/golden/facade_year.rep") +
                                     " --format energyplus --project " + cliQuote(testing::examplePath("facade.dat")) +
                                     " -o " + cliQuote(dir.path("no.csv")));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("facade_year.rep:73:"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path("no.csv")));
}

// With nothing in front of the target, the hours with the sun on it all day long lose
// nothing, and neither does the diffuse radiation.
TEST(CliExchange, BareTargetLosesNothing) {
    const testing::TempDir dir("bare");
    writeStartKon(dir);
    saveProjectFile(dir.path("bare.dat"), testing::project({testing::collectorSurface()}));
    ASSERT_EQ(runCli("run " + cliQuote(dir.path("bare.dat")) + " --kon " + cliQuote(dir.path("start.kon")) +
                     " --set monthly=1 --set diffuse=1 --set interval-days=1 -o " + cliQuote(dir.path("bare"))).exitCode, 0);
    const CliResult r = runCli("export " + cliQuote(dir.path("bare.mit")) + " --format sam --kon " +
                               cliQuote(dir.path("start.kon")) + " -o " + cliQuote(dir.path("bare.csv")));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(dir.read("bare_diffuse.txt"), "0.00\n");

    // Month-hours whose every instant has the sun on the target.
    bool sunAll[12][24];
    for (auto& m : sunAll) std::fill(std::begin(m), std::end(m), true);
    for (const std::string& line : splitLines(dir.read("bare.rep"))) {
        int step = 0, day = 0, hour = 0, minute = 0;
        double result = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%d %d %d %d %lf", &step, &day, &hour, &minute, &result), 5);
        int month = 1;
        while (month < 12 && day >= std::array{1, 32, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}[month]) ++month;
        // An hour's mean holds the instants from half past the hour before.
        if (result < 0) sunAll[month - 1][minute < 31 ? hour : (hour + 1) % 24] = false;
    }
    const Lines table = splitLines(dir.read("bare.csv"));
    ASSERT_EQ(table.size(), 12u);
    int sunny = 0;
    for (int m = 0; m < 12; ++m) {
        std::stringstream row(table[static_cast<std::size_t>(m)]);
        std::string cell;
        for (int h = 0; std::getline(row, cell, ','); ++h)
            if (sunAll[m][h] && ++sunny) { EXPECT_EQ(cell, "0.00") << "month " << m + 1 << " hour " << h; }
    }
    EXPECT_GT(sunny, 60);
}

TEST(CliExchange, HorizonImportReplacesTheSectionOrNothing) {
    const testing::TempDir dir("horizon");
    saveProjectFile(dir.path("p.dat"), testing::collectorProject());
    const std::string before = dir.read("p.dat");
    dir.write("bad.csv", "azimuth,elevation\n0,2\n90,100\n");
    const CliResult bad = runCli("horizon " + cliQuote(dir.path("p.dat")) + " --import " + cliQuote(dir.path("bad.csv")));
    EXPECT_EQ(std::pair(bad.exitCode, bad.err.find("bad.csv:3:") != std::string::npos), std::pair(1, true)) << bad.err;
    EXPECT_EQ(dir.read("p.dat"), before);

    // The profile runs straight between its points: from 5 at east down to 1 at west.
    dir.write("south.csv", "-180;2\n-90;5\n0;5\n90;1\n");
    const CliResult r = runCli("horizon " + cliQuote(dir.path("p.dat")) + " --import " + cliQuote(dir.path("south.csv")) +
                               " --azimuth-origin south");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "4 profile points became 4 intervals; largest elevation given away: 4 degrees\n");
    EXPECT_NE(dir.read("p.dat").find("Horizont\r\n0-90=5\r\n90-180=5\r\n180-270=5\r\n270-360=2\r\nStandort"),
              std::string::npos);
}

}  // namespace
}  // namespace penumbro
