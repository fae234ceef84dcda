// A run ended by a signal (Ctrl-C, a hung-up terminal, kill) writes what it has computed:
// the earlier files are replaced whole and no temporary file remains.

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using penumbro::testing::TempDir;

bool hasTemporaryFile(const TempDir& dir) {
    for (const auto& entry : std::filesystem::directory_iterator(dir.dir()))
        if (entry.path().filename().string().find(".tmp") != std::string::npos) return true;
    return false;
}

long crlfLines(const std::string& text) {
    long n = 0;
    for (std::size_t i = 0; (i = text.find("\r\n", i)) != std::string::npos; i += 2) ++n;
    return n;
}

TEST(CliSignal, EndsRunLikeCtrlC) {
    for (const int sig : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(sig);
        const TempDir dir("signal");
        const std::string project = dir.write(
            "scene.dat", TempDir::readFile(std::string(PENUMBRO_SOURCE_DIR) + "/examples/collector.dat"));
        dir.write("scene.rep", "earlier report\r\n");
        dir.write("scene.mit", "earlier means\r\n");
        const std::string out = dir.path("stdout");

        // Every minute of every day: many seconds of work, so the signal arrives mid-run.
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(fd, 1);
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
        const std::string printed = dir.read("stdout");
        EXPECT_EQ(printed.rfind("run cancelled:", 0), 0u) << printed;
        // Complete files: one report line per instant simulated, 24 hourly means.
        const std::string rep = dir.read("scene.rep");
        const std::string mit = dir.read("scene.mit");
        const auto count = printed.find("instants simulated: ");
        ASSERT_NE(count, std::string::npos);
        EXPECT_EQ(crlfLines(rep), std::stol(printed.substr(count + 20)));
        EXPECT_EQ(crlfLines(mit), 24);
        EXPECT_EQ(mit.substr(mit.size() - 2), "\r\n");
    }
}

}  // namespace
