#pragma once
// The kinds of object that "add" builds and "change" edits: one table with each
// kind's command-line fields and how its panel is filled and generated.

#include "Cli.h"

#include "editor/GeneratorEdit.h"
#include "editor/panels/PanelFields.h"

#include <string>
#include <vector>

namespace penumbro::cli {

struct PanelKind {
    const char* name;         // KIND of "add"
    const char* description;  // how "change" names an object of this kind
    const std::vector<std::string>& (*fields)();  // FIELD names (the overhang's with "target")
    // Fills a fresh panel from values and generates its lines for text.
    Lines (*add)(const Lines& text, const FieldValues& values, Language lang);
    // The panel "change" opens for this kind, or nullptr (a rectangle opens as a polygon).
    bool (*opens)(const ChangePanel& panel);
    // Puts values into the opened panel and generates its lines for text.
    Lines (*change)(ChangePanel& panel, const Lines& text, const FieldValues& values, Language lang);
};

const std::vector<PanelKind>& panelKinds();
// Throws UsageError naming the known kinds.
const PanelKind& panelKindNamed(const std::string& name);
const PanelKind& panelKindOf(const ChangePanel& panel);

// FIELD=VALUE arguments, values converted to project bytes. Malformed or repeated
// fields are usage errors.
FieldValues fieldArguments(const std::vector<std::string>& args);
// A field the kind does not take is a usage error; who names the object ("a tree").
void requireFieldsOf(const PanelKind& kind, const FieldValues& values, const std::string& who);

}  // namespace penumbro::cli
