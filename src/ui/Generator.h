#pragma once
// TGenerator: the scene editor, the data-input page of the main window. It has no
// scene model of its own: every operation rewrites the project text through the
// editor functions the command line uses, then rebuilds what the page shows from
// the text (ListeAufbauen).

#include "editor/ObjectTable.h"
#include "ui/FormParts.h"
#include "project/Language.h"

#include <QWidget>

#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;

namespace penumbro::ui {

struct AppState;
class Dialogs;
class EditorForm;
class HorizonForm;
class HouseForm;
class PolygonForm;
class Preview3DBox;
class RectangleForm;
class ReflectanceForm;
class SiteForm;
class TargetChooser;
class TreeForm;

class TGenerator : public QWidget {
    Q_OBJECT
public:
    TGenerator(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);

    // Rebuilds the list, comment, summaries and counts from the project text.
    void ListeAufbauen();
    void SpracheAnpassen();
    // Ends any open panel without changing the text (a new or opened project).
    void CancelBtnClick();
    // Creates the 3D preview when the program-wide switch is on (read at start-up).
    void createPreview();
    Preview3DBox* preview() const { return preview_; }
    // Selects list row `row` (0-based) when it exists.
    void selectRow(int row);
    bool editing() const { return Aenderungsmodus_ || panelOpen_; }
    const ObjectList& objects() const { return objects_; }

    void Objekt_hinzufuegenClick();
    void Objekt_einfuegenClick();
    void Objekt_aendernClick();
    void Objekt_loeschenClick();
    void OKBtnClick();
    void Horizontverschattung_aendernClick();
    void GeoLage_aendernClick();
    void Bodenreflexion_aendernClick();
    // The import dialog; its summary is confirmed before the text changes.
    void importModelClick();

signals:
    // The list and its operations were enabled or disabled: the main window follows
    // with its menu entries and mode buttons.
    void listActiveChanged(bool active);
    // The project text was rewritten.
    void textChanged();
    void dataSheetRequested();  // F12 and the data-sheet button (F1 is the main window's)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Flaechenliste_Aktiv(bool active);
    void KommentarExit();
    void showForm(EditorForm* form, bool withOkPanel);
    // A panel with its own OK and cancel buttons, filled from the text; a text that
    // does not read is named and the list stays active.
    void openOwnForm(EditorForm* form, const std::function<void()>& fill);
    void showPanelArea(bool shown);
    void panelKey(Qt::Key key);  // Enter / Escape in the panel area
    void hidePanels();
    void updateOk();
    void kindChosen(int kind);
    void UeberhangClick();
    void targetChosen(int objectNumber);
    // Replaces the project text, ends the operation and rebuilds the page.
    void commitText(Lines text);
    // The text the function makes, committed; its error shown, the text kept.
    void commitOrShow(const std::function<Lines()>& newText);
    void showError(const std::exception& error);

    AppState& state_;
    Dialogs& dialogs_;
    ObjectList objects_;
    bool Aenderungsmodus_ = false;
    bool Einfuegemodus_ = false;
    bool panelOpen_ = false;
    int ObjektNr_ = 0;

    QGroupBox* listGroup_;
    QListWidget* ListBox1;
    QPushButton* Objekt_hinzufuegen;
    QPushButton* Objekt_einfuegen;
    QPushButton* Objekt_aendern;
    QPushButton* Objekt_loeschen;
    QPushButton* Horizontverschattung_aendern;
    QPushButton* importModelButton_;
    QLabel* Objektanzahl;
    QGroupBox* commentGroup_;
    QPlainTextEdit* Kommentar;
    QPushButton* dataSheetButton_;
    QGroupBox* siteGroup_;
    std::array<QLabel*, 3> siteCaptions_;
    QLabel* Panel_Breitengrad;
    QLabel* Panel_Laengengrad;
    QLabel* Panel_Zeitzone;
    QPushButton* GeoLage_aendern;
    QGroupBox* reflectanceGroup_;
    std::array<QProgressBar*, 12> gauges_;
    QPushButton* Bodenreflexion_aendern;

    QGroupBox* GroupBox1;
    std::array<QPushButton*, 5> kindButtons_;  // rectangle, polygon, house, tree, overhang
    QPushButton* kindCancel_;
    QLabel* Panel2;
    QWidget* Panel_OK;
    QPushButton* OKBtn;
    QLabel* okReasonLabel;  // why OK stays disabled: the field and what it takes
    QPushButton* CancelBtn;
    RectangleForm* rectangle_;
    PolygonForm* polygon_;
    HouseForm* house_;
    TreeForm* tree_;
    TargetChooser* targetChooser_;
    SiteForm* site_;
    ReflectanceForm* reflectance_;
    HorizonForm* horizon_;
    EditorForm* openForm_ = nullptr;  // the generator panel OK works on
    QScrollArea* panelArea_;   // the chooser and panels, shown while an operation is open
    QWidget* previewHolder_;          // the preview's place, shown while the list is idle
    Preview3DBox* preview_ = nullptr;
    CaptionTable captions_;
};

}  // namespace penumbro::ui
