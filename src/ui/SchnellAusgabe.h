#pragma once
// Tschnell_ausgabe: the fast-run window. It edits the run parameters, names the
// output files, starts and cancels a run and shows its progress and monthly chart.
// The run itself, or a simulation list's runs, go on its one worker thread; the inputs
// stay disabled meanwhile.

#include "project/Language.h"
#include "simulation/RunSession.h"
#include "ui/FormParts.h"
#include "ui/ListRunView.h"

#include <QWidget>

#include <thread>

class QCheckBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace penumbro::ui {

struct AppState;
class Dialogs;
class MonthChart;

class Tschnell_ausgabe : public QWidget, public ListRunView {
    Q_OBJECT
public:
    Tschnell_ausgabe(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~Tschnell_ausgabe() override;

    void SpracheAnpassen(Language language);
    void Vorbereitung();
    void ParameterMerken();
    void monatlichClick();
    void SimulationStartenClick();
    void Button1Click();  // cancel
    void Ausgabedatei_aendernClick();
    void Parameterdatei_oeffnenClick();
    void Speichern_unterClick();
    void Parameter_StandardClick();
    void EingabenAktiv(bool enabled);

    // Folder the two file dialogs start in (the project's folder after opening).
    void setInitialDirectory(const QString& dir) { initialDir_ = dir; }
    bool running() const { return worker_.joinable(); }
    // Waits for a running worker (after the abort request was set).
    void waitForWorker();

    void beginList() override;
    RunSettings runSettings() const override;
    void runInBackground(Job job) override;
    void showEntry(const std::string& stem) override;
    void endList() override;

    QCheckBox* monatlich;
    QCheckBox* Diffus;
    QLabel* Label_monatlich;  // "( monatliche Simulation )"
    QSpinBox* Startmonat;
    QSpinBox* Stopmonat;
    QSpinBox* Starttag;
    QSpinBox* Stoptag;
    QSpinBox* SpinEdit3;  // interval in days
    QSpinBox* SpinEdit4;  // interval in minutes
    QSpinBox* zusatz1;    // first day of each month
    QSpinBox* zusatz4;    // diffuse resolution
    QSpinBox* zusatz3;    // fast-run resolution
    QSpinBox* zusatz6;    // elevation intervals
    QDoubleSpinBox* zusatz7;  // sky reduction
    QDoubleSpinBox* zusatz8;  // obstacle reflectance
    QCheckBox* exactGeometryCheckBox;  // exact areas instead of the raster; not in the record
    QRadioButton* Dezimalzeichen_Komma;
    QRadioButton* Dezimalzeichen_Punkt;
    QLabel* anz_AusgabedateiNameMit;
    QLabel* anz_AusgabedateiNameRep;
    QPushButton* Ausgabedatei_aendern;
    QPushButton* Parameterdatei_oeffnen;
    QPushButton* Speichern_unter;
    QPushButton* Parameter_Standard;
    QPushButton* SimulationStarten;
    QGroupBox* Startgruppe;
    QGroupBox* Fortschritt;
    QLabel* Label_Simuliere;  // "Simuliere Tag Nr. "
    QLabel* Tag_Nr;
    QLabel* Label_Diffus;     // "Berechne Diffusstrahlung"
    // What the last run wrote and where (or what a cancelled run's files hold).
    QLabel* runStatusLabel;
    QPushButton* Button1;
    MonthChart* Zeichenfenster;

signals:
    // Inputs of other windows (the main menu's entries) follow the run.
    void inputsEnabledChanged(bool enabled);
    void runFinished();
    // The start button while a simulation list waits: the list runs instead.
    void listStartRequested();

private:
    void showOutputNames();
    void showMonthlyFields();
    void showDay(int day);
    // The start group again instead of the progress, the inputs enabled.
    void stopProgress();
    // error: empty when the run succeeded; baseName: of the files the run wrote
    void runEnded(const RunResult& r, const QString& error, const std::string& baseName);
    QString startFolder() const;

    AppState& state_;
    Dialogs& dialogs_;
    Language language_ = Language::German;
    QString initialDir_;
    std::thread worker_;
    bool cancelConfirmed_ = false;
    CaptionTable captions_;
    QLabel* labelFirstMonth_ = nullptr;
    QLabel* labelLastMonth_ = nullptr;
    QLabel* labelFirstDay_ = nullptr;
    QLabel* labelLastDay_ = nullptr;
};

}  // namespace penumbro::ui
