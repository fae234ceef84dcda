#include "views/ClockRate.h"

#include <chrono>
#include <cmath>
#include <fstream>
#include <string>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#define PENUMBRO_HAS_TSC 1
#endif

namespace penumbro {

namespace {

unsigned roundedMhz(double mhz) {
    if (!(mhz > 0.0) || mhz > 1.0e6) return 0;
    return static_cast<unsigned>(std::lround(mhz));
}

// The first number of the file, in kHz.
unsigned maxFreqMhz(const std::string& file) {
    std::ifstream in(file);
    double khz = 0.0;
    if (!(in >> khz)) return 0;
    return roundedMhz(khz / 1000.0);
}

unsigned cpuinfoMhz(const std::string& file) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("cpu MHz", 0) != 0) continue;
        const auto colon = line.find(':');
        if (colon == std::string::npos) return 0;
        try {
            return roundedMhz(std::stod(line.substr(colon + 1)));
        } catch (const std::exception&) {
            return 0;
        }
    }
    return 0;
}

}  // namespace

unsigned clockRateFromFiles(const std::string& maxFreqFile, const std::string& cpuinfoFile) {
    const unsigned mhz = maxFreqMhz(maxFreqFile);
    return mhz != 0 ? mhz : cpuinfoMhz(cpuinfoFile);
}

unsigned SystemClock::Taktfrequenz_lesen() {
    return clockRateFromFiles("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq", "/proc/cpuinfo");
}

unsigned SystemClock::Taktfrequenz_messen() {
#ifdef PENUMBRO_HAS_TSC
    // Counter ticks over a measured span of about half a second; the span is taken from
    // the monotonic clock rather than assumed, so a late wake-up does not skew the rate.
    using Clock = std::chrono::steady_clock;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const auto t0 = Clock::now();
    const unsigned long long c0 = __rdtsc();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const unsigned long long c1 = __rdtsc();
    const auto t1 = Clock::now();
    const double micros = std::chrono::duration<double, std::micro>(t1 - t0).count();
    if (c1 <= c0 || micros <= 0.0) return 0;
    return roundedMhz(static_cast<double>(c1 - c0) / micros);
#else
    return 0;
#endif
}

unsigned clockRate(ClockSource& source) {
    const unsigned read = source.Taktfrequenz_lesen();
    return read != 0 ? read : source.Taktfrequenz_messen();
}

}  // namespace penumbro
