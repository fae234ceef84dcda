#pragma once
// User texts that more than one part of the program shows: the window, the command
// line and the core raise them alike. Windows-1252 bytes.

#include "project/Language.h"

#include <array>

namespace penumbro {

// The month-name table, January first.
const std::array<const char*, 12>& monthNames(Language language);

// German notice shown (one OK button) after a file of the previous version was
// converted; German in both languages. "\r" marks a line break.
extern const char* const kPreviousVersionNotice;
// The same fact as one line for the command line, after the file's name and ": ".
extern const char* const kPreviousVersionNote;

// A run or mode switch refused for a project without a target surface.
const char* noTargetMessage(Language language);

}  // namespace penumbro
