#include "ui/AppState.h"

#include "project/InputError.h"
#include "project/ProjectText.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>

namespace penumbro::ui {

void saveSettings(AppState& state) {
    std::error_code ec;
    std::filesystem::create_directories(state.configDir, ec);
    if (ec) throw InputError(state.settingsPath(), 0, {ErrorId::CannotCreateFolder, {ec.message()}});
    state.settings.language = std::string(1, languageLetter(state.chosenLanguage.value_or(state.language)));
    writeSettingsFile(state.settingsPath(), state.settings);
}

QString projectFolder(const AppState& state) {
    if (isUnnamed(state.project.fileName)) return QDir::currentPath();
    return QFileInfo(fromPath(state.project.fileName)).absolutePath();
}

}  // namespace penumbro::ui
