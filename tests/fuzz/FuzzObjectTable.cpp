// Project text -> format scan and the editor's object table, which must agree on the
// objects of a sound text.

#include "editor/ObjectTable.h"
#include "project/InputError.h"

#include "FuzzSupport.h"

#include <cstdlib>

using namespace penumbro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Lines text = fuzz::linesOf(data, size);
    const ProjectScan scan = scanProject(text);
    const ObjectList list = ListeAufbauen(text);
    if (list.Objekte.size() != static_cast<std::size_t>(list.ObjektAnzahl) + 1) std::abort();
    const int end = static_cast<int>(text.size()) + 1;
    for (const TObjekt& o : list.Objekte)
        if (o.Zeile < 0 || o.Zeile > end) std::abort();
    if (list.errorLine < 0 || list.errorLine > end) std::abort();
    try {
        (void)scanSoundProject(text, "fuzz.dat");
    } catch (const InputError&) {
    }
    return 0;
}
