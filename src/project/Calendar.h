#pragma once
// The simulated calendar: always the year 1995 (365 days, no leap day).

#include <array>

namespace penumbro {

inline constexpr int kSimulationYear = 1995;

// First day number of each month, index 0 = January .. 11 = December; index 12 is the
// end of December, taken as day 400 so that every day number up to 399 has a month.
// Month m (1..12) starts at kMonatsanfang[m - 1]; the next one at kMonatsanfang[m].
inline constexpr std::array<int, 13> kMonatsanfang{1,   32,  60,  91,  121, 152, 182,
                                                   213, 244, 274, 305, 335, 400};

// Month 1..12 of a day number: the m with kMonatsanfang[m - 1] <= day < kMonatsanfang[m].
// Days before 1 give January, days from 335 on December.
constexpr int monthOfDay(int day) {
    int m = 1;
    while (m < 12 && day >= kMonatsanfang[static_cast<std::size_t>(m)]) ++m;
    return m;
}

}  // namespace penumbro
