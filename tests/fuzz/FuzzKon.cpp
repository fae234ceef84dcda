// Run-parameter file (.kon) -> the record. A record without a problem encodes to the
// same bytes' meaning and drives a run clock that ends within a year of one-minute steps.

#include "simulation/SimParameter.h"
#include "simulation/Simulation.h"
#include "simulation/TimeStepper.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace penumbro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size != kSimParameterSize) return 0;
    std::array<std::uint8_t, kSimParameterSize> bytes{};
    std::copy(data, data + size, bytes.begin());
    TSimParameter p = decodeSimParameter(bytes);
    if (!simParameterProblem(p).empty()) return 0;
    if (!(decodeSimParameter(encodeSimParameter(p)) == p)) std::abort();
    for (bool fastRun : {true, false}) {
        TSimParameter run = p;
        selectRunMode(run, fastRun);
        TimeStepper clock(run);
        long steps = 0;
        while (!clock.finished()) {
            clock.advance();
            if (++steps > 366L * 24 * 60) std::abort();
        }
    }
    return 0;
}
