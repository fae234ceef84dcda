// The main window: start-up, language, mode switch, project commands, shutdown.

#include "UiFixture.h"

#include "project/SharedTexts.h"
#include "simulation/Batch.h"
#include "ui/Einstellungen.h"
#include "formats/KonFile.h"
#include "ui/FormSprache.h"
#include "ui/Generator.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;

class MainFormTest : public QObject {
    Q_OBJECT
private slots:
    void languageChosenAtFirstStartAndAppliedAtTheNext();
    void computingModesNeedOneTargetPlane();
    void quitWithUnsavedChanges();
    void commandLineArgument();
    void saveAsAsksBeforeOverwriting();
    void keyboardAndUnsavedMark();
    void everyMenuEntryHasItsOwnMnemonic();
    void languageWindowByKeyboard();
    void settingsShowTheSavedChoiceAfterEscape();
    void reportIsTheCommandLinesAndOpensInTheBrowser();
};

void MainFormTest::languageChosenAtFirstStartAndAppliedAtTheNext() {
    auto menuText = [](UiEnv& env) { return env.window->findChild<QAction*>("Menu_Projekt_Neu")->text(); };
    auto english = [](QDialog& d) { return static_cast<TFormSprache&>(d).choose(Language::English), int(QDialog::Accepted); };
    // Without penumbro.ini the language window comes first; with a known language it does not.
    for (const char* known : {"", "d"}) {
        UiEnv env(known);
        env.dialogs.onExec = english;
        env.window->start();
        QCOMPARE(env.dialogs.execs.size(), *known ? 0 : 1);
        QCOMPARE(menuText(env), *known ? QStringLiteral("&Neues Projekt") : QStringLiteral("&New project"));
    }
    // A new choice from the menu waits for the next start.
    UiEnv second("d");
    second.window->start();
    second.dialogs.onExec = english;
    second.window->Spracheanpassen1Click();
    QCOMPARE(menuText(second), QStringLiteral("&Neues Projekt"));
    // Later saves of the settings keep the chosen language, not the running one.
    second.window->findChild<QAction*>(QStringLiteral("Menue_3d_deaktivieren"))->trigger();
    const SettingsFile saved = readSettingsFile(second.state.settingsPath());
    QVERIFY(saved.language == "e" && saved.preview3d == "0");
    QVERIFY(second.dialogs.saw(QStringLiteral("Sie m")));  // the restart notice in the running language
}

void MainFormTest::computingModesNeedOneTargetPlane() {
    // project: 0 none, 1 two target planes (collector and roof), 2 one target; an empty message: the switch happens.
    for (auto [project, panel, message] :
         {std::tuple{0, 2, "No target surface"}, {1, 3, "not all in one plane"}, {2, 3, ""}}) {
        UiEnv env("e");
        using namespace penumbro::testing;
        const Lines roof = plainSurface("Dach", true, "# 90.000  90.000  0.000  0.000  3.000", {"0 0 3", "2 0 3", "0 2 3"});
        if (project == 0) env.window->start();
        else env.startWith(testing::project({collectorSurface(), project == 1 ? roof : wallSurface()}));
        env.window->HauptauswahlClick(panel);
        QCOMPARE(std::pair(env.window->activePage(), int(env.dialogs.messages.size())), std::pair(*message ? 1 : panel, *message ? 1 : 0));
        QVERIFY2(env.dialogs.saw(QString::fromLatin1(message)), qPrintable(env.dialogs.all()));
    }
}

void MainFormTest::quitWithUnsavedChanges() {
    // Abort keeps the program, No drops the changes, Yes saves; unchanged: no question.
    for (auto [answer, changed, closed, saved] :
         {std::tuple{QMessageBox::Abort, true, false, false}, {QMessageBox::No, true, true, false},
          {QMessageBox::Yes, true, true, true}, {QMessageBox::Abort, false, true, false}}) {
        UiEnv env;
        env.startWith(collectorProject());
        env.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(env.window.get()));
        if (changed) env.state.project.daten[0] = "* changed";
        env.dialogs.answers = {answer};
        env.window->close();
        QCOMPARE(std::tuple(int(env.dialogs.messages.size()), env.window->isVisible(),
                            loadProjectFile(env.path("k.dat")).lines[0] == "* changed"),
                 std::tuple(changed ? 1 : 0, !closed, saved));
    }
}

