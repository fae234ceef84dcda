// Desktop entry -> the program of its Exec line, never more than the entry holds.

#include "views/Player.h"

#include "FuzzSupport.h"

#include <cstdlib>

using namespace penumbro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string program = programOfDesktopEntry(fuzz::textOf(data, size));
    if (program.size() > size) std::abort();
    return 0;
}
