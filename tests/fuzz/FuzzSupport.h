#pragma once
// What every harness shares: the input as project lines; bad input may only end in an InputError.

#include "editor/GeneratorEdit.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"

#include <cstdint>
#include <cstdlib>
#include <type_traits>

namespace penumbro::fuzz {

inline void require(bool property) {  // a broken property ends the run where the fuzzer sees it
    if (!property) std::abort();
}

// Runs f; a refusal of the input is a sound end.
template <class F>
void refusalAllowed(F&& f) {
    try {
        f();
    } catch (const InputError&) {
    }
}

inline std::string textOf(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

inline Lines linesOf(const std::uint8_t* data, std::size_t size) { return splitLines(textOf(data, size)); }

// What a panel writes when confirmed without touching a field.
template <class Panel>
Lines generate(const Panel& p, const Lines& text) {
    if constexpr (std::is_same_v<Panel, OverhangPanel>) return p.generate(text, Language::English);
    else return p.generate(Language::English);
}

// A change of object nr without edits is idempotent.
inline void requireIdempotentChange(const Lines& text, int nr) {
    const auto change = [](const Lines& t, int n) {
        const auto write = [&](const auto& p) { return generate(p, t); };
        return commitChange(t, n, std::visit(write, openForChange(t, n)));
    };
    const Lines once = change(text, nr);
    require(change(once, nr) == once);
}

}  // namespace penumbro::fuzz

using namespace penumbro;
