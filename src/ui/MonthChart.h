#pragma once
// Zeichenfenster of the fast-run window: the hourly mean shading of every month the
// run completed. Positions in pixels of the picture's client area, y downward.

#include "project/Language.h"

#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <utility>
#include <vector>

namespace penumbro::ui {

struct ChartData {
    enum class Phase { Cleared, Frame, Months };  // cleared, axes frame of a starting run, months
    Phase phase = Phase::Cleared;
    std::array<std::array<double, 24>, 12> means{};  // monthly means table, fractions 0..1
    std::array<bool, 12> shown{};                   // months-shown flags
    int lastMonth = 1;                                  // the month completed last
};

// Draws the chart into a picture of the given size.
void drawChart(QPainter& painter, int width, int height, const ChartData& data, Language language,
               const QColor& windowColour);

// The months of the chart in the order they were run: the shown ones among
// lastMonth + 1 .. lastMonth, wrapping from 12 to 1.
std::vector<int> chartMonths(const ChartData& data);

// The y range in tens of percent: trunc(largest mean * 10) + 1, at most 10, over the
// months marked shown.
int chartYMax(const ChartData& data);

// Where the chart's texts go in a picture of the given size: the hour labels under the
// time axis (every hour, or every second, third ... hour when neighbours would touch),
// the month legend in rows under them, the plot area the legend keeps clear of and the
// axis title (the same while the run lasts and after it).
struct ChartTexts {
    std::vector<std::pair<int, QRect>> hourLabels;  // hour and its text rectangle
    std::vector<std::pair<int, QRect>> legend;      // month and its text rectangle
    QRect plot;
    QString title;
};
ChartTexts chartTexts(const QFontMetrics& metrics, int width, int height, const ChartData& data, Language language);

class MonthChart : public QWidget {
    Q_OBJECT
public:
    explicit MonthChart(QWidget* parent = nullptr);

    void setLanguage(Language language);
    void clearChart();              // fill with the window colour
    void drawFrame();              // axes frame at the start of a run
    void monthCompleted(int month, const std::array<double, 24>& means);  // a month completed
    // The whole table at once (the end of a run).
    void setMonths(const std::array<std::array<double, 24>, 12>& means, const std::array<bool, 12>& shown, int current);
    const ChartData& data() const { return data_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChartData data_;
    Language language_ = Language::German;
};

}  // namespace penumbro::ui
