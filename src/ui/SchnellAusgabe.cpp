#include "ui/SchnellAusgabe.h"

#include "ui/InputControls.h"

#include "editor/InputFilters.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "ui/AppState.h"
#include "ui/Dialogs.h"
#include "ui/MonthChart.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>
#include <filesystem>

namespace penumbro::ui {

namespace {

const Tx kMonatlich{"monatliche Simulation", "monthly simulation"};
const Tx kDiffus{"Diffusstrahlung berechnen", "Calculate diffuse radiation"};
const Tx kLabelMonatlich{"( monatliche Simulation )", "( monthly simulation )"};
const Tx kStartmonat{"Startmonat", "First month"};
const Tx kStopmonat{"Stopmonat", "Last month"};
const Tx kStarttag{"Starttag (Tag im Jahr)", "First day (day of year)"};
const Tx kStoptag{"Stoptag (Tag im Jahr)", "Last day (day of year)"};
const Tx kIntervallTage{"Intervall [Tage]", "Interval [days]"};
const Tx kIntervallMinuten{"Intervall [Minuten]", "Interval [minutes]"};
const Tx kMonatsbeginn{"Erster Tag jedes Monats", "First day of each month"};
const Tx kAufloesungDiffus{"Aufl\xF6sung Diffusstrahlung [Pixel]", "Resolution diffuse radiation [pixels]"};
const Tx kAufloesung{"Aufl\xF6sung (Pixels) f\xFCr Schnelldurchlauf :", "Resolution (pixels) for fast pass through :"};
const Tx kExakt{"Exakte Geometrie (langsamer)", "Exact geometry (slower)"};
const Tx kHoehenintervalle{"H\xF6henintervalle Diffusstrahlung", "Elevation intervals diffuse radiation"};
const Tx kReduktion{"Reduktionsfaktor Himmelsstrahlung", "Reduction factor sky radiation"};
const Tx kReflexion{"Reflexionsgrad der Hindernisse", "Reflectance of the obstructions"};
const Tx kDezimal{"Dezimalzeichen", "Decimal sign"};
const Tx kKomma{"Komma (,)", "Comma (,)"};
const Tx kPunkt{"Punkt (.)", "Point (.)"};
const Tx kMit{"Mittelwertdatei:", "Mean-value file:"};
const Tx kRep{"Reportdatei:", "Report file:"};
const Tx kAusgabeAendern{"Ausgabedateien \xE4&ndern ...", "Change &output files ..."};
const Tx kOeffnen{"Parameterdatei \xF6" "&ffnen ...", "O&pen parameter file ..."};
const Tx kSaveAs{"Parameter speichern &unter ...", "Save parameters &as ..."};
const Tx kStandard{"Parameter als &Voreinstellung", "Parameters as &default"};
const Tx kStarten{"Simulation &starten", "&Start simulation"};
const Tx kStartgruppe{"Simulationsparameter", "Simulation parameters"};
const Tx kFortschritt{"Simulation l\xE4uft", "Simulation running"};
const Tx kSimuliere{"Simuliere Tag Nr. ", "Simulating day No."};
const Tx kBerechneDiffus{"Berechne Diffusstrahlung", "Calculation of diffuse radiation is running ..."};
const Tx kAbbrechen{"Simulation &abbrechen", "&Cancel simulation"};

const Tx kAbbruchFrage{"Soll die aktuelle Simulation wirklich abgebrochen werden?", "Really cancel the current simulation?"};
const Tx kAusgabeTitel{"Ausgabedateien benennen", "Name the output files"};
const Tx kAusgabeFilter{"Mittelwertdatei|*.mit", "Mean-value file|*.mit"};
const Tx kOeffnenTitel{"Datei \xF6" "ffnen", "Open file"};
const Tx kKonFilter{"Konfiguration|*.kon", "Configuration file|*.kon"};
const Tx kSpeichernTitel{"Parameter speichern unter", "Save parameters as"};
const Tx kReserviert{"Dateiname reserviert f\xFCr Penumbro - Standarddatei",
                     "This file name is reserved for PENUMBRO's default parameters."};
const Tx kVoreinstellung{"Hiermit werden die aktuellen Parameter als Voreinstellung bei Starten von PENUMBRO festgelegt.",
                         "This makes the current parameter values the defaults when PENUMBRO starts."};
const Tx kBeendet{"Simulation beendet!", "Simulation completed!"};

// The chosen name with the default extension when it has none.
QString withSuffix(const QString& name, const char* suffix) {
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty()) return name;
    return name + QLatin1Char('.') + QLatin1String(suffix);
}

QSpinBox* spin(const char* name, int lo, int hi, int value) {
    auto* s = new RangeSpinBox;
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(lo, hi);
    s->setValue(value);
    return s;
}

QDoubleSpinBox* doubleSpin(const char* name, double value) {
    auto* s = new DecimalSpinBox;
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(0.0, 1.0);
    s->setSingleStep(0.1);
    s->setDecimals(2);
    s->setValue(value);
    return s;
}

}  // namespace

