// Weather years: the reader's refusals name the file and line and say what is wrong.

#include "formats/WeatherFile.h"
#include "project/InputError.h"
#include "support/WeatherLines.h"

#include <gtest/gtest.h>

#include <tuple>

namespace penumbro {
namespace {

constexpr double kLat = 50;

// The sun up from 6 to 18 o'clock at 30 degrees.
Lines weatherLines() {
    return testing::weatherLines([](int row) { return row % 24 >= 6 && row % 24 < 18 ? 30.0 : -10.0; }, kLat, 0, 0, 500, 100);
}

TEST(WeatherFile, RealLayoutReadsAndDamageIsRefusedWithFileAndLine) {
    const WeatherFile w = parseWeatherFile(weatherLines(), "w.epw");
    ASSERT_EQ(w.hours.size(), 8760u);
    EXPECT_EQ(w.hours[8759].month, 12);
    EXPECT_EQ(w.hours[8759].day, 31);
    EXPECT_DOUBLE_EQ(w.latitude, kLat);

    struct Damage {
        const char* what;
        std::function<void(Lines&)> apply;
        int line;
    };
    const Damage cases[] = {
        {"short row", [](Lines& t) { t[20] = "1995,1,1,13,60,x,5.0"; }, 21},
        {"text in a number field", [](Lines& t) { t[30].replace(t[30].find(",101300,"), 8, ",abc,"); }, 31},
        {"missing irradiation", [](Lines& t) { t[40] = t[40].substr(0, t[40].find(",0,1415,300,")) + ",0,1415,300,9999,9999,9999,0"; }, 41},
        {"8759 rows", [](Lines& t) { t.pop_back(); }, 8768},
        {"rows out of order", [](Lines& t) { std::swap(t[100], t[101]); }, 101},
        {"no LOCATION line", [](Lines& t) { t[0] = "COMMENTS 1"; }, 1},
    };
    for (const Damage& c : cases) {
        Lines t = weatherLines();
        c.apply(t);
        try {
            parseWeatherFile(t, "w.epw");
            ADD_FAILURE() << c.what << " was read";
        } catch (const InputError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("w.epw:" + std::to_string(c.line) + ": ", 0), 0u)
                << c.what << ": " << e.what();
        }
    }
}

// What other tools write: a byte-order mark, a leap year (29 February skipped with a
// warning); and refusals that say what is wrong rather than what broke further on.
TEST(WeatherFile, MarkAndLeapYearReadAndRangeAndShortHeaderSayWhy) {
    constexpr std::size_t kFeb28 = kWeatherHeaderLines + 58 * 24;
    const auto leapDay = [](Lines& t, int hours) {
        Lines day;
        for (int h = 0; h < hours; ++h) day.push_back("1995,2,29," + t[kFeb28 + static_cast<std::size_t>(h)].substr(10));
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(kFeb28 + 24), day.begin(), day.end());
    };
    const struct {
        const char* what;
        std::function<void(Lines&)> apply;
        int line;  // 0: read
        const char* said;  // the message's text, or the warning's
    } cases[] = {
        {"byte-order mark", [](Lines& t) { t[0] = "\xEF\xBB\xBF" + t[0]; }, 0, nullptr},
        {"leap year", [&](Lines& t) { leapDay(t, 24); }, 0, "warning: the file holds 29 February (a leap year); its 24 hours are skipped"},
        {"leap day cut short", [&](Lines& t) { leapDay(t, 12); }, 1437, "expected 29 February, hour 13"},
        {"global beyond the format", [](Lines& t) { t[40] = t[40].substr(0, t[40].find(",0,1415,300,")) + ",0,1415,300,1e308,0,0,0"; },
         41, "the global horizontal irradiation (field 14) is out of range: 1e308"},
        {"the marker itself", [](Lines& t) { t[40] = t[40].substr(0, t[40].find(",0,1415,300,")) + ",0,1415,300,0,9999,0,0"; },
         41, "the direct normal irradiation (field 15) is missing (9999)"},
        {"header of seven lines", [](Lines& t) { t.erase(t.begin() + 2); }, 8, "the header is short"},
    };
    const WeatherFile plain = parseWeatherFile(weatherLines(), "w.epw");
    for (const auto& c : cases) {
        Lines t = weatherLines();
        c.apply(t);
        if (c.line == 0) {
            const WeatherFile w = parseWeatherFile(t, "w.epw");
            ASSERT_EQ(w.hours.size(), plain.hours.size()) << c.what;
            for (const std::size_t row : {std::size_t{58 * 24 + 23}, std::size_t{59 * 24}, std::size_t{8759}})
                EXPECT_EQ(std::tuple(w.hours[row].month, w.hours[row].day, w.hours[row].hour, w.hours[row].global),
                          std::tuple(plain.hours[row].month, plain.hours[row].day, plain.hours[row].hour, plain.hours[row].global))
                    << c.what << " row " << row;
            EXPECT_EQ(w.warnings.size(), c.said ? 1u : 0u) << c.what;
            if (c.said && !w.warnings.empty()) {
                EXPECT_EQ(w.warnings[0].render(Language::English), c.said);
            }
            continue;
        }
        try {
            parseWeatherFile(t, "w.epw");
            ADD_FAILURE() << c.what << " was read";
        } catch (const InputError& e) {
            EXPECT_EQ(e.line(), c.line) << c.what;
            EXPECT_NE(e.message().find(c.said), std::string::npos) << c.what << ": " << e.what();
        }
    }
}

}  // namespace
}  // namespace penumbro
