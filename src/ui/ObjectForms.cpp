#include "ui/ObjectForms.h"

#include "formats/ScheduleFile.h"
#include "editor/generators/GeneratorFormat.h"
#include "project/InputError.h"
#include "project/SharedTexts.h"
#include "ui/Dialogs.h"
#include "ui/InputControls.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace penumbro::ui {

namespace {

const Tx kHouseTitle{"Generiere Haus", "Generate house"};
const Tx kName{"Name:", "Name:"};
const Tx kEastWestWidth{"Breite der Ost-/Westseite :", "Width of the east/west side :"};
const Tx kNorthSouthWidth{"Breite der Nord-/S\xFC" "dseite :", "Width of the north/south side :"};
const Tx kWallHeight{"H\xF6he ohne Dach :", "Height without roof :"};
const Tx kRoofHeight{"H\xF6he des Daches :", "Height of the roof :"};
const Tx kStandard{"Standardposition: ", "Default position:"};
const Tx kStandardRidge{"Der Dachfirst liegt in Nord-S\xFC" "d-Richtung. Eine Ecke liegt in (0,0,0).",
                        "The ridge direction is north-south. One corner of the house has the coordinates (0,0,0)."};
const Tx kStandardFloor{"Die Bodenplatte des Hauses steht im 1. Quadranten zu positiven x-, y-, z-Koordinaten.",
                        "The floor of the house lies in the principal quadrant."};
const Tx kChangePosition{"\xC4nderung der Lage: ", "Changing the position:"};
const Tx kRotation{"1. Drehung des Hauses im Uhrzeigersinn:", "1. Clockwise rotation of the house:"};
const Tx kShiftBy{"2. Verschiebung  um den Vektor :", "2. Shift by the vector :"};

const Tx kTreeTitle{"Generiere Baum", "Generate tree"};
const Tx kTrunkHeight{"H\xF6he des Stammes :", "Height of the trunk :"};
const Tx kTrunkDiameter{"Durchmesser des Stammes :", "Diameter of the trunk :"};
const Tx kCrownDiameter{"Durchmesser der Baumkrone :", "Diameter of the crown :"};
const Tx kFootPoint{"Position des Fu\xDF" "punktes im Erdoberfl\xE4" "chen-System :",
                    "Position of the foot point in the earth surface system :"};
const Tx kFoliage{"Belaubung", "Foliage (leaf cover)"};
const Tx kReadFoliage{"Belaubung aus Datei &einlesen", "&Read foliage from file"};
const Tx kSaveFoliage{"Belaubungsdaten &speichern unter ...", "&Save foliage to file ..."};

const Tx kGroundTitle{"Bodenreflexion \xE4" "ndern", "Change ground reflection"};
const Tx kReadGround{"Bodenreflexion aus Datei &einlesen", "&Read ground reflection from file"};
const Tx kSaveGround{"Bodenreflexionsdaten &speichern unter ...", "&Save ground reflection to file ..."};

const Tx kOpenSchedule{"Schedule-Datei \xF6" "ffnen", "Open schedule file"};
const Tx kSaveSchedule{"Schedule-Datei speichern unter", "Save schedule file as"};
const QString kScheduleFilter = QStringLiteral("Schedule|*.sch");

const std::array<const char*, 12> kFoliageNames{"jan", "feb", "mrz", "apr", "mai", "jun",
                                                "jul", "aug", "sep", "okt", "nov", "dez"};
const std::array<const char*, 12> kReflectanceNames{"B_Jan", "B_Feb", "B_Mrz", "B_Apr", "B_Mai", "B_Jun",
                                                    "B_Jul", "B_Aug", "B_Sep", "B_Okt", "B_Nov", "B_Dez"};

QLineEdit* numberEdit(const char* name) {
    auto* edit = named(new QLineEdit, name);
    installDecimalFilter(edit);
    return edit;
}

// The window's edits of a generator's number fields, named as its table says.
template <class Panel, class Values, std::size_t N>
void numberEdits(std::array<QLineEdit*, N>& edits, const std::array<NumberField<Panel, Values>, N>& fields) {
    for (std::size_t i = 0; i < N; ++i) edits[i] = numberEdit(fields[i].control);
}

template <class Panel, class Values, std::size_t N>
void showTexts(const Panel& p, const std::array<NumberField<Panel, Values>, N>& fields,
               const std::array<QLineEdit*, N>& edits) {
    for (std::size_t i = 0; i < N; ++i) edits[i]->setText(fromCp1252(p.*fields[i].text));
}

template <class Panel, class Values, std::size_t N>
void readTexts(const std::array<QLineEdit*, N>& edits, const std::array<NumberField<Panel, Values>, N>& fields,
               Panel& p) {
    for (std::size_t i = 0; i < N; ++i) p.*fields[i].text = toCp1252(edits[i]->text());
}

// "Name:" and the size fields below it, the first edits in order.
QFormLayout* sizeRows(CaptionTable& captions, QLineEdit* name, std::initializer_list<const Tx*> texts,
                      QLineEdit* const* edits) {
    auto* rows = new QFormLayout;
    rows->addRow(captions.add(new QLabel, kName), name);
    for (const Tx* text : texts) {
        (*edits)->setMaximumWidth(120);
        rows->addRow(captions.add(new QLabel, *text), *edits++);
    }
    return rows;
}

QLabel* plain(const char* text) { return new QLabel(fromCp1252(text)); }

QLabel* heading(QLabel* label) {
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QLabel* wrapped(QLabel* label) {
    label->setWordWrap(true);
    return label;
}

// "x: [..]  y: [..]  z: [..]"
QHBoxLayout* vectorRow(QLineEdit* x, QLineEdit* y, QLineEdit* z) {
    for (QLineEdit* edit : {x, y, z}) edit->setMaximumWidth(90);
    return labelledRow({{"x:", x}, {"y:", y}, {"z:", z}});
}

// Two columns of six months, "%" behind each spin edit.
QGridLayout* monthGrid(MonthSpins& months, Dialogs& dialogs, const std::array<const char*, 12>& names) {
    auto* grid = new QGridLayout;
    for (std::size_t m = 0; m < 12; ++m) {
        const int row = static_cast<int>(m % 6), column = static_cast<int>(m / 6) * 4;
        months.labels[m] = new QLabel;
        months.spins[m] = named(new TSpinEditInt(dialogs), names[m]);
        months.spins[m]->setMinimumWidth(70);
        grid->addWidget(months.labels[m], row, column);
        grid->addWidget(months.spins[m], row, column + 1);
        grid->addWidget(plain("%"), row, column + 2);
    }
    grid->setColumnMinimumWidth(3, 24);
    grid->setColumnStretch(7, 1);
    return grid;
}

void relabel(const MonthSpins& months, Language language) {
    for (std::size_t m = 0; m < 12; ++m) {
        months.labels[m]->setText(fromCp1252(monthNames(language)[m]) + QStringLiteral(" :"));
        months.spins[m]->language = language;
    }
}

std::array<std::string, 12> monthTexts(const MonthSpins& months) {
    std::array<std::string, 12> texts;
    for (std::size_t m = 0; m < 12; ++m) texts[m] = toCp1252(months.spins[m]->text());
    return texts;
}

void showMonths(const MonthSpins& months, const std::array<int, 12>& values) {
    for (std::size_t m = 0; m < 12; ++m) months.spins[m]->setValue(values[m]);
}

// The dialog's choice with the default extension; empty when cancelled.
QString withScheduleExtension(QString chosen) {
    if (!chosen.isEmpty() && QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".sch");
    return chosen;
}

// Fills the spin edits from a chosen schedule file; false when nothing changed.
bool openSchedule(QWidget* parent, Dialogs& dialogs, Language language, const MonthSpins& months) {
    const QString file =
        withScheduleExtension(dialogs.getOpenFileName(parent, tx(kOpenSchedule, language), QString(), kScheduleFilter));
    if (file.isEmpty()) return false;
    try {
        showMonths(months, readSchedule(toPath(file)));
        return true;
    } catch (const InputError& e) {
        dialogs.warning(parent, errorMessage(e, language));
        return false;
    }
}

void saveSchedule(QWidget* parent, Dialogs& dialogs, Language language, const MonthSpins& months) {
    ReflectancePanel check;  // the same rule: twelve integers 0..100
    check.fields = monthTexts(months);
    const auto values = check.values();
    if (!values) {
        dialogs.warning(parent, fromCp1252(check.message(language)));
        return;
    }
    const QString file =
        withScheduleExtension(dialogs.getSaveFileName(parent, tx(kSaveSchedule, language), QString(), kScheduleFilter));
    if (file.isEmpty()) return;
    try {
        writeSchedule(toPath(file), *values);
    } catch (const InputError& e) {
        dialogs.warning(parent, errorMessage(e, language));
    }
}

}  // namespace

// ---- house

// The house's floor seen from above, turned by the rotation field about the corner at
// the origin; the front side (the gable end) drawn thick, the ridge dashed.
class HouseSketch : public QWidget {
public:
    HouseSketch() { setObjectName(QStringLiteral("Image_Hauslage")); }
    QSize sizeHint() const override { return {160, 160}; }
    QSize minimumSizeHint() const override { return {150, 150}; }
    void setPanel(const HousePanel& panel) {
        panel_ = panel;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        p.setPen(Qt::gray);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        const auto a = fieldNumber(panel_.nsWidth), b = fieldNumber(panel_.ewWidth);
        const bool sized = a && b && *a > 0 && *b > 0;
        const double w = sized ? *a : 1.0, d = sized ? *b : 1.6;
        const auto turn = fieldNumber(panel_.rotation);
        const double phi = (turn && *turn >= 0 && *turn <= 360 ? *turn : 0) / kDegreesPerRadian;

        const QPointF c = QRectF(rect()).center();
        const double scale = (std::min(width(), height()) / 2.0 - 16) / std::hypot(w, d);
        const auto at = [&](double x, double y) {
            const double xt = x * std::cos(phi) + y * std::sin(phi), yt = -x * std::sin(phi) + y * std::cos(phi);
            return QPointF(c.x() + xt * scale, c.y() - yt * scale);
        };
        p.setPen(QPen(Qt::lightGray, 1));
        p.drawLine(QPointF(4, c.y()), QPointF(width() - 4, c.y()));
        p.drawLine(QPointF(c.x(), 14), QPointF(c.x(), height() - 4));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, 0, width(), 14), Qt::AlignCenter, QStringLiteral("N"));

