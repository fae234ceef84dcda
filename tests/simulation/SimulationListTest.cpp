#include "simulation/SimulationList.h"

#include "project/ProjectFile.h"
#include "support/SampleProjects.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>

namespace penumbro {
namespace {

using testing::TempDir;

// A project whose targets (copies of the collector) carry the given names.
Lines projectWithTargets(const std::vector<std::string>& names) {
    std::vector<Lines> surfaces = {testing::wallSurface()};
    for (const auto& name : names) surfaces.push_back(testing::collectorSurface()), surfaces.back()[0] = name;
    return testing::project(surfaces);
}

TEST(SimulationList, StemsAndTheTextEachEntrySees) {
    const Lines text = projectWithTargets({"Kollektor", "S\xFC" "d-Fassade", "Dach 2", "a/b"});
    const auto entries = entriesOfText("/d/haus.dat", text);
    ASSERT_EQ(entries.size(), 4u);
    const char* stems[] = {"/d/haus_01_Kollektor", "/d/haus_02_S\xC3\xBC" "d-Fassade", "/d/haus_03_Dach 2", "/d/haus_04_a_b"};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(entries[k].stem, stems[k]);
        const Lines kept = textForEntry(text, entries[k].ordinal);
        ASSERT_EQ(targetKeywordLines(kept).size(), 1u);
        EXPECT_EQ(kept[targetKeywordLines(kept)[0] - 1], entries[k].target);
    }
    EXPECT_EQ(entriesOfText("/d/haus.dat", projectWithTargets({"Kollektor"})).at(0).stem, "/d/haus");
    EXPECT_EQ(outputStem("x.dat", 12, "\xE9t\xE9"), "x_12__t_");
    EXPECT_EQ(shardOf(entries, 2, 3).size(), 1u);
}

TEST(SimulationList, FillsUpToTheMaximum) {
    SimulationList list;
    const Lines many = projectWithTargets(std::vector<std::string>(97, "T"));
    EXPECT_FALSE(list.add("a.dat", many).full);
    const auto r = list.add("b.dat", projectWithTargets({"1", "2", "3", "4", "5"}));
    EXPECT_TRUE(r.added == 2 && r.full);
    EXPECT_TRUE(list.row(98).file == "b.dat" && list.row(99).file == kDittoMark && list.row(99).stem == "b_02_2");
    EXPECT_EQ(list.add("c.dat", many).added, 0);
}

TEST(SimulationList, RemovingAFileClosesUpAndRenumbers) {
    SimulationList list;
    list.add("/p/a.dat", projectWithTargets({"A"}));
    list.add("/p/b.dat", projectWithTargets({"B1", "B2"}));
    EXPECT_TRUE(list.add("/p/none.dat", testing::project({})).noTarget);
    list.add("/p/c.dat", projectWithTargets({"C"}));
    EXPECT_FALSE(fileNumberInput("100") || fileNumberInput("x") || fileNumberInput("0"));
    ASSERT_TRUE(list.remove(*fileNumberInput("2")));
    const Lines expected = {"01 - Datendatei:   /p/a.dat", "", "     Target:       A",
                            "     Ausgabedatei: /p/a.mit (.rep)", "", "",
                            "02 - Datendatei:   /p/c.dat", "", "     Target:       C",
                            "     Ausgabedatei: /p/c.mit (.rep)", ""};
    EXPECT_EQ(list.overview(), expected);
    EXPECT_EQ(list.filledRows(), 2);
}

class ListRun : public ::testing::Test {
protected:
    ListRun() {
        p.monthly = false, p.firstDay = p.stopDay = 172, p.intervalMinutes = 30;
        dir.write("two.dat", joinLines(projectWithTargets({"A", "B"})));
        dir.write("one.dat", joinLines(testing::collectorProject()));
    }
    long reportLines(const std::string& stem) const {
        const std::string rep = dir.read(stem + ".rep");
        return std::count(rep.begin(), rep.end(), '\n');
    }
    TempDir dir{"simlist"};
    TSimParameter p;
    RunSettings settings;
};

TEST_F(ListRun, ReportsUnreadableFilesAndKeepsWhatAnAbortLeft) {
    SimulationList list;
    list.add(dir.path("gone.dat"), projectWithTargets({"G"}));
    for (const char* name : {"one.dat", "two.dat"}) list.add(dir.path(name), readPlainText(dir.path(name)));
    const ListRunResult r = Abarbeiten(list, p, settings);
    ASSERT_EQ(r.outcomes.size(), 4u);
    EXPECT_NE(r.outcomes[0].message.find("gone.dat"), std::string::npos);
    for (const char* stem : {"one", "two_01_A", "two_02_B"}) EXPECT_EQ(reportLines(stem), 48);
    EXPECT_FALSE(r.aborted || list.canProcess());
    // The flag drops during the first entry of the second file: that file and the next stay.
    for (const char* name : {"one.dat", "two.dat", "one.dat"}) list.add(dir.path(name), readPlainText(dir.path(name)));
    int started = 0;
    ListRunHooks hooks;
    hooks.batchActive = [&] { return started < 2; };
    hooks.entryStarting = [&](int, int, const BatchEntry&) { ++started; };
    EXPECT_TRUE(Abarbeiten(list, p, settings, hooks).aborted);
    EXPECT_TRUE(list.filledRows() == 3 && list.row(1).file == dir.path("two.dat"));
}

TEST_F(ListRun, ThreadsWriteTheSameBytesAndCancelledRunsNothing) {
    std::vector<BatchEntry> entries = entriesOfText(dir.path("two.dat"), readPlainText(dir.path("two.dat")));
    entries.push_back(entriesOfText(dir.path("one.dat"), readPlainText(dir.path("one.dat"))).at(0));
    p.diffuse = true, p.monthly = true, p.firstMonth = p.stopMonth = 6, p.intervalDays = 15;
    std::vector<std::string> single;
    for (const int jobs : {1, 3}) {
        for (const auto& o : runEntries(entries, p, settings, jobs)) ASSERT_EQ(o.status, EntryStatus::Done) << o.message;
        for (std::size_t i = 0; i < 6; ++i) {
            const std::string bytes = TempDir::readFile(entries[i / 2].stem + (i % 2 ? ".rep" : ".mit"));
            if (jobs == 1) single.push_back(bytes);
            else EXPECT_EQ(bytes, single[i]);
        }
    }
    dir.write("one.rep", "earlier");
    const std::atomic<bool> cancel{true};
    EXPECT_EQ(runEntries(entries, p, settings, 2, &cancel)[0].status, EntryStatus::NotRun);
    RunObserver cancelled;
    cancelled.cancel = &cancel;
    EXPECT_EQ(runEntry(entries[2], p, settings, cancelled, true).status, EntryStatus::Cancelled);
    EXPECT_EQ(dir.read("one.rep"), "earlier");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.dir()), {}), 8);
}

}  // namespace
}  // namespace penumbro
