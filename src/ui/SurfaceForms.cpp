#include "ui/SurfaceForms.h"

#include "editor/NameRules.h"
#include "ui/Dialogs.h"
#include "ui/InputControls.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace penumbro::ui {

namespace {

const Tx kRectangleTitle{"Generiere Rechteck", "Generate rectangle"};
const Tx kPolygonTitle{"Generiere n-Eck", "Generate polygon"};
const Tx kOverhangTitle{"Generiere \xDC" "berhang", "Generate overhang"};
const Tx kRectangleName{"Name des Rechtecks ?", "Name of the rectangle ?"};
const Tx kSurfaceName{"Name der Fl\xE4" "che:", "Name of the surface:"};
const Tx kTarget{"Targetfl\xE4" "che ?", "Target surface ?"};
const Tx kLengthU{"L\xE4nge in u - Richtung:", "Length in u - direction:"};
const Tx kLengthV{"L\xE4nge in v - Richtung:", "Length in v - direction:"};
const Tx kLowerLeftCorner{"Position der unteren linken Ecke:", "Position of the lower left corner:"};
const Tx kEarthSystemPosition{"Lage im Erdoberfl\xE4" "chen-System", "Position in the earth surface system"};
const Tx kXyzPosition{"Lage im x-y-z-System", "Position in the x-y-z system"};
const Tx kAzimuth{"Azimut :", "Azimuth :"};
const Tx kElevation{"Elevation :", "Elevation :"};
const Tx kOrigin{"Position des Aufpunktes ( u=0 , v=0 ) :", "Position of the origin ( u=0 , v=0 ) :"};
const Tx kCornerCount{"Anzahl der Eckpunkte :", "Number of corners :"};
const Tx kDefineCorners{"&Eckpunkte im u-v-System festlegen", "&Define corners in u-v system"};
const Tx kCounterClockwise{"Bitte geben Sie die Koordinaten entgegen dem  Uhrzeigersinn ein!",
                           "Please input the coordinates anti-clockwise."};
const Tx kOverhangPlacement{"Position und Ausrichtung des \xDC" "berhanges",
                            "Position and orientation of the overhang"};
const Tx kAzimuthDifference{"Azimut-Differenz vom Target:", "Azimuth difference to the target:"};
const Tx kElevationDifference{"Elevations-Differenz zum Target:", "Elevation difference to the target:"};
const Tx kUvRectangle{"&Rechteck im u-v-System festlegen", "Define &rectangle in u-v system"};
const Tx kFormLengthU{"L\xE4nge in u - Richtung :", "Length in u - direction :"};
const Tx kFormLengthV{"L\xE4nge in v - Richtung :", "Length in v - direction :"};
const Tx kFirstCorner{"Koordinaten des 1. Eckpunktes im u-v-System der Targetebene.",
                      "Coordinates of the 1st corner in the u-v system of the target plane."};
const Tx kChooserTitle{"Targetfl\xE4" "che ausw\xE4hlen", "Choose target surface"};
const Tx kEast{"O", "E"};
const Tx kSky{"Himmel", "Sky"};
const Tx kGround{"Boden", "Ground"};

QLineEdit* numberEdit(const char* name, bool decimal = true) {
    auto* edit = named(new QLineEdit, name);
    decimal ? installDecimalFilter(edit) : installIntegerFilter(edit);
    edit->setMaximumWidth(90);
    return edit;
}

std::string text(const QLineEdit* edit) { return toCp1252(edit->text()); }

void setText(QLineEdit* edit, const std::string& value) { edit->setText(fromCp1252(value)); }

QLabel* degrees() { return new QLabel(QStringLiteral("\u00B0")); }

// A reserved name is refused when its field is left: the message, and the focus goes
// back to the field (after the focus change has ended).
void refuseReservedNames(QWidget* form, QLineEdit* edit, Dialogs& dialogs, const Language& language) {
    QObject::connect(edit, &QLineEdit::editingFinished, form, [form, edit, &dialogs, &language] {
        QTimer::singleShot(0, form, [form, edit, &dialogs, &language] {
            const std::string name = text(edit);
            if (!form->isVisible() || !isReservedName(name)) return;
            dialogs.warning(form, fromCp1252(reservedNameMessage(name, language)));
            edit->setFocus();
        });
    });
}

// Gives the grid's cell editors the decimal filter and hands every keystroke to the
// grid at once, so that the sketch follows the typing.
class LiveCellDelegate : public DecimalCellDelegate {
public:
    using DecimalCellDelegate::DecimalCellDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = DecimalCellDelegate::createEditor(parent, option, index);
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            auto* self = const_cast<LiveCellDelegate*>(this);
            connect(edit, &QLineEdit::textEdited, self, [self, edit] { emit self->commitData(edit); });
        }
        return editor;
    }
};

