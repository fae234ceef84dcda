// penumbro-cli export, sun and kon: formats, output options, usage and input errors.

#include "cli/RunCli.h"

#include "project/ProjectFile.h"
#include "views/Export.h"
#include "views/ExportTestData.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(dir_.read("bad.txt"), "");
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
