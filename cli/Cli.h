#pragma once
// Shared pieces of the penumbro-cli sub-commands.

#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace penumbro::cli {

// Exit codes: 0 done, 1 input error (file, line or field named on stderr), 2 usage error.
inline constexpr int kExitOk = 0;
inline constexpr int kExitInput = 1;
inline constexpr int kExitUsage = 2;

using Args = std::vector<std::string>;  // arguments after the sub-command, UTF-8

struct Command {
    const char* name;
    const char* summary;  // one line for the overview
    const char* usage;    // full usage text, printed by --help and on usage errors
    std::function<int(const Args&)> run;
};

// Thrown by a command for a malformed command line; main prints the usage and exits 2.
struct UsageError {
    std::string message;
};

// Project-file bytes (Windows-1252) as text for the terminal: UTF-8 when the
// terminal's locale is UTF-8, the bytes unchanged otherwise.
std::string toTerminal(const std::string& bytes);
// A UTF-8 command-line argument as project-file bytes.
std::string fromArgument(const std::string& utf8);

// True when args hold "--help" or "-h".
bool wantsHelp(const Args& args);

// Simple option reader: options "--name value" or "--name=value", and flags.
class Options {
public:
    // valueOptions: names (without "--") that take a value; flags: names that do not;
    // repeatable: value options that may be given more than once (kept in order).
    Options(const Args& args, const std::vector<std::string>& valueOptions,
            const std::vector<std::string>& flags = {},
            const std::vector<std::string>& repeatable = {});
    bool has(const std::string& name) const;
    std::string value(const std::string& name) const;  // "" when absent
    const std::vector<std::string>& values(const std::string& name) const;
    const std::vector<std::string>& positional() const { return positional_; }

private:
    std::map<std::string, std::vector<std::string>> values_;
    std::vector<std::string> positional_;
};

// Parses a number given for an option; throws UsageError naming the option.
double numberOption(const std::string& name, const std::string& text);
long long integerOption(const std::string& name, const std::string& text);

// The directory of the running program (with trailing '/').
std::string programDirectory();

// Sub-commands; each lives in its own file.
int runSun(const Args& args);
int runCompile(const Args& args);
int runKon(const Args& args);
int runRun(const Args& args);
int runInstant(const Args& args);
int runExport(const Args& args);
int runVrml(const Args& args);
int runNew(const Args& args);
int runList(const Args& args);
int runDelete(const Args& args);
int runSite(const Args& args);
int runReflectance(const Args& args);
int runHorizon(const Args& args);
int runComment(const Args& args);
int runAdd(const Args& args);
int runChange(const Args& args);

}  // namespace penumbro::cli
