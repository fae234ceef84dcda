#include "simulation/ReportReader.h"

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

std::string clockText(const ReportEntry& e) {
    return (e.hour < 10 ? "0" : "") + std::to_string(e.hour) + ":" + (e.minute < 10 ? "0" : "") +
           std::to_string(e.minute);
}

}  // namespace

ReportContent readReport(const Lines& lines, const std::string& fileName) {
    ReportContent content;
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
            const ReportEntry& before = content.entries.back();
            const auto minuteOf = [](const ReportEntry& x) { return (x.day - 1) * 1440 + x.hour * 60 + x.minute; };
            const bool forward = minuteOf(e) > minuteOf(before);
            // After the turn of the year a run stops before the instant it started at.
            const bool overlaps = (wrapped || !forward) && minuteOf(e) >= minuteOf(content.entries.front());
            if ((!forward && wrapped) || overlaps) {
                fail({ErrorId::ReportTimeOrder,
                      {std::to_string(e.day), clockText(e), std::to_string(before.day), clockText(before)}});
            }
            if (!forward) wrapped = true;
        }
        content.entries.push_back(e);
    }
    if (content.entries.empty()) throw InputError(fileName, 1, ErrorId::ReportEmpty);
    content.hasDiffuse = fieldCount == 10;
    return content;
}

}  // namespace penumbro
