// penumbro-cli: the headless tool. One program, one sub-command per job.

#include "Cli.h"

#include "project/InputError.h"

#include <cstring>
#include <iostream>

using namespace penumbro::cli;

namespace {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"sun", "sun position for a day, time and site",
         "usage: penumbro-cli sun --day D --time HH:MM --lat L --lon L [--correction H]\n"
         "  Prints \"azimuth=A elevation=E\" in degrees (azimuth from north through east).\n"
         "  Longitude is positive west of Greenwich; the correction in hours is added to the\n"
         "  clock time, as in the project's \"Standort\" line.\n",
         runSun},
        {"compile", "print the compiled model of a project",
         "usage: penumbro-cli compile PROJECT.dat\n"
         "  Prints every surface in the frame of the first target, then the foliage table,\n"
         "  the horizon entries, the site and the ground reflectance.\n",
         runCompile},
        {"kon", "read or write a run-parameter file (.kon)",
         "usage: penumbro-cli kon FILE.kon\n"
         "       penumbro-cli kon --write FILE.kon [--set KEY=VALUE]...\n"
         "  Keys: monthly, diffuse, first-month, stop-month, first-day, stop-day,\n"
         "  interval-days, interval-minutes, month-start-day, diffuse-resolution,\n"
         "  online-resolution, latitude, longitude, correction, resolution,\n"
         "  elevation-intervals, sky-reduction, obstacle-reflectance.\n",
         runKon},
        {"export", "export a mean-value file (.mit) as TEXT, TRNSYS or SUNCODE table",
         "usage: penumbro-cli export FILE.mit --format text|trnsys|suncode [-o FILE]\n"
         "  Without -o the table is written to the current directory under the name\n"
         "  the export window proposes: the .mit file's name up to its first \".\" followed\n"
         "  by txt, trn or sun. A defective .mit file is reported with its line; the\n"
         "  TRNSYS and SUNCODE tables keep what was written before the defect, the TEXT\n"
         "  table stays empty.\n",
         runExport},
    };
    return table;
}

void printOverview(std::ostream& out) {
    out << "usage: penumbro-cli COMMAND [ARGS]...   (penumbro-cli COMMAND --help for details)\n"
           "commands:\n";
    for (const auto& c : commands()) {
        out << "  " << c.name << std::string(12 - std::min<std::size_t>(11, std::strlen(c.name)), ' ')
            << c.summary << "\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc < 2) {
        printOverview(std::cerr);
        return kExitUsage;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printOverview(std::cout);
        return kExitOk;
    }
    for (const auto& c : commands()) {
        if (name != c.name) continue;
        Args args(argv + 2, argv + argc);
        if (wantsHelp(args)) {
            std::cout << c.usage;
            return kExitOk;
        }
        try {
            return c.run(args);
        } catch (const UsageError& e) {
            std::cerr << "penumbro-cli " << c.name << ": " << e.message << "\n" << c.usage;
            return kExitUsage;
        } catch (const penumbro::InputError& e) {
            std::cerr << toTerminal(e.what()) << "\n";
            return kExitInput;
        } catch (const std::exception& e) {
            std::cerr << "penumbro-cli " << c.name << ": " << e.what() << "\n";
            return kExitInput;
        }
    }
    std::cerr << "penumbro-cli: unknown command \"" << name << "\"\n";
    printOverview(std::cerr);
    return kExitUsage;
}
