#include "ui/Settings.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"

#include <algorithm>
#include <cctype>

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

std::string programOfCommand(const std::string& command) {
    std::string lower = command;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.find(".exe") != std::string::npos) {
        std::string bare;
        for (char c : command)
            if (c != '"') bare += c;
        std::string bareLower = bare;
        std::transform(bareLower.begin(), bareLower.end(), bareLower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return bare.substr(0, bareLower.find(".exe") + 4);
    }
    std::size_t start = command.find_first_not_of(" \t");
    if (start == std::string::npos) return {};
    if (command[start] == '"') {
        std::size_t end = command.find('"', start + 1);
        return command.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
    }
    std::size_t end = command.find_first_of(" \t", start);
    return command.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace penumbro::ui