void MainFormTest::commandLineArgument() {
    // A .dat in any case is loaded; a .txt or a missing file is not, and a missing one is named.
    for (auto [name, loaded] : {std::pair{"HAUS.DAT", true}, {"haus.txt", false}, {"nichtda.dat", false}}) {
        UiEnv env;
        if (loaded || name[0] == 'h') env.write(name, collectorProject());
        env.window->start(env.qpath(name));
        QVERIFY(env.state.project.original == env.state.project.daten && (env.state.project.daten == collectorProject()) == loaded);
        QCOMPARE(env.window->windowTitle(), loaded ? QStringLiteral("Penumbro - [HAUS.DAT][*]") : QStringLiteral("Penumbro[*]"));
        if (loaded) QCOMPARE(env.state.outputBase, env.path("HAUS"));
        QCOMPARE(env.dialogs.saw(QStringLiteral("nichtda.dat")), name[0] == 'n');
    }
    // A folder becomes the working folder; a configured folder that is gone falls back
    // to "daten" with a warning naming it.
    UiEnv folder;
    QDir(folder.qpath("")).mkdir(QStringLiteral("arbeit"));
    folder.window->start(folder.qpath("arbeit"));
    QCOMPARE(QDir::currentPath(), QFileInfo(folder.qpath("arbeit")).canonicalFilePath());
    UiEnv env;
    writeSettingsFile(env.state.settingsPath(), {kStandardBrowser, "", kOtherDirectory, env.path("weg"), "e", "1"});
    QDir(env.qpath("")).mkdir(QStringLiteral("daten"));
    env.window->start();
    QVERIFY(env.dialogs.messages.size() == 1 && env.dialogs.saw(env.qpath("weg")));
    QCOMPARE(QDir::currentPath(), QFileInfo(env.qpath("daten")).canonicalFilePath());
}

void MainFormTest::saveAsAsksBeforeOverwriting() {
    UiEnv env;
    env.window->start();
    const QString taken = QString::fromStdString(env.write("taken.dat", {"* old", "0"}));
    // No: the dialog comes again; the second name is free.
    env.dialogs.fileNames = {taken, env.qpath("neu")};
    env.dialogs.answers = {QMessageBox::No};
    QVERIFY(env.window->Projektspeichernunter1Click());
    QCOMPARE(loadProjectFile(env.path("neu.dat")).lines, newProjectLines());
    QCOMPARE(env.window->windowTitle(), QStringLiteral("Penumbro - [neu.DAT][*]"));
    // Abort: nothing written; Yes: overwritten.
    for (auto answer : {QMessageBox::Abort, QMessageBox::Yes}) {
        QCOMPARE(readFileBytes(env.path("taken.dat")), std::string("* old\r\n0\r\n"));
        env.dialogs.fileNames = {taken};
        env.dialogs.answers = {answer};
        QCOMPARE(env.window->Projektspeichernunter1Click(), answer == QMessageBox::Yes);
    }
    QCOMPARE(loadProjectFile(env.path("taken.dat")).lines, newProjectLines());
}

