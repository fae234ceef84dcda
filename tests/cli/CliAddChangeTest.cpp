// penumbro-cli add and change: the same lines as the editor's panels, invalid
// fields named with the file left as it was.

#include "cli/RunCli.h"

#include "editor/GeneratorEdit.h"
#include "editor/PanelRectangle.h"
#include "project/ProjectFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
        dir_ = cliTempDir("addchange");
        path_ = (dir_ / "p.dat").string();
        std::ofstream(path_, std::ios::binary) << joinLines(newProjectLines());
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    CliResult add(const std::string& rest) { return runCli("add " + cliQuote(path_) + " " + rest); }
    CliResult change(const std::string& rest) { return runCli("change " + cliQuote(path_) + " " + rest); }
    Lines lines() const { return loadProjectFile(path_).lines; }
    std::string bytes() const { return cliReadFile(path_); }
    void mustAdd(const std::string& rest) {
        const CliResult r = add(rest);
        ASSERT_EQ(r.exitCode, 0) << rest << "\n" << r.err;
    }

    std::filesystem::path dir_;
    std::string path_;
};

TEST_F(CliAddChange, WorkedRectangleLetterForLetter) {
    mustAdd(std::string("rectangle ") + kCollector);
    const Lines expected = {
        "* ",
        "1",
        "Kollektor",
        "Target",
        "4",
        "# 0.000000 0.000000 0.000000",
        "# 4.000000 0.000000 0.000000",
        "# 4.000000 0.000000 3.000000",
        "# 0.000000 0.000000 3.000000",
        "# 180.000  45.000  12.000  12.000  5.000",
        "12.000000 12.000000 5.000000",
        "16.000000 12.000000 5.000000",
        "16.000000 14.121320 7.121320",
        "12.000000 14.121320 7.121320",
        "Standort",
        "51.0 -8.0 -1.0",
        "Bodenreflexion",
        " 40 40 30 20 20 20 20 20 20 20 30 40",
    };
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(bytes(), joinLines(expected));
}

TEST_F(CliAddChange, WorkedHouseLetterForLetter) {
    mustAdd(std::string("house ") + kHouse);
    const Lines l = lines();
    ASSERT_EQ(l.size(), 48u);
    EXPECT_EQ(l[1], "7");
    EXPECT_EQ(l[2], "Frontseite");
    EXPECT_EQ(l[3], "#  13.000    5.000    7.000    3.000   90.000    4.000    5.000    0.000     #Haus: ");
    EXPECT_EQ((Lines{l.begin() + 5, l.begin() + 9}),
              (Lines{"4.000000 5.000000 0.000000", "4.000000 0.000000 0.000000", "4.000000 0.000000 7.000000",
                     "4.000000 5.000000 7.000000"}));
    EXPECT_EQ(l[11], "17.000000 5.000000 0.000000");
    EXPECT_EQ(l[31], "4.000000 2.500000 10.000000");
}

TEST_F(CliAddChange, SameLinesAsThePanels) {
    mustAdd(std::string("rectangle ") + kCollector);
    mustAdd("tree name='Linde am Weg' trunk-height=2 trunk-diameter=0.3 crown-diameter=4 x=5 y=-5 z=0 "
            "foliage=0,0,10,50,100,100,100,100,80,40,5,0");
    mustAdd(std::string("overhang ") + kCanopy);
    mustAdd("polygon name=Giebel corners='0,0;6,0;3,2.5' azimuth=90 elevation=0 x=20 y=0 z=3 --before 2");

    Lines text = commitInsert(newProjectLines(), 1, [] {
        RectanglePanel p{"Kollektor", true, "4", "3", "0", "0", "180", "45", "12", "12", "5"};
        return p.generate(Language::English);
    }());
    TreePanel tree;
    tree.name = "Linde am Weg";
    tree.trunkHeight = "2";
    tree.trunkDiameter = "0.3";
    tree.crownDiameter = "4";
    tree.x = "5";
    tree.y = "-5";
    tree.z = "0";
    tree.foliage = {"0", "0", "10", "50", "100", "100", "100", "100", "80", "40", "5", "0"};
    text = commitInsert(text, 2, tree.generate(Language::English));
    OverhangPanel canopy;
    canopy.targetNumber = 1;
    canopy.name = "Vordach";
    canopy.corners.setCount("4");
    canopy.corners.open();
    canopy.corners.rows = {{"0", "3"}, {"4", "3"}, {"4", "4"}, {"0", "4"}};
    ASSERT_FALSE(canopy.corners.confirm(Language::English));
    canopy.azimuthDifference = "0";
    canopy.elevationDifference = "-90";
    text = commitInsert(text, 3, canopy.generate(text, Language::English));
    PolygonPanel gable;
    gable.name = "Giebel";
    gable.corners.setCount("3");
    gable.corners.open();
    gable.corners.rows = {{"0", "0"}, {"6", "0"}, {"3", "2.5"}};
    ASSERT_FALSE(gable.corners.confirm(Language::English));
    gable.azimuth = "90";
    gable.x = "20";
    gable.y = "0";
    gable.z = "3";
    text = commitInsert(text, 2, gable.generate(Language::English));
    EXPECT_EQ(lines(), text);
}

