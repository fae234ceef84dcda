#include "simulation/SunPath.h"

#include "engine/Augenblick.h"
#include "project/Calendar.h"
#include "engine/Compiler.h"
#include "project/Encoding.h"
#include "project/Numbers.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace penumbro {

DirectionShading::DirectionShading(const CompiledModel& model, int resolution, ShadingMethod method)
    : model_(model), resolution_(resolution), method_(method) {
    raster_.reset(DrawingWindowKind::FastRun);
}

double DirectionShading::at(SunPosition sun, int foliageMonth) {
    return method_ == ShadingMethod::Exact ? instantForSunExact(model_, exact_, sun, foliageMonth).ergebnis
                                           : instantForSun(model_, raster_, sun, foliageMonth, resolution_).ergebnis;
}

namespace {

constexpr int kPathDay = 21;

// Appends p to the pieces, starting a new piece after a gap (previous point below
// the horizon) or where the azimuth jumps across north.
void extend(std::vector<SkyLine>& pieces, bool& open, const SkyPoint& p) {
    if (p.elevation < 0) {
        open = false;
        return;
    }
    if (open && std::fabs(pieces.back().back().azimuth - p.azimuth) > 180.0) open = false;
    if (!open) pieces.emplace_back();
    pieces.back().push_back(p);
    open = true;
}

SkyPoint sunAt(const CompiledModel& model, int day, float clock) {
    const SunPosition s =
        Sonnenstand(kSimulationYear, day, clock, model.site.latitude, model.site.longitude, model.site.correction);
    return {s.azimuth, s.elevation};
}

}  // namespace

SunPathDiagram sunPathDiagram(const Lines& text, const std::string& projectFile, TSimParameter p,
                              ShadingMethod method, double stepDeg, int foliageMonth) {
    selectRunMode(p, true);
    const CompiledModel model = prepareRun(text, projectFile, p, Language::English, method);
    SunPathDiagram d;
    d.targetName = model.flaechen[static_cast<std::size_t>(firstTargetIndex(model))].name;
    d.foliageMonth = foliageMonth;
    d.hasFoliage = model.hasFoliage;

    for (int m = 1; m <= 12; ++m) {
        const int day = kMonatsanfang[static_cast<std::size_t>(m - 1)] + kPathDay - 1;
        bool open = false;
        for (int minute = 0; minute < 24 * 60; minute += 5)
            extend(d.monthPaths[static_cast<std::size_t>(m - 1)], open, sunAt(model, day, static_cast<float>(minute) / 60.0f));
    }
    for (int h = 0; h < 24; ++h) {
        bool open = false;
        for (int m = 0; m <= 12; ++m)  // back to January: the loop the hour draws over a year
            extend(d.hourLines[static_cast<std::size_t>(h)], open,
                   sunAt(model, kMonatsanfang[static_cast<std::size_t>(m % 12)] + kPathDay - 1, static_cast<float>(h)));
    }

    // The horizon line is a step function of the azimuth: its value between any two
    // neighbouring entry bounds is the one horizonHeight gives in between.
    std::set<double> bounds = {0.0, 360.0};
    for (const HorizonEntry& e : model.horizon)
        for (double b : {e.from, e.to})
            if (b > 0 && b < 360) bounds.insert(b);
    d.horizon.push_back({0.0, 0.0});
    for (auto it = bounds.begin(); std::next(it) != bounds.end(); ++it) {
        const double a = *it, b = *std::next(it);
        const double h = std::max(0.0, horizonHeight(model.horizon, (a + b) / 2.0));
        d.horizon.push_back({a, h});
        d.horizon.push_back({b, h});
    }
    d.horizon.push_back({360.0, 0.0});

    ShadingMask& mask = d.mask;
    mask.step = stepDeg;
    mask.columns = static_cast<int>(std::lround(360.0 / stepDeg));
    mask.rows = static_cast<int>(std::lround(90.0 / stepDeg));
    mask.values.resize(static_cast<std::size_t>(mask.columns * mask.rows));
    DirectionShading shading(model, p.resolution, method);
    for (int row = 0; row < mask.rows; ++row)
        for (int col = 0; col < mask.columns; ++col)
            mask.values[static_cast<std::size_t>(row * mask.columns + col)] =
                shading.at({static_cast<float>((col + 0.5) * stepDeg), static_cast<float>((row + 0.5) * stepDeg)},
                           foliageMonth);
    return d;
}

namespace {

using L = SunPathLayout;
constexpr double kLeft = L::kLeft, kTop = L::kTop, kWidth = L::kWidth, kHeight = L::kHeight;
double px(double azimuth) { return L::x(azimuth); }
double py(double elevation) { return L::y(elevation); }
std::string num(double v) { return formatFixed(v, 0, 1); }

std::string xmlText(const std::string& utf8) {
    std::string out;
    for (char c : utf8) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else out += c;
    }
    return out;
}

std::string points(const SkyLine& line) {
    std::string out;
    for (const SkyPoint& p : line) out += (out.empty() ? "" : " ") + num(px(p.azimuth)) + "," + num(py(p.elevation));
    return out;
}

}  // namespace

