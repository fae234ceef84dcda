#include "views/Camera.h"

#include "views/PreviewFrame.h"

#include <gtest/gtest.h>

#include <cmath>

namespace penumbro {
namespace {

TEST(Camera, LeftDragTurnsOneDegreePerPixelAndWrapsAndClamps) {
    // Start turn and tilt (DrehwinkelY, DrehwinkelX), pointer move in pixels, end angles.
    const std::tuple<const char*, int, int, int, int, int, int> cases[] = {
        {"200 px right from 0", 0, 0, 200, 0, -160, 0},
        {"-180 becomes 180", -170, 0, -10, 0, 180, 0},
        {"tilt stops at straight down", 0, 80, 0, 30, 0, 90},
        {"tilt stops at the horizontal, above the plate", 0, 20, 0, -30, 0, 0},
    };
    for (const auto& [name, startY, startX, dx, dy, endY, endX] : cases) {
        Camera cam;
        cam.drehwinkelY = startY;
        cam.drehwinkelX = startX;
        mouseDown(cam, 100, 100);
        EXPECT_TRUE(mouseMove(cam, DragButtons::LeftOnly, 100 + dx, 100 + dy)) << name;
        EXPECT_EQ(std::pair(cam.drehwinkelY, cam.drehwinkelX), std::pair(endY, endX)) << name;
    }
}

// Panning turns the screen drag back through both rotations: whatever the angles, the
// scene's centre moves on the screen by exactly the drag (in thousandths of E).
TEST(Camera, RightDragMovesTheSceneWithThePointer) {
    for (int tilt : {90, 45, 0, -30}) {
        for (int turn : {0, 30, 180, 270, -120}) {
            Camera cam;
            cam.drehwinkelX = tilt;
            cam.drehwinkelY = turn;
            cam.letzteAusdehnung = 20.0;
            const auto before = toEye(modelView(cam), {0, 0, 0});
            mouseDown(cam, 300, 200);
            EXPECT_TRUE(mouseMove(cam, DragButtons::RightOnly, 350, 180));
            const auto after = toEye(modelView(cam), {0, 0, 0});
            const double drag[] = {50 * 20.0 / 1000, 20 * 20.0 / 1000, 0};  // 50 px right, 20 px up
            for (std::size_t k = 0; k < 3; ++k) EXPECT_NEAR(after[k] - before[k], drag[k], 1e-12) << tilt << " " << turn;
        }
    }
}

TEST(Camera, ZoomUsesTheExtentOfThePreviousRedraw) {
    Camera cam;
    const Lines text = {"* ", "1", "Wand", "4", "# 0 0 0", "# 1 0 0", "# 1 0 1", "# 0 0 1", "# 180.000  0.000  0  0  0",
                        "0 0 0", "20 0 0", "1 0 1", "0 0 1"};
    const PreviewFrame first = preparePreviewFrame(cam, text, 0, true, 400, 300);
    EXPECT_DOUBLE_EQ(first.modelView.distance, -80.0 / 25.0);
    ASSERT_TRUE(first.projection);
    // The far side of the horizon ring (100 E from the centre) from the farthest zoom (4 E).
    EXPECT_GT(first.projection->zFar, 104 * 20.0);
    const PreviewFrame second = preparePreviewFrame(cam, text, 0, true, 400, 300);
    EXPECT_DOUBLE_EQ(second.modelView.distance, -64.0);
    EXPECT_FALSE(second.projection);
    // An empty project keeps the projection and its extent.
    const PreviewFrame empty = preparePreviewFrame(cam, {"* ", "0"}, 0, true, 400, 300);
    EXPECT_FALSE(empty.scene.extent.hasObjects);
    EXPECT_FALSE(empty.projection);
    EXPECT_EQ(cam.letzteAusdehnung, 20.0);
    // A resize keeps the far plane of the current extent; a collapsed panel gives no
    // infinite aspect.
    const Projection p = resizeProjection(cam, 800, 0);
    EXPECT_EQ(std::tuple(p.zFar, p.width, p.aspect), std::tuple(first.projection->zFar, 800, 1.0));
    EXPECT_GT(resizeProjection(Camera{}, 640, 480).zFar, 104.0);
}

}  // namespace
}  // namespace penumbro
