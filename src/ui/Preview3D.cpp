#include "ui/Preview3D.h"

#include "ui/AppState.h"
#include "ui/Dialogs.h"
#include "ui/FormParts.h"
#include "views/ClockRate.h"
#include "views/PreviewFrame.h"

#include "project/InputError.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions_1_1>
#include <QOpenGLVersionFunctionsFactory>
#include <QOpenGLWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSlider>
#include <QSurfaceFormat>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace penumbro::ui {

namespace {

const Tx kTitle{"3D - Ansicht", "3D View"};
// The captions of viewPresets(), in its order.
const Tx kPresetCaptions[5] = {{"Aufsicht", "View from sky"},
                               {"Nord-Ansicht", "View from north"},
                               {"S\xFC" "d-Ansicht", "View from south"},
                               {"Ost-Ansicht", "View from east"},
                               {"West-Ansicht", "View from west"}};
const Tx kGroundPlate{"Bodenplatte (z = 0) anzeigen", "Show ground plane (z = 0)"};
const Tx kMouseHint{
    "Klicken Sie in die Grafik und bewegen Sie die Maus bei gedr\xFC" "ckter Maustaste um die Szene zu "
    "drehen oder zu verschieben.\r\rLinke Maustaste:      Szene drehen\rRechte Maustaste:  Szene verschieben",
    "Click into the graphic and move the mouse with a mouse button pressed to rotate or move the "
    "scene.\r\rLeft mouse button:        rotate the scene\rRight mouse button:     move the scene"};
const Tx kNoOpenGl{"Die 3D-Ansicht ist ohne OpenGL nicht verf\xFC" "gbar.",
                   "The 3D view is not available without OpenGL."};
const Tx kSwitchedOff{"Die 3D-Ansicht ist abgeschaltet.", "The 3D view is switched off."};
const Tx kSlowClockBefore{
    "Die Taktfrequenz dieses Rechners liegt unter 800 MHz (oder l\xE4sst sich nicht korrekt auslesen "
    "(ermittelter Wert: ",
    "The clock frequency of this computer is less than 800 MHz (or cannot be determined (ascertained "
    "value: "};
const Tx kSlowClockAfter{
    " MHz)). F\xFCr Rechner mit einer Taktfrequenz von unter 800 MHz und \"\xE4lteren\" Grafikkarten\" "
    "empfiehlt es sich, die dreidimensionale Anzeige in der Dateneingabe zu deaktivieren. Ansonsten "
    "k\xF6nnen Darstellungsprobleme (bis hin zu kompletten Programmabst\xFCrzen) auftreten.\r\rDie "
    "dreidimensionale Darstellung mittels VRML bleibt davon unabh\xE4ngig (Men\xFC \"Datei - VRML "
    "Darstellung\"); das Abschalten der dreidimensionalen Darstellung l\xE4sst sich im Men\xFC "
    "\"Einstellungen\" jederzeit r\xFC" "ckg\xE4ngig machen.\r\rSoll die dreidimensionale Anzeige in der "
    "Dateneingabe deaktiviert werden?",
    " MHz)). For computers with a frequency less than 800 MHz and \"older\" graphic boards it is "
    "recommended to switch off the three-dimensional view in the data input. Otherwise, graphical "
    "problems (up to total system crashes) can occur.\r\rThe three-dimensional view by VRML will be "
    "still available (Menu \"File - VRML view\"); the 3D view in the data input section can be turned "
    "on again in the menu \"Settings\".\r\rShould the three-dimensional view be switched off?"};

// Double buffering, 24 colour bits and a 32-bit depth buffer where the platform has
// one; a compatibility context, since the picture is drawn with OpenGL 1.1 calls.
QSurfaceFormat previewFormat() {
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    f.setRedBufferSize(8);
    f.setGreenBufferSize(8);
    f.setBlueBufferSize(8);
    f.setDepthBufferSize(32);
    return f;
}

GLenum glKind(PrimitiveKind kind) {
    switch (kind) {
        case PrimitiveKind::Line: return GL_LINES;
        case PrimitiveKind::LineLoop: return GL_LINE_LOOP;
        case PrimitiveKind::Triangle: return GL_TRIANGLES;
        case PrimitiveKind::Quad: return GL_QUADS;
        case PrimitiveKind::Polygon: break;
    }
    return GL_POLYGON;
}

}  // namespace

