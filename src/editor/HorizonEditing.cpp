#include "editor/HorizonEditing.h"

#include "editor/ObjectTable.h"
#include "editor/TextScan.h"
#include "project/InputError.h"
#include "project/Numbers.h"

namespace penumbro {

namespace {

constexpr std::size_t kHoeheBreite = 8;  // the grid shows at most 8 characters of the elevation

bool istStandortOderReflexion(const std::string& line) {
    return beginntMit(line, "Standort") || beginntMit(line, "Bodenreflexion");
}

// Where the trailing sections begin: the first line after the last object that
// begins with "Horizont", "Standort" or "Bodenreflexion" (the text's size if none).
// Looking only behind the objects keeps a surface named "Standortmast" safe.
std::size_t abschnittsbeginn(const Lines& text) {
    const ObjektListe liste = ListeAufbauen(text);
    fehlerPruefen(liste);
    std::size_t i = static_cast<std::size_t>(liste.objekt(liste.ObjektAnzahl + 1).Zeile - 1);
    while (i < text.size() && !beginntMit(text[i], "Horizont") && !istStandortOderReflexion(text[i])) ++i;
    return i;
}

// The line after a horizon section starting at `start` (its "Horizont" line): the
// section ends at an empty line, a "Standort" or "Bodenreflexion" line, or the end.
std::size_t abschnittsende(const Lines& text, std::size_t start) {
    std::size_t j = start + 1;
    while (j < text.size() && !text[j].empty() && !istStandortOderReflexion(text[j])) ++j;
    return j;
}

std::optional<HorizontZeile> zerlegen(std::string_view line, std::size_t hoeheBreite) {
    const auto strich = line.find('-');
    if (strich == std::string_view::npos) return std::nullopt;
    const auto gleich = line.find('=', strich + 1);
    if (gleich == std::string_view::npos) return std::nullopt;
    return HorizontZeile{std::string(line.substr(0, strich)),
                         std::string(line.substr(strich + 1, gleich - strich - 1)),
                         std::string(line.substr(gleich + 1, hoeheBreite))};
}

}  // namespace

bool HorizontZeile::zaehlt() const {
    return !von.empty() && von.find('-') == std::string::npos && parseNumber(von) && parseNumber(bis) &&
           parseNumber(hoehe);
}

std::vector<HorizontZeile> horizontLesen(const Lines& text) {
    std::vector<HorizontZeile> zeilen;
    const std::size_t start = abschnittsbeginn(text);
    if (start >= text.size() || !beginntMit(text[start], "Horizont")) return zeilen;
    const std::size_t ende = abschnittsende(text, start);
    for (std::size_t i = start + 1; i < ende && zeilen.size() < kHorizontZeilen; ++i) {
        if (auto z = zerlegen(text[i], kHoeheBreite)) zeilen.push_back(std::move(*z));
    }
    return zeilen;
}

Lines horizontSchreiben(const Lines& text, const std::vector<HorizontZeile>& zeilen) {
    std::size_t zaehlend = 0;
    for (const auto& z : zeilen) zaehlend += z.zaehlt() ? 1 : 0;
    if (zaehlend > static_cast<std::size_t>(kHorizontZeilen)) {
        throw InputError({}, 0, "a horizon holds at most 25 intervals");
    }
    const std::size_t start = abschnittsbeginn(text);
    Lines out(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(start));
    if (zaehlend > 0) {
        out.push_back("Horizont");
        for (const auto& z : zeilen) {
            if (z.zaehlt()) out.push_back(z.zeile());
        }
    }
    std::size_t rest = start;
    if (start < text.size() && beginntMit(text[start], "Horizont")) rest = abschnittsende(text, start);
    out.insert(out.end(), text.begin() + static_cast<std::ptrdiff_t>(rest), text.end());
    return out;
}

std::optional<HorizontZeile> horizontArgument(std::string_view text) {
    auto z = zerlegen(text, std::string_view::npos);
    if (!z || !z->zaehlt()) return std::nullopt;
    return z;
}

HorizontPanel HorizontPanel::aus(const std::vector<HorizontZeile>& zeilen) {
    HorizontPanel p;
    for (std::size_t i = 0; i < zeilen.size() && i < p.zeilen.size(); ++i) p.zeilen[i] = zeilen[i];
    return p;
}

std::vector<HorizontZeile> HorizontPanel::zaehlendeZeilen() const {
    std::vector<HorizontZeile> out;
    for (const auto& z : zeilen) {
        if (z.zaehlt()) out.push_back(z);
    }
    return out;
}

std::vector<int> HorizontPanel::verworfeneZeilen() const {
    std::vector<int> out;
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        const auto& z = zeilen[i];
        const bool leer = z.von.empty() && z.bis.empty() && z.hoehe.empty();
        if (!leer && !z.zaehlt()) out.push_back(static_cast<int>(i) + 1);
    }
    return out;
}

}  // namespace penumbro
