#include "ui/Settings.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"


namespace penumbro::ui {

PenumbroSettings parseSettings(const std::string& bytes) {
    PenumbroSettings s;
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

std::string formatSettings(const PenumbroSettings& s) {
    return joinLines({s.browserChoice, s.browserPath, s.directoryChoice, s.otherDirectory,
                      s.language, s.preview3d});
}

PenumbroSettings readSettingsFile(const std::string& path) {
    if (!fileExists(path)) return {};
    try {
        return parseSettings(readFileBytes(path));
    } catch (const InputError&) {
        return {};
    }
}

void writeSettingsFile(const std::string& path, const PenumbroSettings& settings) {
    writeFileAtomically(path, formatSettings(settings));
}

}  // namespace penumbro::ui
