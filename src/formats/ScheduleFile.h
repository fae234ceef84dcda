#pragma once
// Schedule files (.sch): twelve monthly percentages, one unsigned byte each,
// January first, nothing else. Used for foliage and for ground reflectance.

#include <array>
#include <string>

namespace penumbro {

// Throws InputError naming the file when it cannot be read, is not exactly 12
// bytes long or holds a byte above 100.
std::array<int, 12> readSchedule(const std::string& path);

// Writes the twelve values (each 0..100, else InputError) as 12 bytes, replacing the file.
void writeSchedule(const std::string& path, const std::array<int, 12>& values);

}  // namespace penumbro
