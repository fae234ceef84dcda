#include "editor/EditOperations.h"

#include "editor/GeneratorFormat.h"
#include "editor/ObjectTable.h"
#include "editor/TextScan.h"
#include "project/InputError.h"
#include "project/Numbers.h"

#include <array>
#include <cmath>
#include <functional>
#include <limits>

namespace penumbro {

namespace {

constexpr int kMaxFlaechen = 10000;
constexpr std::size_t kKommentarBreite = 79;

ObjektListe lesbareListe(const Lines& text) {
    ObjektListe liste = ListeAufbauen(text);
    fehlerPruefen(liste);
    return liste;
}

void objektNrPruefen(const ObjektListe& liste, int objektNr, int hoechste) {
    if (objektNr < 1 || objektNr > hoechste) {
        throw InputError({}, 0,
                         "object " + formatInt(objektNr) + " does not exist (the project has " +
                             formatInt(liste.ObjektAnzahl) + " objects)");
    }
}

std::size_t index(int zeile) { return static_cast<std::size_t>(zeile - 1); }

// Raises (or lowers) the count line by delta.
void zaehlzeileAendern(Lines& text, const ObjektListe& liste, int delta) {
    if (delta == 0) return;
    const int neu = liste.flaechenAnzahl + delta;
    if (neu > kMaxFlaechen) throw InputError({}, 0, "a project holds at most 10000 surfaces");
    if (neu < 0) throw InputError({}, liste.zaehlzeile, "the surface count would fall below 0");
    text[index(liste.zaehlzeile)] = formatInt(neu);
}

// Gives every overhang name line the number neu(m) for its reference m.
Lines ueberhangNummernAendern(const Lines& text, const std::function<int(int)>& neu) {
    const ObjektListe liste = lesbareListe(text);
    Lines out = text;
    for (int k = 1; k <= liste.ObjektAnzahl; ++k) {
        const TObjekt& o = liste.objekt(k);
        if (!o.istUeberhang()) continue;
        const int m = neu(o.TargetNr);
        if (m == o.TargetNr) continue;
        std::string& zeile = out[index(o.Zeile)];
        std::size_t d = 2;
        while (d < zeile.size() && zeile[d] >= '0' && zeile[d] <= '9' && d < 11) ++d;
        zeile = "$#" + formatInt(m) + zeile.substr(d);
    }
    return out;
}

Lines ohneLeereZeilen(const Lines& text) {
    Lines out;
    out.reserve(text.size());
    for (const auto& l : text) {
        if (!l.empty()) out.push_back(l);
    }
    return out;
}

std::string kleinbuchstaben(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

}  // namespace

int flaechenVon(const Lines& generated) {
    if (!generated.empty() && (generated[0] == "Baum" || generated[0] == "Frontseite")) return 7;
    return 1;
}

Lines ZeilenEinsetzen(const Lines& text, int objektNr, bool einfuegemodus, const Lines& generated,
                      int generatedSurfaces) {
    const ObjektListe liste = lesbareListe(text);
    objektNrPruefen(liste, objektNr, einfuegemodus ? liste.ObjektAnzahl + 1 : liste.ObjektAnzahl);
    const std::size_t von = index(liste.objekt(objektNr).Zeile);
    const std::size_t bis = einfuegemodus ? von : index(liste.objekt(objektNr + 1).Zeile);

    Lines out(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(von));
    out.insert(out.end(), generated.begin(), generated.end());
    out.insert(out.end(), text.begin() + static_cast<std::ptrdiff_t>(bis), text.end());
    zaehlzeileAendern(out, liste,
                      einfuegemodus ? generatedSurfaces
                                    : generatedSurfaces - liste.objekt(objektNr).Flaechen);

    // The new lines must read as exactly one object, or the text would be spoilt.
    const ObjektListe neu = ListeAufbauen(out);
    const int erwartet = einfuegemodus ? liste.ObjektAnzahl + 1 : liste.ObjektAnzahl;
    const std::size_t naechste = von + generated.size();
    if (neu.fehlerhaft() || neu.ObjektAnzahl != erwartet ||
        index(neu.objekt(objektNr + 1).Zeile) != naechste) {
        throw InputError({}, 0,
                         "the generated lines do not form one object" +
                             (neu.fehlerhaft() ? ": " + neu.fehler : std::string()));
    }
    if (einfuegemodus && objektNr <= liste.ObjektAnzahl) {
        out = ueberhangNummernNachEinfuegen(out, objektNr);
    }
    return out;
}

Lines ueberhangNummernNachEinfuegen(const Lines& text, int objektNr) {
    return ueberhangNummernAendern(text, [objektNr](int m) { return m >= objektNr ? m + 1 : m; });
}

Lines ZeilenEntfernen(const Lines& text, int objektNr) {
    const ObjektListe liste = lesbareListe(text);
    objektNrPruefen(liste, objektNr, liste.ObjektAnzahl);
    const std::size_t von = index(liste.objekt(objektNr).Zeile);
    const std::size_t bis = index(liste.objekt(objektNr + 1).Zeile);
    Lines out(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(von));
    out.insert(out.end(), text.begin() + static_cast<std::ptrdiff_t>(bis), text.end());
    zaehlzeileAendern(out, liste, -liste.objekt(objektNr).Flaechen);
    return out;
}

Lines deleteObject(const Lines& text, int objektNr) {
    const ObjektListe liste = lesbareListe(text);
    objektNrPruefen(liste, objektNr, liste.ObjektAnzahl);
    const bool warTarget = liste.objekt(objektNr).istTarget();
    Lines out = ueberhangNummernAendern(text, [objektNr](int m) {
        if (m > objektNr) return m - 1;
        if (m == objektNr) return 0;
        return m;
    });
    out = ZeilenEntfernen(out, objektNr);
    if (!warTarget) return out;
    for (;;) {
        const ObjektListe rest = lesbareListe(out);
        int verwaist = 0;
        for (int k = 1; k <= rest.ObjektAnzahl && verwaist == 0; ++k) {
            if (rest.objekt(k).TargetNr == 0) verwaist = k;
        }
        if (verwaist == 0) return out;
        // Overhangs of later targets must keep pointing at their targets.
        out = ueberhangNummernAendern(out, [verwaist](int m) { return m > verwaist ? m - 1 : m; });
        out = ZeilenEntfernen(out, verwaist);
    }
}

std::string targetLoeschenMeldung(Language lang) {
    if (lang == Language::German) {
        return "Objekt ist eine Targetfl\xE4" "che. Eventuell zugeh\xF6rige \xDC" "berh\xE4nge werden ebenfalls "
               "gel\xF6scht!";
    }
    return "Object is a target plane. Possibly existing Overhangs will be also deleted!";
}

Lines FlaechenSchreiben(const Lines& text, const Lines& generated, int generatedSurfaces) {
    const Lines ohneLeere = ohneLeereZeilen(text);
    const ObjektListe liste = lesbareListe(ohneLeere);
    return ZeilenEinsetzen(ohneLeere, liste.ObjektAnzahl + 1, true, generated, generatedSurfaces);
}

Lines objektZeilen(const Lines& text, int objektNr) {
    const ObjektListe liste = lesbareListe(text);
    objektNrPruefen(liste, objektNr, liste.ObjektAnzahl);
    return Lines(text.begin() + static_cast<std::ptrdiff_t>(index(liste.objekt(objektNr).Zeile)),
                 text.begin() + static_cast<std::ptrdiff_t>(index(liste.objekt(objektNr + 1).Zeile)));
}

Lines KommentarExit(const Lines& text, const Lines& memo) {
    // A memo line holding a line break would put a non-comment line into the text.
    Lines zeilen;
    for (const auto& m : memo) {
        std::size_t b = 0;
        for (;;) {
            const std::size_t e = m.find('\n', b);
            std::string teil = m.substr(b, e == std::string::npos ? std::string::npos : e - b);
            if (!teil.empty() && teil.back() == '\r') teil.pop_back();
            zeilen.push_back(std::move(teil));
            if (e == std::string::npos) break;
            b = e + 1;
        }
    }
    std::size_t anzahl = zeilen.size();
    while (anzahl > 0 && zeilen[anzahl - 1].empty()) --anzahl;
    Lines out;
    for (std::size_t i = 0; i < anzahl; ++i) {
        std::string z = "* " + zeilen[i];
        if (z.size() > kKommentarBreite) z.resize(kKommentarBreite);
        out.push_back(std::move(z));
    }
    if (out.empty()) out.push_back("* ");
    for (const auto& l : text) {
        if (l.empty() || l[0] != '*') out.push_back(l);
    }
    return out;
}

bool istReservierterName(std::string_view name) {
    static constexpr std::array<std::string_view, 6> reserviert = {
        "target", "frontseite", "baum", "stamm", "standort", "bodenreflexion"};
    const std::string klein = kleinbuchstaben(name);
    for (auto r : reserviert) {
        if (klein == r) return true;
    }
    return false;
}

std::string reservierterNameMeldung(std::string_view name, Language lang) {
    const std::string n(name);
    if (lang == Language::German) {
        return "Bei dem Begriff \"" + n +
               "\" handelt es sich um ein von PENUMBRO reserviertes Wort.\r\n"
               "Bitte benutzen Sie einen anderen Fl\xE4" "chennamen.";
    }
    return "The term \"" + n + "\" is reserved by PENUMBRO.\r\nPlease use another name for the plate.";
}

Platzierung platzierungLesen(const Lines& text, int objektNr) {
    const ObjektListe liste = lesbareListe(text);
    objektNrPruefen(liste, objektNr, liste.ObjektAnzahl);
    const TObjekt& o = liste.objekt(objektNr);
    const std::size_t ende = index(liste.objekt(objektNr + 1).Zeile);
    std::size_t p = index(o.Zeile) + 1;
    if (p < ende && text[p] == "Target") ++p;
    // p is the vertex count line (the object reads, so it holds 0..12).
    const auto n = parseInteger(trimBlanks(text[p]));
    const std::size_t zeile = p + static_cast<std::size_t>(n.value_or(0)) + 1;
    if (o.Art != ObjektArt::Flaeche || zeile >= ende || !beginntMit(text[zeile], "#")) {
        throw InputError({}, static_cast<int>(zeile) + 1,
                         "object " + formatInt(objektNr) + " has no placement line");
    }
    const auto zahlen = readLineNumbers(text[zeile], 5);
    if (!zahlen) {
        throw InputError({}, static_cast<int>(zeile) + 1,
                         "the placement line of object " + formatInt(objektNr) + " is not five numbers");
    }
    const auto& z = *zahlen;
    return Platzierung{z[0], z[1], z[2], z[3], z[4]};
}

int TargetflaechenPruefen(const Lines& text) {
    const ObjektListe liste = lesbareListe(text);
    bool erster = true;
    double azimut = 0;
    double elevation = 0;
    for (int k = 1; k <= liste.ObjektAnzahl; ++k) {
        if (!liste.objekt(k).istTarget()) continue;
        const Platzierung p = platzierungLesen(text, k);
        if (erster) {
            azimut = p.azimut;
            elevation = p.elevation;
            erster = false;
        } else if (p.azimut != azimut || p.elevation != elevation) {
            return 2;
        }
    }
    return erster ? 0 : 1;
}

std::optional<char> Kommazahl_eingeben(char key) {
    if (key == '\b' || (key >= '0' && key <= '9') || key == '-' || key == '.') return key;
    if (key == ',') return '.';
    return std::nullopt;
}

std::optional<char> Ganzzahl_eingeben(char key) {
    if (key == '\b' || (key >= '0' && key <= '9')) return key;
    return std::nullopt;
}

SpinEditErgebnis spinEditPruefen(std::string_view text, double minValue, double maxValue,
                                 double bisher) {
    const auto wert = parseNumber(trimBlanks(text));
    if (!wert) return {bisher, true};
    if (minValue != maxValue) {
        if (*wert < minValue) return {minValue, true};
        if (*wert > maxValue) return {maxValue, true};
    }
    return {*wert, false};
}

SpinEditIntErgebnis spinEditIntPruefen(std::string_view text, int minValue, int maxValue, int bisher) {
    const auto wert = parseInteger(trimBlanks(text));
    if (!wert) return {bisher, true};
    if (minValue != maxValue) {
        if (*wert < minValue) return {minValue, true};
        if (*wert > maxValue) return {maxValue, true};
    } else if (*wert < std::numeric_limits<int>::min() || *wert > std::numeric_limits<int>::max()) {
        return {bisher, true};
    }
    return {static_cast<int>(*wert), false};
}

}  // namespace penumbro
