#pragma once
// Where the program keeps penumbro.ini, standard.kon and its "daten" working folder.
// Beside the program when that folder is writable (a build tree, a portable copy) and
// the program is not installed; otherwise in the user's configuration folder. Standard
// library only, so the rule can be tested without windows.

#include <string>

namespace penumbro {

// The folder for penumbro.ini, standard.kon and "daten", with a trailing '/'.
// programDir: the executable's folder (trailing '/' optional). xdgConfigHome and
// home: the environment values (may be empty). An installed program with neither
// variable set falls back to its own folder.
std::string configDirectory(const std::string& programDir, bool programDirWritable,
                            const std::string& xdgConfigHome, const std::string& home);

// The standard working folder: configDir + "daten/" when that folder exists,
// otherwise configDir itself.
std::string standardWorkingDirectory(const std::string& configDir);

// Whether programDir is the bin folder of an installation: its data lie in
// ../share/penumbro. An installed program never writes beside itself, even where it
// could (root, /usr/bin).
bool isInstalledProgramDir(const std::string& programDir);

// The same rule with the real environment and file system: tests whether programDir
// belongs to an installation or can take new files, and reads XDG_CONFIG_HOME and HOME.
std::string configDirectoryForProgram(const std::string& programDir);

// Path with exactly one trailing '/' ("" stays "").
std::string withTrailingSlash(std::string path);

}  // namespace penumbro
