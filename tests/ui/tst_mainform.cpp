// The main window: start-up, language, menus, mode switch, project commands, shutdown.

#include "UiFixture.h"

#include "ui/Einstellungen.h"
#include "ui/ExportForm.h"
#include "ui/FormSprache.h"
#include "ui/SchnellAusgabe.h"

#include <QAction>
#include <QMenu>
#include <QRadioButton>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBrowser>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;

class MainFormTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartShowsLanguageWindow();
    void menuCaptions_data();
    void menuCaptions();
    void computingModeWithoutTargetWarnsAndKeepsMode_data();
    void computingModeWithoutTargetWarnsAndKeepsMode();
    void targetsInTwoPlanesWarn();
    void clickingTheShownPanelDoesNothing();
    void panelsShowTheSelectedMode();
    void quitWithUnsavedChanges_data();
    void quitWithUnsavedChanges();
    void commandLineArgument_data();
    void commandLineArgument();
    void missingOtherDirectoryFallsBack();
    void saveAsAsksBeforeOverwriting();
    void previousVersionFileShowsNotice();
    void helpOpensTheHelpFileOrTheManual();
    void vrmlCommandWritesWorldAndReportsMissingPlayer();
    void otherBrowserThatDoesNotExistKeepsSettings();
    void exportWithoutFormatRefuses();
    void exportWritesTheChosenFormat();
    void toggling3dSavesSetting();
    void languageFromTheMenuAppliesAtNextStart();
};

void MainFormTest::firstStartShowsLanguageWindow() {
    UiEnv env("");
    env.dialogs.onExec = [](QDialog& d) {
        static_cast<TFormSprache&>(d).waehlen('e');
        return int(QDialog::Accepted);
    };
    env.window->start();
    QCOMPARE(env.dialogs.execs, QStringList{QStringLiteral("FormSprache")});
    QCOMPARE(env.state.sprache, 'e');
    const PenumbroSettings saved = readSettingsFile(env.state.settingsPath());
    QCOMPARE(saved.language, std::string("e"));
    QCOMPARE(saved.preview3d, std::string("1"));
    QCOMPARE(env.window->findChild<QAction*>("Menu_Projekt_Neu")->text(), QStringLiteral("New project"));

    // Known language: no language window.
    UiEnv second("d");
    second.window->start();
    QVERIFY(second.dialogs.execs.isEmpty());
}

void MainFormTest::menuCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("german");
    QTest::addColumn<QString>("english");
    auto row = [](const char* name, const char* de, const char* en) {
        QTest::newRow(name) << QString::fromLatin1(name) << fromCp1252(de) << QString::fromLatin1(en);
    };
    row("Menu_Projekt_Neu", "Neues Projekt", "New project");
    row("Menu_Projekt_Oeffnen", "Projekt \xF6" "ffnen", "Open project");
    row("Projektspeichern1", "Projekt speichern", "Save project");
    row("Projektspeichernunter1", "Projekt speichern unter ...", "Save project as ...");
    row("Menu_Projekt_VRML", "VRML Darstellung", "VRML view");
    row("Programmbeenden1", "Programm beenden", "Quit program");
    row("Menu_Schnelldurchlauf", "Schnelldurchlauf", "Fast pass through of simulation");
    row("Menu_SimulationslisteErstellen", "Simulationsliste erstellen", "Create a list of simulations");
    row("Menu_export_export", "Daten exportieren", "Export data");
    row("VRML1", "VRML Darstellung", "VRML View");
    row("Arbeitsverzeichnis1", "Arbeitsverzeichnis", "User directory");
    row("Spracheanpassen1", "Sprache anpassen", "Select language");
    row("Menue_3d_deaktivieren", "3D-Ansicht in der Dateieingabe deaktivieren", "Deactivate 3D-view in data input");
    row("PenumbroHilfe1", "Penumbro-Hilfe", "Penumbro-Help");
    row("Menu_Projekt", "&Projekt", "Project");
    row("Menu_Simulation", "Simulation", "Simulation");
    row("Menu_Export", "Daten exportieren", "Export data");
    row("Menu_Einstellungen", "Einstellungen", "Adjustments");
    row("Hilfe1", "Hilfe", "Help");
    row("Hauptauswahl1", "Dateneingabe", "Data input");
    row("Hauptauswahl2", "Online - Ausgabe", "Online output");
    row("Hauptauswahl3", "Schnelldurchlauf", "Fast pass through");
    row("Label_zusatz3", "Aufl\xF6sung (Pixels) f\xFCr Schnelldurchlauf :", "Resolution (pixels) for fast pass through :");
}

