#pragma once
// The project file on disk (.dat): its bytes read into lines, loaded (a file of the
// previous version converted), saved whole or not at all.

#include "project/ProjectText.h"
#include "project/TextLines.h"

#include <string>

namespace penumbro {

struct LoadedProject {
    Lines lines;
    bool converted = false;  // site or ground-reflection section was missing and appended
    bool fromUtf8 = false;   // the file was UTF-8 and has been converted (warn once)
};

// The lines of a project file's bytes. A text saved as UTF-8 (a byte-order mark, or
// well-formed UTF-8 with multi-byte sequences) is converted to the project's
// Windows-1252 and *fromUtf8 set; a character Windows-1252 cannot hold throws
// InputError naming fileName and its line. Anything else is taken byte for byte.
Lines projectLines(const std::string& bytes, const std::string& fileName, bool* fromUtf8 = nullptr);
// projectLines of the file at path (InputError for an unreadable one).
Lines readProjectLines(const std::string& path, bool* fromUtf8 = nullptr);

// Loads a project file and converts one of the previous version. Throws InputError.
LoadedProject loadProjectFile(const std::string& path);

// Writes the lines with CR LF through a temporary file. Throws InputError.
void saveProjectFile(const std::string& path, const Lines& lines);

// Loads path into the holder: text, saved copy, file and base name. A text that
// does not read as a project (after the conversion) throws InputError naming the
// file and line, and the holder stays as it was.
LoadedProject openProject(ProjectText& project, const std::string& path);
// Saves the holder's text to path and makes it the saved copy and the project's name.
void saveProjectAs(ProjectText& project, const std::string& path);

}  // namespace penumbro
