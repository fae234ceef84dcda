// Field values -> generator panel -> lines added to a project with one target; they must read back
// and change idempotently. The first line names the kind, every further line is FIELD=VALUE.

#include "editor/ObjectTable.h"
#include "editor/panels/PanelFields.h"
#include "support/SampleProjects.h"

#include "FuzzSupport.h"

template <class Panel>
Lines generated(const FieldValues& values, const Lines& text) {
    Panel p;
    applyFields(p, values, Language::English);
    if constexpr (std::is_same_v<Panel, OverhangPanel>) p.targetNumber = 1;
    return fuzz::generate(p, text);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Lines input = fuzz::linesOf(data, size);
    if (input.empty()) return 0;
    FieldValues values;
    for (std::size_t i = 1; i < input.size(); ++i) {
        const auto eq = input[i].find('=');
        if (eq == std::string::npos) return 0;
        values.emplace_back(input[i].substr(0, eq), input[i].substr(eq + 1));
    }
    const Lines base = testing::collectorProject();
    Lines lines;
    try {
        const std::string& kind = input[0];
        if (kind == "rectangle") lines = generated<RectanglePanel>(values, base);
        else if (kind == "polygon") lines = generated<PolygonPanel>(values, base);
        else if (kind == "overhang") lines = generated<OverhangPanel>(values, base);
        else if (kind == "house") lines = generated<HousePanel>(values, base);
        else if (kind == "tree") lines = generated<TreePanel>(values, base);
        else return 0;
    } catch (const InputError&) {
        return 0;  // the panel refuses the values
    }
    const int nr = ListeAufbauen(base).ObjektAnzahl + 1;
    const Lines added = commitInsert(base, nr, lines);
    fuzz::require(!ListeAufbauen(added).faulty());
    fuzz::requireIdempotentChange(added, nr);
    return 0;
}