        QPolygonF floor;
        floor << at(0, 0) << at(w, 0) << at(w, d) << at(0, d);
        p.setBrush(QColor(230, 200, 160));
        p.setPen(QPen(Qt::darkGray, 1));
        p.drawPolygon(floor);
        p.setPen(QPen(Qt::red, 3));
        p.drawLine(at(0, 0), at(w, 0));
        p.setPen(QPen(Qt::darkRed, 1, Qt::DashLine));
        p.drawLine(at(w / 2, 0), at(w / 2, d));
    }

private:
    HousePanel panel_;
};

HouseForm::HouseForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("Haus_gen"));
    captions_.add(this, kHouseTitle);
    Hausname = named(new QLineEdit, "Hausname");
    numberEdits(numbers_, houseFields());
    Image_Hauslage = new HouseSketch;

    auto* sizes = sizeRows(captions_, Hausname, {&kEastWestWidth, &kNorthSouthWidth, &kWallHeight, &kRoofHeight},
                           numbers_.data());
    auto* top = new QHBoxLayout;
    top->addLayout(sizes, 1);
    top->addWidget(Image_Hauslage, 0, Qt::AlignTop);

    auto* turn = new QHBoxLayout;
    turn->addWidget(captions_.add(new QLabel, kRotation));
    numbers_[4]->setMaximumWidth(90);
    turn->addWidget(numbers_[4]);
    turn->addWidget(plain("\xB0"));
    turn->addStretch();
    auto* shift = vectorRow(numbers_[5], numbers_[6], numbers_[7]);
    shift->insertWidget(0, captions_.add(new QLabel, kShiftBy));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(heading(captions_.add(new QLabel, kStandard)));
    layout->addWidget(wrapped(captions_.add(new QLabel, kStandardRidge)));
    layout->addWidget(wrapped(captions_.add(new QLabel, kStandardFloor)));
    layout->addWidget(heading(captions_.add(new QLabel, kChangePosition)));
    layout->addLayout(turn);
    layout->addLayout(shift);
    layout->addStretch();

    connect(Hausname, &QLineEdit::textChanged, this, &HouseForm::HausParameterChange);
    for (QLineEdit* e : numbers_) connect(e, &QLineEdit::textChanged, this, &HouseForm::HausParameterChange);
    SpracheAnpassen(Language::German);
}

