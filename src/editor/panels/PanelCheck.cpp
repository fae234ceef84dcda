#include "editor/panels/PanelCheck.h"

#include "editor/NameRules.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/ProjectFormat.h"

#include <cmath>

namespace penumbro {

namespace {

std::string boundText(double v) {
    // Bounds are whole numbers here; show them as such.
    return formatInt(static_cast<long long>(v));
}

void add(PanelCheck& check, const char* field, std::string message) {
    check.problems.push_back({field, std::move(message)});
}

}  // namespace

std::string PanelCheck::firstMessage() const {
    if (problems.empty()) return {};
    return problems.front().field + ": " + problems.front().message;
}

namespace {

struct Caption {
    const char* field;
    const char* de;
    const char* en;
};
constexpr Caption kCaptions[] = {
    {"name", "Name", "Name"},
    {"lu", "L\xE4nge in u-Richtung", "Length in u-direction"},
    {"lv", "L\xE4nge in v-Richtung", "Length in v-direction"},
    {"u0", "u der unteren linken Ecke", "u of the lower left corner"},
    {"v0", "v der unteren linken Ecke", "v of the lower left corner"},
    {"azimuth", "Azimut", "Azimuth"},
    {"elevation", "Elevation", "Elevation"},
    {"corners", "Eckpunkte", "Corners"},
    {"uv-rectangle", "Rechteck im u-v-System", "Rectangle in the u-v system"},
    {"azimuth-difference", "Azimut-Differenz", "Azimuth difference"},
    {"elevation-difference", "Elevations-Differenz", "Elevation difference"},
    {"ew-width", "Breite der Ost-/Westseite", "Width of the east/west side"},
    {"ns-width", "Breite der Nord-/S\xFC" "dseite", "Width of the north/south side"},
    {"height", "H\xF6he ohne Dach", "Height without roof"},
    {"roof", "H\xF6he des Daches", "Height of the roof"},
    {"rotation", "Drehung", "Rotation"},
    {"trunk-height", "H\xF6he des Stammes", "Height of the trunk"},
    {"trunk-diameter", "Durchmesser des Stammes", "Diameter of the trunk"},
    {"crown-diameter", "Durchmesser der Baumkrone", "Diameter of the crown"},
    {"foliage", "Belaubung", "Foliage"},
};

}  // namespace

std::string controlAngleText(double position) { return formatFixed(position, 0, 1); }

std::string fieldCaption(const std::string& field, Language lang) {
    for (const Caption& c : kCaptions)
        if (field == c.field) return lang == Language::German ? c.de : c.en;
    return field;
}

std::string PanelCheck::reason(Language lang) const {
    if (problems.empty()) return {};
    return fieldCaption(problems.front().field, lang) + ": " + problems.front().message;
}

void throwPanelProblem(const PanelCheck& check) { throw InputError(check.firstMessage()); }

void requireOk(const PanelCheck& check) {
    if (!check.okEnabled()) throwPanelProblem(check);
}

std::string invalidGridMessage(Language lang) {
    return lang == Language::German ? "Ung\xFCltige Eingabe. Bitte \xFC" "berpr\xFC" "fen Sie die Werte."
                                    : "Invalid input. Please check your input data.";
}

namespace {
bool withinFieldLimit(double v) { return std::fabs(v) <= kMaxFieldValue; }
}  // namespace

std::optional<double> fieldNumber(std::string_view text) {
    auto v = parseNumber(trimBlanks(text));
    if (v && !withinFieldLimit(*v)) return std::nullopt;
    return v;
}

std::optional<double> requireNumber(PanelCheck& check, const char* field, std::string_view text,
                                    Language lang) {
    auto v = parseNumber(trimBlanks(text));
    if (!v && trimBlanks(text).empty()) {
        add(check, field, lang == Language::German ? "fehlt" : "is missing");
    } else if (!v) {
        add(check, field,
            (lang == Language::German ? "keine Zahl: \"" : "not a number: \"") + std::string(text) + "\"");
    } else if (!withinFieldLimit(*v)) {
        add(check, field,
            (lang == Language::German ? "muss zwischen " + boundText(-kMaxFieldValue) + " und " +
                                            boundText(kMaxFieldValue) + " liegen"
                                      : "must lie between " + boundText(-kMaxFieldValue) + " and " +
                                            boundText(kMaxFieldValue)));
        return std::nullopt;
    }
    return v;
}

std::optional<double> requireRange(PanelCheck& check, const char* field, std::string_view text,
                                   double low, double high, Language lang) {
    auto v = requireNumber(check, field, text, lang);
    if (v && (*v < low || *v > high)) {
        add(check, field,
            (lang == Language::German ? "muss zwischen " + boundText(low) + " und " + boundText(high) + " liegen"
                                      : "must lie between " + boundText(low) + " and " + boundText(high)));
        return std::nullopt;
    }
    return v;
}

std::optional<double> requirePositive(PanelCheck& check, const char* field, std::string_view text,
                                      Language lang) {
    auto v = requireNumber(check, field, text, lang);
    if (v && !(*v > 0)) {
        add(check, field, lang == Language::German ? "muss gr\xF6\xDF" "er als 0 sein" : "must be greater than 0");
        return std::nullopt;
    }
    return v;
}

std::optional<double> requireNotNegative(PanelCheck& check, const char* field, std::string_view text,
                                         Language lang) {
    auto v = requireNumber(check, field, text, lang);
    if (v && *v < 0) {
        add(check, field, lang == Language::German ? "darf nicht negativ sein" : "must not be negative");
        return std::nullopt;
    }
    return v;
}

void requireSurfaceName(PanelCheck& check, const char* field, const std::string& name, Language lang) {
    if (trimBlanks(name).empty()) {
        // Blanks alone would make an object without a visible name in the list.
        add(check, field, lang == Language::German ? "fehlt" : "is missing");
    } else if (isReservedName(name)) {
        add(check, field, reservedNameMessage(name, lang));
    } else if (name[0] == '*') {
        // The comment commit removes every line that starts with "*".
        add(check, field, lang == Language::German ? "darf nicht mit \"*\" beginnen" : "must not begin with \"*\"");
    } else if (startsWith(name, kOverhangPrefix)) {
        // That prefix marks an overhang's reference to its target.
        add(check, field, lang == Language::German ? "darf nicht mit \"$#\" beginnen" : "must not begin with \"$#\"");
    } else {
        requireOneLine(check, field, name, lang);
    }
}

void requireOneLine(PanelCheck& check, const char* field, const std::string& text, Language lang) {
    if (text.find_first_of("\r\n") != std::string::npos)
        add(check, field, lang == Language::German ? "muss eine Zeile sein" : "must be one line");
}

}  // namespace penumbro