// The corner grid: Tab and Backtab go from value cell to value cell, past the
// corners' label cells, so typed corners land where they belong.
class CornerTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        const QModelIndex at = currentIndex();
        const int rows = rowCount();
        if ((action != MoveNext && action != MovePrevious) || !at.isValid() || rows == 0)
            return QTableWidget::moveCursor(action, modifiers);
        int row = at.row();
        int column = std::max(at.column(), 1);
        if (action == MoveNext && at.column() != 0) {
            if (column == 1) column = 2;
            else column = 1, row = (row + 1) % rows;
        } else if (action == MovePrevious) {
            if (column == 2) column = 1;
            else column = 2, row = (row + rows - 1) % rows;
        }
        return model()->index(row, column);
    }
};

}  // namespace

// The polygon sketch: the corners that read so far, in their u-v frame, scaled to fit.
class PolygonSketch : public QWidget {
public:
    explicit PolygonSketch(QWidget* parent = nullptr) : QWidget(parent) { setMinimumSize(200, 150); }
    void setCorners(std::vector<UV> corners, bool complete) {
        corners_ = std::move(corners);
        complete_ = complete;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(Qt::gray);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        if (corners_.empty()) return;
        // The frame's origin stays in the picture, so the axes show where the polygon lies.
        double uMin = 0, uMax = 0, vMin = 0, vMax = 0;
        for (const UV& c : corners_) {
            uMin = std::min(uMin, c.u), uMax = std::max(uMax, c.u);
            vMin = std::min(vMin, c.v), vMax = std::max(vMax, c.v);
        }
        const double margin = 16;
        const double span = std::max({uMax - uMin, vMax - vMin, 1e-9});
        const double scale = std::min(width() - 2 * margin, height() - 2 * margin) / span;
        const double left = (width() - (uMax - uMin) * scale) / 2;
        const double bottom = height() - (height() - (vMax - vMin) * scale) / 2;
        auto at = [&](double u, double v) { return QPointF(left + (u - uMin) * scale, bottom - (v - vMin) * scale); };
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::lightGray, 1, Qt::DashLine));
        p.drawLine(at(uMin, 0), at(uMax, 0));
        p.drawLine(at(0, vMin), at(0, vMax));
        QPolygonF polygon;
        for (const UV& c : corners_) polygon << at(c.u, c.v);
        p.setPen(QPen(Qt::darkBlue, 2));
        if (complete_) {
            p.setBrush(QColor(200, 215, 240));
            p.drawPolygon(polygon);
        } else {
            p.drawPolyline(polygon);
        }
        p.setPen(Qt::black);
        for (int i = 0; i < polygon.size(); ++i) p.drawText(polygon[i] + QPointF(3, -3), QString::number(i + 1));
    }

private:
    std::vector<UV> corners_;
    bool complete_ = false;
};

// ---- placement group

