// End-to-end: fast runs of the shipped examples through penumbro-cli must write
// exactly the stored report and mean-value files. PENUMBRO_UPDATE_GOLDEN=1 rewrites
// the stored files (review the difference before committing it).

#include "cli/RunCli.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace penumbro {
namespace {

namespace fs = std::filesystem;

struct GoldenRun {
    const char* name;     // stored files tests/cli/golden/NAME.rep and .mit
    const char* example;  // examples/EXAMPLE
    const char* options;  // run options
};

const GoldenRun kRuns[] = {
    {"collector_year_diffuse", "collector.dat", "--set monthly=1 --set diffuse=1"},
    {"collector_daily_comma", "collector.dat",
     "--set monthly=0 --set first-day=300 --set stop-day=20 --set interval-days=15 --set interval-minutes=30 --comma"},
    {"facade_year", "facade.dat", "--set monthly=1 --set diffuse=1 --set elevation-intervals=5"},
    {"facade_daily_resolution3", "facade.dat",
     "--set monthly=0 --set first-day=1 --set stop-day=365 --set interval-days=7 --set resolution=3"},
};

TEST(RunGolden, ExamplesWriteTheStoredFiles) {
    const fs::path source = PENUMBRO_SOURCE_DIR;
    const fs::path dir = fs::temp_directory_path() / ("penumbro-golden-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const bool update = std::getenv("PENUMBRO_UPDATE_GOLDEN") != nullptr;
    // The start values, whatever standard.kon lies beside the program.
    const std::string startKon = (dir / "start.kon").string();
    ASSERT_EQ(runCli("kon --write " + cliQuote(startKon)).exitCode, 0);
    for (const auto& run : kRuns) {
        const fs::path example = source / "examples" / run.example;
        ASSERT_TRUE(fs::exists(example)) << example;
        const fs::path out = dir / run.name;
        const CliResult r = runCli("run " + cliQuote(example.string()) + " --kon " + cliQuote(startKon) + " " +
                                   run.options + " --out " + cliQuote(out.string()));
        ASSERT_EQ(r.exitCode, 0) << run.name << ": " << r.err;
        for (const char* ext : {".rep", ".mit"}) {
            const fs::path golden = source / "tests" / "cli" / "golden" / (std::string(run.name) + ext);
            const std::string actual = cliReadFile(out.string() + ext);
            if (update) {
                fs::create_directories(golden.parent_path());
                std::ofstream(golden, std::ios::binary) << actual;
                continue;
            }
            ASSERT_TRUE(fs::exists(golden)) << golden;
            const std::string expected = cliReadFile(golden);
            EXPECT_TRUE(actual == expected) << run.name << ext << " differs from " << golden;
        }
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace penumbro
