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

const Tx kHausTitel{"Generiere Haus", "Generate house"};
const Tx kName{"Name:", "Name:"};
const Tx kBreiteOstWest{"Breite der Ost-/Westseite :", "Width of the east/west side :"};
const Tx kBreiteNordSued{"Breite der Nord-/S\xFC" "dseite :", "Width of the north/south side :"};
const Tx kHoeheOhneDach{"H\xF6he ohne Dach :", "Height without roof :"};
const Tx kDachhoehe{"H\xF6he des Daches :", "Height of the roof :"};
const Tx kStandard{"Standardposition: ", "Default position:"};
const Tx kStandardFirst{"Der Dachfirst liegt in Nord-S\xFC" "d-Richtung. Eine Ecke liegt in (0,0,0).",
                        "The ridge direction is north-south. One corner of the house has the coordinates (0,0,0)."};
const Tx kStandardBoden{"Die Bodenplatte des Hauses steht im 1. Quadranten zu positiven x-, y-, z-Koordinaten.",
                        "The floor of the house lies in the principal quadrant."};
const Tx kLage{"\xC4nderung der Lage: ", "Changing the position:"};
const Tx kDrehung{"1. Drehung des Hauses im Uhrzeigersinn:", "1. Clockwise rotation of the house:"};
const Tx kVerschiebung{"2. Verschiebung  um den Vektor :", "2. Shift by the vector :"};

const Tx kBaumTitel{"Generiere Baum", "Generate tree"};
const Tx kStammHoehe{"H\xF6he des Stammes :", "Height of the trunk :"};
const Tx kStammDurchmesser{"Durchmesser des Stammes :", "Diameter of the trunk :"};
const Tx kKronenDurchmesser{"Durchmesser der Baumkrone :", "Diameter of the crown :"};
const Tx kFusspunkt{"Position des Fu\xDF" "punktes im Erdoberfl\xE4" "chen-System :",
                    "Position of the foot point in the earth surface system :"};
const Tx kBelaubung{"Belaubung", "Foliage (leaf cover)"};
const Tx kBelaubungLesen{"Belaubung aus Datei &einlesen", "&Read foliage from file"};
const Tx kBelaubungSpeichern{"Belaubungsdaten &speichern unter ...", "&Save foliage to file ..."};

const Tx kBodenTitel{"Bodenreflexion \xE4" "ndern", "Change ground reflection"};
const Tx kBodenLesen{"Bodenreflexion aus Datei &einlesen", "&Read ground reflection from file"};
const Tx kBodenSpeichern{"Bodenreflexionsdaten &speichern unter ...", "&Save ground reflection to file ..."};
const Tx kOk{"OK", "OK"};
const Tx kAbbrechen{"&Abbrechen", "&Cancel"};

const Tx kScheduleOeffnen{"Schedule-Datei \xF6" "ffnen", "Open schedule file"};
const Tx kScheduleSpeichern{"Schedule-Datei speichern unter", "Save schedule file as"};
const QString kScheduleFilter = QStringLiteral("Schedule|*.sch");

const std::array<const char*, 12> kFoliageNames{"jan", "feb", "mrz", "apr", "mai", "jun",
                                                "jul", "aug", "sep", "okt", "nov", "dez"};
const std::array<const char*, 12> kReflectanceNames{"B_Jan", "B_Feb", "B_Mrz", "B_Apr", "B_Mai", "B_Jun",
                                                    "B_Jul", "B_Aug", "B_Sep", "B_Okt", "B_Nov", "B_Dez"};

template <class W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit* numberEdit(const char* name) {
    auto* edit = named(new QLineEdit, name);
    installDecimalFilter(edit);
    return edit;
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
    auto* row = new QHBoxLayout;
    for (auto [label, edit] : {std::pair{"x:", x}, std::pair{"y:", y}, std::pair{"z:", z}}) {
        edit->setMaximumWidth(90);
        row->addWidget(plain(label));
        row->addWidget(edit);
    }
    row->addStretch();
    return row;
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
        withScheduleExtension(dialogs.getOpenFileName(parent, tx(kScheduleOeffnen, language), QString(), kScheduleFilter));
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
        withScheduleExtension(dialogs.getSaveFileName(parent, tx(kScheduleSpeichern, language), QString(), kScheduleFilter));
    if (file.isEmpty()) return;
    try {
        writeSchedule(toPath(file), *values);
    } catch (const InputError& e) {
        dialogs.warning(parent, errorMessage(e, language));
    }
}

}  // namespace

