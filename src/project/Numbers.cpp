#include "project/Numbers.h"

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
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || first == last) return std::nullopt;
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

std::string formatFixed(double value, int width, int decimals, bool decimalComma) {
    char buf[400];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string s = ec == std::errc() ? std::string(buf, ptr) : std::string("NaN");
    if (decimalComma && decimals > 0) s[s.size() - static_cast<std::size_t>(decimals) - 1] = ',';
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    return s;
}

std::string_view trimBlanks(std::string_view text) {
    auto b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    auto e = text.find_last_not_of(' ');
    return text.substr(b, e - b + 1);
}

}  // namespace penumbro
