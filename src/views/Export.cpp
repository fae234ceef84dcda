#include "views/Export.h"

#include "engine/Compiler.h"
#include "engine/Diffuse.h"
#include "engine/Sun.h"
#include "project/ProjectFile.h"
#include "formats/ReportExport.h"
#include "project/Calendar.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace penumbro {

std::optional<MitError> streamMeanValues(std::istream& mit, ExportFormat format, const ExportSink& out) {
    switch (format) {
        case ExportFormat::Text: return streamMeanValueTable(mit, MeanValueTable::Text, out);
        case ExportFormat::Trnsys: return streamMeanValueTable(mit, MeanValueTable::Trnsys, out);
        case ExportFormat::Suncode: return streamMeanValueTable(mit, MeanValueTable::Suncode, out);
        case ExportFormat::Sam:
        case ExportFormat::EnergyPlus:
        case ExportFormat::HourlyCsv: break;
    }
    return MitError{0, "not a mean-value table format"};
}

ExportResult exportMeanValues(const Lines& mit, ExportFormat format) {
    std::istringstream in(joinLines(mit));
    ExportResult result;
    result.error = streamMeanValues(in, format, [&result](std::string_view part) { result.bytes += part; });
    if (result.error) result.bytes.clear();
    return result;
}

ExportResult exportText(const Lines& mit) { return exportMeanValues(mit, ExportFormat::Text); }
ExportResult exportTrnsys(const Lines& mit) { return exportMeanValues(mit, ExportFormat::Trnsys); }
ExportResult exportSuncode(const Lines& mit) { return exportMeanValues(mit, ExportFormat::Suncode); }

const char* exportExtension(ExportFormat format) {
    switch (format) {
        case ExportFormat::Text: return "txt";
        case ExportFormat::Trnsys: return "trn";
        case ExportFormat::Suncode: return "sun";
        case ExportFormat::Sam: return "sam.csv";
        case ExportFormat::EnergyPlus: return "eplus.csv";
        case ExportFormat::HourlyCsv: return "hourly.csv";
    }
    return "";
}

std::optional<ExportFormat> exportFormatNamed(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "text") return ExportFormat::Text;
    if (lower == "trnsys") return ExportFormat::Trnsys;
    if (lower == "suncode") return ExportFormat::Suncode;
    if (lower == "sam") return ExportFormat::Sam;
    if (lower == "energyplus") return ExportFormat::EnergyPlus;
    if (lower == "hourly-csv") return ExportFormat::HourlyCsv;
    return std::nullopt;
}

namespace {
std::string withFirstDotExtension(const std::string& path, const std::string& extension) {
    const std::string name = fileNameOf(path);
    const auto dot = name.find('.');
    if (dot == std::string::npos) return extension;
    return name.substr(0, dot + 1) + extension;
}
}  // namespace

std::string proposedExportName(const std::string& mitPath, ExportFormat format) {
    return withFirstDotExtension(mitPath, exportExtension(format));
}

std::string proposedMitName(const std::string& projectFileName) {
    if (projectFileName.empty()) return {};
    return withFirstDotExtension(projectFileName, "mit");
}

std::optional<std::string> initialMitFile(const std::string& projectBaseName,
                                          const std::function<bool(const std::string&)>& exists) {
    if (projectBaseName == kUnnamedBase) return std::nullopt;
    const std::string name = projectBaseName + ".mit";
    if (!exists(name)) return std::nullopt;
    return name;
}

namespace {

// An export may not replace a file it reads, whatever spelling names it.
void refuseOverwritingInput(const std::string& outPath, const std::string& inPath) {
    std::error_code ec;
    if (std::filesystem::equivalent(outPath, inPath, ec)) {
        throw InputError(outPath, 0, {ErrorId::ExportOutputIsInput, {inPath}});
    }
}

std::ifstream openForReading(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw InputError(path, 0, {ErrorId::ReadDirectory, {}});
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError(path, 0, {ErrorId::CannotOpen, {std::strerror(errno)}});
    return in;
}

}  // namespace

void exportFile(const std::string& mitPath, ExportFormat format, const std::string& outPath) {
    refuseOverwritingInput(outPath, mitPath);
    std::ifstream in = openForReading(mitPath);
    // The temporary file is opened with the first piece; after a defect it goes away and
    // an earlier output stays as it was.
    std::optional<AtomicFileWriter> out;
    const std::optional<MitError> error = streamMeanValues(in, format, [&](std::string_view part) {
        if (!out) out.emplace(outPath);
        out->write(part);
    });
    if (in.bad()) throw InputError(mitPath, 0, {ErrorId::CannotRead, {}});
    if (error) throw InputError(mitPath, error->line, {ErrorId::ExportDefective, {error->reason}});
    if (!out) out.emplace(outPath);
    out->commit();
}

// --- Exchange formats -------------------------------------------------------------

namespace {

CompiledModel parsedProject(const ExchangeProject& project) {
    return parseProject(project.text, project.fileName);
}

const TFlaeche& targetOf(const CompiledModel& model, const ExchangeProject& project, bool last) {
    const TFlaeche* found = nullptr;
    for (const TFlaeche& s : model.flaechen) {
        if (!s.istTarget) continue;
        found = &s;
        if (!last) break;
    }
    if (!found) throw InputError(project.fileName, 0, ErrorId::NoTargetSurface);
    return *found;
}

}  // namespace

