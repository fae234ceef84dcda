#include "ui/SchnellAusgabe.h"

#include "ui/InputControls.h"

#include "editor/InputFilters.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "ui/AppState.h"
#include "ui/Dialogs.h"
#include "ui/FormParts.h"
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

const Tx kMonthly{"monatliche Simulation", "monthly simulation"};
const Tx kDiffuse{"Diffusstrahlung berechnen", "Calculate diffuse radiation"};
const Tx kMonthlyNote{"( monatliche Simulation )", "( monthly simulation )"};
const Tx kFirstMonth{"Startmonat", "First month"};
const Tx kLastMonth{"Stopmonat", "Last month"};
const Tx kFirstDay{"Starttag (Tag im Jahr)", "First day (day of year)"};
const Tx kLastDay{"Stoptag (Tag im Jahr)", "Last day (day of year)"};
const Tx kIntervalDays{"Intervall [Tage]", "Interval [days]"};
const Tx kIntervalMinutes{"Intervall [Minuten]", "Interval [minutes]"};
const Tx kMonthStart{"Erster Tag jedes Monats", "First day of each month"};
const Tx kDiffuseResolution{"Aufl\xF6sung Diffusstrahlung [Pixel]", "Resolution diffuse radiation [pixels]"};
const Tx kResolution{"Aufl\xF6sung (Pixels) f\xFCr Schnelldurchlauf :", "Resolution (pixels) for fast pass through :"};
const Tx kExact{"Exakte Geometrie (langsamer)", "Exact geometry (slower)"};
const Tx kElevationIntervals{"H\xF6henintervalle Diffusstrahlung", "Elevation intervals diffuse radiation"};
const Tx kReduction{"Reduktionsfaktor Himmelsstrahlung", "Reduction factor sky radiation"};
const Tx kReflectance{"Reflexionsgrad der Hindernisse", "Reflectance of the obstructions"};
const Tx kDecimalSign{"Dezimalzeichen", "Decimal sign"};
const Tx kComma{"Komma (,)", "Comma (,)"};
const Tx kPoint{"Punkt (.)", "Point (.)"};
const Tx kMit{"Mittelwertdatei:", "Mean-value file:"};
const Tx kRep{"Reportdatei:", "Report file:"};
const Tx kChangeOutput{"Ausgabedateien \xE4&ndern ...", "Change &output files ..."};
const Tx kOpenParameters{"Parameterdatei \xF6" "&ffnen ...", "O&pen parameter file ..."};
const Tx kSaveAs{"Parameter speichern &unter ...", "Save parameters &as ..."};
const Tx kDefaults{"Parameter als &Voreinstellung", "Parameters as &default"};
const Tx kStart{"Simulation &starten", "&Start simulation"};
const Tx kStartGroup{"Simulationsparameter", "Simulation parameters"};
const Tx kProgress{"Simulation l\xE4uft", "Simulation running"};
const Tx kSimulatingDay{"Simuliere Tag Nr. ", "Simulating day No."};
const Tx kComputingDiffuse{"Berechne Diffusstrahlung", "Calculation of diffuse radiation is running ..."};
const Tx kCancel{"Simulation &abbrechen", "&Cancel simulation"};

const Tx kCancelQuestion{"Soll die aktuelle Simulation wirklich abgebrochen werden?", "Really cancel the current simulation?"};
const Tx kOutputTitle{"Ausgabedateien benennen", "Name the output files"};
const Tx kOutputFilter{"Mittelwertdatei|*.mit", "Mean-value file|*.mit"};
const Tx kOpenTitle{"Datei \xF6" "ffnen", "Open file"};
const Tx kKonFilter{"Konfiguration|*.kon", "Configuration file|*.kon"};
const Tx kSaveTitle{"Parameter speichern unter", "Save parameters as"};
const Tx kReserved{"Dateiname reserviert f\xFCr Penumbro - Standarddatei",
                   "This file name is reserved for PENUMBRO's default parameters."};
const Tx kDefaultsNote{"Hiermit werden die aktuellen Parameter als Voreinstellung bei Starten von PENUMBRO festgelegt.",
                       "This makes the current parameter values the defaults when PENUMBRO starts."};
const Tx kCompleted{"Simulation beendet!", "Simulation completed!"};

// The chosen name with the default extension when it has none.
QString withSuffix(const QString& name, const char* suffix) {
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty()) return name;
    return name + QLatin1Char('.') + QLatin1String(suffix);
}

// A path wider than its label shrinks to its file name; the tip keeps it whole.
void showPath(QLabel* label, const QString& full) {
    const bool wide = label->width() > 0 && label->fontMetrics().horizontalAdvance(full) >= label->width();
    label->setText(wide ? QFileInfo(full).fileName() : full);
    label->setToolTip(full);
}

