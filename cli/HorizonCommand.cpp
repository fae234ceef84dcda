#include "Cli.h"
#include "EditSupport.h"

#include "editor/HorizonEditing.h"
#include "project/InputError.h"

namespace penumbro::cli {

// Without intervals the horizon section is removed.
int runHorizon(const Args& arguments) {
    const Args args = Options(arguments, {}).positional();
    if (args.empty()) throw UsageError{"expected a project file"};
    const std::string path = projectPathArgument(args);
    if (args.size() - 1 > static_cast<std::size_t>(kHorizonRows)) {
        throw InputError({}, 0, "horizon: at most 25 intervals");
    }
    std::vector<HorizonRow> zeilen;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const auto zeile = horizonArgument(args[i]);
        if (!zeile) {
            throw InputError({}, 0,
                             "horizon interval " + std::to_string(i) + ": \"" + fromArgument(args[i]) +
                                 "\" is not FROM-TO=HEIGHT (three numbers, FROM without sign)");
        }
        zeilen.push_back(*zeile);
    }
    editProjectFile(path, [&zeilen](const Lines& text) { return writeHorizon(text, zeilen); });
    return kExitOk;
}

}  // namespace penumbro::cli
