#pragma once
// Weather years as the EPW format lays them out, for the reader's and the irradiation's tests.

#include "formats/WeatherFile.h"
#include "project/Calendar.h"

#include <cmath>
#include <functional>
#include <numbers>
#include <string>

namespace penumbro::testing {

// Eight header lines, then 8760 rows of 35 fields; constant direct normal dni and diffuse
// dhi in the hours whose sun elevation (degrees, by row) is above the horizon.
inline Lines weatherLines(const std::function<double(int row)>& elevation, double lat, double lon,
                          double timeZone, double dni, double dhi) {
    Lines t = {"LOCATION,Testort,-,DEU,TMY,000000," + std::to_string(lat) + "," + std::to_string(-lon) + "," +
                   std::to_string(timeZone) + ",100.0",
               "DESIGN CONDITIONS,0", "TYPICAL/EXTREME PERIODS,0", "GROUND TEMPERATURES,0",
               "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0", "COMMENTS 1,synthetic", "COMMENTS 2,constant daylight",
               "DATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31"};
    for (int row = 0; row < kWeatherHours; ++row) {
        const int day = row / 24 + 1, month = monthOfDay(day);
        const double el = elevation(row);
        const bool up = el > 0;
        const double ghi = up ? dhi + dni * std::sin(el * std::numbers::pi / 180.0) : 0;
        t.push_back("1995," + std::to_string(month) + "," +
                    std::to_string(day - kMonatsanfang[static_cast<std::size_t>(month - 1)] + 1) + "," +
                    std::to_string(row % 24 + 1) + ",60,?9?9?9?9E0?9?9?9?9?9?9?9?9?9?9?9?9?9?9*9*9?9*9,5.0,1.0,75,"
                    "101300,0,1415,300," + std::to_string(ghi) + "," + std::to_string(up ? dni : 0) + "," +
                    std::to_string(up ? dhi : 0) + ",0,0,0,0,180,2.0,5,5,20.0,9999,9,999999999,0,0.10,0,88,0.0,0.0,0.0");
    }
    return t;
}

}  // namespace penumbro::testing
