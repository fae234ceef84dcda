#pragma once
// The editor's operations on the project text: splicing generated lines in as an
// object, deleting objects with their overhangs, the comment block, the name rules,
// the target check and the input filters. Every operation takes the text and
// returns the new text; the caller replaces its text by the result.
//
// Object numbers are 1-based positions in the object list (ListeAufbauen). The
// splices throw InputError (line = the line that could not be read) when the text
// is malformed, and InputError (line 0) for an object number out of range; they
// never change anything then.

#include "project/Language.h"
#include "project/ProjectText.h"

#include <optional>
#include <string>
#include <string_view>

namespace penumbro {

// Surfaces an object adds to the count line: 7 for a tree or house, 1 otherwise.
inline constexpr int kFlaechenHaus = 7;
inline constexpr int kFlaechenBaum = 7;

// Surfaces making up generated lines: 7 when they start with "Baum" or "Frontseite", else 1.
int flaechenVon(const Lines& generated);

// Add, insert or change.
//  einfuegemodus true: the lines become object objektNr (1..ObjektAnzahl inserts
//    before that object, ObjektAnzahl + 1 adds after the last one, before the
//    "Horizont"/"Standort"/"Bodenreflexion" sections); the count line rises by
//    generatedSurfaces; then every overhang reference m >= objektNr becomes m + 1.
//  einfuegemodus false: the lines replace object objektNr (1..ObjektAnzahl); the
//    count line changes only if the surface count of the object changes.
Lines ZeilenEinsetzen(const Lines& text, int objektNr, bool einfuegemodus, const Lines& generated,
                      int generatedSurfaces);

// Removes object objektNr's lines and lowers the count line by its surfaces. No renumbering.
Lines ZeilenEntfernen(const Lines& text, int objektNr);

// The whole delete: overhang references m > objektNr become m - 1 and m = objektNr
// becomes 0; the object is removed; if it was a target, every overhang then
// referring to 0 (its own) is removed as well, the references behind each removed
// overhang moving down with it.
Lines deleteObject(const Lines& text, int objektNr);
// The warning (OK / Cancel) shown before a target is deleted; Cancel changes nothing.
std::string targetLoeschenMeldung(Language lang);

// The overhang renumbering after an insert at objektNr alone (m >= objektNr -> m + 1).
Lines ueberhangNummernNachEinfuegen(const Lines& text, int objektNr);

// Generated lines outside a list operation: empty lines are dropped, the count line
// rises by generatedSurfaces, and the lines are added as a new last object (before
// the trailing sections, so they stay readable).
Lines FlaechenSchreiben(const Lines& text, const Lines& generated, int generatedSurfaces);

// The lines of object objektNr (its name line up to the line before the next object).
Lines objektZeilen(const Lines& text, int objektNr);

// Commits the comment memo: memo lines up to the last non-empty one, each "* " +
// line cut to 79 characters (at least one line "* "), then every text line that
// does not start with "*".
Lines KommentarExit(const Lines& text, const Lines& memo);

// Reserved surface names, compared without regard to case (exact matches only).
bool istReservierterName(std::string_view name);
// The message shown for a reserved name (CR LF between its two sentences).
std::string reservierterNameMeldung(std::string_view name, Language lang);

// 0: no target; 2: some target's azimuth or elevation (from its placement line)
// differs from the first target's; 1 otherwise. Throws InputError for malformed
// text or a target whose placement line cannot be read.
int TargetflaechenPruefen(const Lines& text);

// A plain surface's placement line ("# a  e  x  y  z", the line after its local
// corner lines): azimuth and elevation in degrees, Aufpunkt in the site's frame.
struct Platzierung {
    double azimut = 0;
    double elevation = 0;
    double x = 0;
    double y = 0;
    double z = 0;
};
// Reads object objektNr's placement line. Throws InputError naming the line when
// the object has none that can be read.
Platzierung platzierungLesen(const Lines& text, int objektNr);

// Key filters: the character to pass on, or nothing when it is discarded.
// Decimal fields: backspace, digits, "-", "." pass; "," passes as ".".
std::optional<char> Kommazahl_eingeben(char key);
// Integer fields: backspace and digits.
std::optional<char> Ganzzahl_eingeben(char key);

// Spin edits on leaving the field: the text as a number, limited to
// [minValue, maxValue] unless both are equal (then unlimited). Out of range: the
// nearer bound and the message; not a number: the previous value and the message.
inline constexpr const char* kUngueltigeEingabe = "Ung\xFCltige Eingabe !";
struct SpinEditErgebnis {
    double wert = 0;
    bool ungueltig = false;  // show kUngueltigeEingabe and select the text
};
SpinEditErgebnis spinEditPruefen(std::string_view text, double minValue, double maxValue,
                                 double bisher);
// The integer spin edit: the same rule for whole numbers.
struct SpinEditIntErgebnis {
    int wert = 0;
    bool ungueltig = false;
};
SpinEditIntErgebnis spinEditIntPruefen(std::string_view text, int minValue, int maxValue, int bisher);

}  // namespace penumbro
