#include "simulation/RunSession.h"
#include "simulation/TimeStepper.h"

#include "project/ProjectFile.h"
#include "formats/ReportFile.h"
#include "support/Refusal.h"
#include "support/SampleProjects.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <filesystem>

namespace penumbro {
namespace {

namespace fs = std::filesystem;
using testing::collectorProject;

class SimulationTest : public ::testing::Test {
protected:
    RunSettings settings() const { return {dir_.path("out"), false, Language::English}; }
    Lines output(const char* ext) const { return splitLines(dir_.read(std::string("out") + ext)); }
    testing::TempDir dir_{"sim"};
};

TSimParameter daily(int first, int stop, int minutes, int interval = 1) {
    TSimParameter p;
    p.monthly = false, p.firstDay = first, p.stopDay = stop, p.intervalDays = interval, p.intervalMinutes = minutes;
    return p;
}

// The days a run visits (each once), and the months completed, in order.
struct Visit {
    std::vector<int> days, months;
    int instantsPerDay = 0;
};

Visit walk(const TSimParameter& p) {
    Visit v;
    TimeStepper t(p);
    for (int guard = 0; guard < 2'000'000 && !t.finished(); ++guard) {
        if (t.hour() == 0 && t.minute() == 0) v.days.push_back(t.day());
        if (v.days.size() == 1) ++v.instantsPerDay;
        if (int m = t.advance()) v.months.push_back(m);
    }
    EXPECT_TRUE(t.finished()) << "the run never ends";
    return v;
}

// (The report and mean-value layouts are held byte for byte by the golden runs.)
TEST_F(SimulationTest, ChartShowsEveryMonthRun) {
    // A whole year shows all twelve months; a run through December wraps.
    for (auto [first, stop, shown] :
         {std::tuple{1, 12, "XXXXXXXXXXXX"}, {9, 1, "X-------XXXX"}, {11, 12, "----------XX"}}) {
        TSimParameter p;
        p.firstMonth = first, p.stopMonth = stop, p.intervalDays = 28, p.intervalMinutes = 60;
        const RunResult r = Simulation(collectorProject(), "t.dat", p, settings());
        std::string months;
        for (bool m : r.monthsShown) months += m ? 'X' : '-';
        EXPECT_EQ(months, shown) << first << ".." << stop;
        EXPECT_EQ(r.lastMonth, stop);
    }
}

TEST_F(SimulationTest, SessionReportsDaysAndMonthsAndStopsOnCancel) {
    RunRequest request{collectorProject(), "t.dat", TSimParameter{}, settings()};
    request.params.firstMonth = 2, request.params.stopMonth = 3, request.params.intervalDays = 10;
    std::vector<int> days, months;
    RunEvents events;
    events.newDay = [&](int day, long) { days.push_back(day); };
    events.monthCompleted = [&](int month, const RunResult&) { months.push_back(month); };
    EXPECT_EQ(runSession(request, events).lastMonth, 3);
    EXPECT_EQ(days, (std::vector<int>{32, 42, 52, 60, 70, 80, 90}));  // once per day, not per instant
    EXPECT_EQ(months, (std::vector<int>{2, 3}));
    EXPECT_FALSE(request.params.fastRun);  // the request is copied, not changed

    // 25 days of 40 instants fill the step buffer of a thousand exactly once.
    request.params = daily(1, 25, 36);
    EXPECT_EQ(runSession(request, {}).instants, 1000);
    EXPECT_EQ(output(".rep").size(), 1000u);

    // Cancelled on the first instant of day 2, a daily run still writes it and its hours.
    std::atomic<bool> cancel{false};
    events.newDay = [&](int day, long) { cancel = day == 2; };
    EXPECT_TRUE(runSession(request, events, &cancel).cancelled);
    EXPECT_EQ(output(".rep").size(), 41u);
    EXPECT_EQ(output(".mit").size(), 24u);
    EXPECT_EQ(output(".mit")[0], "    0  1.000");  // night counts as fully shaded

    // Paused on day 2 (a question is open), the run computes nothing more until cancelled.
    std::atomic<bool> pause{false};
    cancel = false;
    long atPause = 0, last = 0;
    events.newDay = [&](int day, long instants) { if (day == 2) pause = true, atPause = instants; last = instants; };
    std::thread answer([&] {
        while (!pause) std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        cancel = true;
    });
    EXPECT_TRUE(runSession(request, events, &cancel, &pause).cancelled);
    answer.join();
    EXPECT_EQ(last, atPause);
    EXPECT_EQ(output(".rep").size(), 41u);
}

TEST_F(SimulationTest, CancelKeepsThePreviousFilesAsBackups) {
    RunRequest request{collectorProject(), "t.dat", daily(140, 150, 60), settings()};
    std::atomic<bool> cancel{false};
    RunEvents events;
    int cancelOn = 0;
    events.newDay = [&](int day, long) { cancel = day == cancelOn; };
    // Each step: the day to cancel on (0: run through), then what the files and backups hold.
    struct Step {
        int cancelOn;
        std::size_t repLines;     // of out.rep
        std::size_t backupLines;  // of out.rep.bak; 0: none
        const char* note;         // English note of a cancelled run
    };
    const Step steps[] = {
        {0, 11 * 24, 0, nullptr},  // complete: nothing to back up yet
        {145, 5 * 24 + 1, 11 * 24, "Cancelled after day 145: out.rep and out.mit contain days 140 to 145."},
        {0, 11 * 24, 11 * 24, nullptr},  // a completed run removes no backup
        {141, 24 + 1, 11 * 24, "Cancelled after day 141: out.rep and out.mit contain days 140 to 141."},
        {143, 3 * 24 + 1, 24 + 1, "Cancelled after day 143: out.rep and out.mit contain days 140 to 143."},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.cancelOn);
        cancelOn = s.cancelOn;
        cancel = false;
        const RunResult r = runSession(request, events, &cancel);
        EXPECT_EQ(r.cancelled, s.note != nullptr);
        EXPECT_EQ(output(".rep").size(), s.repLines);
        EXPECT_EQ(fs::exists(dir_.path("out.mit.bak")), s.backupLines > 0);
        if (s.backupLines > 0) {
            EXPECT_EQ(splitLines(dir_.read("out.rep.bak")).size(), s.backupLines);
        }
        if (s.note) {
            EXPECT_EQ(cancelledRunNote(dir_.path("out"), r).render(Language::English), s.note);
        }
    }
    RunResult stopped;
    stopped.cancelled = true, stopped.firstDay = 1, stopped.lastDay = 144;
    EXPECT_EQ(cancelledRunNote("x/fenster", stopped).render(Language::German),
              "Abgebrochen nach Tag 144: fenster.rep und fenster.mit enthalten Tag 1 bis 144.");
    EXPECT_EQ(runFilesNote(dir_.path("out")).render(Language::English),
              "out.rep and out.mit are in the folder " + dir_.dir().string());
}

TEST_F(SimulationTest, UnwritableOutputNamesTheFileAndKeepsOldFiles) {
    TSimParameter p = daily(1, 1, 60);
    const RunSettings s{dir_.path("missing/out"), false, Language::English};
    const InputError e = testing::refusal([&] { Simulation(collectorProject(), "t.dat", p, s); });
    EXPECT_NE(e.file().find("missing/out.rep"), std::string::npos) << e.what();
    // An earlier result survives a run that fails.
    dir_.write("out.mit", "old");
    fs::permissions(dir_.dir(), fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(dir_.dir().c_str(), W_OK) != 0) {  // root may write anyway
        EXPECT_THROW(Simulation(collectorProject(), "t.dat", p, settings()), InputError);
        EXPECT_EQ(dir_.read("out.mit"), "old");
    }
    fs::permissions(dir_.dir(), fs::perms::owner_all);
}

// A run for its numbers only (the report's) writes nothing, not even in the working
// folder, and computes what a run with files does.
TEST_F(SimulationTest, RunWithoutBaseNameWritesNoFilesAndGivesTheSameNumbers) {
    TSimParameter p;
    p.diffuse = true;
    const RunResult withFiles = Simulation(collectorProject(), "t.dat", p, settings());
    const fs::path cwd = fs::current_path();
    fs::current_path(dir_.dir());
    fs::remove(dir_.path("out.rep")), fs::remove(dir_.path("out.mit"));
    p = {};
    p.diffuse = true;
    const RunResult numbers = Simulation(collectorProject(), "t.dat", p, {"", false, Language::English});
    fs::current_path(cwd);
    EXPECT_TRUE(fs::is_empty(dir_.dir()));
    EXPECT_EQ(numbers.monthlyMeans, withFiles.monthlyMeans);
    EXPECT_EQ(numbers.sunOnTarget, withFiles.sunOnTarget);
    for (std::size_t m = 0; m < 12; ++m) EXPECT_EQ(numbers.diffuseFactors[m]->sky, withFiles.diffuseFactors[m]->sky);
}

TEST(TimeStepper, VisitsTheRightDays) {
    std::vector<int> wrap;
    for (int d = 300; d <= 365; ++d) wrap.push_back(d);
    for (int d = 1; d <= 50; ++d) wrap.push_back(d);
    const std::pair<TSimParameter, std::vector<int>> cases[] = {
        {daily(100, 100, 60, 1), {100}}, {daily(1, 10, 60, 7), {1, 8}}, {daily(300, 50, 60, 1), wrap},
        // A step that jumps the stop day across the year's end must end the run.
        {daily(300, 50, 60, 365), {300}}, {daily(10, 5, 60, 360), {10, 5}}, {daily(360, 365, 60, 3), {360, 363}},
    };
    for (const auto& [p, days] : cases) EXPECT_EQ(walk(p).days, days) << p.firstDay << ".." << p.stopDay;
    // Every day from 0:00 up to the last step before 24:00.
    for (auto [minutes, instants] : {std::pair{60, 24}, {1, 1440}, {7, 206}})
        EXPECT_EQ(walk(daily(1, 1, minutes)).instantsPerDay, instants) << minutes;
    // Monthly: 5 to 31 March; a whole year completes every month once.
    TSimParameter p;
    p.firstMonth = p.stopMonth = 3, p.monthStartDay = 5, p.intervalDays = 1, p.intervalMinutes = 60;
    const Visit v = walk(p);
    EXPECT_EQ(std::tuple(v.days.front(), v.days.size(), v.months), std::tuple(64, 27u, std::vector<int>{3}));
    EXPECT_EQ(walk(TSimParameter{}).months.size(), 12u);
}

}  // namespace
}  // namespace penumbro
