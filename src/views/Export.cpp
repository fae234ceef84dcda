#include "views/Export.h"

#include "project/Encoding.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"
#include "project/Calendar.h"
#include "engine/Compiler.h"
#include "engine/Diffuse.h"
#include "engine/Sun.h"
#include "simulation/ReportReader.h"

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

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr std::array<int, 12> kDaysPerMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// A value with two decimals in at least three characters ("0.25", "1.00").
std::string twoDecimals(double v, bool comma = false) { return formatFixed(v, 3, 2, comma); }

// One row of the TEXT table: a value and a blank per month, five blanks for a month
// the file did not hold.
template <typename ValueOf>
std::string textColumns(const std::array<const MitBlock*, 12>& months, bool comma, ValueOf valueOf) {
    std::string row;
    for (const MitBlock* block : months) {
        row += block ? twoDecimals(valueOf(*block), comma) + " " : std::string(5, ' ');
    }
    return row;
}

}  // namespace

namespace {

// The TEXT table needs every month before its first row.
void writeText(MitBlockReader& reader, const ExportSink& out) {
    // Months follow each other without repeating, one block per column.
    std::array<std::optional<MitBlock>, 12> months{};
    std::optional<MitBlock> last;
    while (std::optional<MitBlock> b = reader.next()) {
        months[static_cast<std::size_t>(b->month - 1)] = *b;
        last = std::move(b);
    }
    if (reader.error()) return;
    std::array<const MitBlock*, 12> present{};
    for (std::size_t m = 0; m < 12; ++m) present[m] = months[m] ? &*months[m] : nullptr;
    const bool comma = reader.decimalComma();

    std::string table;
    if (last->monthly) {
        table += "       Jan  Feb  Mrz  Apr  Mai  Jun  Jul  Aug  Sep  Okt  Nov  Dez ";
        table += kCrLf;
    }
    for (std::size_t h = 0; h < 24; ++h) {
        table += formatInt(static_cast<long long>(h), 6) + " ";
        table += textColumns(present, comma, [h](const MitBlock& b) { return b.means[h]; });
        table += kCrLf;
    }
    if (last->hasDiffuse) {
        table += "View_s " + textColumns(present, comma, [](const MitBlock& b) { return b.sky; });
        table += kCrLf;
        // The table's last line has no line end.
        table += "View_g " + textColumns(present, comma, [](const MitBlock& b) { return b.ground; });
    }
    out(table);
}

// One block at a time: the table of a year never sits in memory whole.
void writeTrnsys(MitBlockReader& reader, const ExportSink& out) {
    while (std::optional<MitBlock> block = reader.next()) {
        const MitBlock& b = *block;
        std::string part;
        if (!b.monthly) {
            for (double v : b.means) part += twoDecimals(v) + "  " + twoDecimals(1.0 - v) + kCrLf;
            out(part);
            continue;
        }
        int daysBefore = 0;
        for (int m = 1; m < b.month; ++m) daysBefore += kDaysPerMonth[static_cast<std::size_t>(m - 1)];
        long long hourNo = 1 + 24LL * daysBefore;
        std::string diffuse;
        if (b.hasDiffuse) {
            diffuse = "  " + twoDecimals(b.sky) + "  " + twoDecimals(1.0 - b.sky) + "  " +
                      twoDecimals(b.ground) + "  " + twoDecimals(1.0 - b.ground);
        }
        // Every day of the month repeats the month's hourly means.
        std::array<std::string, 24> rows;
        for (std::size_t h = 0; h < 24; ++h) {
            rows[h] = "  " + twoDecimals(b.means[h]) + "  " + twoDecimals(1.0 - b.means[h]) + diffuse + kCrLf;
        }
        const int days = kDaysPerMonth[static_cast<std::size_t>(b.month - 1)];
        for (int day = 0; day < days; ++day) {
            part.clear();
            for (const std::string& row : rows) part += formatInt(hourNo++, 4) + row;
            out(part);
        }
    }
}

void writeSuncode(MitBlockReader& reader, const ExportSink& out) {
    while (std::optional<MitBlock> b = reader.next()) {
        std::string part;
        for (double v : b->means) {
            const double unshaded = std::nearbyint((1.0 - v) * 1000.0);
            part += formatInt(static_cast<long long>(unshaded), 4) + kCrLf;
        }
        out(part);
    }
}

}  // namespace