void CaptionTable::apply(Language language) const {
    for (const auto& [widget, text] : entries_) {
        if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(tx(text, language));
        else if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(tx(text, language));
        else if (auto* group = qobject_cast<QGroupBox*>(widget)) group->setTitle(tx(text, language));
    }
}

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
    Hausname = named(new QLineEdit, "Hausname");
    Edit22 = numberEdit("Edit22");
    Edit23 = numberEdit("Edit23");
    Edit24 = numberEdit("Edit24");
    Edit25 = numberEdit("Edit25");
    Edit13 = numberEdit("Edit13");
    Edit14 = numberEdit("Edit14");
    Edit15 = numberEdit("Edit15");
    Edit21 = numberEdit("Edit21");
    Image_Hauslage = new HouseSketch;

    auto* sizes = new QFormLayout;
    sizes->addRow(captions_.add(new QLabel, kName), Hausname);
    for (auto [text, edit] : {std::pair{&kBreiteOstWest, Edit22}, std::pair{&kBreiteNordSued, Edit23},
                              std::pair{&kHoeheOhneDach, Edit24}, std::pair{&kDachhoehe, Edit25}}) {
        edit->setMaximumWidth(120);
        sizes->addRow(captions_.add(new QLabel, *text), edit);
    }
    auto* top = new QHBoxLayout;
    top->addLayout(sizes, 1);
    top->addWidget(Image_Hauslage, 0, Qt::AlignTop);

    auto* turn = new QHBoxLayout;
    turn->addWidget(captions_.add(new QLabel, kDrehung));
    Edit13->setMaximumWidth(90);
    turn->addWidget(Edit13);
    turn->addWidget(plain("\xB0"));
    turn->addStretch();
    auto* shift = vectorRow(Edit14, Edit15, Edit21);
    shift->insertWidget(0, captions_.add(new QLabel, kVerschiebung));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(heading(captions_.add(new QLabel, kStandard)));
    layout->addWidget(wrapped(captions_.add(new QLabel, kStandardFirst)));
    layout->addWidget(wrapped(captions_.add(new QLabel, kStandardBoden)));
    layout->addWidget(heading(captions_.add(new QLabel, kLage)));
    layout->addLayout(turn);
    layout->addLayout(shift);
    layout->addStretch();

    for (QLineEdit* e : {Hausname, Edit22, Edit23, Edit24, Edit25, Edit13, Edit14, Edit15, Edit21})
        connect(e, &QLineEdit::textChanged, this, &HouseForm::HausParameterChange);
    SpracheAnpassen(Language::German);
}

void HouseForm::HausParameterChange() {
    Image_Hauslage->setPanel(fields());
    emit changed();
}

void HouseForm::prepareNew() { fill(HousePanel{}); }

void HouseForm::fill(const HousePanel& p) {
    const std::pair<QLineEdit*, const std::string*> texts[] = {
        {Hausname, &p.name},    {Edit22, &p.ewWidth},  {Edit23, &p.nsWidth}, {Edit24, &p.height}, {Edit25, &p.roof},
        {Edit13, &p.rotation}, {Edit14, &p.x}, {Edit15, &p.y}, {Edit21, &p.z}};
    for (const auto& [edit, text] : texts) edit->setText(fromCp1252(*text));
    HausParameterChange();
}

HousePanel HouseForm::fields() const {
    return HousePanel{toCp1252(Hausname->text()), toCp1252(Edit22->text()), toCp1252(Edit23->text()),
                      toCp1252(Edit24->text()),   toCp1252(Edit25->text()), toCp1252(Edit13->text()),
                      toCp1252(Edit14->text()),   toCp1252(Edit15->text()), toCp1252(Edit21->text())};
}

bool HouseForm::okEnabled() const { return fields().check(language_).okEnabled(); }
QString HouseForm::okReason() const { return fromCp1252(fields().check(language_).reason(language_)); }

void HouseForm::SpracheAnpassen(Language language) {
    language_ = language;
    setTitle(tx(kHausTitel, language));
    captions_.apply(language);
}

// ---- tree

