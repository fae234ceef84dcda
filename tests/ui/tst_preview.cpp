// The editor's 3D preview. Under a real X server with software OpenGL (the xvfb-run
// variant of this test) the picture is checked pixel by pixel; on the offscreen
// platform the panel is the note and everything else must still work.

#include "ScriptedDialogs.h"

#include "project/ProjectFile.h"
#include "support/SampleProjects.h"
#include "support/TempDir.h"
#include "ui/AppState.h"
#include "ui/Preview3D.h"
#include "views/ClockRate.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QOpenGLWidget>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

using namespace penumbro;
using namespace penumbro::ui;

namespace {

using Rgb = std::array<int, 3>;
const Rgb kWhite{255, 255, 255}, kBlue{0, 0, 255}, kYellow{255, 255, 0}, kHouse{179, 179, 179},
    kRoof{230, 128, 128}, kCrown{0, 179, 0}, kGreen{0, 255, 0};

// Where a project point (x east, y north, z up) lands in the panel, by the camera's
// transforms and the 45-degree perspective.
QPoint pixelOf(const Camera& camera, QSize size, double x, double y, double z) {
    const auto eye = toEye(modelView(camera), {x, z, -y});
    const double f = 1.0 / std::tan(std::numbers::pi / 8.0);
    const double aspect = double(size.width()) / size.height();
    const double nx = f / aspect * eye[0] / -eye[2], ny = f * eye[1] / -eye[2];
    return {int((nx + 1) / 2 * size.width()), int((1 - ny) / 2 * size.height())};
}

bool near(QRgb pixel, const Rgb& rgb) {
    return std::max({std::abs(qRed(pixel) - rgb[0]), std::abs(qGreen(pixel) - rgb[1]), std::abs(qBlue(pixel) - rgb[2])}) <= 2;
}

struct Probe { double x, y, z; Rgb colour; };

struct FakeClock : ClockSource {
    FakeClock(unsigned r, unsigned m) : read(r), measured(m) {}
    unsigned read, measured;
    unsigned Taktfrequenz_lesen() override { return read; }
    unsigned Taktfrequenz_messen() override { return measured; }
};

}  // namespace

class PreviewTest : public QObject {
    Q_OBJECT
    testing::TempDir dir{"preview"};
    AppState state;
    std::unique_ptr<Preview3DBox> box;

