#include "formats/MeanValueFile.h"

#include "project/Numbers.h"
#include "project/TextLines.h"

#include <algorithm>
#include <sstream>

namespace penumbro {

namespace {

bool isBlank(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

bool isHeading(const std::vector<std::string>& f) { return !f.empty() && (f[0] == "Monat" || f[0] == "Month"); }

bool isDiffuseLine(const std::vector<std::string>& f) { return !f.empty() && f[0] == "Diffus"; }

struct Failure {
    MitError error;
};

[[noreturn]] void fail(int line, ErrorMessage reason) { throw Failure{MitError{line, std::move(reason)}}; }

}  // namespace

std::optional<MitBlockReader::Line> MitBlockReader::take() {
    if (kept_) {
        std::optional<Line> line = std::move(kept_);
        kept_.reset();
        return line;
    }
    std::string text;
    std::istream::int_type c = 0;
    bool any = false;
    while ((c = in_.get()) != std::istream::traits_type::eof()) {
        any = true;
        if (c == '\n') break;
        if (text.size() > kMitMaxLine) fail(lineNo_ + 1, {ErrorId::MitLineLong, {std::to_string(kMitMaxLine)}});
        text += static_cast<char>(c);
    }
    if (!any) return std::nullopt;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.size() > kMitMaxLine) fail(lineNo_ + 1, {ErrorId::MitLineLong, {std::to_string(kMitMaxLine)}});
    return Line{std::move(text), ++lineNo_};
}

double MitBlockReader::value(const std::string& field, int lineNo, ErrorId word) {
    std::string text = field;
    if (text.find(',') != std::string::npos) decimalComma_ = true;
    std::replace(text.begin(), text.end(), ',', '.');
    const auto v = parseNumber(text);
    if (!v) fail(lineNo, {ErrorId::MitUnreadable, {word, field}});
    return *v;
}

std::optional<MitBlock> MitBlockReader::next() {
    if (done_) return std::nullopt;
    try {
        std::optional<Line> line = take();
        if (line && isBlank(line->text)) {
            // One empty line comes before every month heading; any number may end the file.
            line = take();
            if (line && isBlank(line->text)) {
                const int second = line->number;
                while ((line = take())) {
                    if (!isBlank(line->text)) fail(second, ErrorId::MitBlankLines);
                }
            }
        }
        if (!line) {
            done_ = true;
            if (blocks_ == 0) fail(1, ErrorId::MitEmpty);
            return std::nullopt;
        }
        MitBlock block = readBlock(*line);
        ++blocks_;
        return block;
    } catch (const Failure& f) {
        done_ = true;
        error_ = f.error;
        return std::nullopt;
    }
}

MitBlock MitBlockReader::readBlock(const Line& first) {
    const std::vector<std::string> f = blankSeparatedFields(first.text);
    MitBlock block;
    std::optional<Line> hourLine;
    if (isHeading(f)) {
        if (daily_) fail(first.number, ErrorId::MitDailyOneBlock);
        if (f.size() != 3) fail(first.number, ErrorId::MitHeadingForm);
        const auto m = parseInteger(f[2]);
        if (!m) fail(first.number, {ErrorId::MitMonthUnreadable, {f[2]}});
        // The day table and the month columns know only 1..12.
        if (*m < 1 || *m > 12) fail(first.number, {ErrorId::MitMonthRange, {f[2]}});
        // A run completes its months one after the other, December followed by January.
        const int expected = lastMonth_ % 12 + 1;
        if (blocks_ > 0 && *m != expected)
            fail(first.number, {ErrorId::MitMonthOrder, {f[2], std::to_string(expected)}});
        if (blocks_ == 12) fail(first.number, ErrorId::MitTooManyMonths);
        block.monthly = true;
        block.month = static_cast<int>(*m);
        lastMonth_ = block.month;
        hourLine = take();
    } else {
        if (blocks_ > 0) {
            if (daily_) fail(first.number, ErrorId::MitDailyOneBlock);
            fail(first.number, {ErrorId::MitHeadingExpected, {std::to_string(lastMonth_ % 12 + 1)}});
        }
        daily_ = true;
        hourLine = first;
    }
    for (int hour = 0; hour < 24; ++hour) {
        if (hour > 0) hourLine = take();
        if (!hourLine) fail(lineNo_ + 1, ErrorId::MitBlockShort);
        const std::vector<std::string> h = blankSeparatedFields(hourLine->text);
        // The hour labels keep a lost, doubled or swapped line from shifting the hours.
        if (h.size() != 2 || parseInteger(h[0]) != hour)
            fail(hourLine->number, {ErrorId::MitHourExpected, {std::to_string(hour)}});
        const double mean = value(h[1], hourLine->number, ErrorId::WordHourlyMean);
        if (!isShadingMean(mean)) fail(hourLine->number, {ErrorId::MitMeanRange, {h[1]}});
        block.means[static_cast<std::size_t>(hour)] = mean;
    }
    std::optional<Line> after = take();
    const int afterLine = after ? after->number : lineNo_ + 1;
    const std::vector<std::string> d = after ? blankSeparatedFields(after->text) : std::vector<std::string>{};
    if (isDiffuseLine(d)) {
        if (daily_) fail(after->number, ErrorId::MitDiffuseDaily);
        if (d.size() != 3) fail(after->number, ErrorId::MitDiffuseForm);
        block.hasDiffuse = true;
        const std::pair<ErrorId, std::size_t> parts[] = {{ErrorId::WordSkyValue, 1}, {ErrorId::WordGroundValue, 2}};
        for (const auto& [word, k] : parts) {
            const double v = value(d[k], after->number, word);
            if (!(v >= 0.0 && v <= 1.0)) fail(after->number, {ErrorId::MitFactorRange, {word, d[k]}});
            (k == 1 ? block.sky : block.ground) = v;
        }
    } else {
        kept_ = std::move(after);
    }
    // A run writes the diffuse line after every month or after none.
    if (blocks_ > 0 && block.hasDiffuse != diffuse_) {
        fail(afterLine, ErrorId::MitDiffuseEvery);
    }
    diffuse_ = block.hasDiffuse;
    return block;
}

MeanValueFile readMitBlocks(std::istream& in) {
    MitBlockReader reader(in);
    MeanValueFile content;
    while (std::optional<MitBlock> b = reader.next()) content.blocks.push_back(*b);
    content.decimalComma = reader.decimalComma();
    content.error = reader.error();
    return content;
}

MeanValueFile readMitBlocks(const Lines& lines) {
    std::istringstream in(joinLines(lines));
    return readMitBlocks(in);
}

double hourMean(double sum, int count) { return sum > 0 && count > 0 ? sum / count : 0.0; }

std::string formatMitBlock(const MitBlock& block, bool comma) {
    std::string out;
    if (block.monthly) out += "\r\nMonat Nr. " + std::to_string(block.month) + "\r\n";
    for (std::size_t h = 0; h < 24; ++h) {
        out += formatInt(static_cast<long long>(h), 5) + "  " + formatFixed(block.means[h], 4, 3, comma) + "\r\n";
    }
    if (block.monthly && block.hasDiffuse) {
        out += "Diffus  " + formatFixed(block.sky, 4, 3, comma) + "  " + formatFixed(block.ground, 4, 3, comma) + "\r\n";
    }
    return out;
}

std::string formatMeanValues(const MeanValueFile& file) {
    std::string out;
    for (const MitBlock& b : file.blocks) out += formatMitBlock(b, file.decimalComma);
    return out;
}

bool isShadingMean(double value) { return value >= 0.0 && value <= 1.0; }

}  // namespace penumbro
