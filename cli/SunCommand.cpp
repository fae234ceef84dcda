// penumbro-cli sun: the sun's position for one instant of the year 1995.

#include "Cli.h"

#include "engine/Sun.h"
#include "project/Numbers.h"

#include <iostream>

namespace penumbro::cli {

namespace {

constexpr int kYear = 1995;  // every simulated year is 1995 (365 days)

// "HH:MM" with 0 <= HH <= 23 and 0 <= MM <= 59, as clock hours.
float clockHours(const std::string& text) {
    const auto colon = text.find(':');
    auto part = [&](std::string_view s) -> std::optional<long long> {
        if (s.empty() || s.size() > 2) return std::nullopt;
        for (char c : s)
            if (c < '0' || c > '9') return std::nullopt;
        return parseInteger(s);
    };
    if (colon != std::string::npos) {
        const auto h = part(std::string_view(text).substr(0, colon));
        const auto m = part(std::string_view(text).substr(colon + 1));
        if (h && m && *h <= 23 && *m <= 59)
            return static_cast<float>(*h) + static_cast<float>(*m) / 60.0f;
    }
    throw UsageError{"--time: expected HH:MM from 00:00 to 23:59, got " + text};
}

double rangedNumber(const Options& opts, const std::string& name, double lo, double hi,
                    double fallback) {
    if (!opts.has(name)) return fallback;
    const double v = numberOption(name, opts.value(name));
    if (v < lo || v > hi)
        throw UsageError{"--" + name + ": " + opts.value(name) + " is outside " + formatFixed(lo, 0, 0) +
                         ".." + formatFixed(hi, 0, 0)};
    return v;
}

}  // namespace

int runSun(const Args& args) {
    const Options opts(args, {.values = {"day", "time", "lat", "lon", "correction"}});
    if (!opts.positional().empty()) throw UsageError{"unexpected argument " + opts.positional()[0]};
    for (const char* required : {"day", "time", "lat", "lon"})
        if (!opts.has(required)) throw UsageError{std::string("--") + required + " is missing"};

    const long long day = integerOption("day", opts.value("day"));
    if (day < 1 || day > 365) throw UsageError{"--day: expected 1..365, got " + opts.value("day")};
    const float time = clockHours(opts.value("time"));
    const double lat = rangedNumber(opts, "lat", -90, 90, 0);
    const double lon = rangedNumber(opts, "lon", -180, 180, 0);
    const double correction = rangedNumber(opts, "correction", -12, 12, 0);

    const SunPosition sun = Sonnenstand(kYear, static_cast<int>(day), time, lat, lon, correction);
    std::cout << "azimuth=" << formatFixed(sun.azimuth, 0, 4)
              << " elevation=" << formatFixed(sun.elevation, 0, 4) << "\n";
    return kExitOk;
}

}  // namespace penumbro::cli
