// penumbro-cli new, add, change, site, reflectance, horizon, comment, list and delete: the
// same lines as the editor's panels, invalid fields named with the file left as it was.

#include "cli/RunCli.h"

#include "project/ProjectFile.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <stdlib.h>

namespace penumbro {
namespace {

const char* const kCollector =
    "name=Kollektor target=1 lu=4 lv=3 u0=0 v0=0 azimuth=180 elevation=45 x=12 y=12 z=5";
const char* const kHouse = "ew-width=13 ns-width=5 height=7 roof=3 rotation=90 x=4 y=5 z=0";

class CliAddChange : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("LC_ALL", "C.UTF-8", 1);  // the list's umlauts reach the terminal as UTF-8
        dir_.write("p.dat", joinLines(newProjectLines()));
    }
    CliResult run(const std::string& command, const std::string& rest = "") {
        return runCli(command + " " + cliQuote(path_) + (rest.empty() ? "" : " " + rest));
    }
    CliResult add(const std::string& rest) { return run("add", rest); }
    CliResult change(const std::string& rest) { return run("change", rest); }
    Lines lines() const { return loadProjectFile(path_).lines; }
    std::string bytes() const { return dir_.read("p.dat"); }
    void mustAdd(const std::string& rest) { ASSERT_EQ(add(rest).exitCode, 0) << rest; }

    testing::TempDir dir_{"addchange"};
    std::string path_ = dir_.path("p.dat");
};

// Every kind goes where it is asked for, written as its panel writes it (the editor
// tests check the panels' lines letter for letter); the list shows objects, counts,
// site and reflectance, and deleting a target takes its overhang along.
TEST_F(CliAddChange, EveryKindGoesWhereAskedAndIsListed) {
    mustAdd(std::string("rectangle ") + kCollector);
    mustAdd("tree name='Linde am Weg' trunk-height=2 trunk-diameter=0.3 crown-diameter=4 x=5 y=-5 z=0 "
            "foliage=0,0,10,50,100,100,100,100,80,40,5,0");
    mustAdd("overhang name=Vordach target=1 corners='0,3;4,3;4,4;0,4' azimuth-difference=0 elevation-difference=-90");
    mustAdd("polygon name=Giebel corners='0,0;6,0;3,2.5' azimuth=90 elevation=0 x=20 y=0 z=3 --before 2");
    mustAdd(std::string("house ") + kHouse);
    ASSERT_EQ(runCli("site " + cliQuote(path_) + " 0 -8 -1").exitCode, 0);
    const Lines text = lines();
    ASSERT_EQ(text.size(), 140u);
    EXPECT_EQ(std::tuple(text[1], text[12], text[83]), std::tuple("17", "16.000000 14.121320 7.121320", "$#1Vordach"));
    EXPECT_EQ(runCli("list " + cliQuote(path_)).out,
              "1. Kollektor (Target)\n2. Giebel\n3. Baum: Linde am Weg\n4. Vordach\n5. Haus: \n"
              "Objektanzahl: 5 Objekte, davon eine Targetfl\xC3\xA4" "che\n"
              "Breitengrad: 0.0\nL\xC3\xA4ngengrad: 8.0\xC2\xB0 Ost\nZeitzone: -1.0\n"
              "Bodenreflexion: 40 40 30 20 20 20 20 20 20 20 30 40\n");
    ASSERT_EQ(runCli("delete " + cliQuote(path_) + " 1").exitCode, 0);
    const std::string after = runCli("list " + cliQuote(path_) + " --lang e").out;
    EXPECT_EQ(after.substr(0, after.find("Latitude")),
              "1. Giebel\n2. Baum: Linde am Weg\n3. Haus: \nObjects: 3 Objects, no target\n");
}

