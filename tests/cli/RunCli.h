#pragma once
// Runs the built penumbro-cli through the shell and captures what it printed.
// args are appended to the quoted program path as they stand, so quote paths with
// blanks yourself (cliQuote helps). Include as "cli/RunCli.h".

#include "support/TempDir.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
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
    for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline std::string cliReadFile(const std::filesystem::path& path) {
    return testing::TempDir::readFile(path.string());
}

// A fresh, empty directory that the caller removes; prefer testing::TempDir.
inline std::filesystem::path cliTempDir(const std::string& tag = "cli") {
    static std::atomic<int> counter{0};
    auto dir = std::filesystem::temp_directory_path() /
               ("penumbro-test-" + tag + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

inline CliResult runCli(const std::string& args) {
    const testing::TempDir dir("cli-run");
    const std::string command = cliQuote(PENUMBRO_CLI) + " " + args + " >" + cliQuote(dir.path("stdout")) +
                                " 2>" + cliQuote(dir.path("stderr")) + " </dev/null";
    const int status = std::system(command.c_str());
    CliResult result;
    if (status != -1 && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    result.out = dir.read("stdout");
    result.err = dir.read("stderr");
    return result;
}

}  // namespace penumbro
