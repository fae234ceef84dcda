// Report and mean-value files: what is written reads back as the same records, and the
// files of real runs rewritten from what was read are the same bytes.

#include "formats/MeanValueFile.h"
#include "formats/ReportFile.h"
#include "project/TextLines.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace penumbro {
namespace {

const char* const kRuns[] = {"collector_year_diffuse", "collector_daily_comma", "facade_year", "facade_daily_resolution3"};

std::string goldenFile(const std::string& name) {
    return testing::TempDir::readFile(std::string(PENUMBRO_SOURCE_DIR) + "/tests/cli/golden/" + name);
}

TEST(ReportFile, RecordsAndRunFilesRoundTrip) {
    // The codes of the night and of the horizon line, a run over the turn of the year.
    const std::vector<TSchrittEintrag> instants = {{1, 365, 23, 20, -1.0, 0.875, 0.5}, {2, 365, 23, 40, -2.0, 0.125, 0.0},
                                                   {3, 1, 0, 0, 0.25, 1.0, 0.75}, {4, 1, 0, 20, 1.0, 0.0, 1.0}};
    std::vector<TSchrittEintrag> beamOnly = instants;
    for (TSchrittEintrag& e : beamOnly) e.sky = e.ground = 0;
    const ReportFile records[] = {
        {beamOnly, {1, 2, 3, 4}, false, false}, {beamOnly, {1, 2, 3, 4}, false, true}, {instants, {1, 2, 3, 4}, true, true}};
    for (const ReportFile& r : records) {
        const std::string bytes = formatReport(r);
        EXPECT_EQ(readReport(splitLines(bytes), "r.rep"), r) << bytes;
        EXPECT_EQ(reportStep(r), 20);
    }
    EXPECT_EQ(reportStep({{instants[0]}, {1}, false, false}), std::nullopt);

    for (const std::string run : kRuns) {
        const std::string bytes = goldenFile(run + ".rep");
        const ReportFile report = readReport(splitLines(bytes), run);
        EXPECT_EQ(formatReport(report), bytes) << run;
        EXPECT_EQ(report.decimalComma, run.find("comma") != std::string::npos) << run;
        EXPECT_EQ(reportStep(report), run.find("comma") != std::string::npos ? 30 : 20) << run;
    }
}

TEST(MeanValueFile, RecordsAndRunFilesRoundTrip) {
    std::array<double, 24> means{};
    for (std::size_t h = 0; h < 24; ++h) means[h] = h < 6 || h > 19 ? 1.0 : 0.125 * static_cast<double>(h % 8);
    const MitBlock november{true, 11, means, true, 0.5, 0.125}, december{true, 12, means, true, 0.5, 0.125},
        january{true, 1, means, true, 0.5, 0.125}, beamOnly{true, 1, means, false, 0, 0}, daily{false, 1, means, false, 0, 0};
    const MeanValueFile records[] = {
        {{november, december, january}, false, {}}, {{november, december}, true, {}}, {{daily}, true, {}}, {{beamOnly}, false, {}}};
    for (const MeanValueFile& m : records) {
        const std::string bytes = formatMeanValues(m);
        const MeanValueFile read = readMitBlocks(splitLines(bytes));
        EXPECT_EQ(std::tie(read.blocks, read.decimalComma), std::tie(m.blocks, m.decimalComma)) << bytes;
        EXPECT_FALSE(read.error) << bytes;
    }

    for (const std::string run : kRuns) {
        const std::string bytes = goldenFile(run + ".mit");
        const MeanValueFile file = readMitBlocks(splitLines(bytes));
        ASSERT_FALSE(file.error) << run;
        EXPECT_EQ(formatMeanValues(file), bytes) << run;
    }
}

}  // namespace
}  // namespace penumbro
