#include "ui/Dialogs.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QScreen>
#include <QUrl>

#include <algorithm>

namespace penumbro::ui {

void Dialogs::information(QWidget* parent, const QString& text, const QString& title) {
    message(parent, QMessageBox::Information, title, text, QMessageBox::Ok);
}

void Dialogs::warning(QWidget* parent, const QString& text, const QString& title) {
    message(parent, QMessageBox::Warning, title, text, QMessageBox::Ok);
}

QMessageBox::StandardButton Dialogs::question(QWidget* parent, const QString& text,
                                              QMessageBox::StandardButtons buttons, const QString& title) {
    return message(parent, QMessageBox::Question, title, text, buttons);
}

QString dialogFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        // The name often repeats its pattern already ("Anwendungen (*.exe)").
        if (parts[i].contains(QLatin1Char('(')))
            entries << parts[i];
        else
            entries << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

namespace {
// Qt wraps a message box's text at about 500 pixels, mid-phrase for the longer
// sentences; let each line take the width it needs, up to what the screen offers.
void widenToText(QMessageBox& box) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label) return;
    box.ensurePolished();
    const QScreen* screen = box.screen();
    const int available = screen ? screen->availableGeometry().width() : 1024;
    // Beyond this Qt breaks words anywhere; the icon and margins take the rest.
    const int limit = (available <= 1024 ? available : std::min(available - 480, 1000)) - 160;
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString& line : box.text().split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line) + metrics.averageCharWidth());
    label->setMinimumWidth(std::min(widest, limit));
}
}  // namespace

QMessageBox::StandardButton QtDialogs::message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                               const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, parent);
    widenToText(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString QtDialogs::getOpenFileName(QWidget* parent, const QString& title, const QString& initial,
                                   const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, initial, dialogFilter(filter));
}

QString QtDialogs::getSaveFileName(QWidget* parent, const QString& title, const QString& initial,
                                   const QString& filter) {
    // The callers ask the overwrite question themselves where one is wanted.
    return QFileDialog::getSaveFileName(parent, title, initial, dialogFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtDialogs::getExistingDirectory(QWidget* parent, const QString& title, const QString& initial) {
    return QFileDialog::getExistingDirectory(parent, title, initial);
}

int QtDialogs::exec(QDialog& dialog) { return dialog.exec(); }

std::string QtDialogs::standardBrowser() { return XdgPlayerPlatform().standardBrowser(); }

bool QtDialogs::startProgram(const std::string& program, const std::string& argument) {
    return XdgPlayerPlatform().startProgram(program, argument);
}

// Any file (the help too), not only VRML worlds, so the desktop's own opener.
bool QtDialogs::openFile(const std::string& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromLocal8Bit(file.c_str())));
}

}  // namespace penumbro::ui
