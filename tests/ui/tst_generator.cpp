// The scene editor driven as a user: the scene it builds must be, byte for byte, the
// file the command line's editing commands build with the same values.

#include "UiFixture.h"

#include "formats/ScheduleFile.h"
#include "ui/Generator.h"
#include "ui/InputControls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTableWidget>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;

namespace {

struct Editor {
    UiEnv env;
    TGenerator* g;
    explicit Editor(const std::string& language = "d") : env(language) {
        env.window->start();
        env.window->show();
        g = env.window->editor();
    }
    template <class W = QWidget>
    W* find(const char* name) {
        W* w = g->findChild<W*>(QString::fromLatin1(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    void click(const char* name) {
        QApplication::processEvents();  // a panel just shown gets its layout
        auto* b = find<QAbstractButton>(name);
        if (!b->isVisible() || !b->isEnabled())
            qFatal("%s cannot be clicked; objects %d; messages: %s", name, int(g->objects().ObjektAnzahl),
                   qPrintable(env.dialogs.all()));
        // A check box takes clicks on its box and label only.
        const bool box = qobject_cast<QCheckBox*>(b) != nullptr;
        QTest::mouseClick(b, Qt::LeftButton, {}, box ? QPoint(8, b->height() / 2) : b->rect().center());
    }
    void type(const char* name, const QString& text) {
        QWidget* w = find(name);
        auto* edit = qobject_cast<QLineEdit*>(w);
        if (!edit) edit = w->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        // Leaving the field is part of typing (name rules, spin-edit checks).
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(w, &out);
    }
    // Fields by name and value, in the panel's order.
    void fill(std::initializer_list<std::pair<const char*, const char*>> fields) {
        for (auto [name, value] : fields) type(name, QString::fromLatin1(value));
    }
    void cells(const char* grid, const std::vector<std::vector<const char*>>& rows) {
        auto* t = find<QTableWidget>(grid);
        for (int r = 0; r < int(rows.size()); ++r)
            for (int c = 0; c < int(rows[r].size()); ++c) {
                const int row = t->rowCount() > int(rows.size()) ? r + 1 : r;
                const int col = t->columnCount() > int(rows[r].size()) ? c + 1 : c;
                if (!t->item(row, col)) t->setItem(row, col, new QTableWidgetItem);
                t->item(row, col)->setText(QString::fromLatin1(rows[r][c]));
            }
    }
    void select(int row) { find<QListWidget>("ListBox1")->setCurrentRow(row); }
    bool okEnabled() { return find<QAbstractButton>("OKBtn")->isEnabled(); }
    Lines text() const { return env.state.project.daten; }
};

// Runs the command-line editing commands on one file and returns its bytes.
std::string viaCli(const std::string& file, const std::vector<QStringList>& commands) {
    for (const QStringList& args : commands) {
        QProcess p;
        p.start(QStringLiteral(PENUMBRO_CLI), QStringList{args.front(), QString::fromStdString(file)} + args.mid(1));
        p.waitForFinished(30000);
        if (p.exitCode() != 0) qWarning("%s: %s", qPrintable(args.join(' ')), p.readAllStandardError().constData());
    }
    return readFileBytes(file);
}

}  // namespace

class GeneratorTest : public QObject {
    Q_OBJECT
private slots:
    void buildsTheSceneTheCommandLineBuilds();
    void changeInsertAndDeleteAsTheCommandLine();
    void invalidInputNeverEnablesOkAndCancelChangesNothing();
    void refusalsSayWhyAndNothingTypedChangesSilently();
    void everyNamedControlExists();
    void enterIsOkAndEscapeIsCancel();
    void horizonPanelRefusesMoreEntriesThanItsGrid();
};

void GeneratorTest::buildsTheSceneTheCommandLineBuilds() {
    Editor e;
    // Target rectangle.
    e.click("Objekt_hinzufuegen");
    e.click("Button_Rechteck");
    e.fill({{"Edit1", "Kollektor"}, {"Edit2", "4"}, {"Edit3", "3"}, {"Edit4", "0"}, {"Edit5", "0"},
            {"Edit6", "180"}, {"Edit7", "45"}, {"Edit8", "12"}, {"Edit9", "12"}, {"Edit10", "5"}});
    e.click("CheckBox1");
    e.click("OKBtn");
    // Polygon; its azimuth set by dragging the compass straight right of its centre.
    e.click("Objekt_hinzufuegen");
    e.click("Button_nEck");
    e.fill({{"Edit11", "Mauer"}, {"Edit12", "3"}, {"Edit17", "0"}, {"Edit18", "0"}, {"Edit19", "20"}, {"Edit20", "0"}});
    auto* compass = e.find<TKompass>("Kompass2");
    QTest::mouseClick(compass, Qt::LeftButton, {}, QPoint(compass->width() - 2, compass->height() / 2));
    e.click("Button5");
    e.cells("StringGrid1", {{"0", "0"}, {"6", "0"}, {"3", "2.5"}});
    e.click("P_Btn");
    e.click("OKBtn");
    // House.
    e.click("Objekt_hinzufuegen");
    e.click("Button_Haus");
    e.fill({{"Hausname", "Nachbar"}, {"Edit22", "13"}, {"Edit23", "5"}, {"Edit24", "7"}, {"Edit25", "3"},
            {"Edit13", "90"}, {"Edit14", "4"}, {"Edit15", "-20"}, {"Edit21", "0"}});
    e.click("OKBtn");
    // Tree with its foliage from a schedule file.
    const std::array<int, 12> foliage{0, 0, 20, 60, 100, 100, 100, 100, 90, 50, 10, 0};
    writeSchedule(e.env.path("linde.sch"), foliage);
    e.click("Objekt_hinzufuegen");
    e.click("Button_Baum");
    e.fill({{"Baumname", "Linde"}, {"Edit30", "5"}, {"Edit31", "0,5"}, {"Edit32", "4"},
            {"Edit27", "-5"}, {"Edit28", "10"}, {"Edit29", "0"}});
    e.env.dialogs.fileNames.push_back(e.env.qpath("linde.sch"));
    e.click("Ba_Schedule_oeffnen");
    e.click("OKBtn");
    // Overhang on the target: u-v rectangle, tilted out of the wall.
    e.click("Objekt_hinzufuegen");
    e.click("Ueberhang");
    e.find<QListWidget>("ListBoxTargetF")->setCurrentRow(0);
    e.click("TargetF_OK");
    e.fill({{"Edit11", "Vordach"}, {"Edit33", "0"}, {"Edit34", "-90"}});
    e.click("uvRechteck");
    e.fill({{"EditLaengeU", "4"}, {"EditLaengeV", "1"}, {"EditU", "0"}, {"EditV", "3"}});
    e.click("BitBtn1");
    e.click("OKBtn");
    // Site, reflectance, horizon, comment.
    e.click("GeoLage_aendern");
    e.fill({{"SpinEditExt1", "51.5"}, {"SpinEditExt2", "-7.5"}, {"SpinEditExt3", "-1"}});
    e.click("GeoLage_OK");
    e.click("Bodenreflexion_aendern");
    const char* months[] = {"B_Jan", "B_Feb", "B_Mrz", "B_Apr", "B_Mai", "B_Jun",
                            "B_Jul", "B_Aug", "B_Sep", "B_Okt", "B_Nov", "B_Dez"};
    for (int m = 0; m < 12; ++m) e.type(months[m], QString::number(m < 2 || m == 11 ? 100 : 20));
    e.click("Boden_OK");
    e.click("Horizontverschattung_aendern");
    e.cells("StringGrid2", {{"90", "180", "12.5"}, {"180", "270", "5"}});
    e.click("Horizont_OK");
    auto* memo = e.find<QPlainTextEdit>("Kommentar");
    QTest::keyClicks(memo, QStringLiteral("Testszene"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("S"));
    memo->insertPlainText(QString::fromLatin1("\xFC"));  // typed with a dead key: no plain key event
    QTest::keyClicks(memo, QStringLiteral("dseite"));
    // Saved from the menu while the memo still has the focus.

    e.env.dialogs.fileNames.push_back(e.env.qpath("gui.dat"));
    QVERIFY(e.env.window->Projektspeichernunter1Click());
    const std::string cli = viaCli(
        e.env.path("cli.dat"),
        {{"new"},
         {"add", "rectangle", "name=Kollektor", "target=1", "lu=4", "lv=3", "u0=0", "v0=0", "azimuth=180",
          "elevation=45", "x=12", "y=12", "z=5"},
         {"add", "polygon", "name=Mauer", "corners=0,0;6,0;3,2.5", "azimuth=90.0", "elevation=0", "x=0", "y=20", "z=0"},
         {"add", "house", "name=Nachbar", "ew-width=13", "ns-width=5", "height=7", "roof=3", "rotation=90", "x=4",
          "y=-20", "z=0"},
         {"add", "tree", "name=Linde", "trunk-height=5", "trunk-diameter=0.5", "crown-diameter=4", "x=-5", "y=10",
          "z=0", "foliage=0,0,20,60,100,100,100,100,90,50,10,0"},
         {"add", "overhang", "name=Vordach", "target=1", "uv-rectangle=4,1,0,3", "azimuth-difference=0",
          "elevation-difference=-90"},
         {"site", "51.5", "-7.5", "-1"},
         {"reflectance", "100,100,20,20,20,20,20,20,20,20,20,100"},
         {"horizon", "90-180=12.5", "180-270=5"},
         {"comment", "Testszene", QString::fromLatin1("S\xFC" "dseite")}});
    QCOMPARE(readFileBytes(e.env.path("gui.dat")), cli);
}

void GeneratorTest::changeInsertAndDeleteAsTheCommandLine() {
    Editor e;
    const std::string file = e.env.path("k.dat");
    viaCli(file, {{"new"},
                                      {"add", "rectangle", "name=Fenster", "target=1", "lu=2", "lv=1.5", "u0=0",
                                       "v0=0", "azimuth=180", "elevation=0", "x=0", "y=0", "z=1"},
                                      {"add", "overhang", "name=Balkon", "corners=0,2;2,2;2,3;0,3",
                                       "azimuth-difference=0", "elevation-difference=-90"},
                                      {"add", "rectangle", "name=Mauer", "lu=5", "lv=2", "u0=0", "v0=0",
                                       "azimuth=180", "x=0", "y=-6", "z=0"}});
    QVERIFY(e.env.window->loadProject(e.env.qpath("k.dat")));
    e.env.window->HauptauswahlClick(1);
    e.g->ListeAufbauen();

    // Change the target: its overhang follows.
    e.select(0);
    e.click("Objekt_aendern");
    e.fill({{"Edit16", "170"}, {"Edit20", "2"}});
    e.click("OKBtn");
    // Insert a rectangle before object 1: the overhang now refers to object 2.
    e.select(0);
    e.click("Objekt_einfuegen");
    e.click("Button_Rechteck");
    e.fill({{"Edit1", "Zaun"}, {"Edit2", "3"}, {"Edit3", "1"}, {"Edit4", "0"}, {"Edit5", "0"}, {"Edit8", "1"},
            {"Edit9", "-9"}, {"Edit10", "0"}});
    e.click("OKBtn");
    // Delete the target (after its warning) with its overhang.
    e.select(1);
    e.click("Objekt_loeschen");
    QCOMPARE(int(e.env.dialogs.messages.size()), 1);

    const Lines cli = splitLines(viaCli(file, {{"change", "1", "azimuth=170", "z=2"},
                                    {"add", "rectangle", "--before", "1", "name=Zaun", "lu=3", "lv=1", "u0=0", "v0=0",
                                     "x=1", "y=-9", "z=0"},
                                    {"delete", "2"}}));
    QCOMPARE(e.text(), cli);
    QCOMPARE(e.find<QListWidget>("ListBox1")->count(), 2);
}

void GeneratorTest::invalidInputNeverEnablesOkAndCancelChangesNothing() {
    Editor e;
    const Lines before = e.text();
    e.click("Objekt_hinzufuegen");
    e.click("Button_Rechteck");
    const std::vector<std::pair<const char*, const char*>> valid{
        {"Edit1", "Wand"}, {"Edit2", "4"}, {"Edit3", "3"}, {"Edit4", "0"}, {"Edit5", "0"},
        {"Edit6", "180"}, {"Edit7", "0"}, {"Edit8", "0"}, {"Edit9", "0"}, {"Edit10", "0"}};
    // Each row spoils one field of a valid panel.
    for (auto [field, bad] : std::vector<std::pair<const char*, const char*>>{
             {"Edit1", ""}, {"Edit1", "Baum"}, {"Edit2", "0"}, {"Edit3", "-1"}, {"Edit6", "360.5"},
             {"Edit7", "91"}, {"Edit8", "-"}, {"Edit10", ""}}) {
        for (auto [name, value] : valid) e.type(name, QString::fromLatin1(value));
        QVERIFY(e.okEnabled());
        e.env.dialogs.messages.clear();
        e.type(field, QString::fromLatin1(bad));
        QVERIFY2(!e.okEnabled(), field);
    }
    e.click("CancelBtn");
    QCOMPARE(e.text(), before);
    QVERIFY(e.find("ListBox1")->isEnabled());
    // The panels with their own buttons: cancel leaves the text alone as well.
    for (auto [open, cancel] : {std::pair{"GeoLage_aendern", "GeoLage_Abbruch"},
                                {"Bodenreflexion_aendern", "Boden_Abbruch"},
                                {"Horizontverschattung_aendern", "BitBtn5"}}) {
        e.click(open);
        e.click(cancel);
        QCOMPARE(e.text(), before);
    }
}

void GeneratorTest::refusalsSayWhyAndNothingTypedChangesSilently() {
    struct Case {
        const char* field;
        const char* typed;
        const char* shown;  // the field's text afterwards
        const char* german;
        const char* english;
    };
    const Case cases[] = {
        {"Edit6", "400", "400", "Azimut: muss zwischen 0 und 360 liegen", "Azimuth: must lie between 0 and 360"},
        {"Edit7", "91", "91", "Elevation: muss zwischen -90 und 90 liegen", "Elevation: must lie between -90 and 90"},
        {"Edit8", "99999999999", "99999999999", "x: muss zwischen -1000000 und 1000000 liegen",
         "x: must lie between -1000000 and 1000000"},
        {"Edit8", "1e12", "1e12", "x: muss zwischen -1000000 und 1000000 liegen",
         "x: must lie between -1000000 and 1000000"},
        {"Edit9", "1.2.3", "1.2.3", "y: keine Zahl: \"1.2.3\"", "y: not a number: \"1.2.3\""},
        {"Edit1", "   ", "   ", "Name: fehlt", "Name: is missing"},
    };
    for (const char* language : {"d", "e"}) {
        Editor e(language);
        e.click("Objekt_hinzufuegen");
        e.click("Button_Rechteck");
        e.fill({{"Edit1", "Wand"}, {"Edit2", "4"}, {"Edit3", "3"}, {"Edit4", "0"}, {"Edit5", "0"}, {"Edit6", "180"},
                {"Edit7", "0"}, {"Edit8", "0"}, {"Edit9", "0"}, {"Edit10", "0"}});
        auto* reason = e.find<QLabel>("okReasonLabel");
        QVERIFY(e.okEnabled() && reason->text().isEmpty());
        for (const Case& c : cases) {
            const QString before = e.find<QLineEdit>(c.field)->text();
            e.type(c.field, QString::fromLatin1(c.typed));
            QCOMPARE(e.find<QLineEdit>(c.field)->text(), QString::fromLatin1(c.shown));
            QVERIFY2(!e.okEnabled(), c.typed);
            QCOMPARE(reason->text(), QString::fromUtf8(language[0] == 'd' ? c.german : c.english));
            QVERIFY(reason->isVisible());
            e.type(c.field, before);
            QVERIFY(e.okEnabled() && reason->text().isEmpty());
        }
        // A key that can never be part of a number is dropped, but not silently.
        auto* x = e.find<QLineEdit>("Edit8");
        const int refused = x->property(kRefusedKeys).toInt();
        x->setFocus();
        QTest::keyClicks(x, QStringLiteral("q"));
        QCOMPARE(x->text(), QStringLiteral("0"));
        QCOMPARE(x->property(kRefusedKeys).toInt(), refused + 1);
        // A blank name creates no object.
        e.type("Edit1", QStringLiteral("  "));
        QVERIFY(!e.okEnabled());
        e.click("CancelBtn");
        QCOMPARE(e.g->objects().ObjektAnzahl, 0);

        // A ground reflectance of 150: refused with the range, set to the bound.
        e.click("Bodenreflexion_aendern");
        e.env.dialogs.messages.clear();
        e.type("B_Mai", QStringLiteral("150"));
        const QString want = language[0] == 'd' ? QString::fromUtf8("Ung\u00fcltige Eingabe ! Erlaubt: 0 bis 100")
                                                : QStringLiteral("Invalid input ! Allowed: 0 to 100");
        QVERIFY2(e.env.dialogs.saw(want), qPrintable(e.env.dialogs.all()));
        QCOMPARE(e.find("B_Mai")->findChild<QLineEdit*>()->text(), QStringLiteral("100"));
        e.click("Boden_Abbruch");
    }
}

void GeneratorTest::everyNamedControlExists() {
    Editor e;
    QStringList names{"ListBox1", "Objekt_hinzufuegen", "Objekt_einfuegen", "Objekt_aendern", "Objekt_loeschen",
                      "Horizontverschattung_aendern", "Objektanzahl", "Kommentar", "GroupBox1", "Panel_OK", "OKBtn",
                      "CancelBtn", "Panel2", "Rechteck", "CheckBox1", "Kompass1", "Neigung1", "n_Eck", "Edit11",
                      "Edit12", "CheckBox2", "Kompass2", "Neigung2", "Button5", "Panel1", "StringGrid1", "P_Btn",
                      "Label125", "Image_nEck", "GroupBox3", "Edit33", "Edit34", "uvRechteck", "Panel3",
                      "EditLaengeU", "EditLaengeV", "EditU", "EditV", "BitBtn1", "BitBtn3", "GroupBoxTargetF",
                      "ListBoxTargetF", "TargetF_OK", "TargetF_Abbruch", "Haus_gen", "Hausname", "Edit13", "Edit14",
                      "Edit15", "Edit21", "Image_Hauslage", "Baum_gen", "Baumname", "GeografischeLage",
                      "Panel_Breitengrad", "Panel_Laengengrad", "Panel_Zeitzone", "GeoLage_aendern",
                      "Bodenreflexion_gen", "Boden_OK", "Boden_Abbruch", "Bodenreflexion_aendern", "Horizont",
                      "StringGrid2", "Horizont_OK", "BitBtn5", "Ueberhang"};
    const char* months[] = {"jan", "feb", "mrz", "apr", "mai", "jun", "jul", "aug", "sep", "okt", "nov", "dez"};
    const char* reflectance[] = {"B_Jan", "B_Feb", "B_Mrz", "B_Apr", "B_Mai", "B_Jun",
                                 "B_Jul", "B_Aug", "B_Sep", "B_Okt", "B_Nov", "B_Dez"};
    for (int i = 0; i < 12; ++i) {
        names << QString::fromLatin1(months[i]) << QString::fromLatin1(reflectance[i])
              << QStringLiteral("Gauge_Bodenreflexion%1").arg(i + 1)
              << QStringLiteral("Label_Bodenreflexion%1").arg(i + 1);
    }
    for (int i = 1; i <= 34; ++i)
        if (i < 11 || (i > 15 && i < 21) || (i > 21 && i < 26) || (i > 26 && i < 33)) names << QStringLiteral("Edit%1").arg(i);
    for (int i = 1; i <= 3; ++i) names << QStringLiteral("ScrollBar%1").arg(i) << QStringLiteral("SpinEditExt%1").arg(i);
    QStringList missing;
    for (const QString& n : names)
        if (!e.g->findChild<QWidget*>(n)) missing << n;
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(' ')));
    // A language switch relabels the open editor.
    e.click("Objekt_hinzufuegen");
    e.env.state.language = Language::English;
    e.g->SpracheAnpassen();
    QCOMPARE(e.find<QAbstractButton>("Button_nEck")->text(), QStringLiteral("Polygon"));
}

void GeneratorTest::enterIsOkAndEscapeIsCancel() {
    Editor e;
    QVERIFY(QTest::qWaitForWindowActive(e.env.window.get()));
    auto key = [&](const char* control, Qt::Key k) {
        QApplication::processEvents();
        QWidget* w = e.find(control);
        w->setFocus();  // typed where the user's cursor is
        QTest::keyClick(w, k);
        QApplication::processEvents();
    };
    const Lines empty = e.text();
    // Escape leaves the kind choice, a generator panel and a panel with its own buttons, changing nothing.
    e.click("Objekt_hinzufuegen");
    key("Button_Rechteck", Qt::Key_Escape);
    QVERIFY(!e.find("GroupBox1")->isVisible());
    e.click("Objekt_hinzufuegen");
    e.click("Button_Rechteck");
    e.fill({{"Edit1", "Kollektor"}, {"Edit2", "4"}});
    key("Edit2", Qt::Key_Escape);
    e.click("GeoLage_aendern");
    key("SpinEditExt1", Qt::Key_Escape);
    QVERIFY(!e.find("Rechteck")->isVisible() && !e.find("GeografischeLage")->isVisible());
    QCOMPARE(e.text(), empty);
    // Enter is OK: refused while a field is invalid, taken once all are valid.
    e.click("Objekt_hinzufuegen");
    e.click("Button_Rechteck");
    e.fill({{"Edit1", "Kollektor"}, {"Edit2", "4"}, {"Edit3", "3"}, {"Edit4", "0"}, {"Edit5", "0"},
            {"Edit6", "180"}, {"Edit7", "45"}, {"Edit8", "12"}, {"Edit9", "12"}, {"Edit10", ""}});
    key("Edit9", Qt::Key_Return);
    QCOMPARE(e.g->objects().ObjektAnzahl, 0);
    e.fill({{"Edit10", "5"}});
    key("Edit10", Qt::Key_Enter);
    QCOMPARE(e.g->objects().ObjektAnzahl, 1);
    // In the corner grid Enter finishes the cell, not the panel.
    e.click("Objekt_hinzufuegen");
    e.click("Button_nEck");
    e.fill({{"Edit11", "Mauer"}, {"Edit12", "3"}, {"Edit17", "0"}, {"Edit18", "0"}, {"Edit19", "20"}, {"Edit20", "0"}});
    e.click("Button5");
    auto* grid = e.find<QTableWidget>("StringGrid1");
    grid->setCurrentCell(0, 1);
    grid->editItem(grid->item(0, 1));
    QWidget* editor = grid->indexWidget(grid->currentIndex());
    QVERIFY(editor);
    QTest::keyClicks(editor, "7");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    QVERIFY(grid->isVisible() && !grid->indexWidget(grid->currentIndex()));
    QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("7"));
    QCOMPARE(e.g->objects().ObjektAnzahl, 1);
}

// 26 entries do not fit the grid's 25 rows: the panel says so and stays shut, and the
// text keeps every entry.
void GeneratorTest::horizonPanelRefusesMoreEntriesThanItsGrid() {
    Editor e;
    Lines text = e.text();
    std::size_t at = 0;
    while (at < text.size() && text[at] != "Standort") ++at;
    Lines section{"Horizont"};
    for (int i = 0; i < 26; ++i) section.push_back(std::to_string(i * 10) + "-" + std::to_string(i * 10 + 10) + "=3");
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), section.begin(), section.end());
    e.env.state.project.daten = text;
    e.g->ListeAufbauen();
    e.env.dialogs.messages.clear();
    e.click("Horizontverschattung_aendern");
    QApplication::processEvents();
    QVERIFY2(e.env.dialogs.saw(QStringLiteral("26")), qPrintable(e.env.dialogs.all()));
    QVERIFY(!e.find("Horizont")->isVisible());
    QVERIFY(e.find("ListBox1")->isEnabled());
    QCOMPARE(e.text(), text);
}

QTEST_MAIN(GeneratorTest)
#include "tst_generator.moc"