Tschnell_ausgabe::Tschnell_ausgabe(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("schnell_ausgabe"));

    monatlich = new QCheckBox;
    monatlich->setObjectName(QStringLiteral("monatlich"));
    Diffus = new QCheckBox;
    Diffus->setObjectName(QStringLiteral("Diffus"));
    Label_monatlich = new QLabel;
    Label_monatlich->setObjectName(QStringLiteral("Label_monatlich"));
    // The design values; Vorbereitung overwrites them from the record.
    Startmonat = spin("Startmonat", 1, 12, 1);
    Stopmonat = spin("Stopmonat", 1, 12, 12);
    Starttag = spin("Starttag", 1, 365, 1);
    Stoptag = spin("Stoptag", 1, 365, 365);
    SpinEdit3 = spin("SpinEdit3", 1, 365, 10);
    SpinEdit4 = spin("SpinEdit4", 1, 60, 20);
    zusatz1 = spin("zusatz1", 1, 28, 5);
    zusatz4 = spin("zusatz4", 1, 25, 7);
    zusatz3 = spin("zusatz3", 1, 25, 7);
    zusatz6 = spin("zusatz6", 1, 25, 7);
    zusatz7 = doubleSpin("zusatz7", 1.0);
    zusatz8 = doubleSpin("zusatz8", 0.2);
    exactGeometryCheckBox = new QCheckBox;
    exactGeometryCheckBox->setObjectName(QStringLiteral("exactGeometryCheckBox"));
    Dezimalzeichen_Komma = new QRadioButton;
    Dezimalzeichen_Komma->setObjectName(QStringLiteral("Dezimalzeichen_Komma"));
    Dezimalzeichen_Punkt = new QRadioButton;
    Dezimalzeichen_Punkt->setObjectName(QStringLiteral("Dezimalzeichen_Punkt"));
    Dezimalzeichen_Punkt->setChecked(true);
    anz_AusgabedateiNameMit = new QLabel;
    anz_AusgabedateiNameMit->setObjectName(QStringLiteral("anz_AusgabedateiNameMit"));
    anz_AusgabedateiNameRep = new QLabel;
    anz_AusgabedateiNameRep->setObjectName(QStringLiteral("anz_AusgabedateiNameRep"));
    auto button = [](const char* name) {
        auto* b = new QPushButton;
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    Ausgabedatei_aendern = button("Ausgabedatei_aendern");
    Parameterdatei_oeffnen = button("Parameterdatei_oeffnen");
    Speichern_unter = button("Speichern_unter");
    Parameter_Standard = button("Parameter_Standard");
    SimulationStarten = button("SimulationStarten");
    Button1 = button("Button1");

    // Start group: the parameters, file names and buttons.
    Startgruppe = new QGroupBox;
    Startgruppe->setObjectName(QStringLiteral("Startgruppe"));
    auto* grid = new QGridLayout(Startgruppe);
    grid->setVerticalSpacing(3);
    int row = 0;
    auto labelled = [&](QWidget* field, const char* labelName) {
        auto* label = new QLabel;
        label->setObjectName(QString::fromLatin1(labelName));
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
        captions_ << label;
        return label;
    };
    grid->addWidget(monatlich, row++, 0, 1, 2);
    auto* diffusRow = new QHBoxLayout;
    diffusRow->addWidget(Diffus);
    diffusRow->addWidget(Label_monatlich);
    diffusRow->addStretch();
    grid->addLayout(diffusRow, row++, 0, 1, 2);
    labelStartmonat_ = labelled(Startmonat, "Label_Startmonat");
    labelStopmonat_ = labelled(Stopmonat, "Label_Stopmonat");
    labelStarttag_ = labelled(Starttag, "Label_Starttag");
    labelStoptag_ = labelled(Stoptag, "Label_Stoptag");
    labelled(SpinEdit3, "Label_SpinEdit3");
    labelled(SpinEdit4, "Label_SpinEdit4");
    labelled(zusatz1, "Label_zusatz1");
    labelled(zusatz3, "Label_zusatz3");
    labelled(zusatz4, "Label_zusatz4");
    grid->addWidget(exactGeometryCheckBox, row++, 0, 1, 2);
    labelled(zusatz6, "Label_zusatz6");
    labelled(zusatz7, "Label_zusatz7");
    labelled(zusatz8, "Label_zusatz8");
    dezimalBox_ = new QGroupBox;
    dezimalBox_->setObjectName(QStringLiteral("Dezimalzeichen"));
    auto* dezimalLayout = new QHBoxLayout(dezimalBox_);
    dezimalLayout->setContentsMargins(9, 2, 9, 2);
    dezimalLayout->addWidget(Dezimalzeichen_Punkt);
    dezimalLayout->addWidget(Dezimalzeichen_Komma);
    grid->addWidget(dezimalBox_, row++, 0, 1, 2);
    labelMit_ = new QLabel;
    labelMit_->setObjectName(QStringLiteral("Label_Mittelwertdatei"));
    labelRep_ = new QLabel;
    labelRep_->setObjectName(QStringLiteral("Label_Reportdatei"));
    grid->addWidget(labelMit_, row, 0);
    grid->addWidget(anz_AusgabedateiNameMit, row++, 1);
    grid->addWidget(labelRep_, row, 0);
    grid->addWidget(anz_AusgabedateiNameRep, row++, 1);
    // The four file buttons two by two, so the page fits the main window's fixed height.
    auto* fileButtons = new QGridLayout;
    fileButtons->setSpacing(4);
    fileButtons->addWidget(Ausgabedatei_aendern, 0, 0);
    fileButtons->addWidget(Parameterdatei_oeffnen, 0, 1);
    fileButtons->addWidget(Speichern_unter, 1, 0);
    fileButtons->addWidget(Parameter_Standard, 1, 1);
    grid->addLayout(fileButtons, row++, 0, 1, 2);
    grid->addWidget(SimulationStarten, row++, 0, 1, 2);
    SimulationStarten->setMinimumHeight(36);
    grid->setRowStretch(row, 1);

    // Progress group, shown instead of the start group while a run lasts.
    Fortschritt = new QGroupBox;
    Fortschritt->setObjectName(QStringLiteral("Fortschritt"));
    Label_Simuliere = new QLabel;
    Label_Simuliere->setObjectName(QStringLiteral("Label_Simuliere"));
    Tag_Nr = new QLabel;
    Tag_Nr->setObjectName(QStringLiteral("Tag_Nr"));
    Label_Diffus = new QLabel;
    Label_Diffus->setObjectName(QStringLiteral("Label_Diffus"));
    auto* progress = new QVBoxLayout(Fortschritt);
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(Label_Simuliere);
    dayRow->addWidget(Tag_Nr);
    dayRow->addStretch();
    progress->addLayout(dayRow);
    progress->addWidget(Label_Diffus);
    progress->addWidget(Button1);
    progress->addStretch();
    Fortschritt->hide();
    Label_Diffus->hide();

    runStatusLabel = new QLabel;
    runStatusLabel->setObjectName(QStringLiteral("runStatusLabel"));
    runStatusLabel->setWordWrap(true);
    runStatusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Zeichenfenster = new MonthChart;
    auto* left = new QVBoxLayout;
    left->addWidget(Startgruppe);
    left->addWidget(Fortschritt);
    auto* layout = new QHBoxLayout(this);
    auto* leftWidget = new QWidget;
    leftWidget->setLayout(left);
    leftWidget->setFixedWidth(480);
    layout->addWidget(leftWidget);
    // The status line under the chart, which gives up the room it takes.
    auto* right = new QVBoxLayout;
    right->addWidget(Zeichenfenster, 1);
    right->addWidget(runStatusLabel);
    layout->addLayout(right, 1);

    // A refused number says why, in the status line, naming the field by its caption.
    for (QLabel* caption : captions_) {
        auto* field = qobject_cast<RangeSpinBox*>(caption->buddy());
        if (!field) continue;
        connect(field, &RangeSpinBox::refused, this, [this, caption, field](const QString& typed) {
            QString name = caption->text();
            while (name.endsWith(QLatin1Char(':')) || name.endsWith(QLatin1Char(' '))) name.chop(1);
            runStatusLabel->setText(fromCp1252(refusedValueMessage(toCp1252(name), toCp1252(typed), field->minimum(),
                                                                   field->maximum(), language_)));
        });
    }
    connect(monatlich, &QCheckBox::clicked, this, &Tschnell_ausgabe::monatlichClick);
    connect(SimulationStarten, &QPushButton::clicked, this, &Tschnell_ausgabe::SimulationStartenClick);
    connect(Button1, &QPushButton::clicked, this, &Tschnell_ausgabe::Button1Click);
    connect(Ausgabedatei_aendern, &QPushButton::clicked, this, &Tschnell_ausgabe::Ausgabedatei_aendernClick);
    connect(Parameterdatei_oeffnen, &QPushButton::clicked, this, &Tschnell_ausgabe::Parameterdatei_oeffnenClick);
    connect(Speichern_unter, &QPushButton::clicked, this, &Tschnell_ausgabe::Speichern_unterClick);
    connect(Parameter_Standard, &QPushButton::clicked, this, &Tschnell_ausgabe::Parameter_StandardClick);
    connect(Dezimalzeichen_Komma, &QRadioButton::toggled, this, [this](bool on) { state_.decimalComma = on; });
    SpracheAnpassen(Language::German);
}

