#include "project/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace penumbro {

std::optional<long long> parseInteger(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::size_t start = 0;
    if (text[0] == '+') start = 1;
    long long value = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    if (first == last || (*first == '-' && start == 1)) return std::nullopt;  // "+-1"
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    return value;
}

std::optional<double> parseNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::size_t start = 0;
    if (text[0] == '+') start = 1;
    double value = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    if (first == last || (*first == '-' && start == 1)) return std::nullopt;
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string formatInt(long long value, int width) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    return s;
}

namespace {
// True when value lies exactly halfway between two numbers of `decimals` decimals:
// its exact decimal expansion ends with a 5 at position decimals + 1.
bool isExactTie(double value, int decimals) {
    // A double's exact expansion has at most 1074 decimals and 309 integer digits.
    static constexpr int kAllDigits = 1074;
    if (decimals >= kAllDigits) return false;
    char buf[1500];
    const auto [ptr, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, kAllDigits);
    if (ec != std::errc()) return false;
    const char* end = ptr;
    const char* point = std::find(static_cast<const char*>(buf), end, '.');
    if (point == end) return false;
    const char* fifth = point + 1 + decimals;  // the first digit that is dropped
    if (fifth >= end || *fifth != '5') return false;
    return std::all_of(fifth + 1, end, [](char c) { return c == '0'; });
}
}  // namespace

std::string formatFixed(double value, int width, int decimals, bool decimalComma) {
    char buf[400];
    // Ties round away from zero, as the files have always been written (to_chars would
    // round them to even: 0.125 -> "0.12" instead of "0.13"). One step past the tie
    // gives the same digits.
    if (std::isfinite(value) && decimals >= 0 && isExactTie(value, decimals))
        value = std::nextafter(value, value < 0 ? -HUGE_VAL : HUGE_VAL);
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string s = ec == std::errc() ? std::string(buf, ptr) : std::string("NaN");
    // Only a number has a point to swap ("nan" and "inf" have none).
    if (auto point = s.find('.'); decimalComma && point != std::string::npos) s[point] = ',';
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    return s;
}

std::string_view trimBlanks(std::string_view text) {
    auto b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    auto e = text.find_last_not_of(' ');
    return text.substr(b, e - b + 1);
}

std::vector<std::string> blankSeparatedFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

}  // namespace penumbro