TEST_F(CliAddChange, InsertBeforeTheTargetRenumbersItsOverhang) {
    mustAdd(std::string("rectangle ") + kCollector);
    mustAdd(std::string("overhang ") + kCanopy);
    mustAdd(std::string("house --before 1 ") + kHouse);
    const Lines l = lines();
    EXPECT_EQ(l[1], "9");
    EXPECT_NE(std::find(l.begin(), l.end(), "$#2Vordach"), l.end());
    EXPECT_EQ(std::find(l.begin(), l.end(), "$#1Vordach"), l.end());
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

TEST_F(CliAddChange, InvalidInputNamesTheFieldAndLeavesTheFile) {
    mustAdd(std::string("rectangle ") + kCollector);
    mustAdd("rectangle name=Mauer lu=1 lv=1 u0=0 v0=0 x=0 y=0 z=0");
    struct Case {
        std::string command;
        const char* field;  // text expected in the message
    };
    const Case cases[] = {
        {"add FILE rectangle name=W lu=0 lv=1 u0=0 v0=0 x=0 y=0 z=0", "lu:"},
        {"add FILE rectangle name=W lu=1 lv=1 u0=0 v0=0 x=0 y=0", "z: is missing"},
        {"add FILE rectangle name=W lu=1 lv=1 u0=0 v0=0 x=0 y=0 z=0 azimuth=361", "azimuth:"},
        {"add FILE rectangle name=W lu=1 lv=1 u0=0 v0=0 x=0 y=0 z=0 target=2", "target:"},
        {"add FILE rectangle name=stamm lu=1 lv=1 u0=0 v0=0 x=0 y=0 z=0", "name:"},
        {"add FILE polygon name=P corners='0,0;1,0' x=0 y=0 z=0", "corners:"},
        {"add FILE polygon name=P corners='0,0;1,0;1' x=0 y=0 z=0", "corners:"},
        {"add FILE polygon name=P corners='0,0;1,0;a,1' x=0 y=0 z=0", "corners:"},
        {"add FILE house ew-width=-1 ns-width=1 height=1 roof=1 rotation=0 x=0 y=0 z=0", "ew-width:"},
        {"add FILE house ew-width=1 ns-width=1 height=1 roof=1 rotation=360.5 x=0 y=0 z=0", "rotation:"},
        {"add FILE tree trunk-height=1 trunk-diameter=1 crown-diameter=1 x=0 y=0 z=0 foliage=1,2,3", "foliage:"},
        {"add FILE tree trunk-height=1 trunk-diameter=1 crown-diameter=1 x=0 y=0 z=0 "
         "foliage=0,0,0,0,0,0,0,0,0,0,0,101",
         "foliage:"},
        {"add FILE overhang name=1Dach corners='0,0;1,0;1,1' azimuth-difference=0 elevation-difference=0", "name:"},
        {"add FILE overhang name=D target=2 corners='0,0;1,0;1,1' azimuth-difference=0 elevation-difference=0",
         "target:"},
        {"add FILE overhang name=D corners='0,0;1,0;1,1' azimuth-difference=0 elevation-difference=181",
         "elevation-difference:"},
        {"add FILE rectangle --before 3 name=W lu=1 lv=1 u0=0 v0=0 x=0 y=0 z=0", "--before"},
        {"change FILE 3 name=X", "object 3"},
        {"change FILE 1 elevation=91", "elevation:"},
        {"change FILE 2 corners='0,0;1,0'", "corners:"},
    };
    for (const Case& c : cases) {
        const std::string before = bytes();
        std::string command = c.command;
        command.replace(command.find("FILE"), 4, cliQuote(path_));
        const CliResult r = runCli(command);
        EXPECT_EQ(r.exitCode, 1) << c.command << "\n" << r.err;
        EXPECT_NE(r.err.find(c.field), std::string::npos) << c.command << "\n" << r.err;
        EXPECT_EQ(bytes(), before) << c.command;
    }
}

TEST_F(CliAddChange, MalformedCommandLinesAreUsageErrors) {
    const std::string before = bytes();
    const char* const cases[] = {
        "add FILE shed name=x",
        "add FILE rectangle colour=red",
        "add FILE rectangle name",
        "add FILE rectangle name=a name=b",
        "add FILE",
    };
    for (const char* c : cases) {
        std::string command = c;
        command.replace(command.find("FILE"), 4, cliQuote(path_));
        EXPECT_EQ(runCli(command).exitCode, 2) << c;
        EXPECT_EQ(bytes(), before) << c;
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
    const Lines before = lines();
    ASSERT_EQ(before[14], "$#1Vordach");
    EXPECT_EQ(before[21], "12.000000 14.121320 7.121320");
    const CliResult r = change("1 x=20 z=6");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Lines after = lines();
    EXPECT_EQ(after[9], "# 180.000  45.000  20.000  12.000  6.000");
    EXPECT_EQ(after[14], "$#1Vordach");
    EXPECT_EQ(after[21], "20.000000 14.121320 8.121320");
    EXPECT_EQ(after[24], "20.000000 13.414214 8.828427");

    // The overhang itself keeps its target.
    EXPECT_EQ(change("2 target=1 name=Markise").exitCode, 0);
    EXPECT_EQ(lines()[14], "$#1Markise");
}

}  // namespace
}  // namespace penumbro
