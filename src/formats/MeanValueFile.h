#pragma once
// The mean-value file (.mit): the mean shading per hour of the day, a fixed layout other
// programs parse, written with CR LF.
//
// A .mit file holds one block per simulated month (an empty line, "Monat Nr. M", 24 hour
// lines, optionally a "Diffus" line), or, from a daily run, one block of 24 hour lines
// with no heading. Lines are read by their blank-separated fields, and the whole shape is
// checked: month blocks follow each other month by month (at most twelve, wrapping
// from December to January at most once, as a run does), every block holds the hours
// 0..23 in order, the "Diffus" line follows the hours of every month block or of none.
// A file written with the decimal comma reads the same as one written with the point.

#include "project/ErrorTexts.h"
#include "project/ProjectText.h"

#include <array>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace penumbro {

struct MitBlock {
    bool monthly = false;  // false: the heading-less block of a daily run
    int month = 1;         // 1..12; a daily block counts as month 1
    std::array<double, 24> means{};  // hourly mean shading 0..1 for hours 0..23
    bool hasDiffuse = false;
    double sky = 0.0;     // shaded share of diffuse sky radiation (only with hasDiffuse)
    double ground = 0.0;  // shaded share of ground-reflected radiation (only with hasDiffuse)

    bool operator==(const MitBlock&) const = default;
};

// Where and why the file could not be read; line is 1-based.
struct MitError {
    int line = 0;
    ErrorMessage reason;
};

// Longer lines are no mean-value lines; the cap also bounds what one line can hold.
inline constexpr std::size_t kMitMaxLine = 256;

// Reads the blocks one at a time from a stream, holding no more than one line and
// one block, whatever the size of the input.
class MitBlockReader {
public:
    explicit MitBlockReader(std::istream& in) : in_(in) {}

    // The next block, or none at the end of the file (or after a defect).
    std::optional<MitBlock> next();
    // The first defect; set once next() has returned none because of it.
    const std::optional<MitError>& error() const { return error_; }
    // Some value read so far carried a ",".
    bool decimalComma() const { return decimalComma_; }

private:
    struct Line {
        std::string text;
        int number = 0;
    };
    std::optional<Line> take();
    MitBlock readBlock(const Line& first);
    double value(const std::string& field, int lineNo, ErrorId word);

    std::istream& in_;
    int lineNo_ = 0;
    std::optional<Line> kept_;  // read after a block, not its "Diffus" line
    int blocks_ = 0;
    bool daily_ = false;
    int lastMonth_ = 0;
    bool diffuse_ = false;
    bool decimalComma_ = false;
    bool done_ = false;
    std::optional<MitError> error_;
};

struct MeanValueFile {
    std::vector<MitBlock> blocks;  // every block read completely before the first error
    bool decimalComma = false;     // some value read carried a ","
    std::optional<MitError> error;
};

// Reads every block and stops at the first defect: a line that is not what the shape
// asks for, an unreadable or out-of-range number, a file cut short or holding no block.
MeanValueFile readMitBlocks(std::istream& in);
MeanValueFile readMitBlocks(const Lines& lines);

// Mean of an hour slot: sum/count when the sum is > 0, else 0.
double hourMean(double sum, int count);
// The block's lines: a month block starts with an empty line and "Monat Nr. " + month,
// then every block has its 24 hour lines (hour n:5, two blanks, the mean x:4:3), and a
// month block with diffuse values ends with "Diffus  " + sky x:4:3 + "  " + ground x:4:3.
std::string formatMitBlock(const MitBlock& block, bool decimalComma);
// Every block of the file, with its decimal sign.
std::string formatMeanValues(const MeanValueFile& file);

// True for an hourly mean a run can write: 0..1 (false for NaN).
bool isShadingMean(double value);

}  // namespace penumbro
