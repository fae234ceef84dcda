// The vrml command writes what the writer makes, and a real VRML reader loads it.

#include "views/VrmlTexts.h"
#include "views/VrmlWriter.h"

#include "ViewSamples.h"
#include "cli/RunCli.h"
#include "project/ProjectFile.h"
#include "support/SampleProjects.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace penumbro {
namespace {

using namespace testing;

// Beside the project in German, or where asked in English; a bad project names its
// line and keeps the old world.
TEST(VrmlCli, WritesTheWorldOrNamesTheBadLine) {
    TempDir dir("vrml-cli");
    const std::string project = dir.path("Haus am See.dat"), out = dir.path("out world.wrl");
    saveProjectFile(project, collectorProject());
    for (const std::string& options : {std::string(), "-o " + cliQuote(out) + " --lang e"}) {
        const CliResult r = runCli("vrml " + cliQuote(project) + " " + options);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, (options.empty() ? dir.path("Haus am See.wrl") : out) + "\n");
    }
    EXPECT_EQ(TempDir::readFile(out), vrmlDocument(collectorProject(), vrmlTexts(Language::English)));
    const std::string german = vrmlDocument(collectorProject(), vrmlTexts(Language::German));
    EXPECT_EQ(dir.read("Haus am See.wrl"), german);
    Lines bad = collectorProject();
    bad[4] = "vier";
    saveProjectFile(project, bad);
    const CliResult r = runCli("vrml " + cliQuote(project));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(project + ":5: "), std::string::npos) << r.err;
    EXPECT_EQ(dir.read("Haus am See.wrl"), german);
}

// tovrmlx3d prints warnings on stderr (and still exits 0), so a clean stderr is the test.
TEST(VrmlReader, ReadsEveryWorldWithoutWarnings) {
    if (std::system("tovrmlx3d --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "tovrmlx3d is not on PATH";
    TempDir dir("vrml-reader");
    const auto warnings = [&](const std::string& wrl) {
        const std::string err = wrl + ".stderr";
        const std::string command = "tovrmlx3d " + cliQuote(wrl) + " >/dev/null 2>" + cliQuote(err) + " </dev/null";
        return std::system(command.c_str()) == 0 ? TempDir::readFile(err) : "? tovrmlx3d failed";
    };
    const std::pair<const char*, Lines> worlds[] = {
        {"empty", project({}, 0)},
        {"objects", project({plainSurface("S\xFC" "d \"Dach\"", true, "# 180.000  45.000  0 0 0", {"0 0 0", "1 0 0", "1 1 1"}),
                             workedHouse(), objectBlock(true, "#   3.000    0.400    4.000   -5.000   15.000    0.000     #Baum: Linde")},
                            15, {"0-90=10", "90-180=90"})},
        {"collector", loadProjectFile(examplePath("collector.dat")).lines},
        {"facade", loadProjectFile(examplePath("facade.dat")).lines},
    };
    for (const auto& [name, text] : worlds) {
        for (Language language : {Language::German, Language::English}) {
            const std::string wrl = dir.path(std::string(name) + (language == Language::German ? "_d.wrl" : "_e.wrl"));
            writeVrmlFile(text, wrl, vrmlTexts(language), name);
            EXPECT_EQ(warnings(wrl), "") << name;
        }
    }
    // The check itself sees a reader's warning: a font style at the top level.
    EXPECT_NE(warnings(dir.write("bad.wrl", "#VRML V2.0 utf8\r\nDEF F FontStyle{\r\n  family \"SANS\"\r\n}\r\n")), "");
}

}  // namespace
}  // namespace penumbro
