#include "editor/SiteEditing.h"

#include "editor/EditOperations.h"
#include "editor/ObjectTable.h"
#include "editor/TextScan.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/SharedTexts.h"

#include <algorithm>
#include <cmath>

namespace penumbro {

namespace {

struct Bereich {
    const char* feldDe;
    const char* feldEn;
    double min;
    double max;
};
constexpr Bereich kBreite{"Breitengrad", "latitude", -90, 90};
constexpr Bereich kLaenge{"L\xE4" "ngengrad", "longitude", -180, 180};
constexpr Bereich kZeitzone{"Zeitzone", "time zone", -12, 12};

bool imBereich(double v, const Bereich& b) { return v >= b.min && v <= b.max; }

std::string mitEinerStelle(double v) {
    std::string s = formatFixed(v, 0, 1);
    if (s == "-0.0") s = "0.0";  // a negative zero would show a meaningless sign
    return s;
}

std::string bereichText(const Bereich& b, Language lang) {
    return formatInt(static_cast<long long>(b.min)) + (lang == Language::German ? " bis " : " to ") +
           formatInt(static_cast<long long>(b.max));
}

void bereichPruefen(double v, const Bereich& b) {
    if (!imBereich(v, b)) {
        throw InputError({}, 0,
                         std::string(b.feldEn) + ": " + mitEinerStelle(v) + " is outside " +
                             formatInt(static_cast<long long>(b.min)) + ".." +
                             formatInt(static_cast<long long>(b.max)));
    }
}

// Replaces the line after the last keyword line, or appends keyword and line.
Lines wertzeileSetzen(const Lines& text, const char* keyword, const std::string& zeile) {
    Lines out = text;
    const auto at = letzteZeileGleich(text, keyword);
    if (!at) {
        out.push_back(keyword);
        out.push_back(zeile);
    } else if (*at + 1 < out.size()) {
        out[*at + 1] = zeile;
    } else {
        out.push_back(zeile);  // the keyword was the last line
    }
    return out;
}

}  // namespace

std::optional<Standort> standortLesen(const Lines& text) {
    const auto at = letzteZeileGleich(text, "Standort");
    if (!at || *at + 1 >= text.size()) return std::nullopt;
    const auto felder = standortFelder(text[*at + 1]);
    if (!felder) {
        throw InputError({}, static_cast<int>(*at) + 2,
                         "the site line is not latitude, longitude and time zone: \"" + text[*at + 1] + "\"");
    }
    return Standort{felder->breite, felder->laenge, felder->zeitzone};
}

std::string standortZeile(const Standort& s) {
    return mitEinerStelle(s.breite) + " " + mitEinerStelle(s.laenge) + " " + mitEinerStelle(s.zeitzone);
}

Lines standortSchreiben(const Lines& text, const Standort& s) {
    bereichPruefen(s.breite, kBreite);
    bereichPruefen(s.laenge, kLaenge);
    bereichPruefen(s.zeitzone, kZeitzone);
    return wertzeileSetzen(text, "Standort", standortZeile(s));
}

std::optional<Monatswerte> bodenreflexionLesen(const Lines& text) {
    const auto at = letzteZeileGleich(text, "Bodenreflexion");
    if (!at || *at + 1 >= text.size()) return std::nullopt;
    try {
        return reflexionsfelderLesen(text[*at + 1]);
    } catch (const InputError& e) {
        throw InputError({}, static_cast<int>(*at) + 2, "ground reflectance: " + e.message());
    }
}

std::string bodenreflexionZeile(const Monatswerte& werte) {
    std::string zeile;
    for (std::size_t m = 0; m < werte.size(); ++m) {
        if (werte[m] < 0 || werte[m] > 100) {
            throw InputError({}, 0,
                             std::string(monatsnamen(Language::English)[m]) + ": " + formatInt(werte[m]) +
                                 " is outside 0..100");
        }
        zeile += formatInt(werte[m], 3);
    }
    return zeile;
}

Lines bodenreflexionSchreiben(const Lines& text, const Monatswerte& werte) {
    return wertzeileSetzen(text, "Bodenreflexion", bodenreflexionZeile(werte));
}

const std::array<const char*, 12>& monatsnamen(Language lang) { return monthNames(lang); }

StandortPanel StandortPanel::aus(const Standort& s) {
    return StandortPanel{mitEinerStelle(s.breite), mitEinerStelle(s.laenge), mitEinerStelle(s.zeitzone)};
}

void StandortPanel::scrollbarsBewegt(int breiteBar, int laengeBar, int zeitzoneBar) {
    *this = aus(Standort{static_cast<double>(breiteBar), static_cast<double>(laengeBar),
                         static_cast<double>(zeitzoneBar)});
}

std::array<std::optional<int>, 3> StandortPanel::scrollbarPositionen() const {
    std::array<std::optional<int>, 3> out;
    const std::pair<const std::string*, const Bereich*> felder[] = {
        {&breite, &kBreite}, {&laenge, &kLaenge}, {&zeitzone, &kZeitzone}};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto v = parseNumber(trimBlanks(*felder[i].first));
        if (!v) continue;
        // A bar cannot leave its range, whatever the field holds for the moment.
        const double r = std::round(std::clamp(*v, felder[i].second->min, felder[i].second->max));
        out[i] = static_cast<int>(r);
    }
    return out;
}

