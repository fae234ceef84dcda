#include "formats/KonFile.h"

#include "project/FileIo.h"
#include "support/Refusal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

namespace penumbro {
namespace {

// Every field different from its start value and from the other fields.
TSimParameter distinctRecord() {
    TSimParameter p;
    p.fastRun = true, p.monthly = false, p.diffuse = true, p.reserved3 = 0xA3;
    p.firstMonth = 2, p.stopMonth = 11, p.firstDay = 33, p.stopDay = 300, p.intervalDays = 7;
    p.intervalMinutes = 15, p.monthStartDay = 5, p.diffuseResolution = 6, p.onlineResolution = 3;
    p.latitude = 47.25, p.longitude = -8.5, p.correction = -1, p.resolution = 4;
    p.reserved68 = {0xB0, 0xB1, 0xB2, 0xB3}, p.elevationIntervals = 9, p.reserved76 = {0xC0, 0xC1, 0xC2, 0xC3};
    p.skyReduction = 0.75, p.obstacleReflectance = 0.3;
    return p;
}

std::vector<std::uint8_t> le(std::uint64_t v, std::size_t size) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return out;
}
std::vector<std::uint8_t> le32(std::int32_t v) { return le(static_cast<std::uint32_t>(v), 4); }
std::vector<std::uint8_t> le64(double v) { return le(std::bit_cast<std::uint64_t>(v), 8); }

TEST(KonFile, EveryFieldAtItsOffset) {
    const auto bytes = encodeSimParameter(distinctRecord());
    const std::pair<std::size_t, std::vector<std::uint8_t>> table[] = {
        {0, {1}},          {1, {0}},          {2, {1}},         {3, {0xA3}},       {4, le32(2)},
        {8, le32(11)},     {12, le32(33)},    {16, le32(300)},  {20, le32(7)},     {24, le32(15)},
        {28, le32(5)},     {32, le32(6)},     {36, le32(3)},    {40, le64(47.25)}, {48, le64(-8.5)},
        {56, le64(-1)},    {64, le32(4)},     {68, {0xB0, 0xB1, 0xB2, 0xB3}},      {72, le32(9)},
        {76, {0xC0, 0xC1, 0xC2, 0xC3}},       {80, le64(0.75)}, {88, le64(0.3)},
    };
    std::size_t covered = 0;
    for (const auto& [offset, value] : table) {
        ASSERT_EQ(offset, covered) << "gap in the table";
        for (std::size_t i = 0; i < value.size(); ++i) EXPECT_EQ(bytes[offset + i], value[i]) << offset + i;
        covered += value.size();
    }
    EXPECT_EQ(covered, kSimParameterSize);
}

TEST(KonFile, RecordRoundTrip) {
    const testing::TempDir dir("simparam");
    const TSimParameter p = distinctRecord();
    EXPECT_EQ(decodeSimParameter(encodeSimParameter(p)), p);
    TSimParameter q;
    q.firstDay = -2;  // negative integers survive the two's complement
    EXPECT_EQ(decodeSimParameter(encodeSimParameter(q)).firstDay, -2);
    writeKonFile(dir.path("run.kon"), p);
    EXPECT_EQ(readKonFile(dir.path("run.kon")), p);
    writeKonFile(dir.path("run.kon"), TSimParameter{});  // overwriting keeps exactly one record
    EXPECT_EQ(readKonFile(dir.path("run.kon")), TSimParameter{});

    std::string warning;
    writeKonFile(dir.path("standard.kon"), p);
    EXPECT_EQ(startupParameters(dir.path(""), &warning), p);  // all offsets, site too
}

TEST(KonFile, ReservedNameAndSettingByKey) {
    // One value per key, in record order; each reads back as written.
    const char* const good[] = {"0", "1", "3", "12", "1", "365", "2", "60", "28", "25", "2", "-90", "180", "-12",
                                "1", "7", "0.333", "0"};
    ASSERT_EQ(std::size(good), simParameterKeys().size());
    TSimParameter p;
    for (std::size_t i = 0; i < std::size(good); ++i) {
        setSimParameter(p, simParameterKeys()[i], good[i]);
        EXPECT_EQ(simParameterValue(p, simParameterKeys()[i]), good[i]) << simParameterKeys()[i];
    }

    using KeyValue = std::pair<const char*, const char*>;
    const KeyValue bad[] = {
        {"monthly", "2"}, {"diffuse", "yes"}, {"first-month", "0"}, {"stop-month", "13"}, {"first-day", "366"},
        {"interval-minutes", "61"}, {"month-start-day", "29"}, {"resolution", "1.5"}, {"latitude", "90.1"},
        {"longitude", "abc"}, {"correction", "13"}, {"sky-reduction", "1.01"}, {"obstacle-reflectance", "-0.1"},
        {"latitude", "nan"}, {"first-month", ""}, {"fast-run", "1"}, {"interval-days", "99999999999"},
        {"no-such-key", "1"},
    };
    for (const auto& [key, value] : bad) {
        TSimParameter r;
        const std::string refused = testing::refusal([&] { setSimParameter(r, key, value); }).what();
        EXPECT_NE(refused.find(key), std::string::npos) << key << "=" << value << ": " << refused;
        EXPECT_EQ(r, TSimParameter{}) << "a refused value changes nothing";
    }
}

// Damaged files are refused naming the file, never read into a record that could stall a
// run; a damaged standard.kon leaves the start values and a warning.
TEST(KonFile, DamagedFilesAreRefusedNamingTheFile) {
    testing::TempDir dir("konfile");
    const auto good = encodeSimParameter(TSimParameter{});
    const std::string bytes(good.begin(), good.end()), file = dir.path("damaged.kon");
    auto patched = [&](std::size_t at, std::vector<std::uint8_t> v) {
        std::string b = bytes;
        for (std::size_t i = 0; i < v.size(); ++i) b[at + i] = static_cast<char>(v[i]);
        return b;
    };
    for (const std::string& damaged : {std::string(), bytes.substr(0, 95), bytes + '\0', patched(24, le32(0)),
                                       patched(20, le32(-1)), patched(80, le64(std::nan(""))), patched(88, le64(1e308))}) {
        dir.write("damaged.kon", damaged);
        const InputError e = testing::refusal([&] { (void)readKonFile(file); });
        EXPECT_EQ(e.file(), file) << e.what();
    }
    dir.write("standard.kon", bytes.substr(0, 50));
    std::string warning;
    EXPECT_EQ(startupParameters(dir.path(""), &warning), TSimParameter{});
    EXPECT_NE(warning.find("standard.kon"), std::string::npos) << warning;
}

}  // namespace
}  // namespace penumbro
