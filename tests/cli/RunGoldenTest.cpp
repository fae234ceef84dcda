// End-to-end: fast runs of the shipped examples through penumbro-cli must write
// exactly the stored report and mean-value files, one test per stored run.
// PENUMBRO_UPDATE_GOLDEN=1 rewrites the stored files (review the difference first).

#include "cli/RunCli.h"

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>

namespace penumbro {
namespace {

// Stored files tests/cli/golden/NAME.rep and .mit of examples/EXAMPLE run with the options.
struct GoldenRun {
    const char *name, *example, *options;
};
void PrintTo(const GoldenRun& run, std::ostream* os) { *os << run.name; }

class RunGolden : public ::testing::TestWithParam<GoldenRun> {};

TEST_P(RunGolden, WritesTheStoredFiles) {
    const GoldenRun& run = GetParam();
    const testing::TempDir dir("golden");
    // The start values, whatever standard.kon lies beside the program.
    ASSERT_EQ(runCli("kon --write " + cliQuote(dir.path("start.kon"))).exitCode, 0);
    const std::string example = std::string(PENUMBRO_SOURCE_DIR) + "/examples/" + run.example;
    const CliResult r = runCli("run " + cliQuote(example) + " --kon " + cliQuote(dir.path("start.kon")) + " " +
                               run.options + " --out " + cliQuote(dir.path("out")));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const std::string ext : {".rep", ".mit"}) {
        const std::string golden = std::string(PENUMBRO_SOURCE_DIR) + "/tests/cli/golden/" + run.name + ext;
        const std::string actual = dir.read("out" + ext);
        if (std::getenv("PENUMBRO_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << actual;
        EXPECT_TRUE(actual == testing::TempDir::readFile(golden)) << run.name << ext << " differs from " << golden;
    }
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

}  // namespace
}  // namespace penumbro
