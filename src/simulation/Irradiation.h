#pragma once
// Irradiation on the first target's plane over a weather year, with and without the
// project's shading: beam by the instant computation at the middle of every hour,
// ground-reflected light by the isotropic model and sky diffuse light by the isotropic
// or the Perez model. Isotropic light is reduced by the month's diffuse factors
// relative to those of the same plane with nothing in front; Perez's circumsolar part
// is shaded like the beam and its horizon band by what blocks a band along the horizon.

#include "engine/Sun.h"
#include "project/ProjectText.h"
#include "formats/KonFile.h"
#include "simulation/Simulation.h"
#include "simulation/SkyModel.h"
#include "formats/WeatherFile.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace penumbro {

// Irradiation of one hour (Wh/m2) or summed over a month or the year (kWh/m2).
struct IrradiationSums {
    double beam = 0, sky = 0, ground = 0;
    double beamShaded = 0, skyShaded = 0, groundShaded = 0;
    // The sky's parts (sky = their sum); all of it is isotropic with the isotropic sky.
    double skyIsotropic = 0, skyCircumsolar = 0, skyHorizon = 0;
    double skyIsotropicShaded = 0, skyCircumsolarShaded = 0, skyHorizonShaded = 0;

    IrradiationSums& operator+=(const IrradiationSums& o);
    // 100 (1 - shaded sum / unshaded sum); 0 when nothing arrives.
    double lossPercent() const;
};

struct IrradiationHour {
    const WeatherHour* weather = nullptr;
    int dayNumber = 0;  // 1..365
    SunPosition sun;    // at the middle of the hour
    bool computed = false;  // an instant was computed (direct normal irradiation or circumsolar light > 0)
    double shading = 0;     // its shaded fraction of the beam, or -1 / -2
    IrradiationSums wh;
};

struct IrradiationResult {
    std::array<IrradiationSums, 12> months{};  // kWh/m2
    IrradiationSums year;                      // kWh/m2
    std::vector<IrradiationHour> hours;        // when asked for
    double tiltDeg = 0;                        // of the plane: 0 horizontal, 90 vertical
    double azimuthDeg = 0;                     // of its normal, from north through east
    SkyModel skyModel = SkyModel::Perez;
    // Per month, the unblocked share of the horizon band in front of the plane (Perez).
    std::array<double, 12> horizonOpen{};
    std::vector<std::string> warnings;         // weather site far from the project's
};

struct IrradiationRequest {
    Lines text;
    std::string projectFile;
    TSimParameter params;  // resolution, diffuse resolution, grid, k and rho_o
    ShadingMethod method = ShadingMethod::Raster;
    SkyModel skyModel = SkyModel::Perez;
    bool keepHours = false;
    std::function<void(int day)> newDay;  // optional, at the first hour of every day
};

// Throws InputError as prepareRun does for a project that cannot be computed.
IrradiationResult computeIrradiation(const IrradiationRequest& request, const WeatherFile& weather);

// The monthly numbers as the file and the table write them: the header, rows 1..12
// and "year"; columns month, beam, sky, ground, the three shaded and the loss percent.
std::vector<std::vector<std::string>> irradiationRows(const IrradiationResult& r);
// The monthly file: header, rows 1..12 and "year", kWh/m2 with three decimals.
std::string irradiationCsv(const IrradiationResult& r);
// The same numbers as a table for the terminal.
std::string irradiationTable(const IrradiationResult& r);
// One row per hour (Wh/m2), with the sun and the beam's shaded fraction; with the
// Perez sky also the sky's three parts, unshaded and shaded.
std::string irradiationHourlyCsv(const IrradiationResult& r);

}  // namespace penumbro
