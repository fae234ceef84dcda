#include "project/SharedTexts.h"

namespace penumbro {

const std::array<const char*, 12>& monthNames(Language language) {
    static const std::array<const char*, 12> german = {"Januar", "Februar", "M\xE4rz",    "April",
                                                       "Mai",    "Juni",    "Juli",      "August",
                                                       "September", "Oktober", "November", "Dezember"};
    static const std::array<const char*, 12> english = {"January", "February", "March",     "April",
                                                        "May",     "June",     "July",      "August",
                                                        "September", "October", "November", "December"};
    return language == Language::English ? english : german;
}

const char* const kPreviousVersionNotice =
    "Dieser Datenfile wurde mit einer Vorg\xE4ngerversion von PENUMBRO erstellt. Bitte beachten "
    "Sie, dass er nach dem Speichern nicht mehr mit der alten Version ge\xF6\x66\x66net werden "
    "kann. Verwenden Sie ggf. \"Projekt - Speichern unter ...\" um die Originaldatei unver\xE4ndert "
    "zu lassen.\r\rBitte \xFC\x62\x65rpr\xFC\x66\x65n Sie die Angaben zum Standort und zur "
    "Bodenreflexion, da diese nicht \xFC\x62\x65rnommen werden konnten.";

const char* const kPreviousVersionNote =
    "written by the previous version: the default site and ground reflection apply; please check them";

const char* noTargetMessage(Language language) {
    return language == Language::English
               ? "No target surface available! File cannot be simulated."
               : "Keine Targetfl\xE4" "che vorhanden! Datei kann nicht simuliert werden.";
}

}  // namespace penumbro
