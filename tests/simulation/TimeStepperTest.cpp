#include "simulation/TimeStepper.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace penumbro {
namespace {

// The days a run visits (each once), and the months completed, in order.
struct Visit {
    std::vector<int> days;
    std::vector<int> months;
    int instantsPerDay = 0;
};

Visit walk(const TSimParameter& p) {
    Visit v;
    TimeStepper t(p);
    int instants = 0;
    for (int guard = 0; guard < 2'000'000 && !t.finished(); ++guard) {
        if (t.hour() == 0 && t.minute() == 0) v.days.push_back(t.day());
        if (v.days.size() == 1) ++instants;
        if (int m = t.advance()) v.months.push_back(m);
    }
    EXPECT_TRUE(t.finished()) << "the run never ends";
    v.instantsPerDay = instants;
    return v;
}

TSimParameter daily(int first, int stop, int interval, int minutes = 60) {
    TSimParameter p;
    p.monthly = false;
    p.firstDay = first;
    p.stopDay = stop;
    p.intervalDays = interval;
    p.intervalMinutes = minutes;
    return p;
}

TEST(TimeStepper, DailyModeVisitsTheRightDays) {
    std::vector<int> wrap;
    for (int d = 300; d <= 365; ++d) wrap.push_back(d);
    for (int d = 1; d <= 50; ++d) wrap.push_back(d);
    const std::pair<TSimParameter, std::vector<int>> cases[] = {
        {daily(100, 100, 1), {100}}, {daily(1, 10, 7), {1, 8}}, {daily(300, 50, 1), wrap},
        // A step that jumps the stop day across the year's end must end the run.
        {daily(300, 50, 365), {300}}, {daily(10, 5, 360), {10, 5}}, {daily(360, 365, 3), {360, 363}},
    };
    for (const auto& [p, days] : cases) EXPECT_EQ(walk(p).days, days) << p.firstDay << ".." << p.stopDay;
    // Every day from 0:00 up to the last step before 24:00.
    for (auto [minutes, instants] : {std::pair{60, 24}, {1, 1440}, {7, 206}})
        EXPECT_EQ(walk(daily(1, 1, 1, minutes)).instantsPerDay, instants) << minutes;
}

TEST(TimeStepper, MonthlyMode) {
    TSimParameter p;
    p.firstMonth = p.stopMonth = 3;
    p.monthStartDay = 5;
    p.intervalDays = 1;
    p.intervalMinutes = 60;
    Visit v = walk(p);
    EXPECT_EQ(v.days.front(), 64);  // 5 to 31 March
    EXPECT_EQ(v.days.size(), 27u);
    EXPECT_EQ(v.months, std::vector<int>{3});
    // Stop month before the first month wraps through December.
    p.firstMonth = 11;
    p.stopMonth = 2;
    p.monthStartDay = 1;
    p.intervalDays = 10;
    v = walk(p);
    EXPECT_EQ(v.months, (std::vector<int>{11, 12, 1, 2}));
    EXPECT_EQ(v.days.front(), 305);
    EXPECT_EQ(v.days.back(), 52);
    EXPECT_EQ(walk(TSimParameter{}).months.size(), 12u);  // a whole year: every month once
}

}  // namespace
}  // namespace penumbro
