#pragma once
// The site line (after "Standort") and the ground-reflectance line (after
// "Bodenreflexion"), with the models of their two panels.

#include "project/Language.h"
#include "project/ProjectText.h"

#include <array>
#include <optional>
#include <string>

namespace penumbro {

// Latitude in degrees north (-90..90), longitude in degrees west of Greenwich
// (-180..180), time zone in hours, positive west (-12..12).
struct Standort {
    double breite = 51.0;
    double laenge = -8.0;
    double zeitzone = -1.0;
};

// The values of the line after the last "Standort" line; nothing when there is
// none. Throws InputError naming the line when it does not hold three numbers.
std::optional<Standort> standortLesen(const Lines& text);
// "LAT LON TZ", each with one decimal ("-33.9 -18.4 -2.0").
std::string standortZeile(const Standort& standort);
// Replaces the line after the last "Standort" line; a text without one gets
// "Standort" and the line appended. Throws InputError for a value out of range.
Lines standortSchreiben(const Lines& text, const Standort& standort);

// Twelve percentages 0..100, January first.
using Monatswerte = std::array<int, 12>;

// The values of the line after the last "Bodenreflexion" line; nothing when there
// is none. Throws InputError naming the line for a field that does not read.
std::optional<Monatswerte> bodenreflexionLesen(const Lines& text);
// Twelve 3-character fields without separators (36 characters).
std::string bodenreflexionZeile(const Monatswerte& werte);
// Replaces the line after the last "Bodenreflexion" line; a text without one gets
// "Bodenreflexion" and the line appended. Throws InputError for a value out of range.
Lines bodenreflexionSchreiben(const Lines& text, const Monatswerte& werte);

// Month names, January first, for messages that name a month field.
const std::array<const char*, 12>& monatsnamen(Language lang);

// The site panel: the three field texts. OK is enabled when every field reads as a
// number within its range; the message names the first field that does not.
struct StandortPanel {
    std::string breite = "51.0";
    std::string laenge = "-8.0";
    std::string zeitzone = "-1.0";

    static StandortPanel aus(const Standort& standort);  // fields as the panel shows them
    // Moving any scroll bar sets all three fields to the three bar positions.
    void scrollbarsBewegt(int breiteBar, int laengeBar, int zeitzoneBar);
    // The bar positions the fields ask for: each value rounded to the nearest whole
    // number; nothing for a field that does not read (its bar stays where it is).
    std::array<std::optional<int>, 3> scrollbarPositionen() const;
    std::optional<Standort> werte() const;                // nothing while a field is invalid
    bool okErlaubt() const { return werte().has_value(); }
    std::string meldung(Language lang) const;  // empty when OK is allowed
};

// The ground-reflectance panel: twelve integer fields 0..100.
struct BodenreflexionPanel {
    std::array<std::string, 12> felder{"40", "40", "30", "20", "20", "20",
                                       "20", "20", "20", "20", "30", "40"};

    static BodenreflexionPanel aus(const Monatswerte& werte);
    std::optional<Monatswerte> werte() const;
    bool okErlaubt() const { return werte().has_value(); }
    std::string meldung(Language lang) const;  // empty when OK is allowed
};

}  // namespace penumbro