std::optional<MitError> streamMeanValues(std::istream& mit, ExportFormat format, const ExportSink& out) {
    MitBlockReader reader(mit);
    switch (format) {
        case ExportFormat::Text: writeText(reader, out); break;
        case ExportFormat::Trnsys: writeTrnsys(reader, out); break;
        case ExportFormat::Suncode: writeSuncode(reader, out); break;
        case ExportFormat::Sam:
        case ExportFormat::EnergyPlus:
        case ExportFormat::HourlyCsv: return MitError{0, "not a mean-value table format"};
    }
    return reader.error();
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

std::string percent(double share) { return formatFixed(share * 100.0, 0, 2); }

std::string twoDigits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

MitContent readMitOrThrow(MitContent content, const std::string& mitName) {
    if (content.error) throw InputError(mitName, content.error->line, content.error->reason);
    return content;
}

// The last block of each month, as the TEXT table takes them.
std::array<const MitBlock*, 12> monthlyBlocks(const MitContent& content, const std::string& mitName) {
    std::array<const MitBlock*, 12> months{};
    for (const MitBlock& b : content.blocks) {
        if (!b.monthly) throw InputError(mitName, 1, ErrorId::SamNeedsMonthly);
        months[static_cast<std::size_t>(b.month - 1)] = &b;
    }
    std::string missing;
    for (std::size_t m = 0; m < 12; ++m) {
        if (!months[m]) missing += (missing.empty() ? "" : ", ") + std::to_string(m + 1);
    }
    if (!missing.empty()) throw InputError(mitName, 0, {ErrorId::SamNeedsTwelve, {missing}});
    return months;
}

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

namespace {

std::string samTable(const MitContent& content, const std::string& mitName) {
    std::string out;
    for (const MitBlock* b : monthlyBlocks(content, mitName)) {
        for (std::size_t h = 0; h < 24; ++h) out += (h ? "," : "") + percent(b->means[h]);
        out += "\n";
    }
    return out;
}

}  // namespace

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

std::optional<std::string> samDiffuse(const MitContent& content, const std::string& mitName,
                                      const ExchangeProject& project) {
    const auto months = monthlyBlocks(content, mitName);
    if (!std::all_of(months.begin(), months.end(), [](const MitBlock* b) { return b->hasDiffuse; })) {
        return std::nullopt;
    }
    const double reference = unobstructedSkyFactor(project);
    if (!(reference > 0.0)) {
        throw InputError(project.fileName, 0, ErrorId::TargetSeesNoSky);
    }
    double sum = 0.0;
    for (const MitBlock* b : months) {
        // The .mit holds three decimals: a sky factor within its rounding of the
        // reference is the reference.
        const double sky = std::fabs(b->sky - reference) <= 0.0005 ? reference : b->sky;
        sum += 1.0 - sky / reference;
    }
    return percent(sum / 12.0) + "\n";
}

}  // namespace

std::string samBeamTable(const Lines& mit, const std::string& mitName) {
    return samTable(readMitOrThrow(readMitBlocks(mit), mitName), mitName);
}

std::optional<std::string> samDiffuseLoss(const Lines& mit, const std::string& mitName,
                                          const ExchangeProject& project) {
    return samDiffuse(readMitOrThrow(readMitBlocks(mit), mitName), mitName, project);
}

