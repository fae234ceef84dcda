// Mean-value file (.mit) -> its blocks and the three export tables. A defect is
// reported with a line of the file; the TEXT table is then empty. TEXT and TRNSYS read
// the blocks and fail where the reader fails; SUNCODE takes the hour lines alone, so a
// defect outside them (a "Diffus" line) does not stop it.

#include "views/Export.h"

#include "FuzzSupport.h"

#include <cstdlib>

using namespace penumbro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Lines mit = fuzz::linesOf(data, size);
    const MitContent content = readMitBlocks(mit);
    if (content.error && (content.error->line < 1 || content.error->line > static_cast<int>(mit.size()) + 1))
        std::abort();
    for (const MitBlock& b : content.blocks) {
        if (b.month < 1 || b.month > 12) std::abort();
        for (double m : b.means)
            if (!isShadingMean(m)) std::abort();
    }
    for (ExportFormat f : {ExportFormat::Text, ExportFormat::Trnsys, ExportFormat::Suncode}) {
        const ExportResult r = exportMeanValues(mit, f);
        if (r.error && (r.error->line < 1 || r.error->line > static_cast<int>(mit.size()) + 1)) std::abort();
        if (f != ExportFormat::Suncode && r.error.has_value() != content.error.has_value()) std::abort();
        if (f == ExportFormat::Text && r.error && !r.bytes.empty()) std::abort();
    }
    return 0;
}
