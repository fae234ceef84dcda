#pragma once
// Opening the VRML world in a player. The desktop's side (which program is
// associated with VRML worlds, starting a program, opening a file with its default
// application) sits behind PlayerPlatform: the desktop program's windows provide it,
// tests script it.

#include "formats/DesktopEntry.h"
#include "project/Language.h"

#include <string>
#include <vector>

namespace penumbro {

class PlayerPlatform {
public:
    virtual ~PlayerPlatform() = default;
    // The program associated with VRML worlds, or "" when there is none.
    virtual std::string standardBrowser() = 0;
    // Starts program with exactly one argument and does not wait for it. False when
    // the program cannot be started.
    virtual bool startProgram(const std::string& program, const std::string& argument) = 0;
    // Opens file with the desktop's default application. False when that fails.
    virtual bool openFile(const std::string& file) = 0;
};

// This desktop: the association of the type model/vrml ("xdg-mime query default"),
// the program of that desktop entry's Exec line, and "xdg-open" for opening. Programs
// are started without a shell, so paths with blanks stay one argument.
class XdgPlayerPlatform : public PlayerPlatform {
public:
    std::string standardBrowser() override;
    bool startProgram(const std::string& program, const std::string& argument) override;
    bool openFile(const std::string& file) override;
};

// The registered player, as the settings window proposes it.
std::string StandardBrowserSuchen(PlayerPlatform& platform);

// Opens the world: a configured player (vrmlPlayer not empty) gets the path as its one
// argument; otherwise the desktop's default application opens it. False on failure;
// the caller then shows noPlayerMessage.
bool openVrmlWorld(PlayerPlatform& platform, const std::string& vrmlPlayer, const std::string& wrlPath);

// The message shown when no player could be started; "\r" is a line break.
std::string noPlayerMessage(Language language);

// The base name of the world for a project file: its path without extension, or, for a
// project not yet saved, workingDirectory (ending with a separator) + "unbenannt".
std::string vrmlBaseName(const std::string& projectFileName, const std::string& workingDirectory);

// Desktop entries, exposed for tests.
// Folders searched for desktop entries, most important first: $XDG_DATA_HOME (or
// ~/.local/share) and $XDG_DATA_DIRS (or /usr/local/share:/usr/share), each + "/applications".
std::vector<std::string> applicationFolders();
// The path of desktop entry id in the first folder that has it ("" when none); an id
// "a-b.desktop" is also looked for as "a/b.desktop".
std::string findDesktopEntry(const std::string& id, const std::vector<std::string>& folders);
// program unchanged when it holds a "/"; otherwise its full path found along PATH,
// or program unchanged when it is not found.
std::string programOnPath(const std::string& program);

}  // namespace penumbro
