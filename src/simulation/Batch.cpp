#include "simulation/Batch.h"

#include "project/Encoding.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"
#include "project/ProjectFormat.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <random>
#include <thread>

namespace penumbro {

namespace {

bool keptInStem(unsigned char c) {
    if (c == ' ' || c == '-' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return true;
    // Ä Ö Ü ß ä ö ü in the project text's single-byte encoding.
    return c == 0xC4 || c == 0xD6 || c == 0xDC || c == 0xDF || c == 0xE4 || c == 0xF6 || c == 0xFC;
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    if (from.empty()) return;
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

void removeQuietly(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

}  // namespace

std::string outputStem(const std::string& path, int k, const std::string& name) {
    std::string kept = name;
    for (char& c : kept)
        if (!keptInStem(static_cast<unsigned char>(c))) c = '_';
    // The umlauts become the file system's characters.
    return withoutExtension(path) + "_" + (k < 10 ? "0" : "") + std::to_string(k) + "_" + cp1252ToUtf8(kept);
}

std::vector<BatchEntry> entriesOfText(const std::string& path, const Lines& text) {
    std::vector<BatchEntry> entries;
    const auto targets = targetKeywordLines(text);
    for (std::size_t k = 0; k < targets.size(); ++k) {
        const int ordinal = static_cast<int>(k) + 1;
        const std::string name = targets[k] > 0 ? text[targets[k] - 1] : std::string();
        entries.push_back({path, ordinal, name, outputStem(path, ordinal, name)});
    }
    if (entries.size() == 1) entries.front().stem = withoutExtension(path);
    return entries;
}

Lines readPlainText(const std::string& path) { return splitLines(readFileBytes(path)); }

Lines textForEntry(const Lines& text, int ordinal) {
    const auto targets = targetKeywordLines(text);
    if (targets.size() <= 1) return text;
    Lines kept;
    kept.reserve(text.size());
    std::size_t t = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (t < targets.size() && targets[t] == i) {
            if (static_cast<int>(++t) != ordinal) continue;
        }
        kept.push_back(text[i]);
    }
    return kept;
}

EntryOutcome runEntry(const BatchEntry& entry, const TSimParameter& p, RunSettings settings,
                      const RunObserver& observer, bool discardCancelled) {
    EntryOutcome outcome;
    std::string scratch;
    if (discardCancelled) {
        // Short, so that a stem as long as a file name may be still gets its scratch files.
        std::random_device rd;
        scratch = directoryOf(entry.stem) + kTemporaryPrefix + std::to_string(100000 + rd() % 900000);
    }
    settings.baseName = discardCancelled ? scratch : entry.stem;
    try {
        const Lines text = textForEntry(readProjectLines(entry.file), entry.ordinal);
        TSimParameter params = p;
        const RunResult r = Simulation(text, entry.file, params, settings, observer);
        outcome.instants = r.instants;
        outcome.status = r.cancelled ? EntryStatus::Cancelled : EntryStatus::Done;
        if (r.cancelled && !discardCancelled) outcome.cancelNote = cancelledRunNote(entry.stem, r);
        if (discardCancelled) {
            for (const char* ext : {".rep", ".mit"}) {
                const std::string from = scratch + ext;
                if (r.cancelled) {
                    removeQuietly(from);
                } else if (std::rename(from.c_str(), (entry.stem + ext).c_str()) != 0) {
                    throw InputError(entry.stem + ext, 0, {ErrorId::CannotWriteFile, {}});
                }
            }
        }
    } catch (const std::exception& e) {
        outcome.status = EntryStatus::Failed;
        outcome.message = e.what();
        if (discardCancelled) {
            replaceAll(outcome.message, scratch, entry.stem);
            removeQuietly(scratch + ".rep");
            removeQuietly(scratch + ".mit");
        }
    }
    return outcome;
}

std::vector<EntryOutcome> runEntries(const std::vector<BatchEntry>& entries, const TSimParameter& p,
                                     const RunSettings& settings, int jobs, const std::atomic<bool>* cancel,
                                     const std::function<void(const BatchStatus&)>& watcher) {
    std::vector<EntryOutcome> outcomes(entries.size());
    std::mutex lock;
    BatchStatus status;
    status.total = static_cast<int>(entries.size());
    std::size_t next = 0;
    RunObserver observer;
    observer.cancel = cancel;
    auto worker = [&] {
        for (;;) {
            std::size_t index = 0;
            {
                const std::lock_guard<std::mutex> hold(lock);
                if (next >= entries.size() || (cancel && cancel->load())) return;
                index = next++;
                status.running.push_back(static_cast<int>(index));
                if (watcher) watcher(status);
            }
            EntryOutcome outcome = runEntry(entries[index], p, settings, observer);
            const std::lock_guard<std::mutex> hold(lock);
            outcomes[index] = std::move(outcome);
            std::erase(status.running, static_cast<int>(index));
            ++status.finished;
            if (watcher) watcher(status);
        }
    };
    const std::size_t threads = std::min<std::size_t>(static_cast<std::size_t>(std::max(1, jobs)), entries.size());
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (auto& t : pool) t.join();
    return outcomes;
}

std::vector<BatchEntry> shardOf(const std::vector<BatchEntry>& entries, int k, int n) {
    std::vector<BatchEntry> part;
    if (n < 1 || k < 1) return part;
    for (std::size_t i = static_cast<std::size_t>(k - 1); i < entries.size(); i += static_cast<std::size_t>(n))
        part.push_back(entries[i]);
    return part;
}

}  // namespace penumbro
