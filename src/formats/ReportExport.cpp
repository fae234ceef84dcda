#include "formats/ReportExport.h"

#include "project/Calendar.h"
#include "project/Encoding.h"
#include "project/InputError.h"
#include "project/Numbers.h"

namespace penumbro {

namespace {

std::string twoDigits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// MM/DD HH:MM of a minute of the day (up to 24:00).
std::string stamp(int day, int minuteOfDay) {
    const int month = monthOfDay(day);
    const int dom = day - kMonatsanfang[static_cast<std::size_t>(month - 1)] + 1;
    return twoDigits(month) + "/" + twoDigits(dom) + " " + twoDigits(minuteOfDay / 60) + ":" +
           twoDigits(minuteOfDay % 60);
}

// The day and "HH:MM" of a minute of the year.
std::vector<ErrorArg> when(int minute) {
    const int day = minute / 1440 + 1;
    return {std::to_string(day), stamp(day, minute % 1440).substr(6)};
}

}  // namespace

int energyPlusStep(const ReportFile& report, const std::string& repName) {
    const std::optional<int> step = reportStep(report);
    if (!step) throw InputError(repName, report.lines.front(), ErrorId::ExportSingleInstant);
    if (*step <= 0 || 60 % *step != 0) {
        throw InputError(repName, report.lines[1], {ErrorId::ExportStep, {std::to_string(*step)}});
    }
    return *step;
}

std::string energyPlusSchedule(const ReportFile& report, int step, const std::string& repName, int endLine,
                               const std::string& target) {
    const auto& e = report.entries;
    const auto expected = static_cast<std::size_t>(365 * 1440 / step);
    // Today's tools read UTF-8; the name must match the surface in the user's model.
    std::string out = "Surface Name," + cp1252ToUtf8(target) + "\n";
    for (std::size_t i = 0; i < e.size(); ++i) {
        const int want = static_cast<int>(i) * step;
        if (i >= expected) throw InputError(repName, report.lines[i], ErrorId::ExportAfterYear);
        if (minuteOfYear(e[i]) != want) {
            std::vector<ErrorArg> args = when(want);
            for (ErrorArg& a : when(minuteOfYear(e[i]))) args.push_back(std::move(a));
            throw InputError(repName, report.lines[i], {ErrorId::ExportExpected, std::move(args)});
        }
        const double sunlit = e[i].result < 0 ? 0.0 : 1.0 - e[i].result;
        out += stamp(e[i].day, e[i].hour * 60 + e[i].minute + step) + "," + formatFixed(sunlit, 0, 3) + "\n";
    }
    if (e.size() < expected) {
        throw InputError(repName, endLine, {ErrorId::ExportReportEnds, when(static_cast<int>(e.size()) * step)});
    }
    return out;
}

std::string hourlyCsvTable(const ReportFile& report, const std::vector<SunAngles>& sun) {
    std::string out = "day,month,hour,minute,sun_azimuth,sun_elevation,shading,sky_factor,ground_factor\n";
    for (std::size_t i = 0; i < report.entries.size(); ++i) {
        const TSchrittEintrag& e = report.entries[i];
        out += std::to_string(e.day) + "," + std::to_string(monthOfDay(e.day)) + "," + std::to_string(e.hour) +
               "," + std::to_string(e.minute) + "," + formatFixed(sun[i].azimuth, 0, 2) + "," +
               formatFixed(sun[i].elevation, 0, 2) + "," + formatFixed(e.result, 0, 3) + ",";
        // Without diffuse values the two columns stay empty.
        out += report.hasDiffuse ? formatFixed(e.sky, 0, 3) + "," + formatFixed(e.ground, 0, 3) : ",";
        out += "\n";
    }
    return out;
}

}  // namespace penumbro
