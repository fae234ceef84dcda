#include "Cli.h"
#include "EditSupport.h"

#include "editor/SiteEditing.h"

namespace penumbro::cli {

int runSite(const Args& arguments) {
    const Args args = Options(arguments, {}).positional();
    if (args.size() != 4) throw UsageError{"expected a project file, latitude, longitude and time zone"};
    const std::string path = projectPathArgument(args);
    const SiteValues standort{numberField("latitude", args[1]), numberField("longitude", args[2]),
                            numberField("time zone", args[3])};
    editProjectFile(path, [&standort](const Lines& text) { return writeSite(text, standort); });
    return kExitOk;
}

}  // namespace penumbro::cli