TreeForm::TreeForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("Baum_gen"));
    Baumname = named(new QLineEdit, "Baumname");
    Edit30 = numberEdit("Edit30");
    Edit31 = numberEdit("Edit31");
    Edit32 = numberEdit("Edit32");
    Edit27 = numberEdit("Edit27");
    Edit28 = numberEdit("Edit28");
    Edit29 = numberEdit("Edit29");
    Ba_Schedule_oeffnen = named(new QPushButton, "Ba_Schedule_oeffnen");
    Ba_Schedule_speichern_unter = named(new QPushButton, "Ba_Schedule_speichern_unter");

    auto* sizes = new QFormLayout;
    sizes->addRow(captions_.add(new QLabel, kName), Baumname);
    for (auto [text, edit] : {std::pair{&kStammHoehe, Edit30}, std::pair{&kStammDurchmesser, Edit31},
                              std::pair{&kKronenDurchmesser, Edit32}}) {
        edit->setMaximumWidth(120);
        sizes->addRow(captions_.add(new QLabel, *text), edit);
    }
    auto* foliage = captions_.add(named(new QGroupBox, "Belaubung"), kBelaubung);
    auto* foliageLayout = new QVBoxLayout(foliage);
    foliageLayout->addLayout(monthGrid(months_, dialogs_, kFoliageNames));
    auto* files = new QHBoxLayout;
    files->addWidget(captions_.add(Ba_Schedule_oeffnen, kBelaubungLesen));
    files->addWidget(captions_.add(Ba_Schedule_speichern_unter, kBelaubungSpeichern));
    files->addStretch();
    foliageLayout->addLayout(files);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sizes);
    layout->addWidget(wrapped(captions_.add(new QLabel, kFusspunkt)));
    layout->addLayout(vectorRow(Edit27, Edit28, Edit29));
    layout->addWidget(foliage);
    layout->addStretch();

    for (QLineEdit* e : {Baumname, Edit30, Edit31, Edit32, Edit27, Edit28, Edit29})
        connect(e, &QLineEdit::textChanged, this, &TreeForm::BaumParameterChange);
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
    const std::pair<QLineEdit*, const std::string*> texts[] = {{Baumname, &p.name},     {Edit30, &p.trunkHeight},
                                                               {Edit31, &p.trunkDiameter}, {Edit32, &p.crownDiameter},
                                                               {Edit27, &p.x},          {Edit28, &p.y},
                                                               {Edit29, &p.z}};
    for (const auto& [edit, text] : texts) edit->setText(fromCp1252(*text));
    for (std::size_t m = 0; m < 12; ++m) {
        months_.spins[m]->setText(fromCp1252(p.foliage[m]));
        months_.spins[m]->check();
    }
    BaumParameterChange();
}

void TreeForm::clearNumbers() {
    for (QLineEdit* e : {Edit30, Edit31, Edit32, Edit27, Edit28, Edit29}) e->clear();
}

TreePanel TreeForm::fields() const {
    TreePanel p;
    p.name = toCp1252(Baumname->text());
    p.trunkHeight = toCp1252(Edit30->text());
    p.trunkDiameter = toCp1252(Edit31->text());
    p.crownDiameter = toCp1252(Edit32->text());
    p.x = toCp1252(Edit27->text());
    p.y = toCp1252(Edit28->text());
    p.z = toCp1252(Edit29->text());
    p.foliage = monthTexts(months_);
    return p;
}

bool TreeForm::okEnabled() const { return fields().check(language_).okEnabled(); }
QString TreeForm::okReason() const { return fromCp1252(fields().check(language_).reason(language_)); }

void TreeForm::SpracheAnpassen(Language language) {
    language_ = language;
    setTitle(tx(kBaumTitel, language));
    captions_.apply(language);
    relabel(months_, language);
}

// ---- ground reflectance

ReflectanceForm::ReflectanceForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("Bodenreflexion_gen"));
    Bo_Schedule_oeffnen = named(new QPushButton, "Bo_Schedule_oeffnen");
    Bo_Schedule_speichern_unter = named(new QPushButton, "Bo_Schedule_speichern_unter");
    Boden_OK = named(new QPushButton, "Boden_OK");
    Boden_Abbruch = named(new QPushButton, "Boden_Abbruch");

    auto* files = new QVBoxLayout;
    files->addWidget(captions_.add(Bo_Schedule_oeffnen, kBodenLesen));
    files->addWidget(captions_.add(Bo_Schedule_speichern_unter, kBodenSpeichern));
    auto* filesRow = new QHBoxLayout;
    filesRow->addLayout(files);
    filesRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(captions_.add(Boden_OK, kOk));
    buttons->addWidget(captions_.add(Boden_Abbruch, kAbbrechen));

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

void ReflectanceForm::SpracheAnpassen(Language language) {
    language_ = language;
    setTitle(tx(kBodenTitel, language));
    captions_.apply(language);
    relabel(months_, language);
}

}  // namespace penumbro::ui
