// Horizon profile as CSV (generic, either azimuth origin, and PVGIS) -> at most 25
// intervals that never let more sun through than the profile.

#include "HorizonProperties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzz::textOf(data, size);
    fuzz::requireSoundImport(bytes, HorizonProfileFormat::Csv, AzimuthOrigin::North);
    fuzz::requireSoundImport(bytes, HorizonProfileFormat::Csv, AzimuthOrigin::South);
    fuzz::requireSoundImport(bytes, HorizonProfileFormat::PvgisCsv, AzimuthOrigin::North);
    return 0;
}
