#pragma once
// A city block of a given number of surfaces for the benchmarks: a collector tilted
// toward the south on a roof in the middle, houses in a grid of streets around it
// (nearest lots first), a tree and a garden wall on every lot, and further walls to
// reach the count exactly.

#include "project/ProjectText.h"

namespace penumbro::bench {

// The project text of a block with `surfaces` surfaces (at least 1: the collector;
// at most the project's limit of 10000). The same variant gives the same block.
Lines cityBlock(int surfaces, unsigned variant = 1);

}  // namespace penumbro::bench
