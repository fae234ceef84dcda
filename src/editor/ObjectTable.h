#pragma once
// The editor's view of the project text: the object list and everything the main
// editor page shows, re-derived from the lines after every change.
//
// Objects: a tree ("Baum") or house ("Frontseite") is one object of 7 surfaces;
// every other surface (rectangle, polygon, overhang) is an object of one surface.
// Lines are counted from 1 in every field below (Zeile, fehlerZeile).

#include "project/Language.h"
#include "project/ProjectText.h"

#include <array>
#include <string>
#include <vector>

namespace penumbro {

inline constexpr const char* kTargetJa = "  Ja";
inline constexpr const char* kTargetNein = "Nein";
inline constexpr int kMaxNameLength = 25;  // names are shown cut to this many characters

enum class ObjektArt { Flaeche, Haus, Baum };  // plain surface (rectangle, polygon, overhang)

struct TObjekt {
    // Displayed name cut to 25 characters. A tree or house carries its kind:
    // "Baum"/"Haus" (its label in the list is "Baum: NAME"/"Haus: NAME").
    std::string Name;
    std::string Target = kTargetNein;  // "  Ja" for a target surface, "Nein" otherwise
    int Zeile = 0;      // line of the object's name line; in the sentinel the line after the last object
    int TargetNr = -1;  // overhang: the target's object number from its "$#" prefix; -1 otherwise
    int Flaechen = 0;   // surfaces of the object: 7 for tree and house, 1 otherwise (0 in the sentinel)
    ObjektArt Art = ObjektArt::Flaeche;  // the kind (a plain surface may be named "Haus")

    bool istTarget() const { return Target == kTargetJa; }
    bool istBaum() const { return Art == ObjektArt::Baum; }
    bool istHaus() const { return Art == ObjektArt::Haus; }
    bool istUeberhang() const { return TargetNr >= 0; }
};

// Site line as the summary panels show it.
struct StandortAnzeige {
    bool vorhanden = false;  // false when the text has no "Standort" line with a value after it
    double breite = 0;       // latitude, degrees north
    double laenge = 0;       // longitude, degrees west
    std::string zeitzone;    // third field as written

    std::string breitengradText(Language lang) const;  // Panel_Breitengrad
    std::string laengengradText(Language lang) const;  // Panel_Laengengrad
    std::string zeitzoneText() const { return zeitzone; }  // Panel_Zeitzone
};

struct ObjektListe {
    // Objekte[k - 1] is object k (1-based object numbers); Objekte[ObjektAnzahl] is
    // the sentinel whose Zeile is the line after the last object.
    std::vector<TObjekt> Objekte;
    int ObjektAnzahl = 0;
    int targetAnzahl = 0;

    int zaehlzeile = 0;       // line of the surface count (0: the text has none)
    int flaechenAnzahl = 0;   // the count line's value

    std::vector<std::string> labels;  // list-box entries: name, plus "\t (Target)" for targets
    Lines kommentar;                  // comment memo lines ("* " prefix removed)

    StandortAnzeige standort;
    bool hatBodenreflexion = false;
    std::array<int, 12> bodenreflexion{};  // the twelve gauge values, January first

    // Malformed text: the list holds every object that could be read completely;
    // fehlerZeile is the line that could not be read (possibly one past the last
    // line when the text ends too early) and fehler says why. 0 / "" when sound.
    int fehlerZeile = 0;
    std::string fehler;
    // Unreadable site or ground-reflectance lines (the summary keeps its defaults
    // then); they do not stop object operations.
    struct Warnung {
        int zeile = 0;
        std::string text;
    };
    std::vector<Warnung> warnungen;

    bool fehlerhaft() const { return fehlerZeile != 0; }
    // 1-based access; nr = ObjektAnzahl + 1 gives the sentinel.
    const TObjekt& objekt(int nr) const { return Objekte.at(static_cast<std::size_t>(nr - 1)); }
    // The Objektanzahl label text.
    std::string objektanzahlText(Language lang) const;
};

// Rebuilds the list from the text. Never throws for malformed text (see fehlerZeile).
ObjektListe ListeAufbauen(const Lines& text);

// Throws InputError(file, fehlerZeile, fehler) when the list found malformed text.
void fehlerPruefen(const ObjektListe& liste, const std::string& file = {});

// The Objektanzahl text for n objects of which t are targets.
std::string objektanzahlText(int n, int t, Language lang);

// The twelve three-character fields of a ground-reflectance line (field m at
// characters 3(m-1)+1..3m, leading blanks skipped, reading stops at the first
// blank after the digits, a missing field reads as 0). Throws InputError(line 0)
// when a field holds something else than digits.
std::array<int, 12> reflexionsfelderLesen(const std::string& line);

}  // namespace penumbro
