#pragma once
// Runs the built penumbro-cli through the shell; args are appended as they stand
// (quote paths with cliQuote).

#include "support/TempDir.h"

#include <cstdlib>
#include <string>

#include <sys/wait.h>

namespace penumbro {

struct CliResult {
    int exitCode = -1;     // -1 when the program did not exit normally
    std::string out, err;  // raw bytes
};

// Single-quotes text for the shell.
inline std::string cliQuote(const std::string& text) {
    std::string q = "'";
    for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline CliResult runCli(const std::string& args) {
    const testing::TempDir dir("cli-run");
    const std::string command = cliQuote(PENUMBRO_CLI) + " " + args + " >" + cliQuote(dir.path("stdout")) +
                                " 2>" + cliQuote(dir.path("stderr")) + " </dev/null";
    const int status = std::system(command.c_str());
    CliResult result;
    if (status != -1 && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    result.out = dir.read("stdout"), result.err = dir.read("stderr");
    return result;
}

}  // namespace penumbro
