#pragma once
// The tree panel ("Generiere Baum"): its field texts, the twelve foliage spin
// edits, their check and the 60 lines.

#include "editor/panels/NumberFields.h"
#include "editor/generators/TreeGenerator.h"

#include <array>
#include <string>

namespace penumbro {

struct TreePanel {
    std::string name;           // Baumname, free text
    std::string trunkHeight;    // Edit30, >= 0
    std::string trunkDiameter;  // Edit31, >= 0
    std::string crownDiameter;  // Edit32, >= 0
    std::string x, y, z;        // Edit27..Edit29: foot point
    // jan..dez: integer percentages 0..100, January first (initially 0).
    std::array<std::string, 12> foliage{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};

    PanelCheck check(Language lang) const;
    // Throws InputError naming the first bad field.
    Tree tree(Language lang) const;
    Lines generate(Language lang) const;
};

using TreeField = NumberField<TreePanel, Tree>;
// The six numbers, in the order of the parameter line; the foliage follows them.
const std::array<TreeField, 6>& treeFields();

// Objekt_aendern for a tree whose name line "Baum" is lines[nameLine].
TreePanel treePanelFromLines(const Lines& lines, std::size_t nameLine);

}  // namespace penumbro