Tschnell_ausgabe::~Tschnell_ausgabe() {
    state_.abortRequest = true;
    warten();
}

void Tschnell_ausgabe::warten() {
    if (worker_.joinable()) worker_.join();
}

void Tschnell_ausgabe::SpracheAnpassen(Language language) {
    language_ = language;
    monatlich->setText(tx(kMonatlich, language));
    Diffus->setText(tx(kDiffus, language));
    exactGeometryCheckBox->setText(tx(kExakt, language));
    Label_monatlich->setText(tx(kLabelMonatlich, language));
    const Tx* texts[] = {&kStartmonat,    &kStopmonat,       &kStarttag,        &kStoptag,
                         &kIntervallTage, &kIntervallMinuten, &kMonatsbeginn,   &kAufloesung,
                         &kAufloesungDiffus, &kHoehenintervalle, &kReduktion,   &kReflexion};
    for (int i = 0; i < captions_.size(); ++i) captions_[i]->setText(tx(*texts[i], language));
    dezimalBox_->setTitle(tx(kDezimal, language));
    Dezimalzeichen_Komma->setText(tx(kKomma, language));
    Dezimalzeichen_Punkt->setText(tx(kPunkt, language));
    labelMit_->setText(tx(kMit, language));
    labelRep_->setText(tx(kRep, language));
    Ausgabedatei_aendern->setText(tx(kAusgabeAendern, language));
    Parameterdatei_oeffnen->setText(tx(kOeffnen, language));
    Speichern_unter->setText(tx(kSaveAs, language));
    Parameter_Standard->setText(tx(kStandard, language));
    SimulationStarten->setText(tx(kStarten, language));
    Startgruppe->setTitle(tx(kStartgruppe, language));
    Fortschritt->setTitle(tx(kFortschritt, language));
    Label_Simuliere->setText(tx(kSimuliere, language));
    Label_Diffus->setText(tx(kBerechneDiffus, language));
    Button1->setText(tx(kAbbrechen, language));
    Zeichenfenster->setLanguage(language);
}

