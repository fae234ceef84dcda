#pragma once
// TSunPathWindow: the sun-path diagram of the current project with the first
// target's shading mask, drawn from the same data as penumbro-cli sunpath, and saved
// as that command's SVG or as a PNG picture.

#include "project/Language.h"
#include "simulation/SunPath.h"

#include <QDialog>

#include <optional>

class QPainter;
class QPushButton;

namespace penumbro::ui {

struct AppState;
class Dialogs;

// Paints the diagram into a rectangle of width x height pixels (scaled from the SVG's
// user units, so the picture has the SVG's layout).
void paintSunPath(QPainter& painter, const SunPathDiagram& diagram, Language language, double width, double height);

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

    AppState& state_;
    Dialogs& dialogs_;
    Language language_ = Language::German;
    std::optional<SunPathDiagram> diagram_;
};

}  // namespace penumbro::ui
