// Mean-value file (.mit) -> blocks and export tables: a defect names a line of the file, TEXT is
// empty; TEXT and TRNSYS fail where the reader fails, SUNCODE (hour lines alone) may not.

#include "views/Export.h"

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Lines mit = fuzz::linesOf(data, size);
    const MitContent content = readMitBlocks(mit);
    const int end = static_cast<int>(mit.size()) + 1;
    const auto inFile = [&](const auto& e) { return !e || (e->line >= 1 && e->line <= end); };
    fuzz::require(inFile(content.error));
    for (const MitBlock& b : content.blocks) {
        fuzz::require(b.month >= 1 && b.month <= 12);
        for (double m : b.means) fuzz::require(isShadingMean(m));
    }
    for (ExportFormat f : {ExportFormat::Text, ExportFormat::Trnsys, ExportFormat::Suncode}) {
        const ExportResult r = exportMeanValues(mit, f);
        fuzz::require(inFile(r.error));
        fuzz::require(f == ExportFormat::Suncode || r.error.has_value() == content.error.has_value());
        fuzz::require(f != ExportFormat::Text || !r.error || r.bytes.empty());
    }
    return 0;
}
