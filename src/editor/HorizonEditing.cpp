#include "editor/HorizonEditing.h"

#include "project/InputError.h"
#include "project/Numbers.h"

namespace penumbro {

namespace {

constexpr std::size_t kHeightWidth = 8;  // the grid shows at most 8 characters of the elevation

std::optional<HorizonRow> split(std::string_view line, std::size_t heightWidth) {
    const auto dash = line.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    const auto equals = line.find('=', dash + 1);
    if (equals == std::string_view::npos) return std::nullopt;
    return HorizonRow{std::string(line.substr(0, dash)), std::string(line.substr(dash + 1, equals - dash - 1)),
                      std::string(line.substr(equals + 1, heightWidth))};
}

}  // namespace

bool HorizonRow::counts() const {
    return !from.empty() && from.find('-') == std::string::npos && parseNumber(from) && parseNumber(to) &&
           parseNumber(height);
}

std::vector<HorizonRow> readHorizon(const Lines& text) {
    const ProjectScan scan = scanSoundProject(text, {});
    std::vector<HorizonRow> rows;
    for (std::size_t i : scan.horizonLines)
        if (auto row = split(text[i], kHeightWidth)) rows.push_back(std::move(*row));
    // The grid has 25 rows; opening it with more would drop the rest on OK.
    if (rows.size() > kHorizonRows) throw InputError({ErrorId::HorizonTooManyToEdit, {std::to_string(rows.size())}});
    return rows;
}

Lines writeHorizon(const Lines& text, const std::vector<HorizonRow>& rows) {
    std::size_t counting = 0;
    for (const auto& r : rows) counting += r.counts() ? 1 : 0;
    if (counting > kHorizonRows) throw InputError(ErrorId::HorizonTooMany);
    // Looking only behind the objects keeps a surface named "Horizont" safe.
    const ProjectScan scan = scanSoundProject(text, {});
    const std::size_t start = scan.sectionsLine;
    Lines out(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(start));
    if (counting > 0) {
        out.emplace_back(kHorizonKeyword);
        for (const auto& r : rows)
            if (r.counts()) out.push_back(r.line());
    }
    const std::size_t rest = scan.horizonLine ? *scan.horizonLine + 1 + scan.horizonLines.size() : start;
    out.insert(out.end(), text.begin() + static_cast<std::ptrdiff_t>(rest), text.end());
    return out;
}

std::optional<HorizonRow> horizonArgument(std::string_view text) {
    auto row = split(text, std::string_view::npos);
    if (!row || !row->counts()) return std::nullopt;
    return row;
}

HorizonPanel HorizonPanel::fromRows(const std::vector<HorizonRow>& rows) {
    HorizonPanel p;
    for (std::size_t i = 0; i < rows.size() && i < p.rows.size(); ++i) p.rows[i] = rows[i];
    return p;
}

std::vector<HorizonRow> HorizonPanel::countingRows() const {
    std::vector<HorizonRow> out;
    for (const auto& r : rows)
        if (r.counts()) out.push_back(r);
    return out;
}

std::vector<int> HorizonPanel::droppedRows() const {
    std::vector<int> out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& r = rows[i];
        const bool empty = r.from.empty() && r.to.empty() && r.height.empty();
        if (!empty && !r.counts()) out.push_back(static_cast<int>(i) + 1);
    }
    return out;
}

}  // namespace penumbro
