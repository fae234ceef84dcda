// Schedule file (.sch) -> twelve monthly percentages; what reads writes back the same bytes.

#include "editor/ScheduleFile.h"
#include "project/InputError.h"

#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <unistd.h>

using namespace penumbro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/penumbro-fuzz-" + std::to_string(::getpid()) + ".sch";
    const std::string bytes = fuzz::textOf(data, size);
    std::ofstream(path, std::ios::binary) << bytes;
    try {
        const std::array<int, 12> values = readSchedule(path);
        writeSchedule(path, values);
        std::ifstream in(path, std::ios::binary);
        if (std::string(std::istreambuf_iterator<char>(in), {}) != bytes) std::abort();
    } catch (const InputError&) {
    }
    std::remove(path.c_str());
    return 0;
}
