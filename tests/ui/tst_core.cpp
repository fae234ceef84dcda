// The window-free pieces: where files live, penumbro.ini, the registered-program
// rule, the chart's geometry and the dialog filters.

#include "project/ConfigPaths.h"
#include "ui/Dialogs.h"
#include "ui/MonthChart.h"
#include "ui/Settings.h"
#include "ui/UiText.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;

class CoreTest : public QObject {
    Q_OBJECT
private slots:
    void configDirectoryRule_data();
    void configDirectoryRule();
    void standardWorkingDirectoryPrefersDaten();
    void settingsFile_data();
    void settingsFile();
    void settingsRoundTripWithCrLf();
    void programOfCommand_data();
    void programOfCommand();
    void chartMonthsWrap();
    void chartYRange_data();
    void chartYRange();
    void chartDrawsAxesAndCurves();
    void filters();
};

void CoreTest::configDirectoryRule_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("xdg");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("expected");
    QTest::newRow("writable program folder") << "/opt/p/bin" << true << "/x" << "/home/u" << "/opt/p/bin/";
    QTest::newRow("xdg config home") << "/usr/bin/" << false << "/home/u/.cfg/" << "/home/u" << "/home/u/.cfg/penumbro/";
    QTest::newRow("home default") << "/usr/bin/" << false << "" << "/home/u" << "/home/u/.config/penumbro/";
    QTest::newRow("relative xdg ignored") << "/usr/bin/" << false << "cfg" << "/home/u" << "/home/u/.config/penumbro/";
    QTest::newRow("nothing known") << "/usr/bin" << false << "" << "" << "/usr/bin/";
}

void CoreTest::configDirectoryRule() {
    QFETCH(QString, program);
    QFETCH(bool, writable);
    QFETCH(QString, xdg);
    QFETCH(QString, home);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(configDirectory(program.toStdString(), writable, xdg.toStdString(),
                                                    home.toStdString())),
             expected);
}

void CoreTest::standardWorkingDirectoryPrefersDaten() {
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString() + "/";
    QCOMPARE(standardWorkingDirectory(base), base);
    QDir(dir.path()).mkdir(QStringLiteral("daten"));
    QCOMPARE(standardWorkingDirectory(base), base + "daten/");
    // A writable folder is detected as such by the real rule.
    QCOMPARE(configDirectoryForProgram(dir.path().toStdString()), base);
}

void CoreTest::settingsFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("browser");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("preview");
    QTest::newRow("empty file: defaults") << QByteArray() << "Standard-Browser" << "Standard-Verzeichnis" << ""
                                          << "1";
    QTest::newRow("four lines: no language, 3D on")
        << QByteArray("anderer Browser\r\n/usr/bin/v\r\nanderes Verzeichnis\r\n/tmp\r\n") << "anderer Browser"
        << "anderes Verzeichnis" << "" << "1";
    QTest::newRow("six lines with LF") << QByteArray("Standard-Browser\n\nStandard-Verzeichnis\n\ne\n0\n")
                                       << "Standard-Browser" << "Standard-Verzeichnis" << "e" << "0";
}

void CoreTest::settingsFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, browser);
    QFETCH(QString, directory);
    QFETCH(QString, language);
    QFETCH(QString, preview);
    const PenumbroSettings s = parseSettings(bytes.toStdString());
    QCOMPARE(QString::fromStdString(s.browserChoice), browser);
    QCOMPARE(QString::fromStdString(s.directoryChoice), directory);
    QCOMPARE(QString::fromStdString(s.language), language);
    QCOMPARE(QString::fromStdString(s.preview3d), preview);
}

void CoreTest::settingsRoundTripWithCrLf() {
    PenumbroSettings s;
    s.browserChoice = kOtherBrowser;
    s.browserPath = "/opt/viewer/bin/view";
    s.language = "e";
    s.preview3d = "0";
    const std::string bytes = formatSettings(s);
    QCOMPARE(bytes, std::string("anderer Browser\r\n/opt/viewer/bin/view\r\nStandard-Verzeichnis\r\n\r\ne\r\n0\r\n"));
    QCOMPARE(parseSettings(bytes), s);
    QTemporaryDir dir;
    QCOMPARE(readSettingsFile(dir.path().toStdString() + "/none.ini"), PenumbroSettings{});
}