void Tschnell_ausgabe::sichtbarkeitMonatlich() {
    const bool m = monatlich->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(Startmonat), static_cast<QWidget*>(Stopmonat),
                       static_cast<QWidget*>(labelStartmonat_), static_cast<QWidget*>(labelStopmonat_)})
        w->setVisible(m);
    for (QWidget* w : {static_cast<QWidget*>(Starttag), static_cast<QWidget*>(Stoptag),
                       static_cast<QWidget*>(labelStarttag_), static_cast<QWidget*>(labelStoptag_)})
        w->setVisible(!m);
    Label_monatlich->setVisible(m);
    Diffus->setEnabled(m);
    if (!m) Diffus->setChecked(false);
}

void Tschnell_ausgabe::namenZeigen() {
    if (state_.batchActive) {
        anz_AusgabedateiNameMit->clear();
        anz_AusgabedateiNameRep->clear();
        return;
    }
    const QString base = fromPath(state_.outputBase);
    auto show = [](QLabel* label, const QString& full) {
        // Long paths shrink to their file name.
        const int width = label->fontMetrics().horizontalAdvance(full);
        label->setText(width >= label->width() && label->width() > 0 ? QFileInfo(full).fileName() : full);
        label->setToolTip(full);
    };
    show(anz_AusgabedateiNameMit, base + QStringLiteral(".mit"));
    show(anz_AusgabedateiNameRep, base + QStringLiteral(".rep"));
}

