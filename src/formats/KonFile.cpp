#include "formats/KonFile.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <type_traits>
#include <utility>
#include <variant>

namespace penumbro {

namespace {

using Bytes = std::array<std::uint8_t, kSimParameterSize>;
using P = TSimParameter;
using Reserved = std::array<std::uint8_t, 4>;
using Member = std::variant<bool P::*, std::uint8_t P::*, std::int32_t P::*, double P::*, Reserved P::*>;

// One field of the record: its member, its offset in the file and, for the fields the
// command line sets, its key and allowed range.
struct Field {
    Member member;
    std::size_t offset;
    const char* key = nullptr;  // nullptr: reserved bytes
    double min = 0;
    double max = 1;
    bool keyed = true;   // among simParameterKeys (the fast-run flag is not: each caller sets it)
    bool opened = true;  // taken over when a .kon is opened (not the fast-run flag, not the site)
};

// Record order, covering all 96 bytes. The ranges are those of the fast-run window's
// controls; the site's are those of the "Standort" line.
constexpr std::array<Field, 22> kFields = {{
    {&P::fastRun, 0, "fast-run", 0, 1, false, false},
    {&P::monthly, 1, "monthly"},
    {&P::diffuse, 2, "diffuse"},
    {&P::reserved3, 3, nullptr, 0, 0, false, false},
    {&P::firstMonth, 4, "first-month", 1, 12},
    {&P::stopMonth, 8, "stop-month", 1, 12},
    {&P::firstDay, 12, "first-day", 1, 365},
    {&P::stopDay, 16, "stop-day", 1, 365},
    {&P::intervalDays, 20, "interval-days", 1, 365},
    {&P::intervalMinutes, 24, "interval-minutes", 1, 60},
    {&P::monthStartDay, 28, "month-start-day", 1, 28},
    {&P::diffuseResolution, 32, "diffuse-resolution", 1, 25},
    {&P::onlineResolution, 36, "online-resolution", 1, 25},
    {&P::latitude, 40, "latitude", -90, 90, true, false},
    {&P::longitude, 48, "longitude", -180, 180, true, false},
    {&P::correction, 56, "correction", -12, 12, true, false},
    {&P::resolution, 64, "resolution", 1, 25},
    {&P::reserved68, 68, nullptr, 0, 0, false, false},
    {&P::elevationIntervals, 72, "elevation-intervals", 1, 25},
    {&P::reserved76, 76, nullptr, 0, 0, false, false},
    {&P::skyReduction, 80, "sky-reduction", 0, 1},
    {&P::obstacleReflectance, 88, "obstacle-reflectance", 0, 1},
}};

template <class M>
using MemberType = std::remove_reference_t<decltype(std::declval<P&>().*std::declval<M>())>;

// The table is the layout: every byte belongs to exactly one field, in order.
constexpr bool tilesTheRecord() {
    std::size_t next = 0;
    for (const auto& f : kFields) {
        if (f.offset != next) return false;
        next += std::visit([](auto m) { return sizeof(MemberType<decltype(m)>); }, f.member);
    }
    return next == kSimParameterSize;
}
static_assert(tilesTheRecord());

// Little-endian bytes of a field's value: flags as 0/1, doubles by their bit pattern.
template <class T>
void putField(Bytes& b, std::size_t at, const T& v) {
    if constexpr (std::is_same_v<T, Reserved>) {
        std::copy(v.begin(), v.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
        std::uint64_t u = 0;
        if constexpr (std::is_same_v<T, double>) u = std::bit_cast<std::uint64_t>(v);
        else if constexpr (std::is_same_v<T, bool>) u = v ? 1 : 0;
        else u = static_cast<std::make_unsigned_t<T>>(v);
        for (std::size_t i = 0; i < sizeof(T); ++i) b[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
    }
}

template <class T>
T getField(const Bytes& b, std::size_t at) {
    if constexpr (std::is_same_v<T, Reserved>) {
        Reserved r{};
        std::copy(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + 4),
                  r.begin());
        return r;
    } else {
        std::uint64_t u = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) u |= static_cast<std::uint64_t>(b[at + i]) << (8 * i);
        if constexpr (std::is_same_v<T, double>) return std::bit_cast<double>(u);
        else if constexpr (std::is_same_v<T, bool>) return u != 0;
        else return static_cast<T>(static_cast<std::make_unsigned_t<T>>(u));
    }
}

const Field* findField(const std::string& key) {
    for (const auto& f : kFields)
        if (f.keyed && key == f.key) return &f;
    return nullptr;
}

// Shortest text that reads back as the same double.
std::string shortestText(double v) {
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, ptr) : std::string("nan");
}

bool isFlag(const Field& f) { return std::holds_alternative<bool P::*>(f.member); }
bool isInteger(const Field& f) { return std::holds_alternative<std::int32_t P::*>(f.member); }

std::string rangeText(const Field& f) {
    if (isFlag(f)) return "0 or 1";
    if (isInteger(f))
        return formatInt(static_cast<long long>(f.min)) + ".." + formatInt(static_cast<long long>(f.max));
    return shortestText(f.min) + ".." + shortestText(f.max);
}

std::string fieldText(const TSimParameter& p, const Field& f) {
    if (isFlag(f)) return p.*std::get<bool P::*>(f.member) ? "1" : "0";
    if (isInteger(f)) return formatInt(p.*std::get<std::int32_t P::*>(f.member));
    return shortestText(p.*std::get<double P::*>(f.member));
}

// The numeric value of an integer or real field.
double numericValue(const TSimParameter& p, const Field& f) {
    if (isInteger(f)) return static_cast<double>(p.*std::get<std::int32_t P::*>(f.member));
    return p.*std::get<double P::*>(f.member);
}

bool inRange(const TSimParameter& p, const Field& f) {
    if (!f.keyed || isFlag(f)) return true;
    const double v = numericValue(p, f);
    return v >= f.min && v <= f.max;  // false for NaN
}

}  // namespace