void MainFormTest::menuCaptions() {
    QFETCH(QString, name);
    QFETCH(QString, german);
    QFETCH(QString, english);
    for (const char* lang : {"d", "e"}) {
        UiEnv env(lang);
        env.window->start();
        QString text;
        if (auto* a = env.window->findChild<QAction*>(name))
            text = a->text();
        else if (auto* m = env.window->findChild<QMenu*>(name))
            text = m->title();
        else if (auto* l = env.window->findChild<QLabel*>(name))
            text = l->text();
        else
            QFAIL("no such control");
        QCOMPARE(text, std::string(lang) == "e" ? english : german);
    }
}

void MainFormTest::computingModeWithoutTargetWarnsAndKeepsMode_data() {
    QTest::addColumn<int>("panel");
    QTest::newRow("online") << 2;
    QTest::newRow("fast run") << 3;
}

void MainFormTest::computingModeWithoutTargetWarnsAndKeepsMode() {
    QFETCH(int, panel);
    UiEnv env("e");
    env.window->start();
    env.window->HauptauswahlClick(panel);
    QCOMPARE(env.window->aktiveSeite(), 1);
    QVERIFY(env.window->panel(1)->selected());
    QVERIFY(!env.window->panel(panel)->selected());
    QCOMPARE(int(env.dialogs.messages.size()), 1);
    QCOMPARE(env.dialogs.messages[0].icon, QMessageBox::Warning);
    QVERIFY(env.dialogs.saw(QStringLiteral("No target surface")));
}

void MainFormTest::targetsInTwoPlanesWarn() {
    UiEnv env;
    const std::string file = env.write("zwei.dat", twoPlaneProject());
    env.window->start(QString::fromStdString(file));
    env.window->HauptauswahlClick(3);
    QCOMPARE(env.window->aktiveSeite(), 1);
    QVERIFY(env.dialogs.saw(fromCp1252("liegen nicht alle in einer Ebene")));

    // One plane: the switch happens without a word.
    UiEnv ok;
    ok.window->start(QString::fromStdString(ok.write("k.dat", collectorProject())));
    ok.window->HauptauswahlClick(3);
    QCOMPARE(ok.window->aktiveSeite(), 3);
    QVERIFY2(ok.dialogs.messages.empty(), qPrintable(ok.dialogs.all()));
}

void MainFormTest::clickingTheShownPanelDoesNothing() {
    UiEnv env;
    env.window->start(QString::fromStdString(env.write("k.dat", collectorProject())));
    env.window->HauptauswahlClick(3);
    env.window->schnellAusgabe()->SpinEdit4->setValue(37);
    // Another click on the fast-run panel keeps the window as it is (no new Vorbereitung).
    QTest::mouseClick(env.window->panel(3), Qt::LeftButton);
    QCOMPARE(env.window->schnellAusgabe()->SpinEdit4->value(), 37);
    QCOMPARE(env.window->aktiveSeite(), 3);

    // Without a target, clicking the shown data-input panel shows no target message.
    UiEnv empty;
    empty.window->start();
    QTest::mouseClick(empty.window->panel(1), Qt::LeftButton);
    QVERIFY(empty.dialogs.messages.empty());
}

void MainFormTest::panelsShowTheSelectedMode() {
    UiEnv env;
    env.window->start(QString::fromStdString(env.write("k.dat", collectorProject())));
    for (int panel : {2, 3, 1}) {
        QTest::mouseClick(env.window->panel(panel), Qt::LeftButton);
        QCOMPARE(env.window->aktiveSeite(), panel);
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(env.window->panel(i)->selected(), i == panel);
            const QColor expected = i == panel ? QColor(0xFF, 0xC0, 0xC0) : QColor(0xFF, 0xFF, 0xC0);
            QCOMPARE(env.window->panel(i)->palette().color(QPalette::Window), expected);
        }
    }
    // Leaving the fast-run page keeps the parameters typed there.
    env.window->HauptauswahlClick(3);
    env.window->schnellAusgabe()->SpinEdit4->setValue(15);
    env.window->HauptauswahlClick(1);
    QCOMPARE(env.state.params.intervalMinutes, 15);
}

