#include "ui/MonthChart.h"

#include "project/SharedTexts.h"
#include "ui/UiText.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace penumbro::ui {

namespace {

const Tx kFrameY{"Beschattung [ % ]", "Geometrical shading coefficient [ % ]"};
const Tx kChartY{"Verschattung in %", "Geometrical shading coefficient in % "};
const Tx kHours{"Uhr", "h"};

// Pen colours by month, as RGB (1, 5, 9 blue; 2, 6, 10 red; 3, 7, 11 green; 4, 8, 12 dark red).
QColor monthColour(int month) {
    switch ((month - 1) % 4) {
        case 0: return QColor(0x00, 0x00, 0xFF);
        case 1: return QColor(0xFF, 0x00, 0x00);
        case 2: return QColor(0x00, 0x80, 0x00);
        default: return QColor(0x80, 0x00, 0x00);
    }
}

// Text with its top-left corner at (x, y), as the chart's positions are given.
void textAt(QPainter& p, int x, int y, const QString& text) {
    p.drawText(QRect(x, y, 1000, 100), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

}  // namespace

std::array<int, 4> chartMonths(int current) {
    std::array<int, 4> months{};
    for (int k = 0; k < 4; ++k) {
        int m = current - 3 + k;
        if (m < 1) m += 12;
        months[static_cast<std::size_t>(k)] = m;
    }
    return months;
}

int chartYMax(const ChartData& data) {
    double largest = 0;
    for (std::size_t m = 0; m < 12; ++m) {
        if (!data.shown[m]) continue;
        for (double v : data.means[m]) largest = std::max(largest, v);
    }
    return std::min(10, static_cast<int>(std::trunc(largest * 10)) + 1);
}

void drawChart(QPainter& p, int w, int h, const ChartData& data, Language language, const QColor& windowColour) {
    p.fillRect(0, 0, w, h, windowColour);
    if (data.phase == ChartData::Phase::Cleared) return;
    const int ymax = data.phase == ChartData::Phase::Months ? chartYMax(data) : 10;
    const double xStep = (w - 130) / 23.0 + 1;
    const double yStep = static_cast<double>(h - 170) / ymax;

    p.setPen(Qt::black);
    p.drawLine(50, 50, 50, h - 100);
    p.drawLine(50, h - 100, w - 45, h - 100);
    textAt(p, w - 35, h - 107, tx(kHours, language));
    textAt(p, 25, 25, tx(data.phase == ChartData::Phase::Months ? kChartY : kFrameY, language));
    const QFontMetrics metrics = p.fontMetrics();
    for (int hour = 0; hour < 24; ++hour) {
        const int x = static_cast<int>(std::lround(hour * xStep + 60));
        p.drawLine(x, h - 103, x, h - 97);
        const QString label = QString::number(hour);
        textAt(p, x - metrics.horizontalAdvance(label) / 2, h - 90, label);
    }
    for (int v = 0; v <= ymax; ++v) {
        const int y = static_cast<int>(std::lround(h - (v * yStep + 110)));
        p.drawLine(47, y, 53, y);
        const QString label = QString::number(v * 10);
        textAt(p, 40 - metrics.horizontalAdvance(label), y - 5, label);
    }
    if (data.phase != ChartData::Phase::Months) return;

    int k = 0;
    for (int month : chartMonths(data.lastMonth)) {
        const std::size_t m = static_cast<std::size_t>(month - 1);
        if (!data.shown[m]) continue;
        ++k;
        p.setPen(monthColour(month));
        textAt(p, w - 100, 100 - 20 * k, fromCp1252(monthNames(language)[m]));
        QPolygon line;
        for (int hour = 0; hour < 24; ++hour) {
            const int x = static_cast<int>(std::lround(hour * xStep + 60));
            const int y = h - static_cast<int>(std::lround(data.means[m][static_cast<std::size_t>(hour)] * 10 * yStep + 110));
            line << QPoint(x, y);
        }
        p.drawPolyline(line);
    }
}

MonthChart::MonthChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Zeichenfenster"));
    setMinimumSize(400, 300);
}

void MonthChart::setLanguage(Language language) {
    language_ = language;
    update();
}

void MonthChart::clearChart() {
    data_.phase = ChartData::Phase::Cleared;
    update();
}

void MonthChart::drawFrame() {
    data_ = ChartData{};
    data_.phase = ChartData::Phase::Frame;
    update();
}

void MonthChart::monthCompleted(int month, const std::array<double, 24>& means) {
    if (month < 1 || month > 12) return;
    const std::size_t m = static_cast<std::size_t>(month - 1);
    data_.means[m] = means;
    data_.shown[m] = true;
    // Finishing a month clears the flag of the month four before it.
    data_.shown[static_cast<std::size_t>((month + 7) % 12)] = false;
    data_.lastMonth = month;
    data_.phase = ChartData::Phase::Months;
    update();
}

void MonthChart::setMonths(const std::array<std::array<double, 24>, 12>& means, const std::array<bool, 12>& shown,
                        int current) {
    data_.means = means;
    data_.shown = shown;
    data_.lastMonth = current;
    data_.phase = ChartData::Phase::Months;
    update();
}

void MonthChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    drawChart(p, width(), height(), data_, language_, palette().color(QPalette::Window));
}

}  // namespace penumbro::ui
