#include "editor/InputFilters.h"

#include "project/Numbers.h"

#include <cmath>
#include <limits>

namespace penumbro {

std::optional<char> Kommazahl_eingeben(char key) {
    if (key == '\b' || (key >= '0' && key <= '9') || key == '-' || key == '+' || key == '.' || key == 'e' ||
        key == 'E')
        return key;
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

namespace {

std::string boundText(double v) {
    const double whole = std::round(v);
    return whole == v && std::fabs(v) < 1e15 ? formatInt(static_cast<long long>(whole)) : formatFixed(v, 0, 1);
}

}  // namespace

std::string rangeText(double low, double high, Language lang) {
    return boundText(low) + (lang == Language::German ? " bis " : " to ") + boundText(high);
}

std::string refusedValueMessage(const std::string& field, const std::string& typed, double low, double high,
                                Language lang) {
    return field + ": \"" + typed + (lang == Language::German ? "\" abgelehnt, erlaubt: " : "\" refused, allowed: ") +
           rangeText(low, high, lang);
}

std::string invalidInputMessage(double minValue, double maxValue, Language lang) {
    std::string text = lang == Language::German ? kInvalidInput : "Invalid input !";
    if (minValue != maxValue)
        text += (lang == Language::German ? " Erlaubt: " : " Allowed: ") + rangeText(minValue, maxValue, lang);
    return text;
}

namespace {

double dragAngle(double dx, double dy) {
    constexpr double kDegrees = 57.29577951308232;
    if (dy == 0) return dx >= 0 ? 90 : -90;
    const double a = std::atan(dx / dy) * kDegrees;
    return dy > 0 ? a : a + 180;
}

}  // namespace

double compassDragPosition(double dx, double dy) {
    double a = dragAngle(dx, dy);
    if (a < 0) a += 360;
    return a >= 360 ? a - 360 : a;
}

double tiltDragPosition(double dx, double dy) {
    double a = dragAngle(dx, dy);
    if (dx >= 1) a = dy >= 0 ? 0 : 180;
    double p = a - 270;
    if (p < -90) p += 360;
    return p;
}

}  // namespace penumbro
