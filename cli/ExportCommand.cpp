// penumbro-cli export: a mean-value file as a TEXT, TRNSYS or SUNCODE table, or a run's
// output in the exchange formats SAM, EnergyPlus and hourly CSV.

#include "Cli.h"
#include "EndingSignals.h"
#include "RunParameters.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"
#include "views/Export.h"
#include "views/ExportChoice.h"

#include <iostream>

namespace penumbro::cli {

namespace {

// The run's project: --project, else the output's base name with ".dat" (the run
// names its files after the project). k and the grid come from --kon / --set.
ExchangeProject exchangeProject(const Options& options, const std::string& inPath) {
    const std::string path =
        options.has("project") ? options.value("project") : withoutExtension(inPath) + ".dat";
    if (!options.has("project") && !fileExists(path)) {
        throw UsageError{"--project is missing and " + path + " does not exist (the export needs the run's project)"};
    }
    const TSimParameter p = runParameters(options);
    const LoadedProject project = loadProjectFile(path);
    printLoadNotes(path, project);
    return {project.lines, path, p.skyReduction, static_cast<int>(p.elevationIntervals)};
}

}  // namespace

int runExport(const Args& args) {
    const Options options(args, {.values = {"format", "out", "project", "kon"}, .repeatable = {"set"}});
    if (options.positional().size() != 1) throw UsageError{"expected one .mit or .rep file"};
    if (!options.has("format")) throw UsageError{"--format is missing (text, trnsys, suncode, sam, energyplus or hourly-csv)"};
    const auto format = exportFormatNamed(options.value("format"));
    if (!format) throw UsageError{"--format: unknown format " + options.value("format")};

    // The file is taken as given, whatever the format reads.
    const ExportChoice choice = chooseExport({format, options.positional().front(), false});
    // Like the save dialog: the proposal has no directory, so it lands in the
    // current directory.
    const std::string outPath = options.outputPath(choice.proposedName);
    return withEndingSignals([&](const EndingSignals& signals) {
        std::vector<std::string> written;
        try {
            written = performExport(choice, outPath, [&] { return exchangeProject(options, choice.inPath); });
        } catch (const InputError& e) {
            // Paths come as UTF-8 arguments; messages are printed as project-file text.
            throw InputError(fromArgument(e.file()), e.line(), e.detail());
        }
        signals.check();
        for (const std::string& w : written) std::cout << w << "\n";
        return kExitOk;
    });
}

}  // namespace penumbro::cli
