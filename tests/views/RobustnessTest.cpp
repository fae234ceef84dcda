// Damaged project texts and mean-value files: sound output or a refusal naming file and
// line; no crash, no endless output, no "nan" in a world or an export.

#include "support/Mutations.h"
#include "support/Refusal.h"
#include "views/Export.h"
#include "views/ExportTestData.h"
#include "formats/MeanValueFile.h"
#include "views/PreviewScene.h"
#include "views/VrmlWriter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace penumbro {
namespace {

using testing::refusal;

const char* const kFile = "mutant.dat";
const Lines kCollector = mutation::sourceFile("examples/collector.dat");

std::vector<Lines> projectTexts() {
    Lines horizonOnly = newProjectLines();
    horizonOnly.insert(horizonOnly.begin() + 2, {"Horizont", "0-90=10", "90-270=5.5", "270-360=20"});
    return {kCollector, mutation::sourceFile("examples/facade.dat"), horizonOnly};
}

bool holdsNonNumber(const std::string& out) {
    return out.find("nan") != std::string::npos || out.find("inf") != std::string::npos ||
           out.find("NaN") != std::string::npos;
}

TEST(ViewsRobustness, VrmlWorldOfMutatedTextsIsSoundOrRefused) {
    const VrmlTexts texts = vrmlTexts(Language::German);
    std::uint32_t stream = 61;
    for (const Lines& base : projectTexts())
        for (const mutation::Mutant& m : mutation::mutants(base, stream++, 400))
            mutation::expectCleanOutcome(m, kFile, [&] {
                const std::string world = vrmlDocument(m.lines, texts, kFile);
                EXPECT_FALSE(holdsNonNumber(world)) << m.how;
                EXPECT_LT(world.size(), 20u << 20) << m.how;
            });
}

TEST(ViewsRobustness, PreviewOfMutatedTextsIsSoundOrRefused) {
    std::uint32_t stream = 71;
    for (const Lines& base : projectTexts())
        for (const mutation::Mutant& m : mutation::mutants(base, stream++, 400))
            mutation::expectCleanOutcome(m, kFile, [&] {
                const PreviewScene scene = buildPreviewScene(m.lines, 2, true, kFile);
                EXPECT_TRUE(std::isfinite(scene.extent.size)) << m.how;
                for (const PreviewPrimitive& p : scene.primitives)
                    for (const PreviewVertex& v : p.vertices)
                        ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z))
                            << m.how << ": object " << p.object;
            });
}

// Numbers beyond any scene are refused with their line rather than drawn at infinity.
TEST(ViewsRobustness, HugeNumbersAreRefusedWithTheirLine) {
    const std::tuple<const char*, std::size_t, std::string> cases[] = {  // 0-based line of collector.dat
        {"vertex of a plain surface", 10, "1e300 12.000000 3.000000"},
        {"vertex of a house", 18, "2.000000 -6.000000 1e30"},
        {"house parameter line",
         15, "#   8.000   10.000    6.000    3.000    0.000    2.000   1e300    0.000     #Haus: Nachbarhaus"},
        {"tree parameter line", 58, "#   1e300    0.400    6.000   18.000    4.000    0.000     #Baum: Linde"},
        {"placement line", 9, "# 180.000  45.000  1e300  12.000  3.000"},
        {"local line", 5, "# 1e300 0.000000 0.000000"},
    };
    for (const auto& [what, index, line] : cases) {
        Lines text = kCollector;
        text.at(index) = line;
        for (const InputError& e : {refusal([&] { (void)vrmlDocument(text, vrmlTexts(Language::English), kFile); }),
                                    refusal([&] { (void)buildPreviewScene(text, 0, true, kFile); })})
            EXPECT_EQ(std::pair(e.file(), e.line()), std::pair(std::string(kFile), static_cast<int>(index) + 1))
                << what << ": " << e.what();
    }
}

std::vector<Lines> mitTexts() {
    using namespace testdata;
    Lines daily;
    for (int h = 0; h < 24; ++h) daily.push_back(mitHourLine(h, dayCurve(h)));
    return {monthlyMit({{6, dayCurve, true, 0.25, 0.5}, {7, dayCurve, true, 0.3, 0.6}}),
            monthlyMit({{1, dayCurve}, {12, dayCurve}}, true), daily};
}

const ExportFormat kFormats[] = {ExportFormat::Text, ExportFormat::Trnsys, ExportFormat::Suncode};

// The export never throws for a damaged file: it reports the defect with a line in
// or just past the file, and what it wrote holds only numbers.
TEST(ViewsRobustness, ExportOfMutatedMeanFilesIsSoundOrADefect) {
    std::uint32_t stream = 81;
    for (const Lines& base : mitTexts()) {
        for (const mutation::Mutant& m : mutation::mutants(base, stream++, 300)) {
            for (const MitBlock& b : readMitBlocks(m.lines).blocks) {
                ASSERT_TRUE(b.month >= 1 && b.month <= 12) << m.how;
                for (double v : b.means) ASSERT_TRUE(v >= 0 && v <= 1) << m.how << ": " << v;
            }
            for (ExportFormat f : kFormats) {
                ExportResult r;
                ASSERT_NO_THROW(r = exportMeanValues(m.lines, f)) << m.how;
                EXPECT_FALSE(holdsNonNumber(r.bytes)) << m.how;
                if (!r.error) continue;
                EXPECT_TRUE(r.error->line >= 1 && r.error->line <= static_cast<int>(m.lines.size()) + 1) << m.how;
                EXPECT_FALSE(r.error->reason.render(Language::English).empty()) << m.how;
            }
        }
    }
}

}  // namespace
}  // namespace penumbro
