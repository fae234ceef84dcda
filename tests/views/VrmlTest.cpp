#include "views/SceneExtent.h"
#include "views/Viewpoints.h"
#include "views/VrmlTexts.h"
#include "views/VrmlWriter.h"

#include "VrmlTestSupport.h"
#include "editor/generators/TreeGenerator.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

#include <unistd.h>

namespace penumbro {
namespace {

using namespace vrmltest;

const VrmlTexte kDeutsch = vrmlTexte(Language::German);
const VrmlTexte kEnglisch = vrmlTexte(Language::English);

std::vector<std::string> welt(const Lines& text, const VrmlTexte& texte = kDeutsch) {
    return zeilenVon(vrmlDokument(text, texte, "p.dat"));
}

TEST(VrmlDocument, EveryLineEndsWithCrLf) {
    const std::string doc = vrmlDokument(projekt(1, kollektor(), {"0-90=10"}), kDeutsch);
    ASSERT_FALSE(doc.empty());
    EXPECT_EQ(doc.substr(doc.size() - 2), "\r\n");
    std::size_t lf = 0, crlf = 0;
    for (std::size_t i = 0; i < doc.size(); ++i) {
        if (doc[i] != '\n') continue;
        ++lf;
        if (i > 0 && doc[i - 1] == '\r') ++crlf;
    }
    EXPECT_EQ(lf, crlf);
    EXPECT_EQ(doc.find('\r', 0), doc.find("\r\n", 0));
}

TEST(VrmlDocument, EmptyProjectShowsNoticeOnlyWithoutHorizon) {
    struct Case {
        Lines horizon;
        bool notice;
        long walls;
    };
    const Case cases[] = {{{}, true, 0}, {{"0-90=10"}, false, 10}};
    for (const auto& c : cases) {
        const auto lines = welt(projekt(0, {}, c.horizon));
        EXPECT_EQ(lines.front(), "#VRML V2.0 utf8");
        EXPECT_EQ(anzahl(lines, "Viewpoint {"), 9);
        EXPECT_EQ(enthaelt(lines, "        string \"Im Projekt sind keine Objekte definiert.\""), c.notice);
        EXPECT_EQ(anzahl(lines, "      diffuseColor 0.8 0.8 0.8"), c.walls);
        if (c.notice) {
            const std::vector<std::string> tail(lines.end() - 7, lines.end());
            const std::vector<std::string> expected = {"      }", "    }", "  ]", "  rotation 1 0 0 -1.57",
                                                       "  translation 0 0.1 0 ", "}", ""};
            EXPECT_EQ(tail, expected);
            EXPECT_TRUE(enthaelt(lines, "          style \"BOLDITALIC\""));
        }
    }
    // A negative count is no objects either.
    EXPECT_TRUE(enthaelt(welt(projekt(-3, {}), kEnglisch),
                         "        string \"No Objects are defined in the project.\""));
}

TEST(VrmlDocument, ExtentScalesGroundFontCreditsAndViewpoints) {
    struct Case {
        const char* vertex;
        const char* radius;
        const char* fontSize;
        const char* skyView;
        const char* creditLabel;
    };
    const Case cases[] = {
        {"0.400000 -0.300000 0.100000", "        radius 100", "                 size 0.125",
         "  position 0 5.000 0", "  translation 2.000 0.1 1.700"},
        {"3.000000 -25.000000 1.000000", "        radius 2500", "                 size 3.125",
         "  position 0 125.000 0", "  translation 50.000 0.1 42.500"},
        {"0.000000 0.000000 1.234560", "        radius 123", "                 size 0.154",
         "  position 0 6.173 0", "  translation 2.469 0.1 2.099"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vertex);
        const auto lines = welt(projekt(1, flaeche("W", false, "# 0.000  0.000  0.000  0.000  0.000",
                                                   {c.vertex, c.vertex, c.vertex})));
        EXPECT_TRUE(enthaelt(lines, c.radius));
        EXPECT_TRUE(enthaelt(lines, c.fontSize));
        EXPECT_TRUE(enthaelt(lines, c.skyView));
        EXPECT_TRUE(enthaelt(lines, c.creditLabel));
    }
}

TEST(VrmlDocument, HeaderKeepsSharedDefinitionsInsideAnUndrawnChoice) {
    const auto lines = welt(projekt(0, {}));
    const std::size_t sw = finde(lines, "Switch {");
    ASSERT_LT(sw, lines.size());
    EXPECT_EQ(lines[sw + 1], "  whichChoice -1");
    const std::size_t font = finde(lines, "        fontStyle DEF Schriftart FontStyle{", sw);
    const std::size_t black = finde(lines, "      appearance DEF Schwarz Appearance {", sw);
    const std::size_t firstUse = finde(lines, "      appearance USE Schwarz");
    EXPECT_LT(font, firstUse);
    EXPECT_LT(black, firstUse);
    EXPECT_EQ(anzahl(lines, "      appearance USE Schwarz"), 3);
    EXPECT_EQ(anzahl(lines, "        fontStyle USE Schriftart"), 3);
    EXPECT_TRUE(enthaelt(lines, "                 family \"SANS\""));
    EXPECT_TRUE(enthaelt(lines, "        string \"Erstellt mit PENUMBRO\""));
    // The ground polygon's 36 points around the disc, then its index line.
    EXPECT_EQ(nach(lines, "      point [", 1).at(0), "        100.000 -0.01 0.000");
    std::string index = "     ";
    for (int i = 0; i < 36; ++i) index += " " + std::to_string(i);
    EXPECT_TRUE(enthaelt(lines, index));
}

TEST(VrmlDocument, PlainSurfaceColoursFollowTargetAndElevation) {
    struct Case {
        bool target;
        const char* elevation;
        const char* face;
        const char* outline;
    };
    const char* grey = "      diffuseColor 0.6 0.6 0.6";
    const char* red = "      diffuseColor 0.6 0.0 0.0";
    const Case cases[] = {
        {true, "45.000", "      diffuseColor 0 0 1", "      0 0 1"}, {false, "0.000", grey, "    0.6 0.6 0.6"},
        {false, "-45.000", red, "    0.6 0.0 0.0"},  {false, "20.000", red, "    0.6 0.0 0.0"},
        {false, "70.000", red, "    0.6 0.0 0.0"},   {false, "19.400", grey, "    0.6 0.6 0.6"},
        {false, "70.600", grey, "    0.6 0.6 0.6"},  {false, "-19.400", grey, "    0.6 0.6 0.6"},
        {false, "110.000", red, "    0.6 0.0 0.0"},  {false, "160.600", grey, "    0.6 0.6 0.6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.elevation) + (c.target ? " target" : ""));
        const std::string placement = std::string("# 180.000  ") + c.elevation + "  0.000  0.000  0.000";
        const auto lines = welt(projekt(1, flaeche("F", c.target, placement,
                                                   {"0 0 0", "1 0 0", "1 0 1"})));
        EXPECT_EQ(anzahl(lines, c.face), 1);
        EXPECT_EQ(nach(lines, "      color [", 1), std::vector<std::string>{c.outline});
    }
}

TEST(VrmlDocument, PlainSurfaceNodesInVrmlAxes) {
    struct Case {
        Lines vertices;
        std::vector<std::string> points;
        const char* faceIndex;
        const char* lineIndex;
        const char* colorIndex;
    };
    const Case cases[] = {
        {{"1.000000 0.000000 2.000000", "3.5 -4.25 0", "  -1   2.0004   -0.0004  "},
         {"        1.000 2.000 -0.000,", "        3.500 0.000 4.250,", "        -1.000 -0.000 -2.000,"},
         "      0, 1, 2",
         "      0, 1, 2, 0",
         "      0, 0, 0, 0"},
        {{"0 0 0", "4 0 0", "4 0 3", "0 0 3"},
         {"        0.000 0.000 -0.000,", "        4.000 0.000 -0.000,", "        4.000 3.000 -0.000,",
          "        0.000 3.000 -0.000,"},
         "      0, 1, 2, 3",
         "      0, 1, 2, 3, 0",
         "      0, 0, 0, 0, 0"},
    };
    for (const auto& c : cases) {
        const auto lines = welt(projekt(1, flaeche("F", false, "# 0.000  0.000  0 0 0", c.vertices)));
        // The first face set is the ground's.
        const std::size_t face =
            finde(lines, "  geometry IndexedFaceSet {", finde(lines, "      diffuseColor 0.6 0.6 0.6"));
        const std::size_t facePoints = finde(lines, "      point [", face);
        ASSERT_LT(facePoints + c.points.size() + 4, lines.size());
        for (std::size_t k = 0; k < c.points.size(); ++k) EXPECT_EQ(lines[facePoints + 1 + k], c.points[k]);
        EXPECT_EQ(lines[facePoints + c.points.size() + 4], c.faceIndex);

        const std::size_t outline = finde(lines, "  geometry IndexedLineSet {");
        const std::size_t linePoints = finde(lines, "      point [", outline);
        ASSERT_LT(linePoints + c.points.size() + 10, lines.size());
        for (std::size_t k = 0; k < c.points.size(); ++k) EXPECT_EQ(lines[linePoints + 1 + k], c.points[k]);
        EXPECT_EQ(lines[linePoints + c.points.size() + 4], c.lineIndex);
        EXPECT_EQ(lines[linePoints + c.points.size() + 7], c.colorIndex);
        // No empty line after a plain surface: the outline's "}" is followed by the end.
        EXPECT_EQ(lines[linePoints + c.points.size() + 10], "}");
        EXPECT_EQ(linePoints + c.points.size() + 11, lines.size());
    }
}

TEST(VrmlDocument, WorkedHouseGivesBoxAndRoof) {
    const auto lines = welt(projekt(7, beispielHaus()));
    const std::vector<std::string> box = {"        size 5.000 7.000 13.000", "      }", "    }", "  ]",
                                          "  translation 10.500 3.500 -2.500", "  rotation 0 1 0 -1.571",
                                          "}", ""};
    EXPECT_EQ(nach(lines, "      geometry Box {", 8), box);
    EXPECT_TRUE(enthaelt(lines, "        diffuseColor 0.8 0.8 0.8  # hellgrau"));
    const std::vector<std::string> roofPoints = {
        "            0  0  0, # links vorn",           "            5.000  0  0, # rechts vorn",
        "            2.500 3.000  0, # oben vorn",     "            0  0 -13.000, # links hinten",
        "            5.000  0  -13.000,  # rechts hinten", "            2.500 3.000 -13.000,  # oben hinten",
        "          ]"};
    EXPECT_EQ(nach(lines, "          point [", 7), roofPoints);
    const std::vector<std::string> roofEnd = {"  rotation 0 1 0 -1.571", "  translation 4.000 7.000 -5.000",
                                              "}", ""};
    const std::size_t colorIndex = finde(lines, "        colorIndex [");
    ASSERT_LT(colorIndex + 13, lines.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + static_cast<long>(colorIndex) + 10,
                                       lines.begin() + static_cast<long>(colorIndex) + 14),
              roofEnd);
    // Largest coordinate 17: the ground radius follows from the house's vertices.
    EXPECT_TRUE(enthaelt(lines, "        radius 1700"));
}

TEST(VrmlDocument, TreeBecomesTrunkAndCrown) {
    Tree tree;
    tree.name = "Linde";
    tree.trunkHeight = 3;
    tree.trunkDiameter = 0.4;
    tree.crownDiameter = 2.4;
    tree.foot = {10, -6, 0.5};
    Lines objects = generateTree(tree);
    const Lines after = kollektor();
    objects.insert(objects.end(), after.begin(), after.end());
    const auto lines = welt(projekt(8, objects));
    EXPECT_EQ(nach(lines, "        top TRUE", 2).size(), 2u);
    EXPECT_TRUE(enthaelt(lines, "        height 4.200"));
    EXPECT_TRUE(enthaelt(lines, "        radius 0.200"));
    EXPECT_TRUE(enthaelt(lines, "  translation 10.000 2.600 6.000"));
    EXPECT_TRUE(enthaelt(lines, "      geometry Sphere { radius 1.200 }"));
    EXPECT_TRUE(enthaelt(lines, "  translation 10.000 4.700 6.000"));
    // The surface after the tree is read in step: the collector is the only plain surface.
    EXPECT_EQ(anzahl(lines, "  geometry IndexedLineSet {"), 1);
    EXPECT_TRUE(enthaelt(lines, "        12.000 5.000 -12.000,"));
}

TEST(VrmlDocument, HorizonWallsPerSegment) {
    const double r = 100.0;
    const double pi = std::numbers::pi;
    struct Case {
        const char* entry;
        long segments;
        double height;
        double from;  // a1 in degrees
    };
    const Case cases[] = {
        {"0-90=10", 10, 10, -90},     // (91 div 10) + 1
        {"90-0=10", 10, 10, -90},     // swapped
        {"180-270=90", 10, 89.9, 90}, // 90 is drawn as 89.9
        {"100-104.5=5", 1, 5, 10},    // (5 div 10) + 1
        {"10-10=3", 1, 3, -80},
        {"0-360=12.5", 37, 12.5, -90},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const auto lines = welt(projekt(0, {}, {c.entry}));
        EXPECT_EQ(anzahl(lines, "      0 1 2 3"), c.segments);
        EXPECT_EQ(anzahl(lines, "      0 1 2"), c.segments);
        EXPECT_FALSE(enthaelt(lines, "        string \"Im Projekt sind keine Objekte definiert.\""));
        const auto wall = nach(lines, "      diffuseColor 0.8 0.8 0.8", 9);
        ASSERT_EQ(wall.size(), 9u);
        const double b = c.from * pi / 180;
        const std::string x = formatFixed(r * std::cos(b), 0, 3);
        const std::string z = formatFixed(r * std::sin(b), 0, 3);
        const std::string top = formatFixed(r * std::tan(c.height * pi / 180), 0, 3);
        EXPECT_EQ(wall[6], "        " + x + " 0 " + z);
        EXPECT_EQ(wall[7], "        " + x + " " + top + " " + z);
        // Every wall has its ground wedge reaching to the origin.
        EXPECT_EQ(anzahl(lines, "        0 0 0"), c.segments);
    }
    // 0 to 90 with height 10: walls 100 tan 10 high, from north round to east.
    const auto lines = welt(projekt(0, {}, {"0-90=10"}));
    EXPECT_EQ(nach(lines, "      diffuseColor 0.8 0.8 0.8", 7).at(6), "        0.000 0 -100.000");
    EXPECT_EQ(nach(lines, "      diffuseColor 0.8 0.8 0.8", 8).at(7), "        0.000 17.633 -100.000");
}

TEST(VrmlDocument, HorizonEntriesEndAtTheFirstLineThatIsNoEntry) {
    const auto lines = welt(projekt(1, kollektor(), {"0-90=10", ".5-10=1", "Standort"}));
    // Entries of 10 and 2 segments (from -89.5 to -80: (10 div 10) + 1); malformed
    // lines inside are skipped.
    EXPECT_EQ(anzahl(lines, "      0 1 2 3"), 12);
    const auto skipped = welt(projekt(1, kollektor(), {"0-90=10", "45", "5=3-1"}));
    EXPECT_EQ(anzahl(skipped, "      0 1 2 3"), 10);
    EXPECT_THROW(welt(projekt(0, {}, {"0-99999=10"})), InputError);
}

TEST(VrmlViewpoints, TargetOrientationAndPosition) {
    struct Case {
        const char* placement;
        const char* orientation;
    };
    const Case cases[] = {
        {"# 180.000  0.000  0 0 0", "  orientation 0.000 1.000 0.000 3.142"},   // south: axis replaced
        {"# 0.000  0.000  0 0 0", "  orientation 0.000 1.000 0.000 0.000"},     // north: axis replaced
        {"# 90.000  0.000  0 0 0", "  orientation 0.000 -1.000 0.000 1.571"},   // east
        {"# 270.000  0.000  0 0 0", "  orientation 0.000 1.000 0.000 1.571"},   // west
        {"# 180.000  90.000  0 0 0", "  orientation 1.000 -0.000 0.000 1.571"}, // sky
        {"# 180.000  45.000  0 0 0", "  orientation 0.707 -0.000 0.000 2.356"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.placement);
        const auto lines = welt(projekt(1, flaeche("Kollektor", true, c.placement,
                                                   {"12 12 5", "16 12 5", "16 14 8", "12 14 8"})));
        const auto vp = nach(lines, "  description \"Senkrecht zur Ebene 'Kollektor'\"", 2);
        ASSERT_EQ(vp.size(), 2u);
        EXPECT_EQ(vp[0], "  position 14.000 6.500 -13.000");
        EXPECT_EQ(vp[1], c.orientation);
    }
}

TEST(VrmlViewpoints, RotationTurnsDefaultViewOntoNormal) {
    for (double a : {0.0, 37.0, 90.0, 180.0, 251.0}) {
        for (double e : {-60.0, 0.0, 30.0, 89.0}) {
            const VrmlRotation r = targetRotation(a, e);
            const double len = std::hypot(r.achse[0], r.achse[1], r.achse[2]);
            const double k[3] = {r.achse[0] / len, r.achse[1] / len, r.achse[2] / len};
            // Rodrigues: v rotated about k by the angle, v = (0, 0, -1).
            const double v[3] = {0, 0, -1};
            const double c = std::cos(r.winkel), s = std::sin(r.winkel);
            const double kxv[3] = {k[1] * v[2] - k[2] * v[1], k[2] * v[0] - k[0] * v[2],
                                   k[0] * v[1] - k[1] * v[0]};
            const double kv = k[0] * v[0] + k[1] * v[1] + k[2] * v[2];
            const double ar = a * std::numbers::pi / 180, er = e * std::numbers::pi / 180;
            const double n[3] = {std::sin(ar) * std::cos(er), std::sin(er), -std::cos(ar) * std::cos(er)};
            for (int i = 0; i < 3; ++i) {
                EXPECT_NEAR(v[i] * c + kxv[i] * s + k[i] * kv * (1 - c), n[i], 1e-9) << a << " " << e;
            }
        }
    }
}

TEST(VrmlViewpoints, DescriptionsSpellUmlautsAndFollowTheLanguage) {
    struct Case {
        std::string name;
        const VrmlTexte* texte;
        std::string line;
    };
    const Case cases[] = {
        {"Kollektor", &kDeutsch, "  description \"Senkrecht zur Ebene 'Kollektor'\""},
        {"S\xFC" "dfl\xE4" "che", &kDeutsch, "  description \"Senkrecht zur Ebene 'Suedflaeche'\""},
        {"\xC4\xD6\xDC\xE4\xF6\xFC\xDF", &kEnglisch, "  description \"Perpendicular to plate 'AeOeUeaeoeuess'\""},
        {"Caf\xE9 \"Nord\"", &kEnglisch, "  description \"Perpendicular to plate 'Caf\xC3\xA9 \\\"Nord\\\"'\""},
    };
    for (const auto& c : cases) {
        const auto lines = welt(projekt(1, flaeche(c.name, true, "# 180.000  0.000  0 0 0",
                                                   {"0 0 0", "1 0 0", "1 0 1"})),
                                *c.texte);
        EXPECT_TRUE(enthaelt(lines, c.line)) << c.line;
        EXPECT_EQ(anzahl(lines, "Viewpoint {"), 10);
    }
}

TEST(VrmlViewpoints, FixedViewsInOrderAndOnlyTargetsAddViews) {
    const auto lines = welt(projekt(7, beispielHaus(), {}), kEnglisch);
    EXPECT_EQ(anzahl(lines, "Viewpoint {"), 9);
    const std::vector<std::string> first = {"  description \"View from sky\"", "  position 0 85.000 0",
                                            "  orientation 1 0 0 -1.571", "}", ""};
    EXPECT_EQ(nach(lines, "Viewpoint {", 5), first);
    const std::vector<std::string> expected = {
        "  position 0 1.7 -34.000", "  orientation 0 1 0 3.142", "  position 34.000 1.7 0",
        "  orientation 0 1 0 1.571", "  position 0 1.7 34.000", "  orientation 0 1 0 0",
        "  position -34.000 1.7 0", "  orientation 0 1 0 -1.571"};
    std::vector<std::string> got;
    for (const char* d : {"  description \"View from north\"", "  description \"View from east\"",
                          "  description \"View from south\"", "  description \"View from west\""}) {
        const auto vp = nach(lines, d, 2);
        got.insert(got.end(), vp.begin(), vp.end());
    }
    EXPECT_EQ(got, expected);
}

TEST(VrmlTexts, LanguageLetterChoosesTheTexts) {
    VrmlTexte t = kDeutsch;
    VrmlTexteSetzen(t, 'e');
    EXPECT_EQ(t.ansichten, kEnglisch.ansichten);
    EXPECT_EQ(t.keineObjekte, kEnglisch.keineObjekte);
    VrmlTexteSetzen(t, 'x');  // an unknown letter keeps what was set
    EXPECT_EQ(t.erstelltMit, kEnglisch.erstelltMit);
    VrmlTexteSetzen(t, 'd');
    EXPECT_EQ(t.senkrechtZurEbene, kDeutsch.senkrechtZurEbene);
    EXPECT_NE(kDeutsch.ansichten, kEnglisch.ansichten);
}

TEST(VrmlErrors, FailedWriteKeepsThePreviousWorld) {
    const auto dir = std::filesystem::temp_directory_path() / ("penumbro-vrml-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string base = (dir / "Haus mit Blick").string();
    EXPECT_EQ(VrmlDateiSchreiben(projekt(1, kollektor()), base, kDeutsch), base + ".wrl");
    const std::string good = readFileBytes(base + ".wrl");
    EXPECT_EQ(good, vrmlDokument(projekt(1, kollektor()), kDeutsch));
    EXPECT_THROW(VrmlDateiSchreiben({"* x", "1.5"}, base, kDeutsch), InputError);
    EXPECT_EQ(readFileBytes(base + ".wrl"), good);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace penumbro
