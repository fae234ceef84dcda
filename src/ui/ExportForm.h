#pragma once
// TExportForm: converts a mean-value file into TEXT, TRNSYS or SUNCODE tables, and a
// run's output into the SAM, EnergyPlus and hourly CSV files.

#include "project/Language.h"
#include "ui/FormParts.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace penumbro::ui {

struct AppState;
class Dialogs;

class TExportForm : public QDialog {
    Q_OBJECT
public:
    TExportForm(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);

    void SpracheAnpassen(Language language);
    // From the main menu: presets the file field and shows the window modally.
    void present();
    // The preset alone (present without showing).
    void prepare();

    void Button1Click();  // leave
    void Button2Click();  // choose the .mit file
    void Button3Click();  // export

    QLineEdit* S_Filename;
    QGroupBox* RadioGroup1;
    QRadioButton* Format_Text;
    QRadioButton* Format_Trnsys;
    QRadioButton* Format_Suncode;
    QRadioButton* Format_Sam;
    QRadioButton* Format_EnergyPlus;
    QRadioButton* Format_HourlyCsv;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QLabel* Statuszeile;  // what the last export wrote where

private:
    AppState& state_;
    Dialogs& dialogs_;
    QButtonGroup* formats_;
    Language language_ = Language::German;
    CaptionTable captions_;
};

}  // namespace penumbro::ui
