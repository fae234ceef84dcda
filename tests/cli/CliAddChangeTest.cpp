// penumbro-cli add and change: the same lines as the editor's panels, invalid
// fields named with the file left as it was.

#include "cli/RunCli.h"

#include "project/ProjectFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <stdlib.h>

namespace penumbro {
namespace {

const char* const kCollector =
    "name=Kollektor target=1 lu=4 lv=3 u0=0 v0=0 azimuth=180 elevation=45 x=12 y=12 z=5";
const char* const kHouse = "ew-width=13 ns-width=5 height=7 roof=3 rotation=90 x=4 y=5 z=0";
const char* const kCanopy = "name=Vordach target=1 corners='0,3;4,3;4,4;0,4' azimuth-difference=0 "
                            "elevation-difference=-90";

class CliAddChange : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("LC_ALL", "C.UTF-8", 1);
        dir_.write("p.dat", joinLines(newProjectLines()));
    }
    CliResult add(const std::string& rest) { return runCli("add " + cliQuote(path_) + " " + rest); }
    CliResult change(const std::string& rest) { return runCli("change " + cliQuote(path_) + " " + rest); }
    Lines lines() const { return loadProjectFile(path_).lines; }
    void mustAdd(const std::string& rest) { ASSERT_EQ(add(rest).exitCode, 0) << rest; }

    testing::TempDir dir_{"addchange"};
    std::string path_ = dir_.path("p.dat");
};

// Every kind goes where it is asked for, written as its panel writes it (the editor
// tests check the panels' lines letter for letter).
TEST_F(CliAddChange, EveryKindGoesWhereAsked) {
    mustAdd(std::string("rectangle ") + kCollector);
    mustAdd("tree name='Linde am Weg' trunk-height=2 trunk-diameter=0.3 crown-diameter=4 x=5 y=-5 z=0 "
            "foliage=0,0,10,50,100,100,100,100,80,40,5,0");
    mustAdd(std::string("overhang ") + kCanopy);
    mustAdd("polygon name=Giebel corners='0,0;6,0;3,2.5' azimuth=90 elevation=0 x=20 y=0 z=3 --before 2");
    mustAdd(std::string("house ") + kHouse);
    const CliResult list = runCli("list " + cliQuote(path_) + " --lang e");
    EXPECT_EQ(list.out.substr(0, list.out.find("Objects")),
              "1. Kollektor (Target)\n2. Giebel\n3. Baum: Linde am Weg\n4. Vordach\n5. Haus: \n");
    const Lines text = lines();
    ASSERT_EQ(text.size(), 140u);
    EXPECT_EQ(text[1], "17");
    EXPECT_EQ(text[9], "# 180.000  45.000  12.000  12.000  5.000");
    EXPECT_EQ(text[12], "16.000000 14.121320 7.121320");
    EXPECT_EQ(text[24], "Belaubung   0  0 10 50100100100100 80 40  5  0");
    EXPECT_EQ(text[83], "$#1Vordach");
    EXPECT_EQ(text[95], "#  13.000    5.000    7.000    3.000   90.000    4.000    5.000    0.000     #Haus: ");
}

TEST_F(CliAddChange, OverhangWithoutTargetFieldGoesToTheFirstTarget) {
    mustAdd("rectangle name=Mauer lu=1 lv=1 u0=0 v0=0 x=0 y=0 z=0");
    mustAdd(std::string("rectangle ") + kCollector);
    const CliResult r = add("overhang name=Blende corners='0,0;1,0;1,1' azimuth-difference=0 elevation-difference=0");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("Es wurde keine Targetfl"), std::string::npos);
    EXPECT_EQ(lines()[lines().size() - 13], "$#2Blende");
}

TEST_F(CliAddChange, NamesArriveInTheProjectsEncoding) {
    mustAdd("rectangle name='S\xC3\xBC" "dwand' lu=1 lv=1 u0=0 v0=0 x=0 y=0 z=0");
    EXPECT_EQ(lines()[2], "S\xFC" "dwand");
}

// Bad fields are input errors (1) naming the field, malformed command lines usage
// errors (2); the file stays as it was.
TEST_F(CliAddChange, RefusedInputLeavesTheFile) {
    mustAdd(std::string("rectangle ") + kCollector);
    mustAdd("rectangle name=Mauer lu=1 lv=1 u0=0 v0=0 x=0 y=0 z=0");
    const struct {
        std::string command;
        int exitCode;
        const char* mentions;
    } cases[] = {
        {"add FILE rectangle name=W lu=1 lv=1 u0=0 v0=0 x=0 y=0", 1, "z:"},
        {"add FILE polygon name=P corners='0,0;1,0;a,1' x=0 y=0 z=0", 1, "corners:"},
        {"add FILE house ew-width=-1 ns-width=1 height=1 roof=1 rotation=0 x=0 y=0 z=0", 1, "ew-width:"},
        {"add FILE tree trunk-height=1 trunk-diameter=1 crown-diameter=1 x=0 y=0 z=0 foliage=1,2,3", 1, "foliage:"},
        {"add FILE overhang name=D target=2 corners='0,0;1,0;1,1' azimuth-difference=0 elevation-difference=0", 1,
         "target:"},
        {"add FILE rectangle --before 3 name=W lu=1 lv=1 u0=0 v0=0 x=0 y=0 z=0", 1, "--before"},
        {"change FILE 3 name=X", 1, "object 3"},
        {"change FILE 1 elevation=91", 1, "elevation:"},
        {"add FILE shed name=x", 2, "unknown kind"},
        {"add FILE rectangle colour=red", 2, "colour"},
        {"add FILE rectangle name", 2, "FIELD=VALUE"},
        {"add FILE rectangle name=a name=b", 2, "twice"},
        {"change FILE 1 trunk-height=3", 2, "trunk-height"},
    };
    for (const auto& c : cases) {
        const std::string before = dir_.read("p.dat");
        std::string command = c.command;
        command.replace(command.find("FILE"), 4, cliQuote(path_));
        const CliResult r = runCli(command);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.command << "\n" << r.err;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << c.command << "\n" << r.err;
        EXPECT_EQ(dir_.read("p.dat"), before) << c.command;
    }
}

TEST_F(CliAddChange, ChangeKeepsTheFieldsNotGiven) {
    mustAdd(std::string("house name=Nachbar ") + kHouse);
    const Lines before = lines();
    ASSERT_EQ(change("1 roof=4").exitCode, 0);
    const Lines after = lines();
    EXPECT_EQ(after[3], "#  13.000    5.000    7.000    4.000   90.000    4.000    5.000    0.000     #Haus: Nachbar");
    EXPECT_EQ(after.size(), before.size());
    // Walls stay, the roof rises.
    EXPECT_EQ((Lines{after.begin() + 4, after.begin() + 27}), (Lines{before.begin() + 4, before.begin() + 27}));
    EXPECT_EQ(after[31], "4.000000 2.500000 11.000000");

    // A change without fields rewrites identical lines.
    ASSERT_EQ(change("1").exitCode, 0);
    EXPECT_EQ(lines(), after);
}

TEST_F(CliAddChange, ChangedTargetTakesItsOverhangAlong) {
    mustAdd(std::string("rectangle ") + kCollector);
    mustAdd(std::string("overhang ") + kCanopy);
    const CliResult r = change("1 x=20 z=6");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(lines()[21], "20.000000 14.121320 8.121320");
    // The overhang itself keeps its target.
    EXPECT_EQ(change("2 target=1 name=Markise").exitCode, 0);
    EXPECT_EQ(lines()[14], "$#1Markise");
}

}  // namespace
}  // namespace penumbro
