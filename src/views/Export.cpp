#include "views/Export.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

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

ExportResult exportText(const Lines& mit) {
    const MitContent content = readMitBlocks(mit);
    if (content.error) return {{}, content.error};

    // A later block of the same month replaces the earlier one, as in a table.
    std::array<const MitBlock*, 12> months{};
    for (const MitBlock& b : content.blocks) months[static_cast<std::size_t>(b.month - 1)] = &b;
    const MitBlock& last = content.blocks.back();
    const bool comma = content.decimalComma;

    std::string out;
    if (last.monthly) {
        out += "       Jan  Feb  Mrz  Apr  Mai  Jun  Jul  Aug  Sep  Okt  Nov  Dez ";
        out += kCrLf;
    }
    for (std::size_t h = 0; h < 24; ++h) {
        out += formatInt(static_cast<long long>(h), 6) + " ";
        out += textColumns(months, comma, [h](const MitBlock& b) { return b.means[h]; });
        out += kCrLf;
    }
    if (last.hasDiffuse) {
        out += "View_s " + textColumns(months, comma, [](const MitBlock& b) { return b.sky; });
        out += kCrLf;
        // The table's last line has no line end.
        out += "View_g " + textColumns(months, comma, [](const MitBlock& b) { return b.ground; });
    }
    return {out, std::nullopt};
}

ExportResult exportTrnsys(const Lines& mit) {
    const MitContent content = readMitBlocks(mit);
    std::string out;
    for (const MitBlock& b : content.blocks) {
        if (!b.monthly) {
            for (double v : b.means) out += twoDecimals(v) + "  " + twoDecimals(1.0 - v) + kCrLf;
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
            for (const std::string& row : rows) out += formatInt(hourNo++, 4) + row;
        }
    }
    return {out, content.error};
}

ExportResult exportSuncode(const Lines& mit) {
    std::string out;
    bool anyHour = false;
    for (std::size_t i = 0; i < mit.size(); ++i) {
        const std::string& line = mit[i];
        if (line.empty() || line.rfind("Monat", 0) == 0 || line.rfind("Month", 0) == 0 ||
            line.rfind("Diffus", 0) == 0) {
            continue;
        }
        std::string piece = mitPiece(line, 8, 12);
        std::replace(piece.begin(), piece.end(), ',', '.');
        const auto v = parseNumber(trimBlanks(piece));
        if (!v) {
            return {out, MitError{static_cast<int>(i + 1), "unreadable hourly mean \"" + piece + "\""}};
        }
        if (!isShadingMean(*v)) {
            return {out, MitError{static_cast<int>(i + 1), "hourly mean \"" + piece + "\" outside 0..1"}};
        }
        anyHour = true;
        const double unshaded = std::nearbyint((1.0 - *v) * 1000.0);
        out += formatInt(static_cast<long long>(unshaded), 4) + kCrLf;
    }
    if (!anyHour) return {out, MitError{1, "the file holds no mean values"}};
    return {out, std::nullopt};
}

ExportResult exportMeanValues(const Lines& mit, ExportFormat format) {
    switch (format) {
        case ExportFormat::Text: return exportText(mit);
        case ExportFormat::Trnsys: return exportTrnsys(mit);
        case ExportFormat::Suncode: return exportSuncode(mit);
    }
    return {};
}

const char* exportExtension(ExportFormat format) {
    switch (format) {
        case ExportFormat::Text: return "txt";
        case ExportFormat::Trnsys: return "trn";
        case ExportFormat::Suncode: return "sun";
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

void exportFile(const std::string& mitPath, ExportFormat format, const std::string& outPath) {
    const Lines mit = splitLines(readFileBytes(mitPath));
    const ExportResult result = exportMeanValues(mit, format);
    writeFileAtomically(outPath, result.bytes);
    if (result.error) {
        throw InputError(mitPath, result.error->line,
                         std::string(kExportDefectiveEn) + " (" + result.error->reason + ")");
    }
}

}  // namespace penumbro
