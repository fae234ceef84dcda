#pragma once
// The two number formats of the VRML world and its line end.

#include "project/Numbers.h"

#include <string>

namespace penumbro {

// N: fixed point with three decimals, "." as decimal sign, no padding. The minus
// follows the sign bit, so a negative zero (the third component of every point with
// y = 0) reads "-0.000".
inline std::string vrmlN(double value) { return formatFixed(value, 0, 3); }

// I: decimal digits, "-" for negatives, no padding.
inline std::string vrmlI(long long value) { return formatInt(value); }

// Every line of the world ends with CR LF.
inline void vrmlLine(std::string& out, const std::string& line) {
    out += line;
    out += "\r\n";
}

}  // namespace penumbro