void HouseForm::HausParameterChange() {
    Image_Hauslage->setPanel(fields());
    emit changed();
}

void HouseForm::prepareNew() { fill(HousePanel{}); }

void HouseForm::fill(const HousePanel& p) {
    Hausname->setText(fromCp1252(p.name));
    showTexts(p, houseFields(), numbers_);
    HausParameterChange();
}

HousePanel HouseForm::fields() const {
    HousePanel p;
    p.name = toCp1252(Hausname->text());
    readTexts(numbers_, houseFields(), p);
    return p;
}

bool HouseForm::okEnabled() const { return fields().check(language_).okEnabled(); }
QString HouseForm::okReason() const { return fromCp1252(fields().check(language_).reason(language_)); }


// ---- tree

TreeForm::TreeForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("Baum_gen"));
    captions_.add(this, kTreeTitle);
    Baumname = named(new QLineEdit, "Baumname");
    numberEdits(numbers_, treeFields());
    Ba_Schedule_oeffnen = named(new QPushButton, "Ba_Schedule_oeffnen");
    Ba_Schedule_speichern_unter = named(new QPushButton, "Ba_Schedule_speichern_unter");

    auto* sizes = sizeRows(captions_, Baumname, {&kTrunkHeight, &kTrunkDiameter, &kCrownDiameter},
                           numbers_.data());
    auto* foliage = captions_.add(named(new QGroupBox, "Belaubung"), kFoliage);
    auto* foliageLayout = new QVBoxLayout(foliage);
    foliageLayout->addLayout(monthGrid(months_, dialogs_, kFoliageNames));
    auto* files = new QHBoxLayout;
    files->addWidget(captions_.add(Ba_Schedule_oeffnen, kReadFoliage));
    files->addWidget(captions_.add(Ba_Schedule_speichern_unter, kSaveFoliage));
    files->addStretch();
    foliageLayout->addLayout(files);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sizes);
    layout->addWidget(wrapped(captions_.add(new QLabel, kFootPoint)));
    layout->addLayout(vectorRow(numbers_[3], numbers_[4], numbers_[5]));
    layout->addWidget(foliage);
    layout->addStretch();

    connect(Baumname, &QLineEdit::textChanged, this, &TreeForm::BaumParameterChange);
    for (QLineEdit* e : numbers_) connect(e, &QLineEdit::textChanged, this, &TreeForm::BaumParameterChange);
    for (TSpinEditInt* s : months_.spins) connect(s, &SpinEditBase::changed, this, &TreeForm::BaumParameterChange);
    connect(Ba_Schedule_oeffnen, &QPushButton::clicked, this, [this] {
        if (openSchedule(this, dialogs_, language_, months_)) BaumParameterChange();
    });
    connect(Ba_Schedule_speichern_unter, &QPushButton::clicked, this,
            [this] { saveSchedule(this, dialogs_, language_, months_); });
    SpracheAnpassen(Language::German);
}

