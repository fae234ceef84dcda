#pragma once
// Tables for today's simulation tools made from a report file (.rep); UTF-8, lines
// ending with LF, always ".":
//   ENERGYPLUS  sunlit fraction per time step of the year (Schedule:File:Shading);
//   HOURLY CSV  every instant with the sun's position.

#include "formats/ReportFile.h"

#include <string>
#include <vector>

namespace penumbro {

// The report's step, in minutes, as the EnergyPlus schedule needs it: throws InputError
// naming repName and the line for a report of one instant or a step that does not
// divide 60 minutes.
int energyPlusStep(const ReportFile& report, const std::string& repName);
// "Surface Name,<target>" (target in Windows-1252, written as UTF-8) and one line per
// step, stamped at the end of the interval that the instant at its start stands for.
// Throws InputError naming repName and what is missing when the report does not cover
// days 1..365 at step; endLine is the line after the report's last.
std::string energyPlusSchedule(const ReportFile& report, int step, const std::string& repName, int endLine,
                               const std::string& target);

// The sun's position at an instant, degrees.
struct SunAngles {
    double azimuth = 0;
    double elevation = 0;
};

// One line per instant with sun[i] the position at report.entries[i]; the diffuse
// columns stay empty for a report without diffuse values.
std::string hourlyCsvTable(const ReportFile& report, const std::vector<SunAngles>& sun);

}  // namespace penumbro
