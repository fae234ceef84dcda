#include "ui/SunPathWindow.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "ui/AppState.h"
#include "ui/Dialogs.h"
#include "ui/UiText.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace penumbro::ui {

namespace {

const Tx kTitel{"Sonnenstandsdiagramm", "Sun-path diagram"};
const Tx kSvg{"Als SVG speichern ...", "Save as SVG ..."};
const Tx kPng{"Als PNG speichern ...", "Save as PNG ..."};
const Tx kSchliessen{"Schlie\xDF" "en", "Close"};
const Tx kNichtGespeichert{"Die Datei wurde nicht geschrieben:\r", "The file was not written:\r"};

using L = SunPathLayout;

QColor colour(const char* hex) { return QColor(QString::fromLatin1(hex)); }
QString utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QPolygonF polyline(const SkyLine& line) {
    QPolygonF out;
    for (const SkyPoint& p : line) out << QPointF(L::x(p.azimuth), L::y(p.elevation));
    return out;
}

// Shows the diagram scaled to the widget.
class SunPathView : public QWidget {
public:
    SunPathView(const std::optional<SunPathDiagram>& diagram, const Language& language, QWidget* parent)
        : QWidget(parent), diagram_(diagram), language_(language) {
        setMinimumSize(static_cast<int>(L::kTotalWidth), static_cast<int>(L::kTotalHeight));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!diagram_) return;
        QPainter p(this);
        paintSunPath(p, *diagram_, language_, width(), height());
    }

private:
    const std::optional<SunPathDiagram>& diagram_;
    const Language& language_;
};

}  // namespace

void paintSunPath(QPainter& p, const SunPathDiagram& d, Language language, double width, double height) {
    const SunPathTexts t = sunPathTexts(language);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width / L::kTotalWidth, height / L::kTotalHeight);
    p.fillRect(QRectF(0, 0, L::kTotalWidth, L::kTotalHeight), Qt::white);
    QFont font(QStringLiteral("sans-serif"));
    auto text = [&](double x, double y, const QString& s, int size = 12, Qt::Alignment align = Qt::AlignLeft) {
        font.setPixelSize(size);
        p.setFont(font);
        p.setPen(Qt::black);
        const double w = QFontMetricsF(font).horizontalAdvance(s);
        const double dx = align == Qt::AlignHCenter ? -w / 2 : align == Qt::AlignRight ? -w : 0;
        p.drawText(QPointF(x + dx, y), s);
    };
    text(L::kLeft, 28, utf8(t.title) + fromCp1252(d.targetName), 16);

    const ShadingMask& mask = d.mask;
    const double cw = L::kWidth / mask.columns, ch = L::kHeight / mask.rows;
    for (int row = 0; row < mask.rows; ++row)
        for (int col = 0; col < mask.columns; ++col) {
            const int band = shadingBand(mask.at(col, row));
            if (band == -1 || band > 0)
                p.fillRect(QRectF(L::kLeft + col * cw, L::kTop + L::kHeight - (row + 1) * ch, cw, ch),
                           colour(band < 0 ? kBehindColour : bandColour(band)));
        }

    p.setPen(QPen(QColor(0x99, 0x99, 0x99), 0.5));
    for (int a = 0; a <= 360; a += 30) p.drawLine(QPointF(L::x(a), L::y(0)), QPointF(L::x(a), L::y(90)));
    for (int e = 0; e <= 90; e += 10) p.drawLine(QPointF(L::x(0), L::y(e)), QPointF(L::x(360), L::y(e)));

    QColor horizon = colour(kHorizonColour);
    horizon.setAlphaF(0.75f);
    p.setPen(QColor(0x5a, 0x40, 0x25));
    p.setBrush(horizon);
    p.drawPolygon(polyline(d.horizon));
    p.setBrush(Qt::NoBrush);

    QPen dashed(QColor(0x55, 0x55, 0x55), 0.8, Qt::DashLine);
    p.setPen(dashed);
    for (const auto& lines : d.hourLines)
        for (const SkyLine& line : lines) p.drawPolyline(polyline(line));
    for (std::size_t h = 0; h < 24; ++h) {
        const SkyPoint* top = nullptr;
        for (const SkyLine& line : d.hourLines[h])
            for (const SkyPoint& pt : line)
                if (!top || pt.elevation > top->elevation) top = &pt;
        if (top && top->elevation > 2)
            text(L::x(top->azimuth), L::y(top->elevation) - 4, QString::number(h), 10, Qt::AlignHCenter);
    }
    for (int m = 1; m <= 12; ++m) {
        p.setPen(QPen(colour(monthColour(m)), 1.5));
        for (const SkyLine& line : d.monthPaths[static_cast<std::size_t>(m - 1)]) p.drawPolyline(polyline(line));
    }

    p.setPen(Qt::black);
    p.drawRect(QRectF(L::kLeft, L::kTop, L::kWidth, L::kHeight));
    for (int a = 0; a <= 360; a += 30) {
        QString label = QString::number(a);
        if (a % 90 == 0) label += QStringLiteral(" ") + QLatin1Char(t.compass[static_cast<std::size_t>(a / 90 % 4)]);
        text(L::x(a), L::y(0) + 16, label, 12, Qt::AlignHCenter);
    }
    for (int e = 0; e <= 90; e += 10) text(L::kLeft - 6, L::y(e) + 4, QString::number(e), 12, Qt::AlignRight);
    text(L::kLeft + L::kWidth / 2, L::y(0) + 36, utf8(t.azimuthAxis), 12, Qt::AlignHCenter);
    p.save();
    p.translate(24, L::kTop + L::kHeight / 2);
    p.rotate(-90);
    text(0, 0, utf8(t.elevationAxis), 12, Qt::AlignHCenter);
    p.restore();
    text(L::kLeft, L::y(0) + 56, utf8(t.note), 10);

    double ly = L::kTop + 10;
    text(L::kLegendX, ly, utf8(t.shading));
    auto entry = [&](const QColor& fill, const QString& label) {
        ly += 20;
        p.setPen(QColor(0x66, 0x66, 0x66));
        p.setBrush(fill);
        p.drawRect(QRectF(L::kLegendX, ly - 11, 16, 12));
        p.setBrush(Qt::NoBrush);
        text(L::kLegendX + 22, ly, label);
    };
    for (int b = 0; b <= 4; ++b) entry(b == 0 ? QColor(Qt::white) : colour(bandColour(b)), utf8(t.bands[static_cast<std::size_t>(b)]));
    entry(colour(kBehindColour), utf8(t.behind));
    entry(horizon, utf8(t.horizon));
    if (d.hasFoliage) {
        ly += 24;
        text(L::kLegendX, ly, utf8(t.foliage) + QString::number(d.foliageMonth), 10);
    }
    ly += 30;
    text(L::kLegendX, ly, utf8(t.months));
    for (int m = 1; m <= 12; ++m) {
        if (m % 2 == 1) ly += 16;
        const double x = m % 2 == 1 ? L::kLegendX : L::kLegendX + 90;
        p.setPen(QPen(colour(monthColour(m)), 2));
        p.drawLine(QPointF(x, ly - 4), QPointF(x + 16, ly - 4));
        text(x + 22, ly, QString::number(m));
    }
    p.restore();
}

