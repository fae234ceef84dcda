#include "views/Export.h"

#include "project/ProjectFile.h"
#include "support/TempDir.h"
#include "views/ExportTestData.h"

#include <gtest/gtest.h>


namespace penumbro {
namespace {

using testdata::marchToMay;
using testdata::monthlyMit;

std::size_t countOf(const std::string& bytes, const std::string& piece) {
    std::size_t n = 0;
    for (auto pos = bytes.find(piece); pos != std::string::npos; pos = bytes.find(piece, pos + 1)) ++n;
    return n;
}

// The three tables of a yearly run with diffuse values and of a daily run written with
// the decimal comma, byte for byte (TEXT keeps the comma, the others do not).
class ExportGolden : public ::testing::TestWithParam<std::tuple<const char*, ExportFormat, const char*>> {};

TEST_P(ExportGolden, TableIsUnchanged) {
    const auto [mit, format, table] = GetParam();
    const std::string source = PENUMBRO_SOURCE_DIR;
    const Lines lines = splitLines(testing::TempDir::readFile(source + "/tests/cli/golden/" + mit + ".mit"));
    const ExportResult r = exportMeanValues(lines, format);
    EXPECT_FALSE(r.error);
    const std::string golden = source + "/tests/views/golden/" + mit + "." + table;
    EXPECT_TRUE(r.bytes == testing::TempDir::readFile(golden)) << golden;
}

INSTANTIATE_TEST_SUITE_P(
    RunOutputs, ExportGolden,
    ::testing::Values(std::tuple{"collector_year_diffuse", ExportFormat::Text, "text"},
                      std::tuple{"collector_year_diffuse", ExportFormat::Trnsys, "trnsys"},
                      std::tuple{"collector_year_diffuse", ExportFormat::Suncode, "suncode"},
                      std::tuple{"collector_daily_comma", ExportFormat::Text, "text"},
                      std::tuple{"collector_daily_comma", ExportFormat::Trnsys, "trnsys"},
                      std::tuple{"collector_daily_comma", ExportFormat::Suncode, "suncode"}));

TEST(ExportText, OnlyTheLastBlocksDiffuseLineGivesViewLinesAndEnglishHeadingsCount) {
    // March has a diffuse line, April (the last block, headed in English) has none.
    Lines mit = monthlyMit({{3, testdata::dayCurve, true, 0.3, 0.2}, {4, testdata::dayCurve}});
    mit[28] = "Month Nr. 4";
    const ExportResult r = exportText(mit);
    ASSERT_FALSE(r.error);
    const Lines out = splitLines(r.bytes);
    ASSERT_EQ(out.size(), 25u);
    EXPECT_EQ(out[13].substr(7), std::string(10, ' ') + "0.30 0.30 " + std::string(40, ' '));
}

struct DefectCase {
    const char* name;
    Lines mit;
    int line;                // 1-based line named in the error
    std::size_t textLines;   // TEXT keeps nothing
    std::size_t trnsysLines; // whole blocks before the defect
    std::size_t suncodeLines;
};

Lines withLine(Lines lines, std::size_t index, const std::string& text) {
    lines[index] = text;
    return lines;
}
Lines truncated(Lines lines, std::size_t count) {
    lines.resize(count);
    return lines;
}

TEST(Export, DefectiveFilesAreRefusedKeepingWhatTheFormatKeeps) {
    const Lines good = marchToMay();  // blocks of 27 lines: "", heading, 24 hours, Diffus
    const std::vector<DefectCase> cases = {
        {"month 13 in the second block", withLine(good, 28, "Monat Nr. 13"), 29, 0, 744, 72},
        {"month 0", withLine(good, 1, "Monat Nr. 0"), 2, 0, 0, 72},
        {"unreadable month", withLine(good, 1, "Monat Nr. x"), 2, 0, 0, 72},
        {"unreadable mean in April", withLine(good, 27 + 10, "    8  o.3oo"), 38, 0, 744, 32},
        {"unreadable diffuse value", withLine(good, 53, "Diffus  0.400  -"), 54, 0, 744, 72},
        {"file ends inside May", truncated(good, 54 + 2 + 10), 67, 0, 1464, 58},
        {"empty file", Lines{}, 1, 0, 0, 0},
        {"only a blank line", Lines{""}, 1, 0, 0, 0},
    };
    for (const DefectCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ExportResult text = exportText(c.mit);
        ASSERT_TRUE(text.error);
        EXPECT_EQ(text.error->line, c.line);
        EXPECT_EQ(text.bytes, "");
        const ExportResult trn = exportTrnsys(c.mit);
        ASSERT_TRUE(trn.error);
        EXPECT_EQ(trn.error->line, c.line);
        EXPECT_EQ(countOf(trn.bytes, "\r\n"), c.trnsysLines);
        const ExportResult sun = exportSuncode(c.mit);
        EXPECT_EQ(countOf(sun.bytes, "\r\n"), c.suncodeLines);
        // SUNCODE ignores the block structure: only unreadable hour values stop it.
        if (c.suncodeLines < 72 && c.name != std::string("file ends inside May")) {
            ASSERT_TRUE(sun.error);
            EXPECT_EQ(sun.error->line, c.line);
        }
    }
}

TEST(Export, ReaderToleratesBlankLinesAtTheEndButNotInsideBlocks) {
    Lines mit = marchToMay();
    mit.push_back("");
    EXPECT_FALSE(exportText(mit).error);
    Lines gap = marchToMay();
    gap.insert(gap.begin() + 27, "");  // two empty lines before April
    const ExportResult r = exportText(gap);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->line, 29);
}

TEST(ExportNames, ProposalsTakeTheNameUpToItsFirstDot) {
    struct Case {
        std::string path;
        ExportFormat format;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"/data/runs/haus.mit", ExportFormat::Text, "haus.txt"},
        {"/data/runs/haus.v2.mit", ExportFormat::Trnsys, "haus.trn"},
        {"/data/my.runs/haus", ExportFormat::Suncode, "sun"},
        {"haus.mit", ExportFormat::Suncode, "haus.sun"},
    };
    for (const Case& c : cases) EXPECT_EQ(proposedExportName(c.path, c.format), c.expected) << c.path;
    EXPECT_EQ(proposedMitName("/p/Haus.dat"), "Haus.mit");
    EXPECT_EQ(proposedMitName(""), "");
}

TEST(ExportNames, InitialFileNeedsANamedProjectAndAnExistingFile) {
    const auto exists = [](const std::string& p) { return p == "/p/haus.mit" || p == "unbenannt.mit"; };
    EXPECT_EQ(initialMitFile("/p/haus", exists), std::optional<std::string>("/p/haus.mit"));
    EXPECT_EQ(initialMitFile("/p/other", exists), std::nullopt);
    EXPECT_EQ(initialMitFile("unbenannt", exists), std::nullopt);
}

}  // namespace
}  // namespace penumbro
