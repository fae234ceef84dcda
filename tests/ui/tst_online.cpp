// The online page: the walk by buttons in both languages, the picture against the CLI's.

#include "UiFixture.h"

#include "project/Numbers.h"
#include "ui/OnlineAusgabe.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <vector>

using namespace penumbro;
using namespace penumbro::ui;

class OnlineTest : public QObject {
    Q_OBJECT
private slots:
    void buttonsWalkAndLabelsFollowInBothLanguages();
    void pictureIsTheCliPicture();
};

namespace {

TOnline_Ausgabe* onlinePage(UiEnv& env, const Lines& project) {
    env.startWith(project);
    env.window->HauptauswahlClick(2);
    return env.window->activePage() == 2 ? env.window->onlineWindow() : nullptr;
}

void click(TOnline_Ausgabe* w, const QString& name) {
    auto* b = w->findChild<QToolButton*>(name);
    QVERIFY2(b, qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton);
}

QString label(TOnline_Ausgabe* w, const char* name) { return w->findChild<QLabel*>(QLatin1String(name))->text(); }

}  // namespace

void OnlineTest::buttonsWalkAndLabelsFollowInBothLanguages() {
    struct Step {
        const char* button;
        int day, dayOfMonth, month, hour, minute;
    };
    // Noon, 1 February onwards; day 31 in February is its 28th.
    const Step steps[] = {{"Minute0", 1, 1, 1, 12, 0}, {"Minute30", 1, 1, 1, 12, 30},  {"Monat2", 32, 1, 2, 12, 30},
                          {"Tag31", 59, 28, 2, 12, 30}, {"SpeedButton6", 87, 28, 3, 12, 30},
                          {"SpeedButton10", 87, 28, 3, 12, 31}, {"SpeedButton1", 59, 28, 2, 12, 31}};
    for (const char* language : {"d", "e"}) {
        UiEnv env(language);
        TOnline_Ausgabe* w = onlinePage(env, collectorProject());
        QVERIFY(w);
        QVERIFY(label(w, "noteLabel").startsWith(language[0] == 'd' ? QStringLiteral("Hinweis:") : QStringLiteral("Hint:")));
        for (QLabel* l : w->findChildren<QLabel*>())
            if (l->objectName() != QStringLiteral("zeichenfenster") && !l->objectName().endsWith(QStringLiteral("Value")))
                QVERIFY2(!l->text().isEmpty(), language);
        click(w, QStringLiteral("Stunde12"));
        for (const Step& s : steps) {
            click(w, QLatin1String(s.button));
            const QString at = QStringLiteral("%1 after %2").arg(QLatin1String(language), QLatin1String(s.button));
            auto shown = [](int v) { return QString::fromStdString(formatFixed(v, 4, 1)); };
            QCOMPARE(label(w, "dayValue"), shown(s.day));
            QCOMPARE(label(w, "hourValue"), shown(s.hour));
            QCOMPARE(label(w, "minuteValue"), shown(s.minute));
            QVERIFY2(!label(w, "shadingValue").isEmpty(), qPrintable(at));  // noon: sun on the target
            for (const QString& down : {QStringLiteral("Monat%1").arg(s.month), QStringLiteral("Tag%1").arg(s.dayOfMonth),
                                        QStringLiteral("Stunde%1").arg(s.hour), QStringLiteral("Minute%1").arg(s.minute)})
                QVERIFY2(w->findChild<QToolButton*>(down)->isChecked(), qPrintable(at + QStringLiteral(": ") + down));
        }
        QVERIFY(env.dialogs.messages.empty());
    }
}

void OnlineTest::pictureIsTheCliPicture() {
    UiEnv env;
    TOnline_Ausgabe* w = onlinePage(env, loadProjectFile(penumbro::testing::examplePath("collector.dat")).lines);
    QVERIFY(w);
    // Selector and step clicks mixed: every instant must be drawn on a clean picture,
    // whatever showed before (another month's shadow, a later hour's, the no-sun grey).
    struct Visit {
        std::vector<const char*> clicks;
        int day;
        const char* time;
    };
    const Visit visits[] = {{{"Monat6", "Tag21", "Stunde12", "Minute0"}, 172, "12:00"},
                            {{"Monat12"}, 355, "12:00"},
                            {{"Stunde16", "Stunde12"}, 355, "12:00"},
                            {{"Stunde2", "Monat1", "Tag15", "Stunde9", "Minute50", "SpeedButton9"}, 15, "10:00"},
                            {{"SpeedButton7", "Tag3"}, 3, "10:00"},
                            {{"Monat7", "SpeedButton3", "Minute30"}, 184, "09:30"}};
    int n = 0;
    for (const Visit& v : visits) {
        for (const char* b : v.clicks) click(w, QLatin1String(b));
        const QString at = QStringLiteral("visit %1").arg(++n);
        const InstantResult& r = w->session().lastInstant();
        QVERIFY2(r.sunOnTarget, qPrintable(at));
        env.dialogs.fileNames = {env.qpath("gui")};
        w->findChild<QAction*>(QStringLiteral("savePictureAction"))->trigger();
        QProcess cli;
        cli.start(QStringLiteral(PENUMBRO_CLI),
                  {QStringLiteral("instant"), env.qpath("k.dat"), QStringLiteral("--day"), QString::number(v.day),
                   QStringLiteral("--time"), QLatin1String(v.time), QStringLiteral("--online"),
                   QStringLiteral("--picture"), env.qpath("cli.bmp")});
        QVERIFY(cli.waitForFinished(30000));
        QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
        QVERIFY2(cli.readAllStandardOutput().contains("result=" + QByteArray::fromStdString(formatFixed(r.ergebnis, 0, 6))),
                 qPrintable(at));
        const std::string gui = readFileBytes(env.path("gui.bmp"));
        QVERIFY(gui.size() > 480 * 480 * 3);
        QVERIFY2(gui == readFileBytes(env.path("cli.bmp")), qPrintable(at));
    }

    w->findChild<QAction*>(QStringLiteral("copyPictureAction"))->trigger();
    QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), w->picture());

    // An edit in the editor, not saved: the next switch computes it.
    env.window->HauptauswahlClick(1);
    Lines& text = env.state.project.daten;
    *(std::find(text.begin(), text.end(), "Standort") + 1) = "-80.0 0.0 0.0";
    env.window->HauptauswahlClick(2);
    QCOMPARE(env.state.params.latitude, -80.0);
}

QTEST_MAIN(OnlineTest)
#include "tst_online.moc"
