#include "cli/RunCli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace penumbro {
namespace {

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
    for (const char* args : {"--day 366 --time 12:00 --lat 50 --lon 0", "--day 172 --time 12:60 --lat 50 --lon 0",
                             "--day 172 --time 12 --lat 50 --lon 0", "--day 172 --time 12:00 --lon 0",
                             "--day 172 --time 12:00 --lat 91 --lon 0", "--day 172 --time 12:00 --lat 50 --lon 0 x"}) {
        const CliResult r = runCli(std::string("sun ") + args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << args;
    }
}

TEST(CliKon, WriteThenReadBack) {
    const testing::TempDir dir("kon");
    const std::string kon = cliQuote(dir.path("run.kon"));
    const CliResult w = runCli("kon --write " + kon +
                               " --set monthly=0 --set first-day=32 --set latitude=47.25"
                               " --set sky-reduction=0.333 --set correction=-1");
    ASSERT_EQ(w.exitCode, 0) << w.err;
    EXPECT_EQ(dir.read("run.kon").size(), 96u);
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
