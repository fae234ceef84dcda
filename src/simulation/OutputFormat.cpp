#include "simulation/OutputFormat.h"

#include "project/Numbers.h"

namespace penumbro {

std::string reportLine(const TSchrittEintrag& e, bool withDiffuse, bool comma) {
    std::string s;
    s.reserve(80);
    s += formatInt(e.step, 5);
    s += "  ";
    s += formatInt(e.day, 3);
    s += "  ";
    s += formatInt(e.hour, 2);
    s += "  ";
    s += formatInt(e.minute, 2);
    s += "  ";
    s += formatFixed(e.result, 6, 3, comma);
    s += "  ";
    s += formatFixed(1.0 - e.result, 4, 3, comma);
    if (withDiffuse) {
        for (double v : {e.sky, 1.0 - e.sky, e.ground, 1.0 - e.ground}) {
            s += "  ";
            s += formatFixed(v, 4, 3, comma);
        }
    }
    s += "\r\n";
    return s;
}

double hourMean(double sum, int count) { return sum > 0 && count > 0 ? sum / count : 0.0; }

std::string hourLine(int hour, double mean, bool comma) {
    return formatInt(hour, 5) + "  " + formatFixed(mean, 4, 3, comma) + "\r\n";
}

std::string monthHeading(int month) { return "Monat Nr. " + std::to_string(month) + "\r\n"; }

std::string diffuseLine(double sky, double ground, bool comma) {
    return "Diffus  " + formatFixed(sky, 4, 3, comma) + "  " + formatFixed(ground, 4, 3, comma) +
           "\r\n";
}

}  // namespace penumbro
