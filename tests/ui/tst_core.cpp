// The window-free pieces: where files live, penumbro.ini, the chart.

#include "project/ConfigPaths.h"
#include "ui/MonthChart.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;

class CoreTest : public QObject {
    Q_OBJECT
private slots:
    void configDirectoryRule();
    void chartRanges();
    void chartDrawsAxesAndCurves();
};

void CoreTest::configDirectoryRule() {
    QCOMPARE(configDirectory("/opt/p/bin", true, "/x", "/home/u"), std::string("/opt/p/bin/"));
    QCOMPARE(configDirectory("/usr/bin/", false, "/home/u/.cfg/", "/home/u"), std::string("/home/u/.cfg/penumbro/"));
    QCOMPARE(configDirectory("/usr/bin/", false, "cfg", "/home/u"), std::string("/home/u/.config/penumbro/"));
    QCOMPARE(configDirectory("/usr/bin", false, "", ""), std::string("/usr/bin/"));
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString() + "/";
    QCOMPARE(configDirectoryForProgram(dir.path().toStdString()), base);  // writable: beside the program
    QCOMPARE(standardWorkingDirectory(base), base);
    QDir(dir.path()).mkdir(QStringLiteral("daten"));
    QCOMPARE(standardWorkingDirectory(base), base + "daten/");
    // An installation (bin beside share/penumbro) keeps its settings in the user's
    // folder although root could write into its bin folder.
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("inst/bin")) && QDir(dir.path()).mkpath(QStringLiteral("inst/share/penumbro")));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(base + "cfg"));
    QCOMPARE(configDirectoryForProgram(base + "inst/bin"), base + "cfg/penumbro/");
    qunsetenv("XDG_CONFIG_HOME");
}

void CoreTest::chartRanges() {
    // The months shown in the order run, wrapping after December.
    ChartData run;
    for (int m : {11, 12, 1, 2}) run.shown[static_cast<std::size_t>(m - 1)] = true;
    run.lastMonth = 2;
    QCOMPARE(chartMonths(run), (std::vector<int>{11, 12, 1, 2}));
    // ymax = trunc(largest * 10) + 1, at most 10; months not shown do not count.
    for (auto [largest, shown, ymax] : {std::tuple{0.0, true, 1}, {0.25, true, 3}, {0.999, true, 10},
                                        {1.0, true, 10}, {0.9, false, 1}}) {
        ChartData d;
        d.means[3][12] = largest;
        d.shown[3] = shown;
        QCOMPARE(chartYMax(d), ymax);
    }
}

void CoreTest::chartDrawsAxesAndCurves() {
    const int w = 600, h = 400;
    QImage img(w, h, QImage::Format_RGB32);
    ChartData d;
    d.phase = ChartData::Phase::Months, d.lastMonth = 1, d.shown[0] = true;
    d.means[0].fill(0.5);  // January: a flat line at 50 %
    QPainter p(&img);
    drawChart(p, w, h, d, Language::German, Qt::white);
    // Axes from (50, 50) down to (50, h - 100), then right to (w - 45, h - 100).
    QVERIFY(img.pixelColor(50, 120) == Qt::black && img.pixelColor(300, h - 100) == Qt::black);
    QCOMPARE(img.pixelColor(w - 40, h - 100), QColor(Qt::white));
    // ymax 6, y step (h - 170) / 6; the curve at h - round(0.5 * 10 * step + 110), in January's blue.
    const int y = h - static_cast<int>(std::lround(0.5 * 10 * (h - 170) / 6.0 + 110));
    const int x = static_cast<int>(std::lround(5 * ((w - 130) / 23.0 + 1) + 60)) + 3;
    QCOMPARE(img.pixelColor(x, y), QColor(0, 0, 255));
    d.phase = ChartData::Phase::Cleared;  // an empty chart is the window colour alone
    drawChart(p, w, h, d, Language::German, Qt::gray);
    p.end();
    QCOMPARE(img.pixelColor(50, 120), QColor(Qt::gray));
}

QTEST_MAIN(CoreTest)
#include "tst_core.moc"
