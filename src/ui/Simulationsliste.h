#pragma once
// TSimulationsliste: the simulation list window. The user collects the targets of one or
// more project files, then sets the run parameters once in the fast-run window, whose
// start button then works the list off (one run per target) on a worker thread.

#include "project/Language.h"
#include "project/ProjectText.h"
#include "simulation/SimulationList.h"

#include <QDialog>

#include <functional>
#include <thread>

class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace penumbro::ui {

struct AppState;
class Dialogs;
class Tschnell_ausgabe;

class TSimulationsliste : public QDialog {
    Q_OBJECT
public:
    // What the list needs of the main window.
    struct MainWindowHooks {
        std::function<bool()> saveProject;              // true when written
        std::function<void(bool)> menusEnabled;         // the four main menus
        std::function<void(const QString&)> batchPanel;  // its text; empty hides it
        std::function<void()> showFastRun;              // fast-run page, prepared
        std::function<void()> showDataInput;
    };

    TSimulationsliste(AppState& state, Dialogs& dialogs, Tschnell_ausgabe& fastRun, MainWindowHooks hooks,
                      QWidget* parent = nullptr);
    ~TSimulationsliste() override;

    void SpracheAnpassen(Language language);
    void BitBtn1Click();  // add file
    void BitBtn2Click();  // remove file
    void BitBtn3Click();  // clear
    void BitBtn4Click();  // process
    // Called by the fast-run window's start button while the batch flag is set.
    void Abarbeiten();

    const SimulationList& liste() const { return list_; }

    QTableWidget* StringGrid1;
    QPlainTextEdit* Memo1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QPushButton* BitBtn5;

signals:
    // The list run has ended (before the window is shown again).
    void listeAbgearbeitet();

private:
    void anzeigen();
    void uebersichtZeigen();
    void zelleGeaendert(QTableWidgetItem* item);
    void laufEnde(const SimulationList& rest, const ListRunResult& result);
    void ausgabeNamen(const std::string& stem);

    AppState& state_;
    Dialogs& dialogs_;
    Tschnell_ausgabe& fastRun_;
    MainWindowHooks hooks_;
    Language language_ = Language::German;
    SimulationList list_;
    Lines projectCopy_;  // the project text before Process, unsaved changes included
    std::thread worker_;
};

}  // namespace penumbro::ui