std::array<std::uint8_t, kSimParameterSize> encodeSimParameter(const TSimParameter& p) {
    Bytes b{};
    for (const auto& f : kFields)
        std::visit([&](auto m) { putField(b, f.offset, p.*m); }, f.member);
    return b;
}

TSimParameter decodeSimParameter(const std::array<std::uint8_t, kSimParameterSize>& b) {
    TSimParameter p;
    for (const auto& f : kFields)
        std::visit([&](auto m) { p.*m = getField<MemberType<decltype(m)>>(b, f.offset); },
                   f.member);
    return p;
}

std::optional<ErrorMessage> simParameterProblem(const TSimParameter& p) {
    for (const auto& f : kFields) {
        if (inRange(p, f)) continue;
        return ErrorMessage(ErrorId::ParameterFieldRange, {std::string(f.key), formatInt(static_cast<long long>(f.offset)),
                                                           fieldText(p, f), rangeText(f)});
    }
    return std::nullopt;
}

TSimParameter readKonFile(const std::string& path) {
    const std::string bytes = readFileBytes(path);
    if (bytes.size() != kSimParameterSize) {
        throw InputError(path, 0,
                         {ErrorId::ParameterFileSize,
                          {formatInt(kSimParameterSize), formatInt(static_cast<long long>(bytes.size()))}});
    }
    Bytes b{};
    std::transform(bytes.begin(), bytes.end(), b.begin(),
                   [](char c) { return static_cast<std::uint8_t>(c); });
    TSimParameter p = decodeSimParameter(b);
    if (auto problem = simParameterProblem(p)) throw InputError(path, 0, *problem);
    return p;
}

void writeKonFile(const std::string& path, const TSimParameter& p) {
    const Bytes b = encodeSimParameter(p);
    std::string bytes(kSimParameterSize, '\0');
    std::transform(b.begin(), b.end(), bytes.begin(), [](std::uint8_t u) { return static_cast<char>(u); });
    writeFileAtomically(path, bytes);
}

void copyOpenedParameters(TSimParameter& live, const TSimParameter& fromFile) {
    for (const auto& f : kFields)
        if (f.opened) std::visit([&](auto m) { live.*m = fromFile.*m; }, f.member);
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
        for (const auto& f : kFields)
            if (f.keyed) k.emplace_back(f.key);
        return k;
    }();
    return keys;
}

void setSimParameter(TSimParameter& p, const std::string& key, const std::string& value) {
    const Field* f = findField(key);
    if (!f) throw InputError({ErrorId::UnknownParameter, {key}});
    const std::string_view text = trimBlanks(value);
    auto refuse = [&](ErrorId why, std::string range = {}) {
        return InputError({why, {key, value, std::move(range)}});
    };
    if (isFlag(*f)) {
        if (text != "0" && text != "1") throw refuse(ErrorId::ParameterNotFlag);
        p.*std::get<bool P::*>(f->member) = text == "1";
        return;
    }
    if (isInteger(*f)) {
        const auto v = parseInteger(text);
        if (!v) throw refuse(ErrorId::ParameterNotInteger);
        if (static_cast<double>(*v) < f->min || static_cast<double>(*v) > f->max)
            throw refuse(ErrorId::ParameterOutside, rangeText(*f));
        p.*std::get<std::int32_t P::*>(f->member) = static_cast<std::int32_t>(*v);
        return;
    }
    const auto v = parseNumber(text);
    if (!v) throw refuse(ErrorId::ParameterNotNumber);
    if (*v < f->min || *v > f->max) throw refuse(ErrorId::ParameterOutside, rangeText(*f));
    p.*std::get<double P::*>(f->member) = *v;
}

std::string simParameterValue(const TSimParameter& p, const std::string& key) {
    const auto f = std::find_if(kFields.begin(), kFields.end(),
                                [&](const Field& g) { return g.key && key == g.key; });
    if (f == kFields.end()) throw InputError({ErrorId::UnknownParameter, {key}});
    return fieldText(p, *f);
}

}  // namespace penumbro
