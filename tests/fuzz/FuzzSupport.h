#pragma once
// What every harness shares: the input as project lines, and the rule that bad input
// may only end in an InputError.

#include "project/ProjectFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace penumbro::fuzz {

inline Lines linesOf(const std::uint8_t* data, std::size_t size) {
    return splitLines(std::string(reinterpret_cast<const char*>(data), size));
}

}  // namespace penumbro::fuzz