TSunPathWindow::TSunPathWindow(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("SunPathWindow"));
    diagramView = new SunPathView(diagram_, language_, this);
    diagramView->setObjectName(QStringLiteral("diagramView"));
    auto button = [this](const char* name, auto handler) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    saveSvgButton = button("saveSvgButton", [this] { saveSvgClick(); });
    savePngButton = button("savePngButton", [this] { savePngClick(); });
    closeButton = button("closeButton", [this] { close(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {saveSvgButton, savePngButton, closeButton}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(diagramView, 1);
    layout->addLayout(buttons);
    SpracheAnpassen(state_.language);
}

void TSunPathWindow::SpracheAnpassen(Language language) {
    language_ = language;
    setWindowTitle(tx(kTitel, language));
    saveSvgButton->setText(tx(kSvg, language));
    savePngButton->setText(tx(kPng, language));
    closeButton->setText(tx(kSchliessen, language));
    diagramView->update();
}

void TSunPathWindow::present() {
    try {
        diagram_ = sunPathDiagram(state_.project.daten, state_.project.fileName, state_.params, ShadingMethod::Raster);
    } catch (const InputError& e) {
        diagram_.reset();
        dialogs_.warning(parentWidget(), errorMessage(e, state_.language));
        return;
    }
    diagramView->update();
    show();
    raise();
}

void TSunPathWindow::saveSvgClick() { save(true); }
void TSunPathWindow::savePngClick() { save(false); }

void TSunPathWindow::save(bool svg) {
    if (!diagram_) return;
    const QString base = fromPath(withoutExtension(state_.project.fileName)) + QStringLiteral("_sunpath");
    const QString target = dialogs_.getSaveFileName(this, tx(kTitel, language_), base + (svg ? QStringLiteral(".svg") : QStringLiteral(".png")),
                                                    svg ? QStringLiteral("SVG|*.svg") : QStringLiteral("PNG|*.png"));
    if (target.isEmpty()) return;
    try {
        if (svg) {
            writeFileAtomically(toPath(target), sunPathSvg(*diagram_, language_));
        } else {
            // Twice the SVG's size, so the picture stays sharp when printed.
            QImage image(static_cast<int>(2 * L::kTotalWidth), static_cast<int>(2 * L::kTotalHeight), QImage::Format_RGB32);
            QPainter painter(&image);
            paintSunPath(painter, *diagram_, language_, image.width(), image.height());
            painter.end();
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            writeFileAtomically(toPath(target), std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        }
    } catch (const InputError& e) {
        dialogs_.warning(this, tx(kNichtGespeichert, language_) + errorMessage(e, language_));
    }
}

}  // namespace penumbro::ui
