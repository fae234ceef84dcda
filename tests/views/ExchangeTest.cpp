#include "views/Export.h"

#include "project/ProjectFile.h"
#include "formats/ReportFile.h"
#include "support/Refusal.h"
#include "support/SampleProjects.h"
#include "views/ExportTestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace penumbro {
namespace {

using testing::refusal;

ExchangeProject collector() { return {testing::collectorProject(), "p.dat", 1.0, 10}; }

// A daily run over days first..last at the given step, every instant shaded 0.25, but
// for an instant left out.
Lines report(int first, int last, int step, int skipDay = 0, int skipMinute = 0) {
    std::string bytes;
    int n = 1;
    for (int day = first; day <= last; ++day) {
        for (int t = 0; t < 1440; t += step) {
            if (day == skipDay && t == skipMinute) continue;
            bytes += reportLine({n++, day, t / 60, t % 60, 0.25, 0, 0}, false, false);
        }
    }
    return splitLines(bytes);
}

Lines monthlyMit(int months) {
    std::vector<testdata::MitMonth> blocks;
    for (int m = 1; m <= months; ++m) blocks.push_back({m, [](int h) { return h < 6 ? 1.0 : 0.125; }});
    return testdata::monthlyMit(blocks);
}

TEST(Exchange, EnergyPlusStampsTheEndOfEachInterval) {
    const std::string csv = energyPlusShading(report(1, 365, 30), "r.rep", collector());
    EXPECT_EQ(csv.substr(0, csv.find('\n', csv.find('\n') + 1) + 1), "Surface Name,Kollektor\n01/01 00:30,0.750\n");
    EXPECT_NE(csv.find("\n01/31 24:00,0.750\n02/01 00:30,"), std::string::npos);
    EXPECT_EQ(csv.substr(csv.size() - 19), "\n12/31 24:00,0.750\n");

    // The column is named in UTF-8, as the tools reading it name their surfaces.
    Lines text = testing::collectorProject();
    for (std::string& line : text)
        if (line == "Kollektor") line = "Fenster S\xFC" "d";
    const std::string named = energyPlusShading(report(1, 365, 60), "r.rep", {text, "p.dat"});
    EXPECT_EQ(named.substr(0, named.find('\n')), "Surface Name,Fenster S\xC3\xBC" "d");
}

TEST(Exchange, SamTableIsPercentPerMonthAndHour) {
    const std::string table = samBeamTable(monthlyMit(12), "m.mit");
    const std::string row = "100.00,100.00,100.00,100.00,100.00,100.00,12.50,";
    EXPECT_EQ(table.substr(0, row.size()), row);
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 12);
    EXPECT_FALSE(samDiffuseLoss(monthlyMit(12), "m.mit", collector()));
}

TEST(Exchange, RefusalsNameFileAndLine) {
    const Lines gap = report(1, 365, 60, 5, 4 * 60);
    Lines badField = report(1, 1, 60);
    badField[3] = "    4    1   3   0     abc  2.000";
    Lines mixed = report(1, 1, 60);
    mixed[2] += "  0.500  0.500  0.100  0.900";
    Lines outOfRange = report(1, 1, 60);
    outOfRange[5] = splitLines(reportLine({6, 1, 5, 0, 1.5, 0, 0}, false, false))[0];
    const auto damaged = [](std::size_t index, const std::string& line) {
        Lines lines = report(1, 1, 60);
        lines[index] = line;
        return lines;
    };
    Lines daily = monthlyMit(1);
    daily.erase(daily.begin(), daily.begin() + 2);
    const ExchangeProject p = collector();
    const std::tuple<const char*, std::function<void()>, const char*, int, const char*> cases[] = {
        {"gap", [&] { energyPlusShading(gap, "r.rep", p); }, "r.rep", 101, "expected day 5 04:00"},
        {"short", [&] { energyPlusShading(report(1, 364, 60), "r.rep", p); }, "r.rep", 8737, "day 365 00:00"},
        {"late start", [&] { energyPlusShading(report(2, 365, 60), "r.rep", p); }, "r.rep", 1, "expected day 1 00:00"},
        {"step 45", [&] { energyPlusShading(report(1, 365, 45), "r.rep", p); }, "r.rep", 2, "step of 45"},
        {"not a number", [&] { hourlyCsv(badField, "r.rep", p); }, "r.rep", 4, "abc"},
        {"field count", [&] { hourlyCsv(mixed, "r.rep", p); }, "r.rep", 3, "10 fields"},
        {"shading", [&] { hourlyCsv(outOfRange, "r.rep", p); }, "r.rep", 6, "1.500"},
        {"empty", [&] { hourlyCsv({"", ""}, "r.rep", p); }, "r.rep", 1, "no report lines"},
        {"step skipped", [&] { hourlyCsv(damaged(3, "    5    1   3   0   0.250  0.750"), "r.rep", p); }, "r.rep", 4,
         "step 5 where step 4"},
        {"complement", [&] { hourlyCsv(damaged(3, "    4    1   3   0   0.250  0.650"), "r.rep", p); }, "r.rep", 4,
         "field 6 \"0.650\" is not 1 minus field 5"},
        {"NaN", [&] { hourlyCsv(damaged(0, "    1    1   0   0     nan    nan"), "r.rep", p); }, "r.rep", 1, "nan"},
        {"sky 1e308", [&] { hourlyCsv({"    1    1   0   0  -1.000  2.000  1e308  0.145  0.035  0.965"}, "r.rep", p); },
         "r.rep", 1, "field 7 \"1e308\" outside 0..1"},
        {"ground inf", [&] { hourlyCsv({"    1    1   0   0  -1.000  2.000  0.855  0.145    inf  0.965"}, "r.rep", p); },
         "r.rep", 1, "field 9"},
        {"time backwards", [&] { hourlyCsv(damaged(5, "    6    1   2   0   0.250  0.750"), "r.rep", p); }, "r.rep", 6,
         "out of order"},
        {"months", [&] { samBeamTable(monthlyMit(11), "m.mit"); }, "m.mit", 0, "missing: 12"},
        {"daily", [&] { samBeamTable(daily, "m.mit"); }, "m.mit", 1, "daily"},
        {"no target", [&] { energyPlusShading(report(1, 365, 60), "r.rep", {testing::project({testing::wallSurface()}), "p.dat"}); },
         "p.dat", 0, "no target"},
    };
    for (const auto& [what, run, file, line, says] : cases) {
        const InputError e = refusal(run);
        EXPECT_EQ(std::pair(e.file(), e.line()), std::pair(std::string(file), line)) << what << ": " << e.what();
        EXPECT_NE(e.message().find(says), std::string::npos) << what << ": " << e.message();
    }
}

}  // namespace
}  // namespace penumbro
