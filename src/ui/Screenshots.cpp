#include "ui/Screenshots.h"

#include "ui/MainForm.h"
#include "ui/Preview3D.h"
#include "ui/SchnellAusgabe.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
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

}  // namespace

void screenshotsAufnehmen(TMainForm& window, const QString& dir) {
    QDir().mkpath(dir);
    QTimer::singleShot(500, &window, [&window, dir] {
        window.HauptauswahlClick(1);
        save(window, dir, QStringLiteral("1-dateneingabe.png"));
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
        save(window, dir, QStringLiteral("2-online.png"));
        window.HauptauswahlClick(3);
        save(window, dir, QStringLiteral("3-schnelldurchlauf.png"));
        Tschnell_ausgabe* w = window.fastRunWindow();
        if (!w->monatlich->isChecked()) w->monatlich->click();
        w->Startmonat->setValue(1);
        w->Stopmonat->setValue(6);
        w->SpinEdit3->setValue(5);
        w->SpinEdit4->setValue(20);
        QObject::connect(w, &Tschnell_ausgabe::laufBeendet, &window, [&window, dir] {
            save(window, dir, QStringLiteral("4-schnelldurchlauf-nach-lauf.png"));
            QApplication::quit();
        });
        w->SimulationStarten->click();
        if (!w->laeuft()) QApplication::quit();  // the page could not be reached
    });
}

}  // namespace penumbro::ui
