// Schedule file (.sch) -> twelve monthly percentages; what reads writes back the same bytes.

#include "formats/ScheduleFile.h"

#include "FuzzSupport.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/penumbro-fuzz-" + std::to_string(::getpid()) + ".sch";
    const std::string bytes = fuzz::textOf(data, size);
    std::ofstream(path, std::ios::binary) << bytes;
    fuzz::refusalAllowed([&] {
        writeSchedule(path, readSchedule(path));
        std::ifstream in(path, std::ios::binary);
        fuzz::require(std::string(std::istreambuf_iterator<char>(in), {}) == bytes);
    });
    std::remove(path.c_str());
    return 0;
}
