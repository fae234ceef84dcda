#pragma once
// The one way the windows talk to the user through message boxes, file dialogs,
// modal windows and the desktop (the player platform of the VRML command). Tests
// replace it with scripted answers.

#include "views/Player.h"

#include <QMessageBox>
#include <QString>

class QDialog;
class QWidget;

namespace penumbro::ui {

class Dialogs : public PlayerPlatform {
public:
    // A message box; returns the button pressed (the escape button when closed).
    virtual QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon,
                                                const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons) = 0;
    // File dialogs; an empty result means cancelled. initial: folder or proposed file.
    virtual QString getOpenFileName(QWidget* parent, const QString& title, const QString& initial,
                                    const QString& filter) = 0;
    virtual QString getSaveFileName(QWidget* parent, const QString& title, const QString& initial,
                                    const QString& filter) = 0;
    virtual QString getExistingDirectory(QWidget* parent, const QString& title,
                                         const QString& initial) = 0;
    // Shows a window modally; returns its result code.
    virtual int exec(QDialog& dialog) = 0;

    // Shorthands.
    void information(QWidget* parent, const QString& text, const QString& title = QStringLiteral("Penumbro"));
    void warning(QWidget* parent, const QString& text, const QString& title = QStringLiteral("Penumbro"));
    QMessageBox::StandardButton question(QWidget* parent, const QString& text,
                                         QMessageBox::StandardButtons buttons,
                                         const QString& title = QStringLiteral("Penumbro"));
};

// The real dialogs.
class QtDialogs : public Dialogs {
public:
    QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                        const QString& text, QMessageBox::StandardButtons buttons) override;
    QString getOpenFileName(QWidget* parent, const QString& title, const QString& initial,
                            const QString& filter) override;
    QString getSaveFileName(QWidget* parent, const QString& title, const QString& initial,
                            const QString& filter) override;
    QString getExistingDirectory(QWidget* parent, const QString& title, const QString& initial) override;
    int exec(QDialog& dialog) override;
    std::string standardBrowser() override;
    bool startProgram(const std::string& program, const std::string& argument) override;
    bool openFile(const std::string& file) override;
};

// Turns "Name|*.ext|Other|*.*" into the file dialog's "Name (*.ext);;Other (*.*)".
QString dialogFilter(const QString& pipeFilter);

}  // namespace penumbro::ui
