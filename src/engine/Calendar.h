#pragma once
// The simulated calendar: one year of 365 days (1995), day numbers 1..365.

#include <array>

namespace penumbro {

// First day number of each month, January..December, and day 400 past December's end.
inline constexpr std::array<int, 13> kMonatsanfang = {1,   32,  60,  91,  121, 152, 182,
                                                     213, 244, 274, 305, 335, 400};

// Month 1..12 of a day number (December takes 335..399).
constexpr int monthOfDay(int day) {
    int m = 1;
    while (m < 12 && day >= kMonatsanfang[static_cast<std::size_t>(m)]) ++m;
    return m;
}

}  // namespace penumbro