QGroupBox* PlacementFields::build(CaptionTable& captions, const Tx& title, const std::array<const char*, 7>& names,
                                  bool narrow) {
    for (std::size_t i = 0; i < 5; ++i) edits_[i] = numberEdit(names[i]);
    compass_ = named(new TKompass, names[5]);
    tilt_ = named(new TNeigung, names[6]);
    tilt_->ForeColor = Qt::blue;
    auto* box = captions.add(new QGroupBox, title);
    auto* grid = new QGridLayout(box);
    grid->addWidget(captions.add(new QLabel, kAzimuth), 0, 0);
    grid->addWidget(edits_[0], 0, 1);
    grid->addWidget(degrees(), 0, 2);
    grid->addWidget(captions.add(new QLabel, kElevation), 1, 0);
    grid->addWidget(edits_[1], 1, 1);
    grid->addWidget(degrees(), 1, 2);
    auto* controls = new QHBoxLayout;
    compass_->setFixedSize(90, 90);
    tilt_->setFixedSize(90, 90);
    controls->addWidget(compass_);
    controls->addWidget(tilt_);
    controls->addStretch();
    if (narrow) {
        grid->addLayout(controls, 2, 0, 1, 4);
    } else {
        grid->addLayout(controls, 0, 3, 3, 1);
        grid->setColumnStretch(2, 1);
    }
    grid->addWidget(captions.add(new QLabel, kOrigin), 3, 0, 1, 4);
    grid->addLayout(labelledRow({{"x:", edits_[2]}, {"y:", edits_[3]}, {"z:", edits_[4]}}), 4, 0, 1, 4);
    QObject::connect(compass_, &TKompass::OnClick, box,
                     [this] { setText(edits_[0], controlAngleText(compass_->Position())); });
    QObject::connect(tilt_, &TNeigung::OnClick, box,
                     [this] { setText(edits_[1], controlAngleText(tilt_->Position())); });
    return box;
}

void PlacementFields::setTexts(const std::array<std::string, 5>& texts, bool quietly) const {
    for (std::size_t i = 0; i < 5; ++i) {
        const QSignalBlocker block(quietly ? edits_[i] : nullptr);
        setText(edits_[i], texts[i]);
    }
}

std::array<std::string, 5> PlacementFields::texts() const {
    std::array<std::string, 5> t;
    for (std::size_t i = 0; i < 5; ++i) t[i] = text(edits_[i]);
    return t;
}

void PlacementFields::follow() const {
    if (auto a = compassPositionOf(text(edits_[0]))) compass_->setPosition(*a);
    if (auto e = tiltPositionOf(text(edits_[1]))) tilt_->setPosition(*e);
}

void PlacementFields::relabel(Language language) const {
    compass_->CaptionOst = tx(kEast, language);
    tilt_->CaptionOben = tx(kSky, language);
    tilt_->CaptionUnten = tx(kGround, language);
    compass_->update();
    tilt_->update();
}

// ---- rectangle panel

