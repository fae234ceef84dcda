#pragma once
// Mean-value files as a fast run writes them, for the export tests.

#include "formats/MeanValueFile.h"
#include "project/Numbers.h"
#include "project/TextLines.h"

#include <functional>
#include <string>

namespace penumbro::testdata {

struct MitMonth {
    int month;
    std::function<double(int hour)> mean;
    bool diffuse = false;
    double sky = 0.0, ground = 0.0;
};

inline std::string mitHourLine(int hour, double mean, bool comma = false) {
    return formatInt(hour, 5) + "  " + formatFixed(mean, 4, 3, comma);
}

// Night hours (before 6, after 19) fully shaded, daytime values below 1.
inline double dayCurve(int hour) { return hour < 6 || hour > 19 ? 1.0 : 0.05 * (hour - 6); }

// Per month: an empty line, the heading, 24 hours and, with diffuse values, their line.
inline Lines monthlyMit(const std::vector<MitMonth>& months, bool comma = false) {
    std::string bytes;
    for (const MitMonth& m : months) {
        MitBlock block{true, m.month, {}, m.diffuse, m.sky, m.ground};
        for (std::size_t h = 0; h < 24; ++h) block.means[h] = m.mean(static_cast<int>(h));
        bytes += formatMitBlock(block, comma);
    }
    return splitLines(bytes);
}

// March to May with diffuse values, each month with its own daytime level.
inline Lines marchToMay(bool comma = false) {
    std::vector<MitMonth> months;
    for (int m : {3, 4, 5})
        months.push_back({m, [m](int h) { return h == 12 ? 0.25 * (m - 2) : dayCurve(h); }, true, 0.1 * m, 0.05 * m});
    return monthlyMit(months, comma);
}

}  // namespace penumbro::testdata
