#pragma once
// Reading a mean-value file (.mit) back into its blocks for the export formats.
//
// A .mit file holds one block per simulated month ("Monat Nr. M", 24 hour lines,
// optionally a "Diffus" line), or, from a daily run, one block of 24 hour lines with
// no heading. Numbers are taken from fixed character positions, so a file written
// with the decimal comma reads the same as one written with the point.

#include "project/ErrorTexts.h"
#include "project/ProjectText.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace penumbro {

struct MitBlock {
    bool monthly = false;  // false: the heading-less block of a daily run
    int month = 1;         // 1..12; a daily block counts as month 1
    std::array<double, 24> means{};  // hourly mean shading 0..1 for hours 0..23
    bool hasDiffuse = false;
    double sky = 0.0;     // shaded share of diffuse sky radiation (only with hasDiffuse)
    double ground = 0.0;  // shaded share of ground-reflected radiation (only with hasDiffuse)
};

// Where and why the file could not be read; line is 1-based.
struct MitError {
    int line = 0;
    ErrorMessage reason;
};

struct MitContent {
    std::vector<MitBlock> blocks;  // every block read completely before the first error
    bool decimalComma = false;     // some value read carried a ","
    std::optional<MitError> error;
};

// Reads the blocks in file order and stops at the first defect: an unreadable month
// number or value, a month outside 1..12, an hourly mean outside 0..1, a block cut short by the end of the file,
// or a file holding no block at all.
MitContent readMitBlocks(const Lines& lines);

// True for an hourly mean a run can write: 0..1 (false for NaN).
bool isShadingMean(double value);

// The piece of line at the 1-based characters first..last, as far as the line reaches.
std::string mitPiece(const std::string& line, std::size_t first, std::size_t last);

}  // namespace penumbro
