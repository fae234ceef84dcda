#include "project/TextLines.h"

namespace penumbro {

Lines splitLines(const std::string& bytes) {
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t nl = bytes.find('\n', start);
        if (nl == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        std::size_t end = nl;
        if (end > start && bytes[end - 1] == '\r') --end;
        lines.push_back(bytes.substr(start, end - start));
        start = nl + 1;
    }
    return lines;
}

std::string joinLines(const Lines& lines) {
    std::string out;
    std::size_t total = 0;
    for (const auto& l : lines) total += l.size() + 2;
    out.reserve(total);
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

}  // namespace penumbro
