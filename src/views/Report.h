#pragma once
// The shading report: one self-contained HTML page (UTF-8, pictures as inline SVG,
// a print style sheet for A4 portrait) with what was modelled, where, the sun-path
// diagram, the shading month by month and, given a weather year, the irradiation
// with and without shading. The numbers come from the same functions as the command
// line's run, irradiation and sunpath, so they agree by construction.

#include "project/Language.h"
#include "project/ProjectText.h"
#include "simulation/Irradiation.h"
#include "simulation/RunSession.h"
#include "formats/KonFile.h"
#include "simulation/SkyModel.h"
#include "simulation/SunPath.h"
#include "formats/WeatherFile.h"
#include "views/PreviewScene.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace penumbro {

struct ReportRequest {
    Lines text;               // the project text (Windows-1252)
    std::string projectFile;  // for the title and for messages
    TSimParameter params;
    ShadingMethod method = ShadingMethod::Raster;
    const WeatherFile* weather = nullptr;  // the irradiation section when given
    std::string weatherFile;               // its name, for the report
    SkyModel skyModel = SkyModel::Perez;
    std::string createdAt;  // date and time shown in the title block, e.g. "2026-12-07 14:05"
    std::function<void(int day)> newDay;  // optional progress of the run
};

// One target as the site section lists it.
struct ReportTarget {
    std::string name;  // Windows-1252
    double area = 0;   // square metres
    double azimuthDeg = 0;  // of the normal, from north through east
    double tiltDeg = 0;     // 0 horizontal, 90 vertical
};

// Everything the page shows, computed once and drawn in either language.
struct ReportData {
    std::string projectFile;
    std::vector<std::string> comments;  // the leading comment lines without "*", Windows-1252
    std::string createdAt;
    ShadingMethod method = ShadingMethod::Raster;
    TSimParameter params;  // as the run used them (site from the project)
    std::vector<ReportTarget> targets;
    int plainSurfaces = 0, trees = 0, houses = 0, horizonEntries = 0;  // targets not among the plain ones
    PreviewScene scene;
    double targetAzimuthDeg = 180;  // of the first target, for the front view
    SunPathDiagram sunPath;
    RunResult run;
    std::optional<IrradiationResult> irradiation;
    std::string weatherFile;
    WeatherFile weather;  // location only (no hours)
};

// Computes the report's numbers. Throws InputError as the run does.
ReportData computeReport(const ReportRequest& request);

// The page in the given language.
std::string reportHtml(const ReportData& data, Language language);

// Both in one: what the command line and the main window write.
std::string makeReport(const ReportRequest& request, Language language);

// The title block's date and time: now in local time, "YYYY-MM-DD HH:MM", or the
// instant of SOURCE_DATE_EPOCH (seconds, shown in UTC) when that is set, so that a
// report can be made again byte for byte.
std::string reportCreatedAt();

// The pictures on their own, SVG elements without an XML declaration (width 640).
std::string reportPlanSvg(const PreviewScene& scene, Language language);
std::string reportFrontSvg(const PreviewScene& scene, double targetAzimuthDeg, Language language);

}  // namespace penumbro
