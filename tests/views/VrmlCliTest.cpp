#include "views/VrmlTexts.h"
#include "views/VrmlWriter.h"

#include "VrmlTestSupport.h"
#include "cli/RunCli.h"
#include "project/FileIo.h"
#include "project/ProjectFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace penumbro {
namespace {

namespace fs = std::filesystem;
using namespace vrmltest;

class VrmlCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir = cliTempDir("vrml-cli");
        project = (dir / "Haus am See.dat").string();
        saveProjectFile(project, projekt(1, kollektor()));
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
    std::string project;
};

TEST_F(VrmlCli, WritesTheWorldBesideTheProjectOrWhereAsked) {
    struct Case {
        std::string options;
        std::string output;
        Language language;
    };
    const Case cases[] = {
        {"", "Haus am See.wrl", Language::German},
        {"-o " + cliQuote((dir / "out world.wrl").string()) + " --lang e", "out world.wrl", Language::English},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        fs::remove(dir / "Haus am See.wrl");
        const CliResult r = runCli("vrml " + cliQuote(project) + " " + c.options);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const std::string wrl = (dir / c.output).string();
        EXPECT_EQ(r.out, wrl + "\n");
        ASSERT_TRUE(fs::exists(wrl));
        EXPECT_EQ(readFileBytes(wrl), vrmlDokument(projekt(1, kollektor()), vrmlTexte(c.language)));
        if (c.output != "Haus am See.wrl") {
            EXPECT_FALSE(fs::exists(dir / "Haus am See.wrl"));
        }
    }
}

TEST_F(VrmlCli, BadProjectNamesTheLineAndKeepsTheOldWorld) {
    const std::string wrl = (dir / "Haus am See.wrl").string();
    ASSERT_EQ(runCli("vrml " + cliQuote(project)).exitCode, 0);
    const std::string before = readFileBytes(wrl);
    Lines bad = projekt(1, kollektor());
    bad[4] = "vier";
    saveProjectFile(project, bad);
    const CliResult r = runCli("vrml " + cliQuote(project));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(project + ":5: "), std::string::npos) << r.err;
    EXPECT_EQ(readFileBytes(wrl), before);
}

TEST_F(VrmlCli, UsageErrors) {
    for (const std::string& args : std::vector<std::string>{"vrml", "vrml --lang x " + cliQuote(project)}) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find("usage: penumbro-cli vrml"), std::string::npos) << args;
    }
    EXPECT_EQ(runCli("vrml " + cliQuote((dir / "missing.dat").string())).exitCode, 1);
}

}  // namespace
}  // namespace penumbro
