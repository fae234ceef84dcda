#include "Cli.h"
#include "EditSupport.h"
#include "PanelKinds.h"

#include "editor/ObjectTable.h"
#include "project/InputError.h"

namespace penumbro::cli {

// The same panels, checks and splices as the editor window's add and insert.
int runAdd(const Args& args) {
    const Options options(args, {.values = {"before"}});
    const auto& positional = options.positional();
    if (positional.size() < 2) throw UsageError{"expected a project file and a kind"};
    const std::string path = projectPathArgument(positional);
    const PanelKind& kind = panelKindNamed(positional[1]);
    const FieldValues values = fieldArguments({positional.begin() + 2, positional.end()});
    requireFieldsOf(kind, values, std::string("a ") + kind.name);
    const bool before = options.has("before");
    const long long beforeNr = before ? integerField("--before", options.value("before")) : 0;

    editProjectFile(path, [&](const Lines& text) {
        const ObjectList objects = ListeAufbauen(text);
        throwIfFaulty(objects);
        if (before && (beforeNr < 1 || beforeNr > objects.ObjektAnzahl)) {
            throw InputError({ErrorId::BeforeMissing, {std::to_string(beforeNr), std::to_string(objects.ObjektAnzahl)}});
        }
        const int nr = before ? static_cast<int>(beforeNr) : objects.ObjektAnzahl + 1;
        return commitInsert(text, nr, kind.add(text, values, Language::English));
    });
    return kExitOk;
}

}  // namespace penumbro::cli
