#pragma once
// Reading the structure of the project text without trusting it: every reader here
// stops at the end of the text and says which line it could not read.

#include "project/ProjectText.h"

#include <optional>
#include <string>
#include <string_view>

namespace penumbro {

// One surface record read from index `start` (its name line): name, optional
// "Target", optional "Belaubung" line, optional "#" parameter line, the vertex
// count 0..12 alone on its line, then that many vertex lines of three numbers,
// "#" lines among them skipped.
struct FlaechenScan {
    std::size_t naechste = 0;     // index of the line after the record
    std::size_t fehlerIndex = 0;  // 0-based index of the line that could not be read
    std::string fehler;           // empty when the record is complete
};
FlaechenScan flaecheLesen(const Lines& text, std::size_t start);

// Index of the last line equal to word.
std::optional<std::size_t> letzteZeileGleich(const Lines& text, std::string_view word);

// The site line split at blanks into latitude, longitude and time zone.
struct StandortFelder {
    double breite = 0;
    double laenge = 0;
    double zeitzone = 0;
    std::string zeitzoneText;  // the third field as written
};
std::optional<StandortFelder> standortFelder(const std::string& line);

bool beginntMit(std::string_view line, std::string_view prefix);

}  // namespace penumbro
