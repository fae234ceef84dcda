#pragma once
// The targets' plane: where each target stands and whether all of them face one way.

#include "editor/generators/Placement.h"
#include "project/ProjectText.h"

namespace penumbro {

// The placement of plain object targetNumber (its placement line). Throws
// InputError naming the "target" field when the object is missing or not a plain
// surface, and naming the line when it has no readable placement line.
Placement targetPlacementOf(const Lines& text, int targetNumber);

// 0: no target; 2: some target's azimuth or elevation (from its placement line)
// differs from the first target's; 1 otherwise. Throws InputError for malformed
// text or a target whose placement line cannot be read.
int TargetflaechenPruefen(const Lines& text);

}  // namespace penumbro
