#pragma once
// TSunPathWindow: the sun-path diagram of the current project with the first
// target's shading mask. It shows the command line's SVG drawing and saves it as it
// is or as a PNG picture rendered from it.

#include "project/Language.h"
#include "simulation/SunPath.h"
#include "ui/FormParts.h"

#include <QDialog>

#include <optional>

class QPushButton;
class QSvgRenderer;

namespace penumbro::ui {

struct AppState;
class Dialogs;

class TSunPathWindow : public QDialog {
    Q_OBJECT
public:
    TSunPathWindow(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);

    void SpracheAnpassen(Language language);
    // Computes the diagram of the current project with the current run parameters and
    // shows the window; a project that cannot be computed gives a message instead.
    void present();
    const std::optional<SunPathDiagram>& diagram() const { return diagram_; }

    void saveSvgClick();
    void savePngClick();

    QWidget* diagramView;
    QPushButton* saveSvgButton;
    QPushButton* savePngButton;
    QPushButton* closeButton;

private:
    void save(bool svg);
    // The drawing of the diagram in the window's language.
    void render();

    AppState& state_;
    Dialogs& dialogs_;
    Language language_ = Language::German;
    std::optional<SunPathDiagram> diagram_;
    std::string svg_;  // the diagram's drawing; empty without a diagram
    QSvgRenderer* renderer_;
    CaptionTable captions_;
};

}  // namespace penumbro::ui
