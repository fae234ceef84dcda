// Project text -> the list operations (delete, copy as a new object, change without
// edits). The first two bytes choose the operation and the object.

#include "editor/ObjectSplices.h"
#include "editor/ObjectTable.h"

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int operation = data[0] % 3;
    const int nr = 1 + data[1] % 16;
    const Lines text = fuzz::linesOf(data + 2, size - 2);
    fuzz::refusalAllowed([&] {
        if (operation == 0) (void)ListeAufbauen(deleteObject(text, nr));
        else if (operation == 1) (void)ListeAufbauen(commitInsert(text, nr, objectLines(text, nr)));
        else fuzz::requireIdempotentChange(text, nr);
    });
    return 0;
}
