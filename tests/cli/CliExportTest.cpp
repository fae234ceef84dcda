#include "cli/RunCli.h"

#include "project/ProjectFile.h"
#include "views/Export.h"
#include "views/ExportTestData.h"

#include <gtest/gtest.h>

#include <filesystem>

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
    const std::string shortRun = " --set monthly=0 --set first-day=1 --set stop-day=1 ";
    for (const std::string option : {"-o ", "--out ", "--out=", "--output "}) {
        SCOPED_TRACE(option);
        const std::string name = "out dir";
        EXPECT_EQ(runCli("export " + option + cliQuote(name + ".txt") + " run.v1.mit --format=text")
                      .exitCode, 0);
        EXPECT_TRUE(fs::exists(name + ".txt"));
        EXPECT_EQ(runCli("vrml " + project + " " + option + cliQuote(name + ".wrl")).exitCode, 0);
        EXPECT_TRUE(fs::exists(name + ".wrl"));
        EXPECT_EQ(runCli("run " + project + shortRun + option + cliQuote(name)).exitCode, 0);
        EXPECT_TRUE(fs::exists(name + ".rep") && fs::exists(name + ".mit"));
        for (const char* ext : {".txt", ".wrl", ".rep", ".mit"}) fs::remove(name + ext);
    }
    EXPECT_FALSE(fs::exists("run.txt"));
}

TEST_F(CliExport, UsageErrorsExitWithTwo) {
    for (const char* args : {"", " --format csv", " b.mit --format text", " --format text -o",
                             " --format text -o a --out b", " --format text --out="}) {
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

}  // namespace
}  // namespace penumbro
