#include "simulation/OnlineSession.h"

#include "project/Calendar.h"
#include "simulation/Simulation.h"

#include <algorithm>
#include <cstdlib>
#include <numbers>

namespace penumbro {

int monthLength(int month) {
    month = std::clamp(month, 1, 12);
    const int next = month == 12 ? 366 : kMonatsanfang[static_cast<std::size_t>(month)];
    return next - kMonatsanfang[static_cast<std::size_t>(month - 1)];
}

OnlineTime Zeitschritt(const OnlineTime& time, int k) {
    long t = static_cast<long>(time.day - 1) * kMinutesPerDay + time.hour * 60L + time.minute + k;
    t %= kMinutesPerYear;
    if (t < 0) t += kMinutesPerYear;
    return {static_cast<int>(t / kMinutesPerDay) + 1, static_cast<int>(t % kMinutesPerDay / 60),
            static_cast<int>(t % 60)};
}

OnlineSession::OnlineSession() { raster_.reset(DrawingWindowKind::Online); }

void OnlineSession::compile(const Lines& text, const std::string& projectFile, TSimParameter& p,
                            Language language) {
    model_.reset();
    selectRunMode(p, false);
    p.onlineResolution = 1;
    model_ = prepareRun(text, projectFile, p, language, ShadingMethod::Raster, DrawingWindowKind::Online);
    resolution_ = p.onlineResolution;
    raster_.reset(DrawingWindowKind::Online);
    time_ = {};
    last_ = {};
    noSunlit_ = false;
    message_ = NoSunMessage::None;
    instants_ = 0;
}

void OnlineSession::compute() {
    last_ = Augenblick(*model_, raster_, time_.day, time_.clockHours(), monthOfDay(time_.day), resolution_);
    ++instants_;
    // The window shows every pass: painting it now lets the next pass draw over it.
    if (last_.sunOnTarget) raster_.pixels();
    message_ = NoSunMessage::None;
}

void OnlineSession::showNoSun() {
    raster_.clear(kNoSunBackground);
    message_ = last_.ergebnis == kSunBehindHorizon ? NoSunMessage::SunBehindHorizon : NoSunMessage::SunNotVisible;
}

void OnlineSession::computeOnce() {
    // Shadows of the instant shown before (or its no-sun grey) must not stay behind.
    raster_.clear(kWhite);
    compute();
    if (!last_.sunOnTarget) showNoSun();
}

void OnlineSession::NeuStart() {
    if (!model_) return;
    noSunlit_ = false;
    time_ = {1, 0, -10};
    const OnlineTime last{365, 23, 50};
    do {
        time_ = Zeitschritt(time_, 10);
        compute();
    } while (!last_.sunOnTarget && !(time_ == last));
    if (!last_.sunOnTarget) {
        noSunlit_ = true;
        showNoSun();
    }
}

void OnlineSession::search(int minutes) {
    // A step that never meets a sunlit instant (a month step at midnight, say) gives
    // up after a year, where it started.
    long walked = 0;
    do {
        time_ = Zeitschritt(time_, minutes);
        compute();
        walked += std::abs(minutes);
    } while (!last_.sunOnTarget && !noSunlit_ && walked < kMinutesPerYear);
    if (!last_.sunOnTarget) showNoSun();
}

void OnlineSession::SpeedButtonWeiterClick(OnlineStep step) {
    if (!model_) return;
    raster_.clear(kWhite);
    const int month = monthOfDay(time_.day);
    int minutes = 0;
    switch (step) {
        case OnlineStep::MonthBack: minutes = -monthLength(month == 1 ? 12 : month - 1) * kMinutesPerDay; break;
        case OnlineStep::DayBack: minutes = -kMinutesPerDay; break;
        case OnlineStep::HourBack: minutes = -60; break;
        case OnlineStep::TenMinutesBack: minutes = -10; break;
        case OnlineStep::MinuteBack: minutes = -1; break;
        case OnlineStep::MonthOn: minutes = monthLength(month) * kMinutesPerDay; break;
        case OnlineStep::DayOn: minutes = kMinutesPerDay; break;
        case OnlineStep::HourOn: minutes = 60; break;
        case OnlineStep::TenMinutesOn: minutes = 10; break;
        case OnlineStep::MinuteOn: minutes = 1; break;
    }
    search(minutes);
}

void OnlineSession::setDayOfMonth(int month, int dayOfMonth) {
    month = std::clamp(month, 1, 12);
    time_.day = kMonatsanfang[static_cast<std::size_t>(month - 1)] - 1 + std::clamp(dayOfMonth, 1, monthLength(month));
}

void OnlineSession::selectMonth(int month) {
    if (!model_) return;
    setDayOfMonth(month, Wertanzeige().dayOfMonth);
    computeOnce();
}

void OnlineSession::selectDay(int dayOfMonth) {
    if (!model_) return;
    setDayOfMonth(monthOfDay(time_.day), dayOfMonth);
    computeOnce();
}

void OnlineSession::selectHour(int hour) {
    if (!model_) return;
    time_.hour = std::clamp(hour, 0, 23);
    computeOnce();
}

void OnlineSession::selectMinute(int minute) {
    if (!model_) return;
    time_.minute = std::clamp(minute, 0, 59);
    computeOnce();
}

OnlineValues OnlineSession::Wertanzeige() const {
    OnlineValues v;
    if (last_.ergebnis >= 0) v.shadingPercent = last_.ergebnis * 100;
    if (model_) {
        constexpr double degrees = 180 / std::numbers::pi;
        v.targetAzimuth = -model_->frame.alphaPrime * degrees;
        v.targetElevation = model_->frame.beta * degrees;
    }
    v.sunAzimuth = last_.azimuthDeg;
    v.sunElevation = last_.elevationDeg;
    v.time = time_;
    v.month = monthOfDay(time_.day);
    v.dayOfMonth = time_.day - kMonatsanfang[static_cast<std::size_t>(v.month - 1)] + 1;
    return v;
}

}  // namespace penumbro
