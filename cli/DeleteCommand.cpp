#include "Cli.h"
#include "EditSupport.h"

#include "editor/ObjectSplices.h"
#include "project/InputError.h"

namespace penumbro::cli {

// A target takes its overhangs along, as the editor does once its warning is confirmed.
int runDelete(const Args& arguments) {
    const Args args = Options(arguments, {}).positional();
    if (args.size() != 2) throw UsageError{"expected a project file and an object number"};
    const std::string path = projectPathArgument(args);
    const long long nr = integerField("object number", args[1]);
    if (nr < 1 || nr > 10000) throw InputError({ErrorId::ObjectNumberMissing, {args[1]}});
    editProjectFile(path, [nr](const Lines& text) { return deleteObject(text, static_cast<int>(nr)); });
    return kExitOk;
}

}  // namespace penumbro::cli
