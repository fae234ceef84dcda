#include "views/VrmlTexts.h"
#include "views/VrmlWriter.h"

#include "ViewSamples.h"
#include "project/ProjectFile.h"
#include "support/SampleProjects.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace penumbro {
namespace {

using namespace testing;

const VrmlTexts kGerman = vrmlTexts(Language::German);

Lines world(const Lines& text, const VrmlTexts& texts = kGerman) { return splitLines(vrmlDocument(text, texts, "p.dat")); }

long countOf(const Lines& lines, const std::string& line) { return std::count(lines.begin(), lines.end(), line); }

// The count lines after the first line equal to start.
Lines after(const Lines& lines, const std::string& start, std::size_t count) {
    const auto i = std::find(lines.begin(), lines.end(), start);
    const auto left = static_cast<std::size_t>(lines.end() - i);
    return i == lines.end() ? Lines{} : Lines(i + 1, i + 1 + static_cast<long>(std::min(count, left - 1)));
}

Lines oneSurface(const std::string& placement, bool target = false, const std::string& name = "F",
                 const std::vector<std::string>& vertices = {"0 0 0", "1 0 0", "1 0 1"}) {
    return project({plainSurface(name, target, placement, vertices)});
}

// The examples' worlds, byte for byte; a world of a sound project never changes.
TEST(VrmlGolden, ExampleWorldsAreUnchanged) {
    for (const auto& [name, language] : {std::pair{"collector", Language::German}, {"facade", Language::English}}) {
        const std::string golden = std::string(PENUMBRO_SOURCE_DIR) + "/tests/views/golden/" + name +
                                   (language == Language::German ? "_d.wrl" : "_e.wrl");
        const Lines text = loadProjectFile(examplePath(std::string(name) + ".dat")).lines;
        EXPECT_TRUE(vrmlDocument(text, vrmlTexts(language), name) == TempDir::readFile(golden)) << golden;
    }
}

TEST(VrmlDocument, EmptyProjectShowsNoticeOnlyWithoutHorizon) {
    for (const bool withHorizon : {false, true}) {
        const auto lines = world(project({}, 0, withHorizon ? Lines{"0-90=10"} : Lines{}));
        EXPECT_EQ(countOf(lines, "Viewpoint {"), 9);
        EXPECT_EQ(countOf(lines, "        string \"Im Projekt sind keine Objekte definiert.\""), !withHorizon);
        EXPECT_EQ(countOf(lines, "      diffuseColor 0.8 0.8 0.8"), withHorizon ? 10 : 0);
    }
}

TEST(VrmlDocument, PlainSurfaceColoursFollowTargetAndElevation) {
    const char *grey = "0.6 0.6 0.6", *red = "0.6 0.0 0.0";
    const std::tuple<const char*, const char*, bool> cases[] = {  // elevation, colour, target
        {"0.000", grey, false},   {"-45.000", red, false}, {"20.000", red, false}, {"19.400", grey, false},
        {"70.600", grey, false}, {"110.000", red, false}, {"160.600", grey, false}, {"45.000", "0 0 1", true}};
    for (const auto& [elevation, colour, target] : cases) {
        const auto lines = world(oneSurface(std::string("# 180.000  ") + elevation + "  0 0 0", target));
        EXPECT_EQ(countOf(lines, std::string("      diffuseColor ") + colour), 1) << elevation;
        EXPECT_EQ(after(lines, "      color [", 1), Lines{(target ? "      " : "    ") + std::string(colour)}) << elevation;
    }
}

// The viewpoint perpendicular to each target: its orientation (the axis replaced when the
// turn is about the vertical alone), its position, and its description with umlauts spelt
// out in the chosen language.
TEST(VrmlViewpoints, TargetOrientationPositionAndDescription) {
    const std::pair<const char*, const char*> cases[] = {
        {"# 180.000  0.000  0 0 0", "  orientation 0.000 1.000 0.000 3.142"},    // south
        {"# 90.000  0.000  0 0 0", "  orientation 0.000 -1.000 0.000 1.571"},    // east
        {"# 180.000  90.000  0 0 0", "  orientation 1.000 -0.000 0.000 1.571"},  // sky
        {"# 180.000  45.000  0 0 0", "  orientation 0.707 -0.000 0.000 2.356"},
    };
    for (const auto& [placement, orientation] : cases) {
        const auto lines = world(oneSurface(placement, true, "Kollektor", {"12 12 5", "16 12 5", "16 14 8", "12 14 8"}));
        const Lines expected = {"  position 14.000 6.500 -13.000", orientation};
        EXPECT_EQ(after(lines, "  description \"Senkrecht zur Ebene 'Kollektor'\"", 2), expected);
    }
    const std::pair<std::string, std::string> names[] = {  // in English
        {"\xC4\xD6\xDC\xE4\xF6\xFC\xDF", "  description \"Perpendicular to plate 'AeOeUeaeoeuess'\""},
        {"Caf\xE9 \"Nord\"", "  description \"Perpendicular to plate 'Caf\xC3\xA9 \\\"Nord\\\"'\""},
    };
    for (const auto& [name, line] : names) {
        const auto lines = world(oneSurface("# 180.000  0.000  0 0 0", true, name), vrmlTexts(Language::English));
        EXPECT_EQ(countOf(lines, line), 1) << line;
        EXPECT_EQ(countOf(lines, "Viewpoint {"), 10);
    }
}

}  // namespace
}  // namespace penumbro
