#include "editor/ObjectTable.h"

#include "editor/TextScan.h"
#include "project/InputError.h"
#include "project/Numbers.h"

#include <cmath>

namespace penumbro {

namespace {

constexpr int kMaxFlaechen = 10000;

std::string cut(const std::string& s, std::size_t n) { return s.size() > n ? s.substr(0, n) : s; }

// The name of a tree or house from its parameter line: the text from the tag on
// without its "#", cut to 25 characters; the bare kind without the tag.
std::string namensEtikett(const Lines& text, std::size_t paramZeile, const char* tag,
                          const char* art) {
    if (paramZeile < text.size()) {
        const auto at = text[paramZeile].find(tag);
        if (at != std::string::npos) return cut(text[paramZeile].substr(at + 1), kMaxNameLength);
    }
    return art;
}

std::string hemisphaere(double wert, const char* positiv, const char* negativ) {
    std::string s = formatFixed(std::fabs(wert), 0, 1);
    if (wert > 0) s += std::string("\xB0 ") + positiv;
    if (wert < 0) s += std::string("\xB0 ") + negativ;
    return s;
}

}  // namespace

std::string StandortAnzeige::breitengradText(Language lang) const {
    if (!vorhanden) return {};
    return lang == Language::German ? hemisphaere(breite, "Nord", "S\xFC" "d")
                                    : hemisphaere(breite, "North", "South");
}

std::string StandortAnzeige::laengengradText(Language lang) const {
    if (!vorhanden) return {};
    return lang == Language::German ? hemisphaere(laenge, "West", "Ost")
                                    : hemisphaere(laenge, "West", "East");
}

std::string objektanzahlText(int n, int t, Language lang) {
    const bool de = lang == Language::German;
    if (n <= 0) return {};
    if (n == 1 && t == 0) return de ? "Ein Objekt, keine Targetfl\xE4" "che" : "One Object, no target";
    if (n == 1 && t == 1)
        return de ? "Ein Objekt, davon eine Targetfl\xE4" "che" : "One Object, one of them is a target";
    const std::string nText = formatInt(n);
    if (t == 0) return nText + (de ? " Objekte, keine Targetfl\xE4" "che" : " Objects, no target");
    if (t == 1)
        return nText + (de ? " Objekte, davon eine Targetfl\xE4" "che" : " Objects, one of them is a target");
    return nText + (de ? " Objekte, davon " : " Objects, ") + formatInt(t) +
           (de ? " Targetfl\xE4" "chen" : " of them are targets");
}

std::string ObjektListe::objektanzahlText(Language lang) const {
    return penumbro::objektanzahlText(ObjektAnzahl, targetAnzahl, lang);
}

std::array<int, 12> reflexionsfelderLesen(const std::string& line) {
    std::array<int, 12> werte{};
    for (std::size_t m = 0; m < 12; ++m) {
        const std::size_t start = 3 * m;
        if (start >= line.size()) break;  // missing fields read as 0
        const std::string feld = line.substr(start, 3);
        std::size_t i = 0;
        while (i < feld.size() && feld[i] == ' ') ++i;
        std::size_t j = i;
        while (j < feld.size() && feld[j] >= '0' && feld[j] <= '9') ++j;
        if (j < feld.size() && feld[j] != ' ') {
            throw InputError({}, 0,
                             "field " + formatInt(static_cast<long long>(m) + 1) +
                                 " is not a percentage: \"" + feld + "\"");
        }
        const int wert = i == j ? 0 : static_cast<int>(*parseInteger(feld.substr(i, j - i)));
        if (wert > 100) {
            throw InputError({}, 0,
                             "field " + formatInt(static_cast<long long>(m) + 1) +
                                 " is above 100: \"" + feld + "\"");
        }
        werte[m] = wert;
    }
    return werte;
}

ObjektListe ListeAufbauen(const Lines& text) {
    ObjektListe liste;
    const std::size_t size = text.size();
    auto fehler = [&](std::size_t index, std::string warum) {
        liste.fehlerZeile = static_cast<int>(index) + 1;
        liste.fehler = std::move(warum);
    };

    // Comment lines.
    std::size_t pos = 0;
    while (pos < size && !text[pos].empty() && text[pos][0] == '*') {
        if (text[pos].size() > 2) liste.kommentar.push_back(text[pos].substr(2));
        ++pos;
    }

    // Count line and surface records.
    if (pos >= size) {
        fehler(pos, "the surface count line is missing");
    } else if (auto s = parseInteger(trimBlanks(text[pos])); !s) {
        fehler(pos, "the surface count is not a whole number: \"" + text[pos] + "\"");
    } else if (*s < 0 || *s > kMaxFlaechen) {
        fehler(pos, "the surface count must lie between 0 and 10000");
    } else {
        liste.zaehlzeile = static_cast<int>(pos) + 1;
        liste.flaechenAnzahl = static_cast<int>(*s);
        ++pos;
        int c = 1;
        while (c <= liste.flaechenAnzahl) {
            TObjekt objekt;
            objekt.Zeile = static_cast<int>(pos) + 1;
            if (pos >= size) {
                fehler(pos, "the text ends before surface " + formatInt(c) + " of " +
                                formatInt(liste.flaechenAnzahl));
                break;
            }
            const std::string& name = text[pos];
            if (name == "Baum" || name == "Frontseite") {
                const bool baum = name == "Baum";
                objekt.Art = baum ? ObjektArt::Baum : ObjektArt::Haus;
                objekt.Flaechen = 7;
                objekt.Name = namensEtikett(text, pos + (baum ? 2 : 1), baum ? "#Baum:" : "#Haus:",
                                            baum ? "Baum" : "Haus");
                if (c + 6 > liste.flaechenAnzahl) {
                    fehler(pos, std::string(baum ? "the tree" : "the house") +
                                    " has 7 surfaces, more than the surface count leaves");
                    break;
                }
            } else {
                objekt.Flaechen = 1;
                std::string anzeige = name;
                if (name.size() > 2 && name[0] == '$' && name[1] == '#') {
                    std::size_t d = 2;
                    while (d < name.size() && name[d] >= '0' && name[d] <= '9' && d < 11) ++d;
                    if (d > 2) {
                        objekt.TargetNr = static_cast<int>(*parseInteger(name.substr(2, d - 2)));
                        anzeige = name.substr(d);
                    }
                }
                objekt.Name = cut(anzeige, kMaxNameLength);
                if (pos + 1 < size && text[pos + 1] == "Target") objekt.Target = kTargetJa;
            }
            std::size_t p = pos;
            bool ok = true;
            for (int f = 0; f < objekt.Flaechen && ok; ++f) {
                const FlaechenScan scan = flaecheLesen(text, p);
                if (!scan.fehler.empty()) {
                    fehler(scan.fehlerIndex, scan.fehler);
                    ok = false;
                } else {
                    p = scan.naechste;
                }
            }
            if (!ok) break;
            if (objekt.istTarget()) ++liste.targetAnzahl;
            liste.Objekte.push_back(objekt);
            pos = p;
            c += objekt.Flaechen;
        }
    }
    liste.ObjektAnzahl = static_cast<int>(liste.Objekte.size());
    TObjekt sentinel;
    sentinel.Zeile = static_cast<int>(pos) + 1;
    sentinel.Flaechen = 0;
    liste.Objekte.push_back(sentinel);

    for (int k = 0; k < liste.ObjektAnzahl; ++k) {
        TObjekt& o = liste.Objekte[static_cast<std::size_t>(k)];
        liste.labels.push_back(o.istTarget() ? o.Name + "\t (Target)" : o.Name);
        if (o.istBaum()) o.Name = "Baum";
        if (o.istHaus()) o.Name = "Haus";
    }

    // Site and ground reflectance: the line after the last keyword line.
    if (const auto at = letzteZeileGleich(text, "Standort"); at) {
        if (*at + 1 >= size) {
            liste.warnungen.push_back({static_cast<int>(*at) + 1, "the site line after \"Standort\" is missing"});
        } else if (const auto felder = standortFelder(text[*at + 1]); !felder) {
            liste.warnungen.push_back({static_cast<int>(*at) + 2,
                                       "the site line is not latitude, longitude and time zone: \"" +
                                           text[*at + 1] + "\""});
        } else {
            liste.standort.vorhanden = true;
            liste.standort.breite = felder->breite;
            liste.standort.laenge = felder->laenge;
            liste.standort.zeitzone = felder->zeitzoneText;
        }
    }
    if (const auto at = letzteZeileGleich(text, "Bodenreflexion"); at) {
        if (*at + 1 >= size) {
            liste.warnungen.push_back(
                {static_cast<int>(*at) + 1, "the ground-reflectance line after \"Bodenreflexion\" is missing"});
        } else {
            try {
                liste.bodenreflexion = reflexionsfelderLesen(text[*at + 1]);
                liste.hatBodenreflexion = true;
            } catch (const InputError& e) {
                liste.warnungen.push_back({static_cast<int>(*at) + 2, "ground reflectance: " + e.message()});
            }
        }
    }
    return liste;
}

void fehlerPruefen(const ObjektListe& liste, const std::string& file) {
    if (liste.fehlerhaft()) throw InputError(file, liste.fehlerZeile, liste.fehler);
}

}  // namespace penumbro
