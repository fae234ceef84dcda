#include "ui/SunPathWindow.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "ui/AppState.h"
#include "ui/Dialogs.h"
#include "ui/FormParts.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace penumbro::ui {

namespace {

const Tx kTitle{"Sonnenstandsdiagramm", "Sun-path diagram"};
const Tx kSvg{"Als SVG speichern ...", "Save as SVG ..."};
const Tx kPng{"Als PNG speichern ...", "Save as PNG ..."};
const Tx kClose{"Schlie\xDF" "en", "Close"};
const Tx kNotWritten{"Die Datei wurde nicht geschrieben:\r", "The file was not written:\r"};

using L = SunPathLayout;

QByteArray bytesOf(const std::string& s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }

// Shows the drawing scaled to the widget.
class SunPathView : public QWidget {
public:
    SunPathView(const std::string& svg, QSvgRenderer& renderer, QWidget* parent)
        : QWidget(parent), svg_(svg), renderer_(renderer) {
        setMinimumSize(static_cast<int>(L::kTotalWidth), static_cast<int>(L::kTotalHeight));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (svg_.empty()) return;
        QPainter p(this);
        renderer_.render(&p, QRectF(rect()));
    }

private:
    const std::string& svg_;
    QSvgRenderer& renderer_;
};

}  // namespace

TSunPathWindow::TSunPathWindow(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs), renderer_(new QSvgRenderer(this)) {
    setObjectName(QStringLiteral("SunPathWindow"));
    diagramView = new SunPathView(svg_, *renderer_, this);
    diagramView->setObjectName(QStringLiteral("diagramView"));
    auto button = [this](const char* name, const Tx& caption, auto handler) {
        auto* b = captions_.add(named(new QPushButton(this), name), caption);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    captions_.addTitle(this, kTitle);
    saveSvgButton = button("saveSvgButton", kSvg, [this] { saveSvgClick(); });
    savePngButton = button("savePngButton", kPng, [this] { savePngClick(); });
    closeButton = button("closeButton", kClose, [this] { close(); });
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
    captions_.apply(language);
    render();
}

void TSunPathWindow::render() {
    svg_ = diagram_ ? sunPathSvg(*diagram_, language_) : std::string();
    if (!svg_.empty()) renderer_->load(bytesOf(svg_));
    diagramView->update();
}

void TSunPathWindow::present() {
    try {
        diagram_ = sunPathDiagram(state_.project.daten, state_.project.fileName, state_.params, ShadingMethod::Raster);
    } catch (const InputError& e) {
        diagram_.reset();
        render();
        dialogs_.warning(parentWidget(), errorMessage(e, state_.language));
        return;
    }
    render();
    show();
    raise();
}

void TSunPathWindow::saveSvgClick() { save(true); }
void TSunPathWindow::savePngClick() { save(false); }

void TSunPathWindow::save(bool svg) {
    if (!diagram_) return;
    const QString base = fromPath(withoutExtension(state_.project.fileName)) + QStringLiteral("_sunpath");
    const QString target = dialogs_.getSaveFileName(this, tx(kTitle, language_), base + (svg ? QStringLiteral(".svg") : QStringLiteral(".png")),
                                                    svg ? QStringLiteral("SVG|*.svg") : QStringLiteral("PNG|*.png"));
    if (target.isEmpty()) return;
    try {
        if (svg) {
            writeFileAtomically(toPath(target), svg_);
        } else {
            // Twice the SVG's size, so the picture stays sharp when printed.
            QImage image(static_cast<int>(2 * L::kTotalWidth), static_cast<int>(2 * L::kTotalHeight), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            renderer_->render(&painter, QRectF(image.rect()));
            painter.end();
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            writeFileAtomically(toPath(target), std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        }
    } catch (const InputError& e) {
        dialogs_.warning(this, tx(kNotWritten, language_) + errorMessage(e, language_));
    }
}

}  // namespace penumbro::ui
