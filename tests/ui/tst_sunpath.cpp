// The sun-path window: opened from the Simulation menu, it saves the command line's
// SVG byte for byte and a PNG picture; a project without target gives a message.

#include "UiFixture.h"
#include "cli/RunCli.h"

#include "ui/SunPathWindow.h"

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;

class SunPathWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menuOpensTheDiagramAndSavesWhatTheCommandLineWrites();
};

void SunPathWindowTest::menuOpensTheDiagramAndSavesWhatTheCommandLineWrites() {
    UiEnv env("e");
    env.startWith(loadProjectFile(testing::examplePath("facade.dat")).lines);
    auto* action = env.window->findChild<QAction*>(QStringLiteral("Menu_Sonnenstandsdiagramm"));
    QVERIFY(action);
    QCOMPARE(action->text().remove(QLatin1Char('&')), QStringLiteral("Sun-path diagram ..."));
    action->trigger();
    TSunPathWindow* w = env.window->sunPathWindow();
    QVERIFY(w && w->isVisible() && w->diagram());

    env.dialogs.fileNames = {env.qpath("w.svg"), env.qpath("w.png")};
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("saveSvgButton")), Qt::LeftButton);
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("savePngButton")), Qt::LeftButton);
    QCOMPARE(runCli("kon --write " + cliQuote(env.path("start.kon"))).exitCode, 0);  // the window's start values
    const CliResult r = runCli("sunpath " + cliQuote(env.path("k.dat")) + " --kon " + cliQuote(env.path("start.kon")) +
                               " --lang e -o " + cliQuote(env.path("cli.svg")));
    QVERIFY2(r.exitCode == 0, r.err.c_str());
    QVERIFY(readFileBytes(env.path("w.svg")) == readFileBytes(env.path("cli.svg")));
    const QImage png(env.qpath("w.png"));
    QCOMPARE(png.size(), QSize(2000, 960));
    // A direction behind the south-facing window (azimuth 15, elevation 52 degrees) is grey.
    QCOMPARE(png.pixelColor(200, 400), QColor(QStringLiteral("#c8c8c8")));

    w->SpracheAnpassen(Language::German);
    QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("saveSvgButton"))->text(), QStringLiteral("Als SVG speichern ..."));

    w->close();
    env.state.project.daten = testing::project({testing::wallSurface()});
    const std::size_t shown = env.dialogs.messages.size();
    action->trigger();
    QVERIFY(!w->isVisible());
    QCOMPARE(env.dialogs.messages.size(), shown + 1);
}

QTEST_MAIN(SunPathWindowTest)
#include "tst_sunpath.moc"
