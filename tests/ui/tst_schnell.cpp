// The fast-run window: parameters, .kon files, output names, runs against the CLI.

#include "UiFixture.h"

#include "editor/SiteEditing.h"

#include "formats/KonFile.h"
#include "ui/MonthChart.h"
#include "ui/InputControls.h"
#include "ui/SchnellAusgabe.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QLineEdit>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;

class SchnellTest : public QObject {
    Q_OBJECT
private slots:
    void fastRunWritesWhatTheCliWrites();
    void cancelStopsWithoutCompletionMessage();
    void yearRunChartsEveryMonthAndSaysWhereTheFilesWent();
    void numberOutsideItsRangeIsRefusedWithTheReason();
    void refusedRunsNameTheirCause();
    void konFiles();
    void controlsFollowTheRecordAndTheOutputName();
    void defaultsKeepTheDecimalSignAcrossARestart();
};

namespace {

// The program on the collector project, showing the fast-run window.
Tschnell_ausgabe* fastRunWindow(UiEnv& env) {
    env.startWith(collectorProject());
    env.window->HauptauswahlClick(3);
    return env.window->fastRunWindow();
}

// Starts a fast run from the window and waits for its end.
void runAndWait(Tschnell_ausgabe* w) {
    QSignalSpy done(w, &Tschnell_ausgabe::runFinished);
    w->SimulationStarten->click();
    QVERIFY(done.wait(60000));
}

}  // namespace

void SchnellTest::fastRunWritesWhatTheCliWrites() {
    // Monthly with diffuse radiation and point; daily with comma.
    for (bool monthly : {true, false}) {
        const QStringList cliSets =
            monthly ? QStringList{"monthly=1", "diffuse=1", "first-month=5", "stop-month=7",
                                  "interval-days=10", "interval-minutes=30", "month-start-day=1",
                                  "elevation-intervals=4", "diffuse-resolution=5", "resolution=2"}
                    : QStringList{"monthly=0", "first-day=300", "stop-day=20", "interval-days=15",
                                  "interval-minutes=30", "resolution=2"};
        UiEnv env;
        Tschnell_ausgabe* w = fastRunWindow(env);
        // The daily run with exact areas; the box starts off.
        auto* exact = w->findChild<QCheckBox*>(QStringLiteral("exactGeometryCheckBox"));
        QVERIFY(exact && !exact->isChecked());
        exact->setChecked(!monthly);
        if (w->monatlich->isChecked() != monthly) w->monatlich->click();
        w->Diffus->setChecked(monthly);
        w->Startmonat->setValue(5);
        w->Stopmonat->setValue(7);
        w->Starttag->setValue(300);
        w->Stoptag->setValue(20);
        w->SpinEdit3->setValue(monthly ? 10 : 15);
        w->SpinEdit4->setValue(30);
        w->zusatz1->setValue(1);
        w->zusatz6->setValue(4);
        w->zusatz4->setValue(5);
        w->zusatz3->setValue(2);
        (monthly ? w->Dezimalzeichen_Punkt : w->Dezimalzeichen_Komma)->setChecked(true);
        runAndWait(w);
        QVERIFY(env.dialogs.saw(QStringLiteral("Simulation beendet!")));
        QVERIFY(!w->SimulationStarten->isHidden() && w->SimulationStarten->isEnabled());
        if (monthly) QCOMPARE(w->Zeichenfenster->data().lastMonth, 7);
        // The live record now carries the project's site (a saved .kon keeps it).
        const SiteValues site = *readSite(env.state.project.daten);
        QCOMPARE(std::pair(env.state.params.latitude, env.state.params.longitude), std::pair(site.latitude, site.longitude));

        // The start values under the sets, as the window had them.
        writeKonFile(env.path("none.kon"), TSimParameter{});
        QStringList args{QStringLiteral("run"), env.qpath("k.dat"), QStringLiteral("--kon"), env.qpath("none.kon"),
                         QStringLiteral("--out"), env.qpath("cli")};
        for (const QString& s : cliSets) args << QStringLiteral("--set") << s;
        if (!monthly) args << QStringLiteral("--comma") << QStringLiteral("--method=exact");
        QProcess cli;
        cli.start(QStringLiteral(PENUMBRO_CLI), args);
        QVERIFY(cli.waitForFinished(60000));
        QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
        for (const char* ext : {".rep", ".mit"}) {
            const std::string gui = readFileBytes(env.path(std::string("k") + ext));
            QVERIFY(!gui.empty());
            QVERIFY2(gui == readFileBytes(env.path(std::string("cli") + ext)), ext);
        }
    }
}

