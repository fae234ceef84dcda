#include "editor/generators/GeneratorFormat.h"

#include "project/Numbers.h"

#include <charconv>

namespace penumbro {

double asWritten(double value, int decimals) {
    return parseNumber(formatFixed(value, 0, decimals)).value_or(value);
}

Vec3 asWritten(const Vec3& p, int decimals) {
    return {asWritten(p.x, decimals), asWritten(p.y, decimals), asWritten(p.z, decimals)};
}

UV asWritten(const UV& corner) {
    return {asWritten(corner.u, kVertexDecimals), asWritten(corner.v, kVertexDecimals)};
}

std::string vertexLine(const Vec3& p) {
    const int d = kVertexDecimals;
    return formatFixed(p.x, 8, d) + " " + formatFixed(p.y, 8, d) + " " + formatFixed(p.z, 8, d);
}

std::string localLine(const UV& corner) {
    return "# " + vertexLine({corner.u, 0.0, corner.v});
}

std::string placementLine(double first, double second, double p1, double p2, double p3) {
    const int d = kParameterDecimals;
    return "# " + formatFixed(first, 4, d) + "  " + formatFixed(second, 4, d) + "  " + formatFixed(p1, 5, d) +
           "  " + formatFixed(p2, 5, d) + "  " + formatFixed(p3, 5, d);
}

std::string parameterFields(const std::vector<double>& values) {
    std::string line = "#";
    for (std::size_t i = 0; i < values.size(); ++i) {
        line += i == 0 ? " " : "  ";
        line += formatFixed(values[i], 7, kParameterDecimals);
    }
    return line;
}

std::optional<std::vector<double>> readLineNumbers(std::string_view line, std::size_t count) {
    std::size_t pos = line.find_first_not_of(" #");
    std::vector<double> numbers;
    while (numbers.size() < count) {
        if (pos == std::string_view::npos || pos >= line.size()) return std::nullopt;
        std::size_t end = line.find(' ', pos);
        if (end == std::string_view::npos) end = line.size();
        auto value = parseNumber(line.substr(pos, end - pos));
        if (!value) return std::nullopt;
        numbers.push_back(*value);
        pos = line.find_first_not_of(' ', end);
    }
    return numbers;
}

std::string panelNumber(double value) {
    if (value == 0) return "0";
    char buf[400];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc()) return formatFixed(value, 0, 6);
    return std::string(buf, ptr);
}

}  // namespace penumbro
