#pragma once
// The shading raster of one instant: obstacles projected into the target plane are
// filled, in slot order, into a 480 x 480 picture over the target surfaces, and the
// target pixels of a counting grid are counted by colour.
//
// Counting works on the spans of the scan-line fill (later surfaces win where spans
// overlap); the picture itself is painted from the same spans only when somebody
// looks at it (pixel(), pixels()), so a fast run never pays for painting. What is
// painted and what is counted are the same pixels.

#include "engine/Culling.h"
#include "engine/Model.h"
#include "engine/ScanFill.h"
#include "engine/Vec3.h"

#include <array>
#include <cstdint>
#include <vector>

namespace penumbro {

// Colours are platform colour words 0x00BBGGRR.
inline constexpr std::uint32_t kTargetColour = 0xFF0000;  // pure blue
inline constexpr std::uint32_t kCrownColour = 0x00FF00;   // pure green
inline constexpr std::uint32_t kTrunkColour = 0x000080;   // dark red
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

// The colour of an obstacle table slot k >= 1 (k = index + 1 in CompiledModel::flaechen):
// k is reduced into 1..10 by subtracting 10, so 11 has the colour of 1 and 20 that of 10.
std::uint32_t obstacleTableColour(int slot);
// Colour a surface is drawn in: target blue; otherwise the table colour of its slot,
// replaced by crown green for a name starting "Baum" and trunk red for "Stamm".
std::uint32_t surfaceColour(const TFlaeche& s, int slot);

// Where the targets lie in the picture. Pixel of a target-frame point (x, z):
// column = round(x * scale) + left, row = bottom - round(z * scale), halves to even,
// each clamped to -30000..30000. A polygon reaching beyond the clamp is first cut,
// unrounded, to a rectangle a few pixels around the picture, so the clamp never bends it. Counted are the columns left+1, left+1+r, .. <= right
// and rows top+1, top+1+r, .. <= bottom.
enum class DrawingWindowKind { FastRun, Online };

struct DrawingWindow {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    double scale = 0;  // pixels per metre of the target frame
};

// The fixed window of each kind (scale left 0): fast run 2..478 both ways, online
// view the middle third 160..320.
DrawingWindow drawingWindowFrame(DrawingWindowKind kind);

// False when the model has no target vertex, or when over all target vertices
// xmax = xmin or zmax = zmin: such a target has no scale and no pixels to count.
bool targetHasArea(const CompiledModel& model);

// Sampled target pixels of one pass, by colour.
struct RasterCounts {
    long lit = 0;     // L: still target blue (sunlit)
    long shaded = 0;  // S: any other colour; includes the crown pixels
    long crown = 0;   // T: crown green; counted only when the model has a foliage line
};

class ShadingRaster {
public:
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 480;
    static constexpr int kMaskSize = 481;  // column and row 480 lie outside the picture

    ShadingRaster();

    // Start of a run (MaskeNeu): the next pass (or prepare()) rebuilds window, scale
    // and mask for the given kind. The picture starts white, as a new bitmap.
    void reset(DrawingWindowKind kind);
    bool maskRebuilt() const { return maskRebuilt_; }
    DrawingWindowKind kind() const { return kind_; }

    // Builds window, scale and mask from the model's targets if they are due (no-op
    // otherwise). Building it here or in the first pass gives the same result, so the
    // driver may call it before the first instant to check sampledMaskPixels().
    // Throws std::domain_error when !targetHasArea(model).
    void prepare(const CompiledModel& model);

    // Valid once prepared.
    const DrawingWindow& window() const { return window_; }
    bool maske(int col, int row) const;  // 0 <= col, row <= 480; false outside
    // Target pixels that the counting grid of step r (>= 1) samples.
    long sampledMaskPixels(int r) const;

    // One raster pass (Raster): prepares if due, projects every obstacle along sun
    // (direction of the projection frame, sun.y > 0 required) into the target plane,
    // fills all surfaces in slot order (targets first) and counts the masked pixels
    // of the grid of step r (>= 1). Does not allocate once warmed up.
    RasterCounts pass(const CompiledModel& model, const Vec3& sun, int r);

    // Culling (on unless PENUMBRO_NO_CULLING says otherwise): a pass then fills only
    // the obstacles whose shadow can reach the picture, which changes no pixel of it.
    void setCulling(bool on) { culling_ = on; }
    bool culling() const { return culling_; }

    // The picture, row-major, 480 x 480, pixel(col, row) = pixels()[row * 480 + col].
    // Shows the last pass painted over the picture as it was (the picture is never
    // cleared between passes); painting happens on first access after a pass.
    std::uint32_t pixel(int col, int row) const;
    const std::vector<std::uint32_t>& pixels() const;
    void clear(std::uint32_t colour = kWhite);

private:
    void buildMask(const CompiledModel& model);
    void ensurePrefix(int r) const;
    void paintPending() const;
    const std::vector<int>& pickObstacles(const CompiledModel& model, const Vec3& sun);
    // Projects the surface along sun (none for a target) into p, in pixels.
    void pixelPolygon(const TFlaeche& s, const Vec3* sun, PixelPolygon& p) const;

    DrawingWindowKind kind_ = DrawingWindowKind::FastRun;
    bool maskRebuilt_ = true;
    DrawingWindow window_{};

    std::vector<std::uint8_t> mask_;  // kMaskSize * kMaskSize, row-major
    std::vector<PixelPolygon> targets_;

    // Sampled-mask prefix counts for one step r: prefix_[row * (kMaskSize + 1) + c] is
    // the number of sampled masked columns < c in that row (0 for unsampled rows).
    mutable std::vector<std::uint16_t> prefix_;
    mutable int prefixStep_ = 0;
    mutable long sampledTotal_ = 0;
    // Bounds of the rows and columns that hold sampled masked pixels (empty: first > last).
    mutable int activeRowFirst_ = 0, activeRowLast_ = -1;
    mutable int activeColFirst_ = 0, activeColLast_ = -1;

    // Arbeitsflaechen: the obstacles of the last pass projected into the picture, in
    // drawing order, with their colours.
    std::vector<PixelPolygon> arbeitsflaechen_;
    std::vector<std::uint32_t> obstacleColours_;
    std::vector<std::uint8_t> obstacleCrown_;
    std::size_t obstacleCount_ = 0;

    // Counting scratch: per row, the runs already claimed by later surfaces.
    std::vector<std::vector<PixelSpan>> claimed_;
    ScanScratch scratch_;

    bool culling_ = !cullingSwitchedOff();
    ShadowCulling shadowCulling_;

    mutable std::vector<std::uint32_t> pixels_;
    mutable bool paintPending_ = false;
    mutable ScanScratch paintScratch_;
};

}  // namespace penumbro
