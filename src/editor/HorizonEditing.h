#pragma once
// The "Horizont" section: up to 25 azimuth intervals, each written as
// FROM-TO=HEIGHT in degrees exactly as typed. It stands after the last object and
// before "Standort" and "Bodenreflexion".

#include "project/Language.h"
#include "project/ProjectText.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace penumbro {

inline constexpr int kHorizontZeilen = 25;

// One grid row: the three cell texts.
struct HorizontZeile {
    std::string von;    // from-azimuth, without sign (the first "-" ends it)
    std::string bis;    // to-azimuth
    std::string hoehe;  // horizon elevation

    // The row is written: the first cell is not empty, all three read as numbers and
    // the from-azimuth carries no minus (it could not be read back).
    bool zaehlt() const;
    std::string zeile() const { return von + "-" + bis + "=" + hoehe; }
    bool operator==(const HorizontZeile&) const = default;
};

// Opening the panel: the rows of the section (at most 25; the elevation cut to 8
// characters). Empty without a section. Throws InputError for malformed text.
std::vector<HorizontZeile> horizontLesen(const Lines& text);

// OK: the section is rebuilt from the counting rows in their order (rows that do
// not count are dropped); without any, the section is removed. Every line outside
// the old section is kept. Throws InputError for malformed text or more than 25 rows.
Lines horizontSchreiben(const Lines& text, const std::vector<HorizontZeile>& zeilen);

// A command-line interval "FROM-TO=HEIGHT"; nothing when it does not have that shape
// or its row would not count.
std::optional<HorizontZeile> horizontArgument(std::string_view text);

// The grid of the panel.
struct HorizontPanel {
    std::array<HorizontZeile, kHorizontZeilen> zeilen{};

    static HorizontPanel aus(const std::vector<HorizontZeile>& zeilen);
    std::vector<HorizontZeile> zaehlendeZeilen() const;
    // Rows that hold something but will be dropped (1-based row numbers).
    std::vector<int> verworfeneZeilen() const;
};

}  // namespace penumbro
