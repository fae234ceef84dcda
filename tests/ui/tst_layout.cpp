// The main window at its start size: every page fits the client area, the fast-run
// chart's texts stay apart and the help window stays on the screen.

#include "UiFixture.h"

#include "ui/MonthChart.h"

#include <QAction>
#include <QMenuBar>
#include <QScreen>
#include <QTextBrowser>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void everyPageFitsTheStartSize();
};

void LayoutTest::everyPageFitsTheStartSize() {
    for (const char* language : {"d", "e"}) {
        UiEnv env(language);
        env.startWith(collectorProject());
        env.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(env.window.get()));
        for (int page = 1; page <= 3; ++page) {
            env.window->HauptauswahlClick(page);
            QCOMPARE(env.window->activePage(), page);
            QApplication::processEvents();
            const QWidget* central = env.window->centralWidget();
            QCOMPARE(QSize(central->width(), central->height() + env.window->menuBar()->height()), QSize(1016, 694));
        }
        // A chart of four months: hour labels apart, the legend outside the plot.
        auto* chart = env.window->findChild<MonthChart*>();
        for (int month = 1; month <= 12; ++month) chart->monthCompleted(month, std::array<double, 24>{});
        const ChartTexts texts = chartTexts(chart->fontMetrics(), chart->width(), chart->height(), chart->data(),
                                            env.state.language);
        for (std::size_t i = 1; i < texts.hourLabels.size(); ++i)
            QVERIFY(texts.hourLabels[i - 1].second.right() + 4 < texts.hourLabels[i].second.left());
        QVERIFY(texts.hourLabels.size() >= 8 && texts.legend.size() == 4);
        for (const auto& [month, rect] : texts.legend) QVERIFY(!rect.intersects(texts.plot) && rect.top() >= 0);
        // The manual's window lies wholly on the screen.
        env.window->findChild<QAction*>(QStringLiteral("PenumbroHilfe1"))->trigger();
        auto* help = env.window->findChild<QTextBrowser*>(QStringLiteral("Hilfe"));
        QVERIFY(help && help->isVisible());
        QVERIFY(env.window->screen()->availableGeometry().contains(help->frameGeometry()));
    }
}

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
