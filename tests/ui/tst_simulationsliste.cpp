// The simulation list window: editing the list, and a list run against the CLI's batch.

#include "UiFixture.h"

#include "ui/SchnellAusgabe.h"
#include "ui/Simulationsliste.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QInputDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;
using namespace penumbro::testing;

class SimulationslisteTest : public QObject {
    Q_OBJECT
private slots:
    void addRemoveClear();
    void listRunWritesWhatTheCliBatchWrites();
    void listRunLeavesTheFastRunWindowAsItWas();
};

namespace {

// Collector and wall, both targets.
Lines twoTargets() {
    Lines wall = wallSurface();
    wall.insert(wall.begin() + 1, "Target");
    return project({collectorSurface(), wall});
}

// Removes the file numbered by the text typed into the remove dialog.
void remove(UiEnv& env, TSimulationsliste* w, const QString& text) {
    env.dialogs.onExec = [text](QDialog& d) { return static_cast<QInputDialog&>(d).setTextValue(text), 1; };
    w->BitBtn2->click();
}

// Every control of a window: kind, name, place, state and what it shows.
QStringList controlStates(QWidget* window) {
    QStringList states;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QString s = QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName() + u' ';
        // Hidden controls have no layout yet: their place counts once they are shown.
        const QRect r = w->isVisibleTo(window) ? w->geometry() : QRect();
        s += QStringLiteral("%1,%2 %3x%4 e%5 v%6").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
                 .arg(w->isEnabled()).arg(w->isVisibleTo(window));
        if (auto* b = qobject_cast<QAbstractButton*>(w)) s += u' ' + b->text() + (b->isChecked() ? u'x' : u'o');
        if (auto* l = qobject_cast<QLabel*>(w)) s += u' ' + l->text();
        if (auto* n = qobject_cast<QAbstractSpinBox*>(w)) s += u' ' + n->text();
        states << s;
    }
    return states;
}

}  // namespace

void SimulationslisteTest::addRemoveClear() {
    UiEnv env;
    env.startWith(collectorProject());
    TSimulationsliste* w = env.window->simulationList();
    // The open project with unsaved changes: Yes saves it before it is listed.
    env.state.project.daten.push_back("* geaendert");
    env.dialogs.answers = {QMessageBox::Yes};
    env.dialogs.fileNames = {env.qpath("k.dat"), env.qpath("a.dat"), env.qpath("none.dat")};
    env.write("a.dat", twoTargets());
    env.write("none.dat", project({wallSurface()}));
    for (int i = 0; i < 3; ++i) w->BitBtn1->click();  // k.dat, a.dat, none.dat
    QCOMPARE(readPlainText(env.path("k.dat")), env.state.project.daten);
    QVERIFY(env.dialogs.saw(QStringLiteral("keine Targets")));
    QCOMPARE(w->list().filledRows(), 3);
    QCOMPARE(w->StringGrid1->item(2, 0)->text(), QString(20, QLatin1Char(' ')) + QLatin1Char('"'));
    QCOMPARE(w->StringGrid1->item(2, 2)->text(), env.qpath("a_02_Mauer"));
    QVERIFY(w->Memo1->toPlainText().startsWith(QStringLiteral("01 - Datendatei:   ") + env.qpath("k.dat")));
    QVERIFY(w->BitBtn4->isEnabled());

    remove(env, w, QStringLiteral("100"));
    QVERIFY(env.dialogs.saw(QStringLiteral("Ung\u00FCltige Eingabe!")));
    remove(env, w, QStringLiteral("1"));
    QCOMPARE(w->StringGrid1->item(0, 0)->text(), env.qpath("a.dat"));
    QCOMPARE(w->list().filledRows(), 2);

    env.dialogs.answers = {QMessageBox::Cancel, QMessageBox::Ok};
    w->BitBtn3->click();
    QCOMPARE(w->list().filledRows(), 2);
    w->BitBtn3->click();
    QCOMPARE(w->list().filledRows(), 0);
    QVERIFY(w->Memo1->toPlainText().isEmpty() && !w->BitBtn4->isEnabled());
}

