#include "simulation/ReportReader.h"

#include "project/InputError.h"
#include "project/Numbers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace penumbro {

namespace {

std::vector<std::string> blankSeparated(const std::string& line) {
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

bool isShadingResult(double v) { return (v >= 0.0 && v <= 1.0) || v == -1.0 || v == -2.0; }

}  // namespace

ReportContent readReport(const Lines& lines, const std::string& fileName) {
    ReportContent content;
    std::size_t fieldCount = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        const auto fail = [&](ErrorMessage why) { throw InputError(fileName, lineNo, std::move(why)); };
        const std::vector<std::string> f = blankSeparated(lines[i]);
        if (f.empty()) continue;
        if (f.size() != 6 && f.size() != 10) {
            fail({ErrorId::ReportFieldCount, {std::to_string(f.size())}});
        }
        if (fieldCount == 0) fieldCount = f.size();
        if (f.size() != fieldCount)
            fail({ErrorId::ReportFieldsDiffer, {std::to_string(f.size()), std::to_string(fieldCount)}});
        std::array<long long, 4> ints{};
        for (std::size_t k = 0; k < 4; ++k) {
            const auto v = parseInteger(f[k]);
            if (!v) fail({ErrorId::FieldNotWholeNumber, {std::to_string(k + 1), f[k]}});
            ints[k] = *v;
        }
        const auto real = [&](std::size_t k) {
            std::string text = f[k];
            std::replace(text.begin(), text.end(), ',', '.');
            const auto v = parseNumber(text);
            if (!v || !std::isfinite(*v)) fail({ErrorId::ReportFieldNotNumber, {std::to_string(k + 1), f[k]}});
            return *v;
        };
        ReportEntry e;
        e.line = lineNo;
        e.step = static_cast<int>(ints[0]);
        if (ints[1] < 1 || ints[1] > 365) fail({ErrorId::DayRange, {f[1]}});
        if (ints[2] < 0 || ints[2] > 23 || ints[3] < 0 || ints[3] > 59) fail({ErrorId::TimeRange, {f[2], f[3]}});
        e.day = static_cast<int>(ints[1]);
        e.hour = static_cast<int>(ints[2]);
        e.minute = static_cast<int>(ints[3]);
        e.result = real(4);
        if (!isShadingResult(e.result)) fail({ErrorId::ShadingRange, {f[4]}});
        if (fieldCount == 10) {
            e.sky = real(6);
            e.ground = real(8);
        }
        content.entries.push_back(e);
    }
    if (content.entries.empty()) throw InputError(fileName, 1, ErrorId::ReportEmpty);
    content.hasDiffuse = fieldCount == 10;
    return content;
}

}  // namespace penumbro