void SchnellTest::cancelStopsWithoutCompletionMessage() {
    UiEnv env;
    Tschnell_ausgabe* w = fastRunWindow(env);
    // The complete results of an earlier run, which a cancel must not cost.
    writeFileAtomically(env.path("k.rep"), "earlier report\r\n");
    writeFileAtomically(env.path("k.mit"), "earlier means\r\n");
    w->monatlich->click();  // daily: a year of one-minute steps
    w->SpinEdit3->setValue(1);
    w->SpinEdit4->setValue(1);
    QSignalSpy done(w, &Tschnell_ausgabe::runFinished);
    w->SimulationStarten->click();
    QVERIFY(!w->SimulationStarten->isEnabled() && !w->exactGeometryCheckBox->isEnabled() &&
            !env.state.simulationIdle);
    // The window answers while the run goes on: the day counter moves.
    QTRY_VERIFY_WITH_TIMEOUT(!w->Tag_Nr->text().isEmpty(), 20000);
    env.dialogs.answers = {QMessageBox::No, QMessageBox::Yes};
    w->Button1->click();
    QVERIFY(!env.state.abortRequest);  // No: the run goes on
    w->Button1->click();
    QVERIFY(done.wait(30000));
    QVERIFY2(!env.dialogs.saw(QStringLiteral("Simulation beendet!")), qPrintable(env.dialogs.all()));
    QVERIFY(env.state.simulationIdle && w->SimulationStarten->isEnabled());
    // The report holds the instants done so far, far fewer than a year of minutes.
    const Lines rep = splitLines(readFileBytes(env.path("k.rep")));
    QVERIFY(!rep.empty() && rep.size() < 365u * 1440u);
    QCOMPARE(readFileBytes(env.path("k.rep.bak")), std::string("earlier report\r\n"));
    QCOMPARE(readFileBytes(env.path("k.mit.bak")), std::string("earlier means\r\n"));
    // The message and the status line say which days the files now hold.
    const QString lastDay = QString::fromStdString(rep.back()).simplified().section(QLatin1Char(' '), 1, 1);
    const QString note = QStringLiteral("Abgebrochen nach Tag %1: k.rep und k.mit enthalten Tag 1 bis %1.").arg(lastDay);
    QVERIFY2(env.dialogs.messages.back().text.startsWith(note), qPrintable(env.dialogs.all()));
    QVERIFY2(w->runStatusLabel->text().startsWith(note), qPrintable(w->runStatusLabel->text()));
    QVERIFY(!env.state.pauseRequest);

    // Quitting during a run: the window closes at once, the run stopped.
    env.window->show();
    w->SimulationStarten->click();
    QTRY_VERIFY_WITH_TIMEOUT(!w->Tag_Nr->text().isEmpty(), 20000);
    env.dialogs.answers = {QMessageBox::Yes};
    QVERIFY(env.window->close());
    QVERIFY(env.state.simulationIdle && !w->running());
}

