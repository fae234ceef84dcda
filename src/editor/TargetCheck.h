#pragma once
// The targets' plane: where each target stands and whether all of them face one way.

#include "editor/generators/Placement.h"
#include "project/InputError.h"
#include "project/ProjectText.h"

#include <optional>

namespace penumbro {

// The placement of plain object targetNumber (its placement line). Throws
// InputError naming the "target" field when the object is missing or not a plain
// surface, and naming the line when it has no readable placement line.
Placement targetPlacementOf(const Lines& text, int targetNumber);

// 0: no target; 2: some target's azimuth or elevation (from its placement line)
// differs from the first target's; 1 otherwise. Throws InputError for malformed
// text or a target whose placement line cannot be read.
int TargetflaechenPruefen(const Lines& text);

// Whether the project can be simulated, as far as its targets go.
enum class TargetStatus {
    NoTarget,      // nothing to simulate
    OnePlane,      // every target faces the first target's way
    PlanesDiffer,  // some target's azimuth or elevation differs from the first's
    Unreadable,    // the text cannot be read as a list of objects: error says why
};
struct TargetCheckResult {
    TargetStatus status = TargetStatus::OnePlane;
    std::optional<InputError> error;  // with Unreadable
};

// The check before a run. Targets typed in by hand may lack the placement line the
// plane test reads; then only their count decides and the run makes its own checks.
TargetCheckResult checkTargets(const Lines& text);

}  // namespace penumbro
