#include "simulation/TimeStepper.h"

#include "project/Calendar.h"

#include <algorithm>

namespace penumbro {

TimeStepper::TimeStepper(const TSimParameter& p)
    : monthly_(p.monthly),
      intervalDays_(std::max(1, p.intervalDays)),
      intervalMinutes_(std::max(1, p.intervalMinutes)),
      stopDay_(p.stopDay),
      stopMonth_(p.stopMonth),
      monthStartDay_(p.monthStartDay) {
    if (monthly_) {
        month_ = std::clamp(p.firstMonth, 1, 12);
        day_ = kMonatsanfang[static_cast<std::size_t>(month_ - 1)] + monthStartDay_ - 1;
    } else {
        day_ = p.firstDay;
    }
}

int TimeStepper::advance() {
    int completed = 0;
    minute_ += intervalMinutes_;
    while (minute_ > 59) {
        ++hour_;
        minute_ -= 60;
    }
    if (hour_ > 23) {
        hour_ = 0;
        minute_ = 0;
        const int old = day_;
        day_ += intervalDays_;
        if (!monthly_) {
            // A step that jumps over the stop day ends the run, across the year's end too.
            if (old <= stopDay_ && stopDay_ < day_) finished_ = true;
            if (day_ > 365) {
                day_ -= 365;
                if (stopDay_ < day_ && old > stopDay_) finished_ = true;
            }
        } else {
            const bool complete =
                (month_ < 12 && day_ >= kMonatsanfang[static_cast<std::size_t>(month_)]) || day_ > 365;
            if (complete) {
                if (month_ == stopMonth_) finished_ = true;
                completed = month_;
                month_ = month_ == 12 ? 1 : month_ + 1;
                day_ = kMonatsanfang[static_cast<std::size_t>(month_ - 1)] + monthStartDay_ - 1;
            }
        }
    }
    clockHours_ = static_cast<float>(minute_) / 60.0f + static_cast<float>(hour_);
    return completed;
}

}  // namespace penumbro