void Tschnell_ausgabe::Vorbereitung() {
    const TSimParameter& p = state_.params;
    monatlich->setChecked(p.monthly);
    sichtbarkeitMonatlich();
    Diffus->setChecked(p.monthly && p.diffuse);
    Startmonat->setValue(p.firstMonth);
    Stopmonat->setValue(p.stopMonth);
    Starttag->setValue(p.firstDay);
    Stoptag->setValue(p.stopDay);
    SpinEdit3->setValue(p.intervalDays);
    SpinEdit4->setValue(p.intervalMinutes);
    zusatz1->setValue(p.monthStartDay);
    zusatz4->setValue(p.diffuseResolution);
    zusatz3->setValue(p.resolution);
    zusatz6->setValue(p.elevationIntervals);
    zusatz7->setValue(std::round(p.skyReduction * 100) / 100);
    zusatz8->setValue(std::round(p.obstacleReflectance * 100) / 100);
    // The record's spare byte 3 carries the decimal choice, so the defaults keep it.
    (p.reserved3 == 1 ? Dezimalzeichen_Komma : Dezimalzeichen_Punkt)->setChecked(true);
    namenZeigen();
    Zeichenfenster->clearChart();
}

void Tschnell_ausgabe::ParameterMerken() {
    TSimParameter& p = state_.params;
    p.diffuse = Diffus->isChecked();
    p.firstMonth = Startmonat->value();
    p.stopMonth = Stopmonat->value();
    p.firstDay = Starttag->value();
    p.stopDay = Stoptag->value();
    p.intervalDays = SpinEdit3->value();
    p.intervalMinutes = SpinEdit4->value();
    p.monthStartDay = zusatz1->value();
    p.diffuseResolution = zusatz4->value();
    p.resolution = zusatz3->value();
    p.elevationIntervals = zusatz6->value();
    p.skyReduction = zusatz7->value();
    p.obstacleReflectance = zusatz8->value();
    p.reserved3 = Dezimalzeichen_Komma->isChecked() ? 1 : 0;
}

