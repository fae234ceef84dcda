#include "project/ProjectText.h"

#include "project/FileIo.h"
#include "project/ProjectFormat.h"

#include <algorithm>
#include <cctype>

namespace penumbro {

Lines newProjectLines() {
    return {"* ", "0", std::string(kSiteKeyword), kDefaultSite, std::string(kReflectanceKeyword), kDefaultReflectance};
}

void resetToNewProject(ProjectText& project) {
    project.daten = newProjectLines();
    project.original = project.daten;
    project.fileName = kUnnamedFile;
    project.baseName = kUnnamedBase;
}

bool textChanged(const Lines& original, const Lines& daten) {
    if (original.size() < 2) return false;
    if (original.size() != daten.size()) return true;
    return !std::equal(original.begin(), original.end(), daten.begin());
}

std::string captionFor(const std::string& path) {
    std::string stem = fileNameOf(withoutExtension(path));
    return "Penumbro - [" + stem + ".DAT]";
}

std::string baseNameFor(const std::string& path) { return withoutExtension(path); }

bool isUnnamed(const std::string& fileName) {
    std::string lower = fileName;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower == kUnnamedFile;
}

}  // namespace penumbro
