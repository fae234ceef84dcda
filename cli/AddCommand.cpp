#include "Cli.h"
#include "EditSupport.h"

#include "editor/GeneratorEdit.h"
#include "editor/ObjectTable.h"
#include "editor/panels/PanelFields.h"
#include "project/InputError.h"

#include <algorithm>
#include <iostream>

namespace penumbro::cli {

namespace {

// FIELD=VALUE arguments, values converted to project bytes. Unknown or repeated
// fields are usage errors.
FieldValues fieldArguments(const std::vector<std::string>& args, const std::vector<std::string>& allowed,
                           const std::string& kind) {
    FieldValues values;
    for (const std::string& a : args) {
        const std::size_t eq = a.find('=');
        if (eq == std::string::npos || eq == 0) throw UsageError{"expected FIELD=VALUE, not \"" + a + "\""};
        const std::string field = a.substr(0, eq);
        if (std::find(allowed.begin(), allowed.end(), field) == allowed.end()) {
            std::string list;
            for (const auto& f : allowed) list += (list.empty() ? "" : ", ") + f;
            throw UsageError{"a " + kind + " has no field \"" + field + "\" (fields: " + list + ")"};
        }
        for (const auto& [f, v] : values) {
            if (f == field) throw UsageError{"field \"" + field + "\" given twice"};
        }
        values.emplace_back(field, fromArgument(a.substr(eq + 1)));
    }
    return values;
}

// The overhang's target: the given object number, which must be a target, or the
// first target as the chooser takes it when nothing is selected.
int targetOfOverhang(const Lines& text, const FieldValues& values) {
    const std::vector<TargetChoice> choices = targetChoices(text);
    std::optional<std::size_t> selected;
    for (const auto& [field, value] : values) {
        if (field != "target") continue;
        const long long nr = integerField("target", value);
        for (std::size_t i = 0; i < choices.size(); ++i) {
            if (choices[i].objectNumber == nr) selected = i;
        }
        if (!selected) throw InputError("target: object " + value + " is not a target surface");
    }
    const auto chosen = chooseTarget(choices, selected);
    if (!chosen) throw InputError("target: the project has no target surface");
    if (chosen->showNotice) std::cerr << toTerminal(noTargetChosenMessage()) << "\n";
    return chosen->objectNumber;
}

FieldValues without(const FieldValues& values, const std::string& field) {
    FieldValues out;
    for (const auto& fv : values) {
        if (fv.first != field) out.push_back(fv);
    }
    return out;
}

}  // namespace

// The same panels, checks and splices as the editor window's add and insert.
int runAdd(const Args& args) {
    const Options options(args, {"before"});
    const auto& positional = options.positional();
    if (positional.size() < 2) throw UsageError{"expected a project file and a kind"};
    const std::string path = projectPathArgument(positional);
    const std::string kind = positional[1];
    const std::vector<std::string> rest(positional.begin() + 2, positional.end());

    std::vector<std::string> allowed;
    if (kind == "rectangle") allowed = rectangleFieldNames();
    else if (kind == "polygon") allowed = polygonFieldNames();
    else if (kind == "house") allowed = houseFieldNames();
    else if (kind == "tree") allowed = treeFieldNames();
    else if (kind == "overhang") {
        allowed = overhangFieldNames();
        allowed.insert(allowed.begin() + 1, "target");
    } else {
        throw UsageError{"unknown kind \"" + kind + "\" (rectangle, polygon, house, tree, overhang)"};
    }
    const FieldValues values = fieldArguments(rest, allowed, kind);
    const bool before = options.has("before");
    const long long beforeNr = before ? integerField("--before", options.value("before")) : 0;
    const Language lang = Language::English;

    editProjectFile(path, [&](const Lines& text) {
        const ObjectList liste = ListeAufbauen(text);
        throwIfFaulty(liste);
        if (before && (beforeNr < 1 || beforeNr > liste.ObjektAnzahl)) {
            throw InputError("--before: there is no object " + std::to_string(beforeNr) + " (the project has " +
                             std::to_string(liste.ObjektAnzahl) + " objects)");
        }
        const int nr = before ? static_cast<int>(beforeNr) : liste.ObjektAnzahl + 1;
        Lines generated;
        if (kind == "rectangle") {
            RectanglePanel p;
            applyFields(p, values, lang);
            generated = p.generate(lang);
        } else if (kind == "polygon") {
            PolygonPanel p;
            applyFields(p, values, lang);
            generated = p.generate(lang);
        } else if (kind == "house") {
            HousePanel p;
            applyFields(p, values, lang);
            generated = p.generate(lang);
        } else if (kind == "tree") {
            TreePanel p;
            applyFields(p, values, lang);
            generated = p.generate(lang);
        } else {
            OverhangPanel p;
            applyFields(p, without(values, "target"), lang);
            // Check the fields before the target, so a bad field is named first.
            if (const PanelCheck c = p.check(lang); !c.okEnabled()) throwPanelProblem(c);
            p.targetNumber = targetOfOverhang(text, values);
            generated = p.generate(text, lang);
        }
        return commitInsert(text, nr, generated);
    });
    return kExitOk;
}

}  // namespace penumbro::cli
