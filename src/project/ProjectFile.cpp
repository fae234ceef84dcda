#include "project/ProjectFile.h"

#include "project/Encoding.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace penumbro {

Lines projectLines(const std::string& bytes, const std::string& fileName, bool* fromUtf8) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const bool marked = std::string_view(bytes).substr(0, kByteOrderMark.size()) == kByteOrderMark;
    const std::string_view body = std::string_view(bytes).substr(marked ? kByteOrderMark.size() : 0);
    if (fromUtf8) *fromUtf8 = false;
    if (!marked && !isMultiByteUtf8(body)) return splitLines(bytes);
    Lines lines = splitLines(std::string(body));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::uint32_t unheld = 0;
        auto converted = utf8ToCp1252Exact(lines[i], &unheld);
        if (!converted) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(unheld));
            throw InputError(fileName, static_cast<int>(i) + 1, {ErrorId::Utf8CharacterNotHeld, {code}});
        }
        lines[i] = std::move(*converted);
    }
    if (fromUtf8) *fromUtf8 = true;
    return lines;
}

Lines readProjectLines(const std::string& path, bool* fromUtf8) {
    return projectLines(readFileBytes(path), path, fromUtf8);
}

LoadedProject loadProjectFile(const std::string& path) {
    LoadedProject result;
    result.lines = readProjectLines(path, &result.fromUtf8);
    const ProjectScan scan = scanProject(result.lines);
    result.converted = !scan.siteKeyword || !scan.reflectanceKeyword;
    if (!scan.siteKeyword) {
        result.lines.emplace_back(kSiteKeyword);
        result.lines.emplace_back(kDefaultSite);
    }
    if (!scan.reflectanceKeyword) {
        result.lines.emplace_back(kReflectanceKeyword);
        result.lines.emplace_back(kConvertedReflectance);
    }
    return result;
}

void saveProjectFile(const std::string& path, const Lines& lines) {
    writeFileAtomically(path, joinLines(lines));
}

LoadedProject openProject(ProjectText& project, const std::string& path) {
    LoadedProject loaded = loadProjectFile(path);
    // Anything that is not a project (a picture, a letter) would otherwise pass as a
    // previous-version file, take over the caption and later the run's output names.
    const ProjectScan scan = scanProject(loaded.lines);
    if (!scan.sound()) scan.throwIfFaulty(path);
    project.daten = loaded.lines;
    project.original = loaded.lines;
    project.fileName = path;
    project.baseName = baseNameFor(path);
    return loaded;
}

void saveProjectAs(ProjectText& project, const std::string& path) {
    saveProjectFile(path, project.daten);
    project.original = project.daten;
    project.fileName = path;
    project.baseName = baseNameFor(path);
}

}  // namespace penumbro
