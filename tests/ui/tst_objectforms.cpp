// The house, tree, site, ground-reflectance and horizon panels, driven as a user would.

#include "ScriptedDialogs.h"

#include "editor/HorizonImport.h"
#include "project/FileIo.h"
#include "support/TempDir.h"
#include "ui/InputControls.h"
#include "ui/ObjectForms.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;

namespace {

template <class W = QLineEdit>
W* child(QWidget& form, const char* name) {
    W* w = form.findChild<W*>(QString::fromLatin1(name));
    if (!w) qFatal("no control %s", name);
    return w;
}

// Selects the field's text and types over it.
void type(QWidget* field, const QString& text) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void click(QWidget& form, const char* button) { QTest::mouseClick(child<QAbstractButton>(form, button), Qt::LeftButton); }

const HousePanel kHouse{"", "13", "5", "7", "3", "90", "4", "5", "0"};
const TreePanel kTree{"", "3", "0.5", "4", "0", "0", "0"};

}  // namespace

class ObjectFormsTest : public QObject {
    Q_OBJECT
private slots:
    void houseTypedGivesTheGeneratorsLines();
    void okFollowsTheFields();
    void scheduleFromTheTreeOpensInTheReflectancePanel();
    void siteBarsAndSpinEditsFollowEachOther();
    void horizonGridAndImport();
    void bothLanguagesFitTheColumn();
};

void ObjectFormsTest::houseTypedGivesTheGeneratorsLines() {
    ScriptedDialogs d;
    HouseForm f(d);
    int changes = 0;
    connect(&f, &EditorForm::changed, [&] { ++changes; });
    const QImage before = child<QWidget>(f, "Image_Hauslage")->grab().toImage();
    for (auto [field, text] : {std::pair{"Edit22", "13"}, {"Edit23", "5"}, {"Edit24", "7"}, {"Edit25", "3"},
                               {"Edit13", "90"}, {"Edit14", "4,0"}, {"Edit15", "5"}, {"Edit21", "0"}})
        type(child(f, field), QString::fromLatin1(text));
    QVERIFY(changes >= 8);
    QVERIFY(f.okEnabled());
    House h{"", 13, 5, 7, 3, 90, {4, 5, 0}};
    QCOMPARE(f.fields().generate(Language::German), generateHouse(h));
    QVERIFY(child<QWidget>(f, "Image_Hauslage")->grab().toImage() != before);
}

void ObjectFormsTest::okFollowsTheFields() {
    const std::tuple<bool, const char*, const char*, bool> cases[] = {{true, "Edit13", "360", true},  {true, "Edit13", "360.5", false},
                          {true, "Edit22", "-1", false},  {true, "Edit24", "", false},
                          {false, "Edit32", "0", true},   {false, "Edit31", "-1", false},
                          {false, "Edit27", "", false},   {false, "jan", "101", false}};
    ScriptedDialogs d;
    for (const auto& [house, field, text, ok] : cases) {
        HouseForm h(d);
        TreeForm t(d);
        h.fill(kHouse);
        t.fill(kTree);
        EditorForm& f = house ? static_cast<EditorForm&>(h) : t;
        QVERIFY(f.okEnabled());
        type(child<QWidget>(f, field), QString::fromLatin1(text));
        QVERIFY2(f.okEnabled() == ok, field);
    }
}

void ObjectFormsTest::scheduleFromTheTreeOpensInTheReflectancePanel() {
    testing::TempDir dir("objectforms");
    ScriptedDialogs d;
    TreeForm t(d);
    ReflectanceForm r(d);
    const char* months[] = {"jan", "feb", "mrz", "apr", "mai", "jun", "jul", "aug", "sep", "okt", "nov", "dez"};
    const MonthlyValues v{0, 5, 100, 20, 35, 50, 65, 80, 95, 1, 99, 42};
    for (std::size_t m = 0; m < 12; ++m) type(child<QWidget>(t, months[m]), QString::number(v[m]));
    d.fileNames = {QString::fromStdString(dir.path("laub"))};  // the extension comes from the dialog's default
    click(t, "Ba_Schedule_speichern_unter");
    d.fileNames = {QString::fromStdString(dir.path("laub.sch"))};
    click(r, "Bo_Schedule_oeffnen");
    QCOMPARE(*r.values(), v);
    QVERIFY(d.messages.empty());

    d.fileNames = {QString::fromStdString(dir.write("kurz.sch", "12345"))};
    click(r, "Bo_Schedule_oeffnen");
    QVERIFY(d.saw(QStringLiteral("kurz.sch")));
    QCOMPARE(*r.values(), v);
    type(child<QWidget>(r, "B_Mai"), QStringLiteral("101"));
    QVERIFY(!child<QWidget>(r, "Boden_OK")->isEnabled());
}

