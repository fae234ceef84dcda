#pragma once
// Export of a run's output into the tables of other simulation tools: the choice of
// format, the files' names and the parts that need the run's project. The tables
// themselves are written in formats/MeanValueExport (TEXT, TRNSYS, SUNCODE, SAM, from
// a .mit) and formats/ReportExport (ENERGYPLUS, HOURLY CSV, from a .rep).

#include "project/ProjectText.h"
#include "formats/MeanValueExport.h"

#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace penumbro {

enum class ExportFormat { Text, Trnsys, Suncode, Sam, EnergyPlus, HourlyCsv };

// The message boxes' texts.
inline constexpr const char* kExportDefectiveDe =
    "Datenexport abgebrochen, da Penumbro Ausgabedatei fehlerhaft!";
inline constexpr const char* kExportDefectiveEn = "Output file defective - Data export aborted!";
inline constexpr const char* kExportNoFormatDe =
    "Sie haben noch kein Format f\xFCr die Exportdatei gew\xE4hlt!";
inline constexpr const char* kExportNoFormatEn = "No format for data export chosen!";
inline constexpr const char* kExportErrorCaptionDe = "Fehler";
inline constexpr const char* kExportErrorCaptionEn = "Error";

// What a writer produced: the whole table, or nothing and the defect.
struct ExportResult {
    std::string bytes;
    std::optional<MitError> error;
};

// Reads the .mit text from mit and hands the table of a TEXT, TRNSYS or SUNCODE format
// to out as it is made (TRNSYS a day at a time, so memory stays bounded whatever the
// input). Returns the first defect; what out received before it is no table and must
// be thrown away.
std::optional<MitError> streamMeanValues(std::istream& mit, ExportFormat format, const ExportSink& out);

ExportResult exportText(const Lines& mit);
ExportResult exportTrnsys(const Lines& mit);
ExportResult exportSuncode(const Lines& mit);
ExportResult exportMeanValues(const Lines& mit, ExportFormat format);

// "txt", "trn", "sun", "sam.csv", "eplus.csv" or "hourly.csv".
const char* exportExtension(ExportFormat format);
// Parses "text", "trnsys", "suncode", "sam", "energyplus" or "hourly-csv" (any case).
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

// The shared entry of the command line and the export window for the TEXT, TRNSYS and
// SUNCODE tables: reads mitPath, exports it and writes outPath atomically. On a defect
// it throws InputError (ErrorId::ExportDefective) naming the .mit file and line and
// leaves outPath as it was; InputError naming the file when one cannot be read or
// written, or when outPath is mitPath under any spelling.
void exportFile(const std::string& mitPath, ExportFormat format, const std::string& outPath);

// --- Exchange formats -------------------------------------------------------------

// True for the formats that read a report file (.rep) instead of a .mit file.
bool exportReadsReport(ExportFormat format);
// True for the formats that need the run's project (all exchange formats).
bool exportNeedsProject(ExportFormat format);

// What the exchange formats take from the run besides its output file: the project
// (target name, site, target orientation) and the run's sky reduction factor k and
// number of elevation intervals (for the diffuse reference).
struct ExchangeProject {
    Lines text;
    std::string fileName;  // for messages
    double skyReduction = 1.0;
    int elevationIntervals = 10;
};

// The SAM table: 12 lines (January..December) of 24 comma-separated losses in percent
// with two decimals. Throws InputError naming the file for a defective or daily file
// and for months the file does not hold.
std::string samBeamTable(const Lines& mit, const std::string& mitName);
// The year's mean diffuse loss in percent ("12.34" and a line end), relative to the sky
// factor of the same target with nothing in front of it (no obstacles, no horizon line)
// under the same k and grid; nothing when the file has no diffuse lines.
std::optional<std::string> samDiffuseLoss(const Lines& mit, const std::string& mitName,
                                          const ExchangeProject& project);
// The sky factor of the project's last target with nothing in front of it.
double unobstructedSkyFactor(const ExchangeProject& project);

// Schedule:File:Shading CSV: "Surface Name,<first target>" (UTF-8) and one line per step,
// stamped at the end of the interval that the instant at its start stands for.
// Throws InputError naming the report and what is missing when the report does not
// cover days 1..365 at one step that divides 60 minutes.
std::string energyPlusShading(const Lines& rep, const std::string& repName, const ExchangeProject& project);
// Every instant with the sun's position at the project's site.
std::string hourlyCsv(const Lines& rep, const std::string& repName, const ExchangeProject& project);

// The shared entry of the command line and the export window for the exchange formats:
// reads inPath, writes outPath (and, for SAM with diffuse lines, the diffuse loss beside
// it) atomically and returns the files written. Throws InputError naming the file, and
// writes nothing, for a defect or when an output would replace inPath or the project.
std::vector<std::string> exportExchangeFile(const std::string& inPath, ExportFormat format,
                                            const std::string& outPath, const ExchangeProject& project);
// NAME_diffuse.txt beside a SAM table NAME.EXT.
std::string samDiffusePath(const std::string& tablePath);

}  // namespace penumbro
