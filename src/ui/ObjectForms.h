#pragma once
// The house and tree panels, and the site, ground-reflectance and horizon panels of
// the scene editor.

#include "editor/HorizonEditing.h"
#include "editor/SiteEditing.h"
#include "editor/panels/HousePanel.h"
#include "editor/panels/TreePanel.h"
#include "ui/EditorForm.h"
#include "ui/FormParts.h"

#include <array>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableWidget;

namespace penumbro::ui {

class HouseSketch;
class TSpinEditExt;
class TSpinEditInt;

// Twelve integer spin edits 0..100 (January first) with their month labels: the
// tree's foliage and the ground reflectance. The texts are what the panels' models
// read; the schedule buttons of both panels fill and save them.
struct MonthSpins {
    std::array<TSpinEditInt*, 12> spins{};
    std::array<QLabel*, 12> labels{};
};

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
    QString okReason() const override;

private:
    void HausParameterChange();

    QLineEdit* Hausname;
    std::array<QLineEdit*, 8> numbers_{};  // houseFields(): Edit22..Edit25, Edit13, Edit14, Edit15, Edit21
    HouseSketch* Image_Hauslage;
};

// "Baum_gen": Baumname, Edit30..Edit32, Edit27..Edit29, the spin edits jan..dez, and
// the schedule buttons Ba_Schedule_oeffnen, Ba_Schedule_speichern_unter for the twelve
// foliage values.
class TreeForm : public EditorForm {
    Q_OBJECT
public:
    TreeForm(Dialogs& dialogs, QWidget* parent = nullptr);
    void fill(const TreePanel& panel);  // a change; a new tree keeps the last contents
    void clearNumbers();                // the six number fields emptied
    TreePanel fields() const;
    bool okEnabled() const override;
    QString okReason() const override;
    void relabelOthers(Language language) override;

private:
    void BaumParameterChange();

    QLineEdit* Baumname;
    std::array<QLineEdit*, 6> numbers_{};  // treeFields(): Edit30..Edit32, Edit27..Edit29
    MonthSpins months_;
    QPushButton *Ba_Schedule_oeffnen, *Ba_Schedule_speichern_unter;
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
    void relabelOthers(Language language) override;

private:
    SitePanel fields() const;
    void ScrollBarChange();
    void SpinEditChange();
    void showPositions(const SitePanel& panel);
    void stepOk();

    std::array<QScrollBar*, 3> bars_{};
    std::array<TSpinEditExt*, 3> spins_{};
    QPushButton *GeoLage_OK, *GeoLage_Abbruch;
};

// "Bodenreflexion_gen": B_Jan..B_Dez, the schedule buttons Bo_Schedule_oeffnen and
// Bo_Schedule_speichern_unter, Boden_OK, Boden_Abbruch.
class ReflectanceForm : public EditorForm {
    Q_OBJECT
public:
    ReflectanceForm(Dialogs& dialogs, QWidget* parent = nullptr);
    void fill(const MonthlyValues& values);
    std::optional<MonthlyValues> values() const;
    bool okEnabled() const override { return values().has_value(); }
    void relabelOthers(Language language) override;

private:
    void stepOk();

    MonthSpins months_;
    QPushButton *Bo_Schedule_oeffnen, *Bo_Schedule_speichern_unter, *Boden_OK, *Boden_Abbruch;
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

private:
    void Horizont_ImportierenClick();

    QTableWidget* StringGrid2;
    QPushButton *Horizont_Importieren, *Horizont_OK, *BitBtn5;
};

}  // namespace penumbro::ui
