#include "formats/HorizonProfileFile.h"

#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/TextLines.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cctype>
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

// Reads outputs.horizon_profile as the parser walks the text, so that a large file
// is held once (its bytes) and not again as a document tree.
class ProfileSax {
public:
    using json = nlohmann::json;

    explicit ProfileSax(ProfileBuilder& profile) : profile_(profile) {}

    bool profileFound() const { return profileFound_; }
    std::size_t errorByte() const { return errorByte_; }
    bool numberRange() const { return numberRange_; }
    const std::string& errorToken() const { return errorToken_; }

    bool null() { return scalar(std::nullopt); }
    bool boolean(bool) { return scalar(std::nullopt); }
    bool number_integer(json::number_integer_t v) { return scalar(static_cast<double>(v)); }
    bool number_unsigned(json::number_unsigned_t v) { return scalar(static_cast<double>(v)); }
    bool number_float(json::number_float_t v, const json::string_t&) { return scalar(v); }
    bool string(json::string_t&) { return scalar(std::nullopt); }
    bool binary(json::binary_t&) { return scalar(std::nullopt); }

    bool start_object(std::size_t) {
        value(true, false);
        ++depth_;
        return true;
    }
    bool end_object() {
        --depth_;
        if (depth_ == kEntryDepth - 1 && inEntry_) {
            inEntry_ = false;
            addEntry();
        }
        if (depth_ == 1) inOutputs_ = false;
        return true;
    }
    bool start_array(std::size_t) {
        value(false, true);
        ++depth_;
        return true;
    }
    bool end_array() {
        --depth_;
        if (depth_ == 2) inProfile_ = false;
        return true;
    }
    bool key(json::string_t& k) {
        if (depth_ < static_cast<int>(keys_.size())) keys_[static_cast<std::size_t>(depth_)] = k;
        return true;
    }
    bool parse_error(std::size_t position, const std::string& token, const nlohmann::json::exception& e) {
        errorByte_ = position;
        errorToken_ = token;
        numberRange_ = e.id == 406;  // a number beyond double's range
        return false;
    }

private:
    static constexpr int kEntryDepth = 4;  // {outputs: {horizon_profile: [{A: ..}]}}

    // A value begins at depth_ (before a container's start raises it).
    void value(bool object, bool array) {
        if (depth_ == 1 && keys_[1] == "outputs") inOutputs_ = object;
        if (depth_ == 2 && inOutputs_ && keys_[2] == "horizon_profile") {
            inProfile_ = array;
            if (array) {
                profileFound_ = true;
                entry_ = 0;
            }
        }
        if (depth_ == kEntryDepth - 1 && inProfile_) {
            azimuth_ = elevation_ = std::nullopt;
            inEntry_ = object;
            if (!object) addEntry();  // not an object: neither number is there
        }
    }
    bool scalar(std::optional<double> number) {
        value(false, false);
        if (depth_ == kEntryDepth && inEntry_) {
            if (keys_[kEntryDepth] == "A") azimuth_ = number;
            if (keys_[kEntryDepth] == "H_hor") elevation_ = number;
        }
        return true;
    }
    void addEntry() {
        profile_.add(azimuth_, elevation_, 0, "outputs.horizon_profile[" + std::to_string(entry_++) + "]: ");
    }

    ProfileBuilder& profile_;
    int depth_ = 0;
    std::array<std::string, kEntryDepth + 1> keys_{};
    bool inOutputs_ = false, inProfile_ = false, inEntry_ = false, profileFound_ = false;
    std::optional<double> azimuth_, elevation_;
    std::size_t entry_ = 0;
    std::size_t errorByte_ = 0;
    bool numberRange_ = false;
    std::string errorToken_;
};

std::vector<HorizonPoint> readJson(const std::string& bytes, const std::string& fileName) {
    ProfileBuilder profile(fileName, AzimuthOrigin::South);
    ProfileSax sax(profile);
    if (!nlohmann::json::sax_parse(bytes, &sax)) {
        const auto end = bytes.begin() + static_cast<std::ptrdiff_t>(std::min(sax.errorByte(), bytes.size()));
        const int line = 1 + static_cast<int>(std::count(bytes.begin(), end, '\n'));
        if (sax.numberRange()) throw InputError(fileName, line, {ErrorId::JsonNumberRange, {sax.errorToken()}});
        throw InputError(fileName, line, ErrorId::NotJson);
    }
    if (!sax.profileFound()) throw InputError(fileName, 0, ErrorId::JsonNoProfile);
    return profile.finish(0);
}

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

}  // namespace penumbro
