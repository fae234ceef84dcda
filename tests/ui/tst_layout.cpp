// The main window at its start size: every page fits, the fast-run chart's texts stay
// apart and the help window stays on the screen.

#include "UiFixture.h"

#include "ui/MonthChart.h"

#include <QAction>
#include <QMenuBar>
#include <QAbstractButton>
#include <QCheckBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

using namespace penumbro::ui;

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void everyPageFitsTheStartSize();
    void smallScreensScrollThePagesAndKeepTheModeBar();
};

void LayoutTest::everyPageFitsTheStartSize() {
    for (const char* language : {"d", "e"}) {
        UiEnv env(language);
        env.startWith(collectorProject());
        env.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(env.window.get()));
        for (int page = 1; page <= 3; ++page) {
            env.window->HauptauswahlClick(page);
            QApplication::processEvents();
            const QWidget* central = env.window->centralWidget();
            QCOMPARE(QSize(central->width(), central->height() + env.window->menuBar()->height()), QSize(1016, 694));
        }
        // A year shown: hour labels apart, the legend outside the plot, inside the chart,
        // names apart, the title that of a starting run.
        auto* chart = env.window->findChild<MonthChart*>();
        for (int month = 1; month <= 12; ++month) chart->monthCompleted(month, {});
        const ChartTexts t =
            chartTexts(chart->fontMetrics(), chart->width(), chart->height(), chart->data(), env.state.language);
        QVERIFY(t.hourLabels.size() >= 8 && t.legend.size() == 12);
        for (std::size_t i = 1; i < t.hourLabels.size(); ++i)
            QVERIFY(t.hourLabels[i - 1].second.right() + 4 < t.hourLabels[i].second.left());
        for (std::size_t i = 0; i < t.legend.size(); ++i) {
            const QRect& rect = t.legend[i].second;
            QVERIFY(!rect.intersects(t.plot) && chart->rect().contains(rect));
            for (const auto& [hour, label] : t.hourLabels) QVERIFY(!rect.intersects(label));
            for (std::size_t j = 0; j < i; ++j) QVERIFY(!rect.intersects(t.legend[j].second));
        }
        ChartData starting;
        starting.phase = ChartData::Phase::Frame;
        QCOMPARE(chartTexts(chart->fontMetrics(), chart->width(), chart->height(), starting, env.state.language).title,
                 t.title);
        env.window->findChild<QAction*>(QStringLiteral("PenumbroHilfe1"))->trigger();
        auto* help = env.window->findChild<QWidget*>(QStringLiteral("Hilfe"));
        QVERIFY(help && env.window->screen()->availableGeometry().contains(help->frameGeometry()));
        // Placed from above the screen's top: the title bar comes back onto the screen.
        env.window->move(40, -300);
        placeCentred(*env.window);
        const QRect area = env.window->screen()->availableGeometry();
        QVERIFY(env.window->frameGeometry().top() >= area.top() && env.window->frameGeometry().left() >= area.left());
    }
}

void LayoutTest::smallScreensScrollThePagesAndKeepTheModeBar() {
    // The free areas of 1366x768 at 125 % and of 1280x720, a task bar taken off.
    for (const QRect area : {QRect(0, 0, 1092, 582), QRect(0, 0, 1280, 680)}) {
        for (const char* language : {"d", "e"}) {
            UiEnv env(language);
            env.startWith(collectorProject());
            env.window->show();
            QVERIFY(QTest::qWaitForWindowExposed(env.window.get()));
            placeCentred(*env.window, area);
            QApplication::processEvents();
            QVERIFY(area.contains(env.window->frameGeometry()));
            auto* bar = env.window->findChild<QWidget*>(QStringLiteral("Panel_Auswahl"));
            auto* pages = env.window->findChild<QScrollArea*>(QStringLiteral("Seiten"));
            for (int page = 1; page <= 3; ++page) {
                env.window->HauptauswahlClick(page);
                QApplication::processEvents();
                // The mode bar wholly inside the window; a page taller than its room scrolls.
                QVERIFY(bar->isVisible() && env.window->rect().contains(QRect(bar->mapTo(env.window.get(), QPoint()), bar->size())));
                QVERIFY(pages->widget()->height() <= pages->viewport()->height() || pages->verticalScrollBar()->isVisible());
            }
            // At the smallest width every mode panel shows its whole text.
            env.window->resize(env.window->minimumSizeHint());
            QApplication::processEvents();
            for (int i = 1; i <= 3; ++i) {
                ModePanel* p = env.window->panel(i);
                QVERIFY2(p->contentsRect().width() >= p->fontMetrics().horizontalAdvance(p->text()), qPrintable(p->text()));
            }
            // At the design size nothing scrolls; the preview's ground-plate switch fits its menu.
            env.window->resize(1016, 694);
            env.window->HauptauswahlClick(1);
            QApplication::processEvents();
            QVERIFY(!pages->verticalScrollBar()->isVisible() && !pages->horizontalScrollBar()->isVisible());
            if (auto* open = env.window->findChild<QAbstractButton*>(QStringLiteral("Panel_3DMenueEin"))) {
                open->click();
                QApplication::processEvents();
                auto* plate = env.window->findChild<QCheckBox*>(QStringLiteral("CheckBox_Bodenplatte"));
                QVERIFY2(plate->width() >= plate->sizeHint().width(), qPrintable(plate->text()));
            }
        }
    }
}

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
