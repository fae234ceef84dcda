#include "editor/NameRules.h"

#include "project/ProjectFormat.h"

#include <array>

namespace penumbro {

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

}  // namespace

bool isReservedName(std::string_view name) {
    static constexpr std::array<std::string_view, 6> reserved = {
        kTargetKeyword, kHouseName, kTreeName, kTrunkPrefix, kSiteKeyword, kReflectanceKeyword};
    for (auto r : reserved)
        if (equalIgnoringCase(name, r)) return true;
    return false;
}

std::string reservedNameMessage(std::string_view name, Language lang) {
    const std::string n(name);
    if (lang == Language::German)
        return "Bei dem Begriff \"" + n +
               "\" handelt es sich um ein von PENUMBRO reserviertes Wort.\r\n"
               "Bitte benutzen Sie einen anderen Fl\xE4" "chennamen.";
    return "The term \"" + n + "\" is reserved by PENUMBRO.\r\nPlease use another name for the plate.";
}

}  // namespace penumbro
