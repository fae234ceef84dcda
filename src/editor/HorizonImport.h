#pragma once
// A measured or downloaded horizon profile reduced to the "Horizont" section's intervals.
//
// A profile is a list of points (azimuth, elevation) with rising azimuths; between two
// neighbouring points the horizon runs straight from one elevation to the other (from
// the last point round north to the first). The project holds at most 25 intervals, so
// neighbouring stretches are merged, each interval as high as both ends of every
// stretch it shares azimuths with (never more sun than the profile, under the run's
// lookup, whatever the rounding), choosing at each merge the pair that gives the least
// elevation away.

#include "editor/HorizonEditing.h"
#include "formats/HorizonProfileFile.h"

#include <optional>
#include <string>
#include <vector>

namespace penumbro {

struct HorizonReduction {
    std::vector<HorizonRow> rows;  // intervals covering 0..360 in order
    std::size_t points = 0;
    double largestGiveaway = 0;  // degrees of elevation added to some part of the profile
};

// At most maxIntervals intervals from the profile (points as read: rising azimuths), in
// n log n. Bounds are written to two decimals and the heights rounded up to two.
HorizonReduction reduceHorizonProfile(const std::vector<HorizonPoint>& points,
                                      std::size_t maxIntervals = kHorizonRows);

}  // namespace penumbro