RectangleForm::RectangleForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("Rechteck"));
    captions_.add(static_cast<QGroupBox*>(this), kRectangleTitle);
    for (int i = 0; i < 5; ++i) {
        const std::string name = "Edit" + std::to_string(i + 1);
        edit_[i] = i == 0 ? named(new QLineEdit, name.c_str()) : numberEdit(name.c_str());
    }
    auto* placementBox = placement_.build(
        captions_, kEarthSystemPosition, {"Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "Kompass1", "Neigung1"}, false);
    for (QLineEdit* e : edit_) connect(e, &QLineEdit::textChanged, this, &RectangleForm::fieldChanged);
    for (QLineEdit* e : placement_.edits()) connect(e, &QLineEdit::textChanged, this, &RectangleForm::fieldChanged);
    target_ = captions_.add(named(new QCheckBox, "CheckBox1"), kTarget);
    connect(target_, &QCheckBox::toggled, this, &RectangleForm::fieldChanged);

    auto* grid = new QGridLayout;
    grid->addWidget(captions_.add(new QLabel, kRectangleName), 0, 0);
    grid->addWidget(edit_[0], 0, 1);
    grid->addWidget(target_, 1, 1);
    grid->addWidget(captions_.add(new QLabel, kLengthU), 2, 0);
    grid->addWidget(edit_[1], 2, 1);
    grid->addWidget(captions_.add(new QLabel, kLengthV), 3, 0);
    grid->addWidget(edit_[2], 3, 1);
    grid->addWidget(captions_.add(new QLabel, kLowerLeftCorner), 4, 0);
    grid->addLayout(labelledRow({{"u:", edit_[3]}, {"v:", edit_[4]}}), 4, 1);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(placementBox);
    layout->addStretch();

    refuseReservedNames(this, edit_[0], dialogs_, language_);
    SpracheAnpassen(language_);
    prepareNew();
}

void RectangleForm::prepareNew() {
    for (QLineEdit* e : edit_) e->clear();
    target_->setChecked(false);
    placement_.show(RectanglePanel{}, false);
}

RectanglePanel RectangleForm::fields() const {
    RectanglePanel p;
    p.name = text(edit_[0]);
    p.target = target_->isChecked();
    p.lu = text(edit_[1]);
    p.lv = text(edit_[2]);
    p.u0 = text(edit_[3]);
    p.v0 = text(edit_[4]);
    placement_.read(p);
    return p;
}

bool RectangleForm::okEnabled() const { return fields().check(language_).okEnabled(); }
QString RectangleForm::okReason() const { return fromCp1252(fields().check(language_).reason(language_)); }

void RectangleForm::fieldChanged() {
    placement_.follow();
    emit changed();
}

void RectangleForm::relabelOthers(Language language) {
    placement_.relabel(language);
}

// ---- polygon panel and overhang form

PolygonForm::PolygonForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("n_Eck"));
    name_ = named(new QLineEdit, "Edit11");
    name_->installEventFilter(this);
    count_ = numberEdit("Edit12", false);
    target_ = captions_.add(named(new QCheckBox, "CheckBox2"), kTarget);
    difference_[0] = numberEdit("Edit33");
    difference_[1] = numberEdit("Edit34");
    const char* formNames[4] = {"EditLaengeU", "EditLaengeV", "EditU", "EditV"};
    for (int i = 0; i < 4; ++i) form_[i] = numberEdit(formNames[i]);
    button5_ = captions_.add(named(new QPushButton, "Button5"), kDefineCorners);
    uvButton_ = captions_.add(named(new QPushButton, "uvRechteck"), kUvRectangle);

    // Left column: the fields; right column: the corner grid with the sketch.
    auto* top = new QGridLayout;
    top->addWidget(captions_.add(new QLabel, kSurfaceName), 0, 0);
    top->addWidget(name_, 0, 1);
    top->addWidget(captions_.add(new QLabel, kCornerCount), 1, 0);
    top->addWidget(count_, 1, 1);
    top->addWidget(target_, 2, 0, 1, 2);
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(button5_);
    left->addWidget(uvButton_);
    placementBox_ = placement_.build(
        captions_, kXyzPosition, {"Edit16", "Edit17", "Edit18", "Edit19", "Edit20", "Kompass2", "Neigung2"}, true);
    left->addWidget(placementBox_);

    overhangBox_ = captions_.add(named(new QGroupBox, "GroupBox3"), kOverhangPlacement);
    auto* diff = new QGridLayout(overhangBox_);
    const Tx* diffLabels[2] = {&kAzimuthDifference, &kElevationDifference};
    for (int i = 0; i < 2; ++i) {
        auto* label = captions_.add(new QLabel, *diffLabels[i]);
        label->setWordWrap(true);
        difference_[i]->setFixedWidth(64);
        diff->addWidget(label, i, 0);
        diff->addWidget(difference_[i], i, 1);
        diff->addWidget(degrees(), i, 2);
    }
    diff->setColumnStretch(0, 1);
    // Shown while the fields put the overhang wholly behind its target.
    overhangWarning_ = named(new QLabel, "overhangWarning");
    overhangWarning_->setWordWrap(true);
    overhangWarning_->hide();
    diff->addWidget(overhangWarning_, 2, 0, 1, 3);
    left->addWidget(overhangBox_);

    uvPanel_ = named(new QFrame, "Panel3");
    uvPanel_->setFrameShape(QFrame::StyledPanel);
    auto* uv = new QGridLayout(uvPanel_);
    uv->addWidget(captions_.add(new QLabel, kFormLengthU), 0, 0);
    uv->addWidget(form_[0], 0, 1);
    uv->addWidget(captions_.add(new QLabel, kFormLengthV), 1, 0);
    uv->addWidget(form_[1], 1, 1);
    auto* corner = captions_.add(new QLabel, kFirstCorner);
    corner->setWordWrap(true);
    uv->addWidget(corner, 2, 0, 1, 3);
    uv->addLayout(labelledRow({{"u :", form_[2]}, {"v :", form_[3]}}), 3, 0, 1, 3);
    auto* uvOk = captions_.add(named(new QPushButton, "BitBtn1"), kOkCaption);
    auto* uvCancel = captions_.add(named(new QPushButton, "BitBtn3"), kCancelCaption);
    auto* uvButtons = new QHBoxLayout;
    uvButtons->addStretch();
    uvButtons->addWidget(uvOk);
    uvButtons->addWidget(uvCancel);
    uv->addLayout(uvButtons, 4, 0, 1, 3);
    uv->setColumnStretch(2, 1);
    left->addWidget(uvPanel_);
    left->addStretch();

    gridPanel_ = named(new QFrame, "Panel1");
    gridPanel_->setFrameShape(QFrame::StyledPanel);
    gridPanel_->setFixedWidth(232);
    auto* right = new QVBoxLayout(gridPanel_);
    auto* hint = captions_.add(named(new QLabel, "Label125"), kCounterClockwise);
    hint->setWordWrap(true);
    right->addWidget(hint);
    table_ = named(new CornerTable(0, 3), "StringGrid1");
    table_->setHorizontalHeaderLabels({QString(), QStringLiteral("  u ="), QStringLiteral("v =")});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(22);
    table_->setColumnWidth(0, 76);
    table_->setColumnWidth(1, 62);
    table_->setColumnWidth(2, 62);
    // Twelve corners fit without scrolling.
    table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height() + 12 * 22 + 4);
    table_->setItemDelegate(new LiveCellDelegate(table_));
    table_->installEventFilter(this);
    right->addWidget(table_, 1);
    auto* pBtn = captions_.add(named(new QPushButton, "P_Btn"), kOkCaption);
    right->addWidget(pBtn, 0, Qt::AlignRight);
    sketch_ = named(new PolygonSketch, "Image_nEck");
    right->addWidget(sketch_);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(gridPanel_, 0, Qt::AlignTop);

    for (QLineEdit* e : {name_, difference_[0], difference_[1]})
        connect(e, &QLineEdit::textChanged, this, &PolygonForm::fieldChanged);
    for (QLineEdit* e : placement_.edits()) connect(e, &QLineEdit::textChanged, this, &PolygonForm::fieldChanged);
    // Typing a count asks for a new confirmation; filling the grid sets count and rows together.
    connect(count_, &QLineEdit::textEdited, this, [this](const QString& t) {
        grid_.setCount(toCp1252(t));
        fieldChanged();
    });
    connect(target_, &QCheckBox::toggled, this, &PolygonForm::fieldChanged);
    connect(table_, &QTableWidget::itemChanged, this, &PolygonForm::redrawSketch);
    connect(button5_, &QPushButton::clicked, this, &PolygonForm::openGrid);
    connect(pBtn, &QPushButton::clicked, this, &PolygonForm::confirmGrid);
    connect(uvButton_, &QPushButton::clicked, this, [this] {
        const UvRectangleForm preset;
        const std::string* values[4] = {&preset.lu, &preset.lv, &preset.u, &preset.v};
        for (int i = 0; i < 4; ++i) setText(form_[i], *values[i]);
        uvPanel_->show();
    });
    connect(uvOk, &QPushButton::clicked, this, &PolygonForm::applyUvForm);
    connect(uvCancel, &QPushButton::clicked, uvPanel_, &QWidget::hide);
    refuseReservedNames(this, name_, dialogs_, language_);
    SpracheAnpassen(language_);
    prepareNew();
}

