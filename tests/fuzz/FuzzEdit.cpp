// Project text -> the list operations (delete, copy as a new object, change without
// edits). The first two bytes choose the operation and the object. A change without
// edits is idempotent: changing the object a second time leaves the text as the first
// change wrote it.

#include "editor/ObjectSplices.h"
#include "editor/ObjectTable.h"
#include "project/InputError.h"

#include "FuzzSupport.h"

#include <cstdlib>

using namespace penumbro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int operation = data[0] % 3;
    const int nr = 1 + data[1] % 16;
    const Lines text = fuzz::linesOf(data + 2, size - 2);
    try {
        switch (operation) {
        case 0:
            (void)ListeAufbauen(deleteObject(text, nr));
            break;
        case 1: {
            const Lines copied = objectLines(text, nr);
            (void)ListeAufbauen(commitInsert(text, nr, copied));
            break;
        }
        default: {
            const Lines once = fuzz::changeWithoutEdits(text, nr);
            if (fuzz::changeWithoutEdits(once, nr) != once) std::abort();
        }
        }
    } catch (const InputError&) {
    }
    return 0;
}
