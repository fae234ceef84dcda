#include "formats/ReportFile.h"

#include "project/InputError.h"
#include "project/Numbers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace penumbro {

namespace {

bool isShadingResult(double v) { return (v >= 0.0 && v <= 1.0) || v == -1.0 || v == -2.0; }

// Each value is followed by 1 minus itself; both are rounded to three decimals.
bool isComplement(double v, double complement) { return std::fabs(v + complement - 1.0) <= 0.0015; }

std::string clockText(const TSchrittEintrag& e) {
    return (e.hour < 10 ? "0" : "") + std::to_string(e.hour) + ":" + (e.minute < 10 ? "0" : "") +
           std::to_string(e.minute);
}

}  // namespace

std::string reportLine(const TSchrittEintrag& e, bool withDiffuse, bool comma) {
    std::string s;
    s.reserve(80);
    s += formatInt(e.step, 5);
    s += "  ";
    s += formatInt(e.day, 3);
    s += "  ";
    s += formatInt(e.hour, 2);
    s += "  ";
    s += formatInt(e.minute, 2);
    s += "  ";
    s += formatFixed(e.result, 6, 3, comma);
    s += "  ";
    s += formatFixed(1.0 - e.result, 4, 3, comma);
    if (withDiffuse) {
        for (double v : {e.sky, 1.0 - e.sky, e.ground, 1.0 - e.ground}) {
            s += "  ";
            s += formatFixed(v, 4, 3, comma);
        }
    }
    s += "\r\n";
    return s;
}

std::string formatReport(const ReportFile& report) {
    std::string out;
    for (const TSchrittEintrag& e : report.entries) out += reportLine(e, report.hasDiffuse, report.decimalComma);
    return out;
}

int minuteOfYear(const TSchrittEintrag& e) { return (e.day - 1) * 1440 + e.hour * 60 + e.minute; }

std::optional<int> reportStep(const ReportFile& report) {
    if (report.entries.size() < 2) return std::nullopt;
    return minuteOfYear(report.entries[1]) - minuteOfYear(report.entries[0]);
}

ReportFile readReport(const Lines& lines, const std::string& fileName) {
    ReportFile content;
    std::size_t fieldCount = 0;
    // A run's instants go forward in time; a run across the year's end starts again at
    // day 1 once.
    bool wrapped = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        const auto fail = [&](ErrorMessage why) { throw InputError(fileName, lineNo, std::move(why)); };
        const std::vector<std::string> f = blankSeparatedFields(lines[i]);
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
            if (text.find(',') != std::string::npos) content.decimalComma = true;
            std::replace(text.begin(), text.end(), ',', '.');
            const auto v = parseNumber(text);
            if (!v || !std::isfinite(*v)) fail({ErrorId::ReportFieldNotNumber, {std::to_string(k + 1), f[k]}});
            return *v;
        };
        TSchrittEintrag e;
        e.step = static_cast<std::int32_t>(ints[0]);
        if (ints[1] < 1 || ints[1] > 365) fail({ErrorId::DayRange, {f[1]}});
        if (ints[2] < 0 || ints[2] > 23 || ints[3] < 0 || ints[3] > 59) fail({ErrorId::TimeRange, {f[2], f[3]}});
        e.day = static_cast<std::int32_t>(ints[1]);
        e.hour = static_cast<std::int32_t>(ints[2]);
        e.minute = static_cast<std::int32_t>(ints[3]);
        const long long expectedStep = static_cast<long long>(content.entries.size()) + 1;
        if (ints[0] != expectedStep) fail({ErrorId::ReportStepOrder, {f[0], std::to_string(expectedStep)}});
        e.result = real(4);
        if (!isShadingResult(e.result)) fail({ErrorId::ShadingRange, {f[4]}});
        if (fieldCount == 10) {
            for (const std::size_t k : {std::size_t{6}, std::size_t{8}}) {
                const double v = real(k);
                if (!(v >= 0.0 && v <= 1.0)) fail({ErrorId::ReportFactorRange, {std::to_string(k + 1), f[k]}});
            }
            e.sky = real(6);
            e.ground = real(8);
        }
        const std::array<double, 3> values{e.result, e.sky, e.ground};
        for (std::size_t k = 0; k < fieldCount / 2 - 2; ++k) {
            const std::size_t at = 4 + 2 * k;
            if (!isComplement(values[k], real(at + 1)))
                fail({ErrorId::ReportComplement, {std::to_string(at + 2), f[at + 1], std::to_string(at + 1)}});
        }
        if (!content.entries.empty()) {
            const TSchrittEintrag& before = content.entries.back();
            const bool forward = minuteOfYear(e) > minuteOfYear(before);
            // After the turn of the year a run stops before the instant it started at.
            const bool overlaps = (wrapped || !forward) && minuteOfYear(e) >= minuteOfYear(content.entries.front());
            if ((!forward && wrapped) || overlaps) {
                fail({ErrorId::ReportTimeOrder,
                      {std::to_string(e.day), clockText(e), std::to_string(before.day), clockText(before)}});
            }
            if (!forward) wrapped = true;
        }
        content.entries.push_back(e);
        content.lines.push_back(lineNo);
    }
    if (content.entries.empty()) throw InputError(fileName, 1, ErrorId::ReportEmpty);
    content.hasDiffuse = fieldCount == 10;
    return content;
}

}  // namespace penumbro
