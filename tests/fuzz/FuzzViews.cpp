// Project text -> the view scene, the VRML world and the preview scene. Their output
// grows at most linearly with the text: a few lines may not draw a world of gigabytes.

#include "project/InputError.h"
#include "views/PreviewScene.h"
#include "views/VrmlTexts.h"
#include "views/VrmlWriter.h"

#include "FuzzSupport.h"

#include <cstdlib>

using namespace penumbro;

namespace {
// Output allowed per input byte, and for the fixed parts (ground plate, viewpoints). The
// densest input is a horizon line "0-360=1": 8 bytes draw a full circle of 36 wall
// segments, about 25 KB of world.
constexpr std::size_t kBytesPerByte = 4096;
constexpr std::size_t kFixedBytes = 100000;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const Language lang = data[0] % 2 ? Language::German : Language::English;
    const Lines text = fuzz::linesOf(data + 1, size - 1);
    try {
        const std::string world = vrmlDocument(text, vrmlTexts(lang), "fuzz.dat");
        if (world.size() > kFixedBytes + kBytesPerByte * size) std::abort();
        const PreviewScene preview = buildPreviewScene(text, data[0] % 4, data[0] % 8 < 4, "fuzz.dat");
        std::size_t vertices = 0;
        for (const auto& p : preview.primitives) vertices += p.vertices.size();
        if (vertices * sizeof(PreviewVertex) > kFixedBytes + kBytesPerByte * size) std::abort();
    } catch (const InputError&) {
    }
    return 0;
}