bool exportReadsReport(ExportFormat format) {
    return format == ExportFormat::EnergyPlus || format == ExportFormat::HourlyCsv;
}

bool exportNeedsProject(ExportFormat format) {
    return format == ExportFormat::Sam || exportReadsReport(format);
}

double unobstructedSkyFactor(const ExchangeProject& project) {
    const CompiledModel model = parsedProject(project);
    const TFlaeche& target = targetOf(model, project, true);
    // Every grid direction sees open sky (no obstacle, no horizon line), as in a run
    // of the bare target.
    const DiffuseGrid grid = makeDiffuseGrid(project.elevationIntervals);
    DiffuseAccumulators acc;
    for (double a : grid.azimuth) {
        for (double eps : grid.elevation) {
            addShares(acc, {1.0, 0.0, 0.0}, gridDirection(a, eps, target.alpha, target.beta), {});
        }
    }
    const auto factors = diffuseFactors(acc, 0, 0, project.skyReduction, 0.0);
    return factors ? factors->sky : 0.0;
}

namespace {

std::optional<std::string> samDiffuse(const std::array<const MitBlock*, 12>& months, const ExchangeProject& project) {
    if (!samHasDiffuse(months)) return std::nullopt;
    const double reference = unobstructedSkyFactor(project);
    if (!(reference > 0.0)) {
        throw InputError(project.fileName, 0, ErrorId::TargetSeesNoSky);
    }
    return samDiffuseLoss(months, reference);
}

}  // namespace

std::string samBeamTable(const Lines& mit, const std::string& mitName) {
    const MeanValueFile file = readMitBlocks(mit);
    return samBeamTable(samMonths(file, mitName));
}

std::optional<std::string> samDiffuseLoss(const Lines& mit, const std::string& mitName,
                                          const ExchangeProject& project) {
    const MeanValueFile file = readMitBlocks(mit);
    return samDiffuse(samMonths(file, mitName), project);
}

std::string energyPlusShading(const Lines& rep, const std::string& repName, const ExchangeProject& project) {
    const ReportFile report = readReport(rep, repName);
    const int step = energyPlusStep(report, repName);
    const std::string target(trimBlanks(targetOf(parsedProject(project), project, false).name));
    return energyPlusSchedule(report, step, repName, static_cast<int>(rep.size()) + 1, target);
}

std::string hourlyCsv(const Lines& rep, const std::string& repName, const ExchangeProject& project) {
    const ReportFile report = readReport(rep, repName);
    const Site site = parsedProject(project).site;
    std::vector<SunAngles> sun;
    sun.reserve(report.entries.size());
    for (const TSchrittEintrag& e : report.entries) {
        const float clock = static_cast<float>(e.minute) / 60.0f + static_cast<float>(e.hour);
        const SunPosition p =
            Sonnenstand(kSimulationYear, e.day, clock, site.latitude, site.longitude, site.correction);
        sun.push_back({p.azimuth, p.elevation});
    }
    return hourlyCsvTable(report, sun);
}

std::string samDiffusePath(const std::string& tablePath) {
    return withoutExtension(tablePath) + "_diffuse.txt";
}

std::vector<std::string> exportExchangeFile(const std::string& inPath, ExportFormat format,
                                            const std::string& outPath, const ExchangeProject& project) {
    std::vector<std::pair<std::string, std::string>> files;
    const auto refuseInputs = [&](const std::string& path) {
        refuseOverwritingInput(path, inPath);
        refuseOverwritingInput(path, project.fileName);
    };
    switch (format) {
        case ExportFormat::Sam: {
            refuseInputs(outPath);
            refuseInputs(samDiffusePath(outPath));
            std::ifstream in = openForReading(inPath);
            const MeanValueFile content = readMitBlocks(in);
            const auto months = samMonths(content, inPath);
            if (in.bad()) throw InputError(inPath, 0, {ErrorId::CannotRead, {}});
            files.emplace_back(outPath, samBeamTable(months));
            if (auto diffuse = samDiffuse(months, project)) {
                files.emplace_back(samDiffusePath(outPath), *diffuse);
            }
            break;
        }
        case ExportFormat::EnergyPlus:
        case ExportFormat::HourlyCsv: {
            refuseInputs(outPath);
            const Lines in = splitLines(readFileBytes(inPath));
            files.emplace_back(outPath, format == ExportFormat::EnergyPlus ? energyPlusShading(in, inPath, project)
                                                                           : hourlyCsv(in, inPath, project));
            break;
        }
        case ExportFormat::Text:
        case ExportFormat::Trnsys:
        case ExportFormat::Suncode: throw InputError(inPath, 0, ErrorId::NotExchangeFormat);
    }
    // Everything is computed before the first file is replaced.
    std::vector<std::string> written;
    for (const auto& [path, bytes] : files) {
        writeFileAtomically(path, bytes);
        written.push_back(path);
    }
    return written;
}

}  // namespace penumbro