// Names arrive in the project's encoding.
TEST_F(CliAddChange, OverhangWithoutTargetFieldGoesToTheFirstTarget) {
    mustAdd("rectangle name='S\xC3\xBC" "dwand' lu=1 lv=1 u0=0 v0=0 x=0 y=0 z=0");
    EXPECT_EQ(lines()[2], "S\xFC" "dwand");
    mustAdd(std::string("rectangle ") + kCollector);
    const CliResult r = add("overhang name=Blende corners='0,0;1,0;1,1' azimuth-difference=0 elevation-difference=0");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("Es wurde keine Targetfl"), std::string::npos);
    EXPECT_EQ(lines()[lines().size() - 13], "$#2Blende");
}

// An overhang inside the wall is kept as asked, with a warning that it cannot shade;
// a change that brings it out in front says nothing.
TEST_F(CliAddChange, OverhangBehindItsTargetIsKeptWithAWarning) {
    mustAdd(std::string("rectangle ") + kCollector);
    const std::string warning = "warning: the overhang lies behind the target plane and can never shade it\n";
    CliResult r = add("overhang name=Innen target=1 corners='0,3;4,3;4,4;0,4' azimuth-difference=0 elevation-difference=90");
    EXPECT_EQ(std::pair(r.exitCode, r.err), std::pair(0, warning));
    EXPECT_EQ(lines()[lines().size() - 15], "$#1Innen");
    r = change("2 elevation-difference=-90");
    EXPECT_EQ(std::pair(r.exitCode, r.err), std::pair(0, std::string()));
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    r = change("2 azimuth-difference=180");
    EXPECT_EQ(std::pair(r.exitCode, r.err),
              std::pair(0, std::string("Warnung: Der \xC3\x9C" "berhang liegt hinter der Targetebene und kann sie nie verschatten.\n")));
}

// Bad fields are input errors (1) naming the field, malformed command lines usage
// errors (2); the file stays as it was.
TEST_F(CliAddChange, RefusedInputLeavesTheFile) {
    mustAdd(std::string("rectangle ") + kCollector);
    mustAdd("rectangle name=Mauer lu=1 lv=1 u0=0 v0=0 x=0 y=0 z=0");
    std::string twentySix;
    for (int i = 0; i < 26; ++i) twentySix += " " + std::to_string(i) + "-" + std::to_string(i + 1) + "=1";
    const std::tuple<std::string, int, const char*> cases[] = {
        {"add FILE rectangle name=W lu=1 lv=1 u0=0 v0=0 x=0 y=0", 1, "z:"},
        {"add FILE tree trunk-height=1 trunk-diameter=1 crown-diameter=1 x=0 y=0 z=0 foliage=1,2,3", 1, "foliage:"},
        {"add FILE overhang name=D target=2 corners='0,0;1,0;1,1' azimuth-difference=0 elevation-difference=0", 1,
         "target:"},
        {"add FILE rectangle --before 3 name=W lu=1 lv=1 u0=0 v0=0 x=0 y=0 z=0", 1, "--before"},
        {"add FILE shed name=x", 2, "unknown kind"}, {"add FILE rectangle colour=red", 2, "colour"},
        {"add FILE rectangle name=a name=b", 2, "twice"},
        {"change FILE 3 name=X", 1, "object 3"}, {"change FILE 1 elevation=91", 1, "elevation:"},
        {"change FILE 1 trunk-height=3", 2, "trunk-height"}, {"site FILE 0 abc 0", 1, "longitude"},
        {"reflectance FILE 40,40,30,20,20,20,20,20,20,20,30,101", 1, "December"},
        {"horizon FILE 0-90=1 -5-10=3", 1, "horizon interval 2"}, {"delete FILE eins", 1, "object number"},
        {"delete FILE 1 --now", 2, "unknown option"},
        {"horizon FILE" + twentySix, 1, "p.dat: horizon: at most 25"},
    };
    const std::string before = dir_.read("p.dat");
    for (auto [command, exitCode, mentions] : cases) {
        SCOPED_TRACE(command);
        const CliResult r = runCli(command.replace(command.find("FILE"), 4, cliQuote(path_)));
        EXPECT_EQ(r.exitCode, exitCode) << r.err;
        EXPECT_NE(r.err.find(mentions), std::string::npos) << r.err;
        EXPECT_EQ(dir_.read("p.dat"), before);
    }
}

