// The German interface: Qt's own message box and file dialog, then every window the
// main window opens and every message its error paths show.

#include "UiFixture.h"

#include "ui/Dialogs.h"
#include "ui/Generator.h"
#include "ui/QtTranslations.h"
#include "ui/SchnellAusgabe.h"
#include "ui/SunPathWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <utility>

using namespace penumbro;
using namespace penumbro::ui;

static QStringList buttonTexts(QWidget* dialog) {
    QStringList texts;
    for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
        texts << button->text().remove(QLatin1Char('&'));
    texts.sort();
    return texts;
}

// Whole English words that have no place in a German text ("OK" and loanwords such as
// "Export", "Target" or "Schedule" are German too).
static const QRegularExpression kEnglish(
    QStringLiteral("\\b(Cancel|Open|Save|Yes|No|Close|Apply|Help|File|Settings|Language|Browse|Delete|Add|Remove|"
                   "Error|Warning|Directory|Folder|Select|Choose|Please|Data|Output|the|The|is|are|not|cannot|must|"
                   "of|and|to|with|from|for|file|line|exactly|bytes|Look|Not|such|directory|Permission|denied|"
                   "Read)\\b"),
    QRegularExpression::UseUnicodePropertiesOption);

static bool english(QString text) {
    return kEnglish.match(text.remove(QLatin1Char('&')).remove(QStringLiteral("Schedule:File:Shading"))).hasMatch();
}

// "window/control: text" for every caption of the window that holds an English word.
static QStringList englishIn(QWidget* window) {
    QStringList found;
    const auto check = [&](const QObject* o, const QString& text) {
        if (english(text)) found << window->objectName() + u'/' + o->objectName() + QStringLiteral(": ") + text;
    };
    check(window, window->windowTitle());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window()->objectName() == QStringLiteral("FormSprache")) continue;  // offers both languages
        if (w->isWindow()) check(w, w->windowTitle());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) check(b, b->text());
        if (auto* l = qobject_cast<QLabel*>(w)) check(l, l->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) check(g, g->title());
        if (auto* t = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i) check(t, t->tabText(i));
        if (auto* t = qobject_cast<QTableWidget*>(w))
            for (int c = 0; c < t->columnCount(); ++c)
                if (t->horizontalHeaderItem(c)) check(t, t->horizontalHeaderItem(c)->text());
    }
    for (QAction* a : window->findChildren<QAction*>()) check(a, a->text());
    return found;
}

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (!installQtTranslations(Language::German)) QSKIP("Qt's translation files are not installed");
    }
    void cleanupTestCase() { installQtTranslations(Language::English); }

    void questionBoxReadsGermanOnOneLine() {
        const QString text = QStringLiteral(  // Qt alone wraps this mid-phrase
            "Das Projekt wurde ge\u00e4ndert. Sollen die \u00c4nderungen vor dem Schlie\u00dfen gespeichert werden?");
        QStringList seen;
        bool oneLine = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen = buttonTexts(box);
            const QLabel* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            oneLine = label->width() >= label->fontMetrics().horizontalAdvance(text);
            box->button(QMessageBox::No)->click();
        });
        QtDialogs dialogs;
        QCOMPARE(dialogs.question(nullptr, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
                 QMessageBox::No);
        QCOMPARE(seen, (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("Ja"), QStringLiteral("Nein")}));
        QVERIFY(oneLine);
    }

    void germanWindowsAndMessagesShowNoEnglish();
    void englishWindowsShowNoGerman();

    void fileDialogReadsGerman() {
        QFileDialog dialog(nullptr, QString(), QDir::tempPath());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.show();
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(), QStringLiteral("Suchen in:"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text().remove(QLatin1Char('&')),
                 QStringLiteral("Dateiname:"));
        QCOMPARE(buttonTexts(&dialog), (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("\u00d6ffnen")}));
    }
};

