// The fast-run window: parameters, .kon files, output names, runs against the CLI.

#include "UiFixture.h"

#include "simulation/SimParameter.h"
#include "ui/MonthChart.h"
#include "ui/SchnellAusgabe.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;

class SchnellTest : public QObject {
    Q_OBJECT
private slots:
    void fastRunWritesWhatTheCliWrites_data();
    void fastRunWritesWhatTheCliWrites();
    void cancelStopsWithoutCompletionMessage();
    void unwritableOutputNamesTheFile();
    void runWithoutTargetIsRefusedAndTheProgramStays();
    void openingKonKeepsTheSite();
    void savingAsStandardKonIsRefused_data();
    void savingAsStandardKonIsRefused();
    void defaultParametersNeedConfirmation();
    void vorbereitungShowsTheRecord();
    void monthlySwitchGovernsControls();
    void outputNamesFollowTheChosenFile();

private:
    // Starts a fast run from the window and waits for its end.
    static void runAndWait(Tschnell_ausgabe* w);
};

namespace {

UiEnv* fastRunEnv(UiEnv& env) {
    env.window->start(QString::fromStdString(env.write("k.dat", collectorProject())));
    env.window->HauptauswahlClick(3);
    return &env;
}

}  // namespace

void SchnellTest::runAndWait(Tschnell_ausgabe* w) {
    QSignalSpy done(w, &Tschnell_ausgabe::laufBeendet);
    w->SimulationStarten->click();
    QVERIFY(done.wait(60000));
}

void SchnellTest::fastRunWritesWhatTheCliWrites_data() {
    QTest::addColumn<bool>("monthly");
    QTest::addColumn<bool>("diffuse");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QStringList>("cliSets");
    QTest::newRow("monthly with diffuse") << true << true << false
                                          << QStringList{"monthly=1", "diffuse=1", "first-month=5", "stop-month=7",
                                                         "interval-days=10", "interval-minutes=30",
                                                         "month-start-day=1", "elevation-intervals=4",
                                                         "diffuse-resolution=5", "resolution=2"};
    QTest::newRow("daily with comma") << false << false << true
                                      << QStringList{"monthly=0", "first-day=300", "stop-day=20", "interval-days=15",
                                                     "interval-minutes=30", "resolution=2"};
}

