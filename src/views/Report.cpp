#include "views/Report.h"

#include "engine/Compiler.h"
#include "project/Encoding.h"
#include "project/FileIo.h"
#include "project/Numbers.h"
#include "project/ProjectFormat.h"
#include "project/SharedTexts.h"
#include "project/Version.h"
#include "views/ViewScene.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <numbers>

namespace penumbro {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// A text of the page: Windows-1252 source, UTF-8 out.
std::string tr(Language lang, const char* german, const char* english) {
    return cp1252ToUtf8(lang == Language::German ? german : english);
}

std::string escape(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default:
                // Control characters other than tab and line breaks are not allowed in the page.
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                    out += "\xEF\xBF\xBD";
                else
                    out += c;
        }
    }
    return out;
}

// File names and the weather file's place: UTF-8 as a rule, Windows-1252 when they are
// not valid UTF-8 (an old file name, a weather file from elsewhere).
bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size() || (n == 2 && c < 0xC2)) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n;
    }
    return true;
}
std::string nameText(std::string_view bytes) {
    return escape(validUtf8(bytes) ? std::string(bytes) : cp1252ToUtf8(bytes));
}

// Project bytes (Windows-1252) as escaped page text.
std::string projectText(std::string_view bytes) { return escape(cp1252ToUtf8(bytes)); }

