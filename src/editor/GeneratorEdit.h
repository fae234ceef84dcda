#pragma once
// The generator side of the editor's list operations: which panel a change opens
// and how it is filled, and what an OK does with the generated lines: add or
// insert them, or replace the object and, when a plain surface changed, regenerate
// the overhangs that hang on it so that they follow its new placement.

#include "editor/panels/HousePanel.h"
#include "editor/panels/OverhangPanel.h"
#include "editor/panels/PolygonPanel.h"
#include "editor/panels/TreePanel.h"
#include "project/ProjectText.h"

#include <variant>

namespace penumbro {

// The panel a change opens: every plain surface (a rectangle too) comes back in the
// polygon panel, an overhang in its overhang form.
using ChangePanel = std::variant<PolygonPanel, OverhangPanel, HousePanel, TreePanel>;

// Objekt_aendern: the panel of object objectNr (1-based) filled from its lines.
// Throws InputError for a missing object or lines that cannot be read back, and
// InputError naming its name line for an overhang whose number is no target's.
ChangePanel openForChange(const Lines& text, int objectNr);

// OK after add (objectNr = object count + 1) or insert (before objectNr): the lines
// become object objectNr, the count line rises by their surfaces and the overhang
// references behind the insertion move down by one.
Lines commitInsert(const Lines& text, int objectNr, const Lines& generated);

// OK after a change: the lines replace object objectNr. A plain surface that is not
// an overhang takes its overhangs along (regenerateOverhangs).
Lines commitChange(const Lines& text, int objectNr, const Lines& generated);

// Every overhang whose "$#" number is targetNr is read back and generated again on
// the target's current placement, in list order. Throws InputError when one of them
// or the target's placement line cannot be read; the text is then left as it was.
Lines regenerateOverhangs(const Lines& text, int targetNr);

}  // namespace penumbro
