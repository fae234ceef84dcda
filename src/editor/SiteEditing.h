#pragma once
// The site line (after "Standort") and the ground-reflectance line (after
// "Bodenreflexion"), with the models of their two panels.

#include "project/Language.h"
#include "project/ProjectText.h"
#include "project/SharedTexts.h"

#include <array>
#include <optional>
#include <string>

namespace penumbro {

// Latitude in degrees north (-90..90), longitude in degrees west of Greenwich
// (-180..180), time zone in hours, positive west (-12..12).
struct SiteValues {
    double latitude = 51.0;
    double longitude = -8.0;
    double timeZone = -1.0;
};

// The values of the line after the last "Standort" line; nothing when there is
// none. Throws InputError naming the line when it does not hold three numbers.
std::optional<SiteValues> readSite(const Lines& text);
// "LAT LON TZ", each with one decimal ("-33.9 -18.4 -2.0").
std::string siteLine(const SiteValues& site);
// Replaces the line after the last "Standort" line; a text without one gets
// "Standort" and the line appended. Throws InputError for a value out of range.
Lines writeSite(const Lines& text, const SiteValues& site);

// Twelve percentages 0..100, January first.
using MonthlyValues = std::array<int, 12>;

// The values of the line after the last "Bodenreflexion" line; nothing when there
// is none. Throws InputError naming the line for a field that does not read.
std::optional<MonthlyValues> readReflectance(const Lines& text);
// Twelve 3-character fields without separators (36 characters).
std::string reflectanceLine(const MonthlyValues& values);
// Replaces the line after the last "Bodenreflexion" line; a text without one gets
// "Bodenreflexion" and the line appended. Throws InputError for a value out of range.
Lines writeReflectance(const Lines& text, const MonthlyValues& values);


// The site panel: the three field texts. OK is enabled when every field reads as a
// number within its range; the message names the first field that does not.
struct SitePanel {
    std::string latitude = "51.0";
    std::string longitude = "-8.0";
    std::string timeZone = "-1.0";

    static SitePanel fromSite(const SiteValues& site);  // fields as the panel shows them
    // Moving any scroll bar sets all three fields to the three bar positions.
    void scrollBarsMoved(int latitudeBar, int longitudeBar, int timeZoneBar);
    // The bar positions the fields ask for: each value rounded to the nearest whole
    // number; nothing for a field that does not read (its bar stays where it is).
    std::array<std::optional<int>, 3> scrollBarPositions() const;
    std::optional<SiteValues> values() const;  // nothing while a field is invalid
    bool okEnabled() const { return values().has_value(); }
    std::string message(Language lang) const;  // empty when OK is allowed
};

// The ground-reflectance panel: twelve integer fields 0..100.
struct ReflectancePanel {
    std::array<std::string, 12> fields{"40", "40", "30", "20", "20", "20",
                                       "20", "20", "20", "20", "30", "40"};

    static ReflectancePanel fromValues(const MonthlyValues& values);
    std::optional<MonthlyValues> values() const;
    bool okEnabled() const { return values().has_value(); }
    std::string message(Language lang) const;  // empty when OK is allowed
};

}  // namespace penumbro
