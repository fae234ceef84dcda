#include "PanelKinds.h"

#include "EditSupport.h"

#include "project/InputError.h"

#include <algorithm>
#include <iostream>

namespace penumbro::cli {

namespace {

const std::vector<std::string>& overhangArguments() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n = overhangFieldNames();
        n.insert(n.begin() + 1, "target");
        return n;
    }();
    return names;
}

FieldValues without(const FieldValues& values, const std::string& field) {
    FieldValues out;
    std::copy_if(values.begin(), values.end(), std::back_inserter(out),
                 [&](const auto& fv) { return fv.first != field; });
    return out;
}

template <class Panel>
Lines addPanel(const Lines&, const FieldValues& values, Language lang) {
    Panel p;
    applyFields(p, values, lang);
    return p.generate(lang);
}

template <class Panel>
bool opens(const ChangePanel& panel) {
    return std::holds_alternative<Panel>(panel);
}

template <class Panel>
Lines changePanel(ChangePanel& panel, const Lines&, const FieldValues& values, Language lang) {
    Panel& p = std::get<Panel>(panel);
    applyFields(p, values, lang);
    return p.generate(lang);
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
        if (!selected) throw InputError({ErrorId::CliNotTarget, {value}});
    }
    const auto chosen = chooseTarget(choices, selected);
    if (!chosen) throw InputError(ErrorId::CliNoTarget);
    if (chosen->showNotice) std::cerr << toTerminal(noTargetChosenMessage()) << "\n";
    return chosen->objectNumber;
}

// Such an overhang is kept (the geometry is what was asked for), but said to be useless.
void warnIfBehind(const OverhangPanel& panel) {
    if (const auto w = panel.warning()) std::cerr << toTerminal(w->render(messageLanguage())) << "\n";
}

Lines addOverhang(const Lines& text, const FieldValues& values, Language lang) {
    OverhangPanel p;
    applyFields(p, without(values, "target"), lang);
    // Check the fields before the target, so a bad field is named first.
    if (const PanelCheck c = p.check(lang); !c.okEnabled()) throwPanelProblem(c);
    p.targetNumber = targetOfOverhang(text, values);
    Lines lines = p.generate(text, lang);
    warnIfBehind(p);
    return lines;
}

// An overhang keeps its target; "target" may only repeat it.
Lines changeOverhang(ChangePanel& panel, const Lines& text, const FieldValues& values, Language lang) {
    OverhangPanel& o = std::get<OverhangPanel>(panel);
    for (const auto& [field, value] : values) {
        if (field == "target" && integerField("target", value) != o.targetNumber)
            throw InputError({ErrorId::OverhangKeepsTarget, {std::to_string(o.targetNumber)}});
    }
    applyFields(o, without(values, "target"), lang);
    Lines lines = o.generate(text, lang);
    warnIfBehind(o);
    return lines;
}

}  // namespace

const std::vector<PanelKind>& panelKinds() {
    static const std::vector<PanelKind> kinds = {
        {"rectangle", "a rectangle", rectangleFieldNames, addPanel<RectanglePanel>, nullptr, nullptr},
        {"polygon", "a plain surface", polygonFieldNames, addPanel<PolygonPanel>, opens<PolygonPanel>,
         changePanel<PolygonPanel>},
        {"house", "a house", houseFieldNames, addPanel<HousePanel>, opens<HousePanel>, changePanel<HousePanel>},
        {"tree", "a tree", treeFieldNames, addPanel<TreePanel>, opens<TreePanel>, changePanel<TreePanel>},
        {"overhang", "an overhang", overhangArguments, addOverhang, opens<OverhangPanel>, changeOverhang},
    };
    return kinds;
}

const PanelKind& panelKindNamed(const std::string& name) {
    std::string names;
    for (const auto& k : panelKinds()) {
        if (name == k.name) return k;
        names += (names.empty() ? "" : ", ") + std::string(k.name);
    }
    throw UsageError{"unknown kind \"" + name + "\" (" + names + ")"};
}

const PanelKind& panelKindOf(const ChangePanel& panel) {
    for (const auto& k : panelKinds())
        if (k.opens && k.opens(panel)) return k;
    throw std::logic_error("a panel kind without an entry");
}

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

void requireFieldsOf(const PanelKind& kind, const FieldValues& values, const std::string& who) {
    const std::vector<std::string>& allowed = kind.fields();
    for (const auto& [field, value] : values) {
        if (std::find(allowed.begin(), allowed.end(), field) != allowed.end()) continue;
        std::string list;
        for (const auto& f : allowed) list += (list.empty() ? "" : ", ") + f;
        throw UsageError{who + " has no field \"" + field + "\" (fields: " + list + ")"};
    }
}

}  // namespace penumbro::cli
