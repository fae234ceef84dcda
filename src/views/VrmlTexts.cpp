#include "views/VrmlTexts.h"

namespace penumbro {

VrmlTexts vrmlTexts(Language language) {
    if (language == Language::English) {
        return {"\"Created with PENUMBRO\"",
                {"\"View from sky\"", "\"View from north\"", "\"View from east\"",
                 "\"View from south\"", "\"View from west\"", "\"From origin towards north\"",
                 "\"From origin towards east\"", "\"From origin towards south\"",
                 "\"From origin towards west\""},
                "\"Perpendicular to plate",
                "\"No Objects are defined in the project.\""};
    }
    return {"\"Erstellt mit PENUMBRO\"",
            {"\"Aufsicht (genordet)\"", "\"Blick von Norden\"", "\"Blick von Osten\"",
             "\"Blick von Sueden\"", "\"Blick von Westen\"", "\"Ursprung nach Norden\"",
             "\"Ursprung nach Osten\"", "\"Ursprung nach Sueden\"", "\"Ursprung nach Westen\""},
            "\"Senkrecht zur Ebene",
            "\"Im Projekt sind keine Objekte definiert.\""};
}

void VrmlTexteSetzen(VrmlTexts& texts, char letter) {
    if (letter == 'd') texts = vrmlTexts(Language::German);
    else if (letter == 'e') texts = vrmlTexts(Language::English);
}

}  // namespace penumbro
