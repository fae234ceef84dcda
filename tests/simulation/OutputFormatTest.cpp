#include "simulation/OutputFormat.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

struct ReportCase {
    TSchrittEintrag entry;
    bool diffuse;
    bool comma;
    const char* expected;
};

TEST(OutputFormat, ReportLines) {
    const ReportCase cases[] = {
        {{17, 172, 12, 30, 0.25, 0, 0}, false, false, "   17  172  12  30   0.250  0.750\r\n"},
        {{2, 1, 0, 20, -2.0, 0, 0}, false, true, "    2    1   0  20  -2,000  3,000\r\n"},
        {{123456, 365, 23, 40, 1.0, 0, 0}, false, false, "123456  365  23  40   1.000  0.000\r\n"},
        {{5, 60, 9, 0, 0.5, 0.75, 0.125}, true, false,
         "    5   60   9   0   0.500  0.500  0.750  0.250  0.125  0.875\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reportLine(c.entry, c.diffuse, c.comma), c.expected) << c.expected;
}

TEST(OutputFormat, MeanValueLines) {
    EXPECT_EQ(hourLine(0, hourMean(3.0, 3), false), "    0  1.000\r\n");
    EXPECT_EQ(hourLine(12, hourMean(0.75, 3), true), "   12  0,250\r\n");
    // A slot without instants prints zero, never NaN.
    EXPECT_EQ(hourLine(23, hourMean(0.0, 0), false), "   23  0.000\r\n");
    EXPECT_EQ(monthHeading(12), "Monat Nr. 12\r\n");
    EXPECT_EQ(diffuseLine(0.8125, 0.0625, true), "Diffus  0,813  0,063\r\n");
}

}  // namespace
}  // namespace penumbro
