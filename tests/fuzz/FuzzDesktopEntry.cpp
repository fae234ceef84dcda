// Desktop entry -> the program of its Exec line, never more than the entry holds.

#include "formats/DesktopEntry.h"

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::require(programOfDesktopEntry(fuzz::textOf(data, size)).size() <= size);
    return 0;
}
