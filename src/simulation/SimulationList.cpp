#include "simulation/SimulationList.h"

#include "project/Numbers.h"

namespace penumbro {

namespace {
std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }
}  // namespace

bool isDitto(const std::string& fileCell) { return !fileCell.empty() && fileCell.back() == '"'; }

SimulationList::SimulationList() : rows_(kMaxSimulations) {}

SimulationList::AddResult SimulationList::add(const std::string& path, const Lines& text) {
    AddResult result;
    int r = 1;
    while (r <= kMaxSimulations && !row(r).target.empty()) ++r;
    if (r > kMaxSimulations) {
        result.full = true;
        return result;
    }
    const std::vector<BatchEntry> found = entriesOfText(path, text);
    row(r).file = path;
    for (std::size_t k = 0; k < found.size() && r + static_cast<int>(k) <= kMaxSimulations; ++k) {
        Row& cells = row(r + static_cast<int>(k));
        cells.target = found[k].target;
        cells.stem = found[k].stem;
        if (k > 0) cells.file = kDittoMark;
        ++result.added;
    }
    if (found.empty()) {
        row(r).file.clear();
        result.noTarget = true;
    }
    result.full = !row(kMaxSimulations).target.empty();
    return result;
}

bool SimulationList::remove(int number) {
    if (number < 1 || number > kMaxSimulations) return false;
    int file = 0;
    for (Row& cells : rows_) {
        if (!cells.file.empty() && !isDitto(cells.file)) ++file;
        if (file == number && !cells.file.empty()) cells = Row{};
    }
    // Close up: every row without a file moves out below the others.
    std::vector<Row> kept;
    for (Row& cells : rows_)
        if (!cells.file.empty()) kept.push_back(std::move(cells));
    kept.resize(rows_.size());
    rows_ = std::move(kept);
    return true;
}

void SimulationList::clear() { rows_.assign(kMaxSimulations, Row{}); }

void SimulationList::removeProcessedFiles(int filesDone) {
    for (int number = filesDone; number >= 1; --number) remove(number);
}

int SimulationList::filledRows() const {
    int n = 0;
    while (n < kMaxSimulations && !rows_[static_cast<std::size_t>(n)].file.empty()) ++n;
    return n;
}

Lines SimulationList::overview(Language language) const {
    const bool en = language == Language::English;
    Lines out;
    int file = 0;
    for (const Row& cells : rows_) {
        if (cells.file.empty()) continue;
        if (!isDitto(cells.file)) {
            if (file > 0) out.emplace_back();
            out.push_back(twoDigits(++file) + (en ? " - Data file:   " : " - Datendatei:   ") + cells.file);
            out.emplace_back();
        }
        out.push_back("     Target:       " + cells.target);
        out.push_back((en ? "     Output file:  " : "     Ausgabedatei: ") + cells.stem + ".mit (.rep)");
        out.emplace_back();
    }
    return out;
}

std::vector<BatchEntry> SimulationList::entries() const {
    std::vector<BatchEntry> out;
    std::string file;
    int ordinal = 1;
    for (int r = 1; r <= filledRows(); ++r) {
        const Row& cells = row(r);
        if (!isDitto(cells.file)) {
            file = cells.file;
            ordinal = 1;
        } else {
            ++ordinal;
        }
        out.push_back({file, ordinal, cells.target, cells.stem});
    }
    return out;
}

std::optional<int> fileNumberInput(const std::string& text) {
    const auto n = parseInteger(text);
    if (!n || *n < 1 || *n > kMaxSimulations) return std::nullopt;
    return static_cast<int>(*n);
}

ListRunResult Abarbeiten(SimulationList& list, const TSimParameter& p, const RunSettings& settings,
                         const ListRunHooks& hooks) {
    ListRunResult result;
    auto active = [&] { return !hooks.batchActive || hooks.batchActive(); };
    const std::vector<BatchEntry> entries = list.entries();
    const int n = static_cast<int>(entries.size());
    int filesDone = -1;
    for (int i = 1; i <= n && active(); ++i) {
        const BatchEntry& entry = entries[static_cast<std::size_t>(i - 1)];
        if (!isDitto(list.row(i).file)) ++filesDone;
        if (hooks.entryStarting) hooks.entryStarting(i, n, entry);
        result.outcomes.push_back(runEntry(entry, p, settings, hooks.observer));
        if (hooks.entryFinished) hooks.entryFinished(entry, result.outcomes.back());
    }
    result.aborted = !active();
    if (result.aborted)
        list.removeProcessedFiles(filesDone);
    else
        list.clear();
    return result;
}

}  // namespace penumbro
