// Run-parameter file (.kon) -> the record; a sound one round-trips, its clock ends within a year.

#include "formats/KonFile.h"
#include "simulation/Simulation.h"
#include "simulation/TimeStepper.h"

#include "FuzzSupport.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size != kSimParameterSize) return 0;
    std::array<std::uint8_t, kSimParameterSize> bytes{};
    std::copy(data, data + size, bytes.begin());
    TSimParameter p = decodeSimParameter(bytes);
    if (simParameterProblem(p)) return 0;
    fuzz::require(decodeSimParameter(encodeSimParameter(p)) == p);
    for (bool fastRun : {true, false}) {
        TSimParameter run = p;
        selectRunMode(run, fastRun);
        TimeStepper clock(run);
        long steps = 0;
        for (; !clock.finished(); clock.advance()) fuzz::require(++steps <= 366L * 24 * 60);
    }
    return 0;
}
