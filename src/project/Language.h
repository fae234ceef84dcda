#pragma once
// The language of the user texts, chosen once at first start.

#include <optional>
#include <string_view>

namespace penumbro {

enum class Language { German, English };

// The letter that stands for the language in penumbro.ini and on the command line.
inline char languageLetter(Language language) { return language == Language::English ? 'e' : 'd'; }

// "d" or "e"; anything else is no language.
inline std::optional<Language> languageOfLetter(std::string_view letter) {
    if (letter == "d") return Language::German;
    if (letter == "e") return Language::English;
    return std::nullopt;
}

}  // namespace penumbro
