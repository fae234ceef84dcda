// penumbro-cli export: a mean-value file as a TEXT, TRNSYS or SUNCODE table.

#include "Cli.h"

#include "project/InputError.h"
#include "views/Export.h"

#include <iostream>

namespace penumbro::cli {

int runExport(const Args& args) {
    const Options options(args, {.values = {"format", "out"}});
    if (options.positional().size() != 1) throw UsageError{"expected one .mit file"};
    if (!options.has("format")) throw UsageError{"--format is missing (text, trnsys or suncode)"};
    const auto format = exportFormatNamed(options.value("format"));
    if (!format) throw UsageError{"--format: unknown format " + options.value("format")};

    const std::string& mitPath = options.positional().front();
    // Like the save dialog: the proposal has no directory, so it lands in the
    // current directory.
    const std::string outPath = options.outputPath(proposedExportName(mitPath, *format));
    try {
        exportFile(mitPath, *format, outPath);
    } catch (const InputError& e) {
        // Paths come as UTF-8 arguments; messages are printed as project-file text.
        throw InputError(fromArgument(e.file()), e.line(), e.message());
    }
    std::cout << outPath << "\n";
    return kExitOk;
}

}  // namespace penumbro::cli
