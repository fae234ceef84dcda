#pragma once
// The report file (.rep): one line per simulated instant, a fixed layout other programs
// parse. Written with CR LF; read back field by field (blank-separated), so a file
// written with the decimal comma reads the same as one written with the point.

#include "project/ProjectText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace penumbro {

// One simulated instant.
struct TSchrittEintrag {
    std::int32_t step = 0;    // counts instants from 1 over the run
    std::int32_t day = 0;     // 1..365
    std::int32_t hour = 0;    // 0..23
    std::int32_t minute = 0;  // 0..59
    double result = 0;        // shaded fraction 0..1, or -1 (sun below the horizon or behind
                              // the target) or -2 (sun behind the horizon line)
    double sky = 0;           // diffuse sky factor (only with diffuse radiation)
    double ground = 0;        // ground-reflection factor (only with diffuse radiation)

    bool operator==(const TSchrittEintrag&) const = default;
};

struct ReportFile {
    std::vector<TSchrittEintrag> entries;
    std::vector<int> lines;  // the 1-based file line of each entry (empty lines are skipped)
    bool hasDiffuse = false;
    bool decimalComma = false;  // some value read carried a ","

    bool operator==(const ReportFile&) const = default;
};

// Report line: step n:5, day n:3, hour n:2, minute n:2, result x:6:3, 1-result x:4:3,
// then with diffuse sky, 1-sky, ground, 1-ground (x:4:3 each); fields separated by two blanks.
std::string reportLine(const TSchrittEintrag& e, bool withDiffuse, bool decimalComma);
// Every entry's line.
std::string formatReport(const ReportFile& report);

// Every line holds 6 fields, or 10 with diffuse values (the same count throughout);
// empty lines are skipped. Throws InputError naming fileName and the line for a
// field that is not a finite number, a day outside 1..365, a time outside
// 00:00..23:59, a shading value that is neither 0..1 nor a code, a diffuse value
// outside 0..1, a value not followed by 1 minus itself, step numbers other than
// 1, 2, 3, ..., instants that do not go forward in time (one turn of the year allowed,
// ending before the first instant), and for a file without instants.
ReportFile readReport(const Lines& lines, const std::string& fileName);

// The minute of the year an instant stands at (day 1, 00:00 is 0).
int minuteOfYear(const TSchrittEintrag& e);
// The run's step in minutes: the time between the first two instants; none for a
// report of one instant.
std::optional<int> reportStep(const ReportFile& report);

}  // namespace penumbro
