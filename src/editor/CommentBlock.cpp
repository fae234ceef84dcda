#include "editor/CommentBlock.h"

#include "project/ProjectFormat.h"

namespace penumbro {

namespace {
constexpr std::size_t kCommentWidth = 79;
}

Lines KommentarExit(const Lines& text, const Lines& memo) {
    // A memo line holding a line break would put a non-comment line into the text.
    Lines lines;
    for (const auto& m : memo) {
        std::size_t b = 0;
        for (;;) {
            const std::size_t e = m.find('\n', b);
            std::string part = m.substr(b, e == std::string::npos ? std::string::npos : e - b);
            if (!part.empty() && part.back() == '\r') part.pop_back();
            lines.push_back(std::move(part));
            if (e == std::string::npos) break;
            b = e + 1;
        }
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    Lines out;
    for (const auto& l : lines) {
        std::string c = "* " + l;
        if (c.size() > kCommentWidth) c.resize(kCommentWidth);
        out.push_back(std::move(c));
    }
    if (out.empty()) out.push_back("* ");
    for (const auto& l : text)
        if (!isCommentLine(l)) out.push_back(l);
    return out;
}

}  // namespace penumbro
