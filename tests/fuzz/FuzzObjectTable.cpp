// Project text -> format scan and the editor's object table, which must agree on the
// objects of a sound text.

#include "editor/ObjectTable.h"

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Lines text = fuzz::linesOf(data, size);
    const ProjectScan scan = scanProject(text);
    const ObjectList list = ListeAufbauen(text);
    fuzz::require(list.Objekte.size() == static_cast<std::size_t>(list.ObjektAnzahl) + 1);
    const int end = static_cast<int>(text.size()) + 1;
    for (const TObjekt& o : list.Objekte)
        fuzz::require(o.Zeile >= 0 && o.Zeile <= end);
    fuzz::require(list.errorLine >= 0 && list.errorLine <= end);
    fuzz::refusalAllowed([&] { (void)scanSoundProject(text, "fuzz.dat"); });
    return 0;
}
