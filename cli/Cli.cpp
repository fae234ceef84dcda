#include "Cli.h"

#include "project/Encoding.h"
#include "project/ErrorTexts.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"
#include "project/ProjectFormat.h"
#include "project/SharedTexts.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string_view>

namespace penumbro::cli {

namespace {
bool terminalIsUtf8() {
    static const bool utf8 = [] {
        for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
            const char* v = std::getenv(var);
            if (v && *v) {
                std::string s(v);
                std::transform(s.begin(), s.end(), s.begin(), ::tolower);
                return s.find("utf-8") != std::string::npos || s.find("utf8") != std::string::npos;
            }
        }
        // No locale set: modern terminals speak UTF-8.
        return true;
    }();
    return utf8;
}
}  // namespace

std::string toTerminal(const std::string& bytes) {
    return terminalIsUtf8() ? cp1252ToUtf8(bytes) : bytes;
}

std::string fromArgument(const std::string& utf8) { return utf8ToCp1252(utf8); }

void printLoadNotes(const std::string& path, const LoadedProject& project) {
    // A text that is no project at all is no file of the previous version either.
    if (project.converted && scanProject(project.lines).errorDetail.id != ErrorId::NotAProject)
        std::cerr << toTerminal(path) << ": " << kPreviousVersionNote << "\n";
    if (project.fromUtf8)
        std::cerr << toTerminal(path + ": " + ErrorMessage(ErrorId::ProjectTextUtf8).render(messageLanguage())) << "\n";
}

bool wantsHelp(const Args& args) {
    const auto end = std::find(args.begin(), args.end(), kEndOfOptions);
    return std::any_of(args.begin(), end, [](const std::string& a) { return a == "--help" || a == "-h"; });
}

namespace {
// The output option and its long alias; "-o" is its short spelling. Every command
// that writes a file takes all of them.
constexpr const char* kOutName = "out";
bool isOutSpelling(const std::string& name) { return name == kOutName || name == "output"; }
}  // namespace

Options::Options(const Args& args, const OptionSpec& accepted) {
    auto contains = [](const std::vector<std::string>& v, const std::string& s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    };
    const bool takesOut = contains(accepted.values, kOutName);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == kEndOfOptions) {
            // Everything after it is positional, so a file may be called "-x.dat" or "--y".
            positional_.insert(positional_.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        if (accepted.restIsText && !positional_.empty()) {
            positional_.push_back(a);
            continue;
        }
        std::string name;
        std::string val;
        bool hasInline = false;
        if (takesOut && a == "-o") {
            name = kOutName;
        } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            name = a.substr(2);
            if (auto eq = name.find('='); eq != std::string::npos) {
                val = name.substr(eq + 1);
                name = name.substr(0, eq);
                hasInline = true;
            }
            if (takesOut && isOutSpelling(name)) name = kOutName;
        } else {
            positional_.push_back(a);
            continue;
        }
        if (contains(accepted.flags, name)) {
            if (hasInline) throw UsageError{"option --" + name + " takes no value"};
            values_[name].push_back("");
        } else if (contains(accepted.values, name) || contains(accepted.repeatable, name)) {
            if (!hasInline) {
                if (i + 1 >= args.size()) throw UsageError{"option --" + name + " needs a value"};
                val = args[++i];
            }
            if (!contains(accepted.repeatable, name) && values_.count(name))
                throw UsageError{"option --" + name + " given twice"};
            values_[name].push_back(val);
        } else {
            throw UsageError{"unknown option " + a};
        }
    }
}

std::string Options::outputPath(const std::string& fallback) const {
    if (!has(kOutName)) return fallback;
    if (value(kOutName).empty()) throw UsageError{"-o/--out: empty file name"};
    return value(kOutName);
}

bool Options::has(const std::string& name) const { return values_.count(name) != 0; }

std::string Options::value(const std::string& name) const {
    auto it = values_.find(name);
    return it == values_.end() ? std::string() : it->second.front();
}

const std::vector<std::string>& Options::values(const std::string& name) const {
    static const std::vector<std::string> none;
    auto it = values_.find(name);
    return it == values_.end() ? none : it->second;
}

Language languageOption(const Options& opts) {
    const std::string code = opts.has("lang") ? opts.value("lang") : "d";
    if (code != "d" && code != "e") throw UsageError{"--lang takes d or e"};
    return code == "e" ? Language::English : Language::German;
}

double numberOption(const std::string& name, const std::string& text) {
    auto v = parseNumber(text);
    if (!v) throw UsageError{"--" + name + ": not a number: " + text};
    return *v;
}

long long integerOption(const std::string& name, const std::string& text) {
    auto v = parseInteger(text);
    if (!v) throw UsageError{"--" + name + ": not an integer: " + text};
    return *v;
}

std::string programDirectory() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return exe.parent_path().string() + "/";
}

Language messageLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return std::strncmp(value, "de", 2) == 0 ? Language::German : Language::English;
    }
    return Language::English;
}

}  // namespace penumbro::cli
