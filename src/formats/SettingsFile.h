#pragma once
// penumbro.ini: six values, one per line (CR LF), in a fixed order, no keys.

#include <array>
#include <string>

namespace penumbro {

inline constexpr const char* kSettingsFileName = "penumbro.ini";
inline constexpr const char* kStandardBrowser = "Standard-Browser";
inline constexpr const char* kOtherBrowser = "anderer Browser";
inline constexpr const char* kStandardDirectory = "Standard-Verzeichnis";
inline constexpr const char* kOtherDirectory = "anderes Verzeichnis";

struct SettingsFile {
    std::string browserChoice = kStandardBrowser;      // 1
    std::string browserPath;                           // 2: other browser's program
    std::string directoryChoice = kStandardDirectory;  // 3
    std::string otherDirectory;                        // 4
    std::string language;                              // 5: "d", "e" or "" (not chosen yet)
    std::string preview3d = "1";                       // 6: "1" on, "0" off

    bool operator==(const SettingsFile&) const = default;
};

// Lines in order until the end; values not present keep their defaults. CR LF or LF.
SettingsFile parseSettings(const std::string& bytes);
std::string formatSettings(const SettingsFile& settings);

// A missing or unreadable file gives the defaults.
SettingsFile readSettingsFile(const std::string& path);
// Throws InputError naming the file.
void writeSettingsFile(const std::string& path, const SettingsFile& settings);

}  // namespace penumbro