void TreeForm::BaumParameterChange() { emit changed(); }

void TreeForm::fill(const TreePanel& p) {
    Baumname->setText(fromCp1252(p.name));
    showTexts(p, treeFields(), numbers_);
    for (std::size_t m = 0; m < 12; ++m) {
        months_.spins[m]->setText(fromCp1252(p.foliage[m]));
        months_.spins[m]->check();
    }
    BaumParameterChange();
}

void TreeForm::clearNumbers() {
    for (QLineEdit* e : numbers_) e->clear();
}

TreePanel TreeForm::fields() const {
    TreePanel p;
    p.name = toCp1252(Baumname->text());
    readTexts(numbers_, treeFields(), p);
    p.foliage = monthTexts(months_);
    return p;
}

bool TreeForm::okEnabled() const { return fields().check(language_).okEnabled(); }
QString TreeForm::okReason() const { return fromCp1252(fields().check(language_).reason(language_)); }

void TreeForm::relabelOthers(Language language) {
    relabel(months_, language);
}

// ---- ground reflectance

ReflectanceForm::ReflectanceForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("Bodenreflexion_gen"));
    captions_.add(this, kGroundTitle);
    Bo_Schedule_oeffnen = named(new QPushButton, "Bo_Schedule_oeffnen");
    Bo_Schedule_speichern_unter = named(new QPushButton, "Bo_Schedule_speichern_unter");
    Boden_OK = named(new QPushButton, "Boden_OK");
    Boden_Abbruch = named(new QPushButton, "Boden_Abbruch");

    auto* files = new QVBoxLayout;
    files->addWidget(captions_.add(Bo_Schedule_oeffnen, kReadGround));
    files->addWidget(captions_.add(Bo_Schedule_speichern_unter, kSaveGround));
    auto* filesRow = new QHBoxLayout;
    filesRow->addLayout(files);
    filesRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(captions_.add(Boden_OK, kOkCaption));
    buttons->addWidget(captions_.add(Boden_Abbruch, kCancelCaption));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(monthGrid(months_, dialogs_, kReflectanceNames));
    layout->addLayout(filesRow);
    layout->addStretch();
    layout->addLayout(buttons);

    for (TSpinEditInt* s : months_.spins) connect(s, &SpinEditBase::changed, this, &ReflectanceForm::stepOk);
    connect(Bo_Schedule_oeffnen, &QPushButton::clicked, this, [this] {
        if (openSchedule(this, dialogs_, language_, months_)) stepOk();
    });
    connect(Bo_Schedule_speichern_unter, &QPushButton::clicked, this,
            [this] { saveSchedule(this, dialogs_, language_, months_); });
    connect(Boden_OK, &QPushButton::clicked, this, [this] {
        if (okEnabled()) emit okClicked();
    });
    connect(Boden_Abbruch, &QPushButton::clicked, this, &EditorForm::cancelClicked);
    fill(*ReflectancePanel{}.values());
    SpracheAnpassen(Language::German);
}

void ReflectanceForm::stepOk() {
    Boden_OK->setEnabled(okEnabled());
    emit changed();
}

void ReflectanceForm::fill(const MonthlyValues& values) {
    showMonths(months_, values);
    stepOk();
}

std::optional<MonthlyValues> ReflectanceForm::values() const {
    ReflectancePanel p;
    p.fields = monthTexts(months_);
    return p.values();
}

void ReflectanceForm::relabelOthers(Language language) {
    relabel(months_, language);
}

}  // namespace penumbro::ui
