#include "simulation/SimParameter.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>

namespace penumbro {

namespace {

using Bytes = std::array<std::uint8_t, kSimParameterSize>;

void putInt32(Bytes& b, std::size_t at, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

void putDouble(Bytes& b, std::size_t at, double v) {
    const auto u = std::bit_cast<std::uint64_t>(v);
    for (std::size_t i = 0; i < 8; ++i) b[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t getInt32(const Bytes& b, std::size_t at) {
    std::uint32_t u = 0;
    for (std::size_t i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(b[at + i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}

double getDouble(const Bytes& b, std::size_t at) {
    std::uint64_t u = 0;
    for (std::size_t i = 0; i < 8; ++i) u |= static_cast<std::uint64_t>(b[at + i]) << (8 * i);
    return std::bit_cast<double>(u);
}

// One settable field: its key, offset, kind and allowed range.
struct Field {
    const char* key;
    std::size_t offset;
    bool TSimParameter::*flag = nullptr;
    std::int32_t TSimParameter::*integer = nullptr;
    double TSimParameter::*real = nullptr;
    double min = 0;
    double max = 1;
};

constexpr Field flagField(const char* key, std::size_t offset, bool TSimParameter::*m) {
    return {key, offset, m, nullptr, nullptr, 0, 1};
}
constexpr Field intField(const char* key, std::size_t offset, std::int32_t TSimParameter::*m,
                         double lo, double hi) {
    return {key, offset, nullptr, m, nullptr, lo, hi};
}
constexpr Field realField(const char* key, std::size_t offset, double TSimParameter::*m, double lo,
                          double hi) {
    return {key, offset, nullptr, nullptr, m, lo, hi};
}

// Record order. The ranges are those of the fast-run window's controls; the site's
// are those of the "Standort" line.
const std::array<Field, 18>& fields() {
    using P = TSimParameter;
    static const std::array<Field, 18> table = {{
        flagField("monthly", 1, &P::monthly),
        flagField("diffuse", 2, &P::diffuse),
        intField("first-month", 4, &P::firstMonth, 1, 12),
        intField("stop-month", 8, &P::stopMonth, 1, 12),
        intField("first-day", 12, &P::firstDay, 1, 365),
        intField("stop-day", 16, &P::stopDay, 1, 365),
        intField("interval-days", 20, &P::intervalDays, 1, 365),
        intField("interval-minutes", 24, &P::intervalMinutes, 1, 60),
        intField("month-start-day", 28, &P::monthStartDay, 1, 28),
        intField("diffuse-resolution", 32, &P::diffuseResolution, 1, 25),
        intField("online-resolution", 36, &P::onlineResolution, 1, 25),
        realField("latitude", 40, &P::latitude, -90, 90),
        realField("longitude", 48, &P::longitude, -180, 180),
        realField("correction", 56, &P::correction, -12, 12),
        intField("resolution", 64, &P::resolution, 1, 25),
        intField("elevation-intervals", 72, &P::elevationIntervals, 1, 25),
        realField("sky-reduction", 80, &P::skyReduction, 0, 1),
        realField("obstacle-reflectance", 88, &P::obstacleReflectance, 0, 1),
    }};
    return table;
}

const Field* findField(const std::string& key) {
    for (const auto& f : fields())
        if (key == f.key) return &f;
    return nullptr;
}

// Shortest text that reads back as the same double.
std::string shortestText(double v) {
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, ptr) : std::string("nan");
}

std::string rangeText(const Field& f) {
    if (f.flag) return "0 or 1";
    if (f.integer) return formatInt(static_cast<long long>(f.min)) + ".." +
                          formatInt(static_cast<long long>(f.max));
    return shortestText(f.min) + ".." + shortestText(f.max);
}

std::string fieldText(const TSimParameter& p, const Field& f) {
    if (f.flag) return p.*f.flag ? "1" : "0";
    if (f.integer) return formatInt(p.*f.integer);
    return shortestText(p.*f.real);
}

bool inRange(const TSimParameter& p, const Field& f) {
    if (f.flag) return true;
    const double v = f.integer ? static_cast<double>(p.*f.integer) : p.*f.real;
    return v >= f.min && v <= f.max;  // false for NaN
}

}  // namespace

std::array<std::uint8_t, kSimParameterSize> encodeSimParameter(const TSimParameter& p) {
    Bytes b{};
    b[0] = p.fastRun ? 1 : 0;
    b[1] = p.monthly ? 1 : 0;
    b[2] = p.diffuse ? 1 : 0;
    b[3] = p.reserved3;
    putInt32(b, 4, p.firstMonth);
    putInt32(b, 8, p.stopMonth);
    putInt32(b, 12, p.firstDay);
    putInt32(b, 16, p.stopDay);
    putInt32(b, 20, p.intervalDays);
    putInt32(b, 24, p.intervalMinutes);
    putInt32(b, 28, p.monthStartDay);
    putInt32(b, 32, p.diffuseResolution);
    putInt32(b, 36, p.onlineResolution);
    putDouble(b, 40, p.latitude);
    putDouble(b, 48, p.longitude);
    putDouble(b, 56, p.correction);
    putInt32(b, 64, p.resolution);
    std::copy(p.reserved68.begin(), p.reserved68.end(), b.begin() + 68);
    putInt32(b, 72, p.elevationIntervals);
    std::copy(p.reserved76.begin(), p.reserved76.end(), b.begin() + 76);
    putDouble(b, 80, p.skyReduction);
    putDouble(b, 88, p.obstacleReflectance);
    return b;
}

TSimParameter decodeSimParameter(const std::array<std::uint8_t, kSimParameterSize>& b) {
    TSimParameter p;
    p.fastRun = b[0] != 0;
    p.monthly = b[1] != 0;
    p.diffuse = b[2] != 0;
    p.reserved3 = b[3];
    p.firstMonth = getInt32(b, 4);
    p.stopMonth = getInt32(b, 8);
    p.firstDay = getInt32(b, 12);
    p.stopDay = getInt32(b, 16);
    p.intervalDays = getInt32(b, 20);
    p.intervalMinutes = getInt32(b, 24);
    p.monthStartDay = getInt32(b, 28);
    p.diffuseResolution = getInt32(b, 32);
    p.onlineResolution = getInt32(b, 36);
    p.latitude = getDouble(b, 40);
    p.longitude = getDouble(b, 48);
    p.correction = getDouble(b, 56);
    p.resolution = getInt32(b, 64);
    std::copy(b.begin() + 68, b.begin() + 72, p.reserved68.begin());
    p.elevationIntervals = getInt32(b, 72);
    std::copy(b.begin() + 76, b.begin() + 80, p.reserved76.begin());
    p.skyReduction = getDouble(b, 80);
    p.obstacleReflectance = getDouble(b, 88);
    return p;
}

std::string simParameterProblem(const TSimParameter& p) {
    for (const auto& f : fields()) {
        if (inRange(p, f)) continue;
        return "field " + std::string(f.key) + " (offset " + formatInt(static_cast<long long>(f.offset)) +
               ") holds " + fieldText(p, f) + ", outside " + rangeText(f);
    }
    return {};
}

TSimParameter readKonFile(const std::string& path) {
    const std::string bytes = readFileBytes(path);
    if (bytes.size() != kSimParameterSize) {
        throw InputError(path, 0,
                         "a parameter file must be exactly " + formatInt(kSimParameterSize) +
                             " bytes long, this one has " +
                             formatInt(static_cast<long long>(bytes.size())) + " bytes");
    }
    Bytes b{};
    std::transform(bytes.begin(), bytes.end(), b.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    TSimParameter p = decodeSimParameter(b);
    if (std::string problem = simParameterProblem(p); !problem.empty())
        throw InputError(path, 0, problem);
    return p;
}

void writeKonFile(const std::string& path, const TSimParameter& p) {
    const Bytes b = encodeSimParameter(p);
    std::string bytes(kSimParameterSize, '\0');
    std::transform(b.begin(), b.end(), bytes.begin(), [](std::uint8_t u) { return static_cast<char>(u); });
    writeFileAtomically(path, bytes);
}

void copyOpenedParameters(TSimParameter& live, const TSimParameter& fromFile) {
    live.monthly = fromFile.monthly;                      // 1
    live.diffuse = fromFile.diffuse;                      // 2
    live.firstMonth = fromFile.firstMonth;                // 4..
    live.stopMonth = fromFile.stopMonth;
    live.firstDay = fromFile.firstDay;
    live.stopDay = fromFile.stopDay;
    live.intervalDays = fromFile.intervalDays;
    live.intervalMinutes = fromFile.intervalMinutes;
    live.monthStartDay = fromFile.monthStartDay;
    live.diffuseResolution = fromFile.diffuseResolution;
    live.onlineResolution = fromFile.onlineResolution;    // ..39
    live.resolution = fromFile.resolution;                // 64
    live.elevationIntervals = fromFile.elevationIntervals;  // 72
    live.skyReduction = fromFile.skyReduction;            // 80..
    live.obstacleReflectance = fromFile.obstacleReflectance;  // ..95
}

bool isReservedKonName(const std::string& path) {
    // Either separator: a name typed on another system still counts.
    const auto sep = path.find_last_of("/\\");
    std::string name = sep == std::string::npos ? path : path.substr(sep + 1);
    std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return name == kStandardKonName;
}

TSimParameter startupParameters(const std::string& directory, std::string* warning) {
    TSimParameter start;
    const std::string path = directory + kStandardKonName;
    if (!fileExists(path)) return start;
    try {
        return readKonFile(path);
    } catch (const InputError& e) {
        if (warning) *warning = e.what();
        return start;
    }
}

const std::vector<std::string>& simParameterKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k;
        for (const auto& f : fields()) k.emplace_back(f.key);
        return k;
    }();
    return keys;
}

void setSimParameter(TSimParameter& p, const std::string& key, const std::string& value) {
    const Field* f = findField(key);
    if (!f) throw InputError(key + ": unknown parameter");
    const std::string_view text = trimBlanks(value);
    auto refuse = [&](const std::string& why) {
        return InputError(key + ": \"" + value + "\" " + why);
    };
    if (f->flag) {
        if (text != "0" && text != "1") throw refuse("is not 0 or 1");
        p.*f->flag = text == "1";
        return;
    }
    if (f->integer) {
        const auto v = parseInteger(text);
        if (!v) throw refuse("is not an integer");
        if (static_cast<double>(*v) < f->min || static_cast<double>(*v) > f->max)
            throw refuse("is outside " + rangeText(*f));
        p.*f->integer = static_cast<std::int32_t>(*v);
        return;
    }
    const auto v = parseNumber(text);
    if (!v) throw refuse("is not a number");
    if (*v < f->min || *v > f->max) throw refuse("is outside " + rangeText(*f));
    p.*f->real = *v;
}

std::string simParameterValue(const TSimParameter& p, const std::string& key) {
    if (key == "fast-run") return p.fastRun ? "1" : "0";
    const Field* f = findField(key);
    if (!f) throw InputError(key + ": unknown parameter");
    return fieldText(p, *f);
}

}  // namespace penumbro
