#pragma once
// Tables of other simulation tools made from a mean-value file (.mit):
//   TEXT    hours down, months across, two decimals (decimal comma kept from the input);
//   TRNSYS  one line per hour of the year: running hour, mean, 1 - mean [, diffuse pairs];
//   SUNCODE one integer per hour line: the unshaded share in thousandths;
// these end their lines with CR LF (except the last TEXT line). The SAM table is UTF-8,
// ends its lines with LF and always writes ".".

#include "formats/MeanValueFile.h"

#include <array>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace penumbro {

enum class MeanValueTable { Text, Trnsys, Suncode };

// Receives a table piece by piece.
using ExportSink = std::function<void(std::string_view)>;

// Reads the .mit text from mit and hands the table to out as it is made (TRNSYS a day at
// a time, so memory stays bounded whatever the input). Returns the first defect; what out
// received before it is no table and must be thrown away.
std::optional<MitError> streamMeanValueTable(std::istream& mit, MeanValueTable table, const ExportSink& out);

// The twelve month blocks of a monthly file (the last of each month). Throws InputError
// naming mitName for a file with a defect, a daily file and months the file does not hold.
std::array<const MitBlock*, 12> samMonths(const MeanValueFile& file, const std::string& mitName);
// The SAM beam table: 12 lines (January..December) of 24 comma-separated losses in
// percent with two decimals.
std::string samBeamTable(const std::array<const MitBlock*, 12>& months);
// The year's mean diffuse loss in percent ("12.34" and a line end) relative to the sky
// factor reference (> 0) of the target with nothing in front of it; none when some
// month has no diffuse line.
std::optional<std::string> samDiffuseLoss(const std::array<const MitBlock*, 12>& months, double reference);
// True when every month has its diffuse line.
bool samHasDiffuse(const std::array<const MitBlock*, 12>& months);

}  // namespace penumbro
