// The site and horizon panels of the scene editor.

#include "editor/HorizonImport.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "ui/Dialogs.h"
#include "ui/InputControls.h"
#include "ui/ObjectForms.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace penumbro::ui {

namespace {

const Tx kSiteTitle{"Geografische Lage", "Geographical location"};

// One row of the site panel per quantity: name, range, scale ends and middle.
struct SiteScale {
    const char* bar;
    const char* spin;
    int limit;
    Tx name, range, low, middle, high;
};
const SiteScale kScales[3] = {
    {"ScrollBar1", "SpinEditExt1", 90,
     {"Breitengrad ", "Latitude"}, {"( S -90 bis +90 N )", "( S -90 to +90 N)"},
     {"90\xB0 S\xFC" "d", "90\xB0 South"}, {"0\xB0", "0\xB0"}, {"90\xB0 Nord", "90\xB0 North"}},
    {"ScrollBar2", "SpinEditExt2", 180,
     {"L\xE4ngengrad", "Longitude"}, {"( O -180 bis +180 W )", "( E -180\xB0 to +180\xB0 W )"},
     {"180\xB0 Ost", "180\xB0 East"}, {"0\xB0", "0\xB0"}, {"180\xB0 West", "180\xB0 West"}},
    {"ScrollBar3", "SpinEditExt3", 12,
     {"Zeitzone", "Time zone"}, {"(westlich von Greenwich positiv)", "(west of Greenwich positive)"},
     {"\xF6stlich von Greenwich", "East of Greenwich"}, {"0", "0"}, {"westlich von Greenwich", "West of Greenwich"}},
};

const Tx kHorizonTitle{"Horizontverschattung", "Horizon shading"};
const Tx kColumnHeads[3] = {{"Intervallanfang [\xB0]", "Begin of interval [\xB0]"},
                            {"Intervallende [\xB0]", "End of interval [\xB0]"},
                            {"Horizontelevation [\xB0]", "Horizon elevation [\xB0]"}};
const Tx kImport{"&Importieren ...", "&Import ..."};
const Tx kOpenProfile{"Horizontprofil importieren", "Import horizon profile"};
const Tx kProfileFilter{"Horizontprofil|*.csv;*.json;*.txt|Alle Dateien|*", "Horizon profile|*.csv;*.json;*.txt|All files|*"};
const Tx kReduced{"%1 Profilpunkte wurden zu %2 Intervallen zusammengefasst; die Horizontelevation wurde dabei "
                    "stellenweise um bis zu %3\xB0 angehoben.",
                    "%1 profile points became %2 intervals; largest elevation given away: %3 degrees."};

}  // namespace

// ---- site

SiteForm::SiteForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("GeografischeLage"));
    captions_.add(this, kSiteTitle);
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < 3; ++i) {
        const SiteScale& s = kScales[i];
        bars_[i] = named(new QScrollBar(Qt::Horizontal), s.bar);
        bars_[i]->setRange(-s.limit, s.limit);
        bars_[i]->setSingleStep(1);
        bars_[i]->setPageStep(s.limit / 6);
        spins_[i] = named(new TSpinEditExt(dialogs_), s.spin);
        spins_[i]->MinValue = -s.limit;
        spins_[i]->MaxValue = s.limit;
        spins_[i]->Increment = 0.1;
        spins_[i]->setMinimumWidth(80);

        auto* name = captions_.add(new QLabel, s.name);
        QFont bold = name->font();
        bold.setBold(true);
        name->setFont(bold);
        auto* head = new QHBoxLayout;
        head->addWidget(name);
        head->addWidget(captions_.add(new QLabel, s.range));
        head->addStretch();
        head->addWidget(spins_[i]);
        auto* scale = new QGridLayout;
        scale->addWidget(captions_.add(new QLabel, s.low), 0, 0, Qt::AlignLeft);
        scale->addWidget(captions_.add(new QLabel, s.middle), 0, 1, Qt::AlignHCenter);
        scale->addWidget(captions_.add(new QLabel, s.high), 0, 2, Qt::AlignRight);
        for (int c = 0; c < 3; ++c) scale->setColumnStretch(c, 1);
        layout->addLayout(head);
        layout->addWidget(bars_[i]);
        layout->addLayout(scale);
        layout->addSpacing(12);

        connect(bars_[i], &QScrollBar::valueChanged, this, &SiteForm::ScrollBarChange);
        connect(spins_[i], &SpinEditBase::changed, this, &SiteForm::SpinEditChange);
    }
    GeoLage_OK = named(new QPushButton, "GeoLage_OK");
    GeoLage_Abbruch = named(new QPushButton, "GeoLage_Abbruch");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(captions_.add(GeoLage_OK, kOkCaption));
    buttons->addWidget(captions_.add(GeoLage_Abbruch, kCancelCaption));
    layout->addStretch();
    layout->addLayout(buttons);
    connect(GeoLage_OK, &QPushButton::clicked, this, [this] {
        if (okEnabled()) emit okClicked();
    });
    connect(GeoLage_Abbruch, &QPushButton::clicked, this, &EditorForm::cancelClicked);
    fill(SiteValues{});
    SpracheAnpassen(Language::German);
}

SitePanel SiteForm::fields() const {
    return SitePanel{toCp1252(spins_[0]->text()), toCp1252(spins_[1]->text()), toCp1252(spins_[2]->text())};
}

