#include "ui/Simulationsliste.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"
#include "simulation/Batch.h"
#include "ui/AppState.h"
#include "ui/Dialogs.h"
#include "ui/ListRunView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace penumbro::ui {

namespace {

const Tx kTitle{"Simulationsliste", "List of simulations"};
const Tx kAdd{"Datei zur Liste &hinzuf\xFCgen", "&Add file to list"};
const Tx kRemove{"Datei aus Liste &entfernen", "&Remove file from list"};
const Tx kClear{"Liste &l\xF6schen", "&Delete simulation list"};
const Tx kProcess{"Simulationsliste a&barbeiten", "Ru&n simulation list"};
const Tx kClose{"&Schlie\xDF" "en", "&Close"};
const Tx kOpenTitle{"Datei \xF6" "ffnen", "Open file"};
const Tx kDataFilter{"Daten|*.dat", "Data|*.dat"};
const Tx kFileOpen{"Die gew\xE4hlte Datei ist zur Zeit ge\xF6" "ffnet. Sollen die \xC4nderungen vor der Simulation "
                   "gespeichert werden? (Sonst wird mit dem zuletzt abgespeicherten Datenbestand simuliert!)",
                   "This file is open at the moment. Should the current changes be saved before the simulation? "
                   "(Otherwise, the last saved data will be simulated!)"};
const Tx kMaximum{"Die maximale Anzahl von 99 Simulationen ist erreicht.",
                  "The maximum number of 99 simulations has been reached."};
const Tx kNoTarget{"Die Datendatei ist ung\xFCltig oder enth\xE4lt keine Targets",
                   "This is not a valid data file or it contains no targets."};
const Tx kRemoveTitle{"Datei aus der Liste entfernen", "Remove file from list"};
const Tx kRemoveQuestion{"Bitte geben Sie die Nummer (1 ... 99) ein:", "Please enter the number (1 ... 99):"};
const Tx kInvalid{"Ung\xFCltige Eingabe!", "Invalid input!"};
const Tx kClearQuestion{"Simulationsliste komplett l\xF6schen?", "Delete complete simulation list?"};
const Tx kSetParameters{"Bitte stellen Sie die Simulationsparameter ein\rund klicken Sie anschlie\xDF" "end die "
                        "Schaltfl\xE4" "che \"Simulation starten\".",
                        "Please set the parameters for the simulations\rand press the button \"Start simulation\"."};
const Tx kPanelSetParameters{"Bitte stellen Sie die Simulationsparameter ein und klicken Sie anschlie\xDF" "end die "
                             "Schaltfl\xE4" "che \"Simulation starten\".",
                             "Please set the parameters for the simulations and press the button \"Start simulation\"."};
const Tx kPanelRunning{"Simulationsliste wird abgearbeitet: Simulation ", "Running the list of simulations: simulation "};
const Tx kCompleted{"Simulation beendet!", "Simulation completed!"};

// Grid titles (row 0 of the list).
const Tx kColumns[] = {{"Datendatei", "Data file"},
                       {"Target", "Target"},
                       {"Ausgabedatei (+ \".mit\" / + \".rep\")", "Output file (+ \".mit\" / + \".rep\")"}};

// Paths are the file system's bytes; a stem may carry a target name's Windows-1252 bytes.
QString cellText(int column, const std::string& bytes) {
    return column == 1 ? fromCp1252(bytes) : fromMessage(bytes);
}

}  // namespace

TSimulationsliste::TSimulationsliste(AppState& state, Dialogs& dialogs, ListRunView& runView, MainWindowHooks hooks,
                                     QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs), runView_(runView), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("Simulationsliste"));
    StringGrid1 = named(new QTableWidget(kMaxSimulations, 3, this), "StringGrid1");
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setColumnWidth(0, 320);
    StringGrid1->setColumnWidth(1, 160);
    Memo1 = named(new QPlainTextEdit(this), "Memo1");
    Memo1->setReadOnly(true);
    auto button = [this](const char* name, const Tx& caption, void (TSimulationsliste::*click)()) {
        auto* b = captions_.add(named(new QPushButton(this), name), caption);
        if (click) connect(b, &QPushButton::clicked, this, click);
        return b;
    };
    captions_.addTitle(this, kTitle);
    BitBtn1 = button("BitBtn1", kAdd, &TSimulationsliste::BitBtn1Click);
    BitBtn2 = button("BitBtn2", kRemove, &TSimulationsliste::BitBtn2Click);
    BitBtn3 = button("BitBtn3", kClear, &TSimulationsliste::BitBtn3Click);
    BitBtn4 = button("BitBtn4", kProcess, &TSimulationsliste::BitBtn4Click);
    BitBtn5 = button("BitBtn5", kClose, nullptr);
    for (int c = 0; c < 3; ++c) captions_.addHeader(StringGrid1, c, kColumns[c]);
    connect(BitBtn5, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid1, 3);
    layout->addWidget(Memo1, 2);
    layout->addLayout(buttons);
    resize(900, 640);

    connect(StringGrid1, &QTableWidget::itemChanged, this, &TSimulationsliste::cellChanged);
    showList();
    SpracheAnpassen(Language::German);
}

void TSimulationsliste::SpracheAnpassen(Language language) {
    language_ = language;
    captions_.apply(language);
    showOverview();
}

