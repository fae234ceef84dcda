#include "ui/MonthChart.h"

#include "project/SharedTexts.h"
#include "ui/UiText.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace penumbro::ui {

namespace {

// One title while the run lasts and after it.
const Tx kFrameY{"Beschattung [ % ]", "Shaded fraction [ % ]"};
const Tx kHours{"Uhr", "h"};

// Pen colours by month, as RGB: a year's twelve curves must be told apart.
QColor monthColour(int month) {
    static const QColor colours[12] = {{0x00, 0x00, 0xFF}, {0xFF, 0x00, 0x00}, {0x00, 0x80, 0x00},
                                       {0x80, 0x00, 0x00}, {0xE0, 0x78, 0x00}, {0x80, 0x00, 0xA0},
                                       {0x00, 0x8C, 0x8C}, {0x00, 0x00, 0x00}, {0xD0, 0x00, 0xB0},
                                       {0x80, 0x80, 0x00}, {0x00, 0x00, 0x80}, {0x80, 0x60, 0x40}};
    return colours[(month - 1 + 12) % 12];
}

// Text with its top-left corner at (x, y), as the chart's positions are given.
void textAt(QPainter& p, int x, int y, const QString& text) {
    p.drawText(QRect(x, y, 1000, 100), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

}  // namespace

std::vector<int> chartMonths(const ChartData& data) {
    std::vector<int> months;
    for (int k = 11; k >= 0; --k) {
        int m = data.lastMonth - k;
        if (m < 1) m += 12;
        if (data.shown[static_cast<std::size_t>(m - 1)]) months.push_back(m);
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

namespace {

double hourStep(int w) { return (w - 130) / 23.0 + 1; }
int hourX(int hour, int w) { return static_cast<int>(std::lround(hour * hourStep(w) + 60)); }
QString axisTitle(Language language) { return tx(kFrameY, language); }
QString monthName(int month, Language language) {
    return fromCp1252(monthNames(language)[static_cast<std::size_t>(month - 1)]);
}

}  // namespace

ChartTexts chartTexts(const QFontMetrics& metrics, int w, int h, const ChartData& data, Language language) {
    ChartTexts texts;
    texts.plot = QRect(QPoint(50, 50), QPoint(w - 45, h - 100));
    // Labels at least two spaces apart, so "10 11 12" never reads as "101112".
    const int gap = metrics.horizontalAdvance(QStringLiteral("  "));
    const int widest = metrics.horizontalAdvance(QStringLiteral("23"));
    int step = 1;
    for (int s : {1, 2, 3, 4, 6, 12}) {
        step = s;
        if (s * hourStep(w) >= widest + gap) break;
    }
    for (int hour = 0; hour < 24; hour += step) {
        const int advance = metrics.horizontalAdvance(QString::number(hour));
        texts.hourLabels.emplace_back(hour, QRect(hourX(hour, w) - advance / 2, h - 90, advance, metrics.height()));
    }
    texts.title = axisTitle(language);
    if (data.phase != ChartData::Phase::Months) return texts;
    // The legend under the hour labels, in columns as wide as the longest name, as many
    // rows as a year's months need; never inside the plot.
    const std::vector<int> months = chartMonths(data);
    int cell = 0;
    for (int month : months) cell = std::max(cell, metrics.horizontalAdvance(monthName(month, language)) + 2 * gap);
    const int columns = std::max(1, (w - 45 - 25 + 2 * gap) / std::max(1, cell));
    const int top = h - 90 + metrics.height() + 4;
    for (std::size_t i = 0; i < months.size(); ++i) {
        const int column = static_cast<int>(i) % columns, row = static_cast<int>(i) / columns;
        const int advance = metrics.horizontalAdvance(monthName(months[i], language));
        texts.legend.emplace_back(months[i], QRect(25 + column * cell, top + row * (metrics.height() + 1), advance,
                                                   metrics.height()));
    }
    return texts;
}

void drawChart(QPainter& p, int w, int h, const ChartData& data, Language language, const QColor& windowColour) {
    p.fillRect(0, 0, w, h, windowColour);
    if (data.phase == ChartData::Phase::Cleared) return;
    const int ymax = data.phase == ChartData::Phase::Months ? chartYMax(data) : 10;
    const double yStep = static_cast<double>(h - 170) / ymax;
    const QFontMetrics metrics = p.fontMetrics();
    const ChartTexts texts = chartTexts(metrics, w, h, data, language);

    p.setPen(Qt::black);
    p.drawLine(50, 50, 50, h - 100);
    p.drawLine(50, h - 100, w - 45, h - 100);
    textAt(p, w - 35, h - 107, tx(kHours, language));
    textAt(p, 25, 25, texts.title);
    for (int hour = 0; hour < 24; ++hour) {
        const int x = hourX(hour, w);
        p.drawLine(x, h - 103, x, h - 97);
    }
    for (const auto& [hour, rect] : texts.hourLabels) textAt(p, rect.left(), rect.top(), QString::number(hour));
    for (int v = 0; v <= ymax; ++v) {
        const int y = static_cast<int>(std::lround(h - (v * yStep + 110)));
        p.drawLine(47, y, 53, y);
        const QString label = QString::number(v * 10);
        textAt(p, 40 - metrics.horizontalAdvance(label), y - 5, label);
    }
    if (data.phase != ChartData::Phase::Months) return;

    for (const auto& [month, rect] : texts.legend) {
        const std::size_t m = static_cast<std::size_t>(month - 1);
        p.setPen(monthColour(month));
        textAt(p, rect.left(), rect.top(), monthName(month, language));
        QPolygon line;
        for (int hour = 0; hour < 24; ++hour) {
            const int y = h - static_cast<int>(std::lround(data.means[m][static_cast<std::size_t>(hour)] * 10 * yStep + 110));
            line << QPoint(hourX(hour, w), y);
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
