#include "views/Viewpoints.h"

#include "project/Encoding.h"
#include "views/VrmlFormat.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace penumbro {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

void viewpoint(std::string& out, const std::string& description, const std::string& position,
               const std::string& orientation) {
    vrmlLine(out, "Viewpoint {");
    vrmlLine(out, "  description " + description);
    vrmlLine(out, "  position " + position);
    vrmlLine(out, "  orientation " + orientation);
    vrmlLine(out, "}");
    vrmlLine(out, "");
}

}  // namespace

VrmlRotation targetRotation(double azimuth, double elevation) {
    const double a = azimuth * kDegree;
    const double e = elevation * kDegree;
    const double n[3] = {std::sin(a) * std::cos(e), std::sin(e), -std::cos(a) * std::cos(e)};
    VrmlRotation r;
    r.axis[0] = n[1];
    r.axis[1] = -n[0];
    r.axis[2] = 0.0;
    if (std::fabs(r.axis[0]) < 1e-10 && std::fabs(r.axis[1]) < 1e-10 &&
        std::fabs(r.axis[2]) < 1e-10) {
        r.axis[1] = 1.0;
    }
    r.angle = std::acos(std::clamp(-n[2], -1.0, 1.0));
    return r;
}

std::string spellOutUmlauts(std::string_view name) {
    std::string spelled;
    for (char ch : name) {
        switch (static_cast<unsigned char>(ch)) {
            case 0xE4: spelled += "ae"; break;
            case 0xF6: spelled += "oe"; break;
            case 0xFC: spelled += "ue"; break;
            case 0xC4: spelled += "Ae"; break;
            case 0xD6: spelled += "Oe"; break;
            case 0xDC: spelled += "Ue"; break;
            case 0xDF: spelled += "ss"; break;
            case '"': spelled += "\\\""; break;
            case '\\': spelled += "\\\\"; break;
            default: spelled += ch;
        }
    }
    // The world declares UTF-8; any other non-ASCII byte of the name is converted.
    return cp1252ToUtf8(spelled);
}

void writeFixedViewpoints(std::string& out, double extent, const VrmlTexts& texts) {
    const double e = extent;
    const auto& t = texts.viewpoints;
    viewpoint(out, t[0], "0 " + vrmlN(5 * e) + " 0", "1 0 0 -1.571");
    viewpoint(out, t[1], "0 1.7 " + vrmlN(-2 * e), "0 1 0 3.142");
    viewpoint(out, t[2], vrmlN(2 * e) + " 1.7 0", "0 1 0 1.571");
    viewpoint(out, t[3], "0 1.7 " + vrmlN(2 * e), "0 1 0 0");
    viewpoint(out, t[4], vrmlN(-2 * e) + " 1.7 0", "0 1 0 -1.571");
    viewpoint(out, t[5], "0 0 0", "0 1 0 0");
    viewpoint(out, t[6], "0 0 0", "0 1 0 -1.571");
    viewpoint(out, t[7], "0 0 0", "0 1 0 3.142");
    viewpoint(out, t[8], "0 0 0", "0 1 0 1.571");
}

void writeTargetViewpoints(std::string& out, const Lines& text, const ViewScene& scene,
                           const VrmlTexts& texts) {
    for (const ViewObject& o : scene.objects) {
        // A target without vertices has no centre to stand on.
        if (o.kind != ObjectKind::Plain || !o.target || o.vertices.empty()) continue;
        const VrmlRotation r = targetRotation(o.azimuth, o.elevation);
        double sum[3] = {0, 0, 0};
        for (const Point3& p : o.vertices)
            for (std::size_t c = 0; c < 3; ++c) sum[c] += p[c];
        const double count = static_cast<double>(o.vertices.size());
        const std::string position = vrmlN(sum[0] / count) + " " + vrmlN(sum[2] / count) + " " +
                                     vrmlN(-(sum[1] / count));
        const std::string orientation = vrmlN(r.axis[0]) + " " + vrmlN(r.axis[1]) + " " +
                                        vrmlN(r.axis[2]) + " " + vrmlN(r.angle);
        viewpoint(out, texts.targetPrefix + " '" + spellOutUmlauts(text[o.nameLine]) + "'\"", position,
                  orientation);
    }
}

}  // namespace penumbro
