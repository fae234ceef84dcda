#include "editor/ScheduleFile.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"

namespace penumbro {

std::array<int, 12> scheduleLesen(const std::string& path) {
    const std::string bytes = readFileBytes(path);
    if (bytes.size() != 12) {
        throw InputError(path, 0,
                         "a schedule file holds exactly 12 bytes, this one " + formatInt(static_cast<long long>(bytes.size())));
    }
    std::array<int, 12> werte{};
    for (std::size_t m = 0; m < 12; ++m) {
        werte[m] = static_cast<unsigned char>(bytes[m]);
        if (werte[m] > 100) {
            throw InputError(path, 0,
                             "byte " + formatInt(static_cast<long long>(m) + 1) + " holds " + formatInt(werte[m]) +
                                 ", not a percentage 0..100");
        }
    }
    return werte;
}

void scheduleSchreiben(const std::string& path, const std::array<int, 12>& werte) {
    std::string bytes;
    for (std::size_t m = 0; m < 12; ++m) {
        if (werte[m] < 0 || werte[m] > 100) {
            throw InputError(path, 0,
                             "month " + formatInt(static_cast<long long>(m) + 1) + ": " + formatInt(werte[m]) +
                                 " is not a percentage 0..100");
        }
        bytes.push_back(static_cast<char>(werte[m]));
    }
    writeFileAtomically(path, bytes);
}

}  // namespace penumbro
