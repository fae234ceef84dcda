#pragma once
// Reading a report file (.rep) back into its instants, for the exchange exports.
// The fields are separated by blanks; a file written with the decimal comma reads the
// same as one written with the point.

#include "project/ProjectText.h"

#include <string>
#include <vector>

namespace penumbro {

struct ReportEntry {
    int line = 0;  // 1-based line in the file
    int step = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    double result = 0;  // shaded fraction 0..1, or the codes -1 and -2
    double sky = 0;     // only when the report has diffuse values
    double ground = 0;
};

struct ReportContent {
    std::vector<ReportEntry> entries;
    bool hasDiffuse = false;
};

// Every line holds 6 fields, or 10 with diffuse values (the same count throughout);
// empty lines are skipped. Throws InputError naming fileName and the line for a
// field that is not a finite number, a day outside 1..365, a time outside
// 00:00..23:59, a shading value that is neither 0..1 nor a code, a diffuse value
// outside 0..1, a value not followed by 1 minus itself, step numbers other than
// 1, 2, 3, ..., instants that do not go forward in time (one turn of the year allowed,
// ending before the first instant), and for a file without instants.
ReportContent readReport(const Lines& lines, const std::string& fileName);

}  // namespace penumbro
