#include "ui/Dialogs.h"

#include "ui/Settings.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

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

QMessageBox::StandardButton QtDialogs::message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                               const QString& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, parent);
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

bool QtDialogs::openWithDesktop(const QString& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

bool QtDialogs::startProgram(const QString& program, const QString& argument) {
    return QProcess::startDetached(program, {argument});
}

QString QtDialogs::associatedProgram(const QString& extension) {
    const QMimeType type =
        QMimeDatabase().mimeTypeForFile(QStringLiteral("x") + extension, QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault()) return {};
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type.name()});
    if (!query.waitForFinished(3000) || query.exitCode() != 0) return {};
    const QString desktopId = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (desktopId.isEmpty()) return {};
    const QString entry = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    QFile file(entry);
    if (entry.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.startsWith(QStringLiteral("Exec="))) continue;
        const QString program = QString::fromStdString(programOfCommand(line.mid(5).toStdString()));
        if (program.isEmpty()) return {};
        const QString found = QStandardPaths::findExecutable(program);
        return found.isEmpty() ? program : found;
    }
    return {};
}

}  // namespace penumbro::ui