void SimulationslisteTest::listRunWritesWhatTheCliBatchWrites() {
    UiEnv env;
    env.startWith(collectorProject());
    env.state.project.daten.push_back("* ungespeichert");
    const Lines before = env.state.project.daten;
    TSimulationsliste* w = env.window->simulationList();
    env.dialogs.fileNames = {QString::fromStdString(env.write("a.dat", twoTargets())),
                             QString::fromStdString(env.write("b.dat", collectorProject()))};
    for (QPushButton* b : {w->BitBtn1, w->BitBtn1, w->BitBtn4}) b->click();

    Tschnell_ausgabe* run = env.window->fastRunWindow();
    auto* panel = env.window->findChild<QLabel*>(QStringLiteral("Panel_Simulationsliste"));
    auto* menu = env.window->findChild<QMenu*>(QStringLiteral("Menu_Projekt"));
    QVERIFY(env.state.batchActive && panel->isVisibleTo(env.window.get()) && !menu->menuAction()->isEnabled());
    QVERIFY(run->anz_AusgabedateiNameMit->text().isEmpty() && !run->Ausgabedatei_aendern->isEnabled());
    if (run->monatlich->isChecked()) run->monatlich->click();
    for (auto [box, value] : {std::pair{run->Starttag, 170}, {run->Stoptag, 190}, {run->SpinEdit3, 5},
                              {run->SpinEdit4, 60}, {run->zusatz3, 2}})
        box->setValue(value);
    run->Dezimalzeichen_Komma->setChecked(true);
    QSignalSpy done(w, &TSimulationsliste::listRunEnded);
    run->SimulationStarten->click();
    QVERIFY(done.wait(60000));
    QVERIFY(env.dialogs.saw(QStringLiteral("Simulation beendet!")) && w->list().filledRows() == 0);
    QVERIFY(!env.state.batchActive && !panel->isVisibleTo(env.window.get()) && menu->menuAction()->isEnabled());
    QCOMPARE(env.state.project.daten, before);

    // The same files and parameters through the CLI, after the window's outputs are kept aside.
    std::map<std::string, std::string> gui;
    for (const char* stem : {"a_01_Kollektor", "a_02_Mauer", "b"})
        for (const char* ext : {".rep", ".mit"}) {
            const std::string file = env.path(std::string(stem) + ext);
            gui[file] = readFileBytes(file);
            QVERIFY2(!gui[file].empty(), file.c_str());
            std::remove(file.c_str());
        }
    writeKonFile(env.path("none.kon"), TSimParameter{});
    QProcess cli;
    cli.start(QStringLiteral(PENUMBRO_CLI),
              {"batch", env.qpath("a.dat"), env.qpath("b.dat"), "--kon", env.qpath("none.kon"), "--set", "monthly=0",
               "--set", "first-day=170", "--set", "stop-day=190", "--set", "interval-days=5", "--set",
               "interval-minutes=60", "--set", "resolution=2", "--comma"});
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
    for (const auto& [file, bytes] : gui) QVERIFY2(readFileBytes(file) == bytes, file.c_str());
}

void SimulationslisteTest::listRunLeavesTheFastRunWindowAsItWas() {
    UiEnv env;
    env.startWith(collectorProject());
    env.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(env.window.get()));
    const QSize size = env.window->size();
    env.window->HauptauswahlClick(3);
    Tschnell_ausgabe* run = env.window->fastRunWindow();
    // A short run: one day, hourly.
    if (run->monatlich->isChecked()) run->monatlich->click();
    for (auto [box, value] : {std::pair{run->Starttag, 172}, {run->Stoptag, 172}, {run->SpinEdit4, 60}, {run->zusatz3, 4}})
        box->setValue(value);
    QApplication::processEvents();
    const QStringList before = controlStates(run);

    TSimulationsliste* w = env.window->simulationList();
    env.dialogs.fileNames = {QString::fromStdString(env.write("b.dat", collectorProject()))};
    w->BitBtn1->click();
    QCOMPARE(env.dialogs.fileInitial.last(), QFileInfo(env.qpath("k.dat")).absolutePath());  // the project's folder
    w->BitBtn4->click();
    QApplication::processEvents();
    // The hint takes the mode bar's place instead of lying over it, in the window as it was.
    auto* hint = env.window->findChild<QLabel*>(QStringLiteral("Panel_Simulationsliste"));
    QVERIFY(hint->isVisible() && hint->width() >= hint->fontMetrics().horizontalAdvance(hint->text()));
    for (int i = 1; i <= 3; ++i) QVERIFY(!env.window->panel(i)->isVisible());
    QVERIFY(!env.window->isMaximized() && env.window->size() == size);
    QSignalSpy done(w, &TSimulationsliste::listRunEnded);
    run->SimulationStarten->click();
    QVERIFY(done.wait(60000));
    QVERIFY(fileExists(env.path("b.mit")));
    env.window->HauptauswahlClick(3);
    QApplication::processEvents();
    for (int i = 1; i <= 3; ++i) QVERIFY(env.window->panel(i)->isVisible());
    const QStringList after = controlStates(run);
    QStringList changed;
    for (int i = 0; i < before.size(); ++i)
        if (before[i] != after.value(i)) changed << before[i] + QStringLiteral("  ->  ") + after.value(i);
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join(u'\n')));
}

QTEST_MAIN(SimulationslisteTest)
#include "tst_simulationsliste.moc"
