#include "ui/Screenshots.h"

#include "ui/AppState.h"
#include "ui/Einstellungen.h"
#include "ui/ExportForm.h"
#include "ui/Generator.h"
#include "ui/MainForm.h"
#include "ui/OnlineAusgabe.h"
#include "ui/Preview3D.h"
#include "ui/SchnellAusgabe.h"
#include "ui/Simulationsliste.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <cstdio>

namespace penumbro::ui {

QMessageBox::StandardButton AutoDialogs::message(QWidget*, QMessageBox::Icon, const QString& title,
                                                 const QString& text, QMessageBox::StandardButtons buttons) {
    std::fprintf(stderr, "[%s] %s\n", qPrintable(title), qPrintable(text));
    return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Yes;
}

int AutoDialogs::exec(QDialog& dialog) {
    std::fprintf(stderr, "[window %s skipped]\n", qPrintable(dialog.objectName()));
    return QDialog::Rejected;
}

namespace {

void save(QWidget& window, const QString& dir, const QString& name) {
    QApplication::processEvents();
    const QString file = QDir(dir).filePath(name);
    if (!window.grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
}

void click(QWidget& parent, const char* name) {
    if (auto* b = parent.findChild<QAbstractButton*>(QString::fromLatin1(name))) b->click();
}

// Every panel of the editor in both languages, then the running language again.
void editorPanels(TMainForm& window, AppState& state, const QString& dir) {
    TGenerator& editor = *window.editor();
    const Language running = state.language;
    for (const Language l : {Language::German, Language::English}) {
        state.language = l;
        window.SpracheAnpassen();
        const QString prefix = QStringLiteral("1-editor-%1-").arg(QLatin1Char(l == Language::German ? 'd' : 'e'));
        const std::pair<const char*, const char*> kinds[] = {{"Button_Rechteck", "rechteck"}, {"Button_nEck", "n-eck"},
                                                             {"Button_Haus", "haus"}, {"Button_Baum", "baum"},
                                                             {"Ueberhang", "ueberhang"}};
        editor.Objekt_hinzufuegenClick();
        save(window, dir, prefix + QStringLiteral("auswahl.png"));
        for (auto [button, name] : kinds) {
            if (editor.editing()) editor.CancelBtnClick();
            editor.Objekt_hinzufuegenClick();
            click(editor, button);
            if (QLatin1String(name) == QLatin1String("ueberhang")) click(editor, "TargetF_OK");
            if (auto* count = editor.findChild<QLineEdit*>(QStringLiteral("Edit12"))) {
                count->setText(QStringLiteral("4"));
                click(editor, "Button5");
            }
            save(window, dir, prefix + QLatin1String(name) + QStringLiteral(".png"));
            if (QLatin1String(name) == QLatin1String("rechteck")) {
                // A refused field: the reason beside the grey OK.
                const char* typed[][2] = {{"Edit1", "Wand"}, {"Edit2", "4"}, {"Edit3", "3"}, {"Edit4", "0"},
                                          {"Edit5", "0"},    {"Edit6", "400"}, {"Edit7", "0"}, {"Edit8", "0"},
                                          {"Edit9", "0"},    {"Edit10", "0"}};
                for (const auto& [field, value] : typed)
                    if (auto* e = editor.findChild<QLineEdit*>(QString::fromLatin1(field))) {
                        e->setText(QString::fromLatin1(value));
                        emit e->textEdited(e->text());
                    }
                save(window, dir, prefix + QStringLiteral("rechteck-ablehnung.png"));
            }
        }
        editor.CancelBtnClick();
        editor.GeoLage_aendernClick();
        save(window, dir, prefix + QStringLiteral("lage.png"));
        editor.CancelBtnClick();
        editor.Bodenreflexion_aendernClick();
        save(window, dir, prefix + QStringLiteral("bodenreflexion.png"));
        editor.CancelBtnClick();
        editor.Horizontverschattung_aendernClick();
        save(window, dir, prefix + QStringLiteral("horizont.png"));
        editor.CancelBtnClick();
    }
    state.language = running;
    window.SpracheAnpassen();
}

// Hour steps until the picture shows a shadow (or a good while without one).
void walkToShadedInstant(TOnline_Ausgabe& online) {
    auto* hourOn = online.findChild<QAbstractButton*>(QStringLiteral("SpeedButton8"));
    for (int i = 0; hourOn && i < 2000 && !(online.session().lastInstant().ergebnis > 0); ++i) hourOn->click();
}

}  // namespace

void takeScreenshots(TMainForm& window, AppState& state, const QString& dir) {
    QDir().mkpath(dir);
    QTimer::singleShot(500, &window, [&window, &state, dir] {
        window.HauptauswahlClick(1);
        save(window, dir, QStringLiteral("1-dateneingabe.png"));
        editorPanels(window, state, dir);
        // The editor's 3D preview from two standard views, when the editor has one.
        if (auto* preview = window.findChild<Preview3DBox*>()) {
            const std::pair<const char*, const char*> views[] = {
                {"Button_Aufsicht", "1-dateneingabe-3d-aufsicht.png"},
                {"Button_Suedansicht", "1-dateneingabe-3d-sued.png"}};
            for (const auto& [button, file] : views) {
                if (auto* b = preview->findChild<QPushButton*>(QString::fromLatin1(button))) b->click();
                save(window, dir, QString::fromLatin1(file));
            }
        }
        window.HauptauswahlClick(2);
        walkToShadedInstant(*window.onlineWindow());
        save(window, dir, QStringLiteral("2-online.png"));
        window.HauptauswahlClick(3);
        save(window, dir, QStringLiteral("3-schnelldurchlauf.png"));
        Tschnell_ausgabe* w = window.fastRunWindow();
        if (!w->monatlich->isChecked()) w->monatlich->click();
        w->Startmonat->setValue(1);
        w->Stopmonat->setValue(12);
        w->SpinEdit3->setValue(10);
        w->SpinEdit4->setValue(20);
        QObject::connect(w, &Tschnell_ausgabe::runFinished, &window, [&window, dir] {
            save(window, dir, QStringLiteral("4-schnelldurchlauf-nach-lauf.png"));
            // The dialogs, shown without waiting for them.
            TExportForm* x = window.exportForm();
            x->prepare();
            const std::pair<QDialog*, const char*> dialogs[] = {
                {x, "5-export.png"}, {window.simulationList(), "5-simulationsliste.png"},
                {window.settingsWindow(), "5-einstellungen.png"}};
            window.settingsWindow()->VRML_Box->show();
            for (auto [dialog, name] : dialogs) {
                dialog->show();
                save(*dialog, dir, QString::fromLatin1(name));
                dialog->hide();
            }
            QApplication::quit();
        });
        w->SimulationStarten->click();
        if (!w->running()) QApplication::quit();  // the page could not be reached
    });
}

}  // namespace penumbro::ui
