// A real VRML reader loads the worlds we write: tovrmlx3d prints warnings on stderr
// (and still exits 0), so a clean stderr is the test.

#include "views/Player.h"
#include "views/VrmlTexts.h"
#include "views/VrmlWriter.h"

#include "VrmlTestSupport.h"
#include "cli/RunCli.h"
#include "editor/HouseGenerator.h"
#include "editor/OverhangGenerator.h"
#include "editor/PolygonGenerator.h"
#include "editor/TreeGenerator.h"
#include "project/ProjectFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

namespace penumbro {
namespace {

namespace fs = std::filesystem;
using namespace vrmltest;

// What tovrmlx3d printed on stderr for the world; nullopt-like "?" when it did not run.
std::string leserMeldungen(const std::string& reader, const fs::path& wrl) {
    const fs::path err = wrl.string() + ".stderr";
    const std::string command = cliQuote(reader) + " " + cliQuote(wrl.string()) + " >/dev/null 2>" +
                                cliQuote(err.string()) + " </dev/null";
    if (std::system(command.c_str()) != 0) return "? " + reader + " failed to run";
    return cliReadFile(err);
}

Lines sammlung() {
    PlainSurface collector;
    collector.name = "S\xFC" "dfl\xE4" "che \"Dach\"";
    collector.target = true;
    collector.corners = rectangleCorners(4, 3, 0, 0);
    collector.placement = {180, 45, {12, 12, 5}};
    PlainSurface wall;
    wall.name = "Nachbarwand";
    for (int k = 0; k < 12; ++k) {
        const double a = k * std::numbers::pi / 6;
        wall.corners.push_back({10 + 8 * std::cos(a), 5 + 4 * std::sin(a)});
    }
    wall.placement = {0, 0, {0, 30, 0}};
    PlainSurface roof;
    roof.name = "Vordach schr\xE4g";
    roof.corners = {{0, 0}, {6, 0}, {6, 2}, {4, 3}, {2, 3}, {0, 2}};
    roof.placement = {90, 35, {-8, 2, 3}};
    Overhang overhang;
    overhang.name = "Blende";
    overhang.targetNumber = 1;
    overhang.corners = rectangleCorners(4, 1, 0, 3);
    overhang.elevationDifference = -90;
    House house;
    house.name = "Nachbar";
    house.ewWidth = 13;
    house.nsWidth = 5;
    house.height = 7;
    house.roof = 3;
    house.rotation = 30;
    house.shift = {20, 5, 0};
    Tree tree;
    tree.name = "Linde";
    tree.trunkHeight = 3;
    tree.trunkDiameter = 0.4;
    tree.crownDiameter = 4;
    tree.foot = {-5, 15, 0};
    tree.foliage = {0, 0, 20, 60, 100, 100, 100, 100, 100, 80, 40, 0};

    Lines objects;
    for (const Lines& part : {generatePlainSurface(collector),
                              generateOverhang(overhang, collector.placement), generatePlainSurface(wall),
                              generatePlainSurface(roof), generateHouse(house), generateTree(tree)}) {
        objects.insert(objects.end(), part.begin(), part.end());
    }
    return projekt(18, objects, {"0-90=10", "90-180=90", "180-200=0", "270-360=5.5"});
}

TEST(VrmlReader, ReadsEveryWorldWithoutWarnings) {
    const std::string reader = programOnPath("tovrmlx3d");
    if (reader.front() != '/') GTEST_SKIP() << "tovrmlx3d is not on PATH";
    const fs::path dir = cliTempDir("vrml-reader");

    struct Welt {
        std::string name;
        Lines text;
    };
    std::vector<Welt> welten = {
        {"leer", projekt(0, {})},
        {"leer mit Horizont", projekt(0, {}, {"0-360=15"})},
        {"Sammlung", sammlung()},
        {"Haus", projekt(7, beispielHaus())},
    };
    const fs::path examples = fs::path(PENUMBRO_SOURCE_DIR) / "examples";
    if (fs::is_directory(examples)) {
        for (const auto& entry : fs::directory_iterator(examples)) {
            if (entry.path().extension() != ".dat") continue;
            welten.push_back({entry.path().stem().string(), loadProjectFile(entry.path().string()).lines});
        }
    }
    for (const auto& w : welten) {
        for (Language language : {Language::German, Language::English}) {
            SCOPED_TRACE(w.name);
            const fs::path wrl = dir / (w.name + (language == Language::German ? "_d" : "_e") + ".wrl");
            vrmlDateiSchreibenNach(w.text, wrl.string(), vrmlTexte(language), w.name);
            EXPECT_EQ(leserMeldungen(reader, wrl), "");
        }
    }

    // The check itself sees a reader's warning: a font style at the top level.
    const fs::path bad = dir / "top level font.wrl";
    std::ofstream(bad, std::ios::binary)
        << "#VRML V2.0 utf8\r\nDEF Schriftart FontStyle{\r\n  family \"SANS\"\r\n}\r\n";
    EXPECT_NE(leserMeldungen(reader, bad), "");
    fs::remove_all(dir);
}

}  // namespace
}  // namespace penumbro
