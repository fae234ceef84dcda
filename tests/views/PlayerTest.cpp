#include "views/Player.h"

#include "project/FileIo.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace penumbro {
namespace {

namespace fs = std::filesystem;

// Records what the opening asked of the desktop.
class FakePlatform : public PlayerPlatform {
public:
    std::string association;
    bool startWorks = true;
    bool openWorks = true;
    std::vector<std::vector<std::string>> started;  // program, then each argument
    std::vector<std::string> opened;

    std::string standardBrowser() override { return association; }
    bool starten(const std::string& program, const std::string& argument) override {
        started.push_back({program, argument});
        return startWorks;
    }
    bool oeffnen(const std::string& file) override {
        opened.push_back(file);
        return openWorks;
    }
};

fs::path tempDir(const std::string& tag) {
    const fs::path dir = fs::temp_directory_path() / ("penumbro-player-" + tag + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

void schreiben(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

TEST(PlayerOpening, ConfiguredPlayerGetsThePathAsOneArgument) {
    struct Case {
        std::string player;
        bool startWorks;
        bool openWorks;
        bool result;
        bool expectStart;
    };
    const std::string wrl = "/home/anna/Meine Projekte/Haus am See.wrl";
    const Case cases[] = {
        {"/opt/VRML Player/bin/player", true, true, true, true},
        {"/opt/VRML Player/bin/player", false, true, false, true},
        {"", true, true, true, false},
        {"", true, false, false, false},
    };
    for (const auto& c : cases) {
        FakePlatform p;
        p.startWorks = c.startWorks;
        p.openWorks = c.openWorks;
        EXPECT_EQ(vrmlOeffnen(p, c.player, wrl), c.result);
        if (c.expectStart) {
            ASSERT_EQ(p.started.size(), 1u);
            EXPECT_EQ(p.started[0], (std::vector<std::string>{c.player, wrl}));
            EXPECT_TRUE(p.opened.empty());
        } else {
            EXPECT_TRUE(p.started.empty());
            EXPECT_EQ(p.opened, std::vector<std::string>{wrl});
        }
    }
    FakePlatform p;
    p.association = "/usr/bin/viewer";
    EXPECT_EQ(StandardBrowserSuchen(p), "/usr/bin/viewer");
}

TEST(PlayerOpening, RealLaunchKeepsBlanksInOneArgument) {
    const fs::path dir = tempDir("launch");
    const fs::path script = dir / "fake player";
    const fs::path out = dir / "args.txt";
    schreiben(script, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '" + out.string() + ".tmp'\nmv '" +
                          out.string() + ".tmp' '" + out.string() + "'\n");
    fs::permissions(script, fs::perms::owner_all);
    const std::string wrl = (dir / "Haus am See; rm -rf x.wrl").string();

    XdgPlayerPlatform platform;
    ASSERT_TRUE(platform.starten(script.string(), wrl));
    // The player runs detached; wait for its answer.
    for (int i = 0; i < 200 && !fs::exists(out); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fs::exists(out));
    EXPECT_EQ(readFileBytes(out.string()), "1\n" + wrl + "\n");

    EXPECT_FALSE(platform.starten((dir / "no such player").string(), wrl));
    EXPECT_FALSE(platform.starten(dir.string(), wrl));  // a folder cannot be started
    fs::remove_all(dir);
}

TEST(PlayerOpening, BaseNameOfTheWorld) {
    struct Case {
        const char* project;
        const char* workDir;
        const char* base;
    };
    const Case cases[] = {
        {"/home/anna/Haus.dat", "/tmp/", "/home/anna/Haus"},
        {"/home/anna/Haus am See.v2.dat", "/tmp/", "/home/anna/Haus am See.v2"},
        {"unbenannt.dat", "/home/anna/Projekte/", "/home/anna/Projekte/unbenannt"},
        {"unbenannt.dat", "/home/anna/Projekte", "/home/anna/Projekte/unbenannt"},
        {"/home/anna/unbenannt.dat", "/tmp/", "/home/anna/unbenannt"},
    };
    for (const auto& c : cases) EXPECT_EQ(vrmlBasisname(c.project, c.workDir), c.base) << c.project;
}

TEST(DesktopEntry, ProgramOfTheExecLine) {
    struct Case {
        const char* content;
        const char* program;
    };
    const Case cases[] = {
        {"[Desktop Entry]\nName=Viewer\nExec=viewer %f\n", "viewer"},
        {"[Desktop Entry]\r\nExec=/usr/bin/viewer --open %U\r\n", "/usr/bin/viewer"},
        {"[Desktop Entry]\nExec = \"/opt/My Viewer/run\" %f\n", "/opt/My Viewer/run"},
        {"[Desktop Entry]\nExec=/opt/My\\sViewer/run %f\n", "/opt/My"},  // a blank splits unless quoted
        {"[Desktop Entry]\nExec=\"/opt/a\\\\\\\\b\\\\\"c\" %f\n", "/opt/a\\b\"c"},
        {"# comment\n[Desktop Action new]\nExec=wrong\n[Desktop Entry]\nTryExec=x\nExec=right %F\n", "right"},
        {"[Desktop Entry]\nExec=first\n[Desktop Action a]\nExec=second\n", "first"},
        {"[Desktop Entry]\nName=No program\n", ""},
        {"Exec=outside\n", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(programmAusDesktopEintrag(c.content), c.program) << c.content;
}

TEST(DesktopEntry, FoundInTheFirstFolderThatHasIt) {
    const fs::path dir = tempDir("apps");
    const std::string home = (dir / "home").string(), system = (dir / "system").string();
    schreiben(dir / "home" / "viewer.desktop", "[Desktop Entry]\nExec=mine\n");
    schreiben(dir / "system" / "viewer.desktop", "[Desktop Entry]\nExec=theirs\n");
    schreiben(dir / "system" / "other.desktop", "[Desktop Entry]\nExec=other\n");
    schreiben(dir / "system" / "kde" / "world.desktop", "[Desktop Entry]\nExec=kworld\n");
    struct Case {
        const char* id;
        std::string path;
    };
    const Case cases[] = {
        {"viewer.desktop", home + "/viewer.desktop"},
        {"other.desktop", system + "/other.desktop"},
        {"kde-world.desktop", system + "/kde/world.desktop"},
        {"missing.desktop", ""},
        {"", ""},
        {"../system/other.desktop", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(desktopEintragFinden(c.id, {home, system}), c.path) << c.id;
    fs::remove_all(dir);
    // A bare program name becomes its path along PATH when there is one.
    EXPECT_EQ(programmImPfad("sh").front(), '/');
    EXPECT_EQ(programmImPfad("/x/y"), "/x/y");
    EXPECT_EQ(programmImPfad("no-such-program-here"), "no-such-program-here");
}

}  // namespace
}  // namespace penumbro
