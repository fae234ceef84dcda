#pragma once
// Locale-independent number reading and writing. The project text and the output
// files always use fixed formats (point as decimal sign unless a caller swaps it),
// whatever the user's locale, so nothing here goes through printf or streams.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace penumbro {

// Parses a whole field as a decimal integer (optional sign, no blanks around).
std::optional<long long> parseInteger(std::string_view text);
// Parses a whole field as a decimal number with "." (optional sign, exponent allowed).
std::optional<double> parseNumber(std::string_view text);

// Integer field n:w: right-aligned in width characters, wider when needed.
std::string formatInt(long long value, int width = 0);
// Real field x:w:d: fixed with decimals digits, right-aligned in width characters.
// decimalComma replaces the decimal point by ",". A negative value keeps its minus
// even when it rounds to zero (as does a negative zero).
std::string formatFixed(double value, int width, int decimals, bool decimalComma = false);

// Blanks removed at both ends (only ' ').
std::string_view trimBlanks(std::string_view text);

// The fields of a line separated by blanks and tabs (none for an empty line).
std::vector<std::string> blankSeparatedFields(const std::string& line);

}  // namespace penumbro