void MainFormTest::quitWithUnsavedChanges_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("changed");
    QTest::newRow("abort keeps the program") << int(QMessageBox::Abort) << false << false << true;
    QTest::newRow("no drops the changes") << int(QMessageBox::No) << true << false << true;
    QTest::newRow("yes saves") << int(QMessageBox::Yes) << true << true << true;
    QTest::newRow("unchanged: no question") << int(QMessageBox::Abort) << true << false << false;
}

void MainFormTest::quitWithUnsavedChanges() {
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    QFETCH(bool, changed);
    UiEnv env;
    const std::string file = env.write("k.dat", collectorProject());
    env.window->start(QString::fromStdString(file));
    env.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(env.window.get()));
    if (changed) env.state.project.daten[0] = "* changed";
    env.dialogs.answers = {static_cast<QMessageBox::StandardButton>(answer)};
    env.window->close();
    QCOMPARE(int(env.dialogs.messages.size()), changed ? 1 : 0);
    if (changed) QVERIFY(env.dialogs.saw(fromCp1252("\xC4nderungen speichern?")));
    QCOMPARE(env.window->isVisible(), !closed);
    QCOMPARE(loadProjectFile(file).lines[0] == "* changed", saved);
}

void MainFormTest::commandLineArgument_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("upper case .DAT") << "HAUS.DAT" << true;
    QTest::newRow("lower case") << "haus.dat" << true;
    QTest::newRow(".txt is not loaded") << "haus.txt" << false;
    QTest::newRow("missing file") << "nichtda.dat" << false;
}

void MainFormTest::commandLineArgument() {
    QFETCH(QString, name);
    QFETCH(bool, loaded);
    UiEnv env;
    if (!name.startsWith(QStringLiteral("nichtda"))) env.write(name.toStdString(), collectorProject());
    env.window->start(env.qpath(name.toStdString()));
    QCOMPARE(env.state.project.daten == collectorProject(), loaded);
    QCOMPARE(env.state.project.original, env.state.project.daten);
    const QString stem = QFileInfo(name).completeBaseName();
    QCOMPARE(env.window->windowTitle(),
             loaded ? QStringLiteral("Penumbro - [") + stem + QStringLiteral(".DAT]") : QStringLiteral("Penumbro"));
    if (loaded) QCOMPARE(env.state.outputBase, env.path(stem.toStdString()));

    // A folder becomes the working folder.
    UiEnv folder;
    QDir(folder.dir.path()).mkdir(QStringLiteral("arbeit"));
    folder.window->start(folder.qpath("arbeit"));
    QCOMPARE(QDir::currentPath(), QFileInfo(folder.qpath("arbeit")).canonicalFilePath());
}

void MainFormTest::missingOtherDirectoryFallsBack() {
    UiEnv env;
    PenumbroSettings s;
    s.language = "e";
    s.directoryChoice = kOtherDirectory;
    s.otherDirectory = env.path("weg");
    writeSettingsFile(env.state.settingsPath(), s);
    QDir(env.dir.path()).mkdir(QStringLiteral("daten"));
    env.window->start();
    QCOMPARE(int(env.dialogs.messages.size()), 1);
    QVERIFY(env.dialogs.saw(env.qpath("weg")));
    QCOMPARE(QDir::currentPath(), QFileInfo(env.qpath("daten")).canonicalFilePath());
    QVERIFY(!env.window->einstellungen()->RadioButton3->isChecked());
    QVERIFY(!env.window->einstellungen()->RadioButton4->isChecked());
}

void MainFormTest::saveAsAsksBeforeOverwriting() {
    UiEnv env;
    env.window->start();
    const std::string taken = env.write("taken.dat", {"* old", "0"});
    // No: the dialog comes again; the second name is free.
    env.dialogs.fileNames = {QString::fromStdString(taken), env.qpath("neu")};
    env.dialogs.answers = {QMessageBox::No};
    QVERIFY(env.window->Projektspeichernunter1Click());
    QCOMPARE(env.dialogs.fileTitles.size(), 2);
    QCOMPARE(readFileBytes(taken), std::string("* old\r\n0\r\n"));
    QCOMPARE(loadProjectFile(env.path("neu.dat")).lines, newProjectLines());
    QCOMPARE(env.window->windowTitle(), QStringLiteral("Penumbro - [neu.DAT]"));

    // Abort: nothing written.
    env.dialogs.fileNames = {QString::fromStdString(taken)};
    env.dialogs.answers = {QMessageBox::Abort};
    QVERIFY(!env.window->Projektspeichernunter1Click());
    QCOMPARE(readFileBytes(taken), std::string("* old\r\n0\r\n"));

    // Yes: overwritten.
    env.dialogs.fileNames = {QString::fromStdString(taken)};
    env.dialogs.answers = {QMessageBox::Yes};
    QVERIFY(env.window->Projektspeichernunter1Click());
    QCOMPARE(loadProjectFile(taken).lines, newProjectLines());
    QVERIFY(env.dialogs.saw(fromCp1252("Die Datei existiert bereits. Soll die Datei \xFC" "berschrieben werden?")));
}