void SchnellTest::yearRunChartsEveryMonthAndSaysWhereTheFilesWent() {
    for (const char* language : {"d", "e"}) {
        UiEnv env(language);
        Tschnell_ausgabe* w = fastRunWindow(env);
        if (!w->monatlich->isChecked()) w->monatlich->click();
        for (auto [spin, value] : {std::pair{w->Startmonat, "1"}, {w->Stopmonat, "12"}, {w->SpinEdit3, "10"},
                                   {w->SpinEdit4, "60"}}) {
            spin->selectAll();
            QTest::keyClicks(spin, QLatin1String(value));
        }
        QSignalSpy done(w, &Tschnell_ausgabe::runFinished);
        w->SimulationStarten->click();
        const QString titleWhileRunning = chartTexts(w->Zeichenfenster->fontMetrics(), w->Zeichenfenster->width(),
                                                     w->Zeichenfenster->height(), w->Zeichenfenster->data(),
                                                     env.state.language).title;
        QVERIFY(done.wait(60000));
        const ChartTexts after = chartTexts(w->Zeichenfenster->fontMetrics(), w->Zeichenfenster->width(),
                                            w->Zeichenfenster->height(), w->Zeichenfenster->data(), env.state.language);
        QCOMPARE(after.title, titleWhileRunning);
        QCOMPARE(after.legend.size(), std::size_t{12});
        // The message and the status line name both files and the whole folder.
        const QString folder = QString::fromStdString(env.dir.dir().string());
        const bool german = language[0] == 'd';
        const QString files = german ? QStringLiteral("k.rep und k.mit liegen im Ordner ") + folder
                                     : QStringLiteral("k.rep and k.mit are in the folder ") + folder;
        const QString finished = german ? QStringLiteral("Simulation beendet!") : QStringLiteral("Simulation completed!");
        QVERIFY2(env.dialogs.messages.back().text == finished + QLatin1Char('\n') + files, qPrintable(env.dialogs.all()));
        QCOMPARE(w->runStatusLabel->text(), finished + QLatin1Char(' ') + files);
    }
}

void SchnellTest::numberOutsideItsRangeIsRefusedWithTheReason() {
    for (auto [language, reason] :
         {std::pair{"d", "Stopmonat: \"13\" abgelehnt, erlaubt: 1 bis 12"},
          {"e", "Last month: \"13\" refused, allowed: 1 to 12"}}) {
        UiEnv env(language);
        Tschnell_ausgabe* w = fastRunWindow(env);
        if (!w->monatlich->isChecked()) w->monatlich->click();
        w->Stopmonat->selectAll();
        QTest::keyClicks(w->Stopmonat, QStringLiteral("13"));
        QTRY_COMPARE(w->runStatusLabel->text(), QString::fromLatin1(reason));
        QVERIFY(w->Stopmonat->property(kRefusedKeys).toInt() > 0);
    }
}

void SchnellTest::refusedRunsNameTheirCause() {
    // An output folder that does not exist: a warning naming the file.
    UiEnv env;
    Tschnell_ausgabe* w = fastRunWindow(env);
    env.state.outputBase = env.path("fehlt/aus");
    w->Stopmonat->setValue(1);
    runAndWait(w);
    QCOMPARE(int(env.dialogs.messages.size()), 1);
    QVERIFY2(env.dialogs.saw(QStringLiteral("fehlt/aus.")) && env.dialogs.messages[0].icon == QMessageBox::Warning,
             qPrintable(env.dialogs.all()));

}

void SchnellTest::konFiles() {
    // (Which fields an opened file sets, sizes and the reserved name: the record's own tests.)
    UiEnv env;
    Tschnell_ausgabe* w = fastRunWindow(env);
    TSimParameter other;
    other.intervalMinutes = 7;
    writeKonFile(env.path("anders.kon"), other);
    env.write("kurz.kon", {"x"});
    env.dialogs.fileNames = {env.qpath("anders"), env.qpath("kurz.kon")};  // the default extension is added
    w->Parameterdatei_oeffnenClick();
    QCOMPARE(w->SpinEdit4->value(), 7);
    w->Parameterdatei_oeffnenClick();
    QVERIFY(env.dialogs.messages.size() == 1 && env.dialogs.saw("kurz.kon"));
    // Saving under the reserved name is refused, also without extension.
    w->SpinEdit4->setValue(9);
    for (const char* name : {"standard", "mein.kon"}) {
        env.dialogs.fileNames = {env.qpath(name)};
        w->Speichern_unterClick();
    }
    QVERIFY(env.dialogs.messages.size() == 2 && !fileExists(env.path("standard.kon")));
    QCOMPARE(readKonFile(env.path("mein.kon")).intervalMinutes, 9);
    // The defaults are written only after confirmation.
    env.dialogs.answers = {QMessageBox::Abort, QMessageBox::Ok};
    w->Parameter_StandardClick();
    QVERIFY(!fileExists(env.state.standardKonPath()));
    w->Parameter_StandardClick();
    QCOMPARE(startupParameters(env.state.configDir).intervalMinutes, 9);
}

