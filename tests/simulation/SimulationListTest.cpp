#include "simulation/SimulationList.h"

#include "project/ProjectFile.h"
#include "support/SampleProjects.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <map>

namespace penumbro {
namespace {

using testing::collectorSurface;
using testing::plainSurface;
using testing::TempDir;

// A project whose targets carry the given names (each a copy of the collector).
Lines projectWithTargets(const std::vector<std::string>& names) {
    std::vector<Lines> surfaces;
    for (const auto& name : names) {
        Lines s = collectorSurface();
        s[0] = name;
        surfaces.push_back(s);
    }
    surfaces.push_back(testing::wallSurface());
    return testing::project(surfaces);
}

TEST(SimulationList, StemsFollowTheTargetNames) {
    const auto entries = entriesOfText("/d/haus.dat", projectWithTargets({"Kollektor", "S\xFC" "d-Fassade", "Dach 2", "a/b"}));
    ASSERT_EQ(entries.size(), 4u);
    const char* stems[] = {"/d/haus_01_Kollektor", "/d/haus_02_S\xC3\xBC" "d-Fassade", "/d/haus_03_Dach 2", "/d/haus_04_a_b"};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(entries[k].stem, stems[k]);
        EXPECT_EQ(entries[k].ordinal, static_cast<int>(k) + 1);
    }
    EXPECT_EQ(entriesOfText("/d/haus.dat", projectWithTargets({"Kollektor"})).at(0).stem, "/d/haus");
    EXPECT_EQ(outputStem("x.dat", 12, "\xE9t\xE9"), "x_12__t_");
}

TEST(SimulationList, FillsUpToTheMaximum) {
    SimulationList list;
    const Lines many = projectWithTargets(std::vector<std::string>(97, "T"));
    EXPECT_FALSE(list.add("a.dat", many).full);
    const auto r = list.add("b.dat", projectWithTargets({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(r.added, 2);
    EXPECT_TRUE(r.full);
    EXPECT_EQ(list.row(98).file, "b.dat");
    EXPECT_EQ(list.row(99).file, kDittoMark);
    EXPECT_EQ(list.row(99).stem, "b_02_2");
    EXPECT_TRUE(list.add("c.dat", many).full);
    EXPECT_EQ(list.add("c.dat", many).added, 0);
}

TEST(SimulationList, RemovingAFileClosesUpAndRenumbers) {
    SimulationList list;
    list.add("/p/a.dat", projectWithTargets({"A"}));
    list.add("/p/b.dat", projectWithTargets({"B1", "B2"}));
    EXPECT_TRUE(list.add("/p/none.dat", testing::project({})).noTarget);
    list.add("/p/c.dat", projectWithTargets({"C"}));
    EXPECT_FALSE(list.remove(0));
    EXPECT_FALSE(fileNumberInput("100") || fileNumberInput("x") || fileNumberInput("1.5"));
    ASSERT_TRUE(list.remove(*fileNumberInput("2")));
    EXPECT_EQ(list.filledRows(), 2);
    const Lines expected = {"01 - Datendatei:   /p/a.dat", "", "     Target:       A",
                            "     Ausgabedatei: /p/a.mit (.rep)", "", "",
                            "02 - Datendatei:   /p/c.dat", "", "     Target:       C",
                            "     Ausgabedatei: /p/c.mit (.rep)", ""};
    EXPECT_EQ(list.overview(), expected);
    list.clear();
    EXPECT_FALSE(list.canProcess());
}

TEST(SimulationList, EachEntrySeesOneTarget) {
    const Lines text = projectWithTargets({"A", "B", "C"});
    for (int ordinal = 1; ordinal <= 3; ++ordinal) {
        const Lines kept = textForEntry(text, ordinal);
        ASSERT_EQ(targetKeywordLines(kept).size(), 1u);
        EXPECT_EQ(kept[targetKeywordLines(kept)[0] - 1], std::string(1, static_cast<char>('A' + ordinal - 1)));
    }
    const auto shard = shardOf(entriesOfText("f.dat", text), 2, 2);
    ASSERT_EQ(shard.size(), 1u);
    EXPECT_EQ(shard[0].target, "B");
}

class ListRun : public ::testing::Test {
protected:
    ListRun() {
        p.monthly = false, p.firstDay = p.stopDay = 172, p.intervalMinutes = 30;
        settings.language = Language::English;
        dir.write("two.dat", joinLines(projectWithTargets({"A", "B"})));
        dir.write("one.dat", joinLines(testing::collectorProject()));
    }
    TempDir dir{"simlist"};
    TSimParameter p;
    RunSettings settings;
};

TEST_F(ListRun, ProcessesEveryEntryAndReportsUnreadableFiles) {
    SimulationList list;
    list.add(dir.path("two.dat"), readPlainText(dir.path("two.dat")));
    list.add(dir.path("gone.dat"), projectWithTargets({"G"}));
    list.add(dir.path("one.dat"), readPlainText(dir.path("one.dat")));
    const ListRunResult r = Abarbeiten(list, p, settings);
    ASSERT_EQ(r.outcomes.size(), 4u);
    EXPECT_FALSE(r.aborted);
    EXPECT_EQ(r.outcomes[2].status, EntryStatus::Failed);
    EXPECT_NE(r.outcomes[2].message.find("gone.dat"), std::string::npos);
    for (const char* stem : {"two_01_A", "two_02_B", "one"}) {
        const std::string rep = dir.read(std::string(stem) + ".rep");
        EXPECT_EQ(std::count(rep.begin(), rep.end(), '\n'), 48);
        EXPECT_FALSE(dir.read(std::string(stem) + ".mit").empty());
    }
    EXPECT_FALSE(list.canProcess());
}

TEST_F(ListRun, AbortKeepsTheFileInProgressAndAfter) {
    SimulationList list;
    for (const char* f : {"one.dat", "two.dat", "one.dat"}) list.add(dir.path(f), readPlainText(dir.path(f)));
    int started = 0;
    ListRunHooks hooks;
    hooks.batchActive = [&] { return started < 3; };  // the flag drops after the third entry
    hooks.entryStarting = [&](int, int, const BatchEntry&) { ++started; };
    EXPECT_TRUE(Abarbeiten(list, p, settings, hooks).aborted);
    EXPECT_EQ(list.filledRows(), 3);
    EXPECT_EQ(list.row(1).file, dir.path("two.dat"));
}

TEST_F(ListRun, ThreadsWriteTheSameBytes) {
    std::vector<BatchEntry> entries = entriesOfText(dir.path("two.dat"), readPlainText(dir.path("two.dat")));
    for (const auto& e : entriesOfText(dir.path("one.dat"), readPlainText(dir.path("one.dat")))) entries.push_back(e);
    p.diffuse = true, p.monthly = true, p.firstMonth = 6, p.stopMonth = 6, p.intervalDays = 15;
    std::map<std::string, std::string> single;
    for (const int jobs : {1, 3}) {
        const auto outcomes = runEntries(entries, p, settings, jobs);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            ASSERT_EQ(outcomes[i].status, EntryStatus::Done) << outcomes[i].message;
            for (const char* ext : {".rep", ".mit"}) {
                const std::string bytes = TempDir::readFile(entries[i].stem + ext);
                if (jobs == 1) single[entries[i].stem + ext] = bytes;
                else EXPECT_EQ(bytes, single[entries[i].stem + ext]);
            }
        }
    }
    // A cancelled batch starts nothing and leaves the earlier files alone.
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
