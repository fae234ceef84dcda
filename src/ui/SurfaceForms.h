#pragma once
// The plain-surface panels of the scene editor: the rectangle panel, the polygon
// panel with its corner grid (also the overhang form), and the overhang's target
// chooser.

#include "editor/panels/OverhangPanel.h"
#include "editor/panels/PolygonPanel.h"
#include "editor/panels/RectanglePanel.h"
#include "ui/EditorForm.h"

namespace penumbro::ui {

// "Rechteck": Edit1..Edit10, CheckBox1, Kompass1, Neigung1.
class RectangleForm : public EditorForm {
    Q_OBJECT
public:
    RectangleForm(Dialogs& dialogs, QWidget* parent = nullptr);
    // The "Rechteck" button: every field empty but azimuth and elevation ("0").
    void prepareNew();
    RectanglePanel fields() const;
    bool okEnabled() const override;
    void SpracheAnpassen(Language language) override;
};

// "n_Eck": Edit11, Edit12, CheckBox2, Edit16..Edit20, Kompass2, Neigung2, Button5,
// Panel1 (StringGrid1, P_Btn, Label125), Image_nEck; in overhang mode GroupBox3
// (Edit33, Edit34), uvRechteck and Panel3 (EditLaengeU, EditLaengeV, EditU, EditV,
// BitBtn1, BitBtn3) instead of the placement group, the target box disabled.
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
    void SpracheAnpassen(Language language) override;
};

// "GroupBoxTargetF": ListBoxTargetF, TargetF_OK, TargetF_Abbruch. OK without a
// selection shows the notice and takes the first target; a double-click on an entry
// chooses it.
class TargetChooser : public EditorForm {
    Q_OBJECT
public:
    TargetChooser(Dialogs& dialogs, QWidget* parent = nullptr);
    void fill(const std::vector<TargetChoice>& choices);
    bool okEnabled() const override { return true; }
    void SpracheAnpassen(Language language) override;

signals:
    void chosen(int objectNumber);
};

}  // namespace penumbro::ui