int shadingBand(double v) {
    if (v == -1.0) return -1;
    if (v < 0) return -2;
    if (v <= 0) return 0;
    return std::clamp(static_cast<int>(std::ceil(v * 4.0 - 1e-12)), 1, 4);
}

const char* bandColour(int band) {
    static constexpr const char* colours[] = {"none", "#fee6ce", "#fdae6b", "#e6550d", "#a63603"};
    return colours[std::clamp(band, 0, 4)];
}

const char* monthColour(int month) {
    // Months with the same paths (January and November, ...) share a hue, summer warm.
    static constexpr const char* colours[] = {"#1f4e99", "#2f6fb5", "#3f8fd0", "#2aa198", "#5a9e2f", "#c8a400",
                                              "#e07b00", "#c8a400", "#5a9e2f", "#2aa198", "#3f8fd0", "#2f6fb5"};
    return colours[std::clamp(month, 1, 12) - 1];
}

SunPathTexts sunPathTexts(Language lang) {
    const bool de = lang == Language::German;
    SunPathTexts t;
    t.title = de ? "Sonnenstandsdiagramm mit Verschattungsmaske: " : "Sun-path diagram with shading mask: ";
    t.azimuthAxis = de ? "Azimut [\xC2\xB0] (von Norden \xC3\xBC" "ber Osten)" : "Azimuth [\xC2\xB0] (from north through east)";
    t.elevationAxis = de ? "Sonnenh\xC3\xB6he [\xC2\xB0]" : "Solar elevation [\xC2\xB0]";
    t.note = de ? "Bahnen am 21. jedes Monats; Stundenlinien in Uhrzeit des Projekts (Zeitkorrektur des Standorts)"
                : "Paths on the 21st of every month; hour lines in the project's clock time (the site's time correction)";
    t.shading = de ? "Verschattung" : "Shading";
    t.behind = de ? "hinter der Targetebene" : "behind the target plane";
    t.horizon = de ? "Horizontlinie" : "horizon line";
    t.foliage = de ? "Belaubung des Monats " : "foliage of month ";
    t.months = de ? "Monat (21.)" : "Month (21st)";
    t.compass = de ? "NOSW" : "NESW";
    t.bands = {"0 %", "0 - 25 %", "25 - 50 %", "50 - 75 %", "75 - 100 %"};
    return t;
}

