#pragma once
// TEinstellungen: the VRML player and the working folder. One of its two groups is
// shown at a time, chosen by the menu item that opens it.

#include "project/Language.h"
#include "ui/FormParts.h"

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace penumbro::ui {

struct AppState;
class Dialogs;

class TEinstellungen : public QDialog {
    Q_OBJECT
public:
    enum class Group { Vrml, Folder };

    TEinstellungen(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);

    void SpracheAnpassen(Language language);
    // Shows the window modally with one group.
    void present(Group group);
    Group group() const { return group_; }

    // Start-up: marks the browser choice and fills the path from the settings.
    void takeBrowserSetting();
    // Start-up: marks the standard directory, or the other one with its path.
    void markFolder(bool standard, const QString& other);
    // Clears both directory choices (a command-line folder or a missing directory).
    void clearFolderChoice();

    void BitBtn1Click();  // OK
    void BitBtn2Click();  // cancel
    void reject() override;
    void Browser_SuchenClick();
    void Verz_SuchenClick();

    QGroupBox* VRML_Box;
    QRadioButton* RadioButton1;
    QLineEdit* Standard_Browser;
    QRadioButton* RadioButton2;
    QLineEdit* VRML_Browser;
    QPushButton* Browser_Suchen;
    QGroupBox* Verz_Box;
    QRadioButton* RadioButton3;
    QLineEdit* Edit2;
    QRadioButton* RadioButton4;
    QLineEdit* Arbeitsverz;
    QPushButton* Verz_Suchen;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

private:
    void openFor();
    void hideGroups();
    void save();

    AppState& state_;
    Dialogs& dialogs_;
    Language language_ = Language::German;
    Group group_ = Group::Vrml;
    CaptionTable captions_;
    // Remembered for cancel.
    QString oldBrowser_;
    bool oldStandardBrowser_ = true;
    QString oldFolder_;
    bool oldStandardFolder_ = true;
};

}  // namespace penumbro::ui
