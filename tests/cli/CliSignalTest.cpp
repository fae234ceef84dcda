// A run ended by a signal (Ctrl-C, a hung-up terminal, kill) writes what it has computed:
// the earlier files are replaced whole, kept as backups, and no temporary file remains.
// The commands that write their files at the end (irradiation, export) leave every file
// they had not finished as it was, after a signal and on a full disk alike.

#include "project/ProjectFile.h"
#include "support/SampleProjects.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using penumbro::testing::TempDir;

// Temporary files are ".pb" + six characters beside their targets.
bool hasTemporaryFile(const TempDir& dir) {
    const std::filesystem::directory_iterator files(dir.dir());
    return std::any_of(begin(files), end(files),
                       [](const auto& f) { return f.path().filename().string().rfind(".pb", 0) == 0; });
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

// The child's signal mask of caught signals (/proc/PID/status), so that a test signals
// it only once its handlers stand: before that a signal ends any program.
bool catches(pid_t pid, int sig) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("SigCgt:", 0) == 0 && (std::stoull(line.substr(7), nullptr, 16) >> (sig - 1) & 1)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

// penumbro-cli with args, stdout and stderr to files in dir; fileLimit bytes at most
// per file written (a disk that fills up), unlimited when 0.
pid_t spawn(const TempDir& dir, const std::vector<std::string>& args, rlim_t fileLimit = 0) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    ::dup2(::open(dir.path("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
    ::dup2(::open(dir.path("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    if (fileLimit > 0) {
        const rlimit limit{fileLimit, fileLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit then fails as on a full disk
    }
    std::vector<char*> argv{const_cast<char*>(PENUMBRO_CLI)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(PENUMBRO_CLI, argv.data());
    ::_exit(127);
}

int exitCodeOf(pid_t child) {
    int status = 0;
    if (::waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1000 - WTERMSIG(status);
}

// A weather year: eight header lines, 8760 rows with daylight from 8 to 16 o'clock.
std::string weatherYear() {
    std::string t = "LOCATION,Testort,-,DEU,TMY,000000,48.0,11.6,1.0,100.0\n";
    for (const char* h : {"DESIGN CONDITIONS,0", "TYPICAL/EXTREME PERIODS,0", "GROUND TEMPERATURES,0",
                          "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0", "COMMENTS 1,x", "COMMENTS 2,x", "DATA PERIODS,1,1,Data"})
        t += std::string(h) + "\n";
    const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= days[m - 1]; ++d)
            for (int h = 1; h <= 24; ++h) {
                const bool day = h > 8 && h <= 16;
                t += "1995," + std::to_string(m) + "," + std::to_string(d) + "," + std::to_string(h) +
                     ",60,x,5,1,75,101300,0,1415,300," + (day ? "400,300,100" : "0,0,0") + ",0,0,0,0,180,2\n";
            }
    return t;
}

struct Writer {
    const char* what;
    std::vector<std::string> args;     // after the CLI, with paths in the folder
    std::vector<std::string> outputs;  // the files it writes, in order
};

// Irradiation and export, set up in dir with "earlier" files under every output name.
std::vector<Writer> writers(const TempDir& dir) {
    const std::string source = PENUMBRO_SOURCE_DIR;
    // Two thousand walls before the collector: a year of about two seconds to signal.
    namespace samples = penumbro::testing;
    std::vector<penumbro::Lines> surfaces(2000, samples::wallSurface());
    surfaces.insert(surfaces.begin(), samples::collectorSurface());
    dir.write("scene.dat", penumbro::joinLines(samples::project(surfaces)));
    dir.write("c.dat", TempDir::readFile(source + "/examples/collector.dat"));
    dir.write("w.epw", weatherYear());
    dir.write("year.mit", TempDir::readFile(source + "/tests/cli/golden/collector_year_diffuse.mit"));
    std::vector<Writer> all = {
        {"irradiation",
         {"irradiation", dir.path("scene.dat"), "--weather", dir.path("w.epw"), "--hourly"},
         {"scene_irradiation.csv", "scene_irradiation_hourly.csv"}},
        {"export",
         {"export", dir.path("year.mit"), "--format", "sam", "--project", dir.path("c.dat"), "-o", dir.path("year.csv")},
         {"year.csv", "year_diffuse.txt"}},
    };
    return all;
}

void writeEarlier(const TempDir& dir, const Writer& w) {
    for (const std::string& out : w.outputs) dir.write(out, "earlier " + out + "\n");
}

TEST(CliSignal, EndsIrradiationAndExportWithEveryUnfinishedFileAsItWas) {
    for (const int sig : {SIGTERM, SIGHUP, SIGINT}) {
        const TempDir dir("signal-writers");
        for (const Writer& w : writers(dir)) {
            SCOPED_TRACE(std::string(w.what) + " " + std::to_string(sig));
            const bool quick = std::string(w.what) == "export";
            std::vector<std::string> whole;
            if (quick) {
                ASSERT_EQ(exitCodeOf(spawn(dir, w.args)), 0) << dir.read("stderr");
                for (const std::string& out : w.outputs) whole.push_back(dir.read(out));
            }
            writeEarlier(dir, w);
            const pid_t child = spawn(dir, w.args);
            ASSERT_TRUE(catches(child, sig));
            ::kill(child, sig);
            const int code = exitCodeOf(child);
            EXPECT_FALSE(hasTemporaryFile(dir));
            // The irradiation's year outlasts the signal; a quick export may be done by then.
            if (!quick || code != 0) {
                EXPECT_EQ(code, 128 + sig) << dir.read("stderr");
                EXPECT_NE(dir.read("stderr").find("cancelled (signal " + std::to_string(sig) + ")"), std::string::npos);
            }
            for (std::size_t k = 0; k < w.outputs.size(); ++k) {
                const std::string now = dir.read(w.outputs[k]), earlier = "earlier " + w.outputs[k] + "\n";
                EXPECT_TRUE(now == earlier || (quick && now == whole[k])) << now;
            }
        }
    }
}

// A disk that fills up: the file being written fails with the reason and keeps its
// earlier content; files finished before it are whole.
TEST(CliSignal, FullDiskLeavesEveryUnfinishedFileAsItWas) {
    const TempDir dir("full-disk");
    const std::vector<Writer> all = writers(dir);
    dir.write("scene.dat", dir.read("c.dat"));  // no need for a long year here
    for (const Writer& w : all) {
        SCOPED_TRACE(w.what);
        writeEarlier(dir, w);
        ASSERT_EQ(exitCodeOf(spawn(dir, w.args)), 0) << dir.read("stderr");
        std::vector<std::string> whole;
        for (const std::string& out : w.outputs) whole.push_back(dir.read(out));
        writeEarlier(dir, w);
        // The irradiation has room for its first file, not for the hourly one; the
        // export for neither.
        const rlim_t room = w.what == std::string("export") ? 100 : whole[0].size() + 10;
        EXPECT_EQ(exitCodeOf(spawn(dir, w.args, room)), 1);
        EXPECT_NE(dir.read("stderr").find(": cannot write file: "), std::string::npos) << dir.read("stderr");
        EXPECT_FALSE(hasTemporaryFile(dir));
        EXPECT_EQ(dir.read(w.outputs[1]), "earlier " + w.outputs[1] + "\n");
        EXPECT_EQ(dir.read(w.outputs[0]), w.what == std::string("export") ? "earlier " + w.outputs[0] + "\n" : whole[0]);
    }
}

}  // namespace
