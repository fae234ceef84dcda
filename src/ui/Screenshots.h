#pragma once
// Review aid: with PENUMBRO_SCREENSHOTS=DIR set, the program saves one picture per
// mode, every panel of the editor in both languages, the editor's 3D preview from two
// views, the online page at a shaded instant and one of the fast-run window after a
// short run into DIR, then quits.
// Message boxes are answered with OK meanwhile (and printed on stderr).

#include "ui/Dialogs.h"

namespace penumbro::ui {

struct AppState;
class TMainForm;

class AutoDialogs : public QtDialogs {
public:
    QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                        const QString& text, QMessageBox::StandardButtons buttons) override;
    int exec(QDialog& dialog) override;
};

// Starts the sequence on the running event loop; the editor's panels are taken in
// both languages.
void takeScreenshots(TMainForm& window, AppState& state, const QString& dir);

}  // namespace penumbro::ui