void Tschnell_ausgabe::monatlichClick() {
    state_.params.monthly = monatlich->isChecked();
    sichtbarkeitMonatlich();
}

QString Tschnell_ausgabe::startOrdner() const {
    return initialDir_.isEmpty() ? QDir::currentPath() : initialDir_;
}

void Tschnell_ausgabe::Ausgabedatei_aendernClick() {
    const QString chosen = dialogs_.getSaveFileName(this, tx(kAusgabeTitel, language_), fromPath(state_.outputBase),
                                                    tx(kAusgabeFilter, language_));
    if (chosen.isEmpty()) return;
    state_.outputBase = withoutExtension(toPath(chosen));
    namenZeigen();
}

void Tschnell_ausgabe::Parameterdatei_oeffnenClick() {
    const QString chosen = withSuffix(
        dialogs_.getOpenFileName(this, tx(kOeffnenTitel, language_), startOrdner(), tx(kKonFilter, language_)), "kon");
    if (chosen.isEmpty()) return;
    try {
        copyOpenedParameters(state_.params, readKonFile(toPath(chosen)));
        state_.paramFileName = toPath(chosen);
    } catch (const InputError& e) {
        dialogs_.warning(this, errorMessage(e, language_));
        return;
    }
    Vorbereitung();
}

void Tschnell_ausgabe::Speichern_unterClick() {
    ParameterMerken();
    const QString chosen = withSuffix(
        dialogs_.getSaveFileName(this, tx(kSpeichernTitel, language_), startOrdner(), tx(kKonFilter, language_)), "kon");
    if (chosen.isEmpty()) return;
    if (isReservedKonName(toPath(chosen))) {
        dialogs_.warning(this, tx(kReserviert, language_));
        return;
    }
    try {
        writeKonFile(toPath(chosen), state_.params);
        state_.paramFileName = toPath(chosen);
    } catch (const InputError& e) {
        dialogs_.warning(this, errorMessage(e, language_));
    }
}

void Tschnell_ausgabe::Parameter_StandardClick() {
    ParameterMerken();
    const auto answer = dialogs_.message(this, QMessageBox::Warning, QStringLiteral("Penumbro"),
                                         tx(kVoreinstellung, language_), QMessageBox::Ok | QMessageBox::Abort);
    if (answer != QMessageBox::Ok) return;
    try {
        std::error_code ec;
        std::filesystem::create_directories(state_.configDir, ec);
        writeKonFile(state_.standardKonPath(), state_.params);
    } catch (const InputError& e) {
        dialogs_.warning(this, errorMessage(e, language_));
    }
}

void Tschnell_ausgabe::EingabenAktiv(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             monatlich, Startmonat, Stopmonat, Starttag, Stoptag, SpinEdit3, SpinEdit4, zusatz1, zusatz4, zusatz3,
             zusatz6, zusatz7, zusatz8, exactGeometryCheckBox, Dezimalzeichen_Komma, Dezimalzeichen_Punkt,
             Ausgabedatei_aendern, Parameterdatei_oeffnen, Speichern_unter, Parameter_Standard, SimulationStarten})
        w->setEnabled(enabled);
    Diffus->setEnabled(enabled && monatlich->isChecked());
    if (state_.batchActive) Ausgabedatei_aendern->setEnabled(false);
    emit inputsEnabledChanged(enabled);
    QCoreApplication::processEvents();
}

