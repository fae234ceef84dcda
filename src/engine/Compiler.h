#pragma once
// Compilation of the project text into the target-frame model.

#include "engine/Model.h"
#include "project/ProjectText.h"

#include <string>

namespace penumbro {

// Parses the text into surfaces in world coordinates (with normal angles), foliage,
// horizon, site and reflectance; no frame change. fileName is used in messages only.
// Throws InputError naming the line for a text that ends early, a count that is not
// an integer, more than 10000 surfaces or a vertex count outside 0..12. Unreadable
// coordinates, foliage and reflectance fields read as 0.
CompiledModel parseProject(const Lines& text, const std::string& fileName);

// The whole compilation: parse, move into the frame of the first target, drop
// obstacles behind the target plane and clip the rest. A text without a target is
// compiled without a frame change. Throws InputError as parseProject, and when the
// first target's angles are out of range (message in Windows-1252, as shown to the user).
CompiledModel compileProject(const Lines& text, const std::string& fileName);

// Index of the first target in model.flaechen, or -1.
int firstTargetIndex(const CompiledModel& model);

}  // namespace penumbro
