#pragma once
// Number formats of the generated surface blocks and the reading of numbers back
// from them. Every number the generators write goes through these, so a change of
// format happens in one place and the editor window and the CLI agree byte for byte.

#include "engine/Vec3.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace penumbro {

// Degrees per radian as the generators use it (angles are divided by it on input and
// multiplied by it where a radian value is written back as degrees).
inline constexpr double kDegreesPerRadian = 57.29577951308232;

// A corner in a surface's own u-v frame: u to the right, v upward, seen from the side
// the surface faces.
struct UV {
    double u = 0;
    double v = 0;
};

inline constexpr int kVertexDecimals = 6;     // vertex and corner lines
inline constexpr int kParameterDecimals = 3;  // placement and parameter lines

// The value as a line written with `decimals` decimals gives it back. The generators
// compute from these, so that a change without edits rewrites its lines unchanged.
double asWritten(double value, int decimals);
Vec3 asWritten(const Vec3& p, int decimals);
// A corner as its local line gives it back.
UV asWritten(const UV& corner);

// "x y z", each at least 8 characters wide with 6 decimals.
std::string vertexLine(const Vec3& p);
// "# u 0.000000 v" in the vertex format: a corner kept for a later change.
std::string localLine(const UV& corner);
// "# " a:4:3 "  " e:4:3 "  " p1:5:3 "  " p2:5:3 "  " p3:5:3: the placement line of a
// plain surface (azimuth, elevation, Aufpunkt) or of an overhang.
std::string placementLine(double first, double second, double p1, double p2, double p3);
// "# " followed by the values at 7:3, separated by two blanks (house and tree lines).
std::string parameterFields(const std::vector<double>& values);

// Reads `count` numbers from the start of a line: leading blanks and "#" are skipped,
// numbers are separated by blanks; anything after them is ignored. Empty when the
// line holds fewer numbers or one of them does not read.
std::optional<std::vector<double>> readLineNumbers(std::string_view line, std::size_t count);

// A number as a panel field shows it after a read-back: plain decimal notation with
// every digit needed to give the same value again (180, 12.5, 0.000001), "-0" shown
// as "0". Reading the text back and formatting it at the stored decimals therefore
// rewrites the stored text unchanged.
std::string panelNumber(double value);

}  // namespace penumbro