std::string num(double v, int decimals) {
    std::string s = formatFixed(v, 0, decimals);
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

// "12.3456° N": an angle with its hemisphere instead of a sign.
std::string hemisphere(double deg, const char* positive, const char* negative) {
    return num(std::fabs(deg), 4) + "\xC2\xB0 " + (deg >= 0 ? positive : negative);
}

// "UTC+1" / "UTC-3.5": hours ahead of universal time.
std::string utcOffset(double hours) {
    std::string s = num(std::fabs(hours), 2);
    while (s.find('.') != std::string::npos && (s.back() == '0' || s.back() == '.')) {
        const bool dot = s.back() == '.';
        s.pop_back();
        if (dot) break;
    }
    return std::string("UTC") + (hours < 0 ? "\xE2\x88\x92" : "+") + s;
}

double polygonArea(const TFlaeche& f) {
    Vec3 n{0, 0, 0};
    for (int i = 0; i < f.n; ++i) {
        const Vec3& a = f.v[static_cast<std::size_t>(i)];
        const Vec3& b = f.v[static_cast<std::size_t>((i + 1) % f.n)];
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
    }
    return 0.5 * std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
}

// ---------------------------------------------------------------- scene pictures

struct Point2 {
    double x = 0, y = 0;
};

// One filled outline of the scene, projected, with the depth it is sorted by.
struct Face {
    std::vector<Point2> points;
    PreviewColour colour;
    double depth = 0;  // larger is drawn first
    bool target = false;
    int object = 0;
    bool edgeOn = false;  // seen edge-on: drawn as a line
};

double projectedArea(const std::vector<Point2>& points) {
    double twice = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point2& a = points[i];
        const Point2& b = points[(i + 1) % points.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2;
}

std::string hexColour(PreviewColour c, double factor = 1.0) {
    static const char* const digits = "0123456789abcdef";
    std::string s = "#";
    for (float v : {c.r, c.g, c.b}) {
        const int k = std::clamp(static_cast<int>(std::lround(v * factor * 255.0)), 0, 255);
        s += digits[k / 16];
        s += digits[k % 16];
    }
    return s;
}

// The VRML world's colour of a primitive: the preview's, except the house walls,
// which the world draws lighter.
PreviewColour worldColour(PreviewColour c) {
    return c == kPreviewHouse ? PreviewColour{0.8f, 0.8f, 0.8f} : c;
}

// The faces of the scene's objects (not the horizon): a plain surface by its outline,
// trees and houses by their quadrilaterals and polygons. project maps a vertex
// (X east, Y up, Z south) to the picture and depth gives its distance from the viewer.
template <typename Project, typename Depth>
std::vector<Face> sceneFaces(const PreviewScene& scene, Project project, Depth depth) {
    std::vector<int> outlined;
    for (const PreviewPrimitive& p : scene.primitives)
        if (p.kind == PrimitiveKind::LineLoop && p.object > 0) outlined.push_back(p.object);
    std::vector<Face> faces;
    for (const PreviewPrimitive& p : scene.primitives) {
        if (p.object == 0 || p.kind == PrimitiveKind::Line || p.vertices.size() < 3) continue;
        if (p.kind == PrimitiveKind::Triangle && std::find(outlined.begin(), outlined.end(), p.object) != outlined.end())
            continue;
        Face f;
        f.colour = worldColour(p.colour);
        f.target = p.colour == kPreviewTarget;
        double sum = 0;
        for (const PreviewVertex& v : p.vertices) {
            f.points.push_back(project(v));
            sum += depth(v);
        }
        f.depth = sum / static_cast<double>(p.vertices.size());
        f.object = p.object;
        double extent = 0;
        for (const Point2& q : f.points)
            extent = std::max({extent, std::fabs(q.x - f.points[0].x), std::fabs(q.y - f.points[0].y)});
        f.edgeOn = projectedArea(f.points) <= 1e-6 * extent * extent;
        faces.push_back(std::move(f));
    }
    // A face seen edge-on is only a line; it stays where it is all its object shows
    // (a wall from above), not across the faces of a tree's crown or a house.
    std::vector<int> seen;
    for (const Face& f : faces)
        if (!f.edgeOn) seen.push_back(f.object);
    std::erase_if(faces, [&](const Face& f) {
        return f.edgeOn && std::find(seen.begin(), seen.end(), f.object) != seen.end();
    });
    // Painter's order: the farthest first; ties keep the text's order.
    std::stable_sort(faces.begin(), faces.end(), [](const Face& a, const Face& b) { return a.depth > b.depth; });
    return faces;
}

// A length of 1, 2 or 5 times a power of ten near a quarter of the extent.
double scaleBarLength(double extent) {
    const double target = std::max(extent / 4.0, 1e-3);
    const double power = std::pow(10.0, std::floor(std::log10(target)));
    for (double k : {5.0, 2.0, 1.0})
        if (k * power <= target) return k * power;
    return power;
}

constexpr double kPictureWidth = 640, kMaxPictureHeight = 400, kMargin = 30, kFooter = 44;

// Draws faces fitted into the picture, a scale bar under them and, when north is
// given, a north arrow; ground is the picture's y of the ground line (front view).
std::string drawFaces(const std::vector<Face>& faces, const std::string& caption, bool northArrow, bool groundLine,
                      Language lang) {
    double minX = std::numeric_limits<double>::max(), maxX = -minX, minY = minX, maxY = -minX;
    for (const Face& f : faces)
        for (const Point2& p : f.points) {
            minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        }
    if (faces.empty()) minX = minY = -1, maxX = maxY = 1;
    if (groundLine) maxY = std::max(maxY, 0.0);
    const double dx = std::max(maxX - minX, 1e-6), dy = std::max(maxY - minY, 1e-6);
    const double scale = std::min((kPictureWidth - 2 * kMargin) / dx, (kMaxPictureHeight - 2 * kMargin) / dy);
    const double height = dy * scale + 2 * kMargin + kFooter;
    const double offsetX = (kPictureWidth - dx * scale) / 2;
    auto px = [&](double x) { return num(offsetX + (x - minX) * scale, 1); };
    auto py = [&](double y) { return num(kMargin + (y - minY) * scale, 1); };

    std::string s = "<svg class=\"scene\" width=\"" + num(kPictureWidth, 0) + "\" height=\"" + num(height, 0) +
                    "\" viewBox=\"0 0 " + num(kPictureWidth, 0) + " " + num(height, 0) +
                    "\" font-family=\"sans-serif\" font-size=\"12\">\n<rect width=\"" + num(kPictureWidth, 0) +
                    "\" height=\"" + num(height, 0) + "\" fill=\"white\" stroke=\"#888888\"/>\n";
    if (groundLine)
        s += "<line x1=\"" + num(kMargin / 2, 1) + "\" y1=\"" + py(0) + "\" x2=\"" +
             num(kPictureWidth - kMargin / 2, 1) + "\" y2=\"" + py(0) + "\" stroke=\"#00a000\" stroke-width=\"2\"/>\n";
    auto polygon = [&](const Face& f, const std::string& fill, const std::string& stroke, const char* extra) {
        std::string points;
        for (const Point2& p : f.points) points += (points.empty() ? "" : " ") + px(p.x) + "," + py(p.y);
        return "<polygon points=\"" + points + "\" fill=\"" + fill + "\" stroke=\"" + stroke +
               "\" stroke-linejoin=\"round\"" + (*extra ? extra : " stroke-width=\"0.8\"") + "/>\n";
    };
    for (const Face& f : faces)
        s += polygon(f, hexColour(f.colour), hexColour(f.colour, 0.55), f.edgeOn ? " stroke-width=\"2.5\"" : "");
    // The target stays visible behind whatever stands in front of it.
    for (const Face& f : faces)
        if (f.target) s += polygon(f, "none", "#0000ff", " stroke-dasharray=\"4 3\"");

    // Scale bar.
    const double bar = scaleBarLength(dx);
    const double barY = height - kFooter / 2;
    s += "<g stroke=\"black\" stroke-width=\"1.5\"><line x1=\"" + num(kMargin, 1) + "\" y1=\"" + num(barY, 1) +
         "\" x2=\"" + num(kMargin + bar * scale, 1) + "\" y2=\"" + num(barY, 1) + "\"/>";
    for (double x : {kMargin, kMargin + bar * scale})
        s += "<line x1=\"" + num(x, 1) + "\" y1=\"" + num(barY - 5, 1) + "\" x2=\"" + num(x, 1) + "\" y2=\"" +
             num(barY + 5, 1) + "\"/>";
    s += "</g>\n<text x=\"" + num(kMargin + bar * scale + 8, 1) + "\" y=\"" + num(barY + 4, 1) + "\">" +
         formatFixed(bar, 0, bar < 1 ? (bar < 0.1 ? 2 : 1) : 0) + " m</text>\n";
    s += "<text x=\"" + num(kPictureWidth - kMargin, 1) + "\" y=\"" + num(barY + 4, 1) +
         "\" text-anchor=\"end\">" + escape(caption) + "</text>\n";
    if (northArrow) {
        const double x = kPictureWidth - 24, y = 14;
        s += "<path d=\"M" + num(x, 1) + " " + num(y, 1) + "l-7 22l7 -6l7 6z\" fill=\"black\"/>\n<text x=\"" +
             num(x, 1) + "\" y=\"" + num(y + 36, 1) + "\" text-anchor=\"middle\" font-weight=\"bold\">" +
             tr(lang, "N", "N") + "</text>\n";
    }
    return s + "</svg>\n";
}

}  // namespace

std::string reportPlanSvg(const PreviewScene& scene, Language lang) {
    // From above: east to the right, south (+Z) down, so north is up.
    const auto faces = sceneFaces(
        scene, [](const PreviewVertex& v) { return Point2{v.x, v.z}; },
        [](const PreviewVertex& v) { return -static_cast<double>(v.y); });
    return drawFaces(faces, tr(lang, "Grundriss, Norden oben", "Plan view, north up"), true, false, lang);
}

std::string reportFrontSvg(const PreviewScene& scene, double targetAzimuthDeg, Language lang) {
    // The viewer stands on the target's side and looks back along its normal, whose
    // horizontal direction is (sin a east, cos a north); north is -Z.
    const double a = targetAzimuthDeg * kDegree;
    const double viewE = -std::sin(a), viewN = -std::cos(a);
    const double rightE = viewN, rightN = -viewE;
    const auto faces = sceneFaces(
        scene,
        [&](const PreviewVertex& v) {
            return Point2{v.x * rightE - v.z * rightN, -static_cast<double>(v.y)};
        },
        [&](const PreviewVertex& v) { return v.x * viewE - v.z * viewN; });
    const std::string caption = tr(lang, "Ansicht von vor dem Target, Blickrichtung ", "View from in front of the target, looking toward ") +
                                num(std::fmod(targetAzimuthDeg + 180.0, 360.0), 1) + "\xC2\xB0";
    return drawFaces(faces, caption, false, true, lang);
}

ReportData computeReport(const ReportRequest& request) {
    ReportData d;
    d.projectFile = request.projectFile;
    d.createdAt = request.createdAt;
    d.method = request.method;
    for (const std::string& line : request.text) {
        if (!isCommentLine(line)) break;
        std::string c = line.substr(1);
        if (!c.empty() && c.front() == ' ') c.erase(0, 1);
        if (!trimBlanks(c).empty()) d.comments.push_back(c);
    }

    TSimParameter compileParams = request.params;
    const CompiledModel model =
        prepareRun(request.text, request.projectFile, compileParams, Language::English, request.method);
    for (const TFlaeche& f : model.flaechen) {
        if (!f.istTarget) continue;
        const double azimuth = std::fmod(f.alpha / kDegree + 360.0, 360.0);
        d.targets.push_back({f.name, polygonArea(f), azimuth, 90.0 - f.beta / kDegree});
    }
    if (!d.targets.empty()) d.targetAzimuthDeg = d.targets.front().azimuthDeg;
    d.horizonEntries = static_cast<int>(model.horizon.size());

    const ViewScene view = readViewScene(request.text, request.projectFile);
    for (const ViewObject& o : view.objects) {
        if (o.kind == ObjectKind::Tree) ++d.trees;
        else if (o.kind == ObjectKind::House) ++d.houses;
        else if (!o.target) ++d.plainSurfaces;
    }
    d.scene = buildPreviewScene(view, 0, false);

    RunRequest run;
    run.text = request.text;
    run.projectFile = request.projectFile;
    run.params = request.params;
    run.settings.baseName.clear();  // the numbers only, no files
    run.settings.language = Language::English;
    run.settings.method = request.method;
    RunEvents events;
    if (request.newDay) events.newDay = [&](int day, long) { request.newDay(day); };
    d.run = runSession(run, events);
    d.params = d.run.params;

    d.sunPath = sunPathDiagram(request.text, request.projectFile, request.params, request.method);

    if (request.weather) {
        IrradiationRequest ir;
        ir.text = request.text;
        ir.projectFile = request.projectFile;
        ir.params = request.params;
        ir.method = request.method;
        ir.skyModel = request.skyModel;
        ir.newDay = request.newDay;
        d.irradiation = computeIrradiation(ir, *request.weather);
        d.weatherFile = request.weatherFile;
        d.weather.place = request.weather->place;
        d.weather.latitude = request.weather->latitude;
        d.weather.longitude = request.weather->longitude;
        d.weather.timeZone = request.weather->timeZone;
    }
    return d;
}

namespace {

const char* const kStyle = R"(
body { font-family: sans-serif; font-size: 10.5pt; color: #111; margin: 1.5em auto; max-width: 190mm; }
h1 { font-size: 20pt; margin: 0 0 0.3em; }
h2 { font-size: 14pt; border-bottom: 2px solid #2050a0; padding-bottom: 2px; margin-top: 1.4em; }
table { border-collapse: collapse; margin: 0.5em 0; }
th, td { border: 1px solid #bbb; padding: 2px 7px; }
th { background: #e8eef8; text-align: left; }
td.n { text-align: right; font-variant-numeric: tabular-nums; }
tr.total td { font-weight: bold; background: #fff0b3; }
.comment { font-style: italic; margin: 0.2em 0; }
.warning { border: 2px solid #c00000; background: #ffecec; padding: 0.4em 0.7em; margin: 0.6em 0; }
.note { color: #444; }
svg { display: block; max-width: 100%; height: auto; margin: 0.5em 0; }
@page { size: A4 portrait; margin: 14mm; }
@media print {
  body { margin: 0; max-width: none; }
  section { break-before: page; page-break-before: always; }
  section.join { break-before: auto; page-break-before: auto; }
  table, svg, figure { break-inside: avoid; page-break-inside: avoid; }
}
)";

// Colour of a shaded fraction 0..1 in the heat map: light yellow to dark red.
std::string heatColour(double v) {
    static const double stops[][3] = {
        {255, 255, 224}, {254, 217, 118}, {253, 141, 60}, {215, 48, 31}, {127, 0, 0}};
    const double t = std::clamp(v, 0.0, 1.0) * 4.0;
    const int i = std::min(static_cast<int>(t), 3);
    const double f = t - i;
    static const char* const digits = "0123456789abcdef";
    std::string s = "#";
    for (int c = 0; c < 3; ++c) {
        const int k = static_cast<int>(std::lround(stops[i][c] + (stops[i + 1][c] - stops[i][c]) * f));
        s += digits[k / 16];
        s += digits[k % 16];
    }
    return s;
}

std::string monthName(Language lang, std::size_t m) { return escape(cp1252ToUtf8(monthNames(lang)[m])); }

std::string row(std::initializer_list<std::string> cells, const char* cls = "") {
    std::string s = std::string("<tr") + (*cls ? std::string(" class=\"") + cls + "\"" : "") + ">";
    bool first = true;
    for (const std::string& c : cells) {
        s += first ? "<th>" + c + "</th>" : "<td>" + c + "</td>";
        first = false;
    }
    return s + "</tr>\n";
}

class Page {
public:
    Page(const ReportData& d, Language lang) : d_(d), lang_(lang) {}

    std::string html() {
        out_ = "<!DOCTYPE html>\n<html lang=\"" + std::string(lang_ == Language::German ? "de" : "en") +
               "\">\n<head>\n<meta charset=\"utf-8\">\n<meta name=\"viewport\" content=\"width=device-width\">\n"
               "<title>" + t("Verschattungsbericht", "Shading report") + ": " +
               nameText(fileNameOf(d_.projectFile)) + "</title>\n<style>" + kStyle +
               "</style>\n</head>\n<body>\n";
        titleBlock();
        site();
        pictures();
        sunPath();
        shading();
        if (d_.irradiation) irradiation();
        notes();
        out_ += "</body>\n</html>\n";
        return std::move(out_);
    }

private:
    std::string t(const char* german, const char* english) const { return escape(tr(lang_, german, english)); }

    void open(const char* id, const std::string& heading, bool samePage = false) {
        out_ += std::string("<section id=\"") + id + "\"" + (samePage ? " class=\"join\"" : "") + ">\n<h2>" +
                heading + "</h2>\n";
    }
    void close() { out_ += "</section>\n"; }

    void titleBlock() {
        out_ += "<section id=\"title\" class=\"join\">\n<h1>" + t("Verschattungsbericht", "Shading report") +
                "</h1>\n";
        for (const std::string& c : d_.comments) out_ += "<p class=\"comment\">" + projectText(c) + "</p>\n";
        const TSimParameter& p = d_.params;
        out_ += "<table>\n";
        out_ += row({t("Projektdatei", "Project file"), nameText(fileNameOf(d_.projectFile))});
        out_ += row({t("Erstellt", "Created"), escape(d_.createdAt)});
        out_ += row({t("Programmversion", "Program version"), std::string("Penumbro ") + kProgramVersion});
        out_ += row({t("Verfahren", "Method"),
                     d_.method == ShadingMethod::Exact
                         ? t("exakte Fl\xE4" "chen", "exact areas")
                         : t("Raster, Aufl\xF6sung ", "raster, resolution ") + std::to_string(p.resolution) +
                               t(" Pixel", " px")});
        out_ += row({t("Zeitschritt", "Interval"), std::to_string(p.intervalMinutes) + " min"});
        std::string days;
        if (p.monthly)
            days = t("monatlich: Monate ", "monthly: months ") + std::to_string(p.firstMonth) + "\xE2\x80\x93" +
                   std::to_string(p.stopMonth) + t(", ab Tag ", ", from day ") + std::to_string(p.monthStartDay) +
                   t(" jedes Monats, alle ", " of every month, every ") + std::to_string(p.intervalDays) +
                   t(" Tage", " days");
        else
            days = t("Tage ", "days ") + std::to_string(p.firstDay) + "\xE2\x80\x93" + std::to_string(p.stopDay) +
                   t(", alle ", ", every ") + std::to_string(p.intervalDays) + t(" Tage", " days");
        out_ += row({t("Tage", "Days"), days});
        std::string diffuse = t("nicht berechnet", "not computed");
        if (p.diffuse)
            diffuse = t("berechnet: Aufl\xF6sung ", "computed: resolution ") + std::to_string(p.diffuseResolution) +
                      t(" Pixel, ", " px, ") + std::to_string(p.elevationIntervals) +
                      t(" H\xF6henb\xE4nder, Himmelsreduktion k = ", " elevation bands, sky reduction k = ") +
                      num(p.skyReduction, 2) + t(", Reflexionsgrad der Hindernisse ", ", obstacle reflectance ") +
                      num(p.obstacleReflectance, 2);
        out_ += row({t("Diffusstrahlung", "Diffuse radiation"), diffuse});
        if (d_.irradiation)
            out_ += row({t("Wetterdatei", "Weather file"), nameText(fileNameOf(d_.weatherFile)) + " (" +
                                                               t("Himmelsmodell ", "sky model ") +
                                                               skyModelName(d_.irradiation->skyModel) + ")"});
        out_ += "</table>\n";
        close();
    }

    void site() {
        open("site", t("Standort und Objekte", "Site and objects"), true);
        const TSimParameter& p = d_.params;
        out_ += "<table>\n";
        out_ += row({t("Breite", "Latitude"), hemisphere(p.latitude, t("N", "N").c_str(), t("S", "S").c_str())});
        // The project counts longitude west.
        out_ += row({t("L\xE4nge", "Longitude"), hemisphere(p.longitude, t("W", "W").c_str(), t("O", "E").c_str())});
        out_ += row({t("Zeitzone", "Time zone"), utcOffset(-p.correction) + " (" + t("Zeitkorrektur ", "time correction ") +
                                                     num(p.correction, 2) + " h)"});
        out_ += "</table>\n<h3>" + t("Targetfl\xE4" "chen", "Target surfaces") + "</h3>\n<table id=\"targets\">\n";
        out_ += "<tr><th>" + t("Name", "Name") + "</th><th>" + t("Fl\xE4" "che", "Area") + " (m\xC2\xB2)</th><th>" +
                t("Azimut", "Azimuth") + " (\xC2\xB0)</th><th>" + t("Neigung", "Tilt") + " (\xC2\xB0)</th></tr>\n";
        for (const ReportTarget& target : d_.targets)
            out_ += "<tr><td>" + projectText(target.name) + "</td><td class=\"n\">" + num(target.area, 3) +
                    "</td><td class=\"n\">" + num(target.azimuthDeg, 1) + "</td><td class=\"n\">" +
                    num(target.tiltDeg, 1) + "</td></tr>\n";
        out_ += "</table>\n<p class=\"note\">" +
                t("Azimut der Fl\xE4" "chennormale von Norden \xFC" "ber Osten; Neigung 0\xB0 waagerecht, 90\xB0 senkrecht.",
                  "Azimuth of the surface normal from north through east; tilt 0\xB0 horizontal, 90\xB0 vertical.") +
                "</p>\n<h3>" + t("Objekte", "Objects") + "</h3>\n<table id=\"objects\">\n";
        out_ += row({t("Targetfl\xE4" "chen", "Target surfaces"), std::to_string(d_.targets.size())});
        out_ += row({t("Andere Fl\xE4" "chen", "Other surfaces"), std::to_string(d_.plainSurfaces)});
        out_ += row({t("B\xE4ume", "Trees"), std::to_string(d_.trees)});
        out_ += row({t("H\xE4user", "Houses"), std::to_string(d_.houses)});
        out_ += row({t("Horizontpunkte", "Horizon entries"), std::to_string(d_.horizonEntries)});
        out_ += "</table>\n";
        close();
    }

    void pictures() {
        open("scene", t("Szene", "Scene"));
        out_ += reportPlanSvg(d_.scene, lang_);
        out_ += reportFrontSvg(d_.scene, d_.targetAzimuthDeg, lang_);
        out_ += "<p class=\"note\">" +
                t("Target blau, Hindernisse grau (senkrecht oder waagerecht) oder dunkelrot (geneigt), B\xE4ume "
                  "gr\xFCn mit braunem Stamm, H\xE4user hellgrau mit rotbraunem Dach; das Target ist gestrichelt "
                  "umrandet, auch wo es verdeckt ist.",
                  "Target blue, obstacles grey (vertical or horizontal) or dark red (inclined), trees green with a "
                  "brown trunk, houses light grey with a red-brown roof; the target is outlined dashed, also where "
                  "it is hidden.") +
                "</p>\n";
        close();
    }

    void sunPath() {
        open("sunpath", t("Sonnenstandsdiagramm", "Sun-path diagram"));
        std::string svg = sunPathSvg(d_.sunPath, lang_);
        // Inline: no XML declaration, and the namespace is implied by the page.
        if (svg.rfind("<?xml", 0) == 0) svg.erase(0, svg.find('\n') + 1);
        const std::string ns = " xmlns=\"http://www.w3.org/2000/svg\"";
        if (const auto at = svg.find(ns); at != std::string::npos) svg.erase(at, ns.size());
        out_ += svg;
        close();
    }

    void shading() {
        open("shading", t("Verschattung nach Monaten", "Shading by month"));
        const RunResult& r = d_.run;
        out_ += "<p>" + t("Mittlere Verschattung, solange die Sonne auf das Target scheint (0 = unverschattet, 1 = "
                          "ganz verschattet):",
                          "Mean shading while the sun is on the target (0 = unshaded, 1 = fully shaded):") +
                "</p>\n<table id=\"monthly\">\n<tr><th>" + t("Monat", "Month") + "</th><th>" +
                t("Verschattung", "Shading") + "</th><th>" + t("Zeitpunkte mit Sonne auf dem Target", "Instants with the sun on the target") +
                "</th><th>" + t("Zeitpunkte", "Instants") + "</th></tr>\n";
        for (std::size_t m = 0; m < 12; ++m) {
            const MonthStats& s = r.months[m];
            if (s.instants == 0) continue;
            const std::string mean = s.sunOnTarget > 0
                                         ? formatFixed(s.shadingSum / static_cast<double>(s.sunOnTarget), 0, 4)
                                         : std::string("-");
            out_ += "<tr data-month=\"" + std::to_string(m + 1) + "\"><td>" + monthName(lang_, m) +
                    "</td><td class=\"n\">" + mean + "</td><td class=\"n\">" + std::to_string(s.sunOnTarget) +
                    "</td><td class=\"n\">" + std::to_string(s.instants) + "</td></tr>\n";
        }
        out_ += "<tr class=\"total\"><td>" + t("Jahr", "Year") + "</td><td class=\"n\"></td><td class=\"n\">" +
                std::to_string(r.sunOnTarget) + "</td><td class=\"n\">" + std::to_string(r.instants) +
                "</td></tr>\n</table>\n";
        heatMap();
        if (r.diffuse) {
            out_ += "<h3>" + t("Diffusfaktoren", "Diffuse factors") + "</h3>\n<table id=\"diffuse\">\n<tr><th>" +
                    t("Monat", "Month") + "</th><th>" + t("Himmel", "Sky") + "</th><th>" + t("Boden", "Ground") +
                    "</th></tr>\n";
            for (std::size_t m = 0; m < 12; ++m) {
                if (!r.diffuseFactors[m]) continue;
                out_ += "<tr data-month=\"" + std::to_string(m + 1) + "\"><td>" + monthName(lang_, m) +
                        "</td><td class=\"n\">" + formatFixed(r.diffuseFactors[m]->sky, 0, 3) +
                        "</td><td class=\"n\">" + formatFixed(r.diffuseFactors[m]->ground, 0, 3) + "</td></tr>\n";
            }
            out_ += "</table>\n";
        }
        close();
    }

    // Months down, clock hours across, from the run's hourly means (the monthly mode's).
    void heatMap() {
        const RunResult& r = d_.run;
        out_ += "<h3>" + t("Mittlere Verschattung nach Monat und Stunde", "Mean shading by month and hour") + "</h3>\n";
        if (!d_.params.monthly) {
            out_ += "<p class=\"note\">" +
                    t("Die Stundenmittel gibt es nur bei monatlicher Simulation.",
                      "The hourly means are only kept by a monthly simulation.") +
                    "</p>\n";
            return;
        }
        const double left = 90, top = 24, cw = 22, ch = 20;
        const double width = left + 24 * cw + 20, height = top + 12 * ch + 70;
        out_ += "<svg id=\"heatmap\" width=\"" + num(width, 0) + "\" height=\"" + num(height, 0) + "\" viewBox=\"0 0 " +
                num(width, 0) + " " + num(height, 0) + "\" font-family=\"sans-serif\" font-size=\"11\">\n";
        for (int h = 0; h < 24; ++h)
            out_ += "<text x=\"" + num(left + (h + 0.5) * cw, 1) + "\" y=\"" + num(top - 8, 1) +
                    "\" text-anchor=\"middle\">" + std::to_string(h) + "</text>\n";
        for (std::size_t m = 0; m < 12; ++m) {
            const double y = top + static_cast<double>(m) * ch;
            out_ += "<text x=\"" + num(left - 6, 1) + "\" y=\"" + num(y + ch * 0.7, 1) + "\" text-anchor=\"end\">" +
                    monthName(lang_, m) + "</text>\n";
            const bool kept = r.lastMonth != 0 && r.months[m].instants > 0;
            for (std::size_t h = 0; h < 24; ++h) {
                const double v = r.monthlyMeans[m][h];
                out_ += "<rect x=\"" + num(left + static_cast<double>(h) * cw, 1) + "\" y=\"" + num(y, 1) +
                        "\" width=\"" + num(cw, 1) + "\" height=\"" + num(ch, 1) + "\" fill=\"" +
                        (kept ? heatColour(v) : std::string("#eeeeee")) + "\" stroke=\"white\"><title>" +
                        (kept ? formatFixed(v, 0, 3) : std::string("-")) + "</title></rect>\n";
            }
        }
        // Legend: eleven steps of the scale.
        const double ly = top + 12 * ch + 22;
        out_ += "<text x=\"" + num(left - 6, 1) + "\" y=\"" + num(ly + 13, 1) + "\" text-anchor=\"end\">" +
                t("Verschattung", "Shading") + "</text>\n";
        for (int k = 0; k <= 10; ++k) {
            out_ += "<rect x=\"" + num(left + k * 30.0, 1) + "\" y=\"" + num(ly, 1) +
                    "\" width=\"30\" height=\"16\" fill=\"" + heatColour(k / 10.0) + "\"/>\n";
            if (k % 5 == 0)
                out_ += "<text x=\"" + num(left + k * 30.0 + 15, 1) + "\" y=\"" + num(ly + 30, 1) +
                        "\" text-anchor=\"middle\">" + num(k / 10.0, 1) + "</text>\n";
        }
        out_ += "</svg>\n<p class=\"note\">" +
                t("Stunden in Ortszeit; Zeitpunkte ohne Sonne auf dem Target z\xE4hlen als ganz verschattet.",
                  "Hours in local clock time; instants without the sun on the target count as fully shaded.") +
                "</p>\n";
    }

    void irradiation() {
        const IrradiationResult& r = *d_.irradiation;
        open("irradiation", t("Einstrahlung aus dem Wetterjahr", "Irradiation from the weather year"));
        const WeatherFile& w = d_.weather;
        out_ += "<p>" + t("Wetterdatei ", "Weather file ") + nameText(fileNameOf(d_.weatherFile)) + ": " +
                nameText(w.place) + ", " + hemisphere(w.latitude, t("N", "N").c_str(), t("S", "S").c_str()) + ", " +
                hemisphere(w.longitude, t("O", "E").c_str(), t("W", "W").c_str()) + ", " + utcOffset(w.timeZone) +
                ".</p>\n";
        if (!r.warnings.empty())
            out_ += "<p class=\"warning\">" +
                    t("Achtung: Ort oder Zeitzone der Wetterdatei weichen vom Standort des Projekts ab (mehr als 1\xB0 "
                      "oder 1 Stunde). Die Einstrahlung passt dann nicht zum Sonnenstand des Projekts.",
                      "Warning: the weather file's site or time zone differs from the project's (by more than 1\xB0 "
                      "or 1 hour). Its irradiation then does not fit the project's sun positions.") +
                    "</p>\n";
        out_ += "<p>" + t("Ebene des ersten Targets: Neigung ", "Plane of the first target: tilt ") +
                formatFixed(r.tiltDeg, 0, 1) + "\xC2\xB0, " + t("Azimut ", "azimuth ") + formatFixed(r.azimuthDeg, 0, 1) +
                "\xC2\xB0. " + t("Einstrahlung in kWh je m\xB2 Targetfl\xE4" "che:", "Irradiation in kWh per m\xB2 of target:") +
                "</p>\n<table id=\"irradiation-table\">\n<tr><th>" + t("Monat", "Month") + "</th><th>" +
                t("Direkt", "Beam") + "</th><th>" + t("Himmel", "Sky") + "</th><th>" + t("Boden", "Ground") +
                "</th><th>" + t("Direkt verschattet", "Beam shaded") + "</th><th>" + t("Himmel verschattet", "Sky shaded") +
                "</th><th>" + t("Boden verschattet", "Ground shaded") + "</th><th>" + t("Verlust %", "Loss %") +
                "</th></tr>\n";
        const auto rows = irradiationRows(r);
        for (std::size_t k = 1; k < rows.size(); ++k) {
            const bool year = k == rows.size() - 1;
            out_ += year ? std::string("<tr class=\"total\" data-month=\"year\"><td>") + t("Jahr", "Year") + "</td>"
                         : "<tr data-month=\"" + rows[k][0] + "\"><td>" + monthName(lang_, k - 1) + "</td>";
            for (std::size_t c = 1; c < rows[k].size(); ++c) out_ += "<td class=\"n\">" + rows[k][c] + "</td>";
            out_ += "</tr>\n";
        }
        out_ += "</table>\n";
        lossChart(rows);
        close();
    }

    void lossChart(const std::vector<std::vector<std::string>>& rows) {
        const IrradiationResult& r = *d_.irradiation;
        double top = 0;
        for (const auto& m : r.months) top = std::max(top, m.lossPercent());
        top = std::max(1.0, top);
        const double step = scaleBarLength(top * 4) / 2;  // gridlines of 1, 2 or 5 times a power of ten
        const double axisTop = std::ceil(top / step) * step;
        const double left = 60, plotTop = 30, plotHeight = 220, barWidth = 40, width = left + 12 * barWidth + 30;
        const double height = plotTop + plotHeight + 50;
        auto y = [&](double v) { return plotTop + plotHeight - v / axisTop * plotHeight; };
        out_ += "<h3>" + t("Verlust durch Verschattung nach Monaten", "Loss by shading, by month") + "</h3>\n";
        out_ += "<svg id=\"loss-chart\" width=\"" + num(width, 0) + "\" height=\"" + num(height, 0) +
                "\" viewBox=\"0 0 " + num(width, 0) + " " + num(height, 0) +
                "\" font-family=\"sans-serif\" font-size=\"11\">\n";
        for (double v = 0; v <= axisTop + step / 2; v += step)
            out_ += "<line x1=\"" + num(left, 1) + "\" y1=\"" + num(y(v), 1) + "\" x2=\"" +
                    num(left + 12 * barWidth, 1) + "\" y2=\"" + num(y(v), 1) + "\" stroke=\"#dddddd\"/><text x=\"" +
                    num(left - 6, 1) + "\" y=\"" + num(y(v) + 4, 1) + "\" text-anchor=\"end\">" +
                    num(v, step < 1 ? 1 : 0) + " %</text>\n";
        for (std::size_t m = 0; m < 12; ++m) {
            const double v = r.months[m].lossPercent();
            const double x = left + static_cast<double>(m) * barWidth;
            out_ += "<rect x=\"" + num(x + 6, 1) + "\" y=\"" + num(y(v), 1) + "\" width=\"" + num(barWidth - 12, 1) +
                    "\" height=\"" + num(plotTop + plotHeight - y(v), 1) + "\" fill=\"#2050a0\"/>\n<text x=\"" +
                    num(x + barWidth / 2, 1) + "\" y=\"" + num(y(v) - 4, 1) + "\" text-anchor=\"middle\" font-size=\"9\">" +
                    rows[m + 1].back() + "</text>\n<text x=\"" + num(x + barWidth / 2, 1) + "\" y=\"" +
                    num(plotTop + plotHeight + 16, 1) + "\" text-anchor=\"middle\">" +
                    monthName(lang_, m).substr(0, 3) + "</text>\n";
        }
        out_ += "<line x1=\"" + num(left, 1) + "\" y1=\"" + num(y(0), 1) + "\" x2=\"" + num(left + 12 * barWidth, 1) +
                "\" y2=\"" + num(y(0), 1) + "\" stroke=\"black\"/>\n</svg>\n";
    }

    void notes() {
        open("notes", t("Hinweise zum Verfahren", "Notes on the method"));
        const char* const items[][2] = {
            {"F\xFCr jeden Zeitpunkt wird die Sonne berechnet und die Szene aus ihrer Richtung auf die Ebene des "
             "Targets projiziert; der verdeckte Anteil der Targetfl\xE4" "che ist die Verschattung (Raster: gez\xE4hlte "
             "Pixel, exakt: Fl\xE4" "chen der Polygone).",
             "For every instant the sun's position is computed and the scene is projected from its direction onto the "
             "target's plane; the hidden share of the target surface is the shading (raster: counted pixels, exact: "
             "areas of the polygons)."},
            {"Die Horizontlinie verdeckt die Sonne ganz, wenn sie hinter ihr steht.",
             "The horizon line hides the sun completely when it stands behind it."},
            {"B\xE4ume verschatten nach dem Belaubungsgrad des Monats.",
             "Trees shade by the month's degree of foliage."},
            {"Reflexionen an Hindernissen werden nicht verfolgt; sie gehen nur \xFC" "ber die Diffusfaktoren ein "
             "(Reflexionsgrad der Hindernisse und Bodenreflexion des Monats).",
             "Reflections from obstacles are not traced; they enter only through the diffuse factors (the obstacles' "
             "reflectance and the month's ground reflectance)."},
            {"Die Einstrahlung aus dem Wetterjahr nimmt die Direktstrahlung zur Mitte jeder Stunde, den Boden "
             "isotrop und den Himmel isotrop oder nach Perez.",
             "The irradiation from the weather year takes the beam at the middle of every hour, the ground as "
             "isotropic and the sky as isotropic or by Perez."},
            {"Die Formeln stehen in der README des Programms (Abschnitte zur Einstrahlung, zu den Himmelsmodellen und "
             "zum Sonnenstandsdiagramm).",
             "The formulas are given in the program's README (sections on irradiation, the sky models and the "
             "sun-path diagram)."}};
        out_ += "<ul>\n";
        for (const auto& item : items) out_ += "<li>" + t(item[0], item[1]) + "</li>\n";
        out_ += "</ul>\n";
        close();
    }

    const ReportData& d_;
    Language lang_;
    std::string out_;
};

}  // namespace

std::string reportHtml(const ReportData& data, Language language) { return Page(data, language).html(); }

std::string reportCreatedAt() {
    std::time_t when = std::time(nullptr);
    bool utc = false;
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
        char* end = nullptr;
        const long long v = std::strtoll(epoch, &end, 10);
        if (*end == '\0' && v >= 0) {
            when = static_cast<std::time_t>(v);
            utc = true;
        }
    }
    std::tm tm{};
    if (utc) gmtime_r(&when, &tm);
    else localtime_r(&when, &tm);
    char text[32];
    std::strftime(text, sizeof text, utc ? "%Y-%m-%d %H:%M UTC" : "%Y-%m-%d %H:%M", &tm);
    return text;
}

std::string makeReport(const ReportRequest& request, Language language) {
    return reportHtml(computeReport(request), language);
}

}  // namespace penumbro
