#pragma once
// One redraw of the 3D preview, prepared: what the widget sets up and draws. Keeps the
// order of the redraw: the zoom distance is taken with the extent of the previous
// redraw, and only then does the scene's extent (when it changed) reset the projection.

#include "project/ProjectText.h"
#include "views/Camera.h"
#include "views/PreviewScene.h"

#include <optional>
#include <string>

namespace penumbro {

struct PreviewFrame {
    ModelView modelView;
    std::optional<Projection> projection;  // set when the projection must be made anew
    PreviewScene scene;                    // scene.extent.hasObjects false: hide the view
};

// Throws InputError like buildPreviewScene; the camera is then left unchanged.
PreviewFrame preparePreviewFrame(Camera& camera, const Lines& text, int highlightedObject,
                                 bool groundPlate, int width, int height,
                                 const std::string& fileName = {});

}  // namespace penumbro
