#pragma once
// Answers every message box and file dialog from a script and records what was asked.

#include "ui/Dialogs.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>

struct Asked { QMessageBox::Icon icon; QString title, text; };

class ScriptedDialogs : public penumbro::ui::Dialogs {
public:
    std::deque<QMessageBox::StandardButton> answers;  // for message boxes; Ok when empty
    std::deque<QString> fileNames;                    // for the file dialogs; "" (cancel) when empty
    std::function<int(QDialog&)> onExec;              // modal windows; rejected when unset
    std::vector<Asked> messages;
    QStringList execs;        // objectName of every modal window shown
    QStringList fileInitial;  // what each file dialog was opened on
    QStringList opened;       // files handed to the desktop
    QStringList started;      // "program argument"
    bool desktopWorks = true;

    QMessageBox::StandardButton message(QWidget*, QMessageBox::Icon icon, const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons) override {
        messages.push_back({icon, title, text});
        return take(answers, buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::NoButton);
    }
    QString getOpenFileName(QWidget*, const QString&, const QString& at, const QString&) override { return next(at); }
    QString getSaveFileName(QWidget*, const QString&, const QString& at, const QString&) override { return next(at); }
    QString getExistingDirectory(QWidget*, const QString&, const QString& at) override { return next(at); }
    int exec(QDialog& dialog) override {
        execs << dialog.objectName();
        return onExec ? onExec(dialog) : QDialog::Rejected;
    }
    std::string standardBrowser() override { return {}; }
    bool startProgram(const std::string& program, const std::string& argument) override {
        started << QString::fromStdString(program + ' ' + argument);
        return desktopWorks;
    }
    bool openFile(const std::string& file) override {
        opened << QString::fromStdString(file);
        return desktopWorks;
    }

    // Texts of the messages shown so far, joined for failure output.
    QString all() const {
        QString t;
        for (const auto& m : messages) t += m.text + QStringLiteral(" | ");
        return t;
    }
    bool saw(const QString& fragment) const { return all().contains(fragment); }

private:
    template <class T>
    static T take(std::deque<T>& queue, T otherwise) {
        if (queue.empty()) return otherwise;
        T front = queue.front();
        queue.pop_front();
        return front;
    }
    QString next(const QString& initial) { return fileInitial << initial, take(fileNames, QString()); }
};
