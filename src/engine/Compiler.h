#pragma once
// Compilation of the project text into the target-frame model.

#include "engine/Model.h"
#include "project/ProjectText.h"

#include <string>

namespace penumbro {

// Largest absolute vertex coordinate a project may hold (in the project's unit).
inline constexpr double kMaxCoordinate = 1e9;

// Parses the text into surfaces in world coordinates (with normal angles), foliage,
// horizon, site and reflectance; no frame change. fileName is used in messages only.
// Throws InputError naming the line for a text that ends early, a count that is not
// an integer, more than 10000 surfaces, a vertex count outside 0..12, a coordinate
// beyond kMaxCoordinate, a foliage or reflectance percentage outside 0..100, or a site
// outside latitude -90..90, longitude -180..180, time correction -12..12. Unreadable
// coordinates, foliage, reflectance and site fields read as 0.
CompiledModel parseProject(const Lines& text, const std::string& fileName);

// The whole compilation: parse, move into the frame of the first target, drop
// obstacles behind the target plane and clip the rest. A text without a target is
// compiled without a frame change. Throws InputError as parseProject, and when the
// first target's angles are out of range (message in Windows-1252, as shown to the user).
CompiledModel compileProject(const Lines& text, const std::string& fileName);

// Index of the first target in model.flaechen, or -1.
int firstTargetIndex(const CompiledModel& model);

}  // namespace penumbro
