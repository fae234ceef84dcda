#pragma once
// The editor's own input controls: the compass and tilt displays that show and set
// an angle by an arrow, the spin edits with their range rule, and the key filters of
// the number fields. The arithmetic lives in editor/InputFilters.

#include <QAbstractSpinBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QColor>
#include <QStyledItemDelegate>
#include <QWidget>

#include "project/Language.h"

#include <type_traits>
#include <utility>

class QLineEdit;

namespace penumbro::ui {

class Dialogs;

// Arrow shapes of the angle controls.
enum class ArrowStyle { Pfeil1, Pfeil2, Pfeil3 };

// Shared by the compass and the tilt control: colours, style, drag handling.
class AngleControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double Position READ Position WRITE setPosition NOTIFY positionChanged)
public:
    double Position() const { return position_; }
    void setPosition(double position);
    QColor Color = Qt::white;  // background
    QColor ForeColor = Qt::red;
    ArrowStyle style = ArrowStyle::Pfeil3;
    QSize sizeHint() const override { return {90, 90}; }

signals:
    // A click or drag set the position (not a setPosition call).
    void OnClick();
    void positionChanged(double position);

protected:
    // What sets a kind of control apart: position 0 points screenOffset degrees
    // clockwise from the top; a point at (dx, dy) from the centre (dy up) stands for
    // dragPosition(dx, dy); limit brings any position into the control's range.
    struct Geometry {
        double screenOffset;
        double (*dragPosition)(double dx, double dy);
        double (*limit)(double position);
    };
    AngleControl(QWidget* parent, Geometry geometry);
    // Background and pen set; returns the area to draw in.
    QRectF beginPaint(class QPainter& painter) const;
    void paintArrow(QPainter& painter) const;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void dragTo(const QPointF& point);
    double position_ = 0;
    Geometry geometry_;
};

// Azimuth 0 <= Position < 360, clockwise from the top (north).
class TKompass : public AngleControl {
    Q_OBJECT
public:
    explicit TKompass(QWidget* parent = nullptr);
    QString CaptionNord = QStringLiteral("N");
    QString CaptionSued = QStringLiteral("S");
    QString CaptionOst = QStringLiteral("O");
    QString CaptionWest = QStringLiteral("W");

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Elevation -90 <= Position <= 90 (toward the sky positive), shown as a side view.
class TNeigung : public AngleControl {
    Q_OBJECT
public:
    explicit TNeigung(QWidget* parent = nullptr);
    QString CaptionOben = QStringLiteral("Himmel");
    QString CaptionUnten = QStringLiteral("Boden");

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A spin edit whose text may hold anything while typed; on leaving it the text is
// checked: outside [MinValue, MaxValue] (when they differ) the message "Ungültige
// Eingabe !" is shown, the value set to the nearer bound and the text selected; text
// that is no number keeps the previous value. The arrows step by Increment.
class SpinEditBase : public QAbstractSpinBox {
    Q_OBJECT
public:
    QValidator::State validate(QString& input, int& pos) const override;
    void stepBy(int steps) override;
    // The shown text; setText does not check it (the next focus loss does).
    QString text() const;
    void setText(const QString& text);
    Language language = Language::German;  // of the refusal message

signals:
    void changed();  // text changed by typing, stepping or a check

protected:
    SpinEditBase(Dialogs& dialogs, QWidget* parent);
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;
    // Checks the text; true when it was valid.
    virtual bool check() = 0;
    // MinValue and MaxValue.
    virtual std::pair<double, double> range() const = 0;
    virtual void step(int steps) = 0;
    void reportInvalid();

private:
    Dialogs& dialogs_;
};

// The integer and the decimal spin edit: the value the text had when last checked,
// its bounds and the step of the arrows. The decimal one shows one decimal and keeps
// a valid entry's digits as typed; the integer one rewrites its text on every check.
template <class T>
class SpinEdit : public SpinEditBase {
public:
    T MinValue = 0;
    T MaxValue = std::is_integral_v<T> ? 100 : 0;
    T Increment = std::is_integral_v<T> ? T(1) : T(0.1);
    T Value() const { return value_; }  // the text's value once checked
    void setValue(T value);
    bool check() override;

protected:
    SpinEdit(Dialogs& dialogs, QWidget* parent);
    void step(int steps) override;
    std::pair<double, double> range() const override { return {MinValue, MaxValue}; }

private:
    T value_ = 0;
};

class TSpinEditInt : public SpinEdit<int> {
    Q_OBJECT
public:
    explicit TSpinEditInt(Dialogs& dialogs, QWidget* parent = nullptr) : SpinEdit(dialogs, parent) {}
};

class TSpinEditExt : public SpinEdit<double> {
    Q_OBJECT
public:
    explicit TSpinEditExt(Dialogs& dialogs, QWidget* parent = nullptr) : SpinEdit(dialogs, parent) {}
};

// A decimal spin box that takes the decimal comma as well as the point (shown with
// the point, as every number of the program).
class DecimalSpinBox : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit DecimalSpinBox(QWidget* parent = nullptr);
    QValidator::State validate(QString& input, int& pos) const override;
    double valueFromText(const QString& text) const override;
};

// An integer spin box that refuses a number outside its range instead of keeping only
// the digits that fit (typing "13" with a maximum of 12 must not leave "1"): the field
// flashes and refused() names what was typed.
class RangeSpinBox : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    void refused(const QString& typed);
};

// Key filters: decimal fields pass what a number may hold (digits, signs, ".", the
// exponent) and turn "," into "."; integer fields pass digits only. Editing keys
// (backspace, arrows, delete, tab) always pass; a dropped key flashes the field.
void installDecimalFilter(QLineEdit* edit);
void installIntegerFilter(QLineEdit* edit);

// Shows that the field refused a key: a short colour flash, and the count in the
// property kRefusedKeys.
inline constexpr const char* kRefusedKeys = "refusedKeys";
void showRefusedKey(QWidget* field);

// Gives a table's cell editors the decimal key filter.
class DecimalCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};

}  // namespace penumbro::ui
