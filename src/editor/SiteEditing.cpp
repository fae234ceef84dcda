#include "editor/SiteEditing.h"

#include "editor/InputFilters.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/ProjectFormat.h"
#include "project/SharedTexts.h"

#include <algorithm>
#include <cmath>

namespace penumbro {

namespace {

struct Range {
    const char* fieldDe;
    const char* fieldEn;
    double min;
    double max;
    ErrorId word;
};
constexpr Range kLatitude{"Breitengrad", "latitude", -90, 90, ErrorId::WordLatitude};
constexpr Range kLongitude{"L\xE4" "ngengrad", "longitude", -180, 180, ErrorId::WordLongitude};
constexpr Range kTimeZone{"Zeitzone", "time zone", -12, 12, ErrorId::WordTimeZone};

bool inRange(double v, const Range& r) { return v >= r.min && v <= r.max; }

std::string oneDecimal(double v) {
    std::string s = formatFixed(v, 0, 1);
    if (s == "-0.0") s = "0.0";  // a negative zero would show a meaningless sign
    return s;
}

std::string rangeText(const Range& r, Language lang) {
    return formatInt(static_cast<long long>(r.min)) + (lang == Language::German ? " bis " : " to ") +
           formatInt(static_cast<long long>(r.max));
}

void requireInRange(double v, const Range& r) {
    if (!inRange(v, r))
        throw InputError({ErrorId::SiteFieldRange, {r.word, oneDecimal(v), formatInt(static_cast<long long>(r.min)),
                                                     formatInt(static_cast<long long>(r.max))}});
}

// Replaces the line after the last keyword line, or appends keyword and line.
Lines setValueLine(const Lines& text, const std::optional<std::size_t>& keyword, std::string_view word,
                   const std::string& line) {
    Lines out = text;
    if (!keyword) {
        out.emplace_back(word);
        out.push_back(line);
    } else if (*keyword + 1 < out.size()) {
        out[*keyword + 1] = line;
    } else {
        out.push_back(line);  // the keyword was the last line
    }
    return out;
}

}  // namespace

std::optional<SiteValues> readSite(const Lines& text) {
    const ProjectScan scan = scanProject(text);
    const std::string* line = valueLine(text, scan.siteKeyword);
    if (!line) return std::nullopt;
    const auto values = threeNumbers(*line);
    if (!values)
        throw InputError({}, static_cast<int>(*scan.siteKeyword) + 2, {ErrorId::SiteLineValues, {*line}});
    return SiteValues{(*values)[0], (*values)[1], (*values)[2]};
}

std::string siteLine(const SiteValues& s) {
    return oneDecimal(s.latitude) + " " + oneDecimal(s.longitude) + " " + oneDecimal(s.timeZone);
}

Lines writeSite(const Lines& text, const SiteValues& s) {
    requireInRange(s.latitude, kLatitude);
    requireInRange(s.longitude, kLongitude);
    requireInRange(s.timeZone, kTimeZone);
    return setValueLine(text, scanProject(text).siteKeyword, kSiteKeyword, siteLine(s));
}

std::optional<MonthlyValues> readReflectance(const Lines& text) {
    const ProjectScan scan = scanProject(text);
    const std::string* line = valueLine(text, scan.reflectanceKeyword);
    if (!line) return std::nullopt;
    const auto values = monthlyFields(*line, kReflectanceOffset);
    if (!values)
        throw InputError({}, static_cast<int>(*scan.reflectanceKeyword) + 2,
                         {ErrorId::ReflectanceLineValues, {*line}});
    return values;
}

std::string reflectanceLine(const MonthlyValues& values) {
    std::string line;
    for (std::size_t m = 0; m < values.size(); ++m) {
        if (values[m] < 0 || values[m] > 100)
            throw InputError({ErrorId::MonthPercentRange,
                              {ErrorMessage(ErrorId::MonthName, {formatInt(static_cast<long long>(m) + 1)}),
                               formatInt(values[m])}});
        line += formatInt(values[m], 3);
    }
    return line;
}

Lines writeReflectance(const Lines& text, const MonthlyValues& values) {
    return setValueLine(text, scanProject(text).reflectanceKeyword, kReflectanceKeyword, reflectanceLine(values));
}


SitePanel SitePanel::fromSite(const SiteValues& s) {
    return SitePanel{oneDecimal(s.latitude), oneDecimal(s.longitude), oneDecimal(s.timeZone)};
}

void SitePanel::scrollBarsMoved(int latitudeBar, int longitudeBar, int timeZoneBar) {
    *this = fromSite(SiteValues{static_cast<double>(latitudeBar), static_cast<double>(longitudeBar),
                          static_cast<double>(timeZoneBar)});
}

std::array<std::optional<int>, 3> SitePanel::scrollBarPositions() const {
    std::array<std::optional<int>, 3> out;
    const std::pair<const std::string*, const Range*> fields[] = {
        {&latitude, &kLatitude}, {&longitude, &kLongitude}, {&timeZone, &kTimeZone}};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto v = parseNumber(trimBlanks(*fields[i].first));
        if (!v) continue;
        // A bar cannot leave its range, whatever the field holds for the moment.
        out[i] = static_cast<int>(std::round(std::clamp(*v, fields[i].second->min, fields[i].second->max)));
    }
    return out;
}

std::optional<SiteValues> SitePanel::values() const {
    const auto b = parseNumber(trimBlanks(latitude));
    const auto l = parseNumber(trimBlanks(longitude));
    const auto z = parseNumber(trimBlanks(timeZone));
    if (!b || !l || !z || !inRange(*b, kLatitude) || !inRange(*l, kLongitude) || !inRange(*z, kTimeZone))
        return std::nullopt;
    return SiteValues{*b, *l, *z};
}

std::string SitePanel::message(Language lang) const {
    const std::pair<const std::string*, const Range*> fields[] = {
        {&latitude, &kLatitude}, {&longitude, &kLongitude}, {&timeZone, &kTimeZone}};
    for (const auto& [text, range] : fields) {
        const auto v = parseNumber(trimBlanks(*text));
        if (v && inRange(*v, *range)) continue;
        const bool de = lang == Language::German;
        std::string name = de ? range->fieldDe : range->fieldEn;
        if (!de) name[0] = static_cast<char>(name[0] - 'a' + 'A');
        return name + ": " + (de ? kInvalidInput : "Invalid input!") + " (" + rangeText(*range, lang) + ")";
    }
    return {};
}

ReflectancePanel ReflectancePanel::fromValues(const MonthlyValues& values) {
    ReflectancePanel p;
    for (std::size_t m = 0; m < values.size(); ++m) p.fields[m] = formatInt(values[m]);
    return p;
}

std::optional<MonthlyValues> ReflectancePanel::values() const {
    MonthlyValues w{};
    for (std::size_t m = 0; m < fields.size(); ++m) {
        const auto v = parseInteger(trimBlanks(fields[m]));
        if (!v || *v < 0 || *v > 100) return std::nullopt;
        w[m] = static_cast<int>(*v);
    }
    return w;
}

std::string ReflectancePanel::message(Language lang) const {
    for (std::size_t m = 0; m < fields.size(); ++m) {
        const auto v = parseInteger(trimBlanks(fields[m]));
        if (v && *v >= 0 && *v <= 100) continue;
        return std::string(monthNames(lang)[m]) + ": " +
               (lang == Language::German ? kInvalidInput : "Invalid input!") +
               (lang == Language::German ? " (0 bis 100)" : " (0 to 100)");
    }
    return {};
}

}  // namespace penumbro
