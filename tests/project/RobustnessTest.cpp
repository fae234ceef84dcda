// Files that are no project text (directories, missing files, arbitrary bytes) and
// numbers that are no numbers: refused naming the file, or read and written back
// unchanged.

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"
#include "support/Refusal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <random>

namespace penumbro {
namespace {

namespace fs = std::filesystem;

TEST(FileRobustness, DirectoriesMissingFilesAndArbitraryBytes) {
    // A directory once read as an empty file: a project "of the previous version", a
    // mean-value file "without values".
    const testing::TempDir dir("robust-project");
    fs::create_directories(dir.path("ordner.dat"));
    for (const std::string& p : {dir.path("ordner.dat"), dir.path("fehlt.dat")}) {
        EXPECT_EQ(testing::refusal([&] { (void)readFileBytes(p); }).file(), p);
        EXPECT_EQ(testing::refusal([&] { (void)loadProjectFile(p); }).file(), p);
    }
    // Any bytes load as lines; saving and loading them again gives the same lines.
    std::mt19937 rng(7);
    const char alphabet[] = {'a', '1', ' ', '.', '-', '\r', '\n', '\0', '\xE4', '\xFF', '*', '#'};
    const std::string file = dir.path("zufall.dat");
    for (int k = 0; k < 400; ++k) {
        std::string bytes(std::uniform_int_distribution<std::size_t>(0, 300)(rng), ' ');
        for (char& c : bytes) c = alphabet[std::uniform_int_distribution<std::size_t>(0, sizeof alphabet - 1)(rng)];
        const Lines lines = splitLines(bytes);
        for (const std::string& line : lines) ASSERT_EQ(line.find('\n'), std::string::npos) << k;
        ASSERT_EQ(splitLines(joinLines(lines)), lines) << k;
        if (k % 40 != 0) continue;  // through the disk now and then
        writeFileAtomically(file, bytes);
        LoadedProject first;
        ASSERT_NO_THROW(first = loadProjectFile(file)) << k;
        saveProjectFile(file, first.lines);
        const LoadedProject second = loadProjectFile(file);
        EXPECT_TRUE(second.lines == first.lines && !second.converted) << k;
    }
}

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
