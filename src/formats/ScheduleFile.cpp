#include "formats/ScheduleFile.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"

namespace penumbro {

std::array<int, 12> readSchedule(const std::string& path) {
    const std::string bytes = readFileBytes(path);
    if (bytes.size() != 12) {
        throw InputError(path, 0, {ErrorId::ScheduleSize, {formatInt(static_cast<long long>(bytes.size()))}});
    }
    std::array<int, 12> values{};
    for (std::size_t m = 0; m < 12; ++m) {
        values[m] = static_cast<unsigned char>(bytes[m]);
        if (values[m] > 100) {
            throw InputError(path, 0,
                             {ErrorId::ScheduleByte, {formatInt(static_cast<long long>(m) + 1), formatInt(values[m])}});
        }
    }
    return values;
}

void writeSchedule(const std::string& path, const std::array<int, 12>& values) {
    std::string bytes;
    for (std::size_t m = 0; m < 12; ++m) {
        if (values[m] < 0 || values[m] > 100) {
            throw InputError(path, 0,
                             {ErrorId::ScheduleMonth, {formatInt(static_cast<long long>(m) + 1), formatInt(values[m])}});
        }
        bytes.push_back(static_cast<char>(values[m]));
    }
    writeFileAtomically(path, bytes);
}

}  // namespace penumbro
