// penumbro-cli export, sun and kon: formats, output options, usage and input errors.

#include "cli/RunCli.h"

#include "project/ProjectFile.h"
#include "views/Export.h"
#include "views/ExportTestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

namespace penumbro {
namespace {

namespace fs = std::filesystem;

class CliExport : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(dir_.dir());  // the default output lands here
        dir_.write("run.v1.mit", joinLines(testdata::marchToMay()));
    }
    void TearDown() override { fs::current_path(previous_); }
    testing::TempDir dir_{"export"};
    fs::path previous_;
};

TEST_F(CliExport, WritesEachFormatUnderTheProposedName) {
    for (const auto& [format, file, expected] :
         {std::tuple{"text", "run.txt", ExportFormat::Text}, std::tuple{"trnsys", "run.trn", ExportFormat::Trnsys},
          std::tuple{"SUNCODE", "run.sun", ExportFormat::Suncode}}) {
        const CliResult r = runCli(std::string("export run.v1.mit --format ") + format);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, std::string(file) + "\n");
        EXPECT_EQ(dir_.read(file), exportMeanValues(testdata::marchToMay(), expected).bytes) << format;
    }
}

// Every command that writes a file takes -o, --out and --output alike.
TEST_F(CliExport, OutputOptionSpellingsOfEveryWritingCommand) {
    const std::string project = cliQuote(std::string(PENUMBRO_SOURCE_DIR) + "/examples/collector.dat");
    for (const std::string option : {"-o ", "--out ", "--out=", "--output "}) {
        SCOPED_TRACE(option);
        EXPECT_EQ(runCli("export " + option + "'out dir.txt' run.v1.mit --format=text").exitCode, 0);
        EXPECT_EQ(runCli("vrml " + project + " " + option + "'out dir.wrl'").exitCode, 0);
        EXPECT_TRUE(fs::remove("out dir.txt") && fs::remove("out dir.wrl"));
    }
    EXPECT_FALSE(fs::exists("run.txt"));
}

TEST_F(CliExport, UsageErrorsExitWithTwo) {
    for (const char* args : {"", " --format csv", " b.mit --format text", " --format text -o a --out b",
                             " --format text --out="}) {
        const CliResult r = runCli(std::string("export run.v1.mit") + args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find("usage: penumbro-cli export"), std::string::npos) << args;
    }
}

TEST_F(CliExport, DefectiveFileNamesFileAndLine) {
    Lines bad = testdata::marchToMay();
    bad[28] = "Monat Nr. 13";
    dir_.write("bad.mit", joinLines(bad));
    for (const auto& [file, mentions] : {std::pair{"bad.mit", "bad.mit:29: "}, {"none.mit", "none.mit"}}) {
        const CliResult r = runCli(std::string("export ") + file + " --format text");
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err.rfind(mentions, 0), 0u) << r.err;
    }
    EXPECT_FALSE(fs::exists("bad.txt"));
}

std::vector<std::string> filesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A refused export leaves an earlier file of the output's name as it was, and no
// temporary file beside it.
TEST_F(CliExport, DefectLeavesTheEarlierOutputAsItWas) {
    Lines bad = testdata::marchToMay();
    bad.erase(bad.begin() + 40);  // an hour of April lost
    dir_.write("bad.mit", joinLines(bad));
    for (const char* format : {"text", "trnsys", "suncode"}) {
        dir_.write("earlier.out", "an earlier table\r\n");
        const std::vector<std::string> before = filesIn(dir_.dir());
        const CliResult r = runCli(std::string("export bad.mit -o earlier.out --format ") + format);
        EXPECT_EQ(r.exitCode, 1) << format;
        EXPECT_EQ(r.err.rfind("bad.mit:41: ", 0), 0u) << r.err;
        EXPECT_EQ(dir_.read("earlier.out"), "an earlier table\r\n") << format;
        EXPECT_EQ(filesIn(dir_.dir()), before) << format;
    }
}