void SchnellTest::fastRunWritesWhatTheCliWrites() {
    QFETCH(bool, monthly);
    QFETCH(bool, diffuse);
    QFETCH(bool, comma);
    QFETCH(QStringList, cliSets);
    UiEnv env;
    fastRunEnv(env);
    Tschnell_ausgabe* w = env.window->schnellAusgabe();
    if (w->monatlich->isChecked() != monthly) w->monatlich->click();
    w->Diffus->setChecked(diffuse);
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
    (comma ? w->Dezimalzeichen_Komma : w->Dezimalzeichen_Punkt)->setChecked(true);
    runAndWait(w);
    QVERIFY(env.dialogs.saw(QStringLiteral("Simulation beendet!")));
    QVERIFY(!w->SimulationStarten->isHidden() && w->SimulationStarten->isEnabled());
    QVERIFY(w->Fortschritt->isHidden());
    if (monthly) {
        QCOMPARE(w->Zeichenfenster->data().stand, ChartData::Stand::Monate);
        QCOMPARE(w->Zeichenfenster->data().aktuell, 7);
    }

    QStringList args{QStringLiteral("run"), env.qpath("k.dat"), QStringLiteral("--kon"), env.qpath("none.kon"),
                     QStringLiteral("--out"), env.qpath("cli")};
    // The start values under the sets, as the window had them.
    writeKonFile(env.path("none.kon"), TSimParameter{});
    for (const QString& s : cliSets) args << QStringLiteral("--set") << s;
    if (comma) args << QStringLiteral("--comma");
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

void SchnellTest::cancelStopsWithoutCompletionMessage() {
    UiEnv env;
    fastRunEnv(env);
    Tschnell_ausgabe* w = env.window->schnellAusgabe();
    if (w->monatlich->isChecked()) w->monatlich->click();
    w->Starttag->setValue(1);
    w->Stoptag->setValue(365);
    w->SpinEdit3->setValue(1);
    w->SpinEdit4->setValue(1);
    QSignalSpy done(w, &Tschnell_ausgabe::laufBeendet);
    w->SimulationStarten->click();
    QVERIFY(!w->Fortschritt->isHidden());
    QVERIFY(!w->SimulationStarten->isEnabled());
    QVERIFY(!env.state.simulationIdle);
    // The window answers while the run goes on: the day counter moves.
    QTRY_VERIFY_WITH_TIMEOUT(!w->Tag_Nr->text().isEmpty(), 20000);
    env.dialogs.answers = {QMessageBox::No};
    w->Button1->click();
    QVERIFY(!env.state.abortRequest);
    env.dialogs.answers = {QMessageBox::Yes};
    w->Button1->click();
    QVERIFY(done.wait(30000));
    QVERIFY2(!env.dialogs.saw(QStringLiteral("Simulation beendet!")), qPrintable(env.dialogs.all()));
    QVERIFY(env.dialogs.saw(QStringLiteral("Soll die aktuelle Simulation wirklich abgebrochen werden?")));
    QVERIFY(env.state.simulationIdle);
    QVERIFY(w->SimulationStarten->isEnabled());
    // The report holds the instants done so far, far fewer than a year of minutes.
    const Lines rep = splitLines(readFileBytes(env.path("k.rep")));
    QVERIFY(!rep.empty());
    QVERIFY(rep.size() < 365u * 1440u);
}

void SchnellTest::unwritableOutputNamesTheFile() {
    UiEnv env;
    fastRunEnv(env);
    Tschnell_ausgabe* w = env.window->schnellAusgabe();
    env.state.outputBase = env.path("fehlt/aus");
    w->SpinEdit4->setValue(60);
    w->Stopmonat->setValue(1);
    runAndWait(w);
    QVERIFY(!env.dialogs.saw(QStringLiteral("Simulation beendet!")));
    QVERIFY2(env.dialogs.saw(QStringLiteral("fehlt/aus.")), qPrintable(env.dialogs.all()));
    QCOMPARE(env.dialogs.messages.back().icon, QMessageBox::Warning);
}

void SchnellTest::runWithoutTargetIsRefusedAndTheProgramStays() {
    UiEnv env;
    env.window->start();
    // The page cannot be reached without a target; the window itself still refuses.
    Tschnell_ausgabe* w = env.window->schnellAusgabe();
    w->Stopmonat->setValue(1);
    runAndWait(w);
    QCOMPARE(int(env.dialogs.messages.size()), 1);
    QVERIFY2(env.dialogs.saw(QStringLiteral("Keine Targetfl")), qPrintable(env.dialogs.all()));
    QVERIFY(!env.dialogs.saw(QStringLiteral("Simulation beendet!")));
    QVERIFY(env.state.simulationIdle);
    QCOMPARE(env.state.project.daten, newProjectLines());
}

void SchnellTest::openingKonKeepsTheSite() {
    UiEnv env;
    fastRunEnv(env);
    env.state.params.latitude = 47.5;
    env.state.params.longitude = -11.0;
    env.state.params.correction = -1.0;
    TSimParameter other;
    other.latitude = -33.0;
    other.longitude = 70.0;
    other.correction = 4.0;
    other.intervalMinutes = 7;
    other.monthly = false;
    other.firstDay = 40;
    other.skyReduction = 0.333;
    writeKonFile(env.path("anders.kon"), other);
    env.dialogs.fileNames = {env.qpath("anders")};  // the default extension is added
    Tschnell_ausgabe* w = env.window->schnellAusgabe();
    w->Parameterdatei_oeffnenClick();
    QVERIFY2(env.dialogs.messages.empty(), qPrintable(env.dialogs.all()));
    QCOMPARE(env.state.params.latitude, 47.5);
    QCOMPARE(env.state.params.longitude, -11.0);
    QCOMPARE(env.state.params.correction, -1.0);
    QCOMPARE(env.state.params.intervalMinutes, 7);
    QCOMPARE(w->SpinEdit4->value(), 7);
    QVERIFY(!w->monatlich->isChecked());
    QCOMPARE(w->Starttag->value(), 40);
    QCOMPARE(w->zusatz7->value(), 0.33);

    // A short file is refused with its name; the record stays.
    env.write("kurz.kon", {"x"});
    env.dialogs.fileNames = {env.qpath("kurz.kon")};
    w->Parameterdatei_oeffnenClick();
    QVERIFY(env.dialogs.saw(QStringLiteral("kurz.kon")));
    QCOMPARE(env.state.params.intervalMinutes, 7);
}

void SchnellTest::savingAsStandardKonIsRefused_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("refused");
    // The name rule itself is tested on the parameter record's functions.
    QTest::newRow("any case") << "STANDARD.Kon" << true;
    QTest::newRow("no extension given") << "standard" << true;
    QTest::newRow("other name") << "mein.kon" << false;
}

