#include "EditSupport.h"

#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"
#include "project/SharedTexts.h"

#include <iostream>

namespace penumbro::cli {

void editProjectFile(const std::string& path, const std::function<Lines(const Lines&)>& edit) {
    const LoadedProject project = loadProjectFile(path);
    printLoadNotes(path, project);
    Lines edited;
    try {
        edited = edit(project.lines);
    } catch (const InputError& e) {
        if (!e.file().empty()) throw;
        throw InputError(path, e.line(), e.detail());
    }
    saveProjectFile(path, edited);
}

std::string projectPathArgument(const Args& args, std::size_t index) {
    if (index >= args.size() || args[index].empty()) throw UsageError{"the project file is missing"};
    return args[index];
}

double numberField(const std::string& field, const std::string& text) {
    const auto v = parseNumber(trimBlanks(text));
    if (!v) throw InputError({ErrorId::ArgumentNotNumber, {field, fromArgument(text)}});
    return *v;
}

long long integerField(const std::string& field, const std::string& text) {
    const auto v = parseInteger(trimBlanks(text));
    if (!v) throw InputError({ErrorId::ArgumentNotWhole, {field, fromArgument(text)}});
    return *v;
}

}  // namespace penumbro::cli
