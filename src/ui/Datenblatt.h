#pragma once
// TDatenblatt: shows the raw project text. The text itself lives in AppState.

#include "project/Language.h"
#include "ui/FormParts.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace penumbro::ui {

struct AppState;

class TDatenblatt : public QDialog {
    Q_OBJECT
public:
    explicit TDatenblatt(AppState& state, QWidget* parent = nullptr);

    void SpracheAnpassen(Language language);
    // Shows the current text (after every change of the project).
    void refresh();

    QPlainTextEdit* Daten;
    QPushButton* Button1;

private:
    AppState& state_;
    CaptionTable captions_;
};

}  // namespace penumbro::ui
