#pragma once
// What every harness shares: the input as project lines, and the rule that bad input
// may only end in an InputError.

#include "editor/GeneratorEdit.h"
#include "project/ProjectFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

namespace penumbro::fuzz {

inline std::string textOf(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

inline Lines linesOf(const std::uint8_t* data, std::size_t size) { return splitLines(textOf(data, size)); }

// The editor's change of object nr confirmed without touching a field.
inline Lines changeWithoutEdits(const Lines& text, int nr) {
    const ChangePanel panel = openForChange(text, nr);
    const Lines generated = std::visit(
        [&](const auto& p) -> Lines {
            if constexpr (std::is_same_v<std::decay_t<decltype(p)>, OverhangPanel>)
                return p.generate(text, Language::English);
            else
                return p.generate(Language::English);
        },
        panel);
    return commitChange(text, nr, generated);
}

}  // namespace penumbro::fuzz
