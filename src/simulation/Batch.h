#pragma once
// Batch runs: one fast run per target of a project file, with the output stems of the
// simulation list, on as many worker threads as asked. A run touches nothing but its
// own arguments and copies, so runs on different threads share no mutable state.

#include "project/ProjectText.h"
#include "simulation/Simulation.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace penumbro {

// One run: the project file, which of its "Target" lines it keeps (1-based), the
// target's name (project-text bytes) and the output stem (a file-system name).
struct BatchEntry {
    std::string file;
    int ordinal = 1;
    std::string target;
    std::string stem;
};

// Stem of the k-th target (k from 1) named `name` of the file `path`: the path without
// its extension, "_", k with at least two digits, "_", the name with every character
// other than a blank, "-", a digit, an ASCII letter or Ä Ö Ü ß ä ö ü replaced by "_".
std::string outputStem(const std::string& path, int k, const std::string& name);

// The entries of a file's text, one per "Target" line, named by the line before it; a
// file with exactly one target gets the plain stem (the path without its extension).
std::vector<BatchEntry> entriesOfText(const std::string& path, const Lines& text);
// The file read plainly (no conversion of older projects); throws InputError.
Lines readPlainText(const std::string& path);
// The text an entry's run sees: when it has more than one "Target" line, every one but
// the ordinal-th is removed.
Lines textForEntry(const Lines& text, int ordinal);

enum class EntryStatus { NotRun, Done, Cancelled, Failed };

struct EntryOutcome {
    EntryStatus status = EntryStatus::NotRun;
    std::string message;  // why it failed, naming the file (and line or field)
    ErrorMessage cancelNote;  // a cancelled run that kept its files: the days they hold
    long instants = 0;
};

// Runs one entry with the base name settings.baseName := entry.stem. Never throws for
// bad input: an unreadable file, a text that does not compile or an unwritable output
// come back as Failed. A cancelled run keeps the instants computed so far, unless
// discardCancelled: its outputs then go to scratch names first, so a cancelled run
// leaves the earlier files untouched and nothing else behind.
EntryOutcome runEntry(const BatchEntry& entry, const TSimParameter& p, RunSettings settings,
                      const RunObserver& observer = {}, bool discardCancelled = false);

// What the entries' workers are doing; passed to the watcher under a lock.
struct BatchStatus {
    int total = 0;
    int finished = 0;
    std::vector<int> running;  // indices of the entries in progress
};

// Runs the entries `jobs` at a time (at least 1) on worker threads; a cancelled run
// keeps what it computed and the earlier files as backups, as a single run does. Once *cancel is set no entry starts any more and the running ones stop.
// Outcomes in the order of the entries; the watcher sees every start and end.
std::vector<EntryOutcome> runEntries(const std::vector<BatchEntry>& entries, const TSimParameter& p,
                                     const RunSettings& settings, int jobs,
                                     const std::atomic<bool>* cancel = nullptr,
                                     const std::function<void(const BatchStatus&)>& watcher = {});

// Entries k, k + n, k + 2n, ... (1-based) of the list: one part of n, so that n
// independent processes share a list without talking to each other.
std::vector<BatchEntry> shardOf(const std::vector<BatchEntry>& entries, int k, int n);

}  // namespace penumbro
