// Horizon profile as PVGIS JSON -> at most 25 intervals that never let more sun through
// than the profile; any damage to the JSON is a refusal naming the file.

#include "HorizonProperties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::requireSoundImport(fuzz::textOf(data, size), HorizonProfileFormat::PvgisJson, AzimuthOrigin::North);
    return 0;
}
