// The small files: schedules, penumbro.ini, pictures, desktop entries and horizon
// profiles. What is written reads back the same; damage is refused naming the file.

#include "formats/BmpFile.h"
#include "formats/DesktopEntry.h"
#include "formats/HorizonProfileFile.h"
#include "formats/ScheduleFile.h"
#include "formats/SettingsFile.h"
#include "project/InputError.h"
#include "support/Refusal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

TEST(Schedule, RoundTripAndExactLength) {
    const testing::TempDir dir("sch");
    const std::string path = dir.path("laub.sch");
    const std::array<int, 12> values{0, 50, 100, 1, 2, 3, 4, 5, 6, 7, 8, 99};
    writeSchedule(path, values);
    for (const std::string& bytes : {std::string(11, '\x14'), std::string(13, '\x14'), std::string(11, '\x14') + "\x65"})
        EXPECT_THROW(readSchedule(dir.write("bad.sch", bytes)), InputError) << bytes.size();
    std::array<int, 12> bad = values;
    bad[0] = 101;
    EXPECT_THROW(writeSchedule(path, bad), InputError);
    EXPECT_EQ(readSchedule(path), values);  // the failed write left the file alone
}

TEST(SettingsFile, RoundTripAndMissingLinesKeepTheirDefaults) {
    // Four lines: no language yet, 3D on; LF accepted on reading.
    SettingsFile s = parseSettings("anderer Browser\r\n/usr/bin/v\r\nanderes Verzeichnis\r\n/tmp\r\n");
    EXPECT_TRUE(s.browserPath == "/usr/bin/v" && s.otherDirectory == "/tmp" && s.language.empty() && s.preview3d == "1");
    EXPECT_EQ(parseSettings("Standard-Browser\n\nStandard-Verzeichnis\n\ne\n0\n").preview3d, "0");
    s.language = "e";
    const std::string bytes = "anderer Browser\r\n/usr/bin/v\r\nanderes Verzeichnis\r\n/tmp\r\ne\r\n1\r\n";
    EXPECT_EQ(formatSettings(s), bytes);
    EXPECT_EQ(formatSettings(parseSettings(bytes)), bytes);
    EXPECT_EQ(readSettingsFile("/nonexistent/penumbro.ini"), SettingsFile{});
}

// Widths 1..5 need 1, 2, 3, 0 and 1 bytes of padding per row.
TEST(BmpFile, PicturesRoundTripWithPaddedBottomUpRows) {
    for (int width = 1; width <= 5; ++width) {
        BmpPicture p{width, 3, {}};
        for (int i = 0; i < width * 3; ++i) p.pixels.push_back(static_cast<std::uint32_t>(i * 0x010305 + 0x100000));
        const std::string bytes = encodeBmp24(p.pixels, p.width, p.height);
        const std::size_t rowBytes = static_cast<std::size_t>(width * 3 + 3) / 4 * 4;
        ASSERT_EQ(bytes.size(), 54 + 3 * rowBytes) << width;
        // The last row comes first, blue first.
        EXPECT_EQ(static_cast<unsigned char>(bytes[54]), p.pixels[static_cast<std::size_t>(2 * width)] >> 16 & 0xFF);
        EXPECT_EQ(decodeBmp24(bytes), p) << width;
        EXPECT_EQ(decodeBmp24(bytes.substr(0, bytes.size() - 1)), std::nullopt) << width;
    }
}

TEST(DesktopEntry, ProgramOfTheExecLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"[Desktop Entry]\r\nExec=/usr/bin/viewer --open %U\r\n", "/usr/bin/viewer"},
        {"[Desktop Entry]\nExec = \"/opt/My Viewer/run\" %f\n", "/opt/My Viewer/run"},
        {"[Desktop Entry]\nExec=/opt/My\\sViewer/run %f\n", "/opt/My"},  // a blank splits unless quoted
        {"[Desktop Entry]\nExec=\"/opt/a\\\\\\\\b\\\\\"c\" %f\n", "/opt/a\\b\"c"},
        {"# c\n[Desktop Action new]\nExec=wrong\n[Desktop Entry]\nExec=right %F\n[Desktop Action a]\nExec=x\n",
         "right"},
        {"Exec=outside\n[Desktop Entry]\nName=No program\n", ""},
    };
    for (const auto& [content, program] : cases) EXPECT_EQ(programOfDesktopEntry(content), program) << content;
}

TEST(HorizonImport, BadProfilesAreRefusedWithFileAndLine) {
    using Case = std::tuple<const char*, HorizonProfileFormat, AzimuthOrigin, int, const char*>;
    const auto csv = HorizonProfileFormat::Csv;
    const auto north = AzimuthOrigin::North;
    const std::vector<Case> cases = {
        {"azimuth,elevation\n", csv, north, 2, "no numeric rows"},
        {"0,1\n400,2\n", csv, north, 2, "outside 0..360"},
        {"0,1\n200,2\n", csv, AzimuthOrigin::South, 2, "outside -180..180"},
        {"0,1\n10,95\n", csv, north, 2, "outside -90..90"},
        {"0,1\n10,2\n10,3\n", csv, north, 3, "do not rise"},
        {"0,1\n10,NaN\n", csv, north, 2, "not a number"}, {"0,1\n10\n", csv, north, 2, "columns"},
        {"A\tH_hor\n-180\t1\n-190\t1\n", HorizonProfileFormat::PvgisCsv, north, 3, "outside -180..180"},
        {"{\n\"outputs\": [,\n", HorizonProfileFormat::PvgisJson, north, 2, "not JSON"},
        {R"({"outputs": {}})", HorizonProfileFormat::PvgisJson, north, 0, "outputs.horizon_profile"},
        {R"({"outputs": {"horizon_profile": [{"A": "x", "H_hor": 1}]}})", HorizonProfileFormat::PvgisJson, north, 0,
         "horizon_profile[0]: the azimuth"},
        {R"({"outputs": {"horizon_profile": [{"A": 0, "H_hor": 1}, 5]}})", HorizonProfileFormat::PvgisJson, north, 0,
         "horizon_profile[1]: the azimuth"},
        {"{\"outputs\": {\"horizon_profile\": [\n{\"A\": 1e400, \"H_hor\": 1}]}}", HorizonProfileFormat::PvgisJson, north,
         2, "the number 1e400 is out of range"},
        {R"({"outputs": {"horizon_profile": {"A": 0}}})", HorizonProfileFormat::PvgisJson, north, 0,
         "outputs.horizon_profile"},
        {R"([{"outputs": {"horizon_profile": []}}])", HorizonProfileFormat::PvgisJson, north, 0,
         "outputs.horizon_profile"},
    };
    for (const auto& [text, format, origin, line, says] : cases) {
        const InputError e = testing::refusal([&] { readHorizonProfile(text, "f", format, origin); });
        EXPECT_EQ(std::pair(e.file(), e.line()), std::pair(std::string("f"), line)) << text << ": " << e.message();
        EXPECT_NE(e.message().find(says), std::string::npos) << text << ": " << e.message();
    }
}

}  // namespace
}  // namespace penumbro
