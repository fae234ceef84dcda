#include "simulation/WeatherFile.h"

#include "engine/Calendar.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"

#include <cctype>
#include <cmath>

namespace penumbro {

namespace {

// Fields are comma-separated without quoting; the comment fields of the header may
// hold anything, but only the LOCATION line and the rows are read field by field.
std::vector<std::string_view> fields(const std::string& line) {
    std::vector<std::string_view> out;
    std::string_view rest(line);
    for (;;) {
        const auto comma = rest.find(',');
        out.push_back(trimBlanks(rest.substr(0, comma)));
        if (comma == std::string_view::npos) return out;
        rest.remove_prefix(comma + 1);
    }
}

// Values from 9999 on are the format's marker for a missing irradiation.
constexpr double kMissingMarker = 9999.0;

}  // namespace

WeatherFile parseWeatherFile(const Lines& lines, const std::string& fileName) {
    auto fail = [&](std::size_t index, const std::string& what) {
        throw InputError(fileName, static_cast<int>(index + 1), what);
    };
    WeatherFile w;
    if (lines.size() < static_cast<std::size_t>(kWeatherHeaderLines))
        fail(lines.size(), "the file ends inside the eight header lines");
    const auto location = fields(lines[0]);
    std::string keyword(location[0]);
    for (char& c : keyword) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (keyword != "LOCATION" || location.size() < 9)
        fail(0, "expected LOCATION,city,state,country,source,station,latitude,longitude,time zone");
    w.place = std::string(location[1]);
    double* site[] = {&w.latitude, &w.longitude, &w.timeZone};
    const double limits[] = {90, 180, 14};
    const char* names[] = {"latitude", "longitude", "time zone"};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto v = parseNumber(location[6 + k]);
        if (!v || !(std::fabs(*v) <= limits[k]))
            fail(0, std::string("the ") + names[k] + " is not a number within +-" +
                        formatFixed(limits[k], 0, 0) + ": \"" + std::string(location[6 + k]) + "\"");
        *site[k] = *v;
    }

    std::size_t end = lines.size();
    while (end > static_cast<std::size_t>(kWeatherHeaderLines) && trimBlanks(lines[end - 1]).empty()) --end;
    w.hours.reserve(kWeatherHours);
    for (std::size_t i = kWeatherHeaderLines; i < end; ++i) {
        const int row = static_cast<int>(w.hours.size());
        if (row == kWeatherHours) fail(i, "more than 8760 hourly rows");
        const auto f = fields(lines[i]);
        if (f.size() < 16) fail(i, "an hourly row needs at least 16 fields, this one has " + std::to_string(f.size()));
        double v[16];
        for (std::size_t k = 0; k < 16; ++k) {
            if (k == 5) continue;  // data source flags: text
            const auto n = parseNumber(f[k]);
            if (!n || !std::isfinite(*n)) fail(i, "field " + std::to_string(k + 1) + " is not a number: \"" + std::string(f[k]) + "\"");
            v[k] = *n;
        }
        // Rows run from 1 January, hour 1, to 31 December, hour 24, without 29 February.
        const int day = row / 24 + 1;
        const int month = monthOfDay(day);
        WeatherHour h{month, day - kMonatsanfang[static_cast<std::size_t>(month - 1)] + 1, row % 24 + 1, v[13],
                      v[14], v[15]};
        if (v[1] != h.month || v[2] != h.day || v[3] != h.hour)
            fail(i, "expected month " + std::to_string(h.month) + ", day " + std::to_string(h.day) + ", hour " +
                        std::to_string(h.hour) + " (rows in calendar order, 8760 of them)");
        const char* what[] = {"global horizontal", "direct normal", "diffuse horizontal"};
        for (std::size_t k = 0; k < 3; ++k) {
            const double x = v[13 + k];
            if (x >= kMissingMarker) fail(i, std::string("the ") + what[k] + " irradiation (field " +
                                                 std::to_string(14 + k) + ") is missing (9999)");
            if (x < 0) fail(i, std::string("the ") + what[k] + " irradiation (field " + std::to_string(14 + k) +
                                   ") is negative");
        }
        w.hours.push_back(h);
    }
    if (w.hours.size() != static_cast<std::size_t>(kWeatherHours))
        fail(end, "the file ends after " + std::to_string(w.hours.size()) + " hourly rows; 8760 expected");
    return w;
}

WeatherFile readWeatherFile(const std::string& path) {
    return parseWeatherFile(splitLines(readFileBytes(path)), path);
}

}  // namespace penumbro
