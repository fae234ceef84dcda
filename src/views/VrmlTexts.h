#pragma once
// The language-dependent texts of the VRML world. Each text carries its
// double-quote characters as it is written into the file; the target-view prefix
// has the opening one only (the writer closes it after the surface name).

#include "project/Language.h"

#include <array>
#include <string>

namespace penumbro {

struct VrmlTexte {
    std::string erstelltMit;                 // credit label lying on the ground
    std::array<std::string, 9> ansichten;    // the nine fixed viewpoints, in writing order
    std::string senkrechtZurEbene;           // prefix of every target viewpoint
    std::string keineObjekte;                // notice label of an empty project
};

// The texts of one language.
VrmlTexte vrmlTexte(Language language);

// Sets the texts by language letter: 'd' German, 'e' English; any other letter
// leaves them unchanged.
void VrmlTexteSetzen(VrmlTexte& texte, char sprache);

}  // namespace penumbro
