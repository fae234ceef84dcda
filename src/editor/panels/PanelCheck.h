#pragma once
// Shared pieces of the generator panels' models. A panel is a plain struct of its
// field texts, exactly what the window's edits hold; check() decides whether OK is
// enabled and says, field by field, what keeps it disabled. The CLI fills the same
// structs from FIELD=VALUE arguments, so both produce the same lines.
//
// Field keys are the CLI's field names ("name", "azimuth", "corners", ...).

#include "editor/generators/PolygonGenerator.h"
#include "project/Language.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace penumbro {

struct FieldProblem {
    std::string field;    // field key
    std::string message;  // in the panel's language
};

struct PanelCheck {
    std::vector<FieldProblem> problems;  // in the order of the panel's fields
    bool okEnabled() const { return problems.empty(); }
    // "field: message" of the first problem ("" when there is none).
    std::string firstMessage() const;
    // The same with the field's caption in the language, for the line beside OK
    // ("Azimut: muss zwischen 0 und 360 liegen"); "" when OK is enabled.
    std::string reason(Language lang) const;
};

// A field key's short caption as the panels show it ("azimuth": "Azimut"/"Azimuth");
// the key itself for a key without one.
std::string fieldCaption(const std::string& field, Language lang);

// Thrown by a panel's generate() when OK would be disabled: names the first field.
// (An InputError without file or line whose text is "field: message".)
[[noreturn]] void throwPanelProblem(const PanelCheck& check);
// The same unless OK is enabled.
void requireOk(const PanelCheck& check);

// "Ungültige Eingabe. Bitte überprüfen Sie die Werte." and its English text: an
// unreadable corner grid or u-v rectangle form.
std::string invalidGridMessage(Language lang);

// Largest absolute value of any number field: generated vertices, sums of a few
// fields, then stay far inside what the compiler and the views accept.
inline constexpr double kMaxFieldValue = 1e6;

// Field tests; each adds a problem for `field` to `check` when it fails and returns
// the value when it passes.
std::optional<double> requireNumber(PanelCheck& check, const char* field, std::string_view text,
                                    Language lang);
std::optional<double> requireRange(PanelCheck& check, const char* field, std::string_view text,
                                   double low, double high, Language lang);
std::optional<double> requirePositive(PanelCheck& check, const char* field, std::string_view text,
                                      Language lang);
std::optional<double> requireNotNegative(PanelCheck& check, const char* field, std::string_view text,
                                         Language lang);
// A surface name: not empty nor blanks only, not a reserved word (the reserved-name message), one
// line, and not starting with "*" (a comment line) or "$#" (an overhang reference).
void requireSurfaceName(PanelCheck& check, const char* field, const std::string& name, Language lang);
// A free-text field (house and tree names) must stay on its line.
void requireOneLine(PanelCheck& check, const char* field, const std::string& text, Language lang);

// A decimal field's text as a number (blanks around it allowed, "." as decimal sign);
// nothing beyond kMaxFieldValue. requireNumber and the other tests apply the same limit.
std::optional<double> fieldNumber(std::string_view text);

// The placement fields the rectangle and polygon panels share (members azimuth,
// elevation, x, y, z): their checks, the compass and tilt positions they show, and the
// placement they describe (only valid after a passing check). The compass and tilt
// controls follow valid fields.
template <class Panel>
void checkPlacementFields(PanelCheck& c, const Panel& p, Language lang) {
    requireRange(c, "azimuth", p.azimuth, 0, 360, lang);
    requireRange(c, "elevation", p.elevation, -90, 90, lang);
    requireNumber(c, "x", p.x, lang);
    requireNumber(c, "y", p.y, lang);
    requireNumber(c, "z", p.z, lang);
}
inline std::optional<double> compassPositionOf(const std::string& azimuth) {
    PanelCheck c;
    return requireRange(c, "azimuth", azimuth, 0, 360, Language::English);
}
inline std::optional<double> tiltPositionOf(const std::string& elevation) {
    PanelCheck c;
    return requireRange(c, "elevation", elevation, -90, 90, Language::English);
}
// A click on the compass or tilt control writes its position with one decimal.
std::string controlAngleText(double position);
// The surface of such a panel (named, target flag, placement) with the given corners.
template <class Panel>
PlainSurface plainSurfaceOf(const Panel& p, std::vector<UV> corners) {
    return {p.name, p.target, std::move(corners),
            {*fieldNumber(p.azimuth), *fieldNumber(p.elevation),
             {*fieldNumber(p.x), *fieldNumber(p.y), *fieldNumber(p.z)}}};
}

}  // namespace penumbro
