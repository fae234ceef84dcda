#include "project/ErrorTexts.h"

#include <array>
#include <cstring>

namespace penumbro {

namespace {

struct Entry {
    ErrorId id;
    const char* de;  // %1, %2, ... stand for the arguments
    const char* en;
};

constexpr std::array kTexts{
    Entry{ErrorId::ReadDirectory, "Datei kann nicht gelesen werden: es ist ein Verzeichnis",
          "cannot read file: it is a directory"},
    Entry{ErrorId::CannotOpen, "Datei kann nicht ge\xF6" "ffnet werden: %1", "cannot open file: %1"},
    Entry{ErrorId::CannotRead, "Datei kann nicht gelesen werden", "cannot read file"},
    Entry{ErrorId::CannotWrite, "Datei kann nicht geschrieben werden: %1", "cannot write file: %1"},
    Entry{ErrorId::CannotWriteFile, "Datei kann nicht geschrieben werden", "cannot write file"},
    Entry{ErrorId::ParameterFileSize, "eine Parameterdatei muss genau %1 Byte lang sein, diese hat %2 Byte",
          "a parameter file must be exactly %1 bytes long, this one has %2 bytes"},
    Entry{ErrorId::SurfaceCountNotInteger, "die Fl\xE4" "chenanzahl ist keine ganze Zahl: %1",
          "the surface count is not an integer: %1"},
    Entry{ErrorId::SurfaceCountRange, "die Fl\xE4" "chenanzahl muss zwischen 0 und %1 liegen, nicht %2",
          "the surface count must lie in 0..%1, not %2"},
    Entry{ErrorId::VertexCountNotInteger, "die Eckenzahl von %1 ist keine ganze Zahl: %2",
          "the vertex count of %1 is not an integer: %2"},
    Entry{ErrorId::VertexCountRange, "die Eckenzahl von %1 muss zwischen 0 und 12 liegen, nicht %2",
          "the vertex count of %1 must lie in 0..12, not %2"},
    Entry{ErrorId::VertexNotThreeNumbers, "Eckpunkt %1 von %2 sind nicht drei Zahlen: %3",
          "vertex %1 of %2 is not three numbers: %3"},
    Entry{ErrorId::CoordinateRange, "eine Koordinate muss zwischen -1e9 und +1e9 liegen: %1",
          "a vertex coordinate must lie within +-1e9: %1"},
    Entry{ErrorId::TreeTooLong, "der Baum hat 7 Fl\xE4" "chen, mehr als die Fl\xE4" "chenanzahl \xFC" "brig l\xE4" "sst",
          "the tree has 7 surfaces, more than the surface count leaves"},
    Entry{ErrorId::HouseTooLong, "das Haus hat 7 Fl\xE4" "chen, mehr als die Fl\xE4" "chenanzahl \xFC" "brig l\xE4" "sst",
          "the house has 7 surfaces, more than the surface count leaves"},
    Entry{ErrorId::EndsBeforeSurfaceCount, "der Text endet zu fr\xFC" "h: erwartet wird die Fl\xE4" "chenanzahl",
          "the text ends early: expected the surface count"},
    Entry{ErrorId::EndsBeforeSurfaceName, "der Text endet zu fr\xFC" "h: erwartet wird ein Fl\xE4" "chenname",
          "the text ends early: expected a surface name"},
    Entry{ErrorId::EndsBeforeVertexCount, "der Text endet zu fr\xFC" "h: erwartet wird die Eckenzahl von %1",
          "the text ends early: expected the vertex count of %1"},
    Entry{ErrorId::EndsBeforeVertex, "der Text endet zu fr\xFC" "h: erwartet wird ein Eckpunkt von %1",
          "the text ends early: expected a vertex of %1"},
    Entry{ErrorId::FoliageLine,
          "die Belaubung muss aus zw\xF6" "lf Prozentwerten 0..100 in Feldern zu drei Zeichen bestehen: \"%1\"",
          "the foliage must be twelve percentages 0..100 in fields of three characters: \"%1\""},
    Entry{ErrorId::ReflectanceLine,
          "die Bodenreflexion muss aus zw\xF6" "lf Prozentwerten 0..100 in Feldern zu drei Zeichen bestehen: \"%1\"",
          "the ground reflectance must be twelve percentages 0..100 in fields of three characters: \"%1\""},
    Entry{ErrorId::SiteLine, "die Standortzeile muss Breite, L\xE4" "nge und Zeitkorrektur enthalten: \"%1\"",
          "the site line must be latitude, longitude and time correction: \"%1\""},
    Entry{ErrorId::LatitudeRange, "die Breite muss zwischen -%1 und %1 liegen, nicht %2",
          "the latitude must lie in -%1..%1, not %2"},
    Entry{ErrorId::LongitudeRange, "die L\xE4" "nge muss zwischen -%1 und %1 liegen, nicht %2",
          "the longitude must lie in -%1..%1, not %2"},
    Entry{ErrorId::CorrectionRange, "die Zeitkorrektur muss zwischen -%1 und %1 liegen, nicht %2",
          "the time correction must lie in -%1..%1, not %2"},
};

// The reasons the system gives for a failed file operation, as far as a user meets them.
struct Reason {
    const char* en;
    const char* de;
};
constexpr std::array kReasons{
    Reason{"No such file or directory", "Datei oder Verzeichnis nicht gefunden"},
    Reason{"Permission denied", "Zugriff verweigert"},
    Reason{"Read-only file system", "Dateisystem ist schreibgesch\xFC" "tzt"},
    Reason{"No space left on device", "kein Speicherplatz mehr auf dem Ger\xE4" "t"},
    Reason{"Is a directory", "ist ein Verzeichnis"},
    Reason{"Not a directory", "ist kein Verzeichnis"},
    Reason{"already closed", "bereits geschlossen"},
};

std::string germanReason(const std::string& reason) {
    for (const Reason& r : kReasons)
        if (reason == r.en) return r.de;
    return reason;
}

std::string fill(const char* pattern, const std::vector<std::string>& args) {
    std::string out;
    for (const char* p = pattern; *p; ++p) {
        const auto k = static_cast<std::size_t>(p[1] - '1');
        if (*p == '%' && p[1] >= '1' && p[1] <= '9' && k < args.size()) {
            out += args[k];
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace

std::string ErrorMessage::render(Language language) const {
    if (id == ErrorId::Plain) return args.empty() ? std::string() : args.front();
    for (const Entry& e : kTexts) {
        if (e.id != id) continue;
        if (language == Language::English) return fill(e.en, args);
        std::vector<std::string> german = args;
        if ((id == ErrorId::CannotOpen || id == ErrorId::CannotWrite) && !german.empty())
            german.front() = germanReason(german.front());
        return fill(e.de, german);
    }
    return {};
}

}  // namespace penumbro
