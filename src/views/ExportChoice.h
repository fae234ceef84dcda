#pragma once
// What an export reads and where it proposes to write, decided once for the export
// window and the command line, and the export itself.

#include "views/Export.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace penumbro {

struct ExportRequest {
    std::optional<ExportFormat> format;  // none: the user has not chosen one
    std::string file;                    // the file the user chose
    // The window chooses a .mit file: the formats of single instants then read the
    // report of the same run beside it. The command line takes the file as given.
    bool reportBesideMeanValues = true;
};

// NoFormat leaves the rest of the choice unset; NoFile is the choice for an empty name.
enum class ExportChoiceError { None, NoFormat, NoFile };

struct ExportChoice {
    ExportChoiceError error = ExportChoiceError::None;
    ExportFormat format = ExportFormat::Text;
    std::string inPath;        // the file the writer reads
    std::string proposedName;  // the output's proposal, without directory
    bool needsProject = false;  // the exchange formats take the run's project
};

ExportChoice chooseExport(const ExportRequest& request);

// Exports as chosen to outPath and returns the files written. project is asked for
// only by the formats that need it. Throws InputError as exportFile and
// exportExchangeFile do.
std::vector<std::string> performExport(const ExportChoice& choice, const std::string& outPath,
                                       const std::function<ExchangeProject()>& project);

}  // namespace penumbro
