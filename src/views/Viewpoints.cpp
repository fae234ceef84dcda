#include "views/Viewpoints.h"

#include "project/Encoding.h"
#include "project/InputError.h"
#include "views/SceneExtent.h"
#include "views/VrmlFormat.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace penumbro {

namespace {

constexpr double kGrad = std::numbers::pi / 180.0;

void viewpoint(std::string& out, const std::string& description, const std::string& position,
               const std::string& orientation) {
    vrmlZeile(out, "Viewpoint {");
    vrmlZeile(out, "  description " + description);
    vrmlZeile(out, "  position " + position);
    vrmlZeile(out, "  orientation " + orientation);
    vrmlZeile(out, "}");
    vrmlZeile(out, "");
}

// The numbers of a placement or vertex line; the placement line loses its "#" first.
Zahlen zahlenVon(std::string_view line) {
    Zahlen z{};
    ZahlenZerlegen(line, z);
    return z;
}

}  // namespace

VrmlRotation targetRotation(double azimutGrad, double elevationGrad) {
    const double a = azimutGrad * kGrad;
    const double e = elevationGrad * kGrad;
    const double n[3] = {std::sin(a) * std::cos(e), std::sin(e), -std::cos(a) * std::cos(e)};
    VrmlRotation r;
    r.achse[0] = n[1];
    r.achse[1] = -n[0];
    r.achse[2] = 0.0;
    if (std::fabs(r.achse[0]) < 1e-10 && std::fabs(r.achse[1]) < 1e-10 &&
        std::fabs(r.achse[2]) < 1e-10) {
        r.achse[1] = 1.0;
    }
    r.winkel = std::acos(std::clamp(-n[2], -1.0, 1.0));
    return r;
}

std::string umlauteUmschreiben(std::string_view name) {
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

void festeViewpointsSchreiben(std::string& out, double ausdehnung, const VrmlTexte& texte) {
    const double e = ausdehnung;
    const auto& t = texte.ansichten;
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

void targetViewpointsSchreiben(std::string& out, const Lines& text, const VrmlTexte& texte,
                               const std::string& fileName) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != "Target") continue;
        const std::string name = i > 0 ? text[i - 1] : std::string();
        const std::size_t countLine = i + 1;
        const long long n = ZaehlerLesen(text, countLine, fileName, "vertex count");
        if (n < 0 || n > 12) {
            throw InputError(fileName, static_cast<int>(countLine + 1),
                             "vertex count " + std::to_string(n) + " is outside 0..12");
        }
        const std::size_t placement = countLine + static_cast<std::size_t>(n) + 1;
        const std::size_t last = placement + static_cast<std::size_t>(n);
        if (last >= text.size()) {
            throw InputError(fileName, static_cast<int>(text.size()),
                             "text ends inside the target surface \"" + name + "\"");
        }
        // A target without vertices has no centre to stand on.
        if (n == 0) continue;

        const std::string& placementLine = text[placement];
        const Zahlen lage = zahlenVon(std::string_view(placementLine).substr(placementLine.empty() ? 0 : 1));
        const VrmlRotation r = targetRotation(lage[0], lage[1]);

        double summe[3] = {0, 0, 0};
        for (std::size_t k = placement + 1; k <= last; ++k) {
            const Zahlen p = zahlenVon(text[k]);
            for (int c = 0; c < 3; ++c) summe[c] += p[static_cast<std::size_t>(c)];
        }
        const double count = static_cast<double>(n);
        const std::string position = vrmlN(summe[0] / count) + " " + vrmlN(summe[2] / count) + " " +
                                     vrmlN(-(summe[1] / count));
        const std::string orientation = vrmlN(r.achse[0]) + " " + vrmlN(r.achse[1]) + " " +
                                        vrmlN(r.achse[2]) + " " + vrmlN(r.winkel);
        viewpoint(out, texte.senkrechtZurEbene + " '" + umlauteUmschreiben(name) + "'\"", position,
                  orientation);
    }
}

}  // namespace penumbro