void SchnellTest::controlsFollowTheRecordAndTheOutputName() {
    UiEnv env;
    Tschnell_ausgabe* w = fastRunWindow(env);
    env.window->show();
    env.state.params.skyReduction = 0.333;
    w->Vorbereitung();
    QCOMPARE(w->zusatz7->value(), 0.33);
    w->zusatz3->setValue(4);
    w->ParameterMerken();
    QCOMPARE(env.state.params.resolution, 4);
    QCOMPARE(env.state.params.skyReduction, 0.33);
    // A German user's decimal comma counts as the point.
    w->zusatz7->findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(w->zusatz7, QStringLiteral("0,5"));
    w->zusatz7->interpretText();
    QCOMPARE(w->zusatz7->value(), 0.5);
    // The monthly switch shows months or days and allows diffuse radiation in months only.
    w->Diffus->setChecked(true);
    w->monatlich->click();
    QVERIFY(!env.state.params.monthly && !w->Diffus->isChecked() && !w->Diffus->isEnabled());
    QVERIFY(!w->Startmonat->isVisible() && w->Starttag->isVisible() && !w->Label_monatlich->isVisible());
    w->monatlich->click();
    QVERIFY(env.state.params.monthly && w->Diffus->isEnabled() && w->Startmonat->isVisible());

    // The output names follow the chosen file; a cancelled dialog changes nothing.
    QCOMPARE(w->anz_AusgabedateiNameMit->toolTip(), env.qpath("k.mit"));
    env.dialogs.fileNames = {env.qpath("ergebnis.mit")};
    w->Ausgabedatei_aendernClick();
    w->Ausgabedatei_aendernClick();
    QCOMPARE(env.dialogs.fileInitial, (QStringList{env.qpath("k"), env.qpath("ergebnis")}));
    QCOMPARE(w->anz_AusgabedateiNameRep->toolTip(), env.qpath("ergebnis.rep"));
    // Another click on the shown panel keeps the window as it is (no new preparation);
    // leaving it keeps the values typed there, with the run mode a saved .kon carries.
    w->SpinEdit4->setValue(37);
    QTest::mouseClick(env.window->panel(3), Qt::LeftButton);
    QCOMPARE(w->SpinEdit4->value(), 37);
    QTest::mouseClick(env.window->panel(1), Qt::LeftButton);
    QVERIFY(env.window->activePage() == 1 && env.state.params.intervalMinutes == 37 && env.state.params.fastRun);
}

void SchnellTest::defaultsKeepTheDecimalSignAcrossARestart() {
    for (const bool comma : {true, false}) {
        UiEnv env;
        Tschnell_ausgabe* w = fastRunWindow(env);
        (comma ? w->Dezimalzeichen_Komma : w->Dezimalzeichen_Punkt)->click();
        env.dialogs.answers = {QMessageBox::Ok};
        w->Parameter_Standard->click();
        // The next start: the defaults are read before the windows exist.
        AppState next;
        next.programDir = next.configDir = env.state.configDir;
        next.params = startupParameters(next.configDir);
        ScriptedDialogs dialogs;
        TMainForm again(next, dialogs);
        again.start(env.qpath("k.dat"));
        again.HauptauswahlClick(3);
        QCOMPARE(again.fastRunWindow()->Dezimalzeichen_Komma->isChecked(), comma);
        QCOMPARE(again.fastRunWindow()->Dezimalzeichen_Punkt->isChecked(), !comma);
    }
}

QTEST_MAIN(SchnellTest)
#include "tst_schnell.moc"