void MainFormTest::previousVersionFileShowsNotice() {
    UiEnv env("e");
    env.window->start();
    const std::string old = env.write("alt.dat", {"* alt", "0"});
    env.dialogs.fileNames = {QString::fromStdString(old)};
    env.window->Menu_Projekt_OeffnenClick();
    QCOMPARE(int(env.dialogs.messages.size()), 1);
    // German whatever the language.
    QVERIFY(env.dialogs.messages[0].text.startsWith(fromCp1252("Dieser Datenfile wurde mit einer Vorg\xE4ngerversion")));
    QCOMPARE(env.state.project.daten.back(), std::string(kConvertedReflectance));
    QCOMPARE(env.dialogs.fileFilters.value(0), QStringLiteral("Data|*.dat"));
    // The saved copy follows the load: opening again asks nothing.
    env.dialogs.fileNames = {QString::fromStdString(old)};
    env.window->Menu_Projekt_OeffnenClick();
    QVERIFY(!env.dialogs.saw(QStringLiteral("Save the changes?")));
}

void MainFormTest::helpOpensTheHelpFileOrTheManual() {
    for (const char* lang : {"d", "e"}) {
        UiEnv env(lang);
        env.window->start();
        env.window->PenumbroHilfe1Click();
        auto* browser = env.window->findChild<QTextBrowser*>(QStringLiteral("Hilfe"));
        QVERIFY(browser && browser->isVisible());
        QCOMPARE(browser->source().fileName(),
                 std::string(lang) == "e" ? QStringLiteral("manual_en.html") : QStringLiteral("manual_de.html"));
        QVERIFY(env.dialogs.opened.isEmpty());
    }
    UiEnv env("e");
    env.write("penumbro_e.chm", {"x"});
    env.window->start();
    env.window->PenumbroHilfe1Click();
    QCOMPARE(env.dialogs.opened, QStringList{env.qpath("penumbro_e.chm")});
}

void MainFormTest::vrmlCommandWritesWorldAndReportsMissingPlayer() {
    UiEnv env;
    env.window->start(QString::fromStdString(env.write("k.dat", collectorProject())));
    env.dialogs.desktopWorks = false;
    env.window->VRML_DarstellungClick();
    QVERIFY2(fileExists(env.path("k.wrl")), qPrintable(env.dialogs.all()));
    QCOMPARE(env.dialogs.opened, QStringList{env.qpath("k.wrl")});
    QCOMPARE(int(env.dialogs.messages.size()), 1);
    QVERIFY(env.dialogs.saw(QStringLiteral("Es wurde kein VRML-Player gefunden!\n\n")));

    // A configured player gets the world as its argument.
    env.dialogs.desktopWorks = true;
    env.state.vrmlBrowser = "/usr/bin/viewer";
    env.window->VRML_DarstellungClick();
    QCOMPARE(env.dialogs.started, QStringList{QStringLiteral("/usr/bin/viewer ") + env.qpath("k.wrl")});
}

void MainFormTest::otherBrowserThatDoesNotExistKeepsSettings() {
    UiEnv env;
    env.window->start();
    const std::string before = readFileBytes(env.state.settingsPath());
    TEinstellungen* e = env.window->einstellungen();
    env.dialogs.onExec = [&](QDialog&) {
        e->RadioButton2->setChecked(true);
        e->VRML_Browser->setText(QStringLiteral("/nowhere/player"));
        e->BitBtn1Click();
        // Still open: the message came and nothing changed.
        e->BitBtn2Click();
        return 0;
    };
    e->zeigen(TEinstellungen::Gruppe::Vrml);
    QVERIFY(env.dialogs.saw(QStringLiteral("Die Datei '/nowhere/player' wurde nicht gefunden.")));
    QCOMPARE(readFileBytes(env.state.settingsPath()), before);
    QVERIFY(env.state.vrmlBrowser.empty());
    QVERIFY(e->RadioButton1->isChecked());

    // An existing program is taken and saved.
    const std::string player = env.write("player", {"#!/bin/sh"});
    env.dialogs.onExec = [&](QDialog&) {
        e->RadioButton2->setChecked(true);
        e->VRML_Browser->setText(QString::fromStdString(player));
        e->BitBtn1Click();
        return 1;
    };
    e->zeigen(TEinstellungen::Gruppe::Vrml);
    const PenumbroSettings s = readSettingsFile(env.state.settingsPath());
    QCOMPARE(s.browserChoice, std::string(kOtherBrowser));
    QCOMPARE(s.browserPath, player);
    QCOMPARE(env.state.vrmlBrowser, player);
}

