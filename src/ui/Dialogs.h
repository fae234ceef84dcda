#pragma once
// The one way the windows talk to the user through message boxes, file dialogs,
// modal windows and the desktop. Tests replace it with scripted answers.

#include <QMessageBox>
#include <QString>

class QDialog;
class QWidget;

namespace penumbro::ui {

class Dialogs {
public:
    virtual ~Dialogs() = default;

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
    // Opens a file with the desktop's associated program, or starts program with the
    // file as its argument. False when nothing could be started.
    virtual bool openWithDesktop(const QString& file) = 0;
    virtual bool startProgram(const QString& program, const QString& argument) = 0;
    // The program the desktop associates with a file name extension such as ".wrl"
    // ("" when none).
    virtual QString associatedProgram(const QString& extension) = 0;

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
    bool openWithDesktop(const QString& file) override;
    bool startProgram(const QString& program, const QString& argument) override;
    QString associatedProgram(const QString& extension) override;
};

// Turns "Name|*.ext|Other|*.*" into the file dialog's "Name (*.ext);;Other (*.*)".
QString dialogFilter(const QString& pipeFilter);

}  // namespace penumbro::ui
