#pragma once
// The online view without its window: the time of the view, the walk through the
// year by step and selector buttons, and the picture and values of the instant shown.
// It computes with the compiled model and the instant computation of the fast run,
// in the online drawing window (the middle third of the picture), and records no
// steps: nothing of it is ever written to a file.

#include "engine/Augenblick.h"
#include "engine/Model.h"
#include "engine/ShadingRaster.h"
#include "project/Language.h"
#include "project/ProjectText.h"
#include "formats/KonFile.h"

#include <optional>
#include <string>

namespace penumbro {

inline constexpr int kMinutesPerDay = 1440;
inline constexpr int kMinutesPerYear = 365 * kMinutesPerDay;
inline constexpr std::uint32_t kNoSunBackground = 0xEEEEEE;

// Days of month m (1..12) in the 365-day year.
int monthLength(int month);

struct OnlineTime {
    int day = 1;     // 1..365
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59

    float clockHours() const { return static_cast<float>(minute) / 60.0f + static_cast<float>(hour); }
    bool operator==(const OnlineTime&) const = default;
};

// The time k minutes on (k < 0: back), wrapping over the year's end in both directions.
// The minute may lie outside 0..59 on input (the restart begins at minute -10).
OnlineTime Zeitschritt(const OnlineTime& time, int k);

// The step buttons SpeedButton1..SpeedButton10 in their order.
enum class OnlineStep {
    MonthBack = 1, DayBack, HourBack, TenMinutesBack, MinuteBack,
    MonthOn, DayOn, HourOn, TenMinutesOn, MinuteOn,
};

// What the picture shows instead of a shadow.
enum class NoSunMessage { None, SunNotVisible, SunBehindHorizon };

// The values of the value display (Wertanzeige).
struct OnlineValues {
    std::optional<double> shadingPercent;  // none when the sun is not on the target
    double targetAzimuth = 0;    // degrees, the first target's normal
    double targetElevation = 0;  // degrees
    double sunAzimuth = 0;       // degrees, of the instant shown
    double sunElevation = 0;     // degrees
    OnlineTime time;
    int month = 1;       // the month button down
    int dayOfMonth = 1;  // the day button down
};

class OnlineSession {
public:
    OnlineSession();

    // The driver's preparation for the online view: clears the fast-run flag, sets the
    // online resolution to 1, compiles the text (the site goes into p) and starts a
    // white picture. Throws InputError as a run's preparation does; the session then
    // keeps no model.
    void compile(const Lines& text, const std::string& projectFile, TSimParameter& p, Language language);
    bool compiled() const { return model_.has_value(); }

    // From 00:00 of 1 January in steps of 10 minutes to the first instant with the sun
    // on the target; when there is none up to 23:50 of 31 December, the flag
    // noSunlitInstant() is set and the message shown.
    void NeuStart();
    // Clears the picture and walks by the button's step to the next instant with the
    // sun on the target, for at most one year; with the flag set one step only.
    void SpeedButtonWeiterClick(OnlineStep step);
    // Selector buttons: the instant is computed once, without a search. A month or a
    // day sets the day number from the month and day buttons, the day limited to the
    // month's length.
    void selectMonth(int month);
    void selectDay(int dayOfMonth);
    void selectHour(int hour);
    void selectMinute(int minute);

    const OnlineTime& time() const { return time_; }
    bool noSunlitInstant() const { return noSunlit_; }
    NoSunMessage message() const { return message_; }
    const InstantResult& lastInstant() const { return last_; }
    OnlineValues Wertanzeige() const;
    // The engine's picture, 480 x 480, colours 0x00BBGGRR (see ShadingRaster).
    const ShadingRaster& raster() const { return raster_; }
    // Instants computed since compile(), for measuring the searches.
    long instantsComputed() const { return instants_; }

private:
    void compute();
    void computeOnce();
    void search(int minutes);
    void showNoSun();
    void setDayOfMonth(int month, int dayOfMonth);

    std::optional<CompiledModel> model_;
    ShadingRaster raster_;
    int resolution_ = 1;
    OnlineTime time_;
    InstantResult last_;
    bool noSunlit_ = false;
    NoSunMessage message_ = NoSunMessage::None;
    long instants_ = 0;
};

}  // namespace penumbro
