#pragma once
// The VRML 2.0 world of a project. It reads the project text as the editor writes it
// (trees and houses take their sizes from their parameter lines) and draws every
// project point (x east, y north, z up) at (x, z, -y): X east, Y up, Z south.

#include "project/ProjectText.h"
#include "views/VrmlTexts.h"

#include <string>

namespace penumbro {

// The whole world as bytes, every line ended by CR LF. fileName is used in messages
// only. Throws InputError naming the 1-based line for a malformed text (see
// scanSoundProject) or one the views cannot draw (see readViewScene).
std::string vrmlDocument(const Lines& text, const VrmlTexts& texts, const std::string& fileName = {});

// Writes the world to wrlPath through a temporary file, so that an error leaves any
// previous world untouched. Throws InputError.
void writeVrmlFile(const Lines& text, const std::string& wrlPath, const VrmlTexts& texts,
                   const std::string& fileName = {});

// Writes the world to baseName + ".wrl" and returns that name. Throws InputError.
std::string VrmlDateiSchreiben(const Lines& text, const std::string& baseName, const VrmlTexts& texts,
                               const std::string& fileName = {});

}  // namespace penumbro
