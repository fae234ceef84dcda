// penumbro-cli kon: list a run-parameter file, or write one from the start values.

#include "Cli.h"
#include "RunParameters.h"

#include "formats/KonFile.h"

#include <iostream>

namespace penumbro::cli {

int runKon(const Args& args) {
    const Options opts(args, {.values = {"write"}, .repeatable = {"set"}});
    if (opts.has("write")) {
        if (!opts.positional().empty())
            throw UsageError{"unexpected argument " + opts.positional()[0]};
        TSimParameter p;
        applyAssignments(p, opts.values("set"));
        writeKonFile(opts.value("write"), p);
        return kExitOk;
    }
    if (opts.has("set")) throw UsageError{"--set needs --write FILE.kon"};
    if (opts.positional().size() != 1) throw UsageError{"expected one .kon file"};

    const TSimParameter p = readKonFile(opts.positional()[0]);
    std::string out = "fast-run=" + simParameterValue(p, "fast-run") + "\n";
    for (const std::string& key : simParameterKeys()) out += key + "=" + simParameterValue(p, key) + "\n";
    std::cout << out;
    return kExitOk;
}

}  // namespace penumbro::cli
