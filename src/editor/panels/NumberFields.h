#pragma once
// The number fields of a generator kind as one table: the field's key (the command
// line's field name and the check's problem field), the window's edit, the rule its
// text must pass, the panel text it lives in and the value it becomes. The panel's
// check and conversions, the read-back from the parameter line, the command line's
// field names and the window's edits all walk the same table, in the order of the
// parameter line.

#include "editor/generators/GeneratorFormat.h"
#include "editor/panels/PanelCheck.h"

#include <array>
#include <string>
#include <vector>

namespace penumbro {

enum class FieldRule { Number, NotNegative, Degrees };  // Degrees: 0..360

template <class Panel, class Values>
struct NumberField {
    const char* key;       // "ew-width"
    const char* control;   // the window's edit: "Edit22"
    FieldRule rule;
    std::string Panel::*text;
    double& (*value)(Values&);
};

template <class Panel, class Values, std::size_t N>
void checkNumberFields(PanelCheck& c, const Panel& p, const std::array<NumberField<Panel, Values>, N>& fields,
                       Language lang) {
    for (const auto& f : fields) {
        const std::string& text = p.*f.text;
        switch (f.rule) {
            case FieldRule::Number: requireNumber(c, f.key, text, lang); break;
            case FieldRule::NotNegative: requireNotNegative(c, f.key, text, lang); break;
            case FieldRule::Degrees: requireRange(c, f.key, text, 0, 360, lang); break;
        }
    }
}

// The values the texts give; only after a passing check.
template <class Panel, class Values, std::size_t N>
void readNumberFields(const Panel& p, const std::array<NumberField<Panel, Values>, N>& fields, Values& values) {
    for (const auto& f : fields) f.value(values) = *fieldNumber(p.*f.text);
}

// The texts a change shows for the values.
template <class Panel, class Values, std::size_t N>
void showNumberFields(Values values, const std::array<NumberField<Panel, Values>, N>& fields, Panel& p) {
    for (const auto& f : fields) p.*f.text = panelNumber(f.value(values));
}

// The values of a parameter line, read in the table's order.
template <class Panel, class Values, std::size_t N>
void takeParameters(const std::vector<double>& numbers, const std::array<NumberField<Panel, Values>, N>& fields,
                    Values& values) {
    for (std::size_t i = 0; i < N; ++i) fields[i].value(values) = numbers[i];
}

// "name", the table's keys, then the extra keys.
template <class Panel, class Values, std::size_t N>
std::vector<std::string> numberFieldNames(const std::array<NumberField<Panel, Values>, N>& fields,
                                          std::vector<std::string> extra = {}) {
    std::vector<std::string> names{"name"};
    for (const auto& f : fields) names.emplace_back(f.key);
    names.insert(names.end(), extra.begin(), extra.end());
    return names;
}

// The text field the key names ("name" or a table key); nullptr for another key.
template <class Panel, class Values, std::size_t N>
std::string* numberFieldText(Panel& p, const std::array<NumberField<Panel, Values>, N>& fields,
                             const std::string& key) {
    if (key == "name") return &p.name;
    for (const auto& f : fields)
        if (key == f.key) return &(p.*f.text);
    return nullptr;
}

}  // namespace penumbro