std::optional<SiteValues> SiteForm::values() const { return fields().values(); }

// The three fields as the panel model gives them, bars following without calling back.
void SiteForm::showPositions(const SitePanel& panel) {
    const std::string* texts[3] = {&panel.latitude, &panel.longitude, &panel.timeZone};
    for (std::size_t i = 0; i < 3; ++i) {
        spins_[i]->setText(fromCp1252(*texts[i]));
        spins_[i]->check();
    }
    SpinEditChange();
}

void SiteForm::fill(const SiteValues& site) { showPositions(SitePanel::fromSite(site)); }

void SiteForm::ScrollBarChange() {
    SitePanel p;
    p.scrollBarsMoved(bars_[0]->value(), bars_[1]->value(), bars_[2]->value());
    showPositions(p);
}

void SiteForm::SpinEditChange() {
    const auto positions = fields().scrollBarPositions();
    for (std::size_t i = 0; i < 3; ++i) {
        if (!positions[i]) continue;
        const QSignalBlocker detached(bars_[i]);
        bars_[i]->setValue(*positions[i]);
    }
    stepOk();
}

void SiteForm::stepOk() {
    GeoLage_OK->setEnabled(okEnabled());
    emit changed();
}

void SiteForm::relabelOthers(Language language) {
    for (TSpinEditExt* s : spins_) s->language = language;
}

// ---- horizon

HorizonForm::HorizonForm(Dialogs& dialogs, QWidget* parent) : EditorForm(dialogs, parent) {
    setObjectName(QStringLiteral("Horizont"));
    captions_.add(this, kHorizonTitle);
    StringGrid2 = named(new QTableWidget(static_cast<int>(kHorizonRows), 3), "StringGrid2");
    StringGrid2->setItemDelegate(new DecimalCellDelegate(StringGrid2));
    StringGrid2->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    StringGrid2->verticalHeader()->setDefaultSectionSize(22);
    for (int c = 0; c < 3; ++c) captions_.addHeader(StringGrid2, c, kColumnHeads[c]);
    Horizont_Importieren = named(new QPushButton, "Horizont_Importieren");
    Horizont_OK = named(new QPushButton, "Horizont_OK");
    BitBtn5 = named(new QPushButton, "BitBtn5");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(captions_.add(Horizont_Importieren, kImport));
    buttons->addStretch();
    buttons->addWidget(captions_.add(Horizont_OK, kOkCaption));
    buttons->addWidget(captions_.add(BitBtn5, kCancelCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid2, 1);
    layout->addLayout(buttons);

    connect(StringGrid2, &QTableWidget::itemChanged, this, &EditorForm::changed);
    connect(Horizont_Importieren, &QPushButton::clicked, this, &HorizonForm::Horizont_ImportierenClick);
    connect(Horizont_OK, &QPushButton::clicked, this, &EditorForm::okClicked);
    connect(BitBtn5, &QPushButton::clicked, this, &EditorForm::cancelClicked);
    SpracheAnpassen(Language::German);
}

void HorizonForm::fill(const std::vector<HorizonRow>& rows) {
    const HorizonPanel panel = HorizonPanel::fromRows(rows);
    {
        const QSignalBlocker quiet(StringGrid2);
        for (std::size_t r = 0; r < panel.rows.size(); ++r) {
            const std::string* cells[3] = {&panel.rows[r].from, &panel.rows[r].to, &panel.rows[r].height};
            for (int c = 0; c < 3; ++c)
                StringGrid2->setItem(static_cast<int>(r), c, new QTableWidgetItem(fromCp1252(*cells[c])));
        }
    }
    StringGrid2->viewport()->update();
    emit changed();
}

std::vector<HorizonRow> HorizonForm::rows() const {
    std::vector<HorizonRow> out(kHorizonRows);
    const auto cell = [this](std::size_t r, int c) {
        const QTableWidgetItem* item = StringGrid2->item(static_cast<int>(r), c);
        return item ? toCp1252(item->text()) : std::string();
    };
    for (std::size_t r = 0; r < out.size(); ++r) out[r] = HorizonRow{cell(r, 0), cell(r, 1), cell(r, 2)};
    return out;
}

// The profile reduced as the command line's import does it, into the grid for the
// user to check before OK.
void HorizonForm::Horizont_ImportierenClick() {
    const QString chosen = dialogs_.getOpenFileName(this, tx(kOpenProfile, language_), QString(),
                                                    tx(kProfileFilter, language_));
    if (chosen.isEmpty()) return;
    HorizonReduction r;
    try {
        const std::string file = toPath(chosen);
        const std::string bytes = readFileBytes(file);
        r = reduceHorizonProfile(
            readHorizonProfile(bytes, file, guessHorizonProfileFormat(file, bytes), AzimuthOrigin::North));
    } catch (const InputError& e) {
        dialogs_.warning(this, errorMessage(e, language_));
        return;
    }
    fill(r.rows);
    if (r.largestGiveaway > 0) {
        dialogs_.information(this, tx(kReduced, language_)
                                       .arg(r.points)
                                       .arg(r.rows.size())
                                       .arg(QString::fromStdString(horizonNumber(r.largestGiveaway))));
    }
}

}  // namespace penumbro::ui
