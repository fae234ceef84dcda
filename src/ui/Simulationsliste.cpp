#include "ui/Simulationsliste.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"
#include "simulation/Batch.h"
#include "ui/AppState.h"
#include "ui/Dialogs.h"
#include "ui/MonthChart.h"
#include "ui/SchnellAusgabe.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <memory>

namespace penumbro::ui {

namespace {

const Tx kTitel{"Simulationsliste", "List of simulations"};
const Tx kHinzufuegen{"Datei zur Liste &hinzuf\xFCgen", "&Add file to list"};
const Tx kEntfernen{"Datei aus Liste &entfernen", "&Remove file from list"};
const Tx kLoeschen{"Liste &l\xF6schen", "&Delete simulation list"};
const Tx kAbarbeiten{"Simulationsliste a&barbeiten", "Ru&n simulation list"};
const Tx kSchliessen{"&Schlie\xDF" "en", "&Close"};
const Tx kOeffnenTitel{"Datei \xF6" "ffnen", "Open file"};
const Tx kDatenFilter{"Daten|*.dat", "Data|*.dat"};
const Tx kGeoeffnet{"Die gew\xE4hlte Datei ist zur Zeit ge\xF6" "ffnet. Sollen die \xC4nderungen vor der Simulation "
                    "gespeichert werden? (Sonst wird mit dem zuletzt abgespeicherten Datenbestand simuliert!)",
                    "This file is open at the moment. Should the current changes be saved before the simulation? "
                    "(Otherwise, the last saved data will be simulated!)"};
const Tx kMaximum{"Die maximale Anzahl von 99 Simulationen ist erreicht.",
                  "The maximum number of 99 simulations has been reached."};
const Tx kKeinTarget{"Die Datendatei ist ung\xFCltig oder enth\xE4lt keine Targets",
                     "This is not a valid data file or it contains no targets."};
const Tx kEntfernenTitel{"Datei aus der Liste entfernen", "Remove file from list"};
const Tx kEntfernenFrage{"Bitte geben Sie die Nummer (1 ... 99) ein:", "Please enter the number (1 ... 99):"};
const Tx kUngueltig{"Ung\xFCltige Eingabe!", "Invalid input!"};
const Tx kLoeschenFrage{"Simulationsliste komplett l\xF6schen?", "Delete complete simulation list?"};
const Tx kEinstellen{"Bitte stellen Sie die Simulationsparameter ein\rund klicken Sie anschlie\xDF" "end die "
                     "Schaltfl\xE4" "che \"Simulation starten\".",
                     "Please set the parameters for the simulations\rand press the button \"Start simulation\"."};
const Tx kPanelEinstellen{"Bitte stellen Sie die Simulationsparameter ein und klicken Sie anschlie\xDF" "end die "
                          "Schaltfl\xE4" "che \"Simulation starten\".",
                          "Please set the parameters for the simulations and press the button \"Start simulation\"."};
const Tx kPanelLauf{"Simulationsliste wird abgearbeitet: Simulation ", "Running the list of simulations: simulation "};
const Tx kBeendet{"Simulation beendet!", "Simulation completed!"};

// Grid titles (row 0 of the list).
const Tx kSpalten[] = {{"Datendatei", "Data file"},
                       {"Target", "Target"},
                       {"Ausgabedatei (+ \".mit\" / + \".rep\")", "Output file (+ \".mit\" / + \".rep\")"}};

// Paths are the file system's bytes; a stem may carry a target name's Windows-1252 bytes.
QString cellText(int column, const std::string& bytes) {
    return column == 1 ? fromCp1252(bytes) : fromMessage(bytes);
}

}  // namespace

TSimulationsliste::TSimulationsliste(AppState& state, Dialogs& dialogs, Tschnell_ausgabe& fastRun,
                                     MainWindowHooks hooks, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs), fastRun_(fastRun), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("Simulationsliste"));
    StringGrid1 = new QTableWidget(kMaxSimulations, 3, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setColumnWidth(0, 320);
    StringGrid1->setColumnWidth(1, 160);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    auto button = [this](const char* name, void (TSimulationsliste::*click)()) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        if (click) connect(b, &QPushButton::clicked, this, click);
        return b;
    };
    BitBtn1 = button("BitBtn1", &TSimulationsliste::BitBtn1Click);
    BitBtn2 = button("BitBtn2", &TSimulationsliste::BitBtn2Click);
    BitBtn3 = button("BitBtn3", &TSimulationsliste::BitBtn3Click);
    BitBtn4 = button("BitBtn4", &TSimulationsliste::BitBtn4Click);
    BitBtn5 = button("BitBtn5", nullptr);
    connect(BitBtn5, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid1, 3);
    layout->addWidget(Memo1, 2);
    layout->addLayout(buttons);
    resize(900, 640);

    connect(StringGrid1, &QTableWidget::itemChanged, this, &TSimulationsliste::zelleGeaendert);
    connect(&fastRun_, &Tschnell_ausgabe::listeStarten, this, &TSimulationsliste::Abarbeiten);
    anzeigen();
    SpracheAnpassen(Language::German);
}

