#pragma once
// The language-dependent texts of the VRML world. Each text carries its
// double-quote characters as it is written into the file; the target-view prefix
// has the opening one only (the writer closes it after the surface name).

#include "project/Language.h"

#include <array>
#include <string>

namespace penumbro {

struct VrmlTexts {
    std::string credit;                       // credit label lying on the ground
    std::array<std::string, 9> viewpoints;    // the nine fixed viewpoints, in writing order
    std::string targetPrefix;                 // prefix of every target viewpoint
    std::string noObjects;                    // notice label of an empty project
};

// The texts of one language.
VrmlTexts vrmlTexts(Language language);

// Sets the texts by language letter: 'd' German, 'e' English; any other letter
// leaves them unchanged.
void VrmlTexteSetzen(VrmlTexts& texts, char letter);

}  // namespace penumbro
