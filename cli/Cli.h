#pragma once
// Shared pieces of the penumbro-cli sub-commands.

#include "project/Language.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace penumbro {
struct LoadedProject;
}

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

// "--" ends the options of every command: what follows is positional.
inline constexpr const char* kEndOfOptions = "--";

// What loading a project changed, once on stderr: a file of the previous version
// completed, a UTF-8 text converted.
void printLoadNotes(const std::string& path, const LoadedProject& project);

// True when args hold "--help" or "-h" before any "--".
bool wantsHelp(const Args& args);

// What a command takes besides its positional arguments. Options are "--name VALUE",
// "--name=VALUE" or flags "--name". The output option "out" is spelled "-o FILE",
// "--out FILE", "--out=FILE", "--output FILE" or "--output=FILE" in every command
// that takes it. Anything else is positional ("-12" stays a number), and so is
// everything after "--".
struct OptionSpec {
    std::vector<std::string> values = {};      // take a value, at most once each
    std::vector<std::string> flags = {};       // take no value
    std::vector<std::string> repeatable = {};  // take a value, may repeat (kept in order)
    bool restIsText = false;  // after the first positional argument everything is text as given
};

// The one option parser of the sub-commands; throws UsageError for an unknown option,
// a missing or unexpected value, or a value option given twice.
class Options {
public:
    Options(const Args& args, const OptionSpec& accepted);
    bool has(const std::string& name) const;
    std::string value(const std::string& name) const;  // "" when absent
    const std::vector<std::string>& values(const std::string& name) const;
    const std::vector<std::string>& positional() const { return positional_; }
    // The "out" option's file name, else fallback; an empty name is a UsageError.
    std::string outputPath(const std::string& fallback) const;

private:
    std::map<std::string, std::vector<std::string>> values_;
    std::vector<std::string> positional_;
};

// The language of error messages: German when the locale's language is German (LC_ALL
// over LC_MESSAGES over LANG), English otherwise.
Language messageLanguage();

// "--lang d|e": German (the default) or English texts; anything else is a UsageError.
Language languageOption(const Options& opts);

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
int runBatch(const Args& args);
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
int runIrradiation(const Args& args);
int runSunPath(const Args& args);
int runReport(const Args& args);
int runImport(const Args& args);
int runExportScene(const Args& args);

}  // namespace penumbro::cli
