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
    const CliResult batch = runCli("batch " + cliQuote(dir.path("two.dat")) + " --list " +
                                   cliQuote(dir.path("list.txt")) + " --jobs 2" + kDay);
    EXPECT_EQ(batch.exitCode, 1) << batch.err;
    EXPECT_NE(batch.out.find("entry 4 of 4: " + dir.path("missing.dat") + ": failed: " + dir.path("missing.dat")),
              std::string::npos) << batch.out;
    EXPECT_NE(batch.out.find("entries done: 3 of 4, failed: 1"), std::string::npos);
    const CliResult run = runCli("run " + cliQuote(dir.path("one.dat")) + " -o " + cliQuote(dir.path("run")) + kDay);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* ext : {".rep", ".mit"}) {
        EXPECT_EQ(dir.read(std::string("one") + ext), dir.read(std::string("run") + ext));
        EXPECT_FALSE(dir.read(std::string("two_01_Dach_Nord") + ext).empty());
        EXPECT_FALSE(dir.read(std::string("two_02_Kollektor") + ext).empty());
    }
    // The second shard of two holds entry 2 only.
    const CliResult shard = runCli("batch " + cliQuote(dir.path("two.dat")) + " --shard 2/2" + kDay);
    EXPECT_EQ(shard.exitCode, 0);
    EXPECT_EQ(shard.out.rfind("entry 2 of 2: ", 0), 0u) << shard.out;
    EXPECT_EQ(runCli("batch " + cliQuote(dir.path("two.dat")) + " --shard 3/2").exitCode, 2);
}

TEST(CliBatch, SignalsLeaveFinishedAndEarlierFiles) {
    const TempDir dir("cli-batch-signal");
    const std::string example = TempDir::readFile(testing::examplePath("collector.dat"));
    for (const char* name : {"a.dat", "b.dat"}) dir.write(name, example);
    dir.write("b.rep", "earlier report\r\n");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(::open(dir.path("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        ::execl(PENUMBRO_CLI, PENUMBRO_CLI, "batch", dir.path("a.dat").c_str(), dir.path("b.dat").c_str(), "--jobs",
                "1", "--set", "monthly=0", "--set", "interval-days=1", "--set", "interval-minutes=1",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Wait until the first entry writes its scratch files, then a moment of instants.
    auto running = [&] {
        for (const auto& f : std::filesystem::directory_iterator(dir.dir()))
            if (f.path().filename().string().find(".unfinished") != std::string::npos) return true;
        return false;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ::kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 128 + SIGTERM);
    EXPECT_EQ(dir.read("b.rep"), "earlier report\r\n");
    const std::filesystem::directory_iterator files(dir.dir());
    EXPECT_EQ(std::distance(begin(files), end(files)), 4) << dir.read("stdout");  // a.dat, b.dat, b.rep, stdout
}

}  // namespace
}  // namespace penumbro