void MainFormTest::keyboardAndUnsavedMark() {
    UiEnv env;
    env.startWith(collectorProject());
    env.window->show();
    QVERIFY(QTest::qWaitForWindowActive(env.window.get()));
    QVERIFY(env.window->windowTitle().endsWith(QStringLiteral("[*]")) && !env.window->isWindowModified());
    // Typing in the description marks the title; the Save key writes and clears the mark.
    auto* memo = env.window->editor()->findChild<QPlainTextEdit*>(QStringLiteral("Kommentar"));
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("Neu"));
    QVERIFY(env.window->isWindowModified());
    QTest::keySequence(env.window.get(), QKeySequence::Save);
    QVERIFY(!env.window->isWindowModified());
    QCOMPARE(readPlainText(env.path("k.dat")), env.state.project.daten);
    // Ctrl+3 and Ctrl+1 act as the mode panels, whose tooltips name them.
    for (int mode : {3, 1}) {
        const QKeySequence key(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + mode));
        QTest::keySequence(env.window.get(), key);
        QCOMPARE(env.window->activePage(), mode);
        QVERIFY(env.window->panel(mode)->toolTip().contains(key.toString(QKeySequence::NativeText)));
    }
    // Open and Save as start in the project's folder.
    env.dialogs.fileInitial.clear();
    QTest::keySequence(env.window.get(), QKeySequence::Open);
    QTest::keySequence(env.window.get(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    QCOMPARE(env.dialogs.fileInitial, QStringList({QFileInfo(env.qpath("k.dat")).absolutePath(), env.qpath("k.dat")}));
    QTest::keySequence(env.window.get(), QKeySequence::New);
    QCOMPARE(env.window->windowTitle(), QStringLiteral("Penumbro[*]"));
    QTest::keySequence(env.window.get(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QVERIFY(!env.window->isVisible());
}

void MainFormTest::everyMenuEntryHasItsOwnMnemonic() {
    const auto mnemonic = [](const QString& text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        return at < 0 || at + 1 >= text.size() ? QChar() : text.at(at + 1).toLower();
    };
    for (const char* language : {"d", "e"}) {
        UiEnv env(language);
        env.window->start();
        QList<QAction*> bar;
        for (QAction* a : env.window->menuBar()->actions()) bar << a;
        QList<QList<QAction*>> groups{bar};
        for (QAction* a : bar) groups << a->menu()->actions();
        for (const QList<QAction*>& group : groups) {
            QString seen;
            for (QAction* a : group) {
                if (a->isSeparator()) continue;
                const QChar key = mnemonic(a->text());
                QVERIFY2(!key.isNull() && !seen.contains(key), qPrintable(QString::fromLatin1(language) + u' ' + a->text()));
                seen += key;
            }
        }
    }
}

void MainFormTest::languageWindowByKeyboard() {
    UiEnv env("");
    env.dialogs.onExec = [](QDialog& d) {
        d.show();
        if (!QTest::qWaitForWindowActive(&d)) return int(QDialog::Rejected);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        return d.result();
    };
    env.window->start();
    QCOMPARE(env.state.language, Language::English);
    QCOMPARE(readSettingsFile(env.state.settingsPath()).language, std::string("e"));
}

void MainFormTest::settingsShowTheSavedChoiceAfterEscape() {
    UiEnv env;
    env.window->start();
    TEinstellungen* s = env.window->settingsWindow();
    const std::string player = env.path("player");
    writeFileAtomically(player, "#!/bin/sh\n");
    QAction* vrml = env.window->findChild<QAction*>(QStringLiteral("VRML1"));
    // Another player chosen, then Escape: the next opening shows the saved standard choice.
    env.dialogs.onExec = [&](QDialog& d) {
        s->RadioButton2->click();
        s->VRML_Browser->setText(QString::fromStdString(player));
        QTest::keyClick(&d, Qt::Key_Escape);
        return d.result();
    };
    vrml->trigger();
    bool standardShown = false;
    env.dialogs.onExec = [&](QDialog& d) {
        standardShown = s->RadioButton1->isChecked() && !s->VRML_Browser->isEnabled();
        // Enter is OK: this time the other player is kept.
        d.show();
        s->RadioButton2->click();
        s->VRML_Browser->setText(QString::fromStdString(player));
        QTest::keyClick(s->VRML_Browser, Qt::Key_Return);
        return d.result();
    };
    vrml->trigger();
    QVERIFY(standardShown);
    QCOMPARE(readSettingsFile(env.state.settingsPath()).browserPath, player);
}

void MainFormTest::reportIsTheCommandLinesAndOpensInTheBrowser() {
    qputenv("SOURCE_DATE_EPOCH", "1780000000");
    for (const char* language : {"d", "e"}) {
        UiEnv env(language);
        env.startWith(collectorProject());
        auto* action = env.window->findChild<QAction*>("createReportAction");
        QVERIFY(action);
        QCOMPARE(QString(action->text()).remove(QLatin1Char('&')), QString::fromLatin1(*language == 'd' ? "Bericht erstellen ..." : "Create report ..."));
        // Cancelled: nothing written, nothing opened.
        action->trigger();
        QVERIFY(env.dialogs.opened.isEmpty() && !QFileInfo::exists(env.qpath("k_report.html")));
        QCOMPARE(env.dialogs.fileInitial.last(), env.qpath("k_report.html"));
        env.dialogs.fileNames = {env.qpath("bericht.html")};
        action->trigger();
        QCOMPARE(env.dialogs.opened, QStringList{env.qpath("bericht.html")});
        writeKonFile(env.path("p.kon"), env.state.params);
        QProcess cli;
        cli.setWorkingDirectory(env.qpath(""));
        cli.start(QStringLiteral(PENUMBRO_CLI), {"report", "k.dat", "--kon", "p.kon", "--lang", language, "-o", "cli.html"});
        QVERIFY(cli.waitForFinished(60000) && cli.exitCode() == 0);
        QCOMPARE(readFileBytes(env.path("bericht.html")), readFileBytes(env.path("cli.html")));
    }
    qunsetenv("SOURCE_DATE_EPOCH");
}

QTEST_MAIN(MainFormTest)
#include "tst_mainform.moc"
