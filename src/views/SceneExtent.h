#pragma once
// The scene extent pre-pass shared by the VRML world and the 3D preview. It reads
// the project text as the editor writes it (not the compiled model), so both views
// scale their ground, horizon and viewpoints alike.

#include "project/ProjectText.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace penumbro {

struct SceneExtent {
    // Largest absolute x, y or z of any surface vertex (horizon lines excluded), never
    // below 1.0. Same unit as the project's coordinates.
    double ausdehnung = 1.0;
    // False when the surface count line holds 0 or less.
    bool hatObjekte = false;
};

// Up to ten numbers of one line.
using Zahlen = std::array<double, 10>;

// Splits line into numbers separated by blanks, stores them into zahlen from index 0
// and returns how many it found (at most ten). A field that is not a number reads as
// 0; entries beyond the returned count keep their previous values.
std::size_t ZahlenZerlegen(std::string_view line, Zahlen& zahlen);

// ZahlenZerlegen for a line of the text (index 0-based) whose numbers are drawn:
// one beyond kMaxCoordinate (engine/Compiler.h) throws InputError naming line
// index + 1, since its scaled and rotated copies overflow.
std::size_t ZahlenPruefen(std::string_view line, Zahlen& zahlen, std::size_t index,
                         const std::string& fileName);

// The extent pre-pass. Objects are told by the name line of their first surface:
// "Baum" (tree, seven surfaces), "Frontseite" (house, seven surfaces), anything else
// one plain surface with its local lines and placement line (the editor's layout).
// fileName is used in messages only. Throws InputError naming the 1-based line when
// a count line is not an integer, a vertex count lies outside 0..12, the text ends
// inside a surface, or a vertex, parameter, local or placement line holds a number
// beyond kMaxCoordinate.
SceneExtent SzenenAusdehnung(const Lines& text, const std::string& fileName = {});

// Reads the integer of a count line (surface or vertex count), blanks around it
// allowed. index is 0-based; throws InputError naming line index + 1 otherwise.
long long ZaehlerLesen(const Lines& text, std::size_t index, const std::string& fileName,
                       const char* what);

}  // namespace penumbro
