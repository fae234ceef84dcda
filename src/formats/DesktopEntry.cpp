#include "formats/DesktopEntry.h"

#include <sstream>

namespace penumbro {

std::string trimWhitespace(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::string programOfDesktopEntry(const std::string& content) {
    std::istringstream in(content);
    std::string line;
    bool inEntry = false;
    std::string exec;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string t = trimWhitespace(line);
        if (t.empty() || t[0] == '#') continue;
        if (t[0] == '[') {
            inEntry = t == "[Desktop Entry]";
            continue;
        }
        if (!inEntry) continue;
        const auto eq = t.find('=');
        if (eq == std::string::npos || trimWhitespace(t.substr(0, eq)) != "Exec") continue;
        exec = trimWhitespace(t.substr(eq + 1));
        break;
    }
    // The value's own escapes first (\s, \\ ...), then the Exec line's quoting.
    std::string value;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] == '\\' && i + 1 < exec.size()) {
            const char c = exec[++i];
            switch (c) {
                case 's': value += ' '; break;
                case 'n': value += '\n'; break;
                case 't': value += '\t'; break;
                case 'r': value += '\r'; break;
                case '\\': value += '\\'; break;
                default: value += '\\'; value += c;
            }
        } else {
            value += exec[i];
        }
    }
    std::string program;
    if (!value.empty() && value[0] == '"') {
        for (std::size_t i = 1; i < value.size(); ++i) {
            if (value[i] == '\\' && i + 1 < value.size()) program += value[++i];
            else if (value[i] == '"') break;
            else program += value[i];
        }
    } else {
        for (std::size_t i = 0; i < value.size() && value[i] != ' ' && value[i] != '\t'; ++i) {
            if (value[i] == '\\' && i + 1 < value.size()) program += value[++i];
            else program += value[i];
        }
    }
    return program;
}

}  // namespace penumbro
