#pragma once
// What the windows share for the life of the program: the project text, the run
// parameters, the settings and the run flags. Owned by main() (or a test) and
// passed to every window; there is no global instance.

#include "project/ProjectText.h"
#include "formats/KonFile.h"
#include "formats/SettingsFile.h"
#include "ui/UiText.h"

#include <atomic>
#include <optional>
#include <string>

namespace penumbro::ui {

struct AppState {
    std::string programDir;  // the executable's folder, trailing '/': help files, manual
    std::string configDir;   // penumbro.ini, standard.kon, "daten" (see ConfigPaths.h)
    Language language = Language::German;  // of the running windows
    // The language chosen in the language window, none until one is chosen. It is the
    // one saved, while the running windows keep theirs until the next start.
    std::optional<Language> chosenLanguage;
    SettingsFile settings;
    std::string vrmlBrowser;  // other VRML player; empty: the desktop's association
    bool preview3d = true;

    ProjectText project;  // the data sheet's lists
    TSimParameter params;
    std::string paramFileName = "standard.kon";  // parameter file in use
    std::string outputBase;  // output files: outputBase + ".rep" / ".mit"
    bool decimalComma = false;

    bool simulationIdle = true;
    std::atomic<bool> abortRequest{false};
    std::atomic<bool> pauseRequest{false};  // the run waits while a question about it is open
    bool batchActive = false;  // a simulation list is being worked off

    std::string settingsPath() const { return configDir + kSettingsFileName; }
    std::string standardKonPath() const { return configDir + "standard.kon"; }
};

}  // namespace penumbro::ui

namespace penumbro::ui {

// Rewrites penumbro.ini from the current values (the language last chosen, else the flag),
// creating the configuration folder when needed. Throws InputError naming the file.
void saveSettings(AppState& state);

// Where file dialogs about the project start: its file's folder, or the working folder
// while it is unnamed.
QString projectFolder(const AppState& state);

}  // namespace penumbro::ui
