#include "formats/WeatherFile.h"

#include "project/Calendar.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/ProjectFormat.h"
#include "project/TextLines.h"

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
// The row of 1 March, hour 1, in a year without leap day.
constexpr int kLeapDayRow = 59 * 24;

}  // namespace

WeatherFile parseWeatherFile(const Lines& lines, const std::string& fileName) {
    auto fail = [&](std::size_t index, ErrorMessage what) {
        throw InputError(fileName, static_cast<int>(index + 1), what);
    };
    WeatherFile w;
    if (lines.size() < static_cast<std::size_t>(kWeatherHeaderLines))
        fail(lines.size(), ErrorId::WeatherHeaderShort);
    // A byte-order mark is what some editors put before the first line of a UTF-8 file.
    std::string first = lines[0];
    if (startsWith(first, "\xEF\xBB\xBF")) first.erase(0, 3);
    const auto location = fields(first);
    std::string keyword(location[0]);
    for (char& c : keyword) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (keyword != "LOCATION" || location.size() < 9)
        fail(0, ErrorId::WeatherLocation);
    w.place = std::string(location[1]);
    double* site[] = {&w.latitude, &w.longitude, &w.timeZone};
    const double limits[] = {90, 180, 14};
    const ErrorId names[] = {ErrorId::WordLatitude, ErrorId::WordLongitude, ErrorId::WordTimeZone};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto v = parseNumber(location[6 + k]);
        if (!v || !(std::fabs(*v) <= limits[k]))
            fail(0, {ErrorId::WeatherSiteValue, {names[k], formatFixed(limits[k], 0, 0), std::string(location[6 + k])}});
        *site[k] = *v;
    }

    // A header line that reads as an hourly row (its first field a year) means lines
    // are missing above it; the calendar check further down would only puzzle.
    for (std::size_t k = 1; k < static_cast<std::size_t>(kWeatherHeaderLines); ++k)
        if (parseNumber(fields(lines[k]).front())) fail(k, {ErrorId::WeatherHeaderRow, {std::to_string(k)}});

    std::size_t end = lines.size();
    while (end > static_cast<std::size_t>(kWeatherHeaderLines) && trimBlanks(lines[end - 1]).empty()) --end;
    w.hours.reserve(kWeatherHours);
    int leapHours = 0;  // hours of 29 February skipped so far
    for (std::size_t i = kWeatherHeaderLines; i < end; ++i) {
        const int row = static_cast<int>(w.hours.size());
        if (row == kWeatherHours) fail(i, ErrorId::WeatherTooManyRows);
        const auto f = fields(lines[i]);
        if (f.size() < 16) fail(i, {ErrorId::WeatherFieldCount, {std::to_string(f.size())}});
        double v[16];
        for (std::size_t k = 0; k < 16; ++k) {
            if (k == 5) continue;  // data source flags: text
            const auto n = parseNumber(f[k]);
            if (!n || !std::isfinite(*n)) fail(i, {ErrorId::FieldNotNumber, {std::to_string(k + 1), std::string(f[k])}});
            v[k] = *n;
        }
        // A leap year's 29 February stands where 1 March would; the run year has none, so
        // its 24 hours are skipped, as simulation tools do for a year without leap day.
        if (row == kLeapDayRow && v[1] == 2 && v[2] == 29) {
            if (v[3] != leapHours + 1) fail(i, {ErrorId::WeatherLeapDayHours, {std::to_string(leapHours + 1)}});
            if (++leapHours == 1) w.warnings.emplace_back(ErrorId::WeatherLeapDaySkipped);
            continue;
        }
        if (leapHours > 0 && leapHours < 24) fail(i, {ErrorId::WeatherLeapDayHours, {std::to_string(leapHours + 1)}});
        // Rows run from 1 January, hour 1, to 31 December, hour 24, without 29 February.
        const int day = row / 24 + 1;
        const int month = monthOfDay(day);
        WeatherHour h{month, day - kMonatsanfang[static_cast<std::size_t>(month - 1)] + 1, row % 24 + 1, v[13],
                      v[14], v[15]};
        if (v[1] != h.month || v[2] != h.day || v[3] != h.hour)
            fail(i, {ErrorId::WeatherOrder, {std::to_string(h.month), std::to_string(h.day), std::to_string(h.hour)}});
        const ErrorId what[] = {ErrorId::WordGlobalHorizontal, ErrorId::WordDirectNormal, ErrorId::WordDiffuseHorizontal};
        for (std::size_t k = 0; k < 3; ++k) {
            const double x = v[13 + k];
            if (x >= kMissingMarker + 1)
                fail(i, {ErrorId::IrradiationRange, {what[k], std::to_string(14 + k), std::string(f[13 + k])}});
            if (x >= kMissingMarker) fail(i, {ErrorId::IrradiationMissing, {what[k], std::to_string(14 + k)}});
            if (x < 0) fail(i, {ErrorId::IrradiationNegative, {what[k], std::to_string(14 + k)}});
        }
        w.hours.push_back(h);
    }
    if (w.hours.size() != static_cast<std::size_t>(kWeatherHours))
        fail(end, {ErrorId::WeatherRowsShort, {std::to_string(w.hours.size())}});
    return w;
}

WeatherFile readWeatherFile(const std::string& path) {
    return parseWeatherFile(splitLines(readFileBytes(path)), path);
}

}  // namespace penumbro
