// penumbro: the desktop program.

#include "project/ConfigPaths.h"
#include "simulation/Startup.h"
#include "ui/AppState.h"
#include "ui/Dialogs.h"
#include "ui/MainForm.h"
#include "ui/Screenshots.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Penumbro"));

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
    window.show();
    // Centred on the screen's free area once the frame is known, title bar always visible.
    QTimer::singleShot(0, &window, [&window] { penumbro::ui::placeCentred(window); });
    if (!konWarning.empty())
        QTimer::singleShot(0, &window, [&] { dialogs.warning(&window, penumbro::ui::fromMessage(konWarning)); });
    if (!screenshots.isEmpty()) penumbro::ui::takeScreenshots(window, state, screenshots);
    return app.exec();
}