std::string energyPlusShading(const Lines& rep, const std::string& repName, const ExchangeProject& project) {
    const ReportContent report = readReport(rep, repName);
    const auto& e = report.entries;
    const auto minuteOf = [](const ReportEntry& x) { return (x.day - 1) * 1440 + x.hour * 60 + x.minute; };
    if (e.size() < 2) throw InputError(repName, e.front().line, ErrorId::ExportSingleInstant);
    const int step = minuteOf(e[1]) - minuteOf(e[0]);
    if (step <= 0 || 60 % step != 0) {
        throw InputError(repName, e[1].line, {ErrorId::ExportStep, {std::to_string(step)}});
    }
    // MM/DD HH:MM of a minute of the day (up to 24:00).
    const auto stamp = [](int day, int minuteOfDay) {
        const int month = monthOfDay(day);
        const int dom = day - kMonatsanfang[static_cast<std::size_t>(month - 1)] + 1;
        return twoDigits(month) + "/" + twoDigits(dom) + " " + twoDigits(minuteOfDay / 60) + ":" +
               twoDigits(minuteOfDay % 60);
    };
    // The day and "HH:MM" of a minute of the year.
    const auto when = [&stamp](int minute) {
        const int day = minute / 1440 + 1;
        return std::vector<ErrorArg>{std::to_string(day), stamp(day, minute % 1440).substr(6)};
    };
    const auto expected = static_cast<std::size_t>(365 * 1440 / step);
    const std::string target(trimBlanks(targetOf(parsedProject(project), project, false).name));
    // Today's tools read UTF-8; the name must match the surface in the user's model.
    std::string out = "Surface Name," + cp1252ToUtf8(target) + "\n";
    for (std::size_t i = 0; i < e.size(); ++i) {
        const int want = static_cast<int>(i) * step;
        if (i >= expected) throw InputError(repName, e[i].line, ErrorId::ExportAfterYear);
        if (minuteOf(e[i]) != want) {
            std::vector<ErrorArg> args = when(want);
            for (ErrorArg& a : when(minuteOf(e[i]))) args.push_back(std::move(a));
            throw InputError(repName, e[i].line, {ErrorId::ExportExpected, std::move(args)});
        }
        const double sunlit = e[i].result < 0 ? 0.0 : 1.0 - e[i].result;
        out += stamp(e[i].day, e[i].hour * 60 + e[i].minute + step) + "," + formatFixed(sunlit, 0, 3) + "\n";
    }
    if (e.size() < expected) {
        throw InputError(repName, static_cast<int>(rep.size()) + 1,
                         {ErrorId::ExportReportEnds, when(static_cast<int>(e.size()) * step)});
    }
    return out;
}

std::string hourlyCsv(const Lines& rep, const std::string& repName, const ExchangeProject& project) {
    const ReportContent report = readReport(rep, repName);
    const Site site = parsedProject(project).site;
    std::string out = "day,month,hour,minute,sun_azimuth,sun_elevation,shading,sky_factor,ground_factor\n";
    for (const ReportEntry& e : report.entries) {
        const float clock = static_cast<float>(e.minute) / 60.0f + static_cast<float>(e.hour);
        const SunPosition sun =
            Sonnenstand(kSimulationYear, e.day, clock, site.latitude, site.longitude, site.correction);
        out += std::to_string(e.day) + "," + std::to_string(monthOfDay(e.day)) + "," + std::to_string(e.hour) +
               "," + std::to_string(e.minute) + "," + formatFixed(sun.azimuth, 0, 2) + "," +
               formatFixed(sun.elevation, 0, 2) + "," + formatFixed(e.result, 0, 3) + ",";
        // Without diffuse values the two columns stay empty.
        out += report.hasDiffuse ? formatFixed(e.sky, 0, 3) + "," + formatFixed(e.ground, 0, 3) : ",";
        out += "\n";
    }
    return out;
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
            const MitContent content = readMitOrThrow(readMitBlocks(in), inPath);
            if (in.bad()) throw InputError(inPath, 0, {ErrorId::CannotRead, {}});
            files.emplace_back(outPath, samTable(content, inPath));
            if (auto diffuse = samDiffuse(content, inPath, project)) {
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