void ObjectFormsTest::siteBarsAndSpinEditsFollowEachOther() {
    ScriptedDialogs d;
    SiteForm f(d);
    f.fill({-33.9, -18.4, -2});
    QCOMPARE(child<QScrollBar>(f, "ScrollBar1")->value(), -34);
    QCOMPARE(child<QScrollBar>(f, "ScrollBar2")->value(), -18);
    auto* latitude = child<TSpinEditExt>(f, "SpinEditExt1");
    auto* bar = child<QScrollBar>(f, "ScrollBar1");
    type(latitude, QStringLiteral("51,5"));
    QCOMPARE(bar->value(), 52);
    QCOMPARE(f.values()->latitude, 51.5);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(latitude->text(), QStringLiteral("51.0"));
    QCOMPARE(child<TSpinEditExt>(f, "SpinEditExt2")->text(), QStringLiteral("-18.0"));

    int ok = 0;
    connect(&f, &EditorForm::okClicked, [&] { ++ok; });
    click(f, "GeoLage_OK");
    type(latitude, QStringLiteral("95"));
    QVERIFY(!f.okEnabled() && !child<QWidget>(f, "GeoLage_OK")->isEnabled());
    QCOMPARE(ok, 1);
}

void ObjectFormsTest::horizonGridAndImport() {
    ScriptedDialogs d;
    HorizonForm f(d);
    const std::vector<HorizonRow> rows{{"0", "90", "12.5"}, {"", "", ""}, {"90", "180", "abc"}};
    f.fill(rows);
    std::vector<HorizonRow> back = f.rows();
    QCOMPARE(back.size(), kHorizonRows);
    QVERIFY(std::vector<HorizonRow>(back.begin(), back.begin() + 3) == rows && back.back() == HorizonRow{});

    auto* grid = child<QTableWidget>(f, "StringGrid2");
    grid->editItem(grid->item(1, 2));
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("7,5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate commits through a queued call
    QCOMPARE(f.rows()[1].height, std::string("7.5"));

    // A file, whether its points became fewer intervals (a note), whether it is refused.
    testing::TempDir dir("horizon");
    std::string many = "azimuth,elevation\n";
    for (int a = 0; a < 360; a += 7) many += std::to_string(a) + "," + std::to_string(a % 13) + "\n";
    const std::tuple<const char*, std::string, bool, bool> files[] = {
        {"four.csv", "0,10\n90,10\n180,10\n270,10\n", false, true},
        {"many.csv", many, true, true},
        {"bad.csv", "0,10\n90,abc\n", true, false}};
    for (const auto& [name, bytes, message, good] : files) {
        f.fill(rows);
        d.messages.clear();
        const std::string path = dir.write(name, bytes);
        d.fileNames = {QString::fromStdString(path)};
        click(f, "Horizont_Importieren");
        QVERIFY2(d.messages.empty() != message, name);
        back = f.rows();
        if (!good) {
            QVERIFY(d.saw(QStringLiteral("bad.csv")) && back[2] == rows[2]);
            continue;
        }
        const auto expected =
            reduceHorizonProfile(readHorizonProfile(bytes, path, HorizonProfileFormat::Csv, AzimuthOrigin::North)).rows;
        QVERIFY(std::vector<HorizonRow>(back.begin(), back.begin() + expected.size()) == expected);
        QVERIFY(expected.size() == kHorizonRows || back[expected.size()] == HorizonRow{});
    }
}

void ObjectFormsTest::bothLanguagesFitTheColumn() {
    ScriptedDialogs d;
    HouseForm house(d);
    TreeForm tree(d);
    SiteForm site(d);
    ReflectanceForm reflectance(d);
    HorizonForm horizon(d);
    for (EditorForm* f : std::initializer_list<EditorForm*>{&house, &tree, &site, &reflectance, &horizon}) {
        QStringList german;
        for (auto* l : f->findChildren<QLabel*>()) german << l->text();
        const QString title = f->title();
        f->SpracheAnpassen(Language::English);
        QVERIFY2(f->title() != title, qPrintable(title));
        const QSize size = f->minimumSizeHint();
        QVERIFY2(size.width() <= 560 && size.height() <= 600, qPrintable(title));
        f->SpracheAnpassen(Language::German);
        QStringList again;
        for (auto* l : f->findChildren<QLabel*>()) again << l->text();
        QCOMPARE(again, german);
    }
}

QTEST_MAIN(ObjectFormsTest)
#include "tst_objectforms.moc"
