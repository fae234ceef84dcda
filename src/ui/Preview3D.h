#pragma once
// The scene editor's 3D preview: the group box GroupBox_3D_Ansicht with the OpenGL
// panel, the zoom track bar, the view menu and the ground-plate switch, plus the
// start-up clock-rate check. What is drawn and the camera arithmetic come from the
// core (views/PreviewFrame, views/Camera); this layer only replays the primitives
// through OpenGL 1.1 and feeds mouse, button and track-bar events in.
//
// Where no OpenGL context can be made (the offscreen platform, a display without GLX,
// a context that fails) the panel is a short note instead of the picture; every other
// control keeps working.

#include "ui/FormParts.h"
#include "views/Camera.h"
#include "views/PreviewScene.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QPointer>

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace penumbro {
class ClockSource;
}

namespace penumbro::ui {

struct AppState;
class Dialogs;
class PreviewPanel;

// True when an OpenGL context with the 1.1 functions can be made and made current on
// this platform. Never creates a widget, so it is safe on the offscreen platform.
bool openGlAvailable();

// Start-up check: when the preview is on and the clock rate (read, else measured) is
// below 800 MHz, asks whether to switch the preview off; Yes clears state.preview3d,
// stores "0" in the settings and saves them. Call before the main window sets its
// Menue_3d_deaktivieren check from the settings.
void checkClockRate(AppState& state, Dialogs& dialogs, QWidget* parent, ClockSource& source);
// The check on the running machine.
void checkClockRate(AppState& state, Dialogs& dialogs, QWidget* parent);

class Preview3DBox : public QGroupBox {
    Q_OBJECT
public:
    // Reads state.project.daten and state.language at every redraw and text switch.
    explicit Preview3DBox(const AppState& state, QWidget* parent = nullptr);

    // Redraws from the current project text; a call made while a redraw runs is dropped.
    // Hides the box when the project has no objects and shows it again when it has.
    void Neuzeichnen();
    // 1-based object of the editor's list (a tree or house is one object), 0 for none.
    void highlightObject(int objectNr);
    void SpracheAnpassen();
    // Hovering a row of the list highlights its object; leaving the list clears it.
    void watchObjectList(QAbstractItemView* list);

    bool hasOpenGl() const { return glPanel_ != nullptr; }
    const Camera& camera() const { return camera_; }
    int markiertesObjekt() const { return markiertesObjekt_; }
    // Panel_OpenGl: the OpenGL widget, or the note label without OpenGL.
    QWidget* panel() const { return panel_; }

    void Button_AnsichtClick(const ViewPreset& preset);
    void TrackBar1Change(int position);
    // From the toggle: the menu opens or closes; from anything else: it closes.
    void Panel_3DMenueEinClick(QObject* sender);

signals:
    // The projection was set up for a new scene extent E.
    void extentChanged(double extent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void panelMouse(QEvent* event);

    const AppState& state_;
    Camera camera_;
    // The frame the panel replays.
    Projection projection_;
    ModelView modelView_;
    PreviewScene scene_;
    int markiertesObjekt_ = 0;
    bool drawing_ = false;
    QPointer<QAbstractItemView> objectList_;
    // The list's viewport on its own: it still sends events while the list is being
    // destroyed, when the list must no longer be touched.
    QPointer<QWidget> objectListViewport_;

    QWidget* panel_ = nullptr;
    PreviewPanel* glPanel_ = nullptr;
    QLabel* note_ = nullptr;
    QSlider* TrackBar1 = nullptr;
    QLabel* Label_Zoom = nullptr;
    QWidget* Panel_3DMenue = nullptr;
    QPushButton* Panel_3DMenueEin = nullptr;
    std::array<QPushButton*, 5> presetButtons_{};  // viewPresets(): Button_Aufsicht .. Button_Westansicht
    QCheckBox* CheckBox_Bodenplatte = nullptr;
    QLabel* hint_ = nullptr;
    CaptionTable captions_;
};

}  // namespace penumbro::ui
