#include "views/Camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace penumbro {

namespace {
constexpr double kDegree = std::numbers::pi / 180.0;
// Far plane distance in units of the scene extent: the horizon ring (radius 100 E) must
// lie inside it all round, its far side seen across the ring from the farthest zoom.
constexpr double kFarPerExtent = 250.0;
// Panning: one pixel moves the scene by a thousandth of its extent.
constexpr double kPanPerPixel = 1.0 / 1000.0;

Projection projection(int width, int height, double zFar) {
    Projection p;
    p.width = width;
    p.height = height;
    // A panel collapsed to no height would give an infinite aspect.
    p.aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    p.zFar = zFar;
    return p;
}
}  // namespace

Projection resizeProjection(const Camera& camera, int width, int height) {
    return projection(width, height, kFarPerExtent * camera.letzteAusdehnung);
}

std::optional<Projection> followExtent(Camera& camera, const SceneExtent& extent, int width,
                                       int height) {
    if (!extent.hasObjects || extent.size == camera.letzteAusdehnung) return std::nullopt;
    camera.letzteAusdehnung = extent.size;
    return projection(width, height, kFarPerExtent * extent.size);
}

double zoomDistance(const Camera& camera) {
    return camera.letzteAusdehnung / 25.0 * camera.zoomPosition;
}

ModelView modelView(const Camera& camera) {
    return {zoomDistance(camera), static_cast<double>(camera.drehwinkelX),
            static_cast<double>(camera.drehwinkelY), camera.cx, camera.cy, camera.cz};
}

std::array<double, 3> toEye(const ModelView& view, const std::array<double, 3>& point) {
    double x = point[0] + view.cx, y = point[1] + view.cy, z = point[2] + view.cz;
    const double cy = std::cos(view.rotY * kDegree), sy = std::sin(view.rotY * kDegree);
    const double x1 = x * cy + z * sy;
    const double z1 = -x * sy + z * cy;
    const double cx = std::cos(view.rotX * kDegree), sx = std::sin(view.rotX * kDegree);
    const double y2 = y * cx - z1 * sx;
    const double z2 = y * sx + z1 * cx;
    return {x1, y2, z2 + view.distance};
}

void mouseDown(Camera& camera, int x, int y) {
    camera.lastX = x;
    camera.lastY = y;
}

bool mouseMove(Camera& camera, DragButtons buttons, int x, int y) {
    if (buttons == DragButtons::LeftOnly) {
        // One pixel turns by one degree.
        camera.drehwinkelY += x - camera.lastX;
        camera.lastX = x;
        // A single wrap suffices for ordinary moves; the loops also hold the range
        // after a long jump of the pointer or a preset outside it.
        while (camera.drehwinkelY <= -180) camera.drehwinkelY += 360;
        while (camera.drehwinkelY > 180) camera.drehwinkelY -= 360;
        camera.drehwinkelX += y - camera.lastY;
        camera.lastY = y;
        // Between straight down and the horizontal: never under the ground plate.
        camera.drehwinkelX = std::clamp(camera.drehwinkelX, 0, 90);
        return true;
    }
    if (buttons == DragButtons::RightOnly) {
        const double dx = (x - camera.lastX) * kPanPerPixel * camera.letzteAusdehnung;
        const double dy = (camera.lastY - y) * kPanPerPixel * camera.letzteAusdehnung;
        camera.lastX = x;
        camera.lastY = y;
        // The drag in the screen plane, turned back through both view rotations, so the
        // scene follows the pointer.
        const double alpha = camera.drehwinkelX * kDegree;
        const double beta = camera.drehwinkelY * kDegree;
        camera.cx += std::cos(beta) * dx + std::sin(beta) * std::sin(alpha) * dy;
        camera.cy += std::cos(alpha) * dy;
        camera.cz += std::sin(beta) * dx - std::cos(beta) * std::sin(alpha) * dy;
        return true;
    }
    return false;
}

const std::array<ViewPreset, 5>& viewPresets() {
    static const std::array<ViewPreset, 5> presets{{
        {"Button_Aufsicht", 0, 90, 0.0},
        {"Button_NordAnsicht", 180, 0, -0.5},
        {"Button_Suedansicht", 0, 0, -0.5},
        {"Button_Ostansicht", 270, 0, -0.5},
        {"Button_Westansicht", 90, 0, -0.5},
    }};
    return presets;
}

void applyPreset(Camera& camera, const ViewPreset& preset) {
    camera.cx = 0.0;
    camera.cy = preset.cy;
    camera.cz = 0.0;
    camera.drehwinkelY = preset.drehwinkelY;
    camera.drehwinkelX = preset.drehwinkelX;
}

std::string zoomLabel(int position) { return "Zoom:\r" + std::to_string(position + 100); }

int hoveredObject(int y, int itemHeight, int topIndex) {
    if (itemHeight <= 0) return 0;
    return y / itemHeight + topIndex + 1;
}

}  // namespace penumbro