void SchnellTest::savingAsStandardKonIsRefused() {
    QFETCH(QString, name);
    QFETCH(bool, refused);
    UiEnv env;
    fastRunEnv(env);
    Tschnell_ausgabe* w = env.window->schnellAusgabe();
    w->SpinEdit4->setValue(9);
    env.dialogs.fileNames = {env.qpath(name.toStdString())};
    w->Speichern_unterClick();
    QString written = env.qpath(name.toStdString());
    if (QFileInfo(written).suffix().isEmpty()) written += QStringLiteral(".kon");
    QCOMPARE(QFileInfo::exists(written), !refused);
    QCOMPARE(env.dialogs.saw(QStringLiteral("Dateiname reserviert f") + QChar(0xFC) +
                             QStringLiteral("r Penumbro - Standarddatei")),
             refused);
    if (!refused) QCOMPARE(readKonFile(written.toStdString()).intervalMinutes, 9);
}

void SchnellTest::defaultParametersNeedConfirmation() {
    UiEnv env;
    fastRunEnv(env);
    Tschnell_ausgabe* w = env.window->schnellAusgabe();
    w->SpinEdit4->setValue(11);
    env.dialogs.answers = {QMessageBox::Abort};
    w->Parameter_StandardClick();
    QVERIFY(!fileExists(env.state.standardKonPath()));
    env.dialogs.answers = {QMessageBox::Ok};
    w->Parameter_StandardClick();
    QCOMPARE(readKonFile(env.state.standardKonPath()).intervalMinutes, 11);
    QCOMPARE(startupParameters(env.state.configDir).intervalMinutes, 11);
}

void SchnellTest::vorbereitungShowsTheRecord() {
    UiEnv env;
    fastRunEnv(env);
    Tschnell_ausgabe* w = env.window->schnellAusgabe();
    env.state.params.skyReduction = 0.333;
    env.state.params.obstacleReflectance = 0.876;
    env.state.params.monthStartDay = 12;
    env.state.params.elevationIntervals = 3;
    w->Vorbereitung();
    QCOMPARE(w->zusatz7->value(), 0.33);
    QCOMPARE(w->zusatz8->value(), 0.88);
    QCOMPARE(w->zusatz1->value(), 12);
    QCOMPARE(w->zusatz6->value(), 3);
    QCOMPARE(w->Zeichenfenster->data().stand, ChartData::Stand::Leer);
    // And back: ParameterMerken copies the controls.
    w->zusatz3->setValue(4);
    w->ParameterMerken();
    QCOMPARE(env.state.params.resolution, 4);
    QCOMPARE(env.state.params.skyReduction, 0.33);
}

void SchnellTest::monthlySwitchGovernsControls() {
    UiEnv env;
    fastRunEnv(env);
    Tschnell_ausgabe* w = env.window->schnellAusgabe();
    env.window->show();
    QVERIFY(w->monatlich->isChecked());
    w->Diffus->setChecked(true);
    QVERIFY(w->Startmonat->isVisible() && !w->Starttag->isVisible() && w->Label_monatlich->isVisible());
    w->monatlich->click();
    QVERIFY(!env.state.params.monthly);
    QVERIFY(!w->Diffus->isChecked());
    QVERIFY(!w->Diffus->isEnabled());
    QVERIFY(!w->Startmonat->isVisible() && w->Starttag->isVisible() && w->Stoptag->isVisible());
    QVERIFY(!w->Label_monatlich->isVisible());
    w->monatlich->click();
    QVERIFY(env.state.params.monthly);
    QVERIFY(w->Diffus->isEnabled());
}

void SchnellTest::outputNamesFollowTheChosenFile() {
    UiEnv env;
    fastRunEnv(env);
    Tschnell_ausgabe* w = env.window->schnellAusgabe();
    QCOMPARE(w->anz_AusgabedateiNameMit->toolTip(), env.qpath("k.mit"));
    env.dialogs.fileNames = {env.qpath("ergebnis.mit")};
    w->Ausgabedatei_aendernClick();
    QCOMPARE(env.dialogs.fileInitial.value(0), env.qpath("k"));
    QCOMPARE(env.dialogs.fileTitles.value(0), QStringLiteral("Ausgabefiles benennen"));
    QCOMPARE(env.state.outputBase, env.path("ergebnis"));
    QCOMPARE(w->anz_AusgabedateiNameRep->toolTip(), env.qpath("ergebnis.rep"));
    // Cancelled: nothing changes.
    w->Ausgabedatei_aendernClick();
    QCOMPARE(env.state.outputBase, env.path("ergebnis"));
}

QTEST_MAIN(SchnellTest)
#include "tst_schnell.moc"
