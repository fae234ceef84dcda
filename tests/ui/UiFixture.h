#pragma once
// A program directory in a temporary folder, the shared state, scripted dialogs and
// a main window built on them.

#include "ScriptedDialogs.h"

#include "project/FileIo.h"
#include "project/ProjectFile.h"
#include "ui/AppState.h"
#include "ui/MainForm.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

// A south-facing collector tilted 45 degrees with a wall in front of it; the target
// carries its local corners and placement line as the editor writes them.
inline penumbro::Lines collectorProject() {
    return {"* test",
            "2",
            "Kollektor",
            "Target",
            "4",
            "# 0.000000 0.000000 0.000000",
            "# 4.000000 0.000000 0.000000",
            "# 4.000000 3.000000 0.000000",
            "# 0.000000 3.000000 0.000000",
            "# 180.000  45.000  12.000  12.000  5.000",
            "12.000000 12.000000 5.000000",
            "16.000000 12.000000 5.000000",
            "16.000000 14.121320 7.121320",
            "12.000000 14.121320 7.121320",
            "Mauer",
            "4",
            "# 0.000000 0.000000 0.000000",
            "# 10.000000 0.000000 0.000000",
            "# 10.000000 0.000000 6.000000",
            "# 0.000000 0.000000 6.000000",
            "# 180.000  0.000  8.000  10.000  0.000",
            "8.000000 10.000000 0.000000",
            "18.000000 10.000000 0.000000",
            "18.000000 10.000000 6.000000",
            "8.000000 10.000000 6.000000",
            "Standort",
            "50.0 -8.0 -1.0",
            "Bodenreflexion",
            " 40 40 30 20 20 20 20 20 20 20 30 40"};
}

// Two targets in different planes.
inline penumbro::Lines twoPlaneProject() {
    penumbro::Lines t = collectorProject();
    t[1] = "3";
    const penumbro::Lines second = {"Dach", "Target", "3", "# 0.000000 0.000000 0.000000",
                                    "# 2.000000 0.000000 0.000000", "# 0.000000 2.000000 0.000000",
                                    "# 90.000  90.000  0.000  0.000  3.000", "0.000000 0.000000 3.000000",
                                    "2.000000 0.000000 3.000000", "0.000000 2.000000 3.000000"};
    t.insert(t.begin() + 25, second.begin(), second.end());
    return t;
}

struct UiEnv {
    QTemporaryDir dir;
    penumbro::ui::AppState state;
    ScriptedDialogs dialogs;
    std::unique_ptr<penumbro::ui::TMainForm> window;

    // language: "d", "e" or "" (no penumbro.ini at all).
    explicit UiEnv(const std::string& language = "d") {
        state.programDir = path("");
        state.configDir = path("");
        if (!language.empty()) {
            penumbro::ui::PenumbroSettings s;
            s.language = language;
            penumbro::ui::writeSettingsFile(state.settingsPath(), s);
        }
        window = std::make_unique<penumbro::ui::TMainForm>(state, dialogs);
    }
    ~UiEnv() { QDir::setCurrent(QDir::tempPath()); }

    std::string path(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
    QString qpath(const std::string& name) const { return QString::fromStdString(path(name)); }
    std::string write(const std::string& name, const penumbro::Lines& lines) const {
        penumbro::saveProjectFile(path(name), lines);
        return path(name);
    }
};
