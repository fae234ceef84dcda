#pragma once
// TMainForm: the frame with the three mode pages, the menus, start-up and shutdown.

#include "ui/FormParts.h"

#include <QMainWindow>

#include <memory>

class QAction;
#include <QLabel>
class QListWidget;
class QMenu;
class QScrollArea;
class QStackedLayout;
class QStackedWidget;
class QTimer;

namespace penumbro::ui {

struct AppState;
class Dialogs;
class TDatenblatt;
class TEinstellungen;
class TExportForm;
class TFormSprache;
class TGenerator;
class TOnline_Ausgabe;
class TSunPathWindow;
class Tschnell_ausgabe;
class TSimulationsliste;

// A mode panel of the bottom bar.
class ModePanel : public QLabel {
    Q_OBJECT
public:
    explicit ModePanel(QWidget* parent = nullptr);
    void setSelected(bool selected);
    bool selected() const { return selected_; }
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool selected_ = false;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    TMainForm(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The first display: settings, language, working folder, new project, the
    // command-line argument (a folder or a .dat file).
    void start(const QString& argument = QString());

    void SpracheAnpassen();
    // Mode switch for panel 1 (data input), 2 (online output) or 3 (fast run).
    void HauptauswahlClick(int panel);
    int activePage() const { return active_; }

    // Project commands.
    void Menu_Projekt_NeuClick();
    void Menu_Projekt_OeffnenClick();
    bool Projektspeichern1Click();      // false when nothing was written
    bool Projektspeichernunter1Click();  // false when cancelled or failed
    void VRML_DarstellungClick();
    // Writes the scene as glTF 2.0 where the save dialog says.
    void exportSceneClick();
    void Menu_export_exportClick();
    void Menue_3d_deaktivierenClick();
    void Spracheanpassen1Click();
    void PenumbroHilfe1Click();
    void Menu_SimulationslisteErstellenClick();
    void Menu_SonnenstandsdiagrammClick();
    // Writes the shading report where the user chooses and opens it in the browser.
    void createReportClick();
    // Loads a project file (no change check); false when it could not be read.
    bool loadProject(const QString& path);
    // The change check: true when the caller must stop.
    bool ProjektGeaendert();

    Tschnell_ausgabe* fastRunWindow() const { return fastRun_; }
    TSimulationsliste* simulationList() const { return simList_; }
    TOnline_Ausgabe* onlineWindow() const { return online_; }
    TEinstellungen* settingsWindow() const { return settingsWindow_; }
    TExportForm* exportForm() const { return export_; }
    TDatenblatt* dataSheet() const { return dataSheet_; }
    TGenerator* editor() const { return editor_; }
    TSunPathWindow* sunPathWindow() const { return sunPath_; }  // null until first opened
    ModePanel* panel(int i) const { return panels_[i - 1]; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void showPage(int panel);
    void refreshEditor();
    void showProjectChanged();
    void setOutputName();
    void updateTitle();  // file name and unsaved-changes mark
    QString helpFile() const;

    AppState& state_;
    Dialogs& dialogs_;
    int active_ = 0;  // 0: nothing shown yet
    QStackedWidget* pages_;
    QScrollArea* pagesScroll_;
    QWidget* editorPage_;
    TGenerator* editor_;
    TOnline_Ausgabe* online_;
    QWidget* helpWindow_ = nullptr;
    Tschnell_ausgabe* fastRun_;
    TSimulationsliste* simList_;
    ModePanel* panels_[3];
    QLabel* Panel_Simulationsliste;
    QStackedLayout* barStack_;  // the mode panels or the batch panel
    TEinstellungen* settingsWindow_;
    TFormSprache* language_;
    TDatenblatt* dataSheet_;
    TExportForm* export_;
    TSunPathWindow* sunPath_ = nullptr;
    QMenu* Menu_Projekt;
    QMenu* Menu_Simulation;
    QMenu* Menu_Export;
    QMenu* Menu_Einstellungen;
    QMenu* Hilfe1;
    QAction* Menu_Projekt_Neu;
    QAction* Menu_Projekt_Oeffnen;
    QAction* Projektspeichern1;
    QAction* Projektspeichernunter1;
    QAction* Menu_Projekt_VRML;
    QAction* createReportAction;
    QAction* exportSceneAction_;
    QAction* Programmbeenden1;
    QAction* Menu_Schnelldurchlauf;
    QAction* Menu_SimulationslisteErstellen;
    QAction* Menu_Sonnenstandsdiagramm;
    QAction* Menu_export_export;
    QAction* VRML1;
    QAction* Arbeitsverzeichnis1;
    QAction* Spracheanpassen1;
    QAction* Menue_3d_deaktivieren;
    QAction* PenumbroHilfe1;
    CaptionTable captions_;
};

// Centres the shown window on its screen's free area; a window larger than that area
// keeps its top-left corner (and so its title bar) on the screen.
void placeCentred(QWidget& window);
// The same within the given free area, shrinking a window larger than it.
void placeCentred(QWidget& window, const QRect& area);

}  // namespace penumbro::ui
