#pragma once
// The sun-path diagram: the sun's paths on the 21st of every month and the clock
// hours over azimuth (0..360, north at both ends) and elevation (0..90), the
// project's horizon line, and the shading mask of the first target: the shaded
// fraction an instant gives when the sun stands at the centre of each cell of a grid
// of sky directions.

#include "engine/ExactShading.h"
#include "engine/ShadingRaster.h"
#include "engine/Sun.h"
#include "project/Language.h"
#include "project/ProjectText.h"
#include "formats/KonFile.h"
#include "simulation/Simulation.h"

#include <array>
#include <string>
#include <vector>

namespace penumbro {

struct SkyPoint {
    double azimuth = 0;    // degrees from north through east
    double elevation = 0;  // degrees
};
using SkyLine = std::vector<SkyPoint>;  // one piece above the astronomical horizon

// The shaded fraction of the first target for a sun standing in a given direction,
// by the method of a run: what an instant gives (0..1, -1 behind the target plane or
// below the horizon, -2 behind the horizon line).
class DirectionShading {
public:
    DirectionShading(const CompiledModel& model, int resolution, ShadingMethod method);
    double at(SunPosition sun, int foliageMonth);

private:
    const CompiledModel& model_;
    int resolution_;
    ShadingMethod method_;
    ShadingRaster raster_;
    ExactShading exact_;
};

struct ShadingMask {
    double step = 2;   // cell size in degrees, both ways
    int columns = 0;   // 360 / step
    int rows = 0;      // 90 / step
    std::vector<double> values;  // [row * columns + column], as DirectionShading gives them
    // The cell centre: azimuth (column + 1/2) step, elevation (row + 1/2) step.
    double at(int column, int row) const { return values[static_cast<std::size_t>(row * columns + column)]; }
};

struct SunPathDiagram {
    std::string targetName;                  // Windows-1252, as in the project
    std::array<std::vector<SkyLine>, 12> monthPaths;  // the 21st of January..December
    std::array<std::vector<SkyLine>, 24> hourLines;   // clock hour h on the 21st of every month
    SkyLine horizon;                         // closed outline of the horizon line, 0..360
    ShadingMask mask;
    int foliageMonth = 7;                    // month whose foliage the mask uses
    bool hasFoliage = false;
};

// Compiles the project as a run does (InputError as prepareRun) and samples the mask
// with cells of stepDeg (dividing 90; at most 2 for the diagram).
SunPathDiagram sunPathDiagram(const Lines& text, const std::string& projectFile, TSimParameter p,
                              ShadingMethod method, double stepDeg = 2.0, int foliageMonth = 7);

// The drawing's frame in the SVG's user units (a window scales the same): the plot
// area has 2 units per degree of azimuth and 4 per degree of elevation.
struct SunPathLayout {
    static constexpr double kTotalWidth = 1000, kTotalHeight = 480;
    static constexpr double kLeft = 70, kTop = 50, kWidth = 720, kHeight = 360;
    static constexpr double kLegendX = 810;
    static double x(double azimuth) { return kLeft + azimuth * kWidth / 360.0; }
    static double y(double elevation) { return kTop + kHeight - elevation * kHeight / 90.0; }
};

// Band of a mask value: 0 unshaded, 1..4 up to 25, 50, 75 and 100 %; -1 behind the
// target plane; -2 (behind the horizon line) is left to the horizon's fill.
int shadingBand(double value);
// "#rrggbb" of band 1..4, of the cells behind the plane, of the horizon, of month 1..12.
const char* bandColour(int band);
inline constexpr const char* kBehindColour = "#c8c8c8";
inline constexpr const char* kHorizonColour = "#8c6d46";
const char* monthColour(int month);

// The diagram's texts in one language, UTF-8.
struct SunPathTexts {
    std::string title, azimuthAxis, elevationAxis, note, shading, behind, horizon, foliage, months;
    std::string compass;  // the letters of north, east, south, west
    std::array<std::string, 5> bands;
};
SunPathTexts sunPathTexts(Language lang);

// The diagram as a standalone SVG document (UTF-8), texts in the given language.
std::string sunPathSvg(const SunPathDiagram& d, Language lang);

}  // namespace penumbro
