#include "simulation/RunSession.h"

#include "project/InputError.h"
#include "project/ProjectFile.h"
#include "support/SampleProjects.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace penumbro {
namespace {

namespace fs = std::filesystem;
using testing::collectorProject;

class SimulationTest : public ::testing::Test {
protected:
    RunSettings settings(bool comma = false) const { return {dir_.path("out"), comma, Language::English}; }
    Lines output(const char* ext) const { return splitLines(dir_.read(std::string("out") + ext)); }
    testing::TempDir dir_{"sim"};
};

TSimParameter daily(int first, int stop, int minutes) {
    TSimParameter p;
    p.monthly = false;
    p.firstDay = first;
    p.stopDay = stop;
    p.intervalDays = 1;
    p.intervalMinutes = minutes;
    return p;
}

TEST_F(SimulationTest, StepBufferOfAThousandAndTheHourBlock) {
    // 1440 instants a day at 1 minute: more than one buffer, written in order.
    TSimParameter p = daily(172, 172, 1);
    EXPECT_EQ(Simulation(collectorProject(), "t.dat", p, settings()).instants, 1440);
    const Lines rep = output(".rep");
    ASSERT_EQ(rep.size(), 1440u);
    EXPECT_EQ(rep[999].substr(0, 5), " 1000");
    EXPECT_EQ(rep[1439].substr(0, 5), " 1440");
    const Lines mit = output(".mit");
    ASSERT_EQ(mit.size(), 24u);
    EXPECT_EQ(mit[0], "    0  1.000");  // night counts as fully shaded
    EXPECT_TRUE(p.fastRun);  // the record describes the run, with the project's site
    EXPECT_DOUBLE_EQ(p.latitude, 50.0);
}

TEST_F(SimulationTest, MonthlyBlocksWithDiffuseLinesAndComma) {
    TSimParameter p;
    p.firstMonth = 3;
    p.stopMonth = 4;
    p.intervalDays = 10;
    p.intervalMinutes = 60;
    p.diffuse = true;
    p.elevationIntervals = 2;
    Simulation(collectorProject(), "t.dat", p, settings(true));
    const Lines mit = output(".mit");
    ASSERT_EQ(mit.size(), 2u * 27u);
    EXPECT_EQ(mit[1], "Monat Nr. 3");
    EXPECT_EQ(mit[26].substr(0, 8), "Diffus  ");
    EXPECT_NE(mit[26].find(','), std::string::npos);
    EXPECT_EQ(mit[28], "Monat Nr. 4");
    const Lines rep = output(".rep");
    EXPECT_EQ(rep.size(), 24u * 7u);  // days 60, 70, 80, 90 in March and 91, 101, 111 in April
    EXPECT_EQ(rep[0].substr(0, 33), "    1   60   0   0  -1,000  2,000");
    EXPECT_EQ(rep[0].size(), 33u + 4u * 7u);  // with the four diffuse fields
}

TEST_F(SimulationTest, ChartShowsTheLastFourMonthsCompleted) {
    // Finishing a month hides the one four before it, wrapping through December.
    for (auto [first, stop, shown] : {std::tuple{1, 5, "-XXXX-------"}, {9, 1, "X--------XXX"}, {11, 12, "----------XX"}}) {
        TSimParameter p;
        p.firstMonth = first;
        p.stopMonth = stop;
        p.intervalDays = 28;
        p.intervalMinutes = 60;
        const RunResult r = Simulation(collectorProject(), "t.dat", p, settings());
        std::string months;
        for (bool m : r.monthsShown) months += m ? 'X' : '-';
        EXPECT_EQ(months, shown) << first << ".." << stop;
        EXPECT_EQ(r.lastMonth, stop);
    }
}

TEST_F(SimulationTest, SessionReportsDaysAndMonthsAndStopsOnCancel) {
    RunRequest request{collectorProject(), "t.dat", TSimParameter{}, settings()};
    request.params.firstMonth = 2;
    request.params.stopMonth = 3;
    request.params.intervalDays = 10;
    std::vector<int> days, months;
    RunEvents events;
    events.newDay = [&](int day, long) { days.push_back(day); };
    events.monthCompleted = [&](int month, const RunResult&) { months.push_back(month); };
    EXPECT_EQ(runSession(request, events).lastMonth, 3);
    EXPECT_EQ(days, (std::vector<int>{32, 42, 52, 60, 70, 80, 90}));  // once per day, not per instant
    EXPECT_EQ(months, (std::vector<int>{2, 3}));
    EXPECT_FALSE(request.params.fastRun);  // the request is copied, not changed

    // 25 days of 40 instants fill the step buffer exactly once.
    request.params = daily(1, 25, 36);
    EXPECT_EQ(runSession(request, {}).instants, 1000);
    EXPECT_EQ(output(".rep").size(), 1000u);

    // Cancelled on the first instant of day 2, a daily run still writes it and its hours.
    std::atomic<bool> cancel{false};
    events.newDay = [&](int day, long) { cancel = day == 2; };
    EXPECT_TRUE(runSession(request, events, &cancel).cancelled);
    EXPECT_EQ(output(".rep").size(), 41u);
    EXPECT_EQ(output(".mit").size(), 24u);
}

TEST_F(SimulationTest, RefusedRunsLeaveNoFiles) {
    const Lines flat = testing::project({testing::plainSurface(
        "Kollektor", true, "# 180.000  45.000  0.000  0.000  0.000", std::vector<std::string>(4, "1.0 1.0 1.0"))});
    const std::pair<Lines, const char*> cases[] = {
        {testing::project({testing::wallSurface()}), "No target surface"},
        {flat, "no area"},
        {{"* x", "1", "A", "Target", "x"}, "not an integer"},
    };
    for (const auto& [text, fragment] : cases) {
        TSimParameter p = daily(1, 1, 60);
        try {
            Simulation(text, "t.dat", p, settings());
            ADD_FAILURE() << "no refusal: " << fragment;
        } catch (const InputError& e) {
            EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
        }
        EXPECT_FALSE(fs::exists(dir_.path("out.rep")));
        EXPECT_FALSE(fs::exists(dir_.path("out.mit")));
    }
}

TEST_F(SimulationTest, UnwritableOutputNamesTheFileAndKeepsOldFiles) {
    TSimParameter p = daily(1, 1, 60);
    RunSettings s = settings();
    s.baseName = dir_.path("missing/out");
    try {
        Simulation(collectorProject(), "t.dat", p, s);
        ADD_FAILURE() << "no error";
    } catch (const InputError& e) {
        EXPECT_NE(e.file().find("missing/out.rep"), std::string::npos) << e.what();
    }
    // An earlier result survives a run that fails.
    dir_.write("out.mit", "old");
    fs::permissions(dir_.dir(), fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(dir_.dir().c_str(), W_OK) != 0) {  // root may write anyway
        EXPECT_THROW(Simulation(collectorProject(), "t.dat", p, settings()), InputError);
        EXPECT_EQ(dir_.read("out.mit"), "old");
    }
    fs::permissions(dir_.dir(), fs::perms::owner_all);
}

}  // namespace
}  // namespace penumbro