TSimulationsliste::~TSimulationsliste() {
    state_.abortRequest = true;
    if (worker_.joinable()) worker_.join();
}

void TSimulationsliste::SpracheAnpassen(Language language) {
    language_ = language;
    setWindowTitle(tx(kTitel, language));
    BitBtn1->setText(tx(kHinzufuegen, language));
    BitBtn2->setText(tx(kEntfernen, language));
    BitBtn3->setText(tx(kLoeschen, language));
    BitBtn4->setText(tx(kAbarbeiten, language));
    BitBtn5->setText(tx(kSchliessen, language));
    QStringList titles;
    for (const Tx& t : kSpalten) titles << tx(t, language);
    StringGrid1->setHorizontalHeaderLabels(titles);
    uebersichtZeigen();
}

// Grid and overview from the list model.
void TSimulationsliste::anzeigen() {
    const QSignalBlocker block(StringGrid1);
    for (int r = 1; r <= kMaxSimulations; ++r) {
        const SimulationList::Row& cells = list_.row(r);
        const std::string* texts[] = {&cells.file, &cells.target, &cells.stem};
        for (int c = 0; c < 3; ++c) StringGrid1->setItem(r - 1, c, new QTableWidgetItem(cellText(c, *texts[c])));
    }
    uebersichtZeigen();
}

void TSimulationsliste::uebersichtZeigen() {
    QStringList lines;
    for (const std::string& line : list_.overview(language_)) lines << fromMessage(line);
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    BitBtn4->setEnabled(list_.canProcess());
}

void TSimulationsliste::zelleGeaendert(QTableWidgetItem* item) {
    SimulationList::Row& cells = list_.row(item->row() + 1);
    const QString text = item->text();
    if (item->column() == 0) cells.file = toPath(text);
    if (item->column() == 1) cells.target = toCp1252(text);
    if (item->column() == 2) cells.stem = toPath(text);
    uebersichtZeigen();  // the item itself is still in use: the grid stays
}

