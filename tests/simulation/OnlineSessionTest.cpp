// The online view's walk through the year: steps, selectors, restart, no-sun targets.

#include "simulation/OnlineSession.h"

#include "engine/Calendar.h"
#include "simulation/Simulation.h"

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
};

TEST(OnlineSession, StepsAndSelectorsWalkTheCalendar) {
    struct Case {
        const char* name;
        bool polar;
        std::function<void(Session&)> act;
        OnlineTime expected;
    };
    const Case cases[] = {
        {"-1 month from March: 28 days back", false,
         [](Session& s) { s.at(3, 15, 12, 0), s.s.SpeedButtonWeiterClick(OnlineStep::MonthBack); }, {46, 12, 0}},
        {"-1 month from January: 31 days, into December", false,
         [](Session& s) { s.at(1, 15, 12, 0), s.s.SpeedButtonWeiterClick(OnlineStep::MonthBack); }, {349, 12, 0}},
        {"+1 month from February: 28 days", false,
         [](Session& s) { s.at(2, 15, 12, 0), s.s.SpeedButtonWeiterClick(OnlineStep::MonthOn); }, {74, 12, 0}},
        {"+1 minute at 23:59 of day 365 wraps to day 1", true,
         [](Session& s) { s.at(12, 31, 23, 59), s.s.SpeedButtonWeiterClick(OnlineStep::MinuteOn); }, {1, 0, 0}},
        {"-10 minutes at 00:05 of day 1 wraps to day 365", true,
         [](Session& s) { s.at(1, 1, 0, 5), s.s.SpeedButtonWeiterClick(OnlineStep::TenMinutesBack); }, {365, 23, 55}},
        {"day 31 with February down gives 28 February", false, [](Session& s) { s.at(2, 31, 9, 30); }, {59, 9, 30}},
        {"February down with day 31 gives 28 February", false, [](Session& s) { s.at(1, 31, 9, 30), s.s.selectMonth(2); },
         {59, 9, 30}},
        // In the night the search walks on to the morning.
        {"+1 hour at 20:15 searches to the next sunny hour", false,
         [](Session& s) { s.at(6, 10, 20, 15), s.s.SpeedButtonWeiterClick(OnlineStep::HourOn); }, {162, 6, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s(c.polar ? collectorAt(kPolar) : collectorProject());
        c.act(s);
        EXPECT_EQ(s.s.time(), c.expected) << s.s.time().day << " " << s.s.time().hour << ":" << s.s.time().minute;
        const OnlineValues v = s.s.Wertanzeige();
        EXPECT_EQ(v.dayOfMonth + kMonatsanfang[static_cast<std::size_t>(v.month - 1)] - 1, c.expected.day);
        EXPECT_EQ(v.shadingPercent.has_value(), s.s.lastInstant().sunOnTarget);
    }
}

TEST(OnlineSession, NeuStartFindsTheFirstSunlitInstantAndPaintsItsPicture) {
    Session s(collectorProject());
    ASSERT_TRUE(s.s.lastInstant().sunOnTarget);
    EXPECT_FALSE(s.s.noSunlitInstant());
    const OnlineTime first = s.s.time();
    EXPECT_EQ(first.day, 1);
    EXPECT_EQ(first.minute % 10, 0);
    EXPECT_EQ(s.s.instantsComputed(), (first.hour * 60 + first.minute) / 10 + 1);

    // The picture is the engine's own pass in the middle third over a white picture.
    const CompiledModel model = prepareRun(collectorProject(), "k.dat", s.p, Language::English,
                                           ShadingMethod::Raster, DrawingWindowKind::Online);
    ShadingRaster raster;
    raster.reset(DrawingWindowKind::Online);
    Augenblick(model, raster, first.day, first.clockHours(), 1, 1);
    EXPECT_EQ(s.s.raster().pixels(), raster.pixels());
    EXPECT_EQ(s.s.raster().window().left, ShadingRaster::kWidth / 3);

    // Ten minutes earlier the sun was not on the target.
    s.at(1, 1, first.hour - (first.minute == 0 ? 1 : 0), (first.minute + 50) % 60);
    EXPECT_FALSE(s.s.lastInstant().sunOnTarget);
    EXPECT_EQ(s.s.message(), NoSunMessage::SunNotVisible);
    EXPECT_EQ(s.s.raster().pixel(0, 0), kNoSunBackground);

    // Far more steps than a report's buffer holds: every click lands on the sun.
    for (int i = 0; i < 1500; ++i) {
        s.s.SpeedButtonWeiterClick(OnlineStep::MinuteOn);
        ASSERT_TRUE(s.s.lastInstant().sunOnTarget) << i;
    }
    EXPECT_GT(s.s.time().day, 1);
}

TEST(OnlineSession, ATargetThatNeverSeesTheSunShowsTheMessageWithoutLooping) {
    struct Case {
        std::string site;
        NoSunMessage message;
    };
    for (const Case& c : {Case{"50.0 0.0 0.0", NoSunMessage::SunNotVisible},
                          Case{kPolar, NoSunMessage::SunBehindHorizon}}) {
        Session s(collectorAt(c.site, {"0-360=90"}));
        EXPECT_TRUE(s.s.noSunlitInstant());
        EXPECT_EQ(s.s.message(), c.message);
        EXPECT_EQ(s.s.instantsComputed(), kMinutesPerYear / 10);
        EXPECT_EQ(s.s.raster().pixel(240, 240), kNoSunBackground);
        EXPECT_FALSE(s.s.Wertanzeige().shadingPercent);
        for (OnlineStep step : {OnlineStep::MonthBack, OnlineStep::MinuteOn}) {
            const long before = s.s.instantsComputed();
            s.s.SpeedButtonWeiterClick(step);
            EXPECT_EQ(s.s.instantsComputed(), before + 1);
            EXPECT_NE(s.s.message(), NoSunMessage::None);
        }
    }
    // A month step at midnight never meets the sun: it gives up after a year of May-long steps.
    Session s(collectorProject());
    s.at(5, 10, 0, 0);
    const long before = s.s.instantsComputed();
    s.s.SpeedButtonWeiterClick(OnlineStep::MonthOn);
    EXPECT_EQ(s.s.instantsComputed() - before, 12);
    EXPECT_EQ(s.s.time(), (OnlineTime{130 + 12 * 31 - 365, 0, 0}));
    EXPECT_EQ(s.s.message(), NoSunMessage::SunNotVisible);
}

}  // namespace
}  // namespace penumbro
