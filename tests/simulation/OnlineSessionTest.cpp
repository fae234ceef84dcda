// The online view's walk through the year: steps, selectors, restart, no-sun targets.

#include "simulation/OnlineSession.h"

#include "project/Calendar.h"

#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace penumbro {
namespace {

using testing::collectorProject;

// The collector at another site (latitude, longitude, correction) and horizon.
Lines collectorAt(const std::string& site, const Lines& horizon = {}) {
    Lines text = testing::project({testing::collectorSurface(), testing::wallSurface()}, -1, horizon);
    *(std::find(text.begin(), text.end(), "Standort") + 1) = site;
    return text;
}
// Far south the summer sun stays up at midnight, in front of the south-facing collector.
const std::string kPolar = "-80.0 0.0 0.0";

struct Session {
    TSimParameter p;
    OnlineSession s;
    explicit Session(const Lines& text) {
        s.compile(text, "k.dat", p, Language::English);
        s.NeuStart();
    }
    void at(int month, int day, int hour, int minute) {
        s.selectMonth(month);
        s.selectDay(day);
        s.selectHour(hour);
        s.selectMinute(minute);
    }
    void click(OnlineStep step, int times = 1) {
        for (int i = 0; i < times; ++i) s.SpeedButtonWeiterClick(step);
    }
};

TEST(OnlineSession, WalksThroughTheYear) {
    const Lines plain = collectorProject(), polar = collectorAt(kPolar);
    const Lines dark = collectorAt("50.0 0.0 0.0", {"0-360=90"}), darkPolar = collectorAt(kPolar, {"0-360=90"});
    using enum OnlineStep;
    using enum NoSunMessage;
    struct Case {
        const char* name;
        const Lines& text;
        std::function<void(Session&)> act;
        OnlineTime expected;
        NoSunMessage message = None;
        long instants = 0;  // computed by the restart and act together; 0: not checked
    };
    const Case cases[] = {
        {"-1 month from March: 28 days back", plain, [](Session& s) { s.at(3, 15, 12, 0), s.click(MonthBack); }, {46, 12, 0}},
        {"-1 month from January: 31 days, into December", plain,
         [](Session& s) { s.at(1, 15, 12, 0), s.click(MonthBack); }, {349, 12, 0}},
        {"+1 minute at 23:59 of day 365 wraps to day 1", polar,
         [](Session& s) { s.at(12, 31, 23, 59), s.click(MinuteOn); }, {1, 0, 0}},
        {"-10 minutes at 00:05 of day 1 wraps to day 365", polar,
         [](Session& s) { s.at(1, 1, 0, 5), s.click(TenMinutesBack); }, {365, 23, 55}},
        {"day 31 with February down gives 28 February", plain, [](Session& s) { s.at(2, 31, 9, 30); }, {59, 9, 30}},
        {"+1 hour at night searches to the morning", plain, [](Session& s) { s.at(6, 10, 20, 15), s.click(HourOn); },
         {162, 6, 15}},
        // No earlier instant of day 1 on the restart's grid has the sun: back into December.
        {"the restart finds the first sunlit instant", plain, [](Session& s) { s.click(TenMinutesBack); }, {365, 16, 0}},
        // Far more instants than a report's buffer holds, none of them recorded.
        {"1500 minute steps", plain, [](Session& s) { s.click(MinuteOn, 1500); }, {4, 9, 16}},
        {"a selector at night shows the message", plain, [](Session& s) { s.at(1, 1, 2, 0); }, {1, 2, 0}, SunNotVisible},
        {"never sunlit: a year of restart, then single steps", dark,
         [](Session& s) { s.click(MonthBack), s.click(MinuteOn); }, {335, 23, 51}, SunNotVisible, kMinutesPerYear / 10 + 2},
        {"never sunlit, behind the horizon", darkPolar, [](Session&) {}, {365, 23, 50}, SunBehindHorizon,
         kMinutesPerYear / 10},
        {"a month step at midnight gives up after a year of steps", plain,
         [](Session& s) { s.at(5, 10, 0, 0), s.click(MonthOn); }, {130 + 12 * 31 - 365, 0, 0}, SunNotVisible},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s(c.text);
        c.act(s);
        const OnlineValues v = s.s.Wertanzeige();
        EXPECT_EQ(v.time, c.expected) << v.time.day << " " << v.time.hour << ":" << v.time.minute;
        EXPECT_EQ(v.dayOfMonth + kMonatsanfang[static_cast<std::size_t>(v.month - 1)] - 1, c.expected.day);
        EXPECT_EQ(s.s.message(), c.message);
        EXPECT_EQ(s.s.noSunlitInstant(), &c.text == &dark || &c.text == &darkPolar);
        EXPECT_EQ(v.shadingPercent.has_value(), c.message == None);
        if (c.message != None) {
            EXPECT_EQ(s.s.raster().pixel(0, 0), kNoSunBackground);
        }
        if (c.instants > 0) {
            EXPECT_EQ(s.s.instantsComputed(), c.instants);
        }
    }
}

}  // namespace
}  // namespace penumbro
