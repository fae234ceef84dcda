// penumbro: the desktop program.

#include "project/ConfigPaths.h"
#include "simulation/Startup.h"
#include "ui/AppState.h"
#include "ui/Dialogs.h"
#include "ui/MainForm.h"
#include "ui/Screenshots.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Penumbro"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Penumbro"));

    penumbro::ui::AppState state;
    state.programDir = penumbro::withTrailingSlash(
        penumbro::ui::toPath(QCoreApplication::applicationDirPath()));
    const penumbro::StartupParameters start = penumbro::readStartupParameters(state.programDir);
    state.configDir = start.configDir;
    state.params = start.params;
    const std::string konWarning = start.warning;

    const QString screenshots = qEnvironmentVariable("PENUMBRO_SCREENSHOTS");
    penumbro::ui::QtDialogs qtDialogs;
    penumbro::ui::AutoDialogs autoDialogs;
    penumbro::ui::Dialogs& dialogs = screenshots.isEmpty() ? static_cast<penumbro::ui::Dialogs&>(qtDialogs) : autoDialogs;
    penumbro::ui::TMainForm window(state, dialogs);
    const QStringList args = QCoreApplication::arguments();
    window.start(args.size() > 1 ? args[1] : QString());
    // At the top of the screen, centred horizontally.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.left() + (area.width() - window.frameGeometry().width()) / 2, area.top());
    }
    window.show();
    if (!konWarning.empty())
        QTimer::singleShot(0, &window, [&] { dialogs.warning(&window, penumbro::ui::fromMessage(konWarning)); });
    if (!screenshots.isEmpty()) penumbro::ui::screenshotsAufnehmen(window, state, screenshots);
    return app.exec();
}
