#include "views/MitReader.h"

#include "project/Numbers.h"

#include <algorithm>

namespace penumbro {

namespace {

bool startsWith(const std::string& line, const char* prefix) {
    return line.rfind(prefix, 0) == 0;
}

bool isHeading(const std::string& line) {
    return startsWith(line, "Monat") || startsWith(line, "Month");
}

bool isDiffuseLine(const std::string& line) { return startsWith(line, "Diffus"); }

// Reads the lines one by one, remembering where it is for the messages.
class MitCursor {
public:
    explicit MitCursor(const Lines& lines) : lines_(lines) {}

    bool atEnd() const { return pos_ >= lines_.size(); }
    // Line number (1-based) of the line last taken.
    int lineNo() const { return static_cast<int>(pos_); }
    const std::string& take() { return lines_[pos_++]; }

private:
    const Lines& lines_;
    std::size_t pos_ = 0;
};

struct Failure {
    MitError error;
};

class BlockReader {
public:
    explicit BlockReader(const Lines& lines) : cursor_(lines) {}

    MitContent run() {
        try {
            readAll();
            if (content_.blocks.empty()) fail(1, ErrorId::MitEmpty);
        } catch (const Failure& f) {
            content_.error = f.error;
        }
        return std::move(content_);
    }

private:
    [[noreturn]] static void fail(int line, ErrorMessage reason) {
        throw Failure{MitError{line, std::move(reason)}};
    }

    double value(const std::string& line, int lineNo, std::size_t first, std::size_t last,
                 ErrorId what) {
        std::string piece = mitPiece(line, first, last);
        if (piece.find(',') != std::string::npos) content_.decimalComma = true;
        std::replace(piece.begin(), piece.end(), ',', '.');
        const auto v = parseNumber(trimBlanks(piece));
        if (!v) fail(lineNo, {ErrorId::MitUnreadable, {what, piece}});
        return *v;
    }

    // A mean of shaded fractions lies in 0..1; anything else is not a mean-value file.
    double hourlyMean(const std::string& line, int lineNo) {
        const double v = value(line, lineNo, 8, 12, ErrorId::WordHourlyMean);
        if (!isShadingMean(v)) fail(lineNo, {ErrorId::MitMeanRange, {mitPiece(line, 8, 12)}});
        return v;
    }

    void readAll() {
        // A line read after a block that was not its diffuse line opens the next block.
        std::optional<std::string> kept;
        int keptLineNo = 0;
        for (;;) {
            std::string line;
            int lineNo = 0;
            if (kept) {
                line = *kept;
                lineNo = keptLineNo;
                kept.reset();
            } else if (cursor_.atEnd()) {
                return;
            } else {
                line = cursor_.take();
                lineNo = cursor_.lineNo();
            }
            if (line.empty()) {
                if (cursor_.atEnd()) return;  // blank lines at the very end
                line = cursor_.take();
                lineNo = cursor_.lineNo();
            }

            MitBlock block;
            int hour = 0;
            if (isHeading(line)) {
                block.monthly = true;
                const std::string piece = std::string(trimBlanks(mitPiece(line, 10, 12)));
                const auto m = parseInteger(piece);
                if (!m) fail(lineNo, {ErrorId::MitMonthUnreadable, {piece}});
                // The day table and the month columns know only 1..12.
                if (*m < 1 || *m > 12) fail(lineNo, {ErrorId::MitMonthRange, {piece}});
                block.month = static_cast<int>(*m);
            } else {
                block.means[0] = hourlyMean(line, lineNo);
                hour = 1;
            }
            for (; hour < 24; ++hour) {
                if (cursor_.atEnd()) {
                    fail(cursor_.lineNo() + 1, ErrorId::MitBlockShort);
                }
                const std::string& hourLine = cursor_.take();
                block.means[static_cast<std::size_t>(hour)] = hourlyMean(hourLine, cursor_.lineNo());
            }
            if (!cursor_.atEnd()) {
                const std::string& next = cursor_.take();
                if (isDiffuseLine(next)) {
                    block.hasDiffuse = true;
                    block.sky = value(next, cursor_.lineNo(), 9, 13, ErrorId::WordSkyValue);
                    block.ground = value(next, cursor_.lineNo(), 16, 20, ErrorId::WordGroundValue);
                } else {
                    kept = next;
                    keptLineNo = cursor_.lineNo();
                }
            }
            content_.blocks.push_back(block);
        }
    }

    MitCursor cursor_;
    MitContent content_;
};

}  // namespace

bool isShadingMean(double value) { return value >= 0.0 && value <= 1.0; }

std::string mitPiece(const std::string& line, std::size_t first, std::size_t last) {
    if (first == 0 || first > line.size() || last < first) return {};
    return line.substr(first - 1, std::min(last, line.size()) - first + 1);
}

MitContent readMitBlocks(const Lines& lines) { return BlockReader(lines).run(); }

}  // namespace penumbro
