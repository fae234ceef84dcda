#pragma once
// Horizon profiles measured or downloaded elsewhere: points (azimuth, elevation) with
// rising azimuths, as a PVGIS CSV or JSON file or a generic two-column CSV.

#include <optional>
#include <string>
#include <vector>

namespace penumbro {

enum class HorizonProfileFormat {
    PvgisCsv,   // columns "A" and "H_hor" (tab, comma or semicolon separated), A: 0 = south, west positive
    PvgisJson,  // outputs.horizon_profile: [{"A": .., "H_hor": ..}, ..], A as in the CSV
    Csv,        // two columns azimuth, elevation; a header line may precede the numbers
};

enum class AzimuthOrigin { North, South };  // of the generic CSV; North: clockwise 0..360

// Parses "pvgis-csv", "pvgis-json" or "csv".
std::optional<HorizonProfileFormat> horizonProfileFormatNamed(const std::string& name);
// Without a given format: ".json" files are PVGIS JSON, text with an "H_hor" column
// PVGIS CSV, anything else the generic CSV.
HorizonProfileFormat guessHorizonProfileFormat(const std::string& fileName, const std::string& bytes);

struct HorizonPoint {
    double azimuth = 0;    // degrees clockwise from north, 0..360
    double elevation = 0;  // degrees
};

// Reads the profile (JSON as a stream, without a document tree); throws InputError
// naming fileName and the line (or, for JSON, the field) for damaged JSON, a number out
// of range, a file without numeric rows, an azimuth outside its range, an
// elevation outside -90..90, azimuths that do not rise, or a value that is not a number.
std::vector<HorizonPoint> readHorizonProfile(const std::string& bytes, const std::string& fileName,
                                             HorizonProfileFormat format, AzimuthOrigin origin);

// A number as the intervals write it: up to two decimals, no trailing zeros.
std::string horizonNumber(double value);

}  // namespace penumbro
