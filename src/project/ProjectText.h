#pragma once
// The project: an ordered list of lines of single-byte (Windows-1252) text. There
// is no other model of the scene; the editor rewrites lines, the compiler parses
// them before every run, the views read them.

#include <string>
#include <vector>

namespace penumbro {

using Lines = std::vector<std::string>;

inline constexpr const char* kUnnamedFile = "unbenannt.dat";
inline constexpr const char* kUnnamedBase = "unbenannt";
inline constexpr const char* kDefaultSite = "51.0 -8.0 -1.0";
inline constexpr const char* kDefaultReflectance = " 40 40 30 20 20 20 20 20 20 20 30 40";
// Appended by the previous-version conversion; reads as the same twelve values.
inline constexpr const char* kConvertedReflectance = "40 40 30 20 20 20 20 20 20 20 30 40";

// The holder of the text and its saved copy (the data sheet's lists).
struct ProjectText {
    Lines daten;     // the project text every reader and writer works on
    Lines original;  // as last loaded, saved or set up; the change check compares against it
    std::string fileName = kUnnamedFile;  // full path of the .dat file
    std::string baseName = kUnnamedBase;  // path without extension: the stem of output names
};

// The six lines of a new project.
Lines newProjectLines();

// Resets the holder to a new, unnamed project whose saved copy equals the text.
void resetToNewProject(ProjectText& project);

// True when the text differs from the saved copy: any line of the saved copy that
// differs (a missing line reads as empty) or any difference in length. A saved copy
// of fewer than two lines (nothing set up yet) never counts as changed.
bool textChanged(const Lines& original, const Lines& daten);

// "Penumbro - [NAME.DAT]" for a project path.
std::string captionFor(const std::string& path);
// Directory + file name without its extension.
std::string baseNameFor(const std::string& path);

// True for the default file name (compared in lower case), which Save turns into Save As.
bool isUnnamed(const std::string& fileName);

}  // namespace penumbro
