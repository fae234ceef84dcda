#pragma once
// What every harness shares: the input as project lines; bad input may only end in an InputError.

#include "editor/GeneratorEdit.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <type_traits>
#include <unistd.h>

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

// A folder of the harness's own for the files an export reads and writes; in memory
// where the system has such a folder, so that the writer's flush costs nothing.
inline const std::filesystem::path& scratchDir() {
    static const std::filesystem::path dir = [] {
        const std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string name = (base / "penumbro-fuzz-XXXXXX").string();
        require(::mkdtemp(name.data()) != nullptr);
        return std::filesystem::path(name);
    }();
    return dir;
}

inline std::string writeScratch(const std::string& name, const std::string& bytes) {
    const std::string path = (scratchDir() / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

inline std::size_t filesInScratch() {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(scratchDir())) ++n;
    return n;
}

// Every field between the separators that starts like a number reads as a finite one.
inline bool numbersAreFinite(std::string_view text, std::string_view separators) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of(separators, start), text.size());
        const std::string field(text.substr(start, end - start));
        if (field.find("nan") != std::string::npos || field.find("inf") != std::string::npos) return false;
        if (!field.empty() && (std::isdigit(static_cast<unsigned char>(field[0])) || field[0] == '-')) {
            char* stop = nullptr;
            const double v = std::strtod(field.c_str(), &stop);
            if (!std::isfinite(v) || field.size() > 24) return false;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace penumbro::fuzz

using namespace penumbro;