// Panel_OpenGl: replays the box's prepared frame.
class PreviewPanel : public QOpenGLWidget {
public:
    PreviewPanel(const Projection& projection, const ModelView& view, const PreviewScene& scene,
                 QWidget* parent)
        : QOpenGLWidget(parent), projection_(projection), view_(view), scene_(scene) {
        setFormat(previewFormat());
    }

protected:
    void initializeGL() override {
        gl_ = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_1_1>(context());
        if (gl_) gl_->initializeOpenGLFunctions();
    }

    void paintGL() override {
        if (!gl_) return;
        QOpenGLFunctions_1_1& g = *gl_;
        const qreal ratio = devicePixelRatioF();
        g.glViewport(0, 0, static_cast<GLsizei>(std::lround(width() * ratio)),
                     static_cast<GLsizei>(std::lround(height() * ratio)));
        g.glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
        g.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        g.glEnable(GL_DEPTH_TEST);
        g.glMatrixMode(GL_PROJECTION);
        g.glLoadIdentity();
        // The frustum of a vertical field of view with the given aspect.
        const double top = projection_.zNear * std::tan(projection_.fovY * std::numbers::pi / 360.0);
        const double right = top * projection_.aspect;
        g.glFrustum(-right, right, -top, top, projection_.zNear, projection_.zFar);
        g.glMatrixMode(GL_MODELVIEW);
        g.glLoadIdentity();
        g.glTranslated(0.0, 0.0, view_.distance);
        g.glRotated(view_.rotX, 1.0, 0.0, 0.0);
        g.glRotated(view_.rotY, 0.0, 1.0, 0.0);
        g.glTranslated(view_.cx, view_.cy, view_.cz);
        for (const PreviewPrimitive& p : scene_.primitives) {
            g.glColor3f(p.colour.r, p.colour.g, p.colour.b);
            g.glBegin(glKind(p.kind));
            for (const PreviewVertex& v : p.vertices) g.glVertex3f(v.x, v.y, v.z);
            g.glEnd();
        }
    }

private:
    const Projection& projection_;
    const ModelView& view_;
    const PreviewScene& scene_;
    QOpenGLFunctions_1_1* gl_ = nullptr;
};

bool openGlAvailable() {
    // These platforms draw into memory only; a QOpenGLWidget there ends the process.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return false;
    if (QOpenGLContext::openGLModuleType() != QOpenGLContext::LibGL) return false;
    QOpenGLContext context;
    context.setFormat(previewFormat());
    if (!context.create() || !context.isValid() || context.isOpenGLES()) return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface)) return false;
    const bool ok = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_1_1>(&context) != nullptr;
    context.doneCurrent();
    return ok;
}

