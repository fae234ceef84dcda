#include "editor/HorizonImport.h"

#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

namespace penumbro {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::vector<std::string> cells(const std::string& line) {
    std::vector<std::string> out;
    std::string cell;
    const auto flush = [&] {
        const std::string_view t = trimBlanks(cell);
        if (!t.empty()) out.emplace_back(t);
        cell.clear();
    };
    for (char c : line) {
        if (c == ',' || c == ';' || c == '\t' || c == ' ' || c == '\r') flush();
        else cell += c;
    }
    flush();
    return out;
}

// Checks one point and turns its azimuth to north = 0, clockwise.
class ProfileBuilder {
public:
    ProfileBuilder(std::string fileName, AzimuthOrigin origin) : fileName_(std::move(fileName)), origin_(origin) {}

    void add(std::optional<double> azimuth, std::optional<double> elevation, int line, const std::string& where) {
        const auto fail = [&](ErrorId why, std::vector<ErrorArg> args = {}) {
            args.insert(args.begin(), where);
            throw InputError(fileName_, line, {why, std::move(args)});
        };
        if (!azimuth || !std::isfinite(*azimuth)) fail(ErrorId::ImportAzimuthNotNumber);
        if (!elevation || !std::isfinite(*elevation)) fail(ErrorId::ImportElevationNotNumber);
        const bool south = origin_ == AzimuthOrigin::South;
        if (south ? (*azimuth < -180 || *azimuth > 180) : (*azimuth < 0 || *azimuth > 360))
            fail(ErrorId::ImportAzimuthRange, {horizonNumber(*azimuth), south ? "-180..180" : "0..360"});
        if (*elevation < -90 || *elevation > 90) fail(ErrorId::ImportElevationRange, {horizonNumber(*elevation)});
        const double north = south ? *azimuth + 180.0 : *azimuth;
        if (!points_.empty() && north <= points_.back().azimuth) fail(ErrorId::ImportNotRising);
        points_.push_back({north, *elevation});
    }

    std::vector<HorizonPoint> finish(int line) {
        if (points_.empty()) throw InputError(fileName_, line, ErrorId::ImportNoRows);
        return std::move(points_);
    }

private:
    std::string fileName_;
    AzimuthOrigin origin_;
    std::vector<HorizonPoint> points_;
};

std::vector<HorizonPoint> readCsv(const std::string& bytes, const std::string& fileName, bool pvgis,
                                  AzimuthOrigin origin) {
    const Lines lines = splitLines(bytes);
    ProfileBuilder profile(fileName, pvgis ? AzimuthOrigin::South : origin);
    std::size_t azimuthColumn = 0, elevationColumn = 1;
    bool header = !pvgis, inRows = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        const std::vector<std::string> c = cells(lines[i]);
        if (c.empty() || c[0][0] == '#') continue;
        if (!header) {
            // The table starts after the line naming its columns; the lines before it
            // describe the site.
            const auto a = std::find(c.begin(), c.end(), "A");
            const auto h = std::find(c.begin(), c.end(), "H_hor");
            if (a != c.end() && h != c.end()) {
                azimuthColumn = static_cast<std::size_t>(a - c.begin());
                elevationColumn = static_cast<std::size_t>(h - c.begin());
                header = true;
            }
            continue;
        }
        const bool numeric = parseNumber(c[0]).has_value() || lower(c[0]).find("nan") != std::string::npos;
        if (!numeric) {
            if (!inRows && !pvgis) continue;  // a header line of the generic CSV
            if (pvgis) break;                 // the notes after the table
            throw InputError(fileName, lineNo, {ErrorId::ImportNotPoint, {lines[i]}});
        }
        inRows = true;
        const std::size_t needed = std::max(azimuthColumn, elevationColumn) + 1;
        if (c.size() < needed) throw InputError(fileName, lineNo, {ErrorId::ImportColumns, {std::to_string(c.size())}});
        profile.add(parseNumber(c[azimuthColumn]), parseNumber(c[elevationColumn]), lineNo, "");
    }
    if (!header) throw InputError(fileName, 0, ErrorId::ImportNoHeader);
    return profile.finish(static_cast<int>(lines.size()) + 1);
}

