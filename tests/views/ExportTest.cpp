#include "views/Export.h"

#include "project/ProjectFile.h"
#include "views/ExportTestData.h"

#include <gtest/gtest.h>


namespace penumbro {
namespace {

using testdata::dailyMit;
using testdata::marchToMay;
using testdata::monthlyMit;

// Export bytes as lines; a last line without line end counts as a line.
Lines outputLines(const std::string& bytes) { return splitLines(bytes); }

std::size_t countOf(const std::string& bytes, const std::string& piece) {
    std::size_t n = 0;
    for (auto pos = bytes.find(piece); pos != std::string::npos; pos = bytes.find(piece, pos + 1)) ++n;
    return n;
}

TEST(ExportText, MarchToMayWithDiffuseGivesHeaderThreeColumnsAndViewLines) {
    const ExportResult r = exportText(marchToMay());
    ASSERT_FALSE(r.error);
    const Lines out = outputLines(r.bytes);
    ASSERT_EQ(out.size(), 27u);
    EXPECT_EQ(out[0], "       Jan  Feb  Mrz  Apr  Mai  Jun  Jul  Aug  Sep  Okt  Nov  Dez ");
    const std::string empty2(10, ' '), empty7(35, ' ');
    EXPECT_EQ(out[1], "     0 " + empty2 + "1.00 1.00 1.00 " + empty7);
    EXPECT_EQ(out[13], "    12 " + empty2 + "0.25 0.50 0.75 " + empty7);
    EXPECT_EQ(out[24], "    23 " + empty2 + "1.00 1.00 1.00 " + empty7);
    EXPECT_EQ(out[25], "View_s " + empty2 + "0.30 0.40 0.50 " + empty7);
    EXPECT_EQ(out[26], "View_g " + empty2 + "0.15 0.20 0.25 " + empty7);
    // Every line ends with CR LF except the View_g line.
    EXPECT_EQ(countOf(r.bytes, "\r\n"), 26u);
    EXPECT_EQ(r.bytes.substr(r.bytes.size() - 5), "     ");
}

TEST(ExportText, DailyFileFillsOnlyJanuaryWithoutHeader) {
    const ExportResult r = exportText(dailyMit([](int h) { return h == 12 ? 0.4 : 1.0; }));
    ASSERT_FALSE(r.error);
    const Lines out = outputLines(r.bytes);
    ASSERT_EQ(out.size(), 24u);
    EXPECT_EQ(out[12], "    12 0.40 " + std::string(55, ' '));
    EXPECT_EQ(countOf(r.bytes, "\r\n"), 24u);
}

TEST(ExportText, ViewLinesFollowTheLastBlockOnly) {
    // March has a diffuse line, April (the last block) has none: no View lines, and
    // April's block starts at the empty line kept after March's hours.
    const Lines mit = monthlyMit({{3, testdata::dayCurve, true, 0.3, 0.2}, {4, testdata::dayCurve}});
    const ExportResult r = exportText(mit);
    ASSERT_FALSE(r.error);
    const Lines out = outputLines(r.bytes);
    ASSERT_EQ(out.size(), 25u);
    EXPECT_EQ(out[13].substr(7), std::string(10, ' ') + "0.30 0.30 " + std::string(40, ' '));
}

TEST(ExportText, EnglishHeadingsAreBlocksToo) {
    Lines mit = monthlyMit({{7, testdata::dayCurve}});
    mit[1] = "Month Nr. 7";
    const ExportResult r = exportText(mit);
    ASSERT_FALSE(r.error);
    EXPECT_EQ(outputLines(r.bytes)[13].substr(7, 35), std::string(30, ' ') + "0.30 ");
}

TEST(ExportTrnsys, MarchToMayRunsFromHour1417To3624) {
    const ExportResult r = exportTrnsys(marchToMay());
    ASSERT_FALSE(r.error);
    const Lines out = outputLines(r.bytes);
    ASSERT_EQ(out.size(), (31u + 30u + 31u) * 24u);
    EXPECT_EQ(out.front(), "1417  1.00  0.00  0.30  0.70  0.15  0.85");
    EXPECT_EQ(out[12], "1429  0.25  0.75  0.30  0.70  0.15  0.85");
    // The same hours repeat on every day of the month.
    EXPECT_EQ(out[24 * 30 + 12], "2149  0.25  0.75  0.30  0.70  0.15  0.85");
    // April starts after March's 31 days.
    EXPECT_EQ(out[31 * 24], "2161  1.00  0.00  0.40  0.60  0.20  0.80");
    EXPECT_EQ(out.back(), "3624  1.00  0.00  0.50  0.50  0.25  0.75");
    for (std::size_t i = 0; i < out.size(); ++i) {
        ASSERT_EQ(out[i].substr(0, 4), formatInt(static_cast<long long>(1417 + i), 4)) << i;
    }
    EXPECT_EQ(countOf(r.bytes, "\r\n"), out.size());
}

TEST(ExportTrnsys, MonthWithoutDiffuseHasThreeFieldsAndDecemberEndsTheYear) {
    const ExportResult r = exportTrnsys(monthlyMit({{12, testdata::dayCurve}}));
    ASSERT_FALSE(r.error);
    const Lines out = outputLines(r.bytes);
    ASSERT_EQ(out.size(), 31u * 24u);
    EXPECT_EQ(out.front(), "8017  1.00  0.00");
    EXPECT_EQ(out.back(), "8760  1.00  0.00");
}

TEST(ExportTrnsys, DailyFileGivesTwentyFourPairsWithoutHourNumbers) {
    const ExportResult r = exportTrnsys(dailyMit([](int h) { return h == 9 ? 0.15 : 0.0; }));
    ASSERT_FALSE(r.error);
    const Lines out = outputLines(r.bytes);
    ASSERT_EQ(out.size(), 24u);
    EXPECT_EQ(out[0], "0.00  1.00");
    EXPECT_EQ(out[9], "0.15  0.85");
}

TEST(ExportSuncode, OneUnshadedShareInThousandthsPerHourLine) {
    const ExportResult r = exportSuncode(marchToMay());
    ASSERT_FALSE(r.error);
    const Lines out = outputLines(r.bytes);
    ASSERT_EQ(out.size(), 72u);  // headings, empty and diffuse lines skipped
    EXPECT_EQ(out[0], "   0");     // night: fully shaded
    EXPECT_EQ(out[12], " 750");    // March noon 0.25
    EXPECT_EQ(out[24 + 12], " 500");
    EXPECT_EQ(outputLines(exportSuncode(dailyMit([](int) { return 0.0; })).bytes),
              Lines(24, "1000"));
}

// The decimal comma of the input survives in TEXT only.
TEST(Export, DecimalCommaInputKeepsCommaInTextOnly) {
    const Lines mit = marchToMay(true);
    ASSERT_EQ(mit[14], "   12  0,250");
    const Lines text = outputLines(exportText(mit).bytes);
    EXPECT_EQ(text[13].substr(17, 15), "0,25 0,50 0,75 ");
    EXPECT_EQ(text[26].substr(17, 15), "0,15 0,20 0,25 ");
    const Lines trn = outputLines(exportTrnsys(mit).bytes);
    EXPECT_EQ(trn[12], "1429  0.25  0.75  0.30  0.70  0.15  0.85");
    EXPECT_EQ(outputLines(exportSuncode(mit).bytes)[12], " 750");
    // A file written with the point gives points in TEXT.
    EXPECT_EQ(outputLines(exportText(marchToMay()).bytes)[13].substr(17, 4), "0.25");
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
