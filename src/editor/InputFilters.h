#pragma once
// Key filters of the number fields and the range rule of the spin edits.

#include "project/Language.h"

#include <optional>
#include <string>
#include <string_view>

namespace penumbro {

// Key filters: the character to pass on, or nothing when it is discarded (the field
// then shows that it refused a key). Decimal fields: backspace, digits, "-", "+", ".",
// and the exponent's "e"/"E" pass, so "1e12" reaches the field's check and is refused
// there with its reason instead of becoming "112"; "," passes as ".".
std::optional<char> Kommazahl_eingeben(char key);
// Integer fields: backspace and digits.
std::optional<char> Ganzzahl_eingeben(char key);

// Spin edits on leaving the field: the text as a number, limited to
// [minValue, maxValue] unless both are equal (then unlimited). Out of range: the
// nearer bound and the message; not a number: the previous value and the message.
inline constexpr const char* kInvalidInput = "Ung\xFCltige Eingabe !";
template <class T>
struct SpinEditResult {
    T value = 0;
    bool invalid = false;  // show kInvalidInput and select the text
};
SpinEditResult<double> checkSpinEdit(std::string_view text, double minValue, double maxValue, double previous);
// The integer spin edit: the same rule for whole numbers.
SpinEditResult<int> checkSpinEditInt(std::string_view text, int minValue, int maxValue, int previous);
// "0 bis 100" / "0 to 100".
std::string rangeText(double low, double high, Language lang);
// A typed value a field refused, with what it takes:
// "Stopmonat: \"13\" abgelehnt, erlaubt: 1 bis 12".
std::string refusedValueMessage(const std::string& field, const std::string& typed, double low, double high,
                                Language lang);
// The spin edits' refusal: kInvalidInput (English "Invalid input !") and, for a limited
// one, the range it takes ("Ung\xFCltige Eingabe ! Erlaubt: 0 bis 100").
std::string invalidInputMessage(double minValue, double maxValue, Language lang);

// Dragging the angle controls; dx, dy: the mouse from the control's centre in pixels,
// dy positive upward. The compass gives the azimuth clockwise from the top, 0..360.
double compassDragPosition(double dx, double dy);
// The tilt control's elevation -90..90: the left half gives the arrow's angle above
// the horizontal, the right half snaps to +90 (upper) or -90 (lower).
double tiltDragPosition(double dx, double dy);

}  // namespace penumbro
