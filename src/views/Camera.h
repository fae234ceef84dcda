#pragma once
// The 3D preview's camera: state and the arithmetic of turning, panning, zooming and
// the view presets, with no graphics library behind it. The widget feeds mouse and
// track-bar events in and applies the results:
//   glViewport(0, 0, width, height); gluPerspective(fovY, aspect, zNear, zFar);
//   glTranslated(0, 0, distance); glRotatef(rotX, 1, 0, 0); glRotatef(rotY, 0, 1, 0);
//   glTranslated(cx, cy, cz)
// Angles in degrees, lengths in the project's unit, in the view's axes (X east, Y up,
// Z south); screen coordinates in pixels with y growing downward.

#include "views/SceneExtent.h"

#include <array>
#include <optional>
#include <string>

namespace penumbro {

struct Camera {
    int drehwinkelX = 90;  // tilt about X; dragging keeps it in 0..90 (90: straight down, 0: horizontal)
    int drehwinkelY = 0;   // turn about the vertical; mouse turning keeps it in -179..180
    double cx = 0.0, cy = 0.0, cz = 0.0;  // Verschiebung: shift of the scene
    double letzteAusdehnung = 1.0;        // scene extent E the projection was made for
    int lastX = 0, lastY = 0;             // last mouse position
    int zoomPosition = -80;               // track bar, -100 (far) .. 0
};

inline constexpr int kZoomMinimum = -100;
inline constexpr int kZoomMaximum = 0;

struct Projection {
    int width = 0, height = 0;  // viewport
    double fovY = 45.0;
    double aspect = 1.0;
    double zNear = 1.0;
    double zFar = 100.0;
};

struct ModelView {
    double distance = 0.0;  // along the eye's Z, negative: away from the eye
    double rotX = 0.0;
    double rotY = 0.0;
    double cx = 0.0, cy = 0.0, cz = 0.0;
};

// The mouse buttons held during a move: only one of the two alone turns or pans.
enum class DragButtons { LeftOnly, RightOnly, Other };

// A standard view of the preview's menu: its button, the angles it sets and the
// vertical shift (the side views look at the scene a little from above its middle).
struct ViewPreset {
    const char* button;  // objectName of the menu button
    int drehwinkelY;
    int drehwinkelX;
    double cy;
};

// The menu's views from top to bottom: from the sky, from north, south, east, west.
const std::array<ViewPreset, 5>& viewPresets();

// Projection after a resize of the panel. The far plane follows the extent the camera
// was last set up for (100 * E), so a resize does not cut off a large scene.
Projection resizeProjection(const Camera& camera, int width, int height);

// When a scene with objects has a new extent: remember it and return the projection
// with far plane 100 * E; otherwise nothing changes.
std::optional<Projection> followExtent(Camera& camera, const SceneExtent& extent, int width,
                                       int height);

// Distance of the scene from the eye: E / 25 * zoom position (-4 E .. 0).
double zoomDistance(const Camera& camera);
ModelView modelView(const Camera& camera);
// A view point carried through the model-view transforms into eye coordinates (the eye
// looks along -Z with Y up on the screen).
std::array<double, 3> toEye(const ModelView& view, const std::array<double, 3>& point);

void mouseDown(Camera& camera, int x, int y);
// Turns (left) or pans (right) by the move from the last position; true when the view
// must be redrawn.
bool mouseMove(Camera& camera, DragButtons buttons, int x, int y);

// Sets the shift and the angles of a standard view.
void applyPreset(Camera& camera, const ViewPreset& preset);

// The zoom label: "Zoom:", a carriage return, and position + 100.
std::string zoomLabel(int position);

// Row of the object list under the pointer, 1-based (0 when the item height is unknown).
int hoveredObject(int y, int itemHeight, int topIndex);

}  // namespace penumbro
