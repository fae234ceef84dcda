#include "views/Camera.h"

#include "views/PreviewFrame.h"

#include <gtest/gtest.h>

#include <cmath>

namespace penumbro {
namespace {

TEST(Camera, LeftDragTurnsOneDegreePerPixelAndWrapsAndClamps) {
    struct Case {
        const char* name;
        int startY, startX;  // DrehwinkelY, DrehwinkelX
        int dx, dy;          // pointer move in pixels
        int endY, endX;
    };
    const std::vector<Case> cases = {
        {"200 px right from 0", 0, 0, 200, 0, -160, 0},
        {"-180 becomes 180", -170, 0, -10, 0, 180, 0},
        {"tilt stops at 90", 0, 80, 0, 30, 0, 90},
        {"tilt stops at -90", 0, -80, 0, -30, 0, -90},
        {"both", 10, 10, -25, 15, -15, 25},
    };
    for (const Case& c : cases) {
        Camera cam;
        cam.drehwinkelY = c.startY;
        cam.drehwinkelX = c.startX;
        mouseDown(cam, 100, 100);
        EXPECT_TRUE(mouseMove(cam, DragButtons::LeftOnly, 100 + c.dx, 100 + c.dy)) << c.name;
        EXPECT_EQ(cam.drehwinkelY, c.endY) << c.name;
        EXPECT_EQ(cam.drehwinkelX, c.endX) << c.name;
    }
    // Other button combinations are ignored.
    Camera cam;
    mouseDown(cam, 10, 10);
    EXPECT_FALSE(mouseMove(cam, DragButtons::Other, 50, 70));
    EXPECT_EQ(cam.drehwinkelY, 0);
    EXPECT_EQ(cam.lastX, 10);
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
            EXPECT_NEAR(after[0] - before[0], 50 * 20.0 / 1000, 1e-12) << tilt << " " << turn;
            EXPECT_NEAR(after[1] - before[1], 20 * 20.0 / 1000, 1e-12) << tilt << " " << turn;
            EXPECT_NEAR(after[2] - before[2], 0.0, 1e-12) << tilt << " " << turn;
        }
    }
}

TEST(Camera, PresetsLookFromTheirSide) {
    // The eye looks along -Z: a point nearer the eye has a larger eye Z.
    const std::array<double, 3> north{0, 0, -1}, south{0, 0, 1}, east{1, 0, 0}, west{-1, 0, 0};
    const auto eye = [](ViewPreset p, const std::array<double, 3>& point) {
        Camera cam;
        applyPreset(cam, p);
        return toEye(modelView(cam), point);
    };
    EXPECT_GT(eye(ViewPreset::NordAnsicht, north)[2], eye(ViewPreset::NordAnsicht, south)[2]);
    EXPECT_GT(eye(ViewPreset::Suedansicht, south)[2], eye(ViewPreset::Suedansicht, north)[2]);
    EXPECT_GT(eye(ViewPreset::Ostansicht, east)[2], eye(ViewPreset::Ostansicht, west)[2]);
    EXPECT_GT(eye(ViewPreset::Westansicht, west)[2], eye(ViewPreset::Westansicht, east)[2]);
    // From the sky north is at the top of the panel and east to the right.
    EXPECT_GT(eye(ViewPreset::Aufsicht, north)[1], eye(ViewPreset::Aufsicht, south)[1]);
    EXPECT_GT(eye(ViewPreset::Aufsicht, east)[0], eye(ViewPreset::Aufsicht, west)[0]);
}

Lines projectWithExtent(double largest) {
    return {"* ", "1", "Wand", "4", "# 0 0 0", "# 1 0 0", "# 1 0 1", "# 0 0 1", "# 180.000  0.000  0  0  0",
            "0 0 0", std::to_string(largest) + " 0 0", "1 0 1", "0 0 1"};
}

TEST(Camera, ZoomUsesTheExtentOfThePreviousRedraw) {
    Camera cam;
    const Lines text = projectWithExtent(20);
    const PreviewFrame first = preparePreviewFrame(cam, text, 0, true, 400, 300);
    EXPECT_DOUBLE_EQ(first.modelView.distance, -80.0 / 25.0);
    ASSERT_TRUE(first.projection);
    EXPECT_DOUBLE_EQ(first.projection->zFar, 2000.0);
    const PreviewFrame second = preparePreviewFrame(cam, text, 0, true, 400, 300);
    EXPECT_DOUBLE_EQ(second.modelView.distance, -64.0);
    EXPECT_FALSE(second.projection);
    cam.zoomPosition = kZoomMinimum;
    EXPECT_DOUBLE_EQ(zoomDistance(cam), -80.0);  // -4 E at the far end
    cam.zoomPosition = kZoomMaximum;
    EXPECT_DOUBLE_EQ(zoomDistance(cam), 0.0);
}

TEST(Camera, EmptyProjectKeepsTheProjection) {
    Camera cam;
    cam.letzteAusdehnung = 20.0;
    const PreviewFrame frame = preparePreviewFrame(cam, {"* ", "0"}, 0, true, 400, 300);
    EXPECT_FALSE(frame.scene.extent.hasObjects);
    EXPECT_FALSE(frame.projection);
    EXPECT_EQ(cam.letzteAusdehnung, 20.0);
}

TEST(Camera, ResizeKeepsTheFarPlaneOfTheCurrentExtent) {
    Camera cam;
    EXPECT_DOUBLE_EQ(resizeProjection(cam, 640, 480).zFar, 100.0);
    ASSERT_TRUE(followExtent(cam, SceneExtent{20.0, true}, 640, 480));
    const Projection p = resizeProjection(cam, 800, 0);
    EXPECT_DOUBLE_EQ(p.zFar, 2000.0);
    EXPECT_EQ(p.width, 800);
    EXPECT_DOUBLE_EQ(p.aspect, 1.0);  // a collapsed panel gives no infinite aspect
}

}  // namespace
}  // namespace penumbro