void LanguageTest::germanWindowsAndMessagesShowNoEnglish() {
    UiEnv env("d");
    env.startWith(collectorProject());
    env.window->show();
    const auto file = [&](const char* name, const std::string& bytes) {
        return writeFileAtomically(env.path(name), bytes), env.qpath(name);
    };
    Lines wordCount = collectorProject();
    wordCount[1] = "zwei";
    const QString notProject = file("liste.dat", "Einkaufsliste\r\nBrot und Butter\r\n");
    const QString badCount = QString::fromStdString(env.write("zahl.dat", wordCount));
    QWidget* editor = env.window->editor();
    QWidget* fastRun = env.window->fastRunWindow();
    const auto click = [](QWidget* in, const char* name) { in->findChild<QAbstractButton*>(name)->click(); };
    const auto trigger = [&](const char* name) { env.window->findChild<QAction*>(name)->trigger(); };
    QStringList found;
    std::function<void(QDialog&)> inside;
    env.dialogs.onExec = [&](QDialog& d) {
        found << englishIn(&d);
        if (auto act = std::exchange(inside, {})) act(d);
        return int(QDialog::Rejected);
    };
    struct Step {
        const char* name;
        QStringList files;  // the file dialogs' answers
        std::function<void()> act;
        std::function<void(QDialog&)> inside;  // what the user does in the modal window
        bool error;                            // a message must come
    };
    const Step steps[] = {
        {"settings, a browser that is gone", {env.qpath("weg/browser")}, [&] { trigger("VRML1"); },
         [&](QDialog& d) { click(&d, "Browser_Suchen"), click(&d, "BitBtn1"); }, true},
        {"settings, folder", {}, [&] { trigger("Arbeitsverzeichnis1"); }, {}, false},
        {"help", {}, [&] { trigger("PenumbroHilfe1"); }, {}, false},
        {"data sheet", {}, [&] { click(editor, "Datenblatt_zeigen"); }, {}, false},
        {"sun path saved under a file", {env.qpath("k.dat/bild.svg")}, [&] {
             trigger("Menu_Sonnenstandsdiagramm"), click(env.window->sunPathWindow(), "saveSvgButton"); }, {}, true},
        {"schedule of wrong size", {file("kurz.sch", "1")}, [&] {
             click(editor, "Objekt_hinzufuegen"), click(editor, "Button_Baum"), click(editor, "Ba_Schedule_oeffnen");
             env.window->editor()->CancelBtnClick(); }, {}, true},
        {"malformed horizon", {file("berg.csv", "Norden;hoch\r\n")}, [&] {
             click(editor, "Horizontverschattung_aendern"), click(editor, "Horizont_Importieren");
             click(editor, "BitBtn5"); },
         {}, true},
        {".kon of wrong size", {file("kurz.kon", "zu kurz")}, [&] {
             trigger("Menu_Schnelldurchlauf"), click(fastRun, "Parameterdatei_oeffnen"); }, {}, true},
        {"export of a defective .mit", {file("kaputt.mit", "kaputt\r\n"), env.qpath("export.txt")},
         [&] { trigger("Menu_export_export"); },
         [&](QDialog& d) { click(&d, "Format_Text"), click(&d, "Button2"), click(&d, "Button3"); }, true},
        {"simulation list", {notProject}, [&] { trigger("Menu_SimulationslisteErstellen"); },
         [&](QDialog& d) { click(&d, "BitBtn1"), click(&d, "BitBtn2"); }, true},
        {"save under a file", {env.qpath("k.dat/neu.dat")}, [&] { trigger("Projektspeichernunter1"); }, {}, true},
        {"open no project", {notProject}, [&] { trigger("Menu_Projekt_Oeffnen"); }, {}, true},
        {"open a word as count", {badCount}, [&] { trigger("Menu_Projekt_Oeffnen"); }, {}, true},
    };
    for (const Step& step : steps) {
        const std::size_t before = env.dialogs.messages.size();
        env.dialogs.fileNames.assign(step.files.begin(), step.files.end());
        inside = step.inside;
        step.act();
        QApplication::processEvents();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w != env.window.get()) found << englishIn(w);
        for (std::size_t m = before; m < env.dialogs.messages.size(); ++m)
            if (english(env.dialogs.messages[m].title + u' ' + env.dialogs.messages[m].text))
                found << QString::fromLatin1(step.name) + QStringLiteral(": ") + env.dialogs.messages[m].text;
        QVERIFY2((env.dialogs.messages.size() > before) == step.error, step.name);
    }
    found << englishIn(env.window.get());  // the pages and editor panels, open or not
    found.removeDuplicates();
    QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
}

void LanguageTest::englishWindowsShowNoGerman() {
    // German words (and the other desktop's registry) that have no place in an English text.
    static const QRegularExpression german(
        QStringLiteral("\\b(Datei|Datendatei|Ausgabedatei|Haus|Baum|unbenannt|und|der|die|nicht|Abbrechen|Registry|"
                       "Windows-registry|actual|Abort|have been|Adjustments)\\b"));
    UiEnv env("e");
    env.window->start(QString::fromStdString(testing::examplePath("collector.dat")));
    QStringList found;
    auto check = [&](const QString& where, const QString& text) {
        if (german.match(QString(text).remove(QLatin1Char('&'))).hasMatch()) found << where + QStringLiteral(": ") + text;
    };
    auto* objects = env.window->editor()->findChild<QListWidget*>(QStringLiteral("ListBox1"));
    for (int i = 0; i < objects->count(); ++i) check(QStringLiteral("object list"), objects->item(i)->text());
    QVERIFY(objects->count() > 2);
    // The list with the project in it: titles and overview.
    env.dialogs.fileNames = {QString::fromStdString(testing::examplePath("collector.dat"))};
    env.dialogs.onExec = [&](QDialog& d) {
        d.findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
        for (auto* t : d.findChildren<QTableWidget*>())
            for (int c = 0; c < t->columnCount(); ++c) check(QStringLiteral("list column"), t->horizontalHeaderItem(c)->text());
        for (auto* m : d.findChildren<QPlainTextEdit*>()) check(QStringLiteral("list overview"), m->toPlainText());
        for (auto* l : d.findChildren<QLineEdit*>()) check(d.objectName(), l->text());
        for (auto* b : d.findChildren<QAbstractButton*>()) check(d.objectName(), b->text());
        return int(QDialog::Rejected);
    };
    env.window->findChild<QAction*>(QStringLiteral("Menu_SimulationslisteErstellen"))->trigger();
    env.window->findChild<QAction*>(QStringLiteral("VRML1"))->trigger();
    for (QAction* a : env.window->findChildren<QAction*>()) check(QStringLiteral("menu"), a->text());
    // An unnamed project's world: named in English, in the working folder.
    const QString work = env.qpath("arbeit");
    QDir().mkpath(work);
    QDir::setCurrent(work);
    env.window->Menu_Projekt_NeuClick();
    env.dialogs.desktopWorks = false;
    env.window->VRML_DarstellungClick();
    QCOMPARE(env.dialogs.opened.value(0), work + QStringLiteral("/untitled.wrl"));
    QVERIFY(QFileInfo::exists(work + QStringLiteral("/untitled.wrl")));
    QVERIFY2(env.dialogs.saw(QStringLiteral("No VRML viewer")), qPrintable(env.dialogs.all()));
    for (const Asked& m : env.dialogs.messages) check(QStringLiteral("message"), m.text);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
}

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
