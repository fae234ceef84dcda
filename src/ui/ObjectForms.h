#pragma once
// The house and tree panels, and the site, ground-reflectance and horizon panels of
// the scene editor.

#include "editor/HorizonEditing.h"
#include "editor/SiteEditing.h"
#include "editor/panels/HousePanel.h"
#include "editor/panels/TreePanel.h"
#include "ui/EditorForm.h"

#include <optional>
#include <vector>

namespace penumbro::ui {

// "Haus_gen": Hausname, Edit22..Edit25, Edit13, Edit14, Edit15, Edit21, the position
// sketch Image_Hauslage.
class HouseForm : public EditorForm {
    Q_OBJECT
public:
    HouseForm(Dialogs& dialogs, QWidget* parent = nullptr);
    void prepareNew();  // all nine fields empty
    void fill(const HousePanel& panel);
    HousePanel fields() const;
    bool okEnabled() const override;
    void SpracheAnpassen(Language language) override;
};

// "Baum_gen": Baumname, Edit30..Edit32, Edit27..Edit29, the spin edits jan..dez, and
// the schedule buttons (open, save as) for the twelve foliage values.
class TreeForm : public EditorForm {
    Q_OBJECT
public:
    TreeForm(Dialogs& dialogs, QWidget* parent = nullptr);
    void fill(const TreePanel& panel);  // a change; a new tree keeps the last contents
    void clearNumbers();                // the six number fields emptied
    TreePanel fields() const;
    bool okEnabled() const override;
    void SpracheAnpassen(Language language) override;
};

// "GeografischeLage": ScrollBar1..3 coupled with SpinEditExt1..3, GeoLage_OK,
// GeoLage_Abbruch (okClicked / cancelClicked).
class SiteForm : public EditorForm {
    Q_OBJECT
public:
    SiteForm(Dialogs& dialogs, QWidget* parent = nullptr);
    void fill(const SiteValues& site);
    std::optional<SiteValues> values() const;  // nothing while a field is invalid
    bool okEnabled() const override { return values().has_value(); }
    void SpracheAnpassen(Language language) override;
};

// "Bodenreflexion_gen": B_Jan..B_Dez, the schedule buttons, Boden_OK, Boden_Abbruch.
class ReflectanceForm : public EditorForm {
    Q_OBJECT
public:
    ReflectanceForm(Dialogs& dialogs, QWidget* parent = nullptr);
    void fill(const MonthlyValues& values);
    std::optional<MonthlyValues> values() const;
    bool okEnabled() const override { return values().has_value(); }
    void SpracheAnpassen(Language language) override;
};

// "Horizont": StringGrid2 (25 rows of three cells), Horizont_OK, BitBtn5 (cancel), and
// Horizont_Importieren, which fills the grid from a measured or downloaded profile.
class HorizonForm : public EditorForm {
    Q_OBJECT
public:
    HorizonForm(Dialogs& dialogs, QWidget* parent = nullptr);
    void fill(const std::vector<HorizonRow>& rows);  // all 75 cells emptied first
    std::vector<HorizonRow> rows() const;            // the 25 grid rows as typed
    bool okEnabled() const override { return true; }
    void SpracheAnpassen(Language language) override;
};

}  // namespace penumbro::ui
