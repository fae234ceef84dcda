#include "Cli.h"
#include "EditSupport.h"

#include "editor/HorizonEditing.h"
#include "editor/HorizonImport.h"
#include "project/FileIo.h"
#include "project/InputError.h"

#include <iostream>

namespace penumbro::cli {

namespace {

// --import FILE: the profile reduced to at most 25 intervals replaces the section.
int importHorizon(const Options& options) {
    if (options.positional().size() != 1) throw UsageError{"--import takes the project file alone, no intervals"};
    const std::string path = projectPathArgument(options.positional());
    const std::string file = options.value("import");
    if (file.empty()) throw UsageError{"--import: the file name is empty"};
    const std::string bytes = readFileBytes(file);

    HorizonProfileFormat format = guessHorizonProfileFormat(file, bytes);
    if (options.has("format")) {
        const auto named = horizonProfileFormatNamed(options.value("format"));
        if (!named) throw UsageError{"--format: unknown format " + options.value("format") + " (pvgis-csv, pvgis-json or csv)"};
        format = *named;
    }
    AzimuthOrigin origin = AzimuthOrigin::North;
    if (options.has("azimuth-origin")) {
        const std::string o = options.value("azimuth-origin");
        if (o != "north" && o != "south") throw UsageError{"--azimuth-origin: north or south, not " + o};
        origin = o == "south" ? AzimuthOrigin::South : AzimuthOrigin::North;
    }
    HorizonReduction r;
    try {
        r = reduceHorizonProfile(readHorizonProfile(bytes, file, format, origin));
    } catch (const InputError& e) {
        throw InputError(fromArgument(e.file()), e.line(), e.detail());
    }
    editProjectFile(path, [&r](const Lines& text) { return writeHorizon(text, r.rows); });
    std::cout << r.points << " profile points became " << r.rows.size()
              << " intervals; largest elevation given away: " << horizonNumber(r.largestGiveaway) << " degrees\n";
    return kExitOk;
}

}  // namespace

// Without intervals the horizon section is removed.
int runHorizon(const Args& arguments) {
    const Options options(arguments, {.values = {"import", "format", "azimuth-origin"}});
    if (options.has("import")) return importHorizon(options);
    if (options.has("format") || options.has("azimuth-origin")) throw UsageError{"--format and --azimuth-origin go with --import"};
    const Args& args = options.positional();
    if (args.empty()) throw UsageError{"expected a project file"};
    const std::string path = projectPathArgument(args);
    if (args.size() - 1 > static_cast<std::size_t>(kHorizonRows)) {
        throw InputError(path, 0, ErrorId::HorizonArgumentsTooMany);
    }
    std::vector<HorizonRow> zeilen;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const auto zeile = horizonArgument(args[i]);
        if (!zeile) {
            throw InputError({ErrorId::HorizonArgument, {std::to_string(i), fromArgument(args[i])}});
        }
        zeilen.push_back(*zeile);
    }
    editProjectFile(path, [&zeilen](const Lines& text) { return writeHorizon(text, zeilen); });
    return kExitOk;
}

}  // namespace penumbro::cli
