#pragma once
// Compilation of the project text into the target-frame model.

#include "engine/Model.h"
#include "project/ProjectText.h"

#include <string>

namespace penumbro {

// Parses the text into surfaces in world coordinates (with normal angles), foliage,
// horizon, site and reflectance; no frame change. fileName is used in messages only.
// Throws InputError naming the line for a text the format scan refuses (see
// project/ProjectFormat.h), a horizon entry that is not from-to=height, a foliage or
// reflectance line that is not twelve percentages 0..100, or a site line that is not
// latitude -90..90, longitude -180..180 and time correction -12..12.
CompiledModel parseProject(const Lines& text, const std::string& fileName);

// The whole compilation: parse, move into the frame of the first target, drop
// obstacles behind the target plane and clip the rest. A text without a target is
// compiled without a frame change. Throws InputError as parseProject, and when the
// first target's angles are out of range (message in Windows-1252, as shown to the user).
CompiledModel compileProject(const Lines& text, const std::string& fileName);

// Index of the first target in model.flaechen, or -1.
int firstTargetIndex(const CompiledModel& model);

}  // namespace penumbro
