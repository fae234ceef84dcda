#pragma once
// The fast-run driver: compiles the project, optionally pre-computes the diffuse
// factors, visits every instant of the period and writes the report (.rep) and
// mean-value (.mit) files.
//
// Output files are written to temporary files beside their targets and renamed into
// place when the run ends (also when it was cancelled), so a failed run never leaves
// half-written files behind nor destroys the previous ones. A cancelled run first
// moves the previous files to NAME.rep.bak and NAME.mit.bak, so a cancel never costs
// the results of a complete run; a completed run leaves the backups alone.

#include "engine/Diffuse.h"
#include "engine/Model.h"
#include "engine/ShadingRaster.h"
#include "project/ErrorTexts.h"
#include "project/Language.h"
#include "project/ProjectText.h"
#include "formats/KonFile.h"

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <string>

namespace penumbro {

inline constexpr int kStepBufferSize = 1000;

// How an instant's shaded fraction is computed: counted pixels of the raster (the
// default; its outputs are the reference) or exact areas, which ignore the resolution
// fields. A choice of the run, not of the record: .kon files do not carry it.
enum class ShadingMethod { Raster, Exact };

struct RunSettings {
    std::string baseName;       // output names: baseName + ".rep" and baseName + ".mit"; "": none written
    bool decimalComma = false;  // "," instead of "." in the output files
    Language language = Language::German;  // of the refusal messages
    ShadingMethod method = ShadingMethod::Raster;
};

struct RunProgress {
    int day = 0;          // day number of the instant just computed
    int month = 0;        // simulated month (monthly mode) or month of the day
    long instants = 0;    // instants computed so far
};

// Hooks of the caller; all optional. They run on the driver's thread.
struct RunObserver {
    std::function<void(const RunProgress&)> progress;  // after every instant
    std::function<void(bool running)> diffuse;         // around the diffuse pre-computation
    // After a month's block (monthly mode), with the chart's data so far (monthlyMeans,
    // monthsShown, lastMonth of the result being built).
    std::function<void(int month, const struct RunResult& soFar)> monthCompleted;
    const std::atomic<bool>* cancel = nullptr;         // read between instants
    // While set, the run waits between instants (a question about cancelling is open).
    const std::atomic<bool>* pause = nullptr;
};

struct MonthStats {
    long instants = 0;      // recorded instants of the month
    long sunOnTarget = 0;   // of which the raster was computed
    double shadingSum = 0;  // sum of the shaded fractions of those
};

struct RunResult {
    bool cancelled = false;
    int firstDay = 0, lastDay = 0;  // day numbers of the first and the last instant computed
    long instants = 0;
    long sunOnTarget = 0;
    std::array<MonthStats, 12> months{};                     // by month of the instant
    std::array<std::array<double, 24>, 12> monthlyMeans{};   // the chart's data, percent 0..1
    std::array<bool, 12> monthsShown{};                      // months the chart shows: every one completed
    int lastMonth = 0;                                       // last completed month, 0: none
    std::optional<DiffuseAccumulators> diffuse;              // when computed
    std::array<std::optional<DiffuseFactors>, 12> diffuseFactors{};  // of the months written
    TSimParameter params;  // the record as the run used it: run mode and the project's site set
};

// Runs a fast run of the project text with the parameters p (the site of the project is
// copied into p, as compilation does). Throws InputError: for a text that does not
// compile (naming its line), for a field of p outside its range (naming the field,
// see simParameterProblem), for a run that cannot be computed (no target surface, a
// target without area, a counting step that samples no target pixel or, with exact
// areas, targets whose union has no area), and for an output
// file that cannot be written (naming the file).
RunResult Simulation(const Lines& text, const std::string& projectFile, TSimParameter& p,
                     const RunSettings& settings, const RunObserver& observer = {});

// Backups of a cancelled run: the files of the run before it, kept beside the new ones.
inline constexpr const char* kBackupSuffix = ".bak";

// After a cancelled run: the day it stopped after and the days its files hold
// ("Abgebrochen nach Tag 144: fenster.rep und fenster.mit enthalten Tag 1 bis 144.").
ErrorMessage cancelledRunNote(const std::string& baseName, const RunResult& result);
// Where the two files of a run went: their names and the full folder.
ErrorMessage runFilesNote(const std::string& baseName);

// The run mode of the record (its first field, saved in .kon files) as the main window's
// mode panels choose it: the online view clears the fast-run flag, the fast-run window
// sets it. Simulation sets it for the run it makes.
void selectRunMode(TSimParameter& p, bool fastRun);

// The checks a run makes before its first instant: compiles the text, copies the site
// into p and throws InputError when the run cannot be computed by the method. The
// raster's counting step is checked in the given drawing window: the fast run's
// resolution (and diffuse resolution) there, the online view's resolution in the
// middle third.
CompiledModel prepareRun(const Lines& text, const std::string& projectFile, TSimParameter& p,
                         Language language, ShadingMethod method = ShadingMethod::Raster,
                         DrawingWindowKind window = DrawingWindowKind::FastRun);

}  // namespace penumbro
