#pragma once
// TSimulationsliste: the simulation list window. The user collects the targets of one or
// more project files, then sets the run parameters once in the fast-run window, whose
// start button then works the list off (one run per target) on that window's worker.

#include "project/Language.h"
#include "project/ProjectText.h"
#include "simulation/SimulationList.h"
#include "ui/FormParts.h"

#include <QDialog>

#include <functional>

class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace penumbro::ui {

struct AppState;
class Dialogs;
class ListRunView;

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

    TSimulationsliste(AppState& state, Dialogs& dialogs, ListRunView& runView, MainWindowHooks hooks,
                      QWidget* parent = nullptr);

    void SpracheAnpassen(Language language);
    void BitBtn1Click();  // add file
    void BitBtn2Click();  // remove file
    void BitBtn3Click();  // clear
    void BitBtn4Click();  // process
    // The fast-run window's start button while the batch flag is set.
    void Abarbeiten();

    const SimulationList& list() const { return list_; }

    QTableWidget* StringGrid1;
    QPlainTextEdit* Memo1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QPushButton* BitBtn5;

signals:
    // The list run has ended (before the window is shown again).
    void listRunEnded();

private:
    void showList();
    void showOverview();
    void cellChanged(QTableWidgetItem* item);
    void entryStarting(int i, int n, const std::string& stem);
    void runEnded(const SimulationList& rest, const ListRunResult& result);

    AppState& state_;
    Dialogs& dialogs_;
    ListRunView& runView_;
    MainWindowHooks hooks_;
    Language language_ = Language::German;
    SimulationList list_;
    CaptionTable captions_;
    Lines projectCopy_;  // the project text before Process, unsaved changes included
};

}  // namespace penumbro::ui
