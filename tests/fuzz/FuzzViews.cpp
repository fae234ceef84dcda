// Project text -> the view scene, the VRML world and the preview scene. Their output
// grows at most linearly with the text: a few lines may not draw a world of gigabytes.

#include "views/PreviewScene.h"
#include "views/VrmlTexts.h"
#include "views/VrmlWriter.h"

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // Output allowed per input byte and for the fixed parts; the densest input, "0-360=1",
    // draws 36 wall segments (about 25 KB) from 8 bytes.
    constexpr std::size_t kBytesPerByte = 4096, kFixedBytes = 100000;
    const Language lang = data[0] % 2 ? Language::German : Language::English;
    const Lines text = fuzz::linesOf(data + 1, size - 1);
    fuzz::refusalAllowed([&] {
        const std::string world = vrmlDocument(text, vrmlTexts(lang), "fuzz.dat");
        fuzz::require(world.size() <= kFixedBytes + kBytesPerByte * size);
        const PreviewScene preview = buildPreviewScene(text, data[0] % 4, data[0] % 8 < 4, "fuzz.dat");
        std::size_t vertices = 0;
        for (const auto& p : preview.primitives) vertices += p.vertices.size();
        fuzz::require(vertices * sizeof(PreviewVertex) <= kFixedBytes + kBytesPerByte * size);
    });
    return 0;
}
