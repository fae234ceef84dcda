#pragma once
// Load, edit, save: the frame of every penumbro-cli command that changes a project.

#include "Cli.h"

#include "project/ProjectText.h"

#include <functional>
#include <string>

namespace penumbro::cli {

// Loads the project file (converting one of the previous version, with a note on
// stderr), runs edit on its lines and writes the result back atomically. When edit
// throws (InputError for a bad field or malformed text), the file stays untouched.
void editProjectFile(const std::string& path, const std::function<Lines(const Lines&)>& edit);

// The project file argument args[index], as given (paths stay in the system's own
// encoding; only texts that go into the project are converted); throws
// UsageError when it is missing.
std::string projectPathArgument(const Args& args, std::size_t index = 0);

// Parses a field given on the command line; throws InputError naming the field.
double numberField(const std::string& field, const std::string& text);
long long integerField(const std::string& field, const std::string& text);

}  // namespace penumbro::cli
