#include "Cli.h"
#include "EditSupport.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"

namespace penumbro::cli {

int runNew(const Args& args) {
    const Options options(args, {.flags = {"force"}});
    if (options.positional().size() != 1) throw UsageError{"expected exactly one project file"};
    const std::string path = projectPathArgument(options.positional());
    if (fileExists(path) && !options.has("force")) {
        throw InputError(path, 0, ErrorId::FileExists);
    }
    saveProjectFile(path, newProjectLines());
    return kExitOk;
}

}  // namespace penumbro::cli
