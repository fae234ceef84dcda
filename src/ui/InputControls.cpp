#include "ui/InputControls.h"

#include "editor/InputFilters.h"
#include "ui/Dialogs.h"
#include "ui/UiText.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QTimer>

#include <cmath>

namespace penumbro::ui {

namespace {

constexpr double kRadians = 3.14159265358979323846 / 180.0;

// Discards or rewrites the keys a number field does not take. watched is the edit or a
// spin edit, whose line edit gets its keys from the spin box without filters.
class KeyFilter : public QObject {
public:
    KeyFilter(QObject* watched, QLineEdit* edit, bool decimal) : QObject(watched), edit_(edit), decimal_(decimal) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.size() != 1 || !text.at(0).isPrint() || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        const char c = text.at(0).unicode() < 128 ? static_cast<char>(text.at(0).unicode()) : '\0';
        const auto passed = decimal_ ? Kommazahl_eingeben(c) : Ganzzahl_eingeben(c);
        if (!passed) {
            showRefusedKey(edit_);
            return true;
        }
        if (*passed != c) {
            edit_->insert(QString(QChar(*passed)));
            return true;
        }
        return false;
    }

private:
    QLineEdit* edit_;
    bool decimal_;
};

}  // namespace

void showRefusedKey(QWidget* field) {
    // A dropped key must not go unnoticed: the field flashes and counts it.
    field->setProperty(kRefusedKeys, field->property(kRefusedKeys).toInt() + 1);
    if (field->property("refusalFlash").toBool()) return;
    field->setProperty("refusalFlash", true);
    const QString before = field->styleSheet();
    field->setStyleSheet(before + QStringLiteral("background: #ffb0b0;"));
    QPointer<QWidget> guarded(field);
    QTimer::singleShot(350, field, [guarded, before] {
        if (!guarded) return;
        guarded->setStyleSheet(before);
        guarded->setProperty("refusalFlash", false);
    });
}

void installDecimalFilter(QLineEdit* edit) { new KeyFilter(edit, edit, true); }
void installIntegerFilter(QLineEdit* edit) { new KeyFilter(edit, edit, false); }

QWidget* DecimalCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) installDecimalFilter(edit);
    return editor;
}

QValidator::State RangeSpinBox::validate(QString& input, int& pos) const {
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state == QValidator::Invalid) {
        // Reported after the check, which must not change the widget it checks.
        auto* self = const_cast<RangeSpinBox*>(this);
        QMetaObject::invokeMethod(
            self, [self, typed = input] {
                showRefusedKey(self);
                emit self->refused(typed);
            },
            Qt::QueuedConnection);
    }
    return state;
}

DecimalSpinBox::DecimalSpinBox(QWidget* parent) : QDoubleSpinBox(parent) { setLocale(QLocale::c()); }

QValidator::State DecimalSpinBox::validate(QString& input, int& pos) const {
    input.replace(QLatin1Char(','), QLatin1Char('.'));
    return QDoubleSpinBox::validate(input, pos);
}

double DecimalSpinBox::valueFromText(const QString& text) const {
    return QDoubleSpinBox::valueFromText(QString(text).replace(QLatin1Char(','), QLatin1Char('.')));
}

// ---- angle controls

AngleControl::AngleControl(QWidget* parent, Geometry geometry) : QWidget(parent), geometry_(geometry) {
    setMinimumSize(60, 60);
    setCursor(Qt::PointingHandCursor);
}

void AngleControl::setPosition(double position) {
    position = geometry_.limit(position);
    if (position == position_) return;
    position_ = position;
    update();
    emit positionChanged(position_);
}

void AngleControl::dragTo(const QPointF& point) {
    if (!isEnabled()) return;
    const QPointF c = QRectF(rect()).center();
    setPosition(geometry_.dragPosition(point.x() - c.x(), c.y() - point.y()));
    emit OnClick();
}

void AngleControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragTo(event->position());
}

void AngleControl::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) dragTo(event->position());
}

QRectF AngleControl::beginPaint(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Color);
    painter.setPen(palette().color(QPalette::WindowText));
    return QRectF(rect()).adjusted(1, 1, -1, -1);
}

void AngleControl::paintArrow(QPainter& painter) const {
    const QPointF c = QRectF(rect()).center();
    const double r = std::min(width(), height()) / 2.0 - 14;
    const double a = (geometry_.screenOffset + Position()) * kRadians;
    const QPointF dir(std::sin(a), -std::cos(a));
    const QPointF normal(-dir.y(), dir.x());
    const QPointF tip = c + dir * r;
    const QColor colour = isEnabled() ? ForeColor : palette().color(QPalette::Disabled, QPalette::WindowText);
    painter.setPen(QPen(colour, style == ArrowStyle::Pfeil1 ? 1 : 2));
    painter.drawLine(c, tip);
    if (style == ArrowStyle::Pfeil1) return;
    const double head = std::max(5.0, r / 4);
    QPainterPath path;
    path.moveTo(tip);
    path.lineTo(tip - dir * head + normal * head / 2);
    path.lineTo(tip - dir * head - normal * head / 2);
    path.closeSubpath();
    painter.fillPath(path, colour);
    if (style == ArrowStyle::Pfeil3) painter.drawEllipse(c, 3, 3);
}