// Grid and overview from the list model.
void TSimulationsliste::showList() {
    const QSignalBlocker block(StringGrid1);
    for (int r = 1; r <= kMaxSimulations; ++r) {
        const SimulationList::Row& cells = list_.row(r);
        const std::string* texts[] = {&cells.file, &cells.target, &cells.stem};
        for (int c = 0; c < 3; ++c) StringGrid1->setItem(r - 1, c, new QTableWidgetItem(cellText(c, *texts[c])));
    }
    showOverview();
}

void TSimulationsliste::showOverview() {
    QStringList lines;
    for (const std::string& line : list_.overview(language_)) lines << fromMessage(line);
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    BitBtn4->setEnabled(list_.canProcess());
}

void TSimulationsliste::cellChanged(QTableWidgetItem* item) {
    SimulationList::Row& cells = list_.row(item->row() + 1);
    const QString text = item->text();
    if (item->column() == 0) cells.file = toPath(text);
    if (item->column() == 1) cells.target = toCp1252(text);
    if (item->column() == 2) cells.stem = toPath(text);
    showOverview();  // the item itself is still in use: the grid stays
}

void TSimulationsliste::BitBtn1Click() {
    const QString chosen = dialogs_.getOpenFileName(this, tx(kOpenTitle, language_), projectFolder(state_),
                                                    tx(kDataFilter, language_));
    if (chosen.isEmpty()) return;
    const std::string path = toPath(chosen);
    if (chosen.toLower() == fromPath(state_.project.fileName).toLower() &&
        textChanged(state_.project.original, state_.project.daten) &&
        dialogs_.message(this, QMessageBox::Information, QStringLiteral("Penumbro"), tx(kFileOpen, language_),
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
    showList();
    if (added.noTarget) dialogs_.information(this, tx(kNoTarget, language_));
    if (added.full) dialogs_.information(this, tx(kMaximum, language_));
}

void TSimulationsliste::BitBtn2Click() {
    QInputDialog input(this);
    input.setObjectName(QStringLiteral("Eingabe"));
    input.setWindowTitle(tx(kRemoveTitle, language_));
    input.setLabelText(tx(kRemoveQuestion, language_));
    if (dialogs_.exec(input) != QDialog::Accepted) return;
    const auto number = fileNumberInput(toPath(input.textValue().trimmed()));
    if (!number) {
        dialogs_.warning(this, tx(kInvalid, language_));
        return;
    }
    list_.remove(*number);
    showList();
}

void TSimulationsliste::BitBtn3Click() {
    if (dialogs_.question(this, tx(kClearQuestion, language_), QMessageBox::Ok | QMessageBox::Cancel) !=
        QMessageBox::Ok)
        return;
    list_.clear();
    showList();
}

void TSimulationsliste::BitBtn4Click() {
    projectCopy_ = state_.project.daten;
    dialogs_.information(this, tx(kSetParameters, language_));
    done(QDialog::Accepted);
    state_.batchActive = true;
    if (hooks_.showFastRun) hooks_.showFastRun();
    runView_.beginList();
    if (hooks_.menusEnabled) hooks_.menusEnabled(false);
    if (hooks_.batchPanel) hooks_.batchPanel(tx(kPanelSetParameters, language_));
}

void TSimulationsliste::Abarbeiten() {
    if (!state_.batchActive) return;
    RunSettings settings = runView_.runSettings();
    settings.language = language_;
    QPointer<TSimulationsliste> self(this);
    // The worker runs a copy of the list; the rest comes back with the result.
    runView_.runInBackground([self, list = list_, params = state_.params, settings, abort = &state_.abortRequest,
                              pause = &state_.pauseRequest](const RunEvents& events,
                                                            const ListRunView::Post& post) mutable {
        ListRunHooks hooks;
        // The abort button clears the batch flag and sets the abort request; only the
        // latter may be read off the GUI thread.
        hooks.batchActive = [abort] { return !*abort; };
        hooks.entryStarting = [self, post](int i, int n, const BatchEntry& entry) {
            post([self, i, n, stem = entry.stem] {
                if (self) self->entryStarting(i, n, stem);
            });
        };
        hooks.observer = dailyObserver(events, abort, pause);
        const ListRunResult result = penumbro::Abarbeiten(list, params, settings, hooks);
        return std::function<void()>([self, list, result] {
            if (self) self->runEnded(list, result);
        });
    });
}

void TSimulationsliste::entryStarting(int i, int n, const std::string& stem) {
    if (hooks_.batchPanel)
        hooks_.batchPanel(tx(kPanelRunning, language_) + QString::number(i) + QStringLiteral(" / ") +
                          QString::number(n));
    runView_.showEntry(stem);
}

void TSimulationsliste::runEnded(const SimulationList& rest, const ListRunResult& result) {
    list_ = rest;
    showList();
    if (hooks_.batchPanel) hooks_.batchPanel(QString());
    state_.project.daten = projectCopy_;
    if (hooks_.menusEnabled) hooks_.menusEnabled(true);
    // The fast-run window as it was before the list took it over.
    const bool completed = state_.batchActive && !result.aborted;
    state_.batchActive = false;
    runView_.endList();

    // Entries whose file could not be read or run are named; the others ran.
    QStringList failed;
    for (const EntryOutcome& o : result.outcomes)
        if (o.status == EntryStatus::Failed) failed << fromMessage(o.message);
    if (!failed.isEmpty()) dialogs_.warning(this, failed.join(QLatin1Char('\n')));
    if (completed) dialogs_.information(this, tx(kCompleted, language_));
    if (hooks_.showDataInput) hooks_.showDataInput();
    emit listRunEnded();
    dialogs_.exec(*this);
}

}  // namespace penumbro::ui
