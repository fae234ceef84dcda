#pragma once
// The plain-surface panels of the scene editor: the rectangle panel, the polygon
// panel with its corner grid (also the overhang form), and the overhang's target
// chooser.

#include "editor/panels/OverhangPanel.h"
#include "editor/panels/PolygonPanel.h"
#include "editor/panels/RectanglePanel.h"
#include "ui/EditorForm.h"
#include "ui/FormParts.h"

#include <array>
#include <string>

#include <utility>
#include <vector>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace penumbro::ui {

class TKompass;
class TNeigung;
class PolygonSketch;

// The placement group the rectangle and polygon panels share: azimuth and elevation
// with the compass and tilt controls beside them (below them, in a narrow panel), the
// Aufpunkt's x, y, z last. The controls follow valid fields; a click on one writes
// its field.
class PlacementFields {
public:
    PlacementFields() = default;
    PlacementFields(const PlacementFields&) = delete;
    PlacementFields& operator=(const PlacementFields&) = delete;

    // names: the edits for azimuth, elevation, x, y, z, then the compass and the tilt control.
    QGroupBox* build(CaptionTable& captions, const Tx& title, const std::array<const char*, 7>& names,
                     bool narrow);
    const std::array<QLineEdit*, 5>& edits() const { return edits_; }
    // quietly: the edits do not signal the change.
    template <class Panel>
    void show(const Panel& p, bool quietly) {
        setTexts({p.azimuth, p.elevation, p.x, p.y, p.z}, quietly);
    }
    template <class Panel>
    void read(Panel& p) const {
        auto t = texts();
        p.azimuth = std::move(t[0]), p.elevation = std::move(t[1]);
        p.x = std::move(t[2]), p.y = std::move(t[3]), p.z = std::move(t[4]);
    }
    void follow() const;
    void relabel(Language language) const;

private:
    void setTexts(const std::array<std::string, 5>& texts, bool quietly) const;
    std::array<std::string, 5> texts() const;

    std::array<QLineEdit*, 5> edits_{};
    TKompass* compass_ = nullptr;
    TNeigung* tilt_ = nullptr;
};

// "Rechteck": Edit1..Edit10, CheckBox1, Kompass1, Neigung1.
class RectangleForm : public EditorForm {
    Q_OBJECT
public:
    RectangleForm(Dialogs& dialogs, QWidget* parent = nullptr);
    // The "Rechteck" button: every field empty but azimuth and elevation ("0").
    void prepareNew();
    RectanglePanel fields() const;
    bool okEnabled() const override;
    QString okReason() const override;
    void relabelOthers(Language language) override;

private:
    void fieldChanged();
    QLineEdit* edit_[5] = {};  // Edit1..Edit5
    QCheckBox* target_ = nullptr;
    PlacementFields placement_;  // Edit6..Edit10, Kompass1, Neigung1
};

// "n_Eck": Edit11, Edit12, CheckBox2, Edit16..Edit20, Kompass2, Neigung2, Button5,
// Panel1 (StringGrid1, P_Btn, Label125, Image_nEck); in overhang mode GroupBox3
// (Edit33, Edit34), uvRechteck and Panel3 (EditLaengeU, EditLaengeV, EditU, EditV,
// BitBtn1, BitBtn3) instead of the placement group, the target box disabled.
// StringGrid1 has one row per corner: column 0 the label "Ecke i", columns 1 and 2 u and v.
class PolygonForm : public EditorForm {
    Q_OBJECT
public:
    PolygonForm(Dialogs& dialogs, QWidget* parent = nullptr);
    // The "n-Eck" button: a new polygon, azimuth and elevation "0", the grid unconfirmed.
    void prepareNew();
    // A new overhang on target object targetNumber (after the target chooser).
    void prepareOverhang(int targetNumber);
    // A change: the panel filled from the object (grid confirmed).
    void fill(const PolygonPanel& panel);
    void fill(const OverhangPanel& panel);
    bool overhangMode() const;
    PolygonPanel polygonFields() const;
    OverhangPanel overhangFields() const;
    bool okEnabled() const override;
    QString okReason() const override;
    void relabelOthers(Language language) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setOverhangMode(bool on, int targetNumber);
    void fieldChanged();
    void showOverhangWarning();  // overhangWarning_ for the fields as they stand
    void showGrid(const std::vector<CornerRow>& rows);
    std::vector<CornerRow> gridRows() const;
    CornerGrid corners() const;  // grid_ with the grid's current cells
    void openGrid();             // Button5
    void confirmGrid();          // P_Btn
    void applyUvForm();          // BitBtn1
    void redrawSketch();

    CornerGrid grid_;  // count, rows and whether they were confirmed since the count changed
    bool overhang_ = false;
    int targetNumber_ = 0;

    QLineEdit* name_ = nullptr;   // Edit11
    QLineEdit* count_ = nullptr;  // Edit12
    QCheckBox* target_ = nullptr;
    PlacementFields placement_;      // Edit16..Edit20, Kompass2, Neigung2
    QLineEdit* difference_[2] = {};  // Edit33, Edit34
    QLineEdit* form_[4] = {};        // EditLaengeU, EditLaengeV, EditU, EditV
    QPushButton* button5_ = nullptr;
    QPushButton* uvButton_ = nullptr;
    QGroupBox* placementBox_ = nullptr;
    QGroupBox* overhangBox_ = nullptr;  // GroupBox3
    QLabel* overhangWarning_ = nullptr;  // in GroupBox3: the overhang cannot shade its target
    QFrame* gridPanel_ = nullptr;        // Panel1
    QFrame* uvPanel_ = nullptr;          // Panel3
    QTableWidget* table_ = nullptr;      // StringGrid1
    PolygonSketch* sketch_ = nullptr;    // Image_nEck
};

// "GroupBoxTargetF": ListBoxTargetF, TargetF_OK, TargetF_Abbruch. OK without a
// selection shows the notice and takes the first target; a double-click on an entry
// chooses it. TargetF_Abbruch emits cancelClicked().
class TargetChooser : public EditorForm {
    Q_OBJECT
public:
    TargetChooser(Dialogs& dialogs, QWidget* parent = nullptr);
    void fill(const std::vector<TargetChoice>& choices);
    bool okEnabled() const override { return true; }

signals:
    void chosen(int objectNumber);

private:
    void choose(std::optional<std::size_t> selected);
    std::vector<TargetChoice> choices_;
    QListWidget* list_ = nullptr;
};

}  // namespace penumbro::ui