QSpinBox* spin(const char* name, int lo, int hi, int value) {
    auto* s = named(new RangeSpinBox, name);
    s->setRange(lo, hi);
    s->setValue(value);
    return s;
}

QDoubleSpinBox* doubleSpin(const char* name, double value) {
    auto* s = named(new DecimalSpinBox, name);
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

    monatlich = captions_.add(named(new QCheckBox, "monatlich"), kMonthly);
    Diffus = captions_.add(named(new QCheckBox, "Diffus"), kDiffuse);
    Label_monatlich = captions_.add(named(new QLabel, "Label_monatlich"), kMonthlyNote);
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
    exactGeometryCheckBox = captions_.add(named(new QCheckBox, "exactGeometryCheckBox"), kExact);
    Dezimalzeichen_Komma = captions_.add(named(new QRadioButton, "Dezimalzeichen_Komma"), kComma);
    Dezimalzeichen_Punkt = captions_.add(named(new QRadioButton, "Dezimalzeichen_Punkt"), kPoint);
    Dezimalzeichen_Punkt->setChecked(true);
    anz_AusgabedateiNameMit = named(new QLabel, "anz_AusgabedateiNameMit");
    anz_AusgabedateiNameRep = named(new QLabel, "anz_AusgabedateiNameRep");
    auto button = [this](const char* name, const Tx& caption) {
        return captions_.add(named(new QPushButton, name), caption);
    };
    Ausgabedatei_aendern = button("Ausgabedatei_aendern", kChangeOutput);
    Parameterdatei_oeffnen = button("Parameterdatei_oeffnen", kOpenParameters);
    Speichern_unter = button("Speichern_unter", kSaveAs);
    Parameter_Standard = button("Parameter_Standard", kDefaults);
    SimulationStarten = button("SimulationStarten", kStart);
    Button1 = button("Button1", kCancel);

    // Start group: the parameters, file names and buttons.
    Startgruppe = captions_.add(named(new QGroupBox, "Startgruppe"), kStartGroup);
    auto* grid = new QGridLayout(Startgruppe);
    grid->setVerticalSpacing(3);
    int row = 0;
    // A refused number says why, in the status line, naming the field by its caption.
    auto labelled = [&](QWidget* field, const char* labelName, const Tx& caption) {
        auto* label = captions_.add(named(new QLabel, labelName), caption);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
        if (auto* spinBox = qobject_cast<RangeSpinBox*>(field)) {
            connect(spinBox, &RangeSpinBox::refused, this, [this, label, spinBox](const QString& typed) {
                QString name = label->text();
                while (name.endsWith(QLatin1Char(':')) || name.endsWith(QLatin1Char(' '))) name.chop(1);
                runStatusLabel->setText(fromCp1252(refusedValueMessage(
                    toCp1252(name), toCp1252(typed), spinBox->minimum(), spinBox->maximum(), language_)));
            });
        }
        return label;
    };
    grid->addWidget(monatlich, row++, 0, 1, 2);
    auto* diffuseRow = new QHBoxLayout;
    diffuseRow->addWidget(Diffus);
    diffuseRow->addWidget(Label_monatlich);
    diffuseRow->addStretch();
    grid->addLayout(diffuseRow, row++, 0, 1, 2);
    labelFirstMonth_ = labelled(Startmonat, "Label_Startmonat", kFirstMonth);
    labelLastMonth_ = labelled(Stopmonat, "Label_Stopmonat", kLastMonth);
    labelFirstDay_ = labelled(Starttag, "Label_Starttag", kFirstDay);
    labelLastDay_ = labelled(Stoptag, "Label_Stoptag", kLastDay);
    labelled(SpinEdit3, "Label_SpinEdit3", kIntervalDays);
    labelled(SpinEdit4, "Label_SpinEdit4", kIntervalMinutes);
    labelled(zusatz1, "Label_zusatz1", kMonthStart);
    labelled(zusatz3, "Label_zusatz3", kResolution);
    labelled(zusatz4, "Label_zusatz4", kDiffuseResolution);
    grid->addWidget(exactGeometryCheckBox, row++, 0, 1, 2);
    labelled(zusatz6, "Label_zusatz6", kElevationIntervals);
    labelled(zusatz7, "Label_zusatz7", kReduction);
    labelled(zusatz8, "Label_zusatz8", kReflectance);
    auto* decimalBox = captions_.add(named(new QGroupBox, "Dezimalzeichen"), kDecimalSign);
    auto* decimalLayout = new QHBoxLayout(decimalBox);
    decimalLayout->setContentsMargins(9, 2, 9, 2);
    decimalLayout->addWidget(Dezimalzeichen_Punkt);
    decimalLayout->addWidget(Dezimalzeichen_Komma);
    grid->addWidget(decimalBox, row++, 0, 1, 2);
    grid->addWidget(captions_.add(named(new QLabel, "Label_Mittelwertdatei"), kMit), row, 0);
    grid->addWidget(anz_AusgabedateiNameMit, row++, 1);
    grid->addWidget(captions_.add(named(new QLabel, "Label_Reportdatei"), kRep), row, 0);
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
    Fortschritt = captions_.add(named(new QGroupBox, "Fortschritt"), kProgress);
    Label_Simuliere = captions_.add(named(new QLabel, "Label_Simuliere"), kSimulatingDay);
    Tag_Nr = named(new QLabel, "Tag_Nr");
    Label_Diffus = captions_.add(named(new QLabel, "Label_Diffus"), kComputingDiffuse);
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

    runStatusLabel = named(new QLabel, "runStatusLabel");
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
    waitForWorker();
}

