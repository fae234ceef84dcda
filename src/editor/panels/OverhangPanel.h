#pragma once
// The overhang form of the polygon panel: the target chooser, the name, the corner grid or the u-v rectangle form, the azimuth and
// elevation differences to the target, their check and the surface block.

#include "editor/generators/OverhangGenerator.h"
#include "editor/panels/PanelCheck.h"
#include "editor/panels/PolygonPanel.h"
#include "project/ErrorTexts.h"

#include <optional>
#include <string>
#include <vector>

namespace penumbro {

// One entry of the target chooser ListBoxTargetF.
struct TargetChoice {
    std::string label;     // name, tab, " (Target)"
    int objectNumber = 0;  // 1-based
};

// The target surfaces of the text in text order. Throws InputError for malformed text.
std::vector<TargetChoice> targetChoices(const Lines& text);

// The German-only notice (with its title) shown when the chooser's OK finds no
// selection; the first target is taken then.
std::string noTargetChosenMessage();
std::string noTargetChosenTitle();

// TargetF_OK: the chosen entry's object number, the first entry's (with the notice)
// when nothing is selected. Empty when the list has no entries.
struct TargetChosen {
    int objectNumber = 0;
    bool showNotice = false;  // noTargetChosenMessage() is to be shown
};
std::optional<TargetChosen> chooseTarget(const std::vector<TargetChoice>& choices,
                                         std::optional<std::size_t> selected);

// The u-v rectangle form Panel3 (all fields preset "0").
struct UvRectangleForm {
    std::string lu = "0";  // EditLaengeU, >= 0
    std::string lv = "0";  // EditLaengeV, >= 0
    std::string u = "0";   // EditU: first corner in the target's u-v frame
    std::string v = "0";   // EditV
};

struct OverhangPanel {
    int targetNumber = 0;               // object number of the target (fixed for a change)
    std::string name;                   // Edit11: not empty, not reserved, no leading digit
    CornerGrid corners;                 // Edit12 and StringGrid1
    std::string azimuthDifference;      // Edit33: 0..360
    std::string elevationDifference;    // Edit34: -180..180
    UvRectangleForm form;               // Panel3; its u and v go into the placement line

    // The name field ignores a digit typed as its first character (the name follows
    // the "$#" number directly): the text the field keeps after a key.
    static std::string nameAfterKey(const std::string& name, std::size_t position, char key);

    // BitBtn1 of the u-v rectangle form: four corners from the form and the grid
    // confirmed, or the message to show (the form stays open).
    std::optional<std::string> applyUvRectangle(Language lang);

    PanelCheck check(Language lang) const;
    // The warning to show beside OK while the fields describe an overhang wholly behind
    // its target's plane (overhangBehindTarget); nothing otherwise, or while a field is
    // not valid yet.
    std::optional<ErrorMessage> warning() const;

    // Throws InputError naming the first bad field.
    Overhang overhang(Language lang) const;
    // The lines, placed by the target's placement line read from the text.
    Lines generate(const Lines& text, Language lang) const;

    // The panel as a change opens it.
    static OverhangPanel fromOverhang(const Overhang& overhang);
};

// Objekt_aendern for an overhang whose name line is lines[nameLine].
OverhangPanel overhangPanelFromLines(const Lines& lines, std::size_t nameLine);

}  // namespace penumbro
