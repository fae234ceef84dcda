#pragma once
// The polygon panel ("Generiere n-Eck"), through which every plain surface is also
// changed: its field texts, the corner grid, their check and the surface block.

#include "editor/panels/PanelCheck.h"
#include "editor/generators/PolygonGenerator.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace penumbro {

// One row of the corner grid StringGrid1 (rows 1..n of the window's grid).
struct CornerRow {
    std::string u;
    std::string v;
};

// "Ecke i" / "Corner i": the first cell of grid row i.
std::string cornerLabel(std::size_t i, Language lang);

// Reads the grid's first n rows as corners; empty when a cell does not read.
std::optional<std::vector<UV>> readCornerGrid(const std::vector<CornerRow>& grid, std::size_t n);

// Grid rows showing the corners as a read-back fills them.
std::vector<CornerRow> cornerRows(const std::vector<UV>& corners);

// The corner count field Edit12 with the grid StringGrid1 it governs (shared by the
// polygon panel and the overhang form).
struct CornerGrid {
    std::string count;            // Edit12: corner count, 3..12 (change it through setCount)
    std::vector<CornerRow> rows;  // rows 1..n
    bool confirmed = false;       // P_Btn (or the u-v rectangle form) succeeded since the count changed

    // Edit12 changed: the grid must be confirmed again.
    void setCount(std::string text);
    // The corner count when Edit12 holds an integer 3..12.
    std::optional<std::size_t> cornerCount() const;
    // Button5 ("Eckpunkte im u-v-System festlegen") is enabled.
    bool buttonEnabled() const { return cornerCount().has_value(); }
    // Button5: the grid gets n rows (cells of existing rows kept), to be confirmed again.
    void open();
    // P_Btn: every cell of rows 1..n must read as a number; otherwise the message to
    // show (the grid stays open, nothing confirmed).
    std::optional<std::string> confirm(Language lang);
    // Adds the problem of the count or an unconfirmed grid to a check.
    void check(PanelCheck& c, Language lang) const;
    // The corners of a confirmed grid; throws InputError naming "corners" otherwise.
    std::vector<UV> corners(Language lang) const;
    // Filled with corners, confirmed (a read-back, the u-v rectangle form).
    void fill(const std::vector<UV>& corners);
};

struct PolygonPanel {
    std::string name;              // Edit11
    CornerGrid corners;            // Edit12 and StringGrid1
    bool target = false;           // CheckBox2
    std::string azimuth = "0";     // Edit16: 0..360
    std::string elevation = "0";   // Edit17: -90..90
    std::string x, y, z;           // Edit18..Edit20: Aufpunkt

    PanelCheck check(Language lang) const;

    // Throws InputError naming the first bad field.
    PlainSurface surface(Language lang) const;
    Lines generate(Language lang) const;

    // The panel as a change opens it: fields filled from the surface, grid confirmed.
    static PolygonPanel fromSurface(const PlainSurface& surface);
};

// Objekt_aendern for a plain surface: the panel filled from the lines of the surface
// whose name line is lines[nameLine]. Throws InputError naming a malformed line.
PolygonPanel polygonPanelFromLines(const Lines& lines, std::size_t nameLine);

}  // namespace penumbro