std::string sunPathSvg(const SunPathDiagram& d, Language lang) {
    const ShadingMask& mask = d.mask;
    const SunPathTexts t = sunPathTexts(lang);
    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1000\" height=\"480\" viewBox=\"0 0 1000 480\" "
                    "font-family=\"sans-serif\" font-size=\"12\">\n"
                    "<rect width=\"1000\" height=\"480\" fill=\"white\"/>\n";
    s += "<text x=\"" + num(kLeft) + "\" y=\"28\" font-size=\"16\">" +
         xmlText(t.title + cp1252ToUtf8(d.targetName)) +
         "</text>\n";

    // Mask: the cells of one band merged into runs along each row.
    const double cw = kWidth / mask.columns, ch = kHeight / mask.rows;
    for (int band = -1; band <= 4; ++band) {
        if (band == 0) continue;
        std::string path;
        for (int row = 0; row < mask.rows; ++row) {
            for (int col = 0; col < mask.columns;) {
                if (shadingBand(mask.at(col, row)) != band) {
                    ++col;
                    continue;
                }
                int end = col;
                while (end < mask.columns && shadingBand(mask.at(end, row)) == band) ++end;
                path += "M" + num(kLeft + col * cw) + " " + num(kTop + kHeight - (row + 1) * ch) + "h" +
                        num((end - col) * cw) + "v" + num(ch) + "h" + num(-(end - col) * cw) + "z";
                col = end;
            }
        }
        if (path.empty()) continue;
        s += band < 0 ? std::string("<path class=\"behind\" fill=\"") + kBehindColour + "\" d=\"" + path + "\"/>\n"
                      : "<path class=\"band\" data-band=\"" + std::to_string(band) + "\" fill=\"" + bandColour(band) +
                            "\" d=\"" + path + "\"/>\n";
    }

    // Grid and axes.
    s += "<g stroke=\"#999\" stroke-width=\"0.5\">\n";
    for (int a = 0; a <= 360; a += 30)
        s += "<line x1=\"" + num(px(a)) + "\" y1=\"" + num(py(0)) + "\" x2=\"" + num(px(a)) + "\" y2=\"" + num(py(90)) + "\"/>\n";
    for (int e = 0; e <= 90; e += 10)
        s += "<line x1=\"" + num(px(0)) + "\" y1=\"" + num(py(e)) + "\" x2=\"" + num(px(360)) + "\" y2=\"" + num(py(e)) + "\"/>\n";
    s += "</g>\n";

    s += "<polygon class=\"horizon\" fill=\"" + std::string(kHorizonColour) + "\" fill-opacity=\"0.75\" stroke=\"#5a4025\" points=\"" +
         points(d.horizon) + "\"/>\n";

    s += "<g class=\"hour-lines\" fill=\"none\" stroke=\"#555\" stroke-width=\"0.8\" stroke-dasharray=\"3,2\">\n";
    for (std::size_t h = 0; h < 24; ++h)
        for (const SkyLine& line : d.hourLines[h])
            s += "<polyline class=\"hour-line\" data-hour=\"" + std::to_string(h) + "\" points=\"" + points(line) + "\"/>\n";
    s += "</g>\n";
    // Each hour's number above its highest point.
    for (std::size_t h = 0; h < 24; ++h) {
        const SkyPoint* top = nullptr;
        for (const SkyLine& line : d.hourLines[h])
            for (const SkyPoint& p : line)
                if (!top || p.elevation > top->elevation) top = &p;
        if (top && top->elevation > 2)
            s += "<text x=\"" + num(px(top->azimuth)) + "\" y=\"" + num(py(top->elevation) - 4) +
                 "\" text-anchor=\"middle\" font-size=\"10\">" + std::to_string(h) + "</text>\n";
    }

    for (std::size_t m = 0; m < 12; ++m) {
        s += "<g class=\"month-path\" data-month=\"" + std::to_string(m + 1) + "\" fill=\"none\" stroke=\"" +
             monthColour(static_cast<int>(m) + 1) + "\" stroke-width=\"1.5\">\n";
        for (const SkyLine& line : d.monthPaths[m]) s += "<polyline points=\"" + points(line) + "\"/>\n";
        s += "</g>\n";
    }

    // Frame, ticks and labels.
    s += "<rect x=\"" + num(kLeft) + "\" y=\"" + num(kTop) + "\" width=\"" + num(kWidth) + "\" height=\"" +
         num(kHeight) + "\" fill=\"none\" stroke=\"black\"/>\n";
    for (int a = 0; a <= 360; a += 30) {
        std::string label = std::to_string(a);
        if (a % 90 == 0) label += std::string(" ") + t.compass[static_cast<std::size_t>(a / 90 % 4)];
        s += "<text x=\"" + num(px(a)) + "\" y=\"" + num(py(0) + 16) + "\" text-anchor=\"middle\">" + label + "</text>\n";
    }
    for (int e = 0; e <= 90; e += 10)
        s += "<text x=\"" + num(kLeft - 6) + "\" y=\"" + num(py(e) + 4) + "\" text-anchor=\"end\">" + std::to_string(e) + "</text>\n";
    s += "<text x=\"" + num(kLeft + kWidth / 2) + "\" y=\"" + num(py(0) + 36) + "\" text-anchor=\"middle\">" +
         t.azimuthAxis +
         "</text>\n";
    s += "<text transform=\"translate(24 " + num(kTop + kHeight / 2) + ") rotate(-90)\" text-anchor=\"middle\">" +
         t.elevationAxis + "</text>\n";
    s += "<text x=\"" + num(kLeft) + "\" y=\"" + num(py(0) + 56) + "\" font-size=\"10\">" +
         xmlText(t.note) +
         "</text>\n";

    // Legend.
    double ly = kTop + 10;
    s += "<text x=\"" + num(L::kLegendX) + "\" y=\"" + num(ly) + "\" font-weight=\"bold\">" + t.shading + "</text>\n";
    auto entry = [&](const std::string& colour, const std::string& label, const char* extra = "") {
        ly += 20;
        s += "<rect x=\"810\" y=\"" + num(ly - 11) + "\" width=\"16\" height=\"12\" fill=\"" + colour +
             "\" stroke=\"#666\"" + extra + "/><text x=\"832\" y=\"" + num(ly) + "\">" + label + "</text>\n";
    };
    for (int b = 0; b <= 4; ++b) entry(b == 0 ? "white" : bandColour(b), t.bands[static_cast<std::size_t>(b)]);
    entry(kBehindColour, t.behind);
    entry(kHorizonColour, t.horizon, " fill-opacity=\"0.75\"");
    if (d.hasFoliage) {
        ly += 24;
        s += "<text x=\"" + num(L::kLegendX) + "\" y=\"" + num(ly) + "\" font-size=\"10\">" + t.foliage +
             std::to_string(d.foliageMonth) + "</text>\n";
    }
    ly += 30;
    s += "<text x=\"" + num(L::kLegendX) + "\" y=\"" + num(ly) + "\" font-weight=\"bold\">" + t.months + "</text>\n";
    for (std::size_t m = 0; m < 12; m += 1) {
        if (m % 2 == 0) ly += 16;
        const double x = m % 2 == 0 ? 810 : 900;
        s += "<line x1=\"" + num(x) + "\" y1=\"" + num(ly - 4) + "\" x2=\"" + num(x + 16) + "\" y2=\"" + num(ly - 4) +
             "\" stroke=\"" + monthColour(static_cast<int>(m) + 1) + "\" stroke-width=\"2\"/><text x=\"" + num(x + 22) + "\" y=\"" + num(ly) +
             "\">" + std::to_string(m + 1) + "</text>\n";
    }
    s += "</svg>\n";
    return s;
}

}  // namespace penumbro
