#pragma once
// Export of a mean-value file (.mit) into the tables of other simulation tools:
//   TEXT    hours down, months across, two decimals (decimal comma kept from the input);
//   TRNSYS  one line per hour of the year: running hour, mean, 1 - mean [, diffuse pairs];
//   SUNCODE one integer per hour line: the unshaded share in thousandths.
// Export files end their lines with CR LF (except the last TEXT line, see below).

#include "project/ProjectText.h"
#include "views/MitReader.h"

#include <functional>
#include <optional>
#include <string>

namespace penumbro {

enum class ExportFormat { Text, Trnsys, Suncode };

// The message boxes' texts.
inline constexpr const char* kExportDefectiveDe =
    "Datenexport abgebrochen, da Penumbro Ausgabedatei fehlerhaft!";
inline constexpr const char* kExportDefectiveEn = "Output file defective - Data export aborted!";
inline constexpr const char* kExportNoFormatDe =
    "Sie haben noch kein Format f\xFCr die Exportdatei gew\xE4hlt!";
inline constexpr const char* kExportNoFormatEn = "No format for data export chosen!";
inline constexpr const char* kExportErrorCaptionDe = "Fehler";
inline constexpr const char* kExportErrorCaptionEn = "Error";

// What a writer produced. On a defect the TEXT export is empty, while TRNSYS and
// SUNCODE keep what they wrote before it (whole blocks for TRNSYS, lines for SUNCODE).
struct ExportResult {
    std::string bytes;
    std::optional<MitError> error;
};

ExportResult exportText(const Lines& mit);
ExportResult exportTrnsys(const Lines& mit);
ExportResult exportSuncode(const Lines& mit);
ExportResult exportMeanValues(const Lines& mit, ExportFormat format);

// "txt", "trn" or "sun".
const char* exportExtension(ExportFormat format);
// Parses "text", "trnsys" or "suncode" (any case).
std::optional<ExportFormat> exportFormatNamed(const std::string& name);

// The save dialog's proposal: the file part of the .mit name up to and including its
// first "." followed by the format's extension; a name without "." gives the bare
// extension. No directory.
std::string proposedExportName(const std::string& mitPath, ExportFormat format);
// The open dialog's proposal for a project file: the same rule with "mit"; empty when
// there is no project file name.
std::string proposedMitName(const std::string& projectFileName);
// The .mit file the export window starts with: base name + ".mit" when the project is
// named and that file exists, otherwise none.
std::optional<std::string> initialMitFile(const std::string& projectBaseName,
                                          const std::function<bool(const std::string&)>& exists);

// Reads mitPath, exports it and writes outPath atomically (also after a defect, with
// what the format keeps). Throws InputError naming the .mit file and line on a defect,
// and InputError naming the file when one cannot be read or written.
void exportFile(const std::string& mitPath, ExportFormat format, const std::string& outPath);

}  // namespace penumbro
