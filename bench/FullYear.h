#pragma once
// The benchmarks' full year: daily mode, days 1 to 365, 10-minute steps (52,560 instants).

#include "formats/KonFile.h"

namespace penumbro::bench {

inline TSimParameter fullYearParameters() {
    TSimParameter p;
    p.monthly = false, p.firstDay = 1, p.stopDay = 365, p.intervalDays = 1, p.intervalMinutes = 10;
    return p;
}

}  // namespace penumbro::bench
