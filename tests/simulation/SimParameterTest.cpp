#include "simulation/SimParameter.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <bit>

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

TEST(SimParameter, EveryFieldAtItsOffset) {
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

TEST(SimParameter, RecordRoundTrip) {
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
    EXPECT_EQ(startupParameters(dir.path(""), &warning), TSimParameter{});
    EXPECT_EQ(warning, "");
    writeKonFile(dir.path("standard.kon"), p);
    EXPECT_EQ(startupParameters(dir.path(""), &warning), p);  // all offsets, site too

    for (std::size_t size : {std::size_t{0}, kSimParameterSize - 1, kSimParameterSize + 1}) {
        const std::string bad = dir.write("bad.kon", std::string(size, '\1'));
        try {
            readKonFile(bad);
            ADD_FAILURE() << size << " bytes were read";
        } catch (const InputError& e) {
            EXPECT_EQ(e.file(), bad);
            EXPECT_NE(e.message().find(std::to_string(size) + " bytes"), std::string::npos) << e.what();
        }
    }
}

TEST(SimParameter, OpeningCopiesAllButFastRunSiteAndReserved) {
    TSimParameter live;
    live.fastRun = true, live.latitude = 10, live.longitude = 20, live.correction = 1;
    TSimParameter fromFile = distinctRecord();
    fromFile.fastRun = false;
    const auto before = encodeSimParameter(live);
    const auto file = encodeSimParameter(fromFile);
    copyOpenedParameters(live, fromFile);
    const auto after = encodeSimParameter(live);
    auto copied = [](std::size_t at) {
        return at == 1 || at == 2 || (at >= 4 && at <= 39) || (at >= 64 && at <= 67) || (at >= 72 && at <= 75) ||
               at >= 80;
    };
    for (std::size_t at = 0; at < kSimParameterSize; ++at)
        EXPECT_EQ(after[at], copied(at) ? file[at] : before[at]) << "offset " << at;
}

TEST(SimParameter, ReservedName) {
    const std::pair<const char*, bool> table[] = {
        {"standard.kon", true},      {"/home/u/Standard.Kon", true}, {"C:\\Programme\\standard.kon", true},
        {"standard.kon.bak", false}, {"mystandard.kon", false},      {"/tmp/standard.kon/other.kon", false},
    };
    for (const auto& [path, reserved] : table) EXPECT_EQ(isReservedKonName(path), reserved) << path;
}

TEST(SimParameter, SettingByKey) {
    using KeyValue = std::pair<const char*, const char*>;
    const KeyValue good[] = {
        {"monthly", "0"},          {"diffuse", "1"},           {"first-month", "3"},        {"stop-month", "12"},
        {"first-day", "1"},        {"stop-day", "365"},        {"interval-days", "2"},      {"interval-minutes", "60"},
        {"month-start-day", "28"}, {"diffuse-resolution", "25"}, {"online-resolution", "2"}, {"latitude", "-90"},
        {"longitude", "180"},      {"correction", "-12"},      {"resolution", "1"},         {"elevation-intervals", "7"},
        {"sky-reduction", "0.333"}, {"obstacle-reflectance", "0"},
    };
    ASSERT_EQ(std::size(good), simParameterKeys().size());
    TSimParameter p;
    for (std::size_t i = 0; i < std::size(good); ++i) {
        EXPECT_EQ(simParameterKeys()[i], good[i].first) << "record order";
        setSimParameter(p, good[i].first, good[i].second);
        EXPECT_EQ(simParameterValue(p, good[i].first), good[i].second);
    }
    EXPECT_EQ(p.skyReduction, 0.333);
    EXPECT_EQ(simParameterValue(p, "fast-run"), "0");
    // Listed reals read back exactly.
    TSimParameter q;
    p.latitude = 0.1 + 0.2;
    setSimParameter(q, "latitude", simParameterValue(p, "latitude"));
    EXPECT_EQ(q.latitude, p.latitude);

    const KeyValue bad[] = {
        {"monthly", "2"},       {"diffuse", "yes"},          {"first-month", "0"},     {"stop-month", "13"},
        {"first-day", "366"},   {"interval-minutes", "61"},  {"month-start-day", "29"}, {"resolution", "1.5"},
        {"latitude", "90.1"},   {"longitude", "abc"},        {"correction", "13"},     {"sky-reduction", "1.01"},
        {"obstacle-reflectance", "-0.1"}, {"latitude", "nan"}, {"first-month", ""},    {"fast-run", "1"},
        {"interval-days", "99999999999"}, {"no-such-key", "1"},
    };
    for (const auto& [key, value] : bad) {
        TSimParameter r;
        try {
            setSimParameter(r, key, value);
            ADD_FAILURE() << key << "=" << value << " accepted";
        } catch (const InputError& e) {
            EXPECT_NE(std::string(e.what()).find(key), std::string::npos) << e.what();
        }
        EXPECT_EQ(r, TSimParameter{}) << "a refused value changes nothing";
    }
}

}  // namespace
}  // namespace penumbro
