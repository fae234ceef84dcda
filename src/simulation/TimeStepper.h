#pragma once
// The run's clock: which instants a run visits, in daily or monthly mode.

#include "project/Calendar.h"
#include "formats/KonFile.h"

namespace penumbro {


class TimeStepper {
public:
    // Sets the first instant (00:00 of the first day, or of the first month's start day).
    explicit TimeStepper(const TSimParameter& p);

    int day() const { return day_; }        // 1..365
    int hour() const { return hour_; }      // 0..23
    int minute() const { return minute_; }  // 0..59
    float clockHours() const { return clockHours_; }
    int month() const { return month_; }    // the simulated month (monthly mode), else 0
    bool finished() const { return finished_; }  // the run reached its end (`Abbruch`)

    // Advances by the interval in minutes (and days). Returns the month that has just
    // been completed in monthly mode (1..12), else 0; a completed month's block is due.
    int advance();

private:
    bool monthly_;
    int intervalDays_, intervalMinutes_, stopDay_, stopMonth_, monthStartDay_;
    int day_ = 1, hour_ = 0, minute_ = 0, month_ = 0;
    float clockHours_ = 0;
    bool finished_ = false;
};

}  // namespace penumbro