// An export never replaces a file it reads, however the path is spelled.
TEST_F(CliExport, OutputThatIsAnInputIsRefused) {
    const std::string input = dir_.read("run.v1.mit");
    fs::create_directory("sub");
    fs::create_symlink("run.v1.mit", "link.mit");
    fs::create_hard_link("run.v1.mit", "hard.mit");
    for (const char* out : {"./run.v1.mit", "sub/../run.v1.mit", "link.mit", "hard.mit"}) {
        const CliResult r = runCli("export run.v1.mit --format text -o " + cliQuote(out));
        EXPECT_EQ(r.exitCode, 1) << out;
        EXPECT_NE(r.err.find("the output file is the input file run.v1.mit"), std::string::npos) << r.err;
    }
    EXPECT_EQ(dir_.read("run.v1.mit"), input);

    // The exchange formats read the run's project too.
    const std::string project = testing::TempDir::readFile(std::string(PENUMBRO_SOURCE_DIR) + "/examples/collector.dat");
    dir_.write("p.dat", project);
    const std::string rep = cliQuote(std::string(PENUMBRO_SOURCE_DIR) + "/tests/cli/golden/collector_daily_comma.rep");
    const CliResult r = runCli("export " + rep + " --format hourly-csv --project p.dat -o ./p.dat");
    EXPECT_NE(r.err.find("the output file is the input file p.dat"), std::string::npos) << r.err;
    EXPECT_EQ(dir_.read("p.dat"), project);
}

TEST(CliSun, WorkedPositions) {
    const std::tuple<const char*, double, double> cases[] = {
        {"--day 172 --time 12:00 --lat 50 --lon 0", 179.16, 63.44},
        {"--day 172 --time 08:00 --lat 50 --lon 0", 96.54, 36.58},
        {"--day=172 --time=7:00 --lat=50 --lon=0 --correction=1", 96.54, 36.58},
    };
    static const std::regex line(R"(azimuth=(-?\d+\.\d{4}) elevation=(-?\d+\.\d{4})\n)");
    for (const auto& [args, azimuth, elevation] : cases) {
        const CliResult r = runCli(std::string("sun ") + args);
        std::smatch m;
        ASSERT_TRUE(r.exitCode == 0 && std::regex_match(r.out, m, line)) << args << "\n" << r.out << r.err;
        EXPECT_NEAR(std::stod(m[1]), azimuth, 0.005) << args;
        EXPECT_NEAR(std::stod(m[2]), elevation, 0.005) << args;
    }
}

TEST(CliSun, BadCommandLinesAreUsageErrors) {
    for (const char* args : {"--day 366 --time 12:00 --lat 50 --lon 0", "--day 172 --time 12 --lat 50 --lon 0",
                             "--day 172 --time 12:00 --lon 0", "--day 172 --time 12:00 --lat 50 --lon 0 x"}) {
        const CliResult r = runCli(std::string("sun ") + args);
        EXPECT_EQ(std::pair(r.exitCode, r.out), std::pair(2, std::string())) << args;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << args;
    }
}

TEST(CliKon, WriteThenReadBack) {
    const testing::TempDir dir("kon");
    const std::string kon = cliQuote(dir.path("run.kon"));
    ASSERT_EQ(runCli("kon --write " + kon + " --set monthly=0 --set first-day=32 --set latitude=47.25"
                     " --set sky-reduction=0.333 --set correction=-1").exitCode, 0);
    const CliResult r = runCli("kon " + kon);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "fast-run=0\nmonthly=0\ndiffuse=0\nfirst-month=1\nstop-month=12\nfirst-day=32\n"
              "stop-day=365\ninterval-days=10\ninterval-minutes=20\nmonth-start-day=1\n"
              "diffuse-resolution=5\nonline-resolution=1\nlatitude=47.25\nlongitude=0\n"
              "correction=-1\nresolution=1\nelevation-intervals=10\nsky-reduction=0.333\n"
              "obstacle-reflectance=0.2\n");
}

TEST(CliKon, Errors) {
    const testing::TempDir dir("kon");
    const std::string kon = dir.path("x.kon");
    const std::string shortKon = dir.write("short.kon", std::string(95, '\0'));
    const std::tuple<std::string, int, std::string> cases[] = {
        {"kon --write " + kon + " --set first-month=13", 1, "first-month"},
        {"kon " + shortKon, 1, "short.kon"},
        {"kon --write " + kon + " --set first-month", 2, "usage:"},
        {"kon a.kon --set monthly=1", 2, "usage:"},
    };
    for (const auto& [args, exitCode, mentions] : cases) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, exitCode) << args << "\n" << r.err;
        EXPECT_NE(r.err.find(mentions), std::string::npos) << args << "\n" << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(kon)) << "nothing written after a refused value";
}

}  // namespace
}  // namespace penumbro
