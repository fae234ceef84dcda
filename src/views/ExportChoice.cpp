#include "views/ExportChoice.h"

#include "project/FileIo.h"

namespace penumbro {

ExportChoice chooseExport(const ExportRequest& request) {
    ExportChoice choice;
    if (!request.format) {
        choice.error = ExportChoiceError::NoFormat;
        return choice;
    }
    // Without a file the choice is made all the same: the command line lets the reader
    // name what is missing.
    if (request.file.empty()) choice.error = ExportChoiceError::NoFile;
    choice.format = *request.format;
    choice.inPath = request.reportBesideMeanValues && exportReadsReport(choice.format)
                        ? withoutExtension(request.file) + ".rep"
                        : request.file;
    choice.proposedName = proposedExportName(choice.inPath, choice.format);
    choice.needsProject = exportNeedsProject(choice.format);
    return choice;
}

std::vector<std::string> performExport(const ExportChoice& choice, const std::string& outPath,
                                       const std::function<ExchangeProject()>& project) {
    if (choice.needsProject) return exportExchangeFile(choice.inPath, choice.format, outPath, project());
    exportFile(choice.inPath, choice.format, outPath);
    return {outPath};
}

}  // namespace penumbro
