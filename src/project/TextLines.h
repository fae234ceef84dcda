#pragma once
// Bytes to lines and back, as every line-based file of the program reads and writes them.

#include "project/ProjectText.h"

#include <string>

namespace penumbro {

// Splits raw bytes into lines at CR LF or LF (a lone CR stays in its line). A final
// line end does not start another line.
Lines splitLines(const std::string& bytes);

// Every line followed by CR LF.
std::string joinLines(const Lines& lines);

}  // namespace penumbro