void PolygonForm::setOverhangMode(bool on, int targetNumber) {
    overhang_ = on;
    targetNumber_ = targetNumber;
    if (on) target_->setChecked(false);
    target_->setEnabled(!on);
    placementBox_->setVisible(!on);
    overhangBox_->setVisible(on);
    uvButton_->setVisible(on);
    uvPanel_->hide();
    gridPanel_->hide();
    setTitle(tx(on ? kOverhangTitle : kPolygonTitle, language_));
}

void PolygonForm::prepareNew() {
    fill(PolygonPanel{});
}

void PolygonForm::prepareOverhang(int targetNumber) {
    OverhangPanel fresh;
    fresh.targetNumber = targetNumber;
    fresh.azimuthDifference = fresh.elevationDifference = "0";
    fill(fresh);
}

void PolygonForm::fill(const PolygonPanel& panel) {
    {
        const QSignalBlocker blockName(name_), blockTarget(target_);
        setOverhangMode(false, 0);
        setText(name_, panel.name);
        target_->setChecked(panel.target);
        placement_.show(panel, true);
    }
    grid_ = panel.corners;
    setText(count_, grid_.count);
    showGrid(grid_.rows);
    fieldChanged();
}

void PolygonForm::fill(const OverhangPanel& panel) {
    {
        const QSignalBlocker blockName(name_);
        setOverhangMode(true, panel.targetNumber);
        setText(name_, panel.name);
        const std::string* values[2] = {&panel.azimuthDifference, &panel.elevationDifference};
        for (int i = 0; i < 2; ++i) {
            const QSignalBlocker block(difference_[i]);
            setText(difference_[i], *values[i]);
        }
        const std::string* form[4] = {&panel.form.lu, &panel.form.lv, &panel.form.u, &panel.form.v};
        for (int i = 0; i < 4; ++i) setText(form_[i], *form[i]);
    }
    grid_ = panel.corners;
    setText(count_, grid_.count);
    showGrid(grid_.rows);
    fieldChanged();
}

