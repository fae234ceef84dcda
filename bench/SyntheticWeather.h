#pragma once
// The benchmarks' weather year: daylight from 7 to 19 o'clock, every other day
// overcast (no beam), with the site and time zone given.

#include "project/Calendar.h"
#include "formats/WeatherFile.h"

namespace penumbro::bench {

inline WeatherFile syntheticWeatherYear(double latitude, double longitudeEast) {
    WeatherFile w;
    w.latitude = latitude, w.longitude = longitudeEast, w.timeZone = 1;
    for (int row = 0; row < kWeatherHours; ++row) {
        const int day = row / 24 + 1, month = monthOfDay(day), hour = row % 24 + 1;
        const bool up = hour >= 7 && hour <= 19, clear = day % 2 == 1;
        w.hours.push_back({month, day - kMonatsanfang[static_cast<std::size_t>(month - 1)] + 1, hour,
                           up ? (clear ? 300.0 : 150.0) : 0.0, up && clear ? 400.0 : 0.0,
                           up ? (clear ? 100.0 : 150.0) : 0.0});
    }
    return w;
}

}  // namespace penumbro::bench
