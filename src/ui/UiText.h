#pragma once
// Text pairs and conversions between the program's Windows-1252 texts, file paths
// and QString.

#include "project/Language.h"

#include <QString>

#include <exception>
#include <string>

namespace penumbro::ui {

// One text in both languages, as Windows-1252 bytes.
struct Tx {
    const char* de;
    const char* en;
};

// The Windows-1252 text for the language; "\r" becomes a line break.
QString tx(const Tx& text, Language language);
// Windows-1252 bytes as QString (no line-break translation).
QString fromCp1252(const std::string& bytes);
std::string toCp1252(const QString& text);
// File system paths are the platform's bytes (UTF-8 here).
QString fromPath(const std::string& path);
std::string toPath(const QString& path);

// A core message (paths in UTF-8, project texts in Windows-1252): UTF-8 when it is
// valid UTF-8, Windows-1252 otherwise.
QString fromMessage(const std::string& text);
// An error for a message box: an InputError in the language, anything else as it is.
QString errorMessage(const std::exception& error, Language language);

}  // namespace penumbro::ui
