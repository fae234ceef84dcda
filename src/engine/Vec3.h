#pragma once

namespace penumbro {

// A point or direction; lengths in the project's unit (metres).
struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

}  // namespace penumbro
