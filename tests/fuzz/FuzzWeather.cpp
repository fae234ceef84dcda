// Weather file (EPW) -> hourly rows; a file read has 8760 rows in calendar order with
// irradiations 0..9999.

#include "formats/WeatherFile.h"

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::refusalAllowed([&] {
        const WeatherFile w = parseWeatherFile(fuzz::linesOf(data, size), "fuzz.epw");
        fuzz::require(w.hours.size() == static_cast<std::size_t>(kWeatherHours));
        for (const WeatherHour& h : w.hours)
            for (double v : {h.global, h.direct, h.diffuse}) fuzz::require(v >= 0 && v < 9999);
    });
    return 0;
}
