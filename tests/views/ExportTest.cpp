#include "views/Export.h"
#include "views/ExportChoice.h"

#include "project/ProjectFile.h"
#include "support/TempDir.h"
#include "views/ExportTestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <streambuf>

namespace penumbro {
namespace {

using testdata::marchToMay;

// The three tables of a yearly run with diffuse values and of a daily run written with
// the decimal comma, byte for byte (TEXT keeps the comma, the others do not).
TEST(ExportGolden, TablesAreUnchanged) {
    const std::string source = PENUMBRO_SOURCE_DIR;
    for (const std::string mit : {"collector_year_diffuse", "collector_daily_comma"}) {
        const Lines lines = splitLines(testing::TempDir::readFile(source + "/tests/cli/golden/" + mit + ".mit"));
        for (const auto& [format, table] :
             {std::pair{ExportFormat::Text, "text"}, {ExportFormat::Trnsys, "trnsys"}, {ExportFormat::Suncode, "suncode"}}) {
            const ExportResult r = exportMeanValues(lines, format);
            const std::string golden = source + "/tests/views/golden/" + mit + "." + table;
            EXPECT_TRUE(!r.error && r.bytes == testing::TempDir::readFile(golden)) << golden;
        }
    }
}

const ExportFormat kTables[] = {ExportFormat::Text, ExportFormat::Trnsys, ExportFormat::Suncode};

// Damage a run never writes is refused with its line in every format, and no table
// at all comes out: a partial table cannot be told from a whole one.
TEST(Export, DamagedFilesAreRefusedWithTheirLine) {
    const Lines good = marchToMay();  // blocks of 27 lines: "", heading, 24 hours, Diffus
    const auto with = [&](std::size_t index, const std::string& text) {
        Lines lines = good;
        lines[index] = text;
        return lines;
    };
    const auto edit = [&](const std::function<void(Lines&)>& change) {
        Lines lines = good;
        change(lines);
        return lines;
    };
    std::vector<testdata::MitMonth> thirteen;  // January..December, then one month more
    for (int m = 0; m < 13; ++m) thirteen.push_back({m % 12 + 1, testdata::dayCurve});
    const Lines year = testdata::monthlyMit(thirteen);
    Lines daily;
    for (int h = 0; h < 24; ++h) daily.push_back(testdata::mitHourLine(h, 0.5));
    const std::tuple<const char*, Lines, int> cases[] = {
        {"month 13 in the second block", with(28, "Monat Nr. 13"), 29},
        {"heading without its number", with(28, "Monat Nr."), 29},
        {"months out of order", with(28, "Monat Nr. 5"), 29},
        {"thirteen month blocks", year, 12 * 26 + 2},
        {"unreadable mean in April", with(27 + 10, "    8  o.3oo"), 38},
        {"NaN mean", with(5, "    3  nan"), 6}, {"mean 1e300", with(5, "    3  1e300"), 6},
        {"mean above 1", with(5, "    3  1.001"), 6}, {"negative mean", with(5, "    3  -0.01"), 6},
        {"hour missing", edit([](Lines& l) { l.erase(l.begin() + 7); }), 8},
        {"hours swapped", edit([](Lines& l) { std::swap(l[7], l[8]); }), 8},
        {"hour without its mean", with(9, "    7"), 10},
        {"diffuse value 1e308", with(53, "Diffus  0.400  1e308"), 54},
        {"NaN diffuse value", with(26, "Diffus  nan  0.150"), 27},
        {"diffuse line of March missing", edit([](Lines& l) { l.erase(l.begin() + 26); }), 53},
        {"diffuse line inside the hours", with(20, "Diffus  0.300  0.150"), 21},
        {"file ends inside May", Lines(good.begin(), good.begin() + 66), 67},
        {"gap before April", edit([](Lines& l) { l.insert(l.begin() + 27, ""); }), 29},
        {"line of 300 characters", with(5, "    3  0.5" + std::string(290, '0')), 6},
        {"daily file with a diffuse line", edit([&](Lines& l) { l = daily, l.push_back("Diffus  0.300  0.150"); }), 25},
        {"daily file with a second block", edit([&](Lines& l) { l = daily, l.push_back("    0  0.500"); }), 25},
    };
    for (const auto& [name, mit, line] : cases) {
        for (ExportFormat f : kTables) {
            const ExportResult r = exportMeanValues(mit, f);
            ASSERT_TRUE(r.error) << name << ", format " << static_cast<int>(f);
            EXPECT_EQ(r.error->line, line) << name << ", format " << static_cast<int>(f);
            EXPECT_EQ(r.bytes, "") << name;
        }
    }
}

// What a run writes reads the same whatever its blanks, and a run across the turn of the
// year counts its hours from each month's first day.
TEST(Export, FieldsAreReadWhereverTheyStand) {
    const Lines good = marchToMay();
    Lines loose = good;
    loose[2] = "   0  1.000";  // one leading blank lost
    loose[30] = "\t1\t1.000   ";
    loose.insert(loose.end(), {"", "  "});  // blank lines at the end
    for (ExportFormat f : kTables) EXPECT_EQ(exportMeanValues(loose, f).bytes, exportMeanValues(good, f).bytes);

    const Lines winter = testdata::monthlyMit({{11, testdata::dayCurve}, {12, testdata::dayCurve}, {1, testdata::dayCurve}});
    const Lines trn = splitLines(exportTrnsys(winter).bytes);
    ASSERT_EQ(trn.size(), (30u + 31u + 31u) * 24u);
    // 1 + 24 x (days of January..October)
    EXPECT_EQ(trn.front().substr(0, 4), "7297");
    EXPECT_EQ(trn[61 * 24].substr(0, 4), "   1");
}

// A stream that repeats one text without end, counting what it hands out.
class EndlessText : public std::streambuf {
public:
    explicit EndlessText(std::string unit) : unit_(std::move(unit)) { refill(); }
    std::size_t handedOut() const { return handed_; }

protected:
    int_type underflow() override {
        refill();
        return traits_type::to_int_type(unit_[0]);
    }

private:
    void refill() {
        setg(unit_.data(), unit_.data(), unit_.data() + unit_.size());
        handed_ += unit_.size();
    }
    std::string unit_;
    std::size_t handed_ = 0;
};

// A file of any size costs a bounded amount of memory: the reader stops at the
// thirteenth month block or at the first overlong line, and the TRNSYS table leaves
// in pieces of one day.
TEST(Export, EndlessInputIsReadOnlyAsFarAsItsDefect) {
    std::vector<testdata::MitMonth> months;
    for (int m = 1; m <= 12; ++m) months.push_back({m, testdata::dayCurve});
    const std::string year = joinLines(testdata::monthlyMit(months));
    for (const std::string& unit : {year, std::string(4096, '7')}) {
        EndlessText text(unit);
        std::istream in(&text);
        std::size_t largest = 0, total = 0;
        const auto error = streamMeanValues(in, ExportFormat::Trnsys, [&](std::string_view part) {
            largest = std::max(largest, part.size());
            total += part.size();
        });
        ASSERT_TRUE(error);
        EXPECT_LE(text.handedOut(), 2 * year.size() + 4096);
        EXPECT_LE(largest, 24u * 18u);
        EXPECT_LE(total, 8760u * 18u);
    }
}

TEST(ExportNames, ProposalsOfTheOpenDialog) {
    EXPECT_EQ(proposedMitName("/p/Haus.dat"), "Haus.mit");
    // The first file offered needs a named project and an existing file.
    const auto exists = [](const std::string& p) { return p == "/p/haus.mit" || p == "unbenannt.mit"; };
    EXPECT_EQ(initialMitFile("/p/haus", exists), std::optional<std::string>("/p/haus.mit"));
    EXPECT_EQ(initialMitFile("/p/other", exists), std::nullopt);
    EXPECT_EQ(initialMitFile("unbenannt", exists), std::nullopt);
}

TEST(ExportChoice, InstantFormatsReadTheReportBesideTheChosenMeanValues) {
    using F = ExportFormat;
    using E = ExportChoiceError;
    // format, file, report beside the .mit, error, file read, proposal, project needed
    const std::tuple<std::optional<F>, std::string, bool, E, std::string, std::string, bool> cases[] = {
        {F::Text, "/r/haus.v2.mit", true, E::None, "/r/haus.v2.mit", "haus.txt", false},
        {F::Sam, "/r/haus.mit", true, E::None, "/r/haus.mit", "haus.sam.csv", true},
        {F::EnergyPlus, "/r.d/haus.mit", true, E::None, "/r.d/haus.rep", "haus.eplus.csv", true},
        {F::HourlyCsv, "/r/haus.mit", false, E::None, "/r/haus.mit", "haus.hourly.csv", true},
        {F::Trnsys, "", false, E::NoFile, "", "trn", false},
        {std::nullopt, "/r/haus.mit", true, E::NoFormat, "", "", false},
    };
    for (const auto& [format, file, beside, error, in, proposal, project] : cases) {
        const ExportChoice c = chooseExport({format, file, beside});
        EXPECT_EQ(std::tuple(c.error, c.inPath, c.proposedName, c.needsProject), std::tuple(error, in, proposal, project))
            << file;
    }
}

}  // namespace
}  // namespace penumbro
