#pragma once
// The editor's view of the project text: the object list and everything the main
// editor page shows, re-derived from the lines after every change.
//
// Objects: a tree ("Baum") or house ("Frontseite") is one object of 7 surfaces;
// every other surface (rectangle, polygon, overhang) is an object of one surface.
// Lines are counted from 1 in every field below (Zeile, errorLine, countLine).

#include "project/Language.h"
#include "project/ProjectFormat.h"

#include <array>
#include <string>
#include <vector>

namespace penumbro {

inline constexpr const char* kTargetYes = "  Ja";
inline constexpr const char* kTargetNo = "Nein";
inline constexpr int kMaxNameLength = 25;  // names are shown cut to this many characters

struct TObjekt {
    // Displayed name cut to 25 characters. A tree or house carries its kind:
    // "Baum"/"Haus" (its label in the list is "Baum: NAME"/"Haus: NAME").
    std::string Name;
    std::string Target = kTargetNo;  // "  Ja" for a target surface, "Nein" otherwise
    int Zeile = 0;      // line of the object's name line; in the sentinel the line after the last object
    int TargetNr = -1;  // overhang: the target's object number from its "$#" prefix; -1 otherwise
    int surfaces = 0;   // 7 for tree and house, 1 otherwise (0 in the sentinel)
    ObjectKind kind = ObjectKind::Plain;  // a plain surface may be named "Haus"

    bool isTarget() const { return Target == kTargetYes; }
    bool isTree() const { return kind == ObjectKind::Tree; }
    bool isHouse() const { return kind == ObjectKind::House; }
    bool isOverhang() const { return TargetNr >= 0; }
};

// The site line as the summary panels show it.
struct SiteSummary {
    bool present = false;  // false when the text has no readable site line
    double latitude = 0;   // degrees north
    double longitude = 0;  // degrees west
    std::string timeZone;  // third field as written

    std::string latitudeText(Language lang) const;   // Panel_Breitengrad
    std::string longitudeText(Language lang) const;  // Panel_Laengengrad
};

struct ObjectList {
    // Objekte[k - 1] is object k (1-based object numbers); Objekte[ObjektAnzahl] is
    // the sentinel whose Zeile is the line after the last object.
    std::vector<TObjekt> Objekte;
    int ObjektAnzahl = 0;
    int targetCount = 0;

    int countLine = 0;     // line of the surface count (0: the text has none that reads)
    int surfaceCount = 0;  // the count line's value

    std::vector<std::string> labels;  // list-box entries: name, plus "\t (Target)" for targets
    Lines comment;                    // comment memo lines ("* " prefix removed)

    SiteSummary site;
    bool hasReflectance = false;
    std::array<int, 12> reflectance{};  // the twelve gauge values, January first

    // Malformed text: the list holds every object that could be read completely;
    // errorLine is the line that could not be read (one past the last line when the
    // text ends too early) and error says why. 0 / "" when sound.
    int errorLine = 0;
    std::string error;         // in English
    ErrorMessage errorDetail;  // the same, for either language
    // Unreadable site or ground-reflectance lines (the summary keeps its defaults
    // then); they do not stop object operations.
    struct Warning {
        int line = 0;
        ErrorMessage text;
    };
    std::vector<Warning> warnings;

    bool faulty() const { return errorLine != 0; }
    // errorLine, or 0 when the message names the line itself (not a project).
    int reportedLine() const { return errorDetail.id == ErrorId::NotAProject ? 0 : errorLine; }
    // 1-based access; nr = ObjektAnzahl + 1 gives the sentinel.
    const TObjekt& object(int nr) const { return Objekte.at(static_cast<std::size_t>(nr - 1)); }
    // The Objektanzahl label text.
    std::string objectCountText(Language lang) const;
};

// Rebuilds the list from the text. Never throws for malformed text (see errorLine).
ObjectList ListeAufbauen(const Lines& text);

// Throws InputError(file, errorLine, error) when the list found malformed text.
void throwIfFaulty(const ObjectList& list, const std::string& file = {});

// The sound list, or InputError naming the first bad line.
ObjectList readableList(const Lines& text);

// Object nr (1..ObjektAnzahl, or the sentinel too when allowed), or InputError
// saying that the project has no such object.
const TObjekt& existingObject(const ObjectList& list, int nr, bool sentinelAllowed = false);

// The Objektanzahl text for n objects of which t are targets.
std::string objectCountText(int n, int t, Language lang);

}  // namespace penumbro
