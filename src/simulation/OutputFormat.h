#pragma once
// The lines of the report (.rep) and mean-value (.mit) files. Fixed layouts that
// the export and other programs parse: every line ends with CR LF.

#include <cstdint>
#include <string>

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
};

// Report line: step n:5, day n:3, hour n:2, minute n:2, result x:6:3, 1-result x:4:3,
// then with diffuse sky, 1-sky, ground, 1-ground (x:4:3 each); fields separated by two blanks.
std::string reportLine(const TSchrittEintrag& e, bool withDiffuse, bool decimalComma);

// Mean of an hour slot: sum/count when the sum is > 0, else 0.
double hourMean(double sum, int count);
// Hour line: hour n:5, two blanks, the mean x:4:3.
std::string hourLine(int hour, double mean, bool decimalComma);
// "Monat Nr. " + month.
std::string monthHeading(int month);
// "Diffus  " + sky x:4:3 + "  " + ground x:4:3.
std::string diffuseLine(double sky, double ground, bool decimalComma);

}  // namespace penumbro
