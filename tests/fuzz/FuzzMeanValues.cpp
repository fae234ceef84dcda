// Mean-value file (.mit) -> blocks and export tables: a defect names a line of the file
// and gives no table in any format; the streamed table is the one built in memory; through
// the files, a refused export leaves no output and no temporary file, an accepted one an
// output whose every number is finite.

#include "views/Export.h"

#include "FuzzSupport.h"

#include <filesystem>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ExchangeProject project{
        splitLines(readFileBytes(std::string(PENUMBRO_SOURCE_DIR) + "/examples/collector.dat")), "collector.dat"};
    const std::string text = fuzz::textOf(data, size);
    const Lines mit = splitLines(text);
    const MeanValueFile content = readMitBlocks(mit);
    const int end = static_cast<int>(mit.size()) + 1;
    const auto inFile = [&](const auto& e) { return !e || (e->line >= 1 && e->line <= end); };
    fuzz::require(inFile(content.error));
    fuzz::require(content.blocks.size() <= 12);
    for (const MitBlock& b : content.blocks) {
        fuzz::require(b.month >= 1 && b.month <= 12);
        for (double m : b.means) fuzz::require(isShadingMean(m));
    }
    const std::string in = fuzz::writeScratch("run.mit", text);
    const std::string out = (fuzz::scratchDir() / "out.txt").string();
    for (ExportFormat f : {ExportFormat::Text, ExportFormat::Trnsys, ExportFormat::Suncode}) {
        const ExportResult r = exportMeanValues(mit, f);
        fuzz::require(inFile(r.error));
        fuzz::require(r.error.has_value() == content.error.has_value());
        fuzz::require(!r.error || r.bytes.empty());
        std::istringstream stream(text);
        std::string streamed;
        const auto error = streamMeanValues(stream, f, [&](std::string_view part) { streamed += part; });
        fuzz::require(error.has_value() == r.error.has_value() && (error || streamed == r.bytes));

        bool written = false;
        fuzz::refusalAllowed([&] {
            exportFile(in, f, out);
            written = true;
        });
        fuzz::require(written == !r.error && std::filesystem::exists(out) == written);
        fuzz::require(fuzz::filesInScratch() == (written ? 2u : 1u));
        if (!written) continue;
        fuzz::require(readFileBytes(out) == r.bytes && fuzz::numbersAreFinite(r.bytes, " \r\n"));
        std::filesystem::remove(out);
    }
    // SAM takes the same reader and adds its own demands.
    const std::string sam = (fuzz::scratchDir() / "out.sam.csv").string();
    bool written = false;
    fuzz::refusalAllowed([&] {
        written = !exportExchangeFile(in, ExportFormat::Sam, sam, project).empty();
    });
    fuzz::require(!written || !content.error);
    fuzz::require(fuzz::filesInScratch() == 1u + (written ? 1u : 0u) +
                  (std::filesystem::exists(samDiffusePath(sam)) ? 1u : 0u));
    if (written) fuzz::require(fuzz::numbersAreFinite(readFileBytes(sam), ",\n"));
    std::filesystem::remove(sam);
    std::filesystem::remove(samDiffusePath(sam));
    return 0;
}
