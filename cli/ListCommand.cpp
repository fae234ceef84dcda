#include "Cli.h"
#include "EditSupport.h"

#include "editor/ObjectTable.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"
#include "project/SharedTexts.h"

#include <iostream>

namespace penumbro::cli {

int runList(const Args& args) {
    const Options options(args, {.values = {"lang"}});
    if (options.positional().size() != 1) throw UsageError{"expected exactly one project file"};
    const std::string path = projectPathArgument(options.positional());
    const Language lang = languageOption(options);
    const bool de = lang == Language::German;

    const LoadedProject project = loadProjectFile(path);
    const ObjectList objects = ListeAufbauen(project.lines);

    std::string out;
    for (int k = 1; k <= objects.ObjektAnzahl; ++k) {
        std::string label = objects.labels[static_cast<std::size_t>(k - 1)];
        if (const auto tab = label.find('\t'); tab != std::string::npos) label.erase(tab, 1);
        out += formatInt(k) + ". " + label + "\n";
    }
    out += (de ? "Objektanzahl: " : "Objects: ") + objects.objectCountText(lang) + "\n";
    if (objects.site.present) {
        out += (de ? "Breitengrad: " : "Latitude: ") + objects.site.latitudeText(lang) + "\n";
        out += (de ? "L\xE4ngengrad: " : "Longitude: ") + objects.site.longitudeText(lang) + "\n";
        out += (de ? "Zeitzone: " : "Time zone: ") + objects.site.timeZone + "\n";
    }
    if (objects.hasReflectance) {
        out += de ? "Bodenreflexion:" : "Ground reflection:";
        for (int v : objects.reflectance) out += " " + formatInt(v);
        out += "\n";
    }
    std::cout << toTerminal(out);

    bool error = false;
    printLoadNotes(path, project);
    for (const auto& w : objects.warnings) {
        std::cerr << toTerminal(InputError(path, w.line, w.text).render(messageLanguage())) << "\n";
        error = true;
    }
    if (objects.faulty()) {
        std::cerr << toTerminal(InputError(path, objects.reportedLine(), objects.errorDetail).render(messageLanguage()))
                  << "\n";
        error = true;
    }
    return error ? kExitInput : kExitOk;
}

}  // namespace penumbro::cli