void CoreTest::programOfCommand_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("program");
    QTest::newRow("quoted EXE with argument") << "\"C:\\Prog\\View.EXE\" \"%1\"" << "C:\\Prog\\View.EXE";
    QTest::newRow("unquoted exe") << "c:\\v\\view.exe %1" << "c:\\v\\view.exe";
    QTest::newRow("desktop exec line") << "view3dscene %f" << "view3dscene";
    QTest::newRow("quoted desktop program") << "\"/opt/My Viewer/run\" %U" << "/opt/My Viewer/run";
    QTest::newRow("empty") << "" << "";
}

void CoreTest::programOfCommand() {
    QFETCH(QString, command);
    QFETCH(QString, program);
    QCOMPARE(QString::fromStdString(penumbro::ui::programOfCommand(command.toStdString())), program);
}

void CoreTest::chartMonthsWrap() {
    QCOMPARE(chartMonths(5), (std::array<int, 4>{2, 3, 4, 5}));
    QCOMPARE(chartMonths(2), (std::array<int, 4>{11, 12, 1, 2}));
    QCOMPARE(chartMonths(1), (std::array<int, 4>{10, 11, 12, 1}));
}

void CoreTest::chartYRange_data() {
    QTest::addColumn<double>("largest");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("ymax");
    QTest::newRow("zero") << 0.0 << true << 1;
    QTest::newRow("0.25") << 0.25 << true << 3;
    QTest::newRow("0.999") << 0.999 << true << 10;
    QTest::newRow("full shade is capped") << 1.0 << true << 10;
    QTest::newRow("month not shown is ignored") << 0.9 << false << 1;
}

void CoreTest::chartYRange() {
    QFETCH(double, largest);
    QFETCH(bool, shown);
    QFETCH(int, ymax);
    ChartData d;
    d.mittel[3][12] = largest;
    d.gezeigt[3] = shown;
    QCOMPARE(chartYMax(d), ymax);
}

void CoreTest::chartDrawsAxesAndCurves() {
    const int w = 600, h = 400;
    QImage img(w, h, QImage::Format_RGB32);
    ChartData d;
    d.stand = ChartData::Stand::Monate;
    d.aktuell = 1;
    d.gezeigt[0] = true;
    d.mittel[0].fill(0.5);  // January: a flat line at 50 %
    {
        QPainter p(&img);
        drawChart(p, w, h, d, 'd', Qt::white);
    }
    // Axes from (50, 50) down to (50, h - 100), then right to (w - 45, h - 100).
    QCOMPARE(img.pixelColor(50, 120), QColor(Qt::black));
    QCOMPARE(img.pixelColor(300, h - 100), QColor(Qt::black));
    QCOMPARE(img.pixelColor(w - 40, h - 100), QColor(Qt::white));
    // ymax 6, y step (h - 170) / 6; the curve at h - round(0.5 * 10 * step + 110), in January's blue.
    const int y = h - static_cast<int>(std::lround(0.5 * 10 * (h - 170) / 6.0 + 110));
    const int x = static_cast<int>(std::lround(5 * ((w - 130) / 23.0 + 1) + 60)) + 3;
    QCOMPARE(img.pixelColor(x, y), QColor(0, 0, 255));
    // An empty chart is the window colour alone.
    d.stand = ChartData::Stand::Leer;
    {
        QPainter p(&img);
        drawChart(p, w, h, d, 'd', Qt::gray);
    }
    QCOMPARE(img.pixelColor(50, 120), QColor(Qt::gray));
}

void CoreTest::filters() {
    QCOMPARE(dialogFilter(QStringLiteral("Daten|*.dat")), QStringLiteral("Daten (*.dat)"));
    QCOMPARE(dialogFilter(QStringLiteral("Anwendungen (*.exe)|*.exe|Alle Dateien (*.*)|*.*")),
             QStringLiteral("Anwendungen (*.exe);;Alle Dateien (*.*)"));
    QCOMPARE(tx({"a\rb", "c"}, 'd'), QStringLiteral("a\nb"));
    QCOMPARE(fromMessage("datei.dat:3: Geb\xE4ude"), QStringLiteral("datei.dat:3: Geb") + QChar(0xE4) + QStringLiteral("ude"));
    QCOMPARE(fromMessage("/tmp/\xC3\xA4.dat"), QStringLiteral("/tmp/") + QChar(0xE4) + QStringLiteral(".dat"));
}

QTEST_MAIN(CoreTest)
#include "tst_core.moc"