bool PolygonForm::overhangMode() const { return overhang_; }

std::vector<CornerRow> PolygonForm::gridRows() const {
    std::vector<CornerRow> rows;
    auto cell = [this](int row, int column) {
        const QTableWidgetItem* item = table_->item(row, column);
        return item ? toCp1252(item->text()) : std::string();
    };
    for (int r = 0; r < table_->rowCount(); ++r) rows.push_back({cell(r, 1), cell(r, 2)});
    return rows;
}

CornerGrid PolygonForm::corners() const {
    CornerGrid grid = grid_;
    grid.rows = gridRows();
    return grid;
}

PolygonPanel PolygonForm::polygonFields() const {
    PolygonPanel p;
    p.name = text(name_);
    p.corners = corners();
    p.target = target_->isChecked();
    placement_.read(p);
    return p;
}

OverhangPanel PolygonForm::overhangFields() const {
    OverhangPanel p;
    p.targetNumber = targetNumber_;
    p.name = text(name_);
    p.corners = corners();
    p.azimuthDifference = text(difference_[0]);
    p.elevationDifference = text(difference_[1]);
    p.form = {text(form_[0]), text(form_[1]), text(form_[2]), text(form_[3])};
    return p;
}

bool PolygonForm::okEnabled() const {
    return overhang_ ? overhangFields().check(language_).okEnabled()
                     : polygonFields().check(language_).okEnabled();
}

void PolygonForm::showOverhangWarning() {
    const auto warning = overhang_ ? overhangFields().warning() : std::nullopt;
    overhangWarning_->setText(warning ? fromCp1252(warning->render(language_)) : QString());
    overhangWarning_->setVisible(warning.has_value());
}

QString PolygonForm::okReason() const {
    const PanelCheck c = overhang_ ? overhangFields().check(language_) : polygonFields().check(language_);
    return fromCp1252(c.reason(language_));
}

void PolygonForm::fieldChanged() {
    button5_->setEnabled(grid_.buttonEnabled());
    showOverhangWarning();
    placement_.follow();
    emit changed();
}

void PolygonForm::showGrid(const std::vector<CornerRow>& rows) {
    const QSignalBlocker block(table_);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        auto* label = new QTableWidgetItem(fromCp1252(cornerLabel(r + 1, language_)));
        label->setFlags(Qt::ItemIsEnabled);
        label->setBackground(palette().window());
        table_->setItem(r, 0, label);
        table_->setItem(r, 1, new QTableWidgetItem(fromCp1252(rows[r].u)));
        table_->setItem(r, 2, new QTableWidgetItem(fromCp1252(rows[r].v)));
    }
    redrawSketch();
}

