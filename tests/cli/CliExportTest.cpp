#include "cli/RunCli.h"

#include "project/FileIo.h"
#include "project/ProjectFile.h"
#include "views/Export.h"
#include "views/ExportTestData.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace penumbro {
namespace {

class CliExport : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = cliTempDir("export");
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);  // the default output lands here
        writeFileAtomically("run.v1.mit", joinLines(testdata::marchToMay()));
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }
    std::filesystem::path dir_, previous_;
};

TEST_F(CliExport, WritesEachFormatUnderTheProposedName) {
    struct Case {
        const char* format;
        const char* file;
        ExportFormat expected;
    };
    for (const Case& c : {Case{"text", "run.txt", ExportFormat::Text}, Case{"trnsys", "run.trn", ExportFormat::Trnsys},
                          Case{"SUNCODE", "run.sun", ExportFormat::Suncode}}) {
        const CliResult r = runCli(std::string("export run.v1.mit --format ") + c.format);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, std::string(c.file) + "\n");
        ASSERT_TRUE(fileExists(c.file)) << c.format;
        EXPECT_EQ(readFileBytes(c.file), exportMeanValues(testdata::marchToMay(), c.expected).bytes);
    }
}

TEST_F(CliExport, OutputOptionNamesTheFile) {
    const CliResult r = runCli("export -o " + cliQuote("out dir table.txt") + " run.v1.mit --format=text");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fileExists("out dir table.txt"));
    EXPECT_FALSE(fileExists("run.txt"));
}

TEST_F(CliExport, UsageErrorsExitWithTwo) {
    for (const char* args : {"export run.v1.mit", "export run.v1.mit --format csv", "export a.mit b.mit --format text",
                             "export run.v1.mit --format text -o"}) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find("usage: penumbro-cli export"), std::string::npos) << args;
    }
}

TEST_F(CliExport, DefectiveFileNamesFileAndLine) {
    Lines bad = testdata::marchToMay();
    bad[28] = "Monat Nr. 13";
    writeFileAtomically("bad.mit", joinLines(bad));
    const CliResult text = runCli("export bad.mit --format text");
    EXPECT_EQ(text.exitCode, 1);
    EXPECT_EQ(text.err.rfind("bad.mit:29: ", 0), 0u) << text.err;
    EXPECT_EQ(readFileBytes("bad.txt"), "");
    const CliResult missing = runCli("export none.mit --format text");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("none.mit"), std::string::npos);
}

}  // namespace
}  // namespace penumbro
