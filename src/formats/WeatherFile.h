#pragma once
// Hourly weather years in the EPW format: eight header lines (the first, LOCATION,
// gives the site), then 8760 rows of one hour each, January 1 to December 31 of a
// year without leap day. Only the site and the three irradiation fields are kept.

#include "project/ErrorTexts.h"
#include "project/ProjectText.h"

#include <string>
#include <vector>

namespace penumbro {

inline constexpr int kWeatherHeaderLines = 8;
inline constexpr int kWeatherHours = 8760;

struct WeatherHour {
    int month = 0;  // 1..12
    int day = 0;    // day of the month
    int hour = 0;   // 1..24: the hour ending at this clock hour (local standard time)
    double global = 0;   // global horizontal irradiation, Wh/m2 (field 14)
    double direct = 0;   // direct normal irradiation, Wh/m2 (field 15)
    double diffuse = 0;  // diffuse horizontal irradiation, Wh/m2 (field 16)
};

struct WeatherFile {
    std::string place;      // city field of the LOCATION line
    double latitude = 0;    // degrees, north positive
    double longitude = 0;   // degrees, EAST positive, as the file gives it
    double timeZone = 0;    // hours ahead of universal time
    std::vector<WeatherHour> hours;  // kWeatherHours rows in calendar order
    std::vector<ErrorMessage> warnings;  // what was read but not used (a leap day)
};

// Reads the lines of a weather file. Throws InputError naming fileName and the line
// for a LOCATION line without site, a row with fewer than 16 fields, a number field
// that is not a number, an irradiation that is missing (9999 and more) or negative,
// a row out of calendar order, and a file with other than 8760 rows. A byte-order mark
// before LOCATION is skipped, and so is a leap year's 29 February (with a warning);
// a value beyond the format's (from 10000) is out of range, a header line that reads
// as an hourly row means a short header.
WeatherFile parseWeatherFile(const Lines& lines, const std::string& fileName);
// The same for a file on disk (missing or unreadable: InputError naming it).
WeatherFile readWeatherFile(const std::string& path);

}  // namespace penumbro
