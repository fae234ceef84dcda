// The plain-surface panels driven as a user: typing, clicks, the grid and the u-v form.

#include "ScriptedDialogs.h"

#include "editor/panels/PanelFields.h"
#include "support/SampleProjects.h"
#include "ui/InputControls.h"
#include "ui/SurfaceForms.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;

namespace {

template <class W = QLineEdit>
W* child(QWidget* form, const char* name) {
    W* w = form->findChild<W*>(QString::fromLatin1(name));
    if (!w) qFatal("no control %s", name);
    return w;
}

void type(QWidget* form, const char* name, const QString& text) {
    auto* e = child(form, name);
    e->clear();
    QTest::keyClicks(e, text);
}

void click(QWidget* form, const char* name) { QTest::mouseClick(child<QPushButton>(form, name), Qt::LeftButton); }

// Types into a grid cell through its cell editor, as the user does.
void typeCell(QTableWidget* grid, int row, int column, const QString& text) {
    grid->setCurrentCell(row, column);
    grid->editItem(grid->item(row, column));
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor closes through a queued call
}

}  // namespace

class SurfaceFormsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { dialogs_.messages.clear(); }
    void rectangleOkFollowsFields_data();
    void rectangleOkFollowsFields();
    void rectangleGivesTheCoreLinesAndFollowsTheCompass();
    void polygonCountAndGrid();
    void reservedNameSendsFocusBack();
    void tabInTheCornerGridSkipsTheLabels();
    void overhangNameAndUvRectangle();
    void targetChooser();

private:
    ScriptedDialogs dialogs_;
};

void SurfaceFormsTest::rectangleOkFollowsFields_data() {
    QTest::addColumn<QStringList>("fields");  // Edit1..Edit10
    QTest::addColumn<bool>("ok");
    const QStringList good{"Kollektor", "4", "3", "0", "0", "180", "45", "12", "12", "5"};
    auto with = [&](int i, const QString& v) { QStringList f = good; f[i] = v; return f; };
    QTest::newRow("valid") << good << true;
    QTest::newRow("no name") << with(0, "") << false;
    QTest::newRow("reserved name") << with(0, "baum") << false;
    QTest::newRow("zero length") << with(1, "0") << false;
    QTest::newRow("letters filtered") << with(3, "x") << false;  // typed "x" leaves the field empty
    QTest::newRow("azimuth 360") << with(5, "360") << true;
    QTest::newRow("azimuth 361") << with(5, "361") << false;
    QTest::newRow("elevation -91") << with(6, "-91") << false;
    QTest::newRow("comma decimal") << with(9, "5,5") << true;
}

void SurfaceFormsTest::rectangleOkFollowsFields() {
    QFETCH(QStringList, fields);
    QFETCH(bool, ok);
    RectangleForm form(dialogs_);
    QSignalSpy changed(&form, &EditorForm::changed);
    for (int i = 0; i < 10; ++i) type(&form, ("Edit" + std::to_string(i + 1)).c_str(), fields[i]);
    QCOMPARE(form.okEnabled(), ok);
    QVERIFY(changed.count() >= 10);
}

void SurfaceFormsTest::rectangleGivesTheCoreLinesAndFollowsTheCompass() {
    RectangleForm form(dialogs_);
    form.show();
    const char* values[] = {"Kollektor", "4", "3", "0", "0", "180", "45", "12", "12", "5"};
    for (int i = 0; i < 10; ++i) type(&form, ("Edit" + std::to_string(i + 1)).c_str(), values[i]);
    QTest::mouseClick(child<QCheckBox>(&form, "CheckBox1"), Qt::LeftButton, {}, QPoint(5, 5));
    // The shared sample keeps no local corners: compare name, placement and vertices.
    const Lines out = form.fields().generate(Language::German), want = testing::collectorSurface();
    QCOMPARE(out.size(), want.size());
    for (std::size_t i : {0, 1, 2, 7, 8, 9, 10, 11}) QCOMPARE(out[i], want[i]);

    auto* kompass = child<TKompass>(&form, "Kompass1");
    QCOMPARE(kompass->Position(), 180.0);
    type(&form, "Edit6", "-5");  // invalid: the compass stays
    QCOMPARE(kompass->Position(), 180.0);
    QTest::mouseClick(kompass, Qt::LeftButton, {}, QPoint(kompass->width() - 2, kompass->height() / 2));
    QCOMPARE(child(&form, "Edit6")->text(), QStringLiteral("90.0"));
    QVERIFY(form.okEnabled());
}

void SurfaceFormsTest::polygonCountAndGrid() {
    PolygonForm form(dialogs_);
    form.show();
    auto* button5 = child<QPushButton>(&form, "Button5");
    for (auto [count, enabled] : {std::pair{"2", false}, {"3", true}, {"12", true}, {"13", false}, {"x4", true}}) {
        type(&form, "Edit12", QString::fromLatin1(count));
        QCOMPARE(button5->isEnabled(), enabled);
    }
    for (auto [field, value] : {std::pair{"Edit11", "Dreieck"}, {"Edit18", "1"}, {"Edit19", "2"}, {"Edit20", "3"}})
        type(&form, field, QString::fromLatin1(value));
    type(&form, "Edit12", "3");
    click(&form, "Button5");
    auto* grid = child<QTableWidget>(&form, "StringGrid1");
    QVERIFY(child<QWidget>(&form, "Panel1")->isVisible());
    QCOMPARE(grid->rowCount(), 3);
    QVERIFY(grid->item(2, 0)->text().endsWith(QStringLiteral(" 3")));
    const QString cells[3][2] = {{"0", "0"}, {"2,5", "0"}, {"1", "a"}};  // "a" is filtered: an empty cell
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) typeCell(grid, r, c + 1, cells[r][c]);
    QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("2.5"));
    click(&form, "P_Btn");
    QCOMPARE(dialogs_.messages.size(), std::size_t(1));
    QVERIFY(grid->isVisible() && !form.okEnabled());
    typeCell(grid, 2, 2, "2");
    click(&form, "P_Btn");
    QVERIFY(!grid->isVisible() && form.okEnabled());

    PolygonPanel core;  // as the command line fills it
    applyFields(core, {{"name", "Dreieck"}, {"corners", "0,0;2.5,0;1,2"}, {"x", "1"}, {"y", "2"}, {"z", "3"}},
                Language::German);
    QCOMPARE(form.polygonFields().generate(Language::German), core.generate(Language::German));
    type(&form, "Edit12", "4");  // a new count needs a new confirmation
    QVERIFY(!form.okEnabled());
}