void Tschnell_ausgabe::waitForWorker() {
    if (worker_.joinable()) worker_.join();
}

void Tschnell_ausgabe::SpracheAnpassen(Language language) {
    language_ = language;
    captions_.apply(language);
    Zeichenfenster->setLanguage(language);
}

void Tschnell_ausgabe::showMonthlyFields() {
    const bool m = monatlich->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(Startmonat), static_cast<QWidget*>(Stopmonat),
                       static_cast<QWidget*>(labelFirstMonth_), static_cast<QWidget*>(labelLastMonth_)})
        w->setVisible(m);
    for (QWidget* w : {static_cast<QWidget*>(Starttag), static_cast<QWidget*>(Stoptag),
                       static_cast<QWidget*>(labelFirstDay_), static_cast<QWidget*>(labelLastDay_)})
        w->setVisible(!m);
    Label_monatlich->setVisible(m);
    Diffus->setEnabled(m);
    if (!m) Diffus->setChecked(false);
}

void Tschnell_ausgabe::showOutputNames() {
    if (state_.batchActive) {
        anz_AusgabedateiNameMit->clear();
        anz_AusgabedateiNameRep->clear();
        return;
    }
    const QString base = fromPath(state_.outputBase);
    showPath(anz_AusgabedateiNameMit, base + QStringLiteral(".mit"));
    showPath(anz_AusgabedateiNameRep, base + QStringLiteral(".rep"));
}

void Tschnell_ausgabe::Vorbereitung() {
    const TSimParameter& p = state_.params;
    monatlich->setChecked(p.monthly);
    showMonthlyFields();
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
    showOutputNames();
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
    showMonthlyFields();
}

QString Tschnell_ausgabe::startFolder() const {
    return initialDir_.isEmpty() ? QDir::currentPath() : initialDir_;
}

void Tschnell_ausgabe::Ausgabedatei_aendernClick() {
    const QString chosen = dialogs_.getSaveFileName(this, tx(kOutputTitle, language_), fromPath(state_.outputBase),
                                                    tx(kOutputFilter, language_));
    if (chosen.isEmpty()) return;
    state_.outputBase = withoutExtension(toPath(chosen));
    showOutputNames();
}

void Tschnell_ausgabe::Parameterdatei_oeffnenClick() {
    const QString chosen = withSuffix(
        dialogs_.getOpenFileName(this, tx(kOpenTitle, language_), startFolder(), tx(kKonFilter, language_)), "kon");
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
        dialogs_.getSaveFileName(this, tx(kSaveTitle, language_), startFolder(), tx(kKonFilter, language_)), "kon");
    if (chosen.isEmpty()) return;
    if (isReservedKonName(toPath(chosen))) {
        dialogs_.warning(this, tx(kReserved, language_));
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
                                         tx(kDefaultsNote, language_), QMessageBox::Ok | QMessageBox::Abort);
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

RunSettings Tschnell_ausgabe::runSettings() const {
    RunSettings settings;
    settings.decimalComma = Dezimalzeichen_Komma->isChecked();
    settings.language = language_;
    settings.method = exactGeometryCheckBox->isChecked() ? ShadingMethod::Exact : ShadingMethod::Raster;
    return settings;
}

void Tschnell_ausgabe::SimulationStartenClick() {
    ParameterMerken();
    if (running()) return;
    if (state_.batchActive) {
        emit listStartRequested();
        return;
    }

    RunRequest request;
    request.text = state_.project.daten;
    request.projectFile = state_.project.fileName;
    request.params = state_.params;
    request.settings = runSettings();
    request.settings.baseName = state_.outputBase;

    cancelConfirmed_ = false;
    runStatusLabel->clear();
    runInBackground([this, request = std::move(request)](const RunEvents& events, const Post&) {
        RunResult result;
        QString error;
        try {
            result = runSession(request, events, &state_.abortRequest, &state_.pauseRequest);
        } catch (const std::exception& e) {
            error = errorMessage(e, request.settings.language);
        }
        return std::function<void()>(
            [this, result, error, base = request.settings.baseName] { runEnded(result, error, base); });
    });
}