void TSimulationsliste::BitBtn1Click() {
    const QString chosen = dialogs_.getOpenFileName(this, tx(kOeffnenTitel, language_), projectFolder(state_),
                                                    tx(kDatenFilter, language_));
    if (chosen.isEmpty()) return;
    const std::string path = toPath(chosen);
    if (chosen.toLower() == fromPath(state_.project.fileName).toLower() &&
        textChanged(state_.project.original, state_.project.daten) &&
        dialogs_.message(this, QMessageBox::Information, QStringLiteral("Penumbro"), tx(kGeoeffnet, language_),
                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes &&
        hooks_.saveProject)
        hooks_.saveProject();
    SimulationList::AddResult added;
    try {
        added = list_.add(path, readProjectLines(path));
    } catch (const InputError& e) {
        dialogs_.warning(this, errorMessage(e, language_));
        return;
    }
    anzeigen();
    if (added.noTarget) dialogs_.information(this, tx(kKeinTarget, language_));
    if (added.full) dialogs_.information(this, tx(kMaximum, language_));
}

void TSimulationsliste::BitBtn2Click() {
    QInputDialog input(this);
    input.setObjectName(QStringLiteral("Eingabe"));
    input.setWindowTitle(tx(kEntfernenTitel, language_));
    input.setLabelText(tx(kEntfernenFrage, language_));
    if (dialogs_.exec(input) != QDialog::Accepted) return;
    const auto number = fileNumberInput(toPath(input.textValue().trimmed()));
    if (!number) {
        dialogs_.warning(this, tx(kUngueltig, language_));
        return;
    }
    list_.remove(*number);
    anzeigen();
}

void TSimulationsliste::BitBtn3Click() {
    if (dialogs_.question(this, tx(kLoeschenFrage, language_), QMessageBox::Ok | QMessageBox::Cancel) !=
        QMessageBox::Ok)
        return;
    list_.clear();
    anzeigen();
}

void TSimulationsliste::BitBtn4Click() {
    projectCopy_ = state_.project.daten;
    dialogs_.information(this, tx(kEinstellen, language_));
    done(QDialog::Accepted);
    state_.batchActive = true;
    if (hooks_.showFastRun) hooks_.showFastRun();
    // The list names the outputs.
    fastRun_.anz_AusgabedateiNameMit->clear();
    fastRun_.anz_AusgabedateiNameRep->clear();
    fastRun_.Ausgabedatei_aendern->setEnabled(false);
    if (hooks_.menusEnabled) hooks_.menusEnabled(false);
    if (hooks_.batchPanel) hooks_.batchPanel(tx(kPanelEinstellen, language_));
}

// Shows the running entry's outputs; a path wider than its label shrinks to its file name.
void TSimulationsliste::ausgabeNamen(const std::string& stem) {
    for (auto [label, ext] : {std::pair{fastRun_.anz_AusgabedateiNameMit, ".mit"},
                              std::pair{fastRun_.anz_AusgabedateiNameRep, ".rep"}}) {
        const QString full = fromMessage(stem + ext);
        const bool wide = label->width() > 0 && label->fontMetrics().horizontalAdvance(full) >= label->width();
        label->setText(wide ? QFileInfo(full).fileName() : full);
        label->setToolTip(full);
    }
}

void TSimulationsliste::Abarbeiten() {
    if (worker_.joinable() || !state_.batchActive) return;
    RunSettings settings;
    settings.decimalComma = fastRun_.Dezimalzeichen_Komma->isChecked();
    settings.language = language_;
    settings.method = fastRun_.exactGeometryCheckBox->isChecked() ? ShadingMethod::Exact : ShadingMethod::Raster;

    state_.simulationIdle = false;
    state_.abortRequest = false;
    fastRun_.Startgruppe->hide();
    fastRun_.Fortschritt->show();
    fastRun_.Tag_Nr->clear();
    fastRun_.Zeichenfenster->drawFrame();
    fastRun_.EingabenAktiv(false);

    QPointer<TSimulationsliste> self(this);
    auto post = [self](auto call) {
        QMetaObject::invokeMethod(
            self, [self, call] { if (self) call(*self); }, Qt::QueuedConnection);
    };
    // The worker runs a copy of the list; the rest comes back with the result.
    worker_ = std::thread([this, post, list = list_, params = state_.params, settings]() mutable {
        ListRunHooks hooks;
        // The abort button clears the batch flag and sets the abort request; only the
        // latter may be read off the GUI thread.
        hooks.batchActive = [this] { return !state_.abortRequest; };
        hooks.entryStarting = [post](int i, int n, const BatchEntry& entry) {
            post([i, n, stem = entry.stem](TSimulationsliste& w) {
                if (w.hooks_.batchPanel)
                    w.hooks_.batchPanel(tx(kPanelLauf, w.language_) + QString::number(i) + QStringLiteral(" / ") +
                                        QString::number(n));
                w.ausgabeNamen(stem);
                w.fastRun_.Zeichenfenster->drawFrame();
            });
        };
        auto lastDay = std::make_shared<int>(0);
        hooks.observer.progress = [post, lastDay](const RunProgress& p) {
            if (p.day == *lastDay) return;
            *lastDay = p.day;
            post([day = p.day](TSimulationsliste& w) {
                if (!w.state_.abortRequest) w.fastRun_.Tag_Nr->setText(QString::number(day));
            });
        };
        hooks.observer.diffuse = [post](bool running) {
            post([running](TSimulationsliste& w) { w.fastRun_.Label_Diffus->setVisible(running); });
        };
        hooks.observer.monthCompleted = [post](int month, const RunResult& soFar) {
            post([month, means = soFar.monthlyMeans, shown = soFar.monthsShown](TSimulationsliste& w) {
                w.fastRun_.Zeichenfenster->setMonths(means, shown, month);
            });
        };
        hooks.observer.cancel = &state_.abortRequest;
        hooks.observer.pause = &state_.pauseRequest;
        const ListRunResult result = penumbro::Abarbeiten(list, params, settings, hooks);
        post([list, result](TSimulationsliste& w) { w.laufEnde(list, result); });
    });
}

void TSimulationsliste::laufEnde(const SimulationList& rest, const ListRunResult& result) {
    if (worker_.joinable()) worker_.join();
    list_ = rest;
    anzeigen();
    if (hooks_.batchPanel) hooks_.batchPanel(QString());
    state_.project.daten = projectCopy_;
    if (hooks_.menusEnabled) hooks_.menusEnabled(true);
    // The fast-run window as it was before the list took it over.
    const bool completed = state_.batchActive && !result.aborted;
    state_.batchActive = false;
    fastRun_.Label_Diffus->hide();
    fastRun_.Fortschritt->hide();
    fastRun_.Startgruppe->show();
    fastRun_.EingabenAktiv(true);
    fastRun_.Tag_Nr->clear();
    for (QLabel* label : {fastRun_.anz_AusgabedateiNameMit, fastRun_.anz_AusgabedateiNameRep}) label->setToolTip(QString());
    state_.simulationIdle = true;

    // Entries whose file could not be read or run are named; the others ran.
    QStringList failed;
    for (const EntryOutcome& o : result.outcomes)
        if (o.status == EntryStatus::Failed) failed << fromMessage(o.message);
    if (!failed.isEmpty()) dialogs_.warning(this, failed.join(QLatin1Char('\n')));
    if (completed) dialogs_.information(this, tx(kBeendet, language_));
    if (hooks_.showDataInput) hooks_.showDataInput();
    emit listeAbgearbeitet();
    dialogs_.exec(*this);
}

}  // namespace penumbro::ui
