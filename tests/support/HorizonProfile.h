#pragma once
// A horizon profile as a measurement means it: a straight line between neighbouring
// points, going round at north.

#include "formats/HorizonProfileFile.h"

#include <algorithm>
#include <vector>

namespace penumbro::testing {

inline double profileAt(const std::vector<HorizonPoint>& points, double azimuth) {
    const auto after = std::upper_bound(points.begin(), points.end(), azimuth,
                                        [](double a, const HorizonPoint& p) { return a < p.azimuth; });
    const HorizonPoint a = after == points.begin() ? HorizonPoint{points.back().azimuth - 360, points.back().elevation}
                                                   : *(after - 1);
    const HorizonPoint b = after == points.end() ? HorizonPoint{points.front().azimuth + 360, points.front().elevation}
                                                 : *after;
    if (b.azimuth <= a.azimuth) return std::max(a.elevation, b.elevation);
    return a.elevation + (azimuth - a.azimuth) / (b.azimuth - a.azimuth) * (b.elevation - a.elevation);
}

}  // namespace penumbro::testing
