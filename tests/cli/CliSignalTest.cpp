// A run ended by a signal (Ctrl-C, a hung-up terminal, kill) writes what it has computed:
// the earlier files are replaced whole, kept as backups, and no temporary file remains.

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using penumbro::testing::TempDir;

bool hasTemporaryFile(const TempDir& dir) {
    const std::filesystem::directory_iterator files(dir.dir());
    return std::any_of(begin(files), end(files),
                       [](const auto& f) { return f.path().filename().string().find(".tmp") != std::string::npos; });
}

long lineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

TEST(CliSignal, EndsRunLikeCtrlC) {
    for (const int sig : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(sig);
        const TempDir dir("signal");
        const std::string project = dir.write(
            "scene.dat", TempDir::readFile(std::string(PENUMBRO_SOURCE_DIR) + "/examples/collector.dat"));
        dir.write("scene.rep", "earlier report\r\n"), dir.write("scene.mit", "earlier means\r\n");
        const std::string out = dir.path("stdout");
        // Every minute of every day: many seconds of work, so the signal arrives mid-run.
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
            if (sig == SIGINT) ::setenv("LC_ALL", "de_DE.UTF-8", 1);  // the note in the user's language
            ::execl(PENUMBRO_CLI, PENUMBRO_CLI, "run", project.c_str(), "--set", "monthly=0", "--set",
                    "interval-days=1", "--set", "interval-minutes=1", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // Wait until the writers hold their temporary files, then a moment of instants.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!hasTemporaryFile(dir) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ::kill(child, sig);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 128 + sig);
        EXPECT_FALSE(hasTemporaryFile(dir));
        const std::string printed = dir.read("stdout"), rep = dir.read("scene.rep"), mit = dir.read("scene.mit");
        const bool german = sig == SIGINT;
        EXPECT_EQ(printed.rfind(german ? "Abgebrochen nach Tag " : "Cancelled after day ", 0), 0u) << printed;
        EXPECT_NE(printed.find(german ? ": scene.rep und scene.mit enthalten Tag 1 bis "
                                      : ": scene.rep and scene.mit contain days 1 to "),
                  std::string::npos)
            << printed;
        // The files the run replaced stay as backups.
        EXPECT_EQ(dir.read("scene.rep.bak"), "earlier report\r\n");
        EXPECT_EQ(dir.read("scene.mit.bak"), "earlier means\r\n");
        // Complete files: one report line per instant simulated, 24 hourly means.
        const auto count = printed.find("instants simulated: ");
        ASSERT_NE(count, std::string::npos);
        EXPECT_EQ(lineCount(rep), std::stol(printed.substr(count + 20)));
        EXPECT_EQ(lineCount(mit), 24);
        EXPECT_EQ(mit.substr(mit.size() - 2), "\r\n");
    }
}

}  // namespace
