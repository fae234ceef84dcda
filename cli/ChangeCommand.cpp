#include "Cli.h"
#include "EditSupport.h"

#include "editor/GeneratorEdit.h"
#include "editor/panels/PanelFields.h"
#include "project/InputError.h"

#include <algorithm>

namespace penumbro::cli {

namespace {

FieldValues fieldArguments(const std::vector<std::string>& args) {
    FieldValues values;
    for (const std::string& a : args) {
        const std::size_t eq = a.find('=');
        if (eq == std::string::npos || eq == 0) throw UsageError{"expected FIELD=VALUE, not \"" + a + "\""};
        const std::string field = a.substr(0, eq);
        for (const auto& [f, v] : values) {
            if (f == field) throw UsageError{"field \"" + field + "\" given twice"};
        }
        values.emplace_back(field, fromArgument(a.substr(eq + 1)));
    }
    return values;
}

void requireKnown(const FieldValues& values, std::vector<std::string> allowed, const std::string& kind) {
    for (const auto& [field, value] : values) {
        if (std::find(allowed.begin(), allowed.end(), field) != allowed.end()) continue;
        std::string list;
        for (const auto& f : allowed) list += (list.empty() ? "" : ", ") + f;
        throw UsageError{"object is " + kind + " and has no field \"" + field + "\" (fields: " + list + ")"};
    }
}

}  // namespace

// Opens object N as the editor's change does, puts the given fields into its panel
// and confirms it; a changed plain surface takes its overhangs along.
int runChange(const Args& args) {
    if (args.size() < 2) throw UsageError{"expected a project file and an object number"};
    const std::string path = projectPathArgument(args);
    const long long nr = integerField("object number", args[1]);
    if (nr < 1 || nr > 10000) throw InputError("object number: " + args[1] + " does not exist");
    const FieldValues values = fieldArguments({args.begin() + 2, args.end()});
    const Language lang = Language::English;
    const int objectNr = static_cast<int>(nr);

    editProjectFile(path, [&](const Lines& text) {
        ChangePanel panel = openForChange(text, objectNr);
        Lines generated;
        if (auto* p = std::get_if<PolygonPanel>(&panel)) {
            requireKnown(values, polygonFieldNames(), "a plain surface");
            applyFields(*p, values, lang);
            generated = p->generate(lang);
        } else if (auto* o = std::get_if<OverhangPanel>(&panel)) {
            std::vector<std::string> allowed = overhangFieldNames();
            allowed.insert(allowed.begin() + 1, "target");
            requireKnown(values, allowed, "an overhang");
            FieldValues rest;
            for (const auto& fv : values) {
                if (fv.first != "target") {
                    rest.push_back(fv);
                } else if (integerField("target", fv.second) != o->targetNumber) {
                    throw InputError("target: an overhang keeps its target (object " +
                                     std::to_string(o->targetNumber) + ")");
                }
            }
            applyFields(*o, rest, lang);
            generated = o->generate(text, lang);
        } else if (auto* h = std::get_if<HousePanel>(&panel)) {
            requireKnown(values, houseFieldNames(), "a house");
            applyFields(*h, values, lang);
            generated = h->generate(lang);
        } else {
            auto& t = std::get<TreePanel>(panel);
            requireKnown(values, treeFieldNames(), "a tree");
            applyFields(t, values, lang);
            generated = t.generate(lang);
        }
        return commitChange(text, objectNr, generated);
    });
    return kExitOk;
}

}  // namespace penumbro::cli
