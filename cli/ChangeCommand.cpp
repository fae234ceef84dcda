#include "Cli.h"
#include "EditSupport.h"
#include "PanelKinds.h"

#include "project/InputError.h"

namespace penumbro::cli {

// Opens object N as the editor's change does, puts the given fields into its panel
// and confirms it; a changed plain surface takes its overhangs along.
int runChange(const Args& arguments) {
    const Args args = Options(arguments, {}).positional();
    if (args.size() < 2) throw UsageError{"expected a project file and an object number"};
    const std::string path = projectPathArgument(args);
    const long long nr = integerField("object number", args[1]);
    if (nr < 1 || nr > 10000) throw InputError({ErrorId::ObjectNumberMissing, {args[1]}});
    const int objectNr = static_cast<int>(nr);
    const FieldValues values = fieldArguments({args.begin() + 2, args.end()});

    editProjectFile(path, [&](const Lines& text) {
        ChangePanel panel = openForChange(text, objectNr);
        const PanelKind& kind = panelKindOf(panel);
        requireFieldsOf(kind, values, "object " + args[1] + " is " + kind.description + " and");
        return commitChange(text, objectNr, kind.change(panel, text, values, Language::English));
    });
    return kExitOk;
}

}  // namespace penumbro::cli
