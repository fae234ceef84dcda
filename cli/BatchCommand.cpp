// penumbro-cli batch: one fast run per target of every file, as the simulation list runs
// them, on worker threads, optionally one shard of the list for a cluster job array.

#include "Cli.h"
#include "EndingSignals.h"
#include "RunParameters.h"

#include "project/FileIo.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"
#include "simulation/Batch.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <thread>

#include <unistd.h>

namespace penumbro::cli {

namespace {

// A list file: one project path a line; empty lines and "#" lines are skipped, and a
// relative path is taken from the list's folder, so a list can be kept with its projects.
std::vector<std::string> listedFiles(const std::string& list) {
    std::vector<std::string> files;
    for (std::string line : readPlainText(list)) {
        // Blanks around a path are a slip of the editor, never part of the name.
        const auto blank = [](char c) { return c == ' ' || c == '\t'; };
        while (!line.empty() && blank(line.back())) line.pop_back();
        line.erase(0, static_cast<std::size_t>(std::find_if_not(line.begin(), line.end(), blank) - line.begin()));
        if (line.empty() || line[0] == '#') continue;
        files.push_back(line[0] == '/' ? line : directoryOf(list) + line);
    }
    return files;
}

// Every target of every file; a file that cannot be read or holds no target stays one
// entry, whose run then fails with the reason, so that every shard sees the same list.
std::vector<BatchEntry> entriesOf(const std::vector<std::string>& files) {
    std::vector<BatchEntry> entries;
    for (const std::string& file : files) {
        std::vector<BatchEntry> found;
        try {
            bool fromUtf8 = false;
            found = entriesOfText(file, readProjectLines(file, &fromUtf8));
            if (fromUtf8) printLoadNotes(file, {{}, false, true});
        } catch (const std::exception&) {
        }
        if (found.empty()) found.push_back({file, 1, "", withoutExtension(file)});
        entries.insert(entries.end(), found.begin(), found.end());
    }
    return entries;
}

struct Shard {
    int k = 1, n = 1;
};

Shard shardOption(const Options& opts) {
    if (!opts.has("shard")) return {};
    const std::string text = opts.value("shard");
    const auto slash = text.find('/');
    const auto k = slash == std::string::npos ? std::nullopt : parseInteger(text.substr(0, slash));
    const auto n = slash == std::string::npos ? std::nullopt : parseInteger(text.substr(slash + 1));
    if (!k || !n || *n < 1 || *k < 1 || *k > *n) throw UsageError{"--shard takes K/N with 1 <= K <= N"};
    return {static_cast<int>(*k), static_cast<int>(*n)};
}

int jobsOption(const Options& opts) {
    if (!opts.has("jobs")) return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const long long jobs = integerOption("jobs", opts.value("jobs"));
    if (jobs < 1 || jobs > 1024) throw UsageError{"--jobs takes 1..1024"};
    return static_cast<int>(jobs);
}

// One line on stderr: entries finished of all, and the entries running.
class ProgressLine {
public:
    ProgressLine(bool enabled, const std::vector<BatchEntry>& entries) : enabled_(enabled), entries_(entries) {}
    void show(const BatchStatus& s) {
        if (!enabled_) return;
        std::string line = "[" + std::to_string(s.finished) + "/" + std::to_string(s.total) + "]";
        for (const int i : s.running) line += " " + fileNameOf(entries_[static_cast<std::size_t>(i)].stem);
        if (line.size() > 79) line = line.substr(0, 76) + "...";
        std::cerr << "\r" << line << std::string(width_ > line.size() ? width_ - line.size() : 0, ' ')
                  << std::flush;
        width_ = line.size();
    }
    void finish() {
        if (enabled_ && width_ > 0) std::cerr << "\r" << std::string(width_, ' ') << "\r" << std::flush;
    }

private:
    bool enabled_;
    const std::vector<BatchEntry>& entries_;
    std::size_t width_ = 0;
};

}  // namespace

// Paths and stems are printed as the file system has them, target names as terminal text.
int runBatch(const Args& args) {
    const Options opts(args, {.values = {"kon", "list", "method", "jobs", "shard"},
                              .flags = {"comma"},
                              .repeatable = {"set"}});
    std::vector<std::string> files = opts.positional();
    if (opts.has("list")) {
        const auto listed = listedFiles(opts.value("list"));
        files.insert(files.end(), listed.begin(), listed.end());
    }
    if (files.empty()) throw UsageError{"expected project files or --list"};
    RunSettings settings;
    settings.method = shadingMethodOption(opts);
    settings.decimalComma = opts.has("comma");
    settings.language = Language::English;
    const TSimParameter params = runParameters(opts);
    const Shard shard = shardOption(opts);
    const int jobs = jobsOption(opts);

    const std::vector<BatchEntry> all = entriesOf(files);
    const std::vector<BatchEntry> entries = shardOf(all, shard.k, shard.n);
    ProgressLine progress(::isatty(2) != 0, entries);
    const EndingSignals endingSignals;
    const auto start = std::chrono::steady_clock::now();
    const std::vector<EntryOutcome> outcomes =
        runEntries(entries, params, settings, jobs, endingSignals.flag(), [&](const BatchStatus& s) { progress.show(s); });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    progress.finish();

    std::string out;
    int done = 0, failed = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const BatchEntry& e = entries[i];
        const EntryOutcome& o = outcomes[i];
        // Numbered within the whole list, so that the shards' summaries fit together.
        out += "entry " + std::to_string(static_cast<std::size_t>(shard.k) + i * static_cast<std::size_t>(shard.n)) +
               " of " + std::to_string(all.size()) + ": " + e.file;
        if (!e.target.empty()) out += " [" + toTerminal(e.target) + "]";
        switch (o.status) {
        case EntryStatus::Done:
            ++done;
            out += ": " + e.stem + ".rep, .mit (" + std::to_string(o.instants) + " instants)\n";
            break;
        case EntryStatus::Failed:
            ++failed;
            out += ": failed: " + toTerminal(o.message) + "\n";
            break;
        case EntryStatus::Cancelled:
            out += ": " + toTerminal(o.cancelNote.render(messageLanguage())) + "\n";
            break;
        case EntryStatus::NotRun:
            out += ": not run\n";
            break;
        }
    }
    out += "entries done: " + std::to_string(done) + " of " + std::to_string(entries.size());
    if (failed > 0) out += ", failed: " + std::to_string(failed);
    out += "\nwall time: " + formatFixed(seconds, 0, 3) + " s\n";
    std::cout << out;
    if (endingSignals.caught() != 0) return 128 + endingSignals.caught();
    return done == static_cast<int>(entries.size()) ? kExitOk : kExitInput;
}

}  // namespace penumbro::cli