TEST_F(CliAddChange, ChangeKeepsTheFieldsNotGiven) {
    mustAdd(std::string("house name=Nachbar ") + kHouse);
    const Lines before = lines();
    ASSERT_EQ(change("1 roof=4").exitCode, 0);
    const Lines after = lines();
    EXPECT_EQ(after[3], "#  13.000    5.000    7.000    4.000   90.000    4.000    5.000    0.000     #Haus: Nachbar");
    // Walls stay, the roof rises; a change without fields rewrites identical lines.
    EXPECT_EQ((Lines{after.begin() + 4, after.begin() + 27}), (Lines{before.begin() + 4, before.begin() + 27}));
    EXPECT_EQ(after[31], "4.000000 2.500000 11.000000");
    ASSERT_EQ(change("1").exitCode, 0);
    EXPECT_EQ(lines(), after);
}

TEST_F(CliAddChange, NewThenEditSiteReflectanceHorizonComment) {
    EXPECT_EQ(run("new").exitCode, 1);  // no silent overwrite
    ASSERT_EQ(run("new", "--force").exitCode, 0);
    EXPECT_EQ(bytes(), joinLines(newProjectLines()));
    for (const auto& [command, args] : {std::pair{"site", "-33.9 -18.4 -2"}, {"horizon", "90-180=12.5 0-90=3"},
                                        {"reflectance", "100,40,30,20,20,20,20,20,20,20,30,40"},
                                        {"comment", "'Erste Zeile' '' --dritte '' ''"}})
        EXPECT_EQ(run(command, args).exitCode, 0) << command;
    EXPECT_EQ(bytes(), joinLines({"* Erste Zeile", "* ", "* --dritte", "0", "Horizont", "90-180=12.5", "0-90=3",
                                  "Standort", "-33.9 -18.4 -2.0", "Bodenreflexion",
                                  "100 40 30 20 20 20 20 20 20 20 30 40"}));
    EXPECT_EQ(run("horizon").exitCode, 0);  // no interval: the section goes
    EXPECT_EQ(bytes().find("Horizont"), std::string::npos);
}

TEST_F(CliAddChange, MalformedProjectIsListedAsFarAsItReads) {
    Lines text = testing::project({testing::wallSurface()}, 2);
    text.resize(text.size() - 2);
    dir_.write("p.dat", joinLines(text));
    const std::string written = bytes();
    EXPECT_EQ(run("list").out.substr(0, 9), "1. Mauer\n");
    for (const CliResult& r : {run("list"), run("delete", "1")}) {
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find("p.dat:15:"), std::string::npos) << r.err;
    }
    EXPECT_EQ(bytes(), written);
}

// Errors speak the locale's language (LC_ALL over LC_MESSAGES over LANG) and keep
// "FILE: what" in both.
TEST_F(CliAddChange, ErrorsFollowTheLocalesLanguage) {
    const struct {
        const char* all;
        const char* messages;
        const char* said;
    } cases[] = {
        {"", "de_DE.UTF-8", ": Objekt 9 existiert nicht (das Projekt hat 0 Objekte)"},
        {"C.UTF-8", "de_DE.UTF-8", ": object 9 does not exist (the project has 0 objects)"},
        {"de_AT", "", ": Objekt 9 existiert nicht"},
    };
    for (const auto& c : cases) {
        ::setenv("LC_ALL", c.all, 1);
        ::setenv("LC_MESSAGES", c.messages, 1);
        const CliResult r = run("delete", "9");
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find(path_ + c.said), std::string::npos) << c.all << "/" << c.messages << ": " << r.err;
    }
    ::unsetenv("LC_MESSAGES");
}

}  // namespace
}  // namespace penumbro
