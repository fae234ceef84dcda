#include "project/ProjectFormat.h"

#include "support/Refusal.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace penumbro {
namespace {

// The layout every reader relies on: records with their "#" lines told apart from
// the vertices, a house as one object of seven records, the sections behind them.
TEST(ProjectFormat, ScanFindsRecordsObjectsAndSections) {
    Lines house = {"Frontseite", "#  8.000  10.000     #Haus: H", "3", "0 0 0", "1 0 0", "1 0 1"};
    for (int k = 1; k < kHouseSurfaces; ++k) house.insert(house.end(), {"Wand", "1", "0 0 0"});
    const Lines text = testing::project({testing::collectorSurface(), house}, -1, {"0-90=5", "90-360=2"});
    const ProjectScan scan = scanSoundProject(text, "t.dat");

    ASSERT_EQ(scan.objects.size(), 2u);
    EXPECT_TRUE(scan.surfaceCount == 8 && scan.objects[1].kind == ObjectKind::House &&
                scan.objects[1].surfaceCount == kHouseSurfaces);
    const SurfaceRecord& collector = scan.surfaces[0];
    EXPECT_TRUE(collector.target && collector.hashLines.size() == 5u);  // four local lines and the placement line
    ASSERT_EQ(collector.vertices.size(), 4u);
    EXPECT_DOUBLE_EQ(collector.vertices[2][2], 7.12132);
    EXPECT_EQ(scan.surfaces[1].parameterLine, scan.surfaces[1].nameLine + 1);
    ASSERT_TRUE(scan.horizonLine);
    EXPECT_TRUE(text[*scan.horizonLine] == "Horizont" && scan.surfacesEnd == *scan.horizonLine);
    EXPECT_EQ(horizonEntries(text, scan, "t.dat").size(), 2u);
    EXPECT_EQ(*valueLine(text, scan.siteKeyword), "50.0 0.0 0.0");
}

// Faults end the scan at one line, whatever reads the text; a text that ends early
// is named by the line after its last.
TEST(ProjectFormat, FaultsNameOneLine) {
    const std::pair<Lines, int> cases[] = {
        {{}, 1}, {{"* c"}, 2}, {{"* c", "1", "Wand"}, 4}, {{"* c", "1", "Wand", "Target", "#p", "2", "#", "0 0 0"}, 9},
        {{"* c", "1", "Wand", "13"}, 4}, {{"* c", "1", "Wand", "1", "0 0 2e9"}, 5},
        {{"* c", "7", "Frontseite", "0", "Wand", "0"}, 7}, {{"* c", "3", "Baum", "0", "Baum1", "0"}, 3},
    };
    for (const auto& [text, line] : cases) {
        const ProjectScan scan = scanProject(text);
        EXPECT_EQ(scan.errorLine, line) << scan.error;
        EXPECT_EQ(testing::refusal([&] { scan.throwIfFaulty("f.dat"); }).line(), line);
    }
    // The sections are still found behind a faulty surface part.
    const ProjectScan scan = scanProject({"* c", "x", "Standort", "1 2 3"});
    EXPECT_FALSE(scan.sound());
    EXPECT_EQ(scan.siteKeyword, 2u);
}

// Without a count after the comments the text is no project, and the message says so
// before its line; a fault further in is a fault of a project. Names are quoted cut.
TEST(ProjectFormat, TextsWithoutACountAreNoProjectAndLongNamesAreCut) {
    const std::string name(4700, 'W');
    const std::tuple<Lines, int, std::string> cases[] = {
        {{"\x89PNG", "\x1A"}, 0, "f.dat: not a project file (line 2: the surface count is not an integer)"},
        {{"* a", "* b", "Wand"}, 0, "f.dat: not a project file (line 3: the surface count is not an integer)"},
        {{"* a", "1.5"}, 0, "f.dat: not a project file (line 2: the surface count is not an integer)"},
        {{"* a", "1", "Wand", "x"}, 4, "f.dat:4: the vertex count of \"Wand\" is not an integer: \"x\""},
        {{"* a", "1", name, "x"}, 4,
         "f.dat:4: the vertex count of \"" + name.substr(0, 40) + "...\" is not an integer: \"x\""},
    };
    for (const auto& [text, line, message] : cases) {
        const InputError e = testing::refusal([&] { scanSoundProject(text, "f.dat"); });
        EXPECT_EQ(std::pair(e.line(), std::string(e.what())), std::pair(line, message));
    }
}

TEST(ProjectFormat, MonthlyFieldsAndHorizonEntries) {
    EXPECT_EQ(monthlyFields("100  0 50", 0), (std::array<int, 12>{100, 0, 50}));
    for (const char* bad : {" 40101", " 4x", " -5"}) EXPECT_FALSE(monthlyFields(bad, 0)) << bad;
    EXPECT_EQ(parseHorizonEntry("100-160=9.5").value_or(HorizonEntry{}).to, 160);
    for (const char* bad : {"100=9", "100-160", "a-160=9", "100-160=", ""}) EXPECT_FALSE(parseHorizonEntry(bad)) << bad;
    // Entries beyond a full turn or the zenith are refused with their line.
    for (const char* bad : {"0-3600=1", "200-100=5", "0-90=91", "0-90=-90.5", "-10-90=5"}) {
        const Lines text = testing::project({}, 0, {"0-90=5", bad});
        const ProjectScan scan = scanSoundProject(text, "h.dat");
        EXPECT_EQ(testing::refusal([&] { horizonEntries(text, scan, "h.dat"); }).line(), 5) << bad;
    }
    const Lines edges = testing::project({}, 0, {"0-0=-90", "0-360=90"});
    EXPECT_EQ(horizonEntries(edges, scanSoundProject(edges, "h.dat"), "h.dat").size(), 2u);
}

}  // namespace
}  // namespace penumbro