void checkClockRate(AppState& state, Dialogs& dialogs, QWidget* parent, ClockSource& source) {
    // Measuring takes half a second; it is only worth it when there is a view to switch off.
    if (!state.preview3d) return;
    const unsigned mhz = clockRate(source);
    if (mhz >= kMinimumClockMhz) return;
    const Language l = state.language;
    const QString text = tx(kSlowClockBefore, l) + QString::number(mhz) + tx(kSlowClockAfter, l);
    if (dialogs.message(parent, QMessageBox::Warning, QStringLiteral("Penumbro"), text,
                        QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    state.preview3d = false;
    state.settings.preview3d = "0";
    try {
        saveSettings(state);
    } catch (const InputError& e) {
        dialogs.warning(parent, errorMessage(e, state.language));
    }
}

void checkClockRate(AppState& state, Dialogs& dialogs, QWidget* parent) {
    SystemClock clock;
    checkClockRate(state, dialogs, parent, clock);
}

Preview3DBox::Preview3DBox(const AppState& state, QWidget* parent) : QGroupBox(parent), state_(state) {
    setObjectName(QStringLiteral("GroupBox_3D_Ansicht"));
    captions_.add(this, kTitle);
    // With the preview switched off no OpenGL call is made at all.
    if (state.preview3d && openGlAvailable()) {
        glPanel_ = new PreviewPanel(projection_, modelView_, scene_, this);
        panel_ = glPanel_;
    } else {
        note_ = new QLabel(this);
        note_->setWordWrap(true);
        note_->setAlignment(Qt::AlignCenter);
        panel_ = note_;
    }
    named(panel_, "Panel_OpenGl");
    panel_->setMinimumSize(160, 120);
    panel_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    panel_->installEventFilter(this);

    Panel_3DMenue = named(new QWidget(this), "Panel_3DMenue");
    auto* menu = new QVBoxLayout(Panel_3DMenue);
    menu->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < presetButtons_.size(); ++i) {
        const ViewPreset& preset = viewPresets()[i];
        presetButtons_[i] =
            captions_.add(named(new QPushButton(Panel_3DMenue), preset.button), kPresetCaptions[i]);
        menu->addWidget(presetButtons_[i]);
        connect(presetButtons_[i], &QPushButton::clicked, this, [this, &preset] { Button_AnsichtClick(preset); });
    }
    CheckBox_Bodenplatte =
        captions_.add(named(new QCheckBox(Panel_3DMenue), "CheckBox_Bodenplatte"), kGroundPlate);
    CheckBox_Bodenplatte->setChecked(true);
    menu->addWidget(CheckBox_Bodenplatte);
    hint_ = captions_.add(named(new QLabel(Panel_3DMenue), "Label_Hinweis"), kMouseHint);
    hint_->setWordWrap(true);
    menu->addWidget(hint_);
    menu->addStretch(1);
    Panel_3DMenue->hide();

    Panel_3DMenueEin = named(new QPushButton(QStringLiteral(">>"), this), "Panel_3DMenueEin");
    Panel_3DMenueEin->setFixedWidth(40);
    Label_Zoom = named(new QLabel(this), "Label_Zoom");
    TrackBar1 = named(new QSlider(Qt::Vertical, this), "TrackBar1");
    TrackBar1->setRange(kZoomMinimum, kZoomMaximum);
    TrackBar1->setValue(camera_.zoomPosition);
    TrackBar1->setInvertedAppearance(true);  // the far end at the top
    Label_Zoom->setText(fromCp1252(zoomLabel(camera_.zoomPosition)).replace(QLatin1Char('\r'), QLatin1Char('\n')));

    auto* side = new QVBoxLayout;
    side->addWidget(Panel_3DMenueEin);
    side->addWidget(Label_Zoom);
    side->addWidget(TrackBar1, 1, Qt::AlignHCenter);
    auto* row = new QHBoxLayout(this);
    row->addWidget(panel_, 1);
    row->addWidget(Panel_3DMenue);
    row->addLayout(side);

    connect(TrackBar1, &QSlider::valueChanged, this, &Preview3DBox::TrackBar1Change);
    connect(Panel_3DMenueEin, &QPushButton::clicked, this, [this] { Panel_3DMenueEinClick(Panel_3DMenueEin); });
    connect(CheckBox_Bodenplatte, &QCheckBox::toggled, this,
            [this] { Panel_3DMenueEinClick(CheckBox_Bodenplatte); });
    SpracheAnpassen();
}

void Preview3DBox::SpracheAnpassen() {
    const Language l = state_.language;
    captions_.apply(l);
    if (note_) note_->setText(tx(state_.preview3d ? kNoOpenGl : kSwitchedOff, l));
}

void Preview3DBox::Neuzeichnen() {
    // Showing the box may run events that ask for another redraw; that one is dropped.
    if (drawing_) return;
    const QScopedValueRollback<bool> busy(drawing_, true);
    PreviewFrame frame;
    try {
        frame = preparePreviewFrame(camera_, state_.project.daten, markiertesObjekt_,
                                    CheckBox_Bodenplatte->isChecked(), panel_->width(), panel_->height());
        // The zoom distance follows the extent of the previous frame: after a new extent
        // (another project, the first objects) the frame is prepared once more, so the
        // first picture of a project is not taken from far too close.
        if (frame.projection) {
            const auto projection = frame.projection;
            frame = preparePreviewFrame(camera_, state_.project.daten, markiertesObjekt_,
                                        CheckBox_Bodenplatte->isChecked(), panel_->width(), panel_->height());
            if (!frame.projection) frame.projection = projection;
        }
    } catch (const std::exception&) {
        return;  // a text the editor did not write: the last picture stays
    }
    if (!frame.scene.extent.hasObjects) {
        hide();
        return;
    }
    if (isHidden()) setVisible(true);
    modelView_ = frame.modelView;
    scene_ = std::move(frame.scene);
    // The plate's compass letters: a vertical target seen from above is a bare line.
    const auto letters = compassLetters(scene_.extent, state_.language);
    scene_.primitives.insert(scene_.primitives.end(), letters.begin(), letters.end());
    if (frame.projection) {
        projection_ = *frame.projection;
        emit extentChanged(camera_.letzteAusdehnung);
    }
    if (glPanel_) glPanel_->update();
}

void Preview3DBox::highlightObject(int objectNr) {
    if (objectNr == markiertesObjekt_) return;
    markiertesObjekt_ = objectNr;
    Neuzeichnen();
}

void Preview3DBox::watchObjectList(QAbstractItemView* list) {
    objectList_ = list;
    objectListViewport_ = list->viewport();
    list->viewport()->setMouseTracking(true);
    list->viewport()->installEventFilter(this);
}

void Preview3DBox::Button_AnsichtClick(const ViewPreset& preset) {
    applyPreset(camera_, preset);
    Panel_3DMenueEinClick(nullptr);
}

void Preview3DBox::TrackBar1Change(int position) {
    camera_.zoomPosition = position;
    Label_Zoom->setText(fromCp1252(zoomLabel(position)).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    Neuzeichnen();
}

void Preview3DBox::Panel_3DMenueEinClick(QObject* sender) {
    // Wide enough for the ground-plate switch in the font and language it has now.
    Panel_3DMenue->setFixedWidth(std::max(190, CheckBox_Bodenplatte->sizeHint().width()));
    Panel_3DMenue->setVisible(sender == Panel_3DMenueEin && Panel_3DMenue->isHidden());
    Panel_3DMenueEin->setText(Panel_3DMenue->isHidden() ? QStringLiteral(">>") : QStringLiteral("<<"));
    Neuzeichnen();
}

bool Preview3DBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panel_) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove) panelMouse(event);
        if (event->type() == QEvent::Resize)
            projection_ = resizeProjection(camera_, panel_->width(), panel_->height());
    } else if (objectListViewport_ && watched == objectListViewport_) {
        if (event->type() == QEvent::MouseMove && objectList_) {
            const QModelIndex row = objectList_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            highlightObject(row.isValid() ? row.row() + 1 : 0);
        } else if (event->type() == QEvent::Leave) {
            highlightObject(0);
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void Preview3DBox::panelMouse(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    // Only the left or the right button alone turns or pans.
    DragButtons buttons = DragButtons::Other;
    if (mouse->modifiers() == Qt::NoModifier) {
        if (mouse->buttons() == Qt::LeftButton) buttons = DragButtons::LeftOnly;
        if (mouse->buttons() == Qt::RightButton) buttons = DragButtons::RightOnly;
    }
    if (buttons == DragButtons::Other) return;
    if (event->type() == QEvent::MouseButtonPress)
        mouseDown(camera_, at.x(), at.y());
    else if (mouseMove(camera_, buttons, at.x(), at.y()))
        Neuzeichnen();
}

}  // namespace penumbro::ui
