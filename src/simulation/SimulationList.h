#pragma once
// The simulation list: one fast run per target surface of one or more project files,
// all with one set of run parameters, each writing its own report and mean-value file.
//
// The list is a grid of 99 rows of three cells (file, target name, output stem) that the
// user may edit; every operation works on the cells as they stand. Paths and stems are
// file-system names; target names are project-text bytes.

#include "project/Language.h"
#include "project/ProjectText.h"
#include "simulation/Batch.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace penumbro {

inline constexpr int kMaxSimulations = 99;

// Column 0 of the second and further entries of one file: 20 blanks and a double quote.
inline const std::string kDittoMark = std::string(20, ' ') + '"';
// A cell that ends with a double quote belongs to the file above it.
bool isDitto(const std::string& fileCell);

class SimulationList {
public:
    struct Row {
        std::string file;    // path, or the ditto mark
        std::string target;  // the target's name
        std::string stem;    // outputs: stem + ".mit" and stem + ".rep"
    };
    struct AddResult {
        int added = 0;
        bool noTarget = false;  // the file holds no target: nothing added
        bool full = false;      // row 99 is filled (or was before): show the maximum message
    };

    SimulationList();

    // Rows 1..99; row 0 would be the grid's titles.
    const Row& row(int r) const { return rows_.at(static_cast<std::size_t>(r - 1)); }
    Row& row(int r) { return rows_.at(static_cast<std::size_t>(r - 1)); }

    // Adds the targets of the file path whose text is given from the first row with no
    // target name on, as far as row 99 reaches.
    AddResult add(const std::string& path, const Lines& text);
    // Clears the entries of file `number` (counted as the overview counts) and closes up
    // the rows. False for a number outside 1..99.
    bool remove(int number);
    void clear();
    // After an aborted run: removes the files 1..filesDone, which were processed whole.
    void removeProcessedFiles(int filesDone);

    // Filled rows from row 1 on (by their file cell): the entries a run processes.
    int filledRows() const;
    // The process button's condition: row 1 names a file.
    bool canProcess() const { return !rows_.front().file.empty(); }
    // The overview panel's lines, rebuilt from the cells; the labels in the language.
    Lines overview(Language language = Language::German) const;
    // The entries of the filled rows with the ditto marks resolved: each entry's file and
    // the ordinal of its target among the file's targets.
    std::vector<BatchEntry> entries() const;

private:
    std::vector<Row> rows_;
};

// The remove dialog's input: an integer 1..99, else nothing ("Invalid input!").
std::optional<int> fileNumberInput(const std::string& text);

// The hooks of a list run; all optional.
struct ListRunHooks {
    std::function<bool()> batchActive;  // the batch flag, read before every entry
    // Before entry i of n (1-based): the batch panel's text, the output labels.
    std::function<void(int i, int n, const BatchEntry& entry)> entryStarting;
    std::function<void(const BatchEntry& entry, const EntryOutcome& outcome)> entryFinished;
    RunObserver observer;  // handed to every run (progress, cancel)
};

struct ListRunResult {
    bool aborted = false;
    std::vector<EntryOutcome> outcomes;  // of the entries started, in order
};

// Runs the list's entries one after the other while the batch flag stays set. A file
// that cannot be read or run is reported in its outcome and the list goes on. Afterwards
// the list is cleared, or, when aborted, loses the files that were processed whole.
ListRunResult Abarbeiten(SimulationList& list, const TSimParameter& p, const RunSettings& settings,
                         const ListRunHooks& hooks = {});

}  // namespace penumbro