void Tschnell_ausgabe::SimulationStartenClick() {
    ParameterMerken();
    if (laeuft()) return;
    if (state_.batchActive) {
        emit listeStarten();
        return;
    }

    RunRequest request;
    request.text = state_.project.daten;
    request.projectFile = state_.project.fileName;
    request.params = state_.params;
    request.settings.baseName = state_.outputBase;
    request.settings.decimalComma = Dezimalzeichen_Komma->isChecked();
    request.settings.language = language_;
    request.settings.method =
        exactGeometryCheckBox->isChecked() ? ShadingMethod::Exact : ShadingMethod::Raster;

    state_.simulationIdle = false;
    state_.abortRequest = false;
    abbruchBestaetigt_ = false;
    Startgruppe->hide();
    Fortschritt->show();
    Tag_Nr->clear();
    runStatusLabel->clear();
    Zeichenfenster->drawFrame();
    EingabenAktiv(false);

    // The worker reports through queued calls; QPointer drops them if the window
    // is gone already.
    QPointer<Tschnell_ausgabe> self(this);
    auto post = [self](auto call) {
        QMetaObject::invokeMethod(
            self, [self, call] { if (self) call(*self); }, Qt::QueuedConnection);
    };
    worker_ = std::thread([this, post, request = std::move(request)] {
        RunEvents events;
        events.newDay = [post](int day, long) {
            post([day](Tschnell_ausgabe& w) { w.tagZeigen(day); });
        };
        events.diffuse = [post](bool running) {
            post([running](Tschnell_ausgabe& w) { w.Label_Diffus->setVisible(running); });
        };
        events.monthCompleted = [post](int month, const RunResult& soFar) {
            post([month, means = soFar.monthlyMeans, shown = soFar.monthsShown](Tschnell_ausgabe& w) {
                w.Zeichenfenster->setMonths(means, shown, month);
            });
        };
        RunResult result;
        QString error;
        try {
            result = runSession(request, events, &state_.abortRequest, &state_.pauseRequest);
        } catch (const std::exception& e) {
            error = errorMessage(e, request.settings.language);
        }
        post([result, error, base = request.settings.baseName](Tschnell_ausgabe& w) { w.laufEnde(result, error, base); });
    });
}

void Tschnell_ausgabe::tagZeigen(int day) {
    if (!state_.abortRequest) Tag_Nr->setText(QString::number(day));
}

void Tschnell_ausgabe::laufEnde(const RunResult& r, const QString& error, const std::string& baseName) {
    warten();
    Label_Diffus->hide();
    const bool ok = error.isEmpty();
    if (ok && r.lastMonth > 0) Zeichenfenster->setMonths(r.monthlyMeans, r.monthsShown, r.lastMonth);
    // The live record carries the site of the project last run, so a saved .kon does too.
    if (ok) {
        state_.params.latitude = r.params.latitude;
        state_.params.longitude = r.params.longitude;
        state_.params.correction = r.params.correction;
    }
    Fortschritt->hide();
    Startgruppe->show();
    EingabenAktiv(true);
    state_.simulationIdle = true;
    const QString files = ok ? fromMessage(runFilesNote(baseName).render(language_)) : QString();
    if (ok && r.cancelled) {
        // The files now hold fewer days than the ones they replaced: say so, in the list too.
        const QString note = fromMessage(cancelledRunNote(baseName, r).render(language_));
        runStatusLabel->setText(note + QLatin1Char(' ') + files);
        if (!state_.batchActive) dialogs_.information(this, note + QLatin1Char('\n') + files);
    } else if (ok) {
        runStatusLabel->setText(tx(kBeendet, language_) + QLatin1Char(' ') + files);
    }
    if (!ok)
        dialogs_.warning(this, error);
    else if (!abbruchBestaetigt_ && !r.cancelled && !state_.batchActive)
        dialogs_.information(this, tx(kBeendet, language_) + QLatin1Char('\n') + files);
    abbruchBestaetigt_ = false;
    emit laufBeendet();
}

void Tschnell_ausgabe::Button1Click() {
    // The run waits for the answer: it must not go on, or even finish, behind the question.
    state_.pauseRequest = true;
    const bool stop = dialogs_.question(this, tx(kAbbruchFrage, language_), QMessageBox::Yes | QMessageBox::No) ==
                      QMessageBox::Yes;
    state_.pauseRequest = false;
    if (!stop) return;
    state_.batchActive = false;
    abbruchBestaetigt_ = true;
    state_.abortRequest = true;
}

}  // namespace penumbro::ui