namespace {

double wrapAzimuth(double position) {
    position = std::fmod(position, 360.0);
    return position < 0 ? position + 360 : position;
}

double clampElevation(double position) { return std::clamp(position, -90.0, 90.0); }

}  // namespace

TKompass::TKompass(QWidget* parent) : AngleControl(parent, {0, compassDragPosition, wrapAzimuth}) {}

void TKompass::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF r = beginPaint(p);
    const double radius = std::min(r.width(), r.height()) / 2.0 - 14;
    p.drawEllipse(r.center(), radius, radius);
    const QRectF top(r.left(), r.top(), r.width(), 14);
    p.drawText(top, Qt::AlignCenter, CaptionNord);
    p.drawText(QRectF(r.left(), r.bottom() - 14, r.width(), 14), Qt::AlignCenter, CaptionSued);
    p.drawText(QRectF(r.left(), r.top(), 14, r.height()), Qt::AlignCenter, CaptionWest);
    p.drawText(QRectF(r.right() - 14, r.top(), 14, r.height()), Qt::AlignCenter, CaptionOst);
    paintArrow(p);
}

TNeigung::TNeigung(QWidget* parent) : AngleControl(parent, {270, tiltDragPosition, clampElevation}) {
    ForeColor = Qt::blue;
}

void TNeigung::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF r = beginPaint(p);
    const QPointF c = r.center();
    const double radius = std::min(r.width(), r.height()) / 2.0 - 14;
    // The surface seen from the side: a vertical wall on the right, the arrow its normal.
    p.drawArc(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), 90 * 16, 180 * 16);
    p.drawLine(QPointF(c.x(), c.y() - radius), QPointF(c.x(), c.y() + radius));
    p.drawText(QRectF(r.left(), r.top(), r.width(), 14), Qt::AlignCenter, CaptionOben);
    p.drawText(QRectF(r.left(), r.bottom() - 14, r.width(), 14), Qt::AlignCenter, CaptionUnten);
    paintArrow(p);
}

// ---- spin edits

SpinEditBase::SpinEditBase(Dialogs& dialogs, QWidget* parent) : QAbstractSpinBox(parent), dialogs_(dialogs) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setKeyboardTracking(true);
    new KeyFilter(this, lineEdit(), true);
    connect(lineEdit(), &QLineEdit::textEdited, this, &SpinEditBase::changed);
}

QValidator::State SpinEditBase::validate(QString&, int&) const { return QValidator::Acceptable; }

QString SpinEditBase::text() const { return lineEdit()->text(); }

void SpinEditBase::setText(const QString& text) { lineEdit()->setText(text); }

QAbstractSpinBox::StepEnabled SpinEditBase::stepEnabled() const {
    return isEnabled() ? (StepUpEnabled | StepDownEnabled) : StepNone;
}

void SpinEditBase::stepBy(int steps) {
    check();
    step(steps);
    emit changed();
}

void SpinEditBase::focusOutEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusOutEvent(event);
    if (!check()) reportInvalid();
    emit changed();
}

void SpinEditBase::reportInvalid() {
    const auto [low, high] = range();
    dialogs_.warning(this, fromCp1252(invalidInputMessage(low, high, language)));
    lineEdit()->selectAll();
}

template <class T>
SpinEdit<T>::SpinEdit(Dialogs& dialogs, QWidget* parent) : SpinEditBase(dialogs, parent) {
    if constexpr (std::is_integral_v<T>) new KeyFilter(this, lineEdit(), false);
    setValue(0);
}

template <class T>
void SpinEdit<T>::setValue(T value) {
    value_ = value;
    if constexpr (std::is_integral_v<T>) lineEdit()->setText(QString::number(value));
    else lineEdit()->setText(QString::number(value, 'f', 1));
}

template <class T>
bool SpinEdit<T>::check() {
    if constexpr (std::is_integral_v<T>) {
        const auto r = checkSpinEditInt(toCp1252(text()), MinValue, MaxValue, value_);
        setValue(r.value);
        return !r.invalid;
    } else {
        const auto r = checkSpinEdit(toCp1252(text()), MinValue, MaxValue, value_);
        // A valid entry keeps its digits as typed; a corrected one shows the bound.
        if (r.invalid) setValue(r.value);
        else value_ = r.value;
        return !r.invalid;
    }
}

template <class T>
void SpinEdit<T>::step(int steps) {
    if constexpr (std::is_integral_v<T>) {
        long long v = static_cast<long long>(value_) + static_cast<long long>(steps) * Increment;
        if (MinValue != MaxValue) v = std::clamp<long long>(v, MinValue, MaxValue);
        setValue(static_cast<T>(v));
    } else {
        T v = std::round((value_ + steps * Increment) * 1e6) / 1e6;
        if (MinValue != MaxValue) v = std::clamp(v, MinValue, MaxValue);
        setValue(v);
    }
}

template class SpinEdit<int>;
template class SpinEdit<double>;

}  // namespace penumbro::ui
