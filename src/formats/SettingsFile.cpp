#include "formats/SettingsFile.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/TextLines.h"

namespace penumbro {

SettingsFile parseSettings(const std::string& bytes) {
    SettingsFile s;
    std::array<std::string*, 6> fields = {&s.browserChoice, &s.browserPath, &s.directoryChoice,
                                          &s.otherDirectory, &s.language, &s.preview3d};
    const Lines lines = splitLines(bytes);
    for (std::size_t i = 0; i < lines.size() && i < fields.size(); ++i) {
        std::string line = lines[i];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        *fields[i] = line;
    }
    return s;
}

std::string formatSettings(const SettingsFile& s) {
    return joinLines({s.browserChoice, s.browserPath, s.directoryChoice, s.otherDirectory,
                      s.language, s.preview3d});
}

SettingsFile readSettingsFile(const std::string& path) {
    if (!fileExists(path)) return {};
    try {
        return parseSettings(readFileBytes(path));
    } catch (const InputError&) {
        return {};
    }
}

void writeSettingsFile(const std::string& path, const SettingsFile& settings) {
    writeFileAtomically(path, formatSettings(settings));
}

}  // namespace penumbro