    template <class T>
    T* child(const char* name) const { return box->findChild<T*>(QString::fromLatin1(name)); }
    QImage picture() const { return static_cast<QOpenGLWidget*>(box->panel())->grabFramebuffer(); }
    // As the user does it: open the menu, press the button (the menu closes again).
    void choose(const char* button) {
        QTest::mouseClick(child<QPushButton>("Panel_3DMenueEin"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }

private slots:
    void init() {
        state.configDir = dir.path("");
        state.language = Language::English;
        state.project.daten = loadProjectFile(testing::examplePath("collector.dat")).lines;
        box = std::make_unique<Preview3DBox>(state);
        box->resize(640, 480);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        box->Neuzeichnen();
    }
    void cleanup() { box.reset(); }

    void panelOrNote() {
        if (qEnvironmentVariableIsSet("PENUMBRO_EXPECT_OPENGL")) QVERIFY(box->hasOpenGl());
        auto* note = qobject_cast<QLabel*>(box->panel());
        QCOMPARE(note == nullptr, box->hasOpenGl());
        if (note) QVERIFY(note->text().contains(QStringLiteral("OpenGL")));
    }

    // After each view button: the colours where target, house and crown project, the
    // ground plate from the sky, white sky (x = y = z = 0 stands for the top corner).
    void views() {
        if (!box->hasOpenGl()) QSKIP("no OpenGL on this platform");
        const Probe target{12, 12.7, 3.7, kBlue}, crown{18, 4, 6, kCrown}, sky{0, 0, 0, kWhite};
        // The very first picture of a project is already at the zoom of its extent.
        const QImage first = picture();
        QVERIFY(near(first.pixel(pixelOf(box->camera(), first.size(), target.x, target.y, target.z)), kBlue));
        const std::vector<std::pair<const char*, std::vector<Probe>>> views = {
            {"Button_Aufsicht", {target, {7, -2, 8.9, kRoof}, {18, 4, 9, kCrown}, {1, -1, 0, kGreen}}},
            {"Button_NordAnsicht", {target, crown, {4, 2, 4.5, kHouse}, sky}},
            {"Button_Suedansicht", {crown, {7, -6, 3, kHouse}, sky}},
            {"Button_Ostansicht", {crown, {12, -3, 3, kHouse}, sky}},
            {"Button_Westansicht", {crown, {2, -2, 3, kHouse}, sky}}};
        for (const auto& [button, probes] : views) {
            choose(button);
            const QImage image = picture();
            for (const Probe& p : probes) {
                const QPoint at = p.colour == kWhite ? QPoint(2, 2) : pixelOf(box->camera(), image.size(), p.x, p.y, p.z);
                QVERIFY2(near(image.pixel(at), p.colour), qPrintable(QStringLiteral("%1: %2 %3 %4 at %5,%6").arg(button)
                                                                         .arg(p.x).arg(p.y).arg(p.z).arg(at.x()).arg(at.y())));
            }
        }
    }

    void hoverHighlightsAndPlateGoes() {
        if (!box->hasOpenGl()) QSKIP("no OpenGL on this platform");
        QListWidget list;
        list.addItems({QStringLiteral("Kollektor"), QStringLiteral("Nachbarhaus")});
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        box->watchObjectList(&list);
        choose("Button_Aufsicht");
        QTest::mouseMove(list.viewport(), list.visualItemRect(list.item(0)).center());
        QCOMPARE(box->markiertesObjekt(), 1);
        const QImage lit = picture();
        QVERIFY(near(lit.pixel(pixelOf(box->camera(), lit.size(), 12, 12.7, 3.7)), kYellow));

        QTest::mouseClick(child<QPushButton>("Panel_3DMenueEin"), Qt::LeftButton);
        QTest::mouseClick(child<QCheckBox>("CheckBox_Bodenplatte"), Qt::LeftButton);
        const QImage image = picture();
        int green = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) green += near(image.pixel(x, y), kGreen);
        QCOMPARE(green, 0);
    }

    // Works on the note as on the picture: the camera lives in the box.
    void leftDragTurns() {
        choose("Button_Suedansicht");
        QWidget* panel = box->panel();
        QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(20, 60));
        QTest::mouseMove(panel, QPoint(220, 60));
        QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(220, 60));
        QCOMPARE(box->camera().drehwinkelY, -160);
    }

    // Dragging up or down as far as the mouse goes: the camera stops at the horizontal
    // and at straight down, never under the plate.
    void tiltStaysAboveThePlate() {
        QWidget* panel = box->panel();
        for (auto [preset, dy, tilt] : {std::tuple{"Button_Aufsicht", -400, 0}, {"Button_Suedansicht", 400, 90},
                                        {"Button_Suedansicht", -400, 0}}) {
            choose(preset);
            QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(100, 200));
            QTest::mouseMove(panel, QPoint(100, 200 + dy));
            QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(100, 200 + dy));
            QCOMPARE(box->camera().drehwinkelX, tilt);
        }
    }

    // The horizon walls in every direction, also across the ring; the compass letters on
    // the plate from above.
    void horizonAllRoundAndCompassLetters() {
        if (!box->hasOpenGl()) QSKIP("no OpenGL on this platform");
        auto& text = state.project.daten;
        text.insert(std::find(text.begin(), text.end(), "Standort"), {"Horizont", "0-360=10"});
        box->Neuzeichnen();
        const Rgb kWall{204, 204, 204};
        for (const char* view : {"Button_NordAnsicht", "Button_Suedansicht", "Button_Ostansicht", "Button_Westansicht"}) {
            choose(view);
            const QImage image = picture();
            // Straight ahead, where the ring is farthest from the eye.
            int wall = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = image.width() / 2 - 10; x <= image.width() / 2 + 10; ++x) wall += near(image.pixel(x, y), kWall);
            QVERIFY2(wall > 21 * 5, view);
        }
        choose("Button_Aufsicht");
        const QImage top = picture();
        const double e = box->camera().letzteAusdehnung;
        for (auto [x, y] : {std::pair{0.0, 1.15}, {1.15, 0.0}, {0.0, -1.15}, {-1.15, 0.0}}) {
            const QPoint centre = pixelOf(box->camera(), top.size(), x * e, y * e, 0);
            int black = 0;
            for (int dy = -15; dy <= 15; ++dy)
                for (int dx = -15; dx <= 15; ++dx) {
                    const QPoint p = centre + QPoint(dx, dy);
                    black += top.rect().contains(p) && near(top.pixel(p), {0, 0, 0});
                }
            QVERIFY2(black > 5, qPrintable(QStringLiteral("letter at %1,%2").arg(x).arg(y)));
        }
    }

    void projectWithoutObjectsHidesBox() {
        state.project.daten = {"* leer", "0"};
        box->Neuzeichnen();
        QVERIFY(box->isHidden());
        state.project.daten = testing::collectorProject();
        box->Neuzeichnen();
        QVERIFY(!box->isHidden());
    }

    // 800 MHz passes, 799 asks; Yes switches the preview off and saves it.
    void clockCheck() {
        struct Row { unsigned read, measured; QMessageBox::StandardButton answer; bool asked, stillOn; };
        for (const Row& r : {Row{800, 0, QMessageBox::Yes, false, true}, Row{799, 0, QMessageBox::Yes, true, false},
                             Row{0, 799, QMessageBox::No, true, true}}) {
            std::filesystem::remove(state.settingsPath());
            state.preview3d = true, state.settings.preview3d = "1";
            FakeClock clock(r.read, r.measured);
            ScriptedDialogs dialogs;
            dialogs.answers.push_back(r.answer);
            checkClockRate(state, dialogs, nullptr, clock);
            QCOMPARE(dialogs.messages.size(), std::size_t(r.asked));
            if (r.asked) QVERIFY(dialogs.saw(QStringLiteral("(ascertained value: 799 MHz))")));
            QCOMPARE(state.preview3d, r.stillOn);
            QCOMPARE(readSettingsFile(state.settingsPath()).preview3d, std::string(r.stillOn ? "1" : "0"));
        }
    }

    void clockFromSystemFiles() {
        const std::string cpuinfo = dir.write("cpuinfo", "processor\t: 0\ncpu MHz\t\t: 2694.894\n");
        QCOMPARE(clockRateFromFiles(dir.write("max", "2400000\n"), cpuinfo), 2400u);
        QCOMPARE(clockRateFromFiles(dir.path("none"), cpuinfo), 2695u);
        QCOMPARE(clockRateFromFiles(dir.path("none"), dir.write("other", "model name\t: x\n")), 0u);
    }
};

QTEST_MAIN(PreviewTest)
#include "tst_preview.moc"
