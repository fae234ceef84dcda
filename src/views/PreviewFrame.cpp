#include "views/PreviewFrame.h"

namespace penumbro {

PreviewFrame preparePreviewFrame(Camera& camera, const Lines& text, int highlightedObject,
                                 bool groundPlate, int width, int height,
                                 const std::string& fileName) {
    PreviewFrame frame;
    frame.modelView = modelView(camera);
    frame.scene = buildPreviewScene(text, highlightedObject, groundPlate, fileName);
    frame.projection = followExtent(camera, frame.scene.extent, width, height);
    return frame;
}

}  // namespace penumbro
