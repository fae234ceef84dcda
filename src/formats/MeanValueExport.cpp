#include "formats/MeanValueExport.h"

#include "project/InputError.h"
#include "project/Numbers.h"

#include <algorithm>
#include <cmath>

namespace penumbro {

namespace {

constexpr const char* kCrLf = "\r\n";

// A value with two decimals in at least three characters ("0.25", "1.00").
std::string twoDecimals(double v, bool comma = false) { return formatFixed(v, 3, 2, comma); }

constexpr std::array<int, 12> kDaysPerMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

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

std::string percent(double share) { return formatFixed(share * 100.0, 0, 2); }

}  // namespace

std::optional<MitError> streamMeanValueTable(std::istream& mit, MeanValueTable table, const ExportSink& out) {
    MitBlockReader reader(mit);
    switch (table) {
        case MeanValueTable::Text: writeText(reader, out); break;
        case MeanValueTable::Trnsys: writeTrnsys(reader, out); break;
        case MeanValueTable::Suncode: writeSuncode(reader, out); break;
    }
    return reader.error();
}

std::array<const MitBlock*, 12> samMonths(const MeanValueFile& file, const std::string& mitName) {
    if (file.error) throw InputError(mitName, file.error->line, file.error->reason);
    std::array<const MitBlock*, 12> months{};
    for (const MitBlock& b : file.blocks) {
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

std::string samBeamTable(const std::array<const MitBlock*, 12>& months) {
    std::string out;
    for (const MitBlock* b : months) {
        for (std::size_t h = 0; h < 24; ++h) out += (h ? "," : "") + percent(b->means[h]);
        out += "\n";
    }
    return out;
}

bool samHasDiffuse(const std::array<const MitBlock*, 12>& months) {
    return std::all_of(months.begin(), months.end(), [](const MitBlock* b) { return b->hasDiffuse; });
}

std::optional<std::string> samDiffuseLoss(const std::array<const MitBlock*, 12>& months, double reference) {
    if (!samHasDiffuse(months)) return std::nullopt;
    double sum = 0.0;
    for (const MitBlock* b : months) {
        // The .mit holds three decimals: a sky factor within its rounding of the
        // reference is the reference.
        const double sky = std::fabs(b->sky - reference) <= 0.0005 ? reference : b->sky;
        sum += 1.0 - sky / reference;
    }
    return percent(sum / 12.0) + "\n";
}

}  // namespace penumbro