std::optional<Standort> StandortPanel::werte() const {
    const auto b = parseNumber(trimBlanks(breite));
    const auto l = parseNumber(trimBlanks(laenge));
    const auto z = parseNumber(trimBlanks(zeitzone));
    if (!b || !l || !z || !imBereich(*b, kBreite) || !imBereich(*l, kLaenge) || !imBereich(*z, kZeitzone)) {
        return std::nullopt;
    }
    return Standort{*b, *l, *z};
}

std::string StandortPanel::meldung(Language lang) const {
    const std::pair<const std::string*, const Bereich*> felder[] = {
        {&breite, &kBreite}, {&laenge, &kLaenge}, {&zeitzone, &kZeitzone}};
    for (const auto& [text, bereich] : felder) {
        const auto v = parseNumber(trimBlanks(*text));
        if (v && imBereich(*v, *bereich)) continue;
        const bool de = lang == Language::German;
        std::string name = de ? bereich->feldDe : bereich->feldEn;
        if (!de) name[0] = static_cast<char>(name[0] - 'a' + 'A');
        return name + ": " + (de ? kUngueltigeEingabe : "Invalid input!") + " (" +
               bereichText(*bereich, lang) + ")";
    }
    return {};
}

BodenreflexionPanel BodenreflexionPanel::aus(const Monatswerte& werte) {
    BodenreflexionPanel p;
    for (std::size_t m = 0; m < werte.size(); ++m) p.felder[m] = formatInt(werte[m]);
    return p;
}

std::optional<Monatswerte> BodenreflexionPanel::werte() const {
    Monatswerte w{};
    for (std::size_t m = 0; m < felder.size(); ++m) {
        const auto v = parseInteger(trimBlanks(felder[m]));
        if (!v || *v < 0 || *v > 100) return std::nullopt;
        w[m] = static_cast<int>(*v);
    }
    return w;
}

std::string BodenreflexionPanel::meldung(Language lang) const {
    for (std::size_t m = 0; m < felder.size(); ++m) {
        const auto v = parseInteger(trimBlanks(felder[m]));
        if (v && *v >= 0 && *v <= 100) continue;
        return std::string(monatsnamen(lang)[m]) + ": " +
               (lang == Language::German ? kUngueltigeEingabe : "Invalid input!") +
               (lang == Language::German ? " (0 bis 100)" : " (0 to 100)");
    }
    return {};
}

}  // namespace penumbro
