#pragma once
// TFormSprache: the language choice, shown at first start and from the menu.

#include "project/Language.h"

#include <QDialog>

#include <QLabel>

namespace penumbro::ui {

struct AppState;
class Dialogs;

class TFormSprache : public QDialog {
    Q_OBJECT
public:
    TFormSprache(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);

    // Sets the flag ('d' or 'e'), saves the settings file and closes.
    void choose(Language language);

private:
    AppState& state_;
    Dialogs& dialogs_;
};

// A clickable label (flags and language names).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace penumbro::ui