void MainFormTest::exportWithoutFormatRefuses() {
    UiEnv env("e");
    env.window->start();
    TExportForm* x = env.window->exportForm();
    x->S_Filename->setText(QStringLiteral("whatever.mit"));
    x->Button3Click();
    QCOMPARE(int(env.dialogs.messages.size()), 1);
    QCOMPARE(env.dialogs.messages[0].title, QStringLiteral("Error"));
    QCOMPARE(env.dialogs.messages[0].text, QStringLiteral("No format for data export chosen!"));
    QVERIFY(env.dialogs.fileTitles.isEmpty());
}

void MainFormTest::exportWritesTheChosenFormat() {
    UiEnv env;
    const std::string project = env.write("k.dat", collectorProject());
    Lines mit = {"", "Monat Nr. 3"};
    for (int h = 0; h < 24; ++h) mit.push_back((h < 10 ? "    " : "   ") + std::to_string(h) + "  0.250");
    saveProjectFile(env.path("k.mit"), mit);
    env.window->start(QString::fromStdString(project));
    TExportForm* x = env.window->exportForm();
    x->vorbereiten();
    QCOMPARE(x->S_Filename->text(), env.qpath("k.mit"));
    QVERIFY(x->Button3->isEnabled());
    x->Format_Suncode->setChecked(true);
    env.dialogs.fileNames = {env.qpath("k.sun")};
    x->Button3Click();
    QCOMPARE(env.dialogs.fileInitial.value(0), QStringLiteral("k.sun"));
    const Lines out = splitLines(readFileBytes(env.path("k.sun")));
    QCOMPARE(int(out.size()), 24);
    QCOMPARE(out[0], std::string(" 750"));
    QVERIFY2(env.dialogs.messages.empty(), qPrintable(env.dialogs.all()));
}

void MainFormTest::toggling3dSavesSetting() {
    UiEnv env("e");
    env.window->start();
    auto* item = env.window->findChild<QAction*>(QStringLiteral("Menue_3d_deaktivieren"));
    QVERIFY(!item->isChecked());
    item->trigger();
    QVERIFY(item->isChecked());
    QCOMPARE(readSettingsFile(env.state.settingsPath()).preview3d, std::string("0"));
    QVERIFY(env.dialogs.saw(QStringLiteral("PENUMBRO must be re-started to take over the new settings.")));
    item->trigger();
    QCOMPARE(readSettingsFile(env.state.settingsPath()).preview3d, std::string("1"));
}

void MainFormTest::languageFromTheMenuAppliesAtNextStart() {
    UiEnv env("d");
    env.window->start();
    env.dialogs.onExec = [](QDialog& d) {
        static_cast<TFormSprache&>(d).waehlen('e');
        return int(QDialog::Accepted);
    };
    env.window->Spracheanpassen1Click();
    QCOMPARE(env.dialogs.messages.back().title, QStringLiteral("Spracheinstellung/ Language Adjustment"));
    QCOMPARE(env.window->findChild<QAction*>("Menu_Projekt_Neu")->text(), QStringLiteral("Neues Projekt"));
    // Later saves of the settings keep the chosen language, not the running one.
    env.window->findChild<QAction*>(QStringLiteral("Menue_3d_deaktivieren"))->trigger();
    QCOMPARE(readSettingsFile(env.state.settingsPath()).language, std::string("e"));
    env.dialogs.onExec = [&](QDialog&) {
        env.window->einstellungen()->BitBtn1Click();
        return 1;
    };
    env.window->einstellungen()->zeigen(TEinstellungen::Gruppe::Verzeichnis);
    QCOMPARE(readSettingsFile(env.state.settingsPath()).language, std::string("e"));
    QVERIFY(env.dialogs.saw(QStringLiteral("Sie m")));  // the restart notice stays German
}

QTEST_MAIN(MainFormTest)
#include "tst_mainform.moc"
