// Numbers that are no numbers, and numbers at the ends of their range.

#include "project/InputError.h"
#include "project/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace penumbro {
namespace {

TEST(NumberRobustness, FormatFixedRoundsAsAlwaysGarbageIsNoNumberExtremesFormatInFull) {
    const std::tuple<double, int, int, bool, const char*> cases[] = {
        {1.5, 7, 3, false, "  1.500"}, {-1.5, 7, 3, true, " -1,500"}, {1234.5678, 3, 2, false, "1234.57"},
        {-0.0004, 0, 3, false, "-0.000"}, {-0.0, 6, 2, false, " -0.00"},  // keep their minus
        {42.0, 4, 0, true, "  42"},  // no decimals: nothing to swap
        // Exact halves round away from zero, as the files have always been written; other
        // values round as stored.
        {0.125, 0, 2, false, "0.13"}, {-0.125, 0, 2, false, "-0.13"}, {2.5, 0, 0, false, "3"},
        {0.15, 0, 1, false, "0.1"}, {2.675, 0, 2, false, "2.67"},
    };
    for (const auto& [value, width, decimals, comma, text] : cases)
        EXPECT_EQ(formatFixed(value, width, decimals, comma), text) << value;
    EXPECT_EQ(formatInt(-7, 4) + formatInt(12345, 3), "  -712345");
    EXPECT_EQ(std::tuple(parseInteger("+3"), parseNumber(".5"), parseNumber("1e2"), trimBlanks("  a b  ")),
              std::tuple(3, 0.5, 100.0, "a b"));
    for (const char* text : {"", " ", "+", "-", "+-1", "--1", "1e", "e1", "nan", "inf", "-inf", "1e309",
                             "0x1", "1,5", "1 2", "\xE4", "1.2.3", " 1"})
        EXPECT_FALSE(parseNumber(text).has_value()) << text;
    for (const char* text : {"", "+", "-", "1.0", "9223372036854775808", "-9223372036854775809", "1e3", " 1", "1 ", "+-1"})
        EXPECT_FALSE(parseInteger(text).has_value()) << text;
    for (const auto& [value, width, decimals] : {std::tuple{1.7976931348623157e308, 0, 6},
                                                 {-1.7976931348623157e308, 8, 6}, {4.9e-324, 0, 3}, {-0.0, 6, 3}}) {
        const std::string s = formatFixed(value, width, decimals);
        const auto back = parseNumber(std::string(trimBlanks(s)));
        ASSERT_TRUE(back.has_value()) << s;
        EXPECT_NEAR(*back, value, std::fabs(value) * 1e-15 + 1e-3) << s;
    }
    // Not a number: no crash, whatever the decimal choice.
    EXPECT_NO_THROW(formatFixed(std::numeric_limits<double>::quiet_NaN(), 0, 6, true));
    EXPECT_NO_THROW(formatFixed(std::numeric_limits<double>::infinity(), 0, 3, true));
}

}  // namespace
}  // namespace penumbro
