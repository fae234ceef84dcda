// penumbro-cli: the headless tool. One program, one sub-command per job.

#include "Cli.h"

#include "project/InputError.h"
#include "project/Version.h"

#include <cstdlib>
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
        {"run", "fast run: write the report (.rep) and mean-value (.mit) files",
         "usage: penumbro-cli run PROJECT.dat [--kon FILE.kon] [--set KEY=VALUE]... [-o|--out BASE] [--comma]\n"
         "                        [--method raster|exact]\n"
         "  Parameters from --kon, else standard.kon (see README), else the start values,\n"
         "  changed by --set (keys as in \"penumbro-cli kon\"); the site from the project.\n"
         "  Writes BASE.rep and BASE.mit (BASE: the project path without its extension);\n"
         "  --comma writes \",\" as the decimal sign. Ctrl-C, SIGTERM or SIGHUP end the run\n"
         "  early; the files then hold the instants computed so far, the earlier files are\n"
         "  kept as BASE.rep.bak and BASE.mit.bak, and a line says which days the files hold\n"
         "  (exit code 128 + the signal's number: 130, 143, 129).\n"
         "  --method exact computes the shading from exact areas instead of counted pixels\n"
         "  (slower; the resolution keys are then unused). The default is raster.\n",
         runRun},
        {"batch", "fast runs of every target of several projects, on every core",
         "usage: penumbro-cli batch PROJECT.dat... [--list LIST] [--kon FILE.kon] [--set KEY=VALUE]... [--comma]\n"
         "                          [--method raster|exact] [--jobs N] [--shard K/N]\n"
         "  One fast run per target of every file, as the simulation list runs them: the run sees\n"
         "  only its target and writes STEM.rep and STEM.mit, STEM being the project path without\n"
         "  its extension, or for a file with several targets that plus _01_NAME, _02_NAME, ...\n"
         "  --list reads further project paths from a file, one a line (relative to its folder;\n"
         "  empty and \"#\" lines are skipped). Parameters and --method as for run.\n"
         "  --jobs N runs N entries at a time (default: the number of cores); --shard K/N runs\n"
         "  only entries K, K+N, K+2N, ... of the list, for one task of a job array.\n"
         "  Prints one line per entry. Exit code 0 when every entry was done, 1 otherwise;\n"
         "  Ctrl-C, SIGTERM or SIGHUP stop the batch (128 + the signal's number): finished\n"
         "  entries keep their files; running ones write what they computed, keep the earlier\n"
         "  files as STEM.rep.bak and STEM.mit.bak and say which days their files hold.\n",
         runBatch},
        {"instant", "one instant as a fast run computes it",
         "usage: penumbro-cli instant PROJECT.dat --day D --time HH:MM [--kon FILE.kon] [--set KEY=VALUE]...\n"
         "                            [--picture FILE.bmp] [--online] [--method raster|exact]\n"
         "  Prints \"day=D time=HH:MM azimuth=A elevation=E result=R\"; R is the shaded fraction,\n"
         "  -1 (sun below the horizon or behind the target) or -2 (behind the horizon line).\n"
         "  --picture writes the 480 x 480 shading picture as a 24-bit BMP (raster only).\n"
         "  --online computes as the online view: targets in the middle third of the picture,\n"
         "  every pixel counted (raster only).\n"
         "  --method exact computes R from exact areas instead of counted pixels (the resolution\n"
         "  keys are then unused); raster is the default.\n",
         runInstant},
        {"irradiation", "irradiation on the target from a weather file (.epw), with and without shading",
         "usage: penumbro-cli irradiation PROJECT.dat --weather FILE.epw [--kon FILE.kon] [--set KEY=VALUE]...\n"
         "                                [--method raster|exact] [--sky-model perez|isotropic]\n"
         "                                [-o|--out BASE] [--hourly]\n"
         "  For every hour of the weather year: beam, sky diffuse and ground-reflected irradiation\n"
         "  on the plane of the first target, unshaded and shaded (see README). The sky diffuse\n"
         "  light follows the Perez model (default) or an isotropic sky. Writes\n"
         "  BASE_irradiation.csv (months 1..12 and year, kWh/m2) and prints it as a table;\n"
         "  --hourly also writes BASE_irradiation_hourly.csv (Wh/m2). BASE: the project path\n"
         "  without its extension. Parameters as for \"run\" (resolution, diffuse-resolution,\n"
         "  elevation-intervals, sky-reduction, obstacle-reflectance).\n",
         runIrradiation},
        {"sunpath", "sun-path diagram with the target's shading mask as SVG",
         "usage: penumbro-cli sunpath PROJECT.dat -o FILE.svg [--lang d|e] [--kon FILE.kon] [--set KEY=VALUE]...\n"
         "                            [--method raster|exact]\n"
         "  Sun paths of the 21st of every month and the clock hours over azimuth and elevation,\n"
         "  the horizon line, and the shaded fraction of the first target for the sky directions\n"
         "  of a 2 x 2 degree grid in bands of 25 %.\n",
         runSunPath},
        {"report", "the shading report as one HTML page, for the screen and for printing",
         "usage: penumbro-cli report PROJECT.dat [--kon K.kon] [--set KEY=VALUE]... [--weather F.epw]\n"
         "                           [--sky-model isotropic|perez] [--method raster|exact] [--lang d|e]\n"
         "                           -o REPORT.html\n"
         "  One self-contained HTML file (no external references; A4 pages when printed): the\n"
         "  project and run parameters, the site and targets, plan and front view of the scene,\n"
         "  the sun-path diagram, the monthly shading of \"run\" with a month-by-hour map and,\n"
         "  with --weather, the irradiation of \"irradiation\" and the monthly loss. Texts in\n"
         "  German (d, the default) or English (e). Parameters as for \"run\".\n",
         runReport},
        {"kon", "read or write a run-parameter file (.kon)",
         "usage: penumbro-cli kon FILE.kon\n"
         "       penumbro-cli kon --write FILE.kon [--set KEY=VALUE]...\n"
         "  Keys: monthly, diffuse, first-month, stop-month, first-day, stop-day,\n"
         "  interval-days, interval-minutes, month-start-day, diffuse-resolution,\n"
         "  online-resolution, latitude, longitude, correction, resolution,\n"
         "  elevation-intervals, sky-reduction, obstacle-reflectance.\n",
         runKon},
        {"export", "export a mean-value file (.mit) as TEXT, TRNSYS or SUNCODE table, or a run for SAM, EnergyPlus, CSV",
         "usage: penumbro-cli export FILE.mit --format text|trnsys|suncode [-o|--out FILE]\n"
         "       penumbro-cli export FILE.mit --format sam [--project P.dat] [--kon K.kon] [--set KEY=VALUE]... [-o FILE]\n"
         "       penumbro-cli export FILE.rep --format energyplus|hourly-csv [--project P.dat] [-o FILE]\n"
         "  sam: 12 x 24 beam shading loss in percent; with diffuse lines also NAME_diffuse.txt\n"
         "  (the year's diffuse loss against the bare target under the run's k from --kon/--set).\n"
         "  energyplus: Schedule:File:Shading CSV of a run over days 1..365 at a step dividing 60 min.\n"
         "  hourly-csv: every instant with the sun's position. The project (target name, site)\n"
         "  defaults to the input's path with .dat.\n"
         "  Without -o the table is written to the current directory under the name\n"
         "  the export window proposes: the .mit file's name up to its first \".\" followed\n"
         "  by txt, trn or sun. A defective .mit file is reported with its line; the\n"
         "  TRNSYS and SUNCODE tables keep what was written before the defect, the TEXT\n"
         "  table stays empty.\n",
         runExport},
        {"vrml", "write the VRML 2.0 world (.wrl) of a project",
         "usage: penumbro-cli vrml PROJECT.dat [-o|--out FILE.wrl] [--lang d|e]\n"
         "  Writes the world with its viewpoints to FILE.wrl (default: the project path\n"
         "  with .wrl) and prints its name. --lang chooses the texts: d German (default),\n"
         "  e English. A malformed project is reported with its line; an existing world\n"
         "  is then left as it was.\n",
         runVrml},
        {"export-scene", "write the scene as glTF 2.0 (.gltf or .glb)",
         "usage: penumbro-cli export-scene PROJECT.dat -o FILE.gltf|FILE.glb\n"
         "  Every surface of the project as a mesh in the colours of the VRML world, for\n"
         "  today's 3D viewers and CAD programs; +Y is up and north is -Z. A .gltf keeps\n"
         "  its geometry in FILE.bin beside it; a .glb holds everything in one file.\n",
         runExportScene},
        {"new", "create a new, empty project file",
         "usage: penumbro-cli new FILE.dat [--force]\n"
         "  Writes the six lines of a new project. An existing file is replaced only\n"
         "  with --force.\n",
         runNew},
        {"list", "show the object list, site and ground reflectance of a project",
         "usage: penumbro-cli list FILE.dat [--lang d|e]\n"
         "  One line per object (number, label, \" (Target)\" for targets), the object\n"
         "  count, the site and the twelve monthly ground reflectances. --lang chooses\n"
         "  the texts: d German (default), e English. A malformed project lists what can\n"
         "  be read, names the line that cannot, and exits with 1.\n",
         runList},
        {"add", "add a rectangle, polygon, house, tree or overhang",
         "usage: penumbro-cli add FILE.dat KIND [--before N] FIELD=VALUE...\n"
         "  Adds the object after the last one, or inserts it before object N (overhang\n"
         "  references behind it are renumbered). Kinds and fields:\n"
         "    rectangle  name, target (0 or 1), lu, lv, u0, v0, azimuth, elevation, x, y, z\n"
         "    polygon    name, target, corners (u1,v1;u2,v2;...), azimuth, elevation, x, y, z\n"
         "    house      name, ew-width, ns-width, height, roof, rotation, x, y, z\n"
         "    tree       name, trunk-height, trunk-diameter, crown-diameter, x, y, z,\n"
         "               foliage (twelve comma-separated percentages, default all 0)\n"
         "    overhang   name, target (object number of a target; default the first),\n"
         "               corners or uv-rectangle (LU,LV,U,V: lengths and first corner),\n"
         "               azimuth-difference, elevation-difference\n"
         "  Azimuth and elevation default to 0; every other number must be given.\n"
         "  Angles in degrees: azimuth clockwise from north (0..360), elevation -90..90.\n",
         runAdd},
        {"change", "change an object's fields; a target's overhangs follow it",
         "usage: penumbro-cli change FILE.dat N FIELD=VALUE...\n"
         "  Object N (as numbered by list) keeps every field not given. Fields as for add:\n"
         "  a rectangle or polygon takes the polygon fields (a rectangle comes back as a\n"
         "  four-corner polygon), an overhang keeps its target. When a plain surface\n"
         "  changes, its overhangs are placed again on it.\n",
         runChange},
        {"delete", "delete an object (a target takes its overhangs along)",
         "usage: penumbro-cli delete FILE.dat N\n"
         "  Removes object N (1-based, as numbered by list). Deleting a target also\n"
         "  removes its overhangs; the overhangs of later targets are renumbered.\n",
         runDelete},
        {"site", "set the site: latitude, longitude, time zone",
         "usage: penumbro-cli site FILE.dat LAT LON TZ\n"
         "  Latitude -90..90 (north positive), longitude -180..180 (west positive),\n"
         "  time zone -12..12 hours (west positive); each is written with one decimal.\n",
         runSite},
        {"reflectance", "set the twelve monthly ground reflectances",
         "usage: penumbro-cli reflectance FILE.dat P1,P2,...,P12\n"
         "  Twelve whole percentages 0..100, January first.\n",
         runReflectance},
        {"horizon", "set or remove the horizon line",
         "usage: penumbro-cli horizon FILE.dat [FROM-TO=HEIGHT]...\n"
         "  Up to 25 intervals in degrees, e.g. 90-180=12.5 (azimuth from north through\n"
         "  east, FROM without sign). Without intervals the horizon is removed.\n"
         "       penumbro-cli horizon FILE.dat --import PROFILE [--format pvgis-csv|pvgis-json|csv]\n"
         "                                     [--azimuth-origin north|south]\n"
         "  Replaces the horizon by a profile reduced to at most 25 intervals, each with the\n"
         "  highest elevation within it. PVGIS azimuths count from south, west positive; the\n"
         "  generic CSV (azimuth, elevation) from north clockwise unless --azimuth-origin south.\n",
         runHorizon},
        {"import", "append the faces of a city model or 3D model as polygon objects",
         "usage: penumbro-cli import PROJECT.dat MODEL [--format auto|citygml|obj|gltf|dae|stl|3ds]\n"
         "                           [--origin E,N,H] [--up y|z] [--scale S] [--radius R] [--lod 1|2]\n"
         "  Every planar face becomes a polygon object named after its building or mesh and\n"
         "  kind (Wand, Dach, Boden); adjacent coplanar triangles are merged, polygons of more\n"
         "  than 8 corners split into convex pieces; nothing imported is a target.\n"
         "  --format: by the file's extension unless given (CityGML: .gml, .xml).\n"
         "  --origin: the model coordinates (east, north, height in metres, after --up and\n"
         "  --scale) of the project's origin; default the centre of a city model's extent at\n"
         "  its lowest height, else the model's own origin.\n"
         "  --up: the model's up axis (default z for STL and 3DS, y for the others; y-up\n"
         "  models have north toward -Z; CityGML is always east, north, height). --scale:\n"
         "  metres per model unit where the file\n"
         "  does not say (Collada does). --radius: only faces with a point within R metres\n"
         "  (horizontally) of the origin. --lod: the CityGML level of detail (default each\n"
         "  building's highest).\n"
         "  Prints buildings or meshes read, faces, polygons written, faces dropped and the\n"
         "  extent. On any error the project file is left as it was.\n",
         runImport},
        {"comment", "replace the project's comment lines",
         "usage: penumbro-cli comment FILE.dat [LINE]...\n"
         "  Each LINE becomes a comment line \"* LINE\" (cut to 79 characters); trailing\n"
         "  empty lines are dropped, and without any LINE the comment is \"* \".\n",
         runComment},
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
    if (name == "--version") {
        std::cout << "penumbro-cli " << penumbro::kProgramVersion << "\n";
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
            std::cerr << toTerminal(e.render(messageLanguage())) << "\n";
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
