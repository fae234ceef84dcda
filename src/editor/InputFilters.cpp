#include "editor/InputFilters.h"

#include "project/Numbers.h"

#include <limits>

namespace penumbro {

std::optional<char> Kommazahl_eingeben(char key) {
    if (key == '\b' || (key >= '0' && key <= '9') || key == '-' || key == '.') return key;
    if (key == ',') return '.';
    return std::nullopt;
}

std::optional<char> Ganzzahl_eingeben(char key) {
    if (key == '\b' || (key >= '0' && key <= '9')) return key;
    return std::nullopt;
}

SpinEditResult<double> checkSpinEdit(std::string_view text, double minValue, double maxValue, double previous) {
    const auto value = parseNumber(trimBlanks(text));
    if (!value) return {previous, true};
    if (minValue != maxValue) {
        if (*value < minValue) return {minValue, true};
        if (*value > maxValue) return {maxValue, true};
    }
    return {*value, false};
}

SpinEditResult<int> checkSpinEditInt(std::string_view text, int minValue, int maxValue, int previous) {
    const auto value = parseInteger(trimBlanks(text));
    if (!value) return {previous, true};
    if (minValue != maxValue) {
        if (*value < minValue) return {minValue, true};
        if (*value > maxValue) return {maxValue, true};
    } else if (*value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max()) {
        return {previous, true};
    }
    return {static_cast<int>(*value), false};
}

}  // namespace penumbro
