// Report file (.rep) -> every export that reads one (EnergyPlus, hourly CSV), through
// the files: a refused report leaves no output and no temporary file; an accepted one
// gives an output whose every number is finite and short.

#include "views/Export.h"

#include "FuzzSupport.h"

#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ExchangeProject project{
        splitLines(readFileBytes(std::string(PENUMBRO_SOURCE_DIR) + "/examples/collector.dat")), "collector.dat"};
    const std::string in = fuzz::writeScratch("run.rep", fuzz::textOf(data, size));
    const std::string out = (fuzz::scratchDir() / "out.csv").string();
    for (ExportFormat f : {ExportFormat::EnergyPlus, ExportFormat::HourlyCsv}) {
        bool written = false;
        fuzz::refusalAllowed([&] {
            fuzz::require(exportExchangeFile(in, f, out, project) == std::vector<std::string>{out});
            written = true;
        });
        fuzz::require(std::filesystem::exists(out) == written);
        fuzz::require(fuzz::filesInScratch() == (written ? 2u : 1u));
        if (!written) continue;
        const std::string table = readFileBytes(out);
        // After the header: the stamp "MM/DD HH:MM" or the day and time fields, then numbers.
        const std::string body = table.substr(table.find('\n') + 1);
        fuzz::require(fuzz::numbersAreFinite(body, f == ExportFormat::EnergyPlus ? ",\n /:" : ",\n"));
        std::filesystem::remove(out);
    }
    return 0;
}