void Tschnell_ausgabe::runInBackground(Job job) {
    if (running()) return;
    state_.simulationIdle = false;
    state_.abortRequest = false;
    Startgruppe->hide();
    Fortschritt->show();
    Tag_Nr->clear();
    Zeichenfenster->drawFrame();
    EingabenAktiv(false);

    // The worker reports through queued calls; QPointer drops them if the window
    // is gone already.
    QPointer<Tschnell_ausgabe> self(this);
    Post post = [self](std::function<void()> call) {
        QMetaObject::invokeMethod(
            self, [self, call = std::move(call)] { if (self) call(); }, Qt::QueuedConnection);
    };
    worker_ = std::thread([this, post, job = std::move(job)] {
        RunEvents events;
        events.newDay = [this, post](int day, long) { post([this, day] { showDay(day); }); };
        events.diffuse = [this, post](bool on) { post([this, on] { Label_Diffus->setVisible(on); }); };
        events.monthCompleted = [this, post](int month, const RunResult& soFar) {
            post([this, month, means = soFar.monthlyMeans, shown = soFar.monthsShown] {
                Zeichenfenster->setMonths(means, shown, month);
            });
        };
        const std::function<void()> done = job(events, post);
        post([this, done] {
            waitForWorker();
            if (done) done();
        });
    });
}

void Tschnell_ausgabe::showDay(int day) {
    if (!state_.abortRequest) Tag_Nr->setText(QString::number(day));
}

void Tschnell_ausgabe::stopProgress() {
    Label_Diffus->hide();
    Fortschritt->hide();
    Startgruppe->show();
    EingabenAktiv(true);
    state_.simulationIdle = true;
}

void Tschnell_ausgabe::beginList() {
    anz_AusgabedateiNameMit->clear();
    anz_AusgabedateiNameRep->clear();
    Ausgabedatei_aendern->setEnabled(false);
}

void Tschnell_ausgabe::showEntry(const std::string& stem) {
    showPath(anz_AusgabedateiNameMit, fromMessage(stem + ".mit"));
    showPath(anz_AusgabedateiNameRep, fromMessage(stem + ".rep"));
    Zeichenfenster->drawFrame();
}

void Tschnell_ausgabe::endList() {
    stopProgress();
    Tag_Nr->clear();
    for (QLabel* label : {anz_AusgabedateiNameMit, anz_AusgabedateiNameRep}) label->setToolTip(QString());
}

void Tschnell_ausgabe::runEnded(const RunResult& r, const QString& error, const std::string& baseName) {
    const bool ok = error.isEmpty();
    if (ok && r.lastMonth > 0) Zeichenfenster->setMonths(r.monthlyMeans, r.monthsShown, r.lastMonth);
    // The live record carries the site of the project last run, so a saved .kon does too.
    if (ok) {
        state_.params.latitude = r.params.latitude;
        state_.params.longitude = r.params.longitude;
        state_.params.correction = r.params.correction;
    }
    stopProgress();
    const QString files = ok ? fromMessage(runFilesNote(baseName).render(language_)) : QString();
    if (ok && r.cancelled) {
        // The files now hold fewer days than the ones they replaced: say so, in the list too.
        const QString note = fromMessage(cancelledRunNote(baseName, r).render(language_));
        runStatusLabel->setText(note + QLatin1Char(' ') + files);
        if (!state_.batchActive) dialogs_.information(this, note + QLatin1Char('\n') + files);
    } else if (ok) {
        runStatusLabel->setText(tx(kCompleted, language_) + QLatin1Char(' ') + files);
    }
    if (!ok)
        dialogs_.warning(this, error);
    else if (!cancelConfirmed_ && !r.cancelled && !state_.batchActive)
        dialogs_.information(this, tx(kCompleted, language_) + QLatin1Char('\n') + files);
    cancelConfirmed_ = false;
    emit runFinished();
}

void Tschnell_ausgabe::Button1Click() {
    // The run waits for the answer: it must not go on, or even finish, behind the question.
    state_.pauseRequest = true;
    const bool stop = dialogs_.question(this, tx(kCancelQuestion, language_), QMessageBox::Yes | QMessageBox::No) ==
                      QMessageBox::Yes;
    state_.pauseRequest = false;
    if (!stop) return;
    state_.batchActive = false;
    cancelConfirmed_ = true;
    state_.abortRequest = true;
}

}  // namespace penumbro::ui
