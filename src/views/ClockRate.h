#pragma once
// The processor's clock rate in MHz for the start-up check of the 3D preview: slow
// machines are offered to switch the preview off. Reading and measuring sit behind
// ClockSource so tests choose the figure.

#include <string>

namespace penumbro {

// Below this rate the user is asked whether to switch the preview off.
inline constexpr unsigned kMinimumClockMhz = 800;

class ClockSource {
public:
    virtual ~ClockSource() = default;
    // The maximum clock the system reports; 0 when it reports none.
    virtual unsigned Taktfrequenz_lesen() = 0;
    // The clock measured with the processor's time-stamp counter; 0 where that fails.
    virtual unsigned Taktfrequenz_messen() = 0;
};

// The running machine: cpufreq's maximum, else the "cpu MHz" of /proc/cpuinfo;
// measured against a 500 ms monotonic clock.
class SystemClock : public ClockSource {
public:
    unsigned Taktfrequenz_lesen() override;
    unsigned Taktfrequenz_messen() override;
};

// The reading itself, from the two files: maxFreqFile holds kHz, cpuinfoFile lines
// "cpu MHz<tab>: 2694.894". Missing or unreadable files give 0; MHz are rounded.
unsigned clockRateFromFiles(const std::string& maxFreqFile, const std::string& cpuinfoFile);

// The figure the check uses: read, or measured when reading gives 0.
unsigned clockRate(ClockSource& source);

}  // namespace penumbro
