#pragma once
// Runs the built penumbro-cli through the shell and captures what it printed.
//
//   CliResult r = runCli("sun --day 172 --time 12:00 --lat 50 --lon 0");
//   EXPECT_EQ(r.exitCode, 0);
//
// Include as "cli/RunCli.h" (tests/ is on the include path).
// args are appended to the quoted program path as they stand, so quote paths with
// blanks yourself (cliQuote helps). stdout and stderr go to temporary files that are
// read back and removed.

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace penumbro {

struct CliResult {
    int exitCode = -1;  // the program's exit status; -1 when it did not exit normally
    std::string out;    // stdout, raw bytes
    std::string err;    // stderr, raw bytes
};

// Single-quotes text for the shell.
inline std::string cliQuote(const std::string& text) {
    std::string q = "'";
    for (char c : text) {
        if (c == '\'') q += "'\\''";
        else q += c;
    }
    return q + "'";
}

inline std::string cliReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// A fresh, empty directory under the system's temporary folder, unique per process
// and call. The caller removes it (std::filesystem::remove_all) when done.
inline std::filesystem::path cliTempDir(const std::string& tag = "cli") {
    static std::atomic<int> counter{0};
    auto dir = std::filesystem::temp_directory_path() /
               ("penumbro-test-" + tag + "-" + std::to_string(::getpid()) + "-" +
                std::to_string(counter++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

inline CliResult runCli(const std::string& args) {
    const auto dir = cliTempDir("run");
    const auto outPath = dir / "stdout";
    const auto errPath = dir / "stderr";
    const std::string command = cliQuote(PENUMBRO_CLI) + " " + args + " >" +
                                cliQuote(outPath.string()) + " 2>" + cliQuote(errPath.string()) +
                                " </dev/null";
    const int status = std::system(command.c_str());
    CliResult result;
    if (status != -1 && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    result.out = cliReadFile(outPath);
    result.err = cliReadFile(errPath);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return result;
}

}  // namespace penumbro