void PolygonForm::openGrid() {
    grid_.rows = gridRows();
    grid_.open();
    showGrid(grid_.rows);
    gridPanel_->show();
    table_->setFocus();
    table_->setCurrentCell(0, 1);
    fieldChanged();
}

void PolygonForm::confirmGrid() {
    grid_.rows = gridRows();
    if (auto message = grid_.confirm(language_)) {
        dialogs_.warning(this, fromCp1252(*message));
        return;
    }
    gridPanel_->hide();
    fieldChanged();
}

void PolygonForm::applyUvForm() {
    OverhangPanel p = overhangFields();
    if (auto message = p.applyUvRectangle(language_)) {
        dialogs_.warning(this, fromCp1252(*message));
    } else {
        grid_ = p.corners;
        setText(count_, grid_.count);
        showGrid(grid_.rows);
        uvPanel_->hide();
        gridPanel_->hide();
    }
    fieldChanged();
}

void PolygonForm::redrawSketch() {
    std::vector<UV> readable;
    const std::vector<CornerRow> rows = gridRows();
    for (const CornerRow& row : rows) {
        auto u = fieldNumber(row.u);
        auto v = fieldNumber(row.v);
        if (!u || !v) break;
        readable.push_back({*u, *v});
    }
    sketch_->setCorners(readable, !rows.empty() && readable.size() == rows.size());
}

bool PolygonForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyRelease) {
        redrawSketch();
    } else if (watched == name_ && overhang_ && event->type() == QEvent::KeyPress) {
        // The overhang's name follows its target number directly: no leading digit.
        const QString key = static_cast<QKeyEvent*>(event)->text();
        if (key.size() == 1 && key.at(0).unicode() < 128) {
            const std::string name = text(name_);
            const int at = name_->hasSelectedText() ? name_->selectionStart() : name_->cursorPosition();
            const char c = static_cast<char>(key.at(0).unicode());
            if (OverhangPanel::nameAfterKey(name, static_cast<std::size_t>(at), c) == name) return true;
        }
    }
    return EditorForm::eventFilter(watched, event);
}

void PolygonForm::relabelOthers(Language language) {
    placement_.relabel(language);
    setTitle(tx(overhang_ ? kOverhangTitle : kPolygonTitle, language));
    for (int r = 0; r < table_->rowCount(); ++r)
        if (QTableWidgetItem* label = table_->item(r, 0))
            label->setText(fromCp1252(cornerLabel(r + 1, language)));
    showOverhangWarning();
}

// ---- target chooser

TargetChooser::TargetChooser(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("GroupBoxTargetF"));
    captions_.add(static_cast<QGroupBox*>(this), kChooserTitle);
    list_ = named(new QListWidget, "ListBoxTargetF");
    auto* ok = captions_.add(named(new QPushButton, "TargetF_OK"), kOkCaption);
    auto* cancel = captions_.add(named(new QPushButton, "TargetF_Abbruch"), kCancelCaption);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        const int row = list_->currentRow();
        choose(row >= 0 && list_->currentItem() && list_->currentItem()->isSelected()
                   ? std::optional<std::size_t>(static_cast<std::size_t>(row))
                   : std::nullopt);
    });
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { choose(static_cast<std::size_t>(list_->row(item))); });
    connect(cancel, &QPushButton::clicked, this, &EditorForm::cancelClicked);
    SpracheAnpassen(language_);
}

void TargetChooser::fill(const std::vector<TargetChoice>& choices) {
    choices_ = choices;
    list_->clear();
    for (const TargetChoice& c : choices_) list_->addItem(fromCp1252(c.label));
}

void TargetChooser::choose(std::optional<std::size_t> selected) {
    const auto target = chooseTarget(choices_, selected);
    if (!target) return;
    if (target->showNotice) {
        // This notice exists in German only.
        dialogs_.message(this, QMessageBox::Information, fromCp1252(noTargetChosenTitle()),
                         fromCp1252(noTargetChosenMessage()), QMessageBox::Ok);
        list_->setCurrentRow(0);
    }
    emit chosen(target->objectNumber);
}

}  // namespace penumbro::ui
