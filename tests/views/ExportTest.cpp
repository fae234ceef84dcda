#include "views/Export.h"

#include "project/ProjectFile.h"
#include "support/TempDir.h"
#include "views/ExportTestData.h"

#include <gtest/gtest.h>

#include <algorithm>

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

long lineCount(const std::string& bytes) { return std::count(bytes.begin(), bytes.end(), '\n'); }

// A defect is refused with its line; TEXT keeps nothing, TRNSYS the whole blocks before
// the defect, SUNCODE every hour up to an unreadable value (it ignores the blocks).
TEST(Export, DefectiveFilesAreRefusedKeepingWhatTheFormatKeeps) {
    const Lines good = marchToMay();  // blocks of 27 lines: "", heading, 24 hours, Diffus
    const auto with = [&](std::size_t index, const std::string& text) {
        Lines lines = good;
        lines[index] = text;
        return lines;
    };
    const std::tuple<const char*, Lines, int, long, long> cases[] = {
        {"month 13 in the second block", with(28, "Monat Nr. 13"), 29, 744, 72},
        {"month 0", with(1, "Monat Nr. 0"), 2, 0, 72},
        {"unreadable month", with(1, "Monat Nr. x"), 2, 0, 72},
        {"unreadable mean in April", with(27 + 10, "    8  o.3oo"), 38, 744, 32},
        {"unreadable diffuse value", with(53, "Diffus  0.400  -"), 54, 744, 72},
        {"file ends inside May", Lines(good.begin(), good.begin() + 66), 67, 1464, 58},
        {"empty file", Lines{}, 1, 0, 0},
        {"gap before April", [&] { Lines g = good; g.insert(g.begin() + 27, ""); return g; }(), 29, 744, 72},
    };
    for (const auto& [name, mit, line, trnsysLines, suncodeLines] : cases) {
        SCOPED_TRACE(name);
        const ExportResult text = exportText(mit), trn = exportTrnsys(mit), sun = exportSuncode(mit);
        ASSERT_TRUE(text.error && trn.error);
        EXPECT_EQ(text.error->line, line);
        EXPECT_EQ(text.bytes, "");
        EXPECT_EQ(trn.error->line, line);
        EXPECT_EQ(lineCount(trn.bytes), trnsysLines);
        EXPECT_EQ(lineCount(sun.bytes), suncodeLines);
        if (suncodeLines < 72 && std::string(name) != "file ends inside May") {
            ASSERT_TRUE(sun.error);
            EXPECT_EQ(sun.error->line, line);
        }
    }
    Lines trailing = good;  // blank lines at the end are no defect
    trailing.push_back("");
    EXPECT_FALSE(exportText(trailing).error);
}

TEST(ExportNames, ProposalsTakeTheNameUpToItsFirstDot) {
    const std::tuple<std::string, ExportFormat, std::string> cases[] = {
        {"/data/runs/haus.v2.mit", ExportFormat::Trnsys, "haus.trn"},
        {"/data/my.runs/haus", ExportFormat::Suncode, "sun"},
    };
    for (const auto& [path, format, expected] : cases) EXPECT_EQ(proposedExportName(path, format), expected) << path;
    EXPECT_EQ(proposedMitName("/p/Haus.dat"), "Haus.mit");
    // The first file offered needs a named project and an existing file.
    const auto exists = [](const std::string& p) { return p == "/p/haus.mit" || p == "unbenannt.mit"; };
    EXPECT_EQ(initialMitFile("/p/haus", exists), std::optional<std::string>("/p/haus.mit"));
    EXPECT_EQ(initialMitFile("/p/other", exists), std::nullopt);
    EXPECT_EQ(initialMitFile("unbenannt", exists), std::nullopt);
}

}  // namespace
}  // namespace penumbro
