#pragma once
// The "Horizont" section: up to 25 azimuth intervals, each written as
// FROM-TO=HEIGHT in degrees exactly as typed. It stands after the last object and
// before "Standort" and "Bodenreflexion".

#include "project/ProjectFormat.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace penumbro {

inline constexpr std::size_t kHorizonRows = kMaxHorizonEntries;

// One grid row: the three cell texts.
struct HorizonRow {
    std::string from;    // from-azimuth, without sign (the first "-" ends it)
    std::string to;      // to-azimuth
    std::string height;  // horizon elevation

    // The row is written: the first cell is not empty, all three read as numbers and
    // the from-azimuth carries no minus (it could not be read back).
    bool counts() const;
    std::string line() const { return from + "-" + to + "=" + height; }
    bool operator==(const HorizonRow&) const = default;
};

// Opening the panel: the rows of the section (the elevation cut to 8 characters).
// Empty without a section. Throws InputError for malformed text and for more than 25
// entries, which the panel cannot show.
std::vector<HorizonRow> readHorizon(const Lines& text);

// OK: the section is rebuilt from the counting rows in their order (rows that do
// not count are dropped); without any, the section is removed. Every line outside
// the old section is kept. Throws InputError for malformed text or more than 25 rows.
Lines writeHorizon(const Lines& text, const std::vector<HorizonRow>& rows);

// A command-line interval "FROM-TO=HEIGHT"; nothing when it does not have that shape
// or its row would not count.
std::optional<HorizonRow> horizonArgument(std::string_view text);

// The grid of the panel.
struct HorizonPanel {
    std::array<HorizonRow, kHorizonRows> rows{};

    static HorizonPanel fromRows(const std::vector<HorizonRow>& rows);
    std::vector<HorizonRow> countingRows() const;
    // Rows that hold something but will be dropped (1-based row numbers).
    std::vector<int> droppedRows() const;
};

}  // namespace penumbro
