// Models imported as polygon objects: they shade like the same surfaces typed by hand,
// open in the polygon panel, survive a trip through glTF, and bad models change nothing.

#include "cli/RunCli.h"
#include "editor/GeneratorEdit.h"
#include "editor/ObjectTable.h"
#include "editor/generators/PolygonGenerator.h"
#include "engine/Augenblick.h"
#include "engine/Compiler.h"
#include "import/FaceGeometry.h"
#include "import/ModelImport.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"
#include "support/Refusal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

namespace penumbro {
namespace {

const std::string kData = std::string(PENUMBRO_SOURCE_DIR) + "/tests/import/data/";
constexpr double kEast = 389000, kNorth = 5819000, kHeight = 34;  // the test city's UTM corner

using Face = std::vector<Vec3>;

// The test house as typed from its drawing: 10 x 8 m, walls 6 m, ridge 10 m along x.
const std::vector<Face> kHouse = {
    {{0, 0, 0}, {10, 0, 0}, {10, 0, 6}, {0, 0, 6}},
    {{10, 0, 0}, {10, 8, 0}, {10, 8, 6}, {10, 4, 10}, {10, 0, 6}},
    {{10, 8, 0}, {0, 8, 0}, {0, 8, 6}, {10, 8, 6}},
    {{0, 8, 0}, {0, 0, 0}, {0, 0, 6}, {0, 4, 10}, {0, 8, 6}},
    {{0, 0, 6}, {10, 0, 6}, {10, 4, 10}, {0, 4, 10}},
    {{10, 8, 6}, {0, 8, 6}, {0, 4, 10}, {10, 4, 10}},
    {{0, 0, 0}, {0, 8, 0}, {10, 8, 0}, {10, 0, 0}},
};
// The LoD1 block south-east of it: 6 x 6 m, 9 m high.
const std::vector<Face> kBlock = {
    {{20, -10, 0}, {26, -10, 0}, {26, -10, 9}, {20, -10, 9}},
    {{26, -10, 0}, {26, -4, 0}, {26, -4, 9}, {26, -10, 9}},
    {{26, -4, 0}, {20, -4, 0}, {20, -4, 9}, {26, -4, 9}},
    {{20, -4, 0}, {20, -10, 0}, {20, -10, 9}, {20, -4, 9}},
    {{20, -10, 9}, {26, -10, 9}, {26, -4, 9}, {20, -4, 9}},
};

// A project with a south-facing target north of the house.
Lines withTarget() {
    Placement at{180, 0, {-4, 14, 0}};
    return commitInsert(newProjectLines(), 1, generatePlainSurface({"Kollektor", true, rectangleCorners(34, 12, 0, 0), at}));
}

Lines typedByHand(const std::vector<Face>& faces) {
    Lines text = withTarget();
    for (const Face& f : faces) {
        Lines block{"Hand", std::to_string(f.size())};
        for (const Vec3& p : f) {
            std::ostringstream line;
            line << p.x << " " << p.y << " " << p.z;
            block.push_back(line.str());
        }
        text = commitInsert(text, ListeAufbauen(text).ObjektAnzahl + 1, block);
    }
    return text;
}

// Exact shading of the target for suns from south-east to south-west, low to high.
std::vector<double> shading(const Lines& text) {
    const CompiledModel model = compileProject(text, "test.dat");
    ExactShading exact;
    std::vector<double> out;
    for (float azimuth : {110.f, 135.f, 160.f, 180.f, 205.f, 240.f}) {
        for (float elevation : {8.f, 15.f, 25.f, 40.f, 60.f}) {
            out.push_back(instantForSunExact(model, exact, {azimuth, elevation}, 6).ergebnis);
        }
    }
    return out;
}

void expectSameShading(const Lines& imported, const Lines& reference) {
    const auto a = shading(imported), b = shading(reference);
    ASSERT_EQ(a.size(), b.size());
    int partly = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_NEAR(a[i], b[i], 1e-6) << "instant " << i;
        partly += b[i] > 0.01 && b[i] < 0.99;
    }
    EXPECT_GE(partly, 5);  // the scene really shades
}

ImportOptions at(Vec3 origin) {
    ImportOptions o;
    o.origin = origin;
    return o;
}

TEST(ModelImport, EveryFormatShadesLikeTheHouseTypedByHand) {
    const struct {
        const char* file;
        ImportOptions options;
        std::vector<Face> faces;
        int buildings, polygons;
    } cases[] = {
        {"house.gml", at({kEast, kNorth, kHeight}), {}, 2, 13},
        {"house.obj", {}, {}, 1, 7},
        {"house.gltf", {}, {}, 1, 7},
        {"house.dae", {}, {}, 1, 7},  // centimetres, Z up
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const ImportResult r = importModel(withTarget(), kData + c.file, c.options);
        EXPECT_EQ(r.summary.buildings, c.buildings);
        EXPECT_EQ(r.summary.polygons, c.polygons);
        EXPECT_EQ(r.summary.dropped, 0);
        std::vector<Face> faces = kHouse;
        if (c.polygons == 13) faces.insert(faces.end(), kBlock.begin(), kBlock.end());
        expectSameShading(r.text, typedByHand(faces));
        const ObjectList list = ListeAufbauen(r.text);
        ASSERT_EQ(list.ObjektAnzahl, 1 + c.polygons);
        EXPECT_EQ(list.targetCount, 1);  // nothing imported is a target
    }
}

TEST(ModelImport, CityModelWindowIsFilledAndNamesComeFromTheBuildings) {
    const ImportResult r = importModel(newProjectLines(), kData + "house.gml", at({kEast, kNorth, kHeight}));
    const ObjectList list = ListeAufbauen(r.text);
    ASSERT_EQ(list.ObjektAnzahl, 13);
    EXPECT_EQ(list.object(1).Name, "DEBE_A Wand 1");
    EXPECT_EQ(list.object(5).Name, "DEBE_A Dach 1");
    EXPECT_EQ(list.object(7).Name, "DEBE_A Boden 1");
    EXPECT_EQ(list.object(8).Name, "DEBE_B Boden 1");  // LoD1: told by the tilt
    EXPECT_EQ(list.object(9).Name, "DEBE_B Dach 1");
    // The south wall with its window keeps its full 10 x 6 m.
    const PlainSurface wall = readPlainSurface(r.text, static_cast<std::size_t>(list.object(1).Zeile - 1));
    EXPECT_NEAR(signedArea(wall.corners), 60.0, 1e-9);
}

TEST(ModelImport, OriginRadiusAndLevelOfDetail) {
    const Vec3 houseCentre{kEast + 5, kNorth + 4, kHeight};
    const struct {
        const char* what;
        ImportOptions options;
        int polygons, outside;
        double lowX, highX, lowY, highY;
    } cases[] = {
        // Without an origin: the middle of the model's extent at its lowest point. The
        // radius keeps a face with any point within it, corner or not.
        {"default origin", {}, 13, 0, -13, 13, -9, 9},
        {"origin", at({kEast, kNorth, kHeight}), 13, 0, 0, 26, -10, 8},
        {"radius keeps the house", [&] { auto o = at(houseCentre); o.radius = 8; return o; }(), 7, 6, -5, 5, -4, 4},
        {"radius reaching the block", [&] { auto o = at(houseCentre); o.radius = 17.1; return o; }(), 11, 2, -5, 21, -14, 4},
        {"LoD 1 only", [&] { auto o = at(houseCentre); o.lod = 1; return o; }(), 6, 0, 15, 21, -14, -8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ImportSummary s = importModel(newProjectLines(), kData + "house.gml", c.options).summary;
        EXPECT_EQ(s.polygons, c.polygons);
        EXPECT_EQ(s.outside, c.outside);
        EXPECT_NEAR(s.low.x, c.lowX, 1e-6);
        EXPECT_NEAR(s.high.x, c.highX, 1e-6);
        EXPECT_NEAR(s.low.y, c.lowY, 1e-6);
        EXPECT_NEAR(s.high.y, c.highY, 1e-6);
        EXPECT_NEAR(s.low.z, 0, 1e-6);
    }
    auto far = at({0, 0, 0});
    far.radius = 50;
    EXPECT_EQ(testing::refusal([&] { importModel(newProjectLines(), kData + "house.gml", far); }).detail().id,
              ErrorId::ModelNothingWithin);
}

TEST(ModelImport, ImportedPolygonsReopenAndOkWithoutEditsKeepsTheText) {
    for (const char* file : {"house.gml", "house.dae"}) {
        const Lines text = importModel(withTarget(), kData + file, at(file[6] == 'g' ? Vec3{kEast, kNorth, kHeight} : Vec3{})).text;
        const int objects = ListeAufbauen(text).ObjektAnzahl;
        for (int nr = 2; nr <= objects; ++nr) {
            const auto panel = std::get<PolygonPanel>(openForChange(text, nr));
            EXPECT_EQ(commitChange(text, nr, panel.generate(Language::German)), text) << file << " object " << nr;
        }
    }
}

TEST(ModelImport, ModelNamesAreCutToTheNameRules) {
    const testing::TempDir dir("import-names");
    const struct {
        std::string objectName, listed;
    } cases[] = {
        {"Haus_12", "Haus_12 Dach 1"},
        {"*#$Kommentar", "Kommentar Dach 1"},
        {"Ein_langer_Geb\xC3\xA4udename_aus_dem_Modell", "Ein_langer_Geb\xE4ude Dach 1"},
        {"", "Netz 1 Dach 1"},
    };
    for (const auto& c : cases) {
        const std::string obj = dir.write("n.obj", (c.objectName.empty() ? "" : "o " + c.objectName + "\n") +
                                                       "v 0 0 0\nv 0 0 1\nv 1 0 1\nf 1 2 3\n");
        const ObjectList list = ListeAufbauen(importModel(newProjectLines(), obj, {}).text);
        ASSERT_EQ(list.ObjektAnzahl, 1);
        EXPECT_EQ(list.object(1).Name, c.listed) << c.objectName;
        EXPECT_LE(list.object(1).Name.size(), 25u);
    }
}

TEST(ModelImport, RoundTripThroughGltfShadesTheSame) {
    const testing::TempDir dir("import-gltf");
    const Lines house = importModel(newProjectLines(), kData + "house.obj", {}).text;
    const Lines reference = importModel(withTarget(), kData + "house.obj", {}).text;
    for (const char* scene : {"scene.gltf", "scene.glb"}) {
        SCOPED_TRACE(scene);
        exportSceneGltf(house, "house.dat", dir.path(scene));
        const ImportResult back = importModel(withTarget(), dir.path(scene), {});
        EXPECT_EQ(back.summary.polygons, 7);
        expectSameShading(back.text, reference);
    }
    EXPECT_TRUE(std::filesystem::exists(dir.path("scene.bin")));
}

// The colours of the VRML world: target blue, steep and flat surfaces grey, the 45 degree
// roofs dark red, one material each.
TEST(ModelImport, SceneKeepsTheColoursOfTheVrmlWorld) {
    const testing::TempDir dir("import-colours");
    exportSceneGltf(importModel(withTarget(), kData + "house.obj", {}).text, "house.dat", dir.path("s.gltf"));
    const std::string json = dir.read("s.gltf");
    std::vector<std::array<double, 3>> colours;
    for (auto at = json.find("\"baseColorFactor\""); at != std::string::npos; at = json.find("\"baseColorFactor\"", at + 1)) {
        std::istringstream in(json.substr(json.find('[', at) + 1));
        std::array<double, 3> c{};
        char comma;
        in >> c[0] >> comma >> c[1] >> comma >> c[2];
        colours.push_back(c);
    }
    const std::vector<std::array<double, 3>> expected{{0, 0, 1}, {0.6, 0.6, 0.6}, {0.6, 0, 0}};
    ASSERT_EQ(colours.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(colours[i][k], expected[i][k], 1e-6) << "material " << i;
    }
}

// A table of triangles far apart, each in a plane of its own.
std::string scatteredTriangles(int count) {
    std::string obj;
    for (int i = 0; i < count; ++i) {
        const std::string z = std::to_string(i % 50), x = std::to_string(3 * (i / 50));
        obj += "v " + x + " " + z + " 0\nv " + x + " " + z + " -1\nv " + x + ".5 " + z + ".5 -1\n";
        obj += "f " + std::to_string(3 * i + 1) + " " + std::to_string(3 * i + 2) + " " + std::to_string(3 * i + 3) + "\n";
    }
    return obj;
}

TEST(ModelImport, BadModelsLeaveTheProjectUnchanged) {
    const testing::TempDir dir("import-bad");
    const std::string gml = testing::TempDir::readFile(kData + "house.gml");
    std::string dae = testing::TempDir::readFile(kData + "house.dae");
    const std::string project = dir.path("p.dat");
    saveProjectFile(project, withTarget());
    const std::string before = dir.read("p.dat");
    const struct {
        const char* what;
        std::string file, bytes, expected;
    } cases[] = {
        {"empty", "empty.gml", "", "empty"},
        {"truncated", "cut.gml", gml.substr(0, gml.size() / 2), "cut.gml"},
        {"damaged", "damaged.gml", gml.substr(0, 900) + "<<>>" + gml.substr(900), "damaged.gml"},
        {"another format", "house.gml", testing::TempDir::readFile(kData + "house.obj"), "CityGML"},
        {"binary glb", "x.glb", std::string("glTF\x02\0\0\0\xff\xff", 10), "x.glb"},
        {"unknown extension", "house.txt", gml, "txt"},
        {"no faces", "lines.obj", "v 0 0 0\nv 1 0 0\nl 1 2\n", "no faces"},
        {"over the limit", "many.obj", scatteredTriangles(10000), "10000 surfaces"},
        {"missing", "", "", "nowhere.obj"},
        // Once grew without end until memory ran out.
        {"letter in an index list", "x.dae", dae.replace(dae.find("4 1</p>"), 7, "4 1x</p>"), "x.dae:12: the index list <p>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string model = c.file.empty() ? dir.path("nowhere.obj") : dir.write(c.file, c.bytes);
        const CliResult r = runCli("import " + cliQuote(project) + " " + cliQuote(model));
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
        EXPECT_EQ(dir.read("p.dat"), before);
        std::filesystem::remove(model);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()), {}), 1);  // no temporary file left
}

TEST(ModelImport, CliPrintsTheSummaryAndWritesTheProject) {
    const testing::TempDir dir("import-cli");
    const std::string project = dir.path("p.dat");
    saveProjectFile(project, newProjectLines());
    const CliResult r = runCli("import " + cliQuote(project) + " " + cliQuote(kData + "house.gml") +
                               " --origin 389000,5819000,34 --radius 10.5 --lod 2");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ListeAufbauen(loadProjectFile(project).lines).ObjektAnzahl, 7);
    for (const char* expected : {": 1\n", ": 7\n", ": 0\n", "0.000 .. 10.000"}) {
        EXPECT_NE(r.out.find(expected), std::string::npos) << expected << " in\n" << r.out;
    }
    EXPECT_EQ(runCli("import " + cliQuote(project) + " " + cliQuote(kData + "house.gml") + " --up x").exitCode, 2);
    const CliResult scene = runCli("export-scene " + cliQuote(project) + " -o " + cliQuote(dir.path("s.glb")));
    EXPECT_EQ(scene.exitCode, 0) << scene.err;
    EXPECT_TRUE(std::filesystem::exists(dir.path("s.glb")));
}

}  // namespace
}  // namespace penumbro