void SurfaceFormsTest::reservedNameSendsFocusBack() {
    PolygonForm form(dialogs_);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* name = child(&form, "Edit11");
    name->setFocus();
    QTest::keyClicks(name, "Target");
    child(&form, "Edit12")->setFocus();
    QTRY_VERIFY(name->hasFocus());
    QCOMPARE(dialogs_.messages.size(), std::size_t(1));
}

void SurfaceFormsTest::overhangNameAndUvRectangle() {
    PolygonForm form(dialogs_);
    form.show();
    form.prepareOverhang(1);
    QVERIFY(form.overhangMode() && !child<QCheckBox>(&form, "CheckBox2")->isEnabled());
    type(&form, "Edit11", "1Vor1dach");
    QCOMPARE(child(&form, "Edit11")->text(), QStringLiteral("Vor1dach"));
    click(&form, "uvRechteck");
    QVERIFY(child<QWidget>(&form, "Panel3")->isVisible());
    QCOMPARE(child(&form, "EditLaengeU")->text(), QStringLiteral("0"));
    type(&form, "EditLaengeU", "-1");
    click(&form, "BitBtn1");
    QCOMPARE(dialogs_.messages.size(), std::size_t(1));
    QVERIFY(child<QWidget>(&form, "Panel3")->isVisible() && !form.okEnabled());
    const char* uv[][2] = {{"EditLaengeU", "4"}, {"EditLaengeV", "1"}, {"EditU", "0"}, {"EditV", "3"},
                           {"Edit33", "0"}, {"Edit34", "-90"}};
    for (auto [field, value] : uv) type(&form, field, QString::fromLatin1(value));
    click(&form, "BitBtn1");
    QVERIFY(!child<QWidget>(&form, "Panel3")->isVisible());
    QCOMPARE(child(&form, "Edit12")->text(), QStringLiteral("4"));
    QVERIFY(form.okEnabled());
    // Beside OK while the overhang would stand inside the wall; OK stays enabled.
    auto* warning = child<QLabel>(&form, "overhangWarning");
    QVERIFY(!warning->isVisible());
    type(&form, "Edit34", "90");
    QVERIFY(warning->isVisible() && form.okEnabled());
    QVERIFY(warning->text().contains(QStringLiteral("Targetebene")));
    type(&form, "Edit34", "-90");
    QVERIFY(!warning->isVisible());

    OverhangPanel core;
    core.targetNumber = 1, core.name = "Vor1dach";
    core.azimuthDifference = "0", core.elevationDifference = "-90";
    core.form = {"4", "1", "0", "3"};
    QVERIFY(!core.applyUvRectangle(Language::German));
    const Lines text = testing::collectorProject();
    QCOMPARE(form.overhangFields().generate(text, Language::German), core.generate(text, Language::German));
}

void SurfaceFormsTest::targetChooser() {
    TargetChooser chooser(dialogs_);
    chooser.show();
    chooser.fill({{"Kollektor\t (Target)", 1}, {"Fenster\t (Target)", 3}});
    QSignalSpy chosen(&chooser, &TargetChooser::chosen);
    click(&chooser, "TargetF_OK");  // nothing selected: the notice, then the first target
    QCOMPARE(dialogs_.messages.size(), std::size_t(1));
    auto* list = child<QListWidget>(&chooser, "ListBoxTargetF");
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(chosen.count(), 2);
    QCOMPARE(chosen[0][0].toInt(), 1);
    QCOMPARE(chosen[1][0].toInt(), 3);
    QCOMPARE(dialogs_.messages.size(), std::size_t(1));
}

void SurfaceFormsTest::tabInTheCornerGridSkipsTheLabels() {
    PolygonForm form(dialogs_);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    type(&form, "Edit12", "5");
    click(&form, "Button5");
    auto* grid = child<QTableWidget>(&form, "StringGrid1");
    // Typed as a user does: a value, Tab, the next value, Tab, ... from the first u cell.
    for (const char* value : {"0", "0", "0", "2", "1", "3", "2", "2", "2", "0"}) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(value));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QApplication::processEvents();
    QStringList corners;
    for (int r = 0; r < grid->rowCount(); ++r)
        corners << grid->item(r, 1)->text() + QLatin1Char(' ') + grid->item(r, 2)->text();
    QCOMPARE(corners, QStringList({"0 0", "0 2", "1 3", "2 2", "2 0"}));
    // Backtab walks back the same way, into the last v cell from the first u cell.
    grid->setCurrentCell(1, 1);
    QTest::keyClick(grid, Qt::Key_Backtab);
    QCOMPARE(std::pair(grid->currentRow(), grid->currentColumn()), std::pair(0, 2));
}

QTEST_MAIN(SurfaceFormsTest)
#include "tst_surfaceforms.moc"