std::vector<HorizonPoint> readJson(const std::string& bytes, const std::string& fileName) {
    nlohmann::json doc;
    try {
        doc = nlohmann::json::parse(bytes);
    } catch (const nlohmann::json::parse_error& e) {
        const auto end = bytes.begin() + static_cast<std::ptrdiff_t>(std::min(e.byte, bytes.size()));
        const int line = 1 + static_cast<int>(std::count(bytes.begin(), end, '\n'));
        throw InputError(fileName, line, ErrorId::NotJson);
    }
    const auto outputs = doc.find("outputs");
    if (!doc.is_object() || outputs == doc.end() || !outputs->contains("horizon_profile") ||
        !(*outputs)["horizon_profile"].is_array()) {
        throw InputError(fileName, 0, ErrorId::JsonNoProfile);
    }
    ProfileBuilder profile(fileName, AzimuthOrigin::South);
    const nlohmann::json& list = (*outputs)["horizon_profile"];
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto number = [&](const char* key) -> std::optional<double> {
            if (!list[i].is_object() || !list[i].contains(key) || !list[i][key].is_number()) return std::nullopt;
            return list[i][key].get<double>();
        };
        profile.add(number("A"), number("H_hor"), 0, "outputs.horizon_profile[" + std::to_string(i) + "]: ");
    }
    return profile.finish(0);
}

struct Span {
    double from, to, height, lowest;
};

}  // namespace

std::optional<HorizonProfileFormat> horizonProfileFormatNamed(const std::string& name) {
    const std::string n = lower(name);
    if (n == "pvgis-csv") return HorizonProfileFormat::PvgisCsv;
    if (n == "pvgis-json") return HorizonProfileFormat::PvgisJson;
    if (n == "csv") return HorizonProfileFormat::Csv;
    return std::nullopt;
}

HorizonProfileFormat guessHorizonProfileFormat(const std::string& fileName, const std::string& bytes) {
    const std::string n = lower(fileName);
    if (n.size() >= 5 && n.compare(n.size() - 5, 5, ".json") == 0) return HorizonProfileFormat::PvgisJson;
    return bytes.find("H_hor") != std::string::npos ? HorizonProfileFormat::PvgisCsv : HorizonProfileFormat::Csv;
}

std::vector<HorizonPoint> readHorizonProfile(const std::string& bytes, const std::string& fileName,
                                             HorizonProfileFormat format, AzimuthOrigin origin) {
    if (format == HorizonProfileFormat::PvgisJson) return readJson(bytes, fileName);
    return readCsv(bytes, fileName, format == HorizonProfileFormat::PvgisCsv, origin);
}

std::string horizonNumber(double value) {
    std::string s = formatFixed(value, 0, 2);
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

HorizonReduction reduceHorizonProfile(const std::vector<HorizonPoint>& points, std::size_t maxIntervals) {
    HorizonReduction r;
    r.points = points.size();
    if (points.empty() || maxIntervals == 0) return r;
    std::vector<Span> spans;
    // Before the first point the last one's elevation holds (the profile goes round).
    if (points.front().azimuth > 0) {
        spans.push_back({0, points.front().azimuth, points.back().elevation, points.back().elevation});
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double to = i + 1 < points.size() ? points[i + 1].azimuth : 360.0;
        if (to > points[i].azimuth) spans.push_back({points[i].azimuth, to, points[i].elevation, points[i].elevation});
    }
    while (spans.size() > maxIntervals) {
        std::size_t best = 0;
        double bestCost = 0, bestWidth = 0;
        for (std::size_t i = 0; i + 1 < spans.size(); ++i) {
            const double cost = std::max(spans[i].height, spans[i + 1].height) - std::min(spans[i].lowest, spans[i + 1].lowest);
            const double width = spans[i + 1].to - spans[i].from;
            if (i == 0 || cost < bestCost || (cost == bestCost && width < bestWidth)) {
                best = i;
                bestCost = cost;
                bestWidth = width;
            }
        }
        Span& a = spans[best];
        const Span& b = spans[best + 1];
        a = {a.from, b.to, std::max(a.height, b.height), std::min(a.lowest, b.lowest)};
        spans.erase(spans.begin() + static_cast<std::ptrdiff_t>(best) + 1);
    }
    for (const Span& s : spans) {
        r.largestGiveaway = std::max(r.largestGiveaway, s.height - s.lowest);
        r.rows.push_back({horizonNumber(s.from), horizonNumber(s.to), horizonNumber(s.height)});
    }
    return r;
}

}  // namespace penumbro
