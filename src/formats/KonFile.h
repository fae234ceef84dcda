#pragma once
// The run-parameter record and its file (.kon): exactly 96 bytes, little-endian,
// written and read field by field at fixed offsets.

#include "project/ErrorTexts.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace penumbro {

inline constexpr std::size_t kSimParameterSize = 96;
// The defaults read at program start from the program's folder; no other save may use it.
inline constexpr const char* kStandardKonName = "standard.kon";

// Field comments give the byte offset in the file and the unit.
struct TSimParameter {
    bool fastRun = false;              // 0: 1 = fast run writing files, 0 = online view
    bool monthly = true;               // 1: monthly simulation
    bool diffuse = false;              // 2: compute diffuse radiation
    std::uint8_t reserved3 = 0;        // 3: the windows keep their decimal comma here (1)
    std::int32_t firstMonth = 1;       // 4: 1..12
    std::int32_t stopMonth = 12;       // 8: 1..12
    std::int32_t firstDay = 1;         // 12: day number 1..365
    std::int32_t stopDay = 365;        // 16: day number 1..365
    std::int32_t intervalDays = 10;    // 20: 1..365
    std::int32_t intervalMinutes = 20; // 24: 1..60
    std::int32_t monthStartDay = 1;    // 28: first day of each month in monthly mode, 1..28
    std::int32_t diffuseResolution = 5;  // 32: pixels, 1..25
    std::int32_t onlineResolution = 1;   // 36: pixels
    double latitude = 0;               // 40: degrees, north positive (from the project)
    double longitude = 0;              // 48: degrees, positive west (from the project)
    double correction = 0;             // 56: hours added to the clock time (from the project)
    std::int32_t resolution = 1;       // 64: pixels, fast-run counting step, 1..25
    std::array<std::uint8_t, 4> reserved68{};  // 68
    std::int32_t elevationIntervals = 10;  // 72: diffuse grid bands, 1..25
    std::array<std::uint8_t, 4> reserved76{};  // 76
    double skyReduction = 1.0;         // 80: reduction factor for the sky radiation, 0..1
    double obstacleReflectance = 0.2;  // 88: reflectance of the obstructing elements, 0..1

    bool operator==(const TSimParameter&) const = default;
};

std::array<std::uint8_t, kSimParameterSize> encodeSimParameter(const TSimParameter& p);
TSimParameter decodeSimParameter(const std::array<std::uint8_t, kSimParameterSize>& bytes);

// Nothing when every field lies in its range (flags aside: any non-zero byte is true);
// otherwise a message (ParameterFieldRange) naming the first field that does not,
// with its offset and value.
std::optional<ErrorMessage> simParameterProblem(const TSimParameter& p);

// Reads a .kon file. Throws InputError naming the file (missing, unreadable, not 96
// bytes, or a field outside its range, which could stall or break a run).
TSimParameter readKonFile(const std::string& path);
// Writes a .kon file through a temporary file. Throws InputError naming the file.
void writeKonFile(const std::string& path, const TSimParameter& p);

// What opening a .kon takes over into the live record: offsets 1, 2, 4..39, 64, 72
// and 80..95. The fast-run flag and the site stay as they are.
void copyOpenedParameters(TSimParameter& live, const TSimParameter& fromFile);

// True for a path whose file name is standard.kon in any capitalisation.
bool isReservedKonName(const std::string& path);

// Program start: the start values, then standard.kon from directory (with trailing '/')
// if it exists. A standard.kon that cannot be read leaves the start values and sets
// *warning (when given) to the reason.
TSimParameter startupParameters(const std::string& directory, std::string* warning = nullptr);

// The keys of the command line (--set KEY=VALUE), in record order. "fast-run" is not
// among them (each caller sets it) but simParameterValue knows it.
const std::vector<std::string>& simParameterKeys();
// Sets one field by key. Throws InputError naming the key for an unknown key, a value
// that is not a number or one outside the field's range.
void setSimParameter(TSimParameter& p, const std::string& key, const std::string& value);
// The field's value as text ("1"/"0" for flags), for listings.
std::string simParameterValue(const TSimParameter& p, const std::string& key);

}  // namespace penumbro
