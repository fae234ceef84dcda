#pragma once
// The comment block at the head of the project text ("* " lines).

#include "project/ProjectText.h"

namespace penumbro {

// Commits the comment memo: memo lines up to the last non-empty one, each "* " +
// line cut to 79 characters (at least one line "* "), then every text line that
// does not start with "*".
Lines KommentarExit(const Lines& text, const Lines& memo);

}  // namespace penumbro
