#pragma once
// Desktop entries (.desktop files): the program that a registered application starts.

#include <string>

namespace penumbro {

// The program of the Exec line of the [Desktop Entry] group: its first word, with
// the entry's quoting and escapes undone. "" when there is none.
std::string programOfDesktopEntry(const std::string& content);

// s without leading and trailing blanks, tabs and line ends.
std::string trimWhitespace(const std::string& s);

}  // namespace penumbro
