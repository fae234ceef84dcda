#include "simulation/Simulation.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace penumbro {
namespace {

namespace fs = std::filesystem;

// A south-facing collector tilted 45 degrees with a wall in front of it.
const Lines kProject = {"* test", "2",
                        "Kollektor", "Target", "4",
                        "12.000000 12.000000 5.000000", "16.000000 12.000000 5.000000",
                        "16.000000 14.121320 7.121320", "12.000000 14.121320 7.121320",
                        "Mauer", "4",
                        "8.000000 6.000000 0.000000", "18.000000 6.000000 0.000000",
                        "18.000000 6.000000 8.000000", "8.000000 6.000000 8.000000",
                        "Standort", "50.0 -8.0 -1.0",
                        "Bodenreflexion", " 40 40 30 20 20 20 20 20 20 20 30 40"};

class SimulationTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("penumbro-sim-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    RunSettings settings(bool comma = false) const { return {(dir_ / "out").string(), comma, Language::English}; }
    Lines reportLines() const { return splitLines(readFileBytes((dir_ / "out.rep").string())); }
    Lines meanLines() const { return splitLines(readFileBytes((dir_ / "out.mit").string())); }
    fs::path dir_;
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
    RunResult r = Simulation(kProject, "t.dat", p, settings());
    EXPECT_EQ(r.instants, 1440);
    const Lines rep = reportLines();
    ASSERT_EQ(rep.size(), 1440u);
    EXPECT_EQ(rep[999].substr(0, 5), " 1000");
    EXPECT_EQ(rep[1439].substr(0, 5), " 1440");
    const Lines mit = meanLines();
    ASSERT_EQ(mit.size(), 24u);
    EXPECT_EQ(mit[0], "    0  1.000");  // night counts as fully shaded
    // The site of the project went into the parameters.
    EXPECT_DOUBLE_EQ(p.latitude, 50.0);
    EXPECT_DOUBLE_EQ(p.correction, -1.0);
}

TEST_F(SimulationTest, ExactlyAThousandInstants) {
    // 1000 instants: days of 72 instants (20 minutes) do not divide 1000, so use the
    // 1-minute day cut by cancelling after the 1000th instant.
    TSimParameter p = daily(1, 1, 1);
    std::atomic<bool> cancel{false};
    RunObserver obs;
    obs.cancel = &cancel;
    obs.progress = [&](const RunProgress& pr) {
        if (pr.instants == 1000) cancel = true;
    };
    RunResult r = Simulation(kProject, "t.dat", p, settings(), obs);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(reportLines().size(), 1000u);
    EXPECT_EQ(meanLines().size(), 24u);  // a cancelled daily run still writes its hours
}

TEST_F(SimulationTest, MonthlyBlocksWithDiffuseLinesAndComma) {
    TSimParameter p;
    p.monthly = true;
    p.firstMonth = 3;
    p.stopMonth = 4;
    p.intervalDays = 10;
    p.intervalMinutes = 60;
    p.diffuse = true;
    p.elevationIntervals = 2;
    RunResult r = Simulation(kProject, "t.dat", p, settings(true));
    const Lines mit = meanLines();
    ASSERT_EQ(mit.size(), 2u * 27u);
    EXPECT_EQ(mit[0], "");
    EXPECT_EQ(mit[1], "Monat Nr. 3");
    EXPECT_EQ(mit[26].substr(0, 8), "Diffus  ");
    EXPECT_NE(mit[26].find(','), std::string::npos);
    EXPECT_EQ(mit[28], "Monat Nr. 4");
    EXPECT_TRUE(r.monthsShown[2] && r.monthsShown[3]);
    EXPECT_EQ(r.lastMonth, 4);
    const Lines rep = reportLines();
    EXPECT_EQ(rep.size(), 24u * 7u);  // days 60, 70, 80, 90 in March and 91, 101, 111 in April
    // Ten fields with diffuse values.
    EXPECT_EQ(rep[0], "    1   60   0   0  -1,000  2,000" + rep[0].substr(33));
    EXPECT_EQ(rep[0].size(), 33u + 4u * 7u);
}

TEST_F(SimulationTest, ChartShowsTheLastFourMonthsCompleted) {
    // Finishing a month hides the one four before it, wrapping through December.
    struct Case {
        int first, stop;
        std::array<bool, 12> shown;
    };
    const Case cases[] = {
        {1, 5, {false, true, true, true, true, false, false, false, false, false, false, false}},
        {9, 1, {true, false, false, false, false, false, false, false, false, true, true, true}},
        {11, 12, {false, false, false, false, false, false, false, false, false, false, true, true}},
    };
    for (const Case& c : cases) {
        TSimParameter p;
        p.firstMonth = c.first;
        p.stopMonth = c.stop;
        p.intervalDays = 28;
        p.intervalMinutes = 60;
        const RunResult r = Simulation(kProject, "t.dat", p, settings());
        EXPECT_EQ(r.monthsShown, c.shown) << c.first << ".." << c.stop;
        EXPECT_EQ(r.lastMonth, c.stop);
    }
}

TEST_F(SimulationTest, RefusedRunsLeaveNoFiles) {
    struct Case {
        Lines text;
        int resolution;
        const char* fragment;
    };
    Lines flat = kProject;
    for (int i = 5; i < 9; ++i) flat[static_cast<std::size_t>(i)] = "12.000000 12.000000 5.000000";
    const Case cases[] = {
        {{"* x", "0", "Standort", "50.0 -8.0 -1.0"}, 1, "No target surface"},
        {flat, 1, "no area"},
        {{"* x", "1", "A", "Target", "x"}, 1, "not an integer"},
    };
    for (const auto& c : cases) {
        TSimParameter p = daily(1, 1, 60);
        p.resolution = c.resolution;
        try {
            Simulation(c.text, "t.dat", p, settings());
            ADD_FAILURE() << "no refusal: " << c.fragment;
        } catch (const InputError& e) {
            EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << e.what();
        }
        EXPECT_FALSE(fs::exists(dir_ / "out.rep"));
        EXPECT_FALSE(fs::exists(dir_ / "out.mit"));
    }
}

TEST_F(SimulationTest, UnwritableOutputNamesTheFileAndKeepsOldFiles) {
    TSimParameter p = daily(1, 1, 60);
    RunSettings s = settings();
    s.baseName = (dir_ / "missing" / "out").string();
    try {
        Simulation(kProject, "t.dat", p, s);
        ADD_FAILURE() << "no error";
    } catch (const InputError& e) {
        EXPECT_NE(e.file().find("missing/out.rep"), std::string::npos) << e.what();
    }
    // An earlier result survives a run that fails.
    writeFileAtomically((dir_ / "out.mit").string(), "old");
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(dir_.c_str(), W_OK) != 0) {  // root may write anyway
        EXPECT_THROW(Simulation(kProject, "t.dat", p, settings()), InputError);
        EXPECT_EQ(readFileBytes((dir_ / "out.mit").string()), "old");
    }
    fs::permissions(dir_, fs::perms::owner_all);
}

}  // namespace
}  // namespace penumbro
