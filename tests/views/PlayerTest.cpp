#include "views/Player.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace penumbro {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// Records what the opening asked of the desktop.
struct FakePlatform : PlayerPlatform {
    bool works = true;
    std::vector<std::string> started, opened;  // "program|argument", file
    std::string standardBrowser() override { return "/usr/bin/viewer"; }
    bool startProgram(const std::string& program, const std::string& argument) override {
        started.push_back(program + "|" + argument);
        return works;
    }
    bool openFile(const std::string& file) override {
        opened.push_back(file);
        return works;
    }
};

TEST(PlayerOpening, ConfiguredPlayerElseTheDesktop) {
    const std::string wrl = "/home/anna/Meine Projekte/Haus am See.wrl";
    for (bool works : {true, false}) {
        FakePlatform p;
        p.works = works;
        EXPECT_EQ(openVrmlWorld(p, "/opt/VRML Player/run", wrl), works);
        EXPECT_EQ(openVrmlWorld(p, "", wrl), works);
        EXPECT_EQ(p.started, std::vector<std::string>{"/opt/VRML Player/run|" + wrl});
        EXPECT_EQ(p.opened, std::vector<std::string>{wrl});
    }
    // The world is named after the project, beside it unless it is still untitled.
    EXPECT_EQ(vrmlBaseName("/home/anna/Haus am See.v2.dat", "/tmp/"), "/home/anna/Haus am See.v2");
    EXPECT_EQ(vrmlBaseName("unbenannt.dat", "/home/anna/Projekte"), "/home/anna/Projekte/unbenannt");
}

TEST(PlayerOpening, RealLaunchKeepsBlanksInOneArgument) {
    TempDir dir("player");
    const std::string out = dir.path("args.txt");
    const std::string script = dir.write("fake player", "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '" + out +
                                                            ".tmp'\nmv '" + out + ".tmp' '" + out + "'\n");
    fs::permissions(script, fs::perms::owner_all);
    const std::string wrl = dir.path("Haus am See; rm -rf x.wrl");
    XdgPlayerPlatform platform;
    ASSERT_TRUE(platform.startProgram(script, wrl));
    // The player runs detached; wait for its answer.
    for (int i = 0; i < 200 && !fs::exists(out); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(TempDir::readFile(out), "1\n" + wrl + "\n");
    EXPECT_FALSE(platform.startProgram(dir.path("no such player"), wrl));
    EXPECT_FALSE(platform.startProgram(dir.dir().string(), wrl));  // a folder cannot be started
}

}  // namespace
}  // namespace penumbro
