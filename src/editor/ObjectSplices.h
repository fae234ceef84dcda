#pragma once
// Splicing generated lines into the project text as an object, and deleting
// objects with their overhangs. Every operation takes the text and returns the new
// text; the caller replaces its text by the result.
//
// Object numbers are 1-based positions in the object list (ListeAufbauen). The
// operations throw InputError (line = the line that could not be read) when the
// text is malformed, and InputError (line 0) for an object number out of range;
// they never change anything then.

#include "project/Language.h"
#include "project/ProjectText.h"

#include <string>

namespace penumbro {

// Surfaces making up generated lines: 7 for a tree or house block, else 1.
int surfacesOf(const Lines& generated);

// Add, insert or change.
//  Einfuegemodus true: the lines become object ObjektNr (1..ObjektAnzahl inserts
//    before that object, ObjektAnzahl + 1 adds after the last one, before the
//    "Horizont"/"Standort"/"Bodenreflexion" sections); the count line rises by
//    generatedSurfaces; then every overhang reference m >= ObjektNr becomes m + 1.
//  Einfuegemodus false: the lines replace object ObjektNr (1..ObjektAnzahl); the
//    count line changes only if the surface count of the object changes.
Lines ZeilenEinsetzen(const Lines& text, int ObjektNr, bool Einfuegemodus, const Lines& generated,
                      int generatedSurfaces);

// Removes object ObjektNr's lines and lowers the count line by its surfaces. No renumbering.
Lines ZeilenEntfernen(const Lines& text, int ObjektNr);

// The whole delete: overhang references m > ObjektNr become m - 1 and m = ObjektNr
// becomes 0; the object is removed; if it was a target, every overhang then
// referring to 0 (its own) is removed as well, the references behind each removed
// overhang moving down with it.
Lines deleteObject(const Lines& text, int ObjektNr);
// The warning (OK / Cancel) shown before a target is deleted; Cancel changes nothing.
std::string targetDeleteWarning(Language lang);

// Generated lines outside a list operation: empty lines are dropped, the count line
// rises by generatedSurfaces, and the lines are added as a new last object (before
// the trailing sections, so they stay readable).
Lines FlaechenSchreiben(const Lines& text, const Lines& generated, int generatedSurfaces);

// The lines of object ObjektNr (its name line up to the line before the next object).
Lines objectLines(const Lines& text, int ObjektNr);

}  // namespace penumbro
