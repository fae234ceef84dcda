#pragma once
// Names a surface may not take: the words the project text reserves.

#include "project/Language.h"

#include <string>
#include <string_view>

namespace penumbro {

// Reserved surface names, compared without regard to case (exact matches only).
bool isReservedName(std::string_view name);
// The message shown for a reserved name (CR LF between its two sentences).
std::string reservedNameMessage(std::string_view name, Language lang);

}  // namespace penumbro
