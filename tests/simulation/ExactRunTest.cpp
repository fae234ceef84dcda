// Runs with exact areas: the raster's file formats, monthly means close to the raster's
// at resolution 1.

#include "cli/RunCli.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"
#include "simulation/Simulation.h"
#include "support/SampleProjects.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace penumbro {
namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

TEST(ExactRunTest, RasterFormatsWithMonthlyMeansWithinAHundredth) {
    const testing::TempDir dir("exact-run");
    writeKonFile(dir.path("start.kon"), TSimParameter{});  // monthly, resolution 1
    const std::string run = "run " + cliQuote(testing::examplePath("collector.dat")) + " --kon " +
                            cliQuote(dir.path("start.kon")) + " --set diffuse=1 --out ";
    ASSERT_EQ(runCli(run + cliQuote(dir.path("raster"))).exitCode, 0);
    ASSERT_EQ(runCli(run + cliQuote(dir.path("exact")) + " --method exact").exitCode, 0);
    EXPECT_NE(dir.read("raster.mit"), dir.read("exact.mit"));  // the choice reached the run

    for (const std::string ext : {".rep", ".mit"}) {
        const Lines raster = splitLines(dir.read("raster" + ext));
        const Lines exact = splitLines(dir.read("exact" + ext));
        ASSERT_EQ(raster.size(), exact.size()) << ext;
        for (std::size_t i = 0; i < raster.size(); ++i) {
            SCOPED_TRACE(ext + " line " + std::to_string(i + 1) + ": " + exact[i]);
            ASSERT_EQ(raster[i].size(), exact[i].size());
            const auto r = words(raster[i]), e = words(exact[i]);
            ASSERT_EQ(r.size(), e.size());
            for (std::size_t k = 0; k < r.size(); ++k) {
                const auto a = parseNumber(r[k]), b = parseNumber(e[k]);
                ASSERT_EQ(a.has_value(), b.has_value());
                if (!a || (ext == ".rep" && k < 4)) {
                    EXPECT_EQ(r[k], e[k]);  // text, step, day and clock time
                } else if (ext == ".rep" && k < 6) {
                    // One instant may differ a lot at a grazing sun; the codes may not.
                    EXPECT_EQ(*a < 0 ? r[k] : "", *b < 0 ? e[k] : "");
                } else {
                    EXPECT_NEAR(*a, *b, 0.01);  // hourly means and diffuse factors
                }
            }
        }
    }
}

}  // namespace
}  // namespace penumbro
