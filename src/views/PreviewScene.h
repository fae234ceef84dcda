#pragma once
// What the editor's 3D preview draws, prepared without any graphics library: a list
// of primitives that the OpenGL widget replays one by one (glBegin(kind), glColor3f,
// glVertex3f for each vertex, glEnd).
//
// Axes: a project point (x east, y north, z up) is drawn at (x, z, -y), i.e. X east,
// Y up, Z south. Lengths in the project's unit.

#include "project/Language.h"
#include "project/ProjectText.h"
#include "views/ViewScene.h"

#include <string>
#include <vector>

namespace penumbro {

// GL_LINES (two vertices), GL_LINE_LOOP, GL_TRIANGLES (three), GL_QUADS (four), GL_POLYGON.
enum class PrimitiveKind { Line, LineLoop, Triangle, Quad, Polygon };

struct PreviewColour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    friend bool operator==(const PreviewColour&, const PreviewColour&) = default;
};

// A point in the view's axes (X east, Y up, Z south).
struct PreviewVertex {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// One glBegin .. glEnd: a single line, line loop, triangle, quadrilateral or polygon.
struct PreviewPrimitive {
    PrimitiveKind kind = PrimitiveKind::Polygon;
    PreviewColour colour;
    std::vector<PreviewVertex> vertices;
    int object = 0;  // 1-based object of the editor's list; 0 for ground plate and horizon
};

struct PreviewScene {
    SceneExtent extent;  // hasObjects false: nothing is drawn and the view is hidden
    std::vector<PreviewPrimitive> primitives;  // in drawing order
};

// The colours of the preview (background white).
inline constexpr PreviewColour kPreviewGround{0.0f, 1.0f, 0.0f};
inline constexpr PreviewColour kPreviewHorizonWall{0.8f, 0.8f, 0.8f};
inline constexpr PreviewColour kPreviewTarget{0.0f, 0.0f, 1.0f};
inline constexpr PreviewColour kPreviewGrey{0.6f, 0.6f, 0.6f};     // near vertical or horizontal
inline constexpr PreviewColour kPreviewDarkRed{0.6f, 0.0f, 0.0f};  // inclined 20..70 degrees
inline constexpr PreviewColour kPreviewTrunk{0.7f, 0.3f, 0.3f};
inline constexpr PreviewColour kPreviewCrown{0.0f, 0.7f, 0.0f};
inline constexpr PreviewColour kPreviewHouse{0.7f, 0.7f, 0.7f};
inline constexpr PreviewColour kPreviewRoof{0.9f, 0.5f, 0.5f};
inline constexpr PreviewColour kPreviewHighlight{1.0f, 1.0f, 0.0f};

// Colour of a plain surface that is neither target nor highlighted, by its elevation
// in degrees: grey when Round(|e|) mod 90 lies below 20 or above 70, dark red otherwise.
PreviewColour surfaceColourForElevation(double elevation);

// The compass letters on the ground plate, read from above with north up: N, E (German
// "O"), S, W as black line pairs just above the plate, beside the scene (1.15 E from the
// centre, 0.15 E high). None for a scene without objects.
inline constexpr PreviewColour kPreviewLetters{0.0f, 0.0f, 0.0f};
std::vector<PreviewPrimitive> compassLetters(const SceneExtent& extent, Language language);

// The scene to draw: ground plate (when groundPlate), every object in text order (the
// object with 1-based number highlightedObject in yellow, 0 for none; a tree or house
// counts as one object) and the horizon.
PreviewScene buildPreviewScene(const ViewScene& scene, int highlightedObject, bool groundPlate);
// The same from a project text; throws InputError naming fileName and the line like
// readViewScene.
PreviewScene buildPreviewScene(const Lines& text, int highlightedObject, bool groundPlate,
                               const std::string& fileName = {});

}  // namespace penumbro
