// penumbro-cli batch: the list's stems, the outputs of run, failures per entry, signals.

#include "RunCli.h"

#include "project/ProjectFile.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace penumbro {
namespace {

using testing::TempDir;

const char* kDay = " --set monthly=0 --set first-day=172 --set stop-day=172 --set interval-minutes=30";

TEST(CliBatch, RunsEveryTargetLikeRun) {
    const TempDir dir("cli-batch");
    Lines two = testing::project({testing::collectorSurface(), testing::collectorSurface(), testing::wallSurface()});
    two[2] = "Dach/Nord";
    dir.write("two.dat", joinLines(two));
    dir.write("one.dat", joinLines(testing::collectorProject()));
    dir.write("list.txt", "# the street\none.dat\n\nmissing.dat\n");
    const std::string twoDat = cliQuote(dir.path("two.dat"));
    const CliResult batch = runCli("batch " + twoDat + " --list " + cliQuote(dir.path("list.txt")) + " --jobs 2" + kDay);
    EXPECT_EQ(batch.exitCode, 1) << batch.err;
    const std::string missing = dir.path("missing.dat");
    EXPECT_NE(batch.out.find("entry 4 of 4: " + missing + ": failed: " + missing), std::string::npos) << batch.out;
    EXPECT_NE(batch.out.find("entries done: 3 of 4, failed: 1"), std::string::npos);
    ASSERT_EQ(runCli("run " + cliQuote(dir.path("one.dat")) + " -o " + cliQuote(dir.path("run")) + kDay).exitCode, 0);
    for (const std::string ext : {".rep", ".mit"}) {
        EXPECT_EQ(dir.read("one" + ext), dir.read("run" + ext));
        EXPECT_FALSE(dir.read("two_01_Dach_Nord" + ext).empty() || dir.read("two_02_Kollektor" + ext).empty());
    }
    const CliResult shard = runCli("batch " + twoDat + " --shard 2/2" + kDay);
    EXPECT_EQ(shard.out.rfind("entry 2 of 2: ", 0), 0u) << shard.out;
    EXPECT_EQ(runCli("batch " + twoDat + " --shard 3/2").exitCode, 2);
}

TEST(CliBatch, SignalKeepsTheEarlierFilesAsBackups) {
    const TempDir dir("cli-batch-signal");
    for (const char* name : {"a.dat", "b.dat"}) dir.write(name, TempDir::readFile(testing::examplePath("collector.dat")));
    dir.write("a.rep", "earlier report\r\n"), dir.write("a.mit", "earlier means\r\n"), dir.write("b.rep", "b's\r\n");
    const std::string out = dir.path("stdout");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        ::execl(PENUMBRO_CLI, PENUMBRO_CLI, "batch", dir.path("a.dat").c_str(), dir.path("b.dat").c_str(), "--jobs",
                "1", "--set", "monthly=0", "--set", "interval-days=1", "--set", "interval-minutes=1",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Once the first entry holds its temporary files, and a moment of instants later.
    auto files = [&] { return std::distance(std::filesystem::directory_iterator(dir.dir()), {}); };
    for (int i = 0; i < 6000 && files() <= 6; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ::kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGTERM);
    EXPECT_EQ(dir.read("a.rep.bak"), "earlier report\r\n");
    EXPECT_EQ(dir.read("a.mit.bak"), "earlier means\r\n");
    EXPECT_EQ(dir.read("b.rep"), "b's\r\n");
    // One minute steps from day 1: the report's last line is of the day the sentence names.
    const std::string rep = dir.read("a.rep"), printed = dir.read("stdout");
    const std::string last = rep.substr(rep.rfind("\r\n", rep.size() - 3) + 2);
    const std::string day = last.substr(last.find_first_not_of(' ', last.find(' ', last.find_first_not_of(' '))));
    const std::string n = day.substr(0, day.find(' '));
    EXPECT_NE(printed.find("Cancelled after day " + n + ": a.rep and a.mit contain days 1 to " + n + ".\n"),
              std::string::npos) << printed << last;
    EXPECT_EQ(files(), 8);  // the two projects, a's four files, b's report, stdout
}

}  // namespace
}  // namespace penumbro
