#pragma once
// A program directory in a temporary folder, the shared state, scripted dialogs and
// a main window built on them.

#include "ScriptedDialogs.h"

#include "project/FileIo.h"
#include "project/ProjectFile.h"
#include "support/SampleProjects.h"
#include "support/TempDir.h"
#include "ui/AppState.h"
#include "ui/MainForm.h"

#include <QDir>

#include <memory>

using penumbro::testing::collectorProject;

struct UiEnv {
    penumbro::testing::TempDir dir{"ui"};
    penumbro::ui::AppState state;
    ScriptedDialogs dialogs;
    std::unique_ptr<penumbro::ui::TMainForm> window;

    // language: "d", "e" or "" (no penumbro.ini at all).
    explicit UiEnv(const std::string& language = "d") {
        state.programDir = state.configDir = path("");
        using namespace penumbro;
        if (!language.empty()) writeSettingsFile(state.settingsPath(), {kStandardBrowser, "", kStandardDirectory, "", language, "1"});
        window = std::make_unique<penumbro::ui::TMainForm>(state, dialogs);
    }
    ~UiEnv() { QDir::setCurrent(QDir::tempPath()); }

    std::string path(const std::string& name) const { return dir.path(name); }
    QString qpath(const std::string& name) const { return QString::fromStdString(path(name)); }
    std::string write(const std::string& name, const penumbro::Lines& lines) const {
        return penumbro::saveProjectFile(path(name), lines), path(name);
    }
    // Starts the program on k.dat written from lines.
    void startWith(const penumbro::Lines& lines) { window->start(QString::fromStdString(write("k.dat", lines))); }
};
