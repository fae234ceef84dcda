#include "simulation/SimParameter.h"

#include "cli/RunCli.h"
#include "project/FileIo.h"
#include "project/InputError.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>


namespace penumbro {
namespace {

namespace fs = std::filesystem;

class SimParameterFiles : public ::testing::Test {
protected:
    void SetUp() override { dir_ = cliTempDir("simparam"); }
    void TearDown() override { fs::remove_all(dir_); }
    std::string file(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

// Every field different from its start value and from the other fields.
TSimParameter distinctRecord() {
    TSimParameter p;
    p.fastRun = true;
    p.monthly = false;
    p.diffuse = true;
    p.reserved3 = 0xA3;
    p.firstMonth = 2;
    p.stopMonth = 11;
    p.firstDay = 33;
    p.stopDay = 300;
    p.intervalDays = 7;
    p.intervalMinutes = 15;
    p.monthStartDay = 5;
    p.diffuseResolution = 6;
    p.onlineResolution = 3;
    p.latitude = 47.25;
    p.longitude = -8.5;
    p.correction = -1;
    p.resolution = 4;
    p.reserved68 = {0xB0, 0xB1, 0xB2, 0xB3};
    p.elevationIntervals = 9;
    p.reserved76 = {0xC0, 0xC1, 0xC2, 0xC3};
    p.skyReduction = 0.75;
    p.obstacleReflectance = 0.3;
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
    struct Expect {
        std::size_t offset;
        std::vector<std::uint8_t> value;
    };
    const Expect table[] = {
        {0, {1}},           {1, {0}},           {2, {1}},          {3, {0xA3}},
        {4, le32(2)},       {8, le32(11)},      {12, le32(33)},    {16, le32(300)},
        {20, le32(7)},      {24, le32(15)},     {28, le32(5)},     {32, le32(6)},
        {36, le32(3)},      {40, le64(47.25)},  {48, le64(-8.5)},  {56, le64(-1)},
        {64, le32(4)},      {68, {0xB0, 0xB1, 0xB2, 0xB3}},        {72, le32(9)},
        {76, {0xC0, 0xC1, 0xC2, 0xC3}},         {80, le64(0.75)},  {88, le64(0.3)},
    };
    std::size_t covered = 0;
    for (const auto& e : table) {
        SCOPED_TRACE(e.offset);
        ASSERT_EQ(e.offset, covered) << "gap in the table";
        for (std::size_t i = 0; i < e.value.size(); ++i) EXPECT_EQ(bytes[e.offset + i], e.value[i]) << i;
        covered += e.value.size();
    }
    EXPECT_EQ(covered, kSimParameterSize);
}

TEST(SimParameter, StartValuesAsBytes) {
    // 1 monthly, months 1..12, days 1..365, 10 days, 20 min, day 1, 5 px, 1 px, site 0,
    // 1 px, 10 bands, 1.0, 0.2.
    const std::array<std::uint8_t, kSimParameterSize> expected = {
        0x00, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x0c, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
        0x6d, 0x01, 0x00, 0x00, 0x0a, 0x00, 0x00, 0x00, 0x14, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
        0x05, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0a, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xf0, 0x3f, 0x9a, 0x99, 0x99, 0x99, 0x99, 0x99, 0xc9, 0x3f,
    };
    EXPECT_EQ(encodeSimParameter(TSimParameter{}), expected);
}

TEST_F(SimParameterFiles, RecordRoundTrip) {
    const TSimParameter p = distinctRecord();
    EXPECT_EQ(decodeSimParameter(encodeSimParameter(p)), p);
    TSimParameter q;
    q.firstDay = -2;  // negative integers survive the two's complement
    EXPECT_EQ(decodeSimParameter(encodeSimParameter(q)).firstDay, -2);
    const std::string path = file("run.kon");
    writeKonFile(path, p);
    EXPECT_EQ(readFileBytes(path).size(), kSimParameterSize);
    EXPECT_EQ(readKonFile(path), p);
    writeKonFile(path, TSimParameter{});  // overwriting keeps exactly one record
    EXPECT_EQ(readKonFile(path), TSimParameter{});
}

TEST(SimParameter, OpeningCopiesAllButFastRunSiteAndReserved) {
    TSimParameter live;
    live.fastRun = true;
    live.latitude = 10;
    live.longitude = 20;
    live.correction = 1;
    TSimParameter fromFile = distinctRecord();
    fromFile.fastRun = false;
    const auto before = encodeSimParameter(live);
    const auto file = encodeSimParameter(fromFile);
    copyOpenedParameters(live, fromFile);
    const auto after = encodeSimParameter(live);
    auto copied = [](std::size_t at) {
        return at == 1 || at == 2 || (at >= 4 && at <= 39) || (at >= 64 && at <= 67) ||
               (at >= 72 && at <= 75) || at >= 80;
    };
    for (std::size_t at = 0; at < kSimParameterSize; ++at)
        EXPECT_EQ(after[at], copied(at) ? file[at] : before[at]) << "offset " << at;
    EXPECT_TRUE(live.fastRun);
    EXPECT_EQ(live.latitude, 10);
}

TEST_F(SimParameterFiles, WrongSizeIsAnErrorNamingTheFileAndSize) {
    const auto good = encodeSimParameter({});
    for (std::size_t size : {std::size_t{0}, kSimParameterSize - 1, kSimParameterSize + 1}) {
        const std::string path = file("bad.kon");
        writeFileAtomically(path, std::string(reinterpret_cast<const char*>(good.data()), size));
        try {
            readKonFile(path);
            ADD_FAILURE() << size << " bytes were read";
        } catch (const InputError& e) {
            EXPECT_EQ(e.file(), path);
            EXPECT_NE(e.message().find(std::to_string(size) + " bytes"), std::string::npos) << e.what();
        }
    }
}

TEST(SimParameter, ReservedName) {
    const std::pair<const char*, bool> table[] = {
        {"standard.kon", true},      {"/home/u/Standard.Kon", true}, {"C:\\Programme\\standard.kon", true},
        {"standard.kon.bak", false}, {"mystandard.kon", false},      {"/tmp/standard.kon/other.kon", false},
    };
    for (const auto& [path, reserved] : table) EXPECT_EQ(isReservedKonName(path), reserved) << path;
}

TEST_F(SimParameterFiles, StartupReadsStandardKonWhole) {
    const std::string folder = file("");
    std::string warning;
    EXPECT_EQ(startupParameters(folder, &warning), TSimParameter{});
    EXPECT_EQ(warning, "");
    writeKonFile(folder + "standard.kon", distinctRecord());
    EXPECT_EQ(startupParameters(folder, &warning), distinctRecord());  // all offsets, site too
}

TEST(SimParameter, SettingByKey) {
    struct Case {
        const char* key;
        const char* value;
    };
    const Case good[] = {
        {"monthly", "0"},        {"diffuse", "1"},          {"first-month", "3"},
        {"stop-month", "12"},    {"first-day", "1"},        {"stop-day", "365"},
        {"interval-days", "2"},  {"interval-minutes", "60"}, {"month-start-day", "28"},
        {"diffuse-resolution", "25"}, {"online-resolution", "2"}, {"latitude", "-90"},
        {"longitude", "180"},    {"correction", "-12"},     {"resolution", "1"},
        {"elevation-intervals", "7"}, {"sky-reduction", "0.333"}, {"obstacle-reflectance", "0"},
    };
    ASSERT_EQ(std::size(good), simParameterKeys().size());
    TSimParameter p;
    for (std::size_t i = 0; i < std::size(good); ++i) {
        EXPECT_EQ(simParameterKeys()[i], good[i].key) << "record order";
        setSimParameter(p, good[i].key, good[i].value);
        EXPECT_EQ(simParameterValue(p, good[i].key), good[i].value);
    }
    EXPECT_FALSE(p.monthly);
    EXPECT_EQ(p.skyReduction, 0.333);
    EXPECT_EQ(p.correction, -12);
    EXPECT_EQ(simParameterValue(p, "fast-run"), "0");

    const Case bad[] = {
        {"monthly", "2"},          {"diffuse", "yes"},       {"first-month", "0"},    {"stop-month", "13"},
        {"first-day", "366"},      {"interval-minutes", "61"}, {"month-start-day", "29"}, {"resolution", "1.5"},
        {"latitude", "90.1"},      {"longitude", "abc"},     {"correction", "13"},    {"sky-reduction", "1.01"},
        {"obstacle-reflectance", "-0.1"}, {"latitude", "nan"}, {"first-month", ""},   {"fast-run", "1"},
        {"interval-days", "99999999999"}, {"no-such-key", "1"},
    };
    for (const auto& c : bad) {
        TSimParameter q;
        try {
            setSimParameter(q, c.key, c.value);
            ADD_FAILURE() << c.key << "=" << c.value << " accepted";
        } catch (const InputError& e) {
            EXPECT_NE(std::string(e.what()).find(c.key), std::string::npos) << e.what();
        }
        EXPECT_EQ(q, TSimParameter{}) << "a refused value changes nothing";
    }
}

TEST(SimParameter, ListedRealsReadBackExactly) {
    TSimParameter p;
    p.latitude = 0.1 + 0.2;
    p.longitude = -1.0 / 3.0;
    TSimParameter q;
    for (const char* key : {"latitude", "longitude"}) setSimParameter(q, key, simParameterValue(p, key));
    EXPECT_EQ(q.latitude, p.latitude);
    EXPECT_EQ(q.longitude, p.longitude);
}

}  // namespace
}  // namespace penumbro
