#include "project/ConfigPaths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace penumbro {

std::string withTrailingSlash(std::string path) {
    if (path.empty()) return path;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    if (path != "/") path += '/';
    return path;
}

std::string configDirectory(const std::string& programDir, bool programDirWritable,
                            const std::string& xdgConfigHome, const std::string& home) {
    if (programDirWritable) return withTrailingSlash(programDir);
    // XDG: a relative XDG_CONFIG_HOME is invalid and must be ignored.
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/')
        return withTrailingSlash(xdgConfigHome) + "penumbro/";
    if (!home.empty()) return withTrailingSlash(home) + ".config/penumbro/";
    return withTrailingSlash(programDir);
}

std::string standardWorkingDirectory(const std::string& configDir) {
    const std::string dir = withTrailingSlash(configDir);
    std::error_code ec;
    if (std::filesystem::is_directory(dir + "daten", ec)) return dir + "daten/";
    return dir;
}

namespace {

// Writable means a new file can be created there, which is what penumbro.ini and
// standard.kon need; a probe file tells the truth where permission bits may not.
bool canCreateFilesIn(const std::string& dir) {
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) return false;
    std::random_device rd;
    const std::string probe = withTrailingSlash(dir) + ".penumbro-probe-" + std::to_string(rd());
    {
        std::ofstream out(probe);
        if (!out) return false;
    }
    std::filesystem::remove(probe, ec);
    return true;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

bool isInstalledProgramDir(const std::string& programDir) {
    std::error_code ec;
    return std::filesystem::is_directory(withTrailingSlash(programDir) + "../share/penumbro", ec);
}

std::string configDirectoryForProgram(const std::string& programDir) {
    const bool portable = !isInstalledProgramDir(programDir) && canCreateFilesIn(programDir);
    return configDirectory(programDir, portable, environment("XDG_CONFIG_HOME"), environment("HOME"));
}

}  // namespace penumbro
