#pragma once
// Named field values (FIELD=VALUE, as the command line gives them) put into the
// generator panels' field texts. Plain fields are taken as typed; the composite
// ones are split here: corners "u1,v1;u2,v2;..." fill the corner count and grid and
// confirm it, an overhang's uv-rectangle "LU,LV,U,V" fills its u-v rectangle form
// and from it the four corners, foliage "p1,...,p12" fills the twelve month fields, a target flag is
// "0" or "1". The panels' own checks then decide, exactly as for the window.

#include "editor/panels/HousePanel.h"
#include "editor/panels/OverhangPanel.h"
#include "editor/panels/PolygonPanel.h"
#include "editor/panels/RectanglePanel.h"
#include "editor/panels/TreePanel.h"

#include <string>
#include <utility>
#include <vector>

namespace penumbro {

using FieldValues = std::vector<std::pair<std::string, std::string>>;  // field, value

// The field names each panel takes, in the panel's order. The overhang's "target"
// (the target's object number) is the target chooser's business, not the panel's.
const std::vector<std::string>& rectangleFieldNames();
const std::vector<std::string>& polygonFieldNames();
const std::vector<std::string>& overhangFieldNames();  // without "target"
const std::vector<std::string>& houseFieldNames();
const std::vector<std::string>& treeFieldNames();

// Each throws InputError "field: what is wrong" for a value that cannot fill its
// field (an unknown field name, a malformed corner list or foliage list, a target
// flag other than 0 or 1, an unreadable corner cell).
void applyFields(RectanglePanel& panel, const FieldValues& values, Language lang);
void applyFields(PolygonPanel& panel, const FieldValues& values, Language lang);
void applyFields(OverhangPanel& panel, const FieldValues& values, Language lang);
void applyFields(HousePanel& panel, const FieldValues& values, Language lang);
void applyFields(TreePanel& panel, const FieldValues& values, Language lang);

// "u1,v1;u2,v2;..." as grid rows (each cell as written). Throws InputError naming
// "corners" when a corner is not two values separated by one comma.
std::vector<CornerRow> parseCornerList(const std::string& text);

}  // namespace penumbro
