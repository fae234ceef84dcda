#include "ui/MainForm.h"
#include "ui/Mnemonics.h"

#include "editor/TargetCheck.h"
#include "import/ModelImport.h"
#include "project/ConfigPaths.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"
#include "project/SharedTexts.h"
#include "simulation/Simulation.h"
#include "ui/AppState.h"
#include "ui/Datenblatt.h"
#include "ui/Dialogs.h"
#include "ui/EditorForm.h"
#include "ui/Einstellungen.h"
#include "ui/ExportForm.h"
#include "ui/FormParts.h"
#include "ui/FormSprache.h"
#include "ui/Generator.h"
#include "ui/OnlineAusgabe.h"
#include "ui/Preview3D.h"
#include "ui/QtTranslations.h"
#include "ui/SchnellAusgabe.h"
#include "ui/Simulationsliste.h"
#include "ui/SunPathWindow.h"
#include "views/Player.h"
#include "views/Report.h"
#include "views/VrmlWriter.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedLayout>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace penumbro::ui {

namespace {

const Tx kPanels[3] = {{"Dateneingabe", "Data input"}, {"Online - Ausgabe", "Online output"},
                       {"Schnelldurchlauf", "Fast pass through"}};

const Tx kMenuProject{"&Projekt", "&Project"};
const Tx kMenuSimulation{"&Simulation", "&Simulation"};
const Tx kMenuExport{"&Daten exportieren", "&Export data"};
const Tx kMenuSettings{"&Einstellungen", "Se&ttings"};
const Tx kMenuHelp{"&Hilfe", "&Help"};
const Tx kNew{"&Neues Projekt", "&New project"};
const Tx kOpen{"Projekt \xF6" "&ffnen", "&Open project"};
const Tx kSave{"Projekt &speichern", "&Save project"};
const Tx kSaveAs{"Projekt speichern &unter ...", "Save project &as ..."};
const Tx kVrml{"&VRML Darstellung", "&VRML view"};
const Tx kReport{"Be&richt erstellen ...", "Create &report ..."};
const Tx kExportScene{"Szene als &glTF exportieren ...", "Export scene as &glTF ..."};
const Tx kGltfFilter{"glTF bin\xE4r|*.glb|glTF|*.gltf", "glTF binary|*.glb|glTF|*.gltf"};
const Tx kQuit{"Programm &beenden", "&Quit program"};
const Tx kFastRun{"Sc&hnelldurchlauf", "&Fast pass through of simulation"};
const Tx kList{"Simulations&liste erstellen", "Create a &list of simulations"};
const Tx kSunPath{"Sonnenstands&diagramm ...", "Sun-path &diagram ..."};
const Tx kExport{"Daten &exportieren", "&Export data"};
const Tx kVrml1{"&VRML Darstellung", "&VRML view"};
const Tx kWorkingFolder{"&Arbeitsverzeichnis", "&Working folder"};
const Tx kLanguage{"&Sprache anpassen", "Select &language"};
const Tx k3d{"&3D-Ansicht in der Dateieingabe deaktivieren", "Deactivate &3D view in data input"};
const Tx kHelp{"Penumbro-&Hilfe", "Penumbro &help"};

const Tx kCancelRun{"Achtung:!\r\rHiermit wird die aktuelle Simulation abgebrochen!\r\rFortfahren?",
                    "Caution!\r\rThis cancels the current simulation.\r\rContinue?"};
const Tx kNotOnePlane{
    "Targetfl\xE4" "chen liegen nicht alle in einer Ebene! Datei kann nicht simuliert werden.\r\r"
    "W\xE4hlen Sie im Hauptmen\xFC \"Simulation - Simulationsliste erstellen\" um eine eigenst\xE4ndige "
    "Simulationen f\xFCr jedes Target durchzuf\xFChren.",
    "Target surfaces are not all in one plane! File cannot be simulated.\r\r"
    "Please choose \"Simulation - Create a list of simulations\" in the main menu to simulate every target separately."};
const Tx kQuitWhileRunning{"Achtung: Simulation l\xE4uft!\r\rDurch das Beenden von PENUMBRO wird die aktuelle "
                           "Simulation abgebrochen!\r\rProgramm wirklich beenden?",
                           "Caution: Simulation running!\r\rClosing PENUMBRO cancels the current simulation."
                           "\r\rReally quit the program?"};
const Tx kRestart{"Sie m\xFCssen PENUMBRO neu starten, um die \xC4nderungen zu \xFC" "bernehmen!",
                  "Restart PENUMBRO to apply the new settings."};
const Tx kFolderMissing1{"Arbeitsverzeichnis ", "Directory "};
const Tx kFolderMissing2{" nicht vorhanden.", " not available."};
const Tx kFolderMissing3{"Standard Arbeitsverzeichnis wird verwendet.", "The standard working folder is used."};
const Tx kArgumentMissing1{"Die Datei \"", "The file \""};
const Tx kArgumentMissing2{"\" wurde nicht gefunden. Ein leeres Projekt wird begonnen.",
                           "\" was not found. An empty project is started."};
const Tx kChanged{"Das Projekt wurde ge\xE4ndert. \xC4nderungen speichern?",
                  "The project has been changed. Save the changes?"};
const Tx kExists{"Die Datei existiert bereits. Soll die Datei \xFC" "berschrieben werden?",
                 "The file already exists. Should the file be overwritten?"};
const Tx kDataFilter{"Daten|*.dat", "Data|*.dat"};
const Tx kModeButton{" (Tastenk\xFCrzel: ", " (shortcut: "};
const char* const kLanguageTitle = "Spracheinstellung/ Language Adjustment";
const char* const kLanguageText =
    "Die Einstellung wird beim n\xE4" "chsten Start \xFC" "bernommen. - Language-adjustment will be applied at next run.";


}  // namespace

ModePanel::ModePanel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    // 300 wide at the design size; narrower windows shrink the panels down to their text.
    setFixedHeight(25);
    setMaximumWidth(300);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAutoFillBackground(true);
    setLineWidth(2);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    setSelected(false);
}

void ModePanel::setSelected(bool selected) {
    selected_ = selected;
    setFrameStyle(QFrame::Panel | (selected ? QFrame::Sunken : QFrame::Raised));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, selected ? QColor(0xFF, 0xC0, 0xC0) : QColor(0xFF, 0xFF, 0xC0));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
}

void ModePanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QLabel::mousePressEvent(event);
}

TMainForm::TMainForm(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Penumbro"));

    editor_ = new TGenerator(state_, dialogs_);
    editorPage_ = editor_;

    online_ = new TOnline_Ausgabe(state_, dialogs_);

    fastRun_ = new Tschnell_ausgabe(state_, dialogs_);

    pages_ = new QStackedWidget;
    pages_->addWidget(editorPage_);
    pages_->addWidget(online_);
    pages_->addWidget(fastRun_);
    // On a screen smaller than the design size the pages scroll; the mode bar below stays.
    // The area sizes the pages itself: a resizable scroll area would give pages with
    // wrapped texts their preferred height and scroll where they fit.
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("Seiten"));
    auto* holder = new QWidget;
    pages_->setParent(holder);
    scroll->setWidget(holder);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->viewport()->installEventFilter(this);
    pages_->installEventFilter(this);  // a page whose smallest size changes
    pagesScroll_ = scroll;

    // Bottom bar with the three mode panels (20 | 300 | 38 | 300 | 38 | 300 | 20 at the
    // design width); the batch panel takes its place while a list waits or runs.
    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("Panel_Auswahl"));
    bar->setFixedHeight(35);
    barStack_ = new QStackedLayout(bar);
    auto* modes = new QWidget;
    auto* modeRow = new QHBoxLayout(modes);
    modeRow->setContentsMargins(20, 5, 20, 5);
    modeRow->setSpacing(38);
    const char* names[] = {"Hauptauswahl1", "Hauptauswahl2", "Hauptauswahl3"};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = captions_.add(named(new ModePanel, names[i]), kPanels[i]);
        modeRow->addWidget(panels_[i]);
        connect(panels_[i], &ModePanel::clicked, this, [this, i] { HauptauswahlClick(i + 1); });
        // Ctrl+1/2/3 as a click on the panel, refused like it while the panel is disabled.
        auto* key = new QAction(this);
        key->setObjectName(QStringLiteral("Modus%1").arg(i + 1));
        key->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)));
        key->setShortcutContext(Qt::WindowShortcut);
        addAction(key);
        connect(key, &QAction::triggered, this, [this, i] {
            if (panels_[i]->isEnabled() && panels_[i]->isVisible()) HauptauswahlClick(i + 1);
        });
    }
    Panel_Simulationsliste = named(new QLabel, "Panel_Simulationsliste");
    Panel_Simulationsliste->setAlignment(Qt::AlignCenter);
    barStack_->addWidget(modes);
    barStack_->addWidget(Panel_Simulationsliste);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scroll, 1);
    layout->addWidget(bar);
    setCentralWidget(central);
    QFont f = font();
    f.setBold(true);
    setFont(f);

    settingsWindow_ = new TEinstellungen(state_, dialogs_, this);
    language_ = new TFormSprache(state_, dialogs_, this);
    dataSheet_ = new TDatenblatt(state_, this);
    export_ = new TExportForm(state_, dialogs_, this);
    TSimulationsliste::MainWindowHooks listHooks;
    listHooks.saveProject = [this] { return Projektspeichern1Click(); };
    listHooks.menusEnabled = [this](bool on) {
        for (QMenu* m : {Menu_Projekt, Menu_Einstellungen, Menu_Export, Menu_Simulation}) m->menuAction()->setEnabled(on);
    };
    listHooks.batchPanel = [this](const QString& text) {
        Panel_Simulationsliste->setText(text);
        barStack_->setCurrentIndex(text.isEmpty() ? 0 : 1);
    };
    listHooks.showFastRun = [this] {
        // Values typed in the fast-run window before the list took it over stay.
        if (active_ == 3) fastRun_->ParameterMerken();
        showPage(3);
    };
    listHooks.showDataInput = [this] { showPage(1); };
    simList_ = new TSimulationsliste(state_, dialogs_, *fastRun_, std::move(listHooks), this);
    connect(fastRun_, &Tschnell_ausgabe::listStartRequested, simList_, &TSimulationsliste::Abarbeiten);
    connect(editor_, &TGenerator::dataSheetRequested, this, [this] {
        dataSheet_->refresh();
        dataSheet_->show();
        dataSheet_->raise();
    });
    connect(editor_, &TGenerator::textChanged, this, [this] {
        if (dataSheet_->isVisible()) dataSheet_->refresh();
        updateTitle();
    });
    // While an editor panel is open only the editor may change the project.
    connect(editor_, &TGenerator::listActiveChanged, this, [this](bool on) {
        for (QAction* a : {Menu_Projekt_Neu, Menu_Projekt_Oeffnen, Menu_Schnelldurchlauf, Menu_SimulationslisteErstellen})
            a->setEnabled(on);
        for (int i = 1; i < 3; ++i) panels_[i]->setEnabled(on);
    });


    createMenus();
    connect(fastRun_, &Tschnell_ausgabe::inputsEnabledChanged, this, [this](bool on) {
        for (QAction* a : {Menu_Projekt_Neu, Menu_Projekt_Oeffnen, Menu_SimulationslisteErstellen, Menu_export_export})
            a->setEnabled(on);
    });
    // The client area (menu bar included) the pages are laid out for.
    resize(1016, 694);
    SpracheAnpassen();
}

TMainForm::~TMainForm() {
    state_.abortRequest = true;
    fastRun_->waitForWorker();
}

void TMainForm::createMenus() {
    auto menu = [this](const char* name, const Tx& caption) {
        return captions_.add(named(menuBar()->addMenu(QString()), name), caption);
    };
    auto action = [this](QMenu* parent, const char* name, const Tx& caption, auto handler) {
        auto* a = captions_.add(named(parent->addAction(QString()), name), caption);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    Menu_Projekt = menu("Menu_Projekt", kMenuProject);
    Menu_Projekt_Neu = action(Menu_Projekt, "Menu_Projekt_Neu", kNew, [this] { Menu_Projekt_NeuClick(); });
    Menu_Projekt_Oeffnen =
        action(Menu_Projekt, "Menu_Projekt_Oeffnen", kOpen, [this] { Menu_Projekt_OeffnenClick(); });
    Projektspeichern1 = action(Menu_Projekt, "Projektspeichern1", kSave, [this] { Projektspeichern1Click(); });
    Projektspeichernunter1 =
        action(Menu_Projekt, "Projektspeichernunter1", kSaveAs, [this] { Projektspeichernunter1Click(); });
    Menu_Projekt->addSeparator();
    Menu_Projekt_VRML = action(Menu_Projekt, "Menu_Projekt_VRML", kVrml, [this] { VRML_DarstellungClick(); });
    createReportAction = action(Menu_Projekt, "createReportAction", kReport, [this] { createReportClick(); });
    exportSceneAction_ = action(Menu_Projekt, "exportSceneAction", kExportScene, [this] { exportSceneClick(); });
    Menu_Projekt->addSeparator();
    Programmbeenden1 = action(Menu_Projekt, "Programmbeenden1", kQuit, [this] { close(); });

    Menu_Simulation = menu("Menu_Simulation", kMenuSimulation);
    Menu_Schnelldurchlauf =
        action(Menu_Simulation, "Menu_Schnelldurchlauf", kFastRun, [this] { HauptauswahlClick(3); });
    Menu_SimulationslisteErstellen = action(Menu_Simulation, "Menu_SimulationslisteErstellen", kList,
                                            [this] { Menu_SimulationslisteErstellenClick(); });
    Menu_Sonnenstandsdiagramm = action(Menu_Simulation, "Menu_Sonnenstandsdiagramm", kSunPath,
                                       [this] { Menu_SonnenstandsdiagrammClick(); });

    Menu_Export = menu("Menu_Export", kMenuExport);
    Menu_export_export = action(Menu_Export, "Menu_export_export", kExport, [this] { Menu_export_exportClick(); });

    Menu_Einstellungen = menu("Menu_Einstellungen", kMenuSettings);
    VRML1 = action(Menu_Einstellungen, "VRML1", kVrml1,
                   [this] { settingsWindow_->present(TEinstellungen::Group::Vrml); });
    Arbeitsverzeichnis1 = action(Menu_Einstellungen, "Arbeitsverzeichnis1", kWorkingFolder,
                                 [this] { settingsWindow_->present(TEinstellungen::Group::Folder); });
    Spracheanpassen1 = action(Menu_Einstellungen, "Spracheanpassen1", kLanguage, [this] { Spracheanpassen1Click(); });
    Menue_3d_deaktivieren =
        action(Menu_Einstellungen, "Menue_3d_deaktivieren", k3d, [this] { Menue_3d_deaktivierenClick(); });
    Menue_3d_deaktivieren->setCheckable(true);

    Hilfe1 = menu("Hilfe1", kMenuHelp);
    PenumbroHilfe1 = action(Hilfe1, "PenumbroHilfe1", kHelp, [this] { PenumbroHilfe1Click(); });
    // The desktop's usual keys; help (F1 at least) anywhere in the program.
    Menu_Projekt_Neu->setShortcuts(QKeySequence::New);
    Menu_Projekt_Oeffnen->setShortcuts(QKeySequence::Open);
    Projektspeichern1->setShortcuts(QKeySequence::Save);
    // Desktops whose key scheme has none for these get the usual ones of this platform.
    const auto standardOr = [](QKeySequence::StandardKey key, const char* otherwise) {
        QList<QKeySequence> keys = QKeySequence::keyBindings(key);
        if (keys.isEmpty()) keys << QKeySequence(QString::fromLatin1(otherwise));
        return keys;
    };
    Projektspeichernunter1->setShortcuts(standardOr(QKeySequence::SaveAs, "Ctrl+Shift+S"));
    Programmbeenden1->setShortcuts(standardOr(QKeySequence::Quit, "Ctrl+Q"));
    QList<QKeySequence> help = QKeySequence::keyBindings(QKeySequence::HelpContents);
    if (!help.contains(QKeySequence(Qt::Key_F1))) help.prepend(QKeySequence(Qt::Key_F1));
    PenumbroHilfe1->setShortcuts(help);
    PenumbroHilfe1->setShortcutContext(Qt::ApplicationShortcut);
}

void TMainForm::SpracheAnpassen() {
    const Language l = state_.language;
    captions_.apply(l);
    for (int i = 0; i < 3; ++i) {
        ModePanel* p = panels_[i];
        p->setMinimumWidth(p->fontMetrics().horizontalAdvance(p->text()) + 2 * p->frameWidth() + 12);
        p->setToolTip(p->text() + tx(kModeButton, l) +
                      QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)).toString(QKeySequence::NativeText) +
                      QLatin1Char(')'));
    }
    if (sunPath_) sunPath_->SpracheAnpassen(l);

    settingsWindow_->SpracheAnpassen(l);
    fastRun_->SpracheAnpassen(l);
    simList_->SpracheAnpassen(l);
    online_->SpracheAnpassen(l);
    editor_->SpracheAnpassen();
    export_->SpracheAnpassen(l);
    dataSheet_->SpracheAnpassen(l);
    refreshEditor();

    // Buttons without a letter of their own get one; the menu bar's letters stay the menus'.
    QString menuLetters;
    for (QMenu* m : {Menu_Projekt, Menu_Simulation, Menu_Export, Menu_Einstellungen, Hilfe1})
        menuLetters += mnemonicOf(m->title());
    // Each page, and each editor panel (one shown at a time), is a scope of its own.
    const auto ownScope = [this](const QWidget* w) {
        return w->parentWidget() == pages_ || qobject_cast<const EditorForm*>(w) != nullptr;
    };
    giveMnemonics(this, ownScope, menuLetters);
    for (QWidget* dialog : std::initializer_list<QWidget*>{settingsWindow_, export_, simList_}) giveMnemonics(dialog);
}

void TMainForm::start(const QString& argument) {
    state_.settings = readSettingsFile(state_.settingsPath());
    settingsWindow_->takeBrowserSetting();
    state_.vrmlBrowser = state_.settings.browserPath;

    if (state_.settings.language.empty()) {
        state_.language = Language::German;
        dialogs_.exec(*language_);
    } else {
        state_.language = languageOfLetter(state_.settings.language.substr(0, 1)).value_or(Language::German);
    }
    installQtTranslations(state_.language);
    SpracheAnpassen();

    const QString standardDir = fromPath(standardWorkingDirectory(state_.configDir));
    if (state_.settings.otherDirectory.empty()) {
        settingsWindow_->markFolder(true, QString());
        QDir::setCurrent(standardDir);
    } else {
        const QString other = fromPath(state_.settings.otherDirectory);
        settingsWindow_->markFolder(false, other);
        if (QFileInfo(other).isDir()) {
            QDir::setCurrent(other);
        } else {
            const Language l = state_.language;
            dialogs_.warning(this, tx(kFolderMissing1, l) + QLatin1Char('\'') + other + QLatin1Char('\'') +
                                       tx(kFolderMissing2, l) + QLatin1Char('\n') + tx(kFolderMissing3, l));
            QDir::setCurrent(standardDir);
            settingsWindow_->clearFolderChoice();
        }
    }

    state_.preview3d = state_.settings.preview3d == "1";
    checkClockRate(state_, dialogs_, this);
    Menue_3d_deaktivieren->setChecked(state_.settings.preview3d == "0");
    editor_->createPreview();

    resetToNewProject(state_.project);
    HauptauswahlClick(1);

    if (!argument.isEmpty()) {
        const QFileInfo info(argument);
        if (info.isDir()) {
            QDir::setCurrent(info.absoluteFilePath());
            settingsWindow_->clearFolderChoice();
        } else if (info.isFile() && argument.right(4).toLower() == QStringLiteral(".dat")) {
            loadProject(info.absoluteFilePath());
        } else if (!info.exists()) {
            dialogs_.warning(this, tx(kArgumentMissing1, state_.language) + argument + tx(kArgumentMissing2, state_.language));
        }
    }
    state_.project.original = state_.project.daten;
    setOutputName();
    refreshEditor();
    updateTitle();
}

void TMainForm::updateTitle() {
    // "[*]" is where the unsaved-changes mark appears.
    setWindowTitle((isUnnamed(state_.project.fileName) ? QStringLiteral("Penumbro")
                                                       : fromPath(captionFor(state_.project.fileName))) +
                   QStringLiteral("[*]"));
    setWindowModified(textChanged(state_.project.original, state_.project.daten));
}

void TMainForm::setOutputName() {
    state_.outputBase = isUnnamed(state_.project.fileName)
                            ? toPath(QDir::current().absoluteFilePath(QString::fromLatin1(kUnnamedBase)))
                            : state_.project.baseName;
}

void TMainForm::refreshEditor() {
    editor_->ListeAufbauen();
    if (dataSheet_->isVisible()) dataSheet_->refresh();
}

void TMainForm::showPage(int panel) {
    for (int i = 0; i < 3; ++i) panels_[i]->setSelected(i + 1 == panel);
    active_ = panel;
    if (panel == 1) {
        refreshEditor();
        pages_->setCurrentWidget(editorPage_);
    } else if (panel == 2) {
        selectRunMode(state_.params, false);
        pages_->setCurrentWidget(online_);
    } else {
        selectRunMode(state_.params, true);
        pages_->setCurrentWidget(fastRun_);
        fastRun_->Vorbereitung();
    }
}

void TMainForm::HauptauswahlClick(int panel) {
    const TargetCheckResult check = checkTargets(state_.project.daten);
    if (panel == active_) return;
    const Language l = state_.language;
    if (active_ == 3) {
        fastRun_->ParameterMerken();
        if (!state_.simulationIdle) {
            if (dialogs_.question(this, tx(kCancelRun, l), QMessageBox::Yes | QMessageBox::No) !=
                QMessageBox::Yes)
                return;
            state_.simulationIdle = true;
            state_.abortRequest = true;
        }
    }
    if (panel != 1) {
        switch (check.status) {
        case TargetStatus::NoTarget:
            dialogs_.warning(this, fromCp1252(noTargetMessage(l)));
            return;
        case TargetStatus::PlanesDiffer:
            dialogs_.warning(this, tx(kNotOnePlane, l));
            return;
        case TargetStatus::Unreadable:
            // A text the editor cannot read cannot be simulated either.
            dialogs_.warning(this, errorMessage(*check.error, l));
            return;
        case TargetStatus::OnePlane:
            break;
        }
    }
    // The online view computes the text as it stands; one it cannot compute keeps the mode.
    if (panel == 2 && !online_->NeuStart()) return;
    showPage(panel);
}

bool TMainForm::loadProject(const QString& path) {
    try {
        const LoadedProject loaded = openProject(state_.project, toPath(path));
        if (loaded.converted) dialogs_.information(this, tx({kPreviousVersionNotice, kPreviousVersionNotice}, Language::German));
        if (loaded.fromUtf8)
            dialogs_.information(this, errorMessage(InputError(toPath(path), 0, ErrorId::ProjectTextUtf8), state_.language));
    } catch (const InputError& e) {
        dialogs_.warning(this, errorMessage(e, state_.language));
        return false;
    }
    updateTitle();
    const QString dir = QFileInfo(path).absolutePath();
    fastRun_->setInitialDirectory(dir);
    setOutputName();
    return true;
}

void TMainForm::Menu_Projekt_NeuClick() {
    if (ProjektGeaendert()) return;
    resetToNewProject(state_.project);
    setOutputName();
    HauptauswahlClick(1);
    refreshEditor();
    updateTitle();
}

void TMainForm::Menu_Projekt_OeffnenClick() {
    if (ProjektGeaendert()) return;
    QString chosen = dialogs_.getOpenFileName(this, QString(), projectFolder(state_), tx(kDataFilter, state_.language));
    if (chosen.isEmpty()) return;
    if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".dat");
    if (!loadProject(chosen)) return;
    HauptauswahlClick(1);
    state_.project.original = state_.project.daten;
    refreshEditor();
    editor_->selectRow(0);
    updateTitle();
}

bool TMainForm::Projektspeichern1Click() {
    if (isUnnamed(state_.project.fileName)) return Projektspeichernunter1Click();
    try {
        saveProjectFile(state_.project.fileName, state_.project.daten);
    } catch (const InputError& e) {
        dialogs_.warning(this, errorMessage(e, state_.language));
        return false;
    }
    state_.project.original = state_.project.daten;
    updateTitle();
    return true;
}

bool TMainForm::Projektspeichernunter1Click() {
    const Language l = state_.language;
    QString initial = isUnnamed(state_.project.fileName) ? projectFolder(state_) : fromPath(state_.project.fileName);
    for (;;) {
        QString chosen = dialogs_.getSaveFileName(this, QString(), initial, QStringLiteral("*.dat|*.dat"));
        if (chosen.isEmpty()) return false;
        if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".dat");
        if (QFileInfo::exists(chosen)) {
            const auto answer = dialogs_.message(this, QMessageBox::Information, QStringLiteral("Penumbro"),
                                                 tx(kExists, l),
                                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Abort);
            if (answer == QMessageBox::No) {
                initial = chosen;
                continue;
            }
            if (answer != QMessageBox::Yes) return false;
        }
        try {
            saveProjectAs(state_.project, toPath(chosen));
        } catch (const InputError& e) {
            dialogs_.warning(this, errorMessage(e, state_.language));
            return false;
        }
        updateTitle();
        fastRun_->setInitialDirectory(QFileInfo(chosen).absolutePath());
        setOutputName();
        return true;
    }
}

bool TMainForm::ProjektGeaendert() {
    if (state_.project.original.size() < 2) return false;
    if (!textChanged(state_.project.original, state_.project.daten)) return false;
    const auto answer = dialogs_.question(this, tx(kChanged, state_.language),
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Abort);
    if (answer == QMessageBox::Yes) {
        // A save that failed keeps the program where it is, so the edits are not lost;
        // a save-as dialog the user cancels drops them, as the question said.
        const bool unnamed = isUnnamed(state_.project.fileName);
        const bool saved = Projektspeichern1Click();
        return !saved && !unnamed;
    }
    return answer != QMessageBox::No;
}

void TMainForm::VRML_DarstellungClick() {
    std::string base = vrmlBaseName(state_.project.fileName, toPath(QDir::currentPath()));
    // An unnamed project's world is named in the user's language, in the working folder.
    if (isUnnamed(state_.project.fileName) && state_.language == Language::English)
        base = toPath(QDir::current().absoluteFilePath(QStringLiteral("untitled")));
    std::string wrl;
    try {
        wrl = VrmlDateiSchreiben(state_.project.daten, base, vrmlTexts(state_.language), state_.project.fileName);
    } catch (const InputError& e) {
        dialogs_.warning(this, errorMessage(e, state_.language));
        return;
    }
    if (!openVrmlWorld(dialogs_, state_.vrmlBrowser, wrl))
        dialogs_.warning(this, fromCp1252(noPlayerMessage(state_.language)).replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

void TMainForm::createReportClick() {
    const std::string& file = state_.project.fileName;
    const std::string proposal =
        (file.empty() ? toPath(QDir::currentPath()) + "/report" : withoutExtension(file)) + "_report.html";
    const QString chosen =
        dialogs_.getSaveFileName(this, QString(tx(kReport, state_.language)).remove(QLatin1Char('&')), fromPath(proposal), QStringLiteral("*.html|*.html"));
    if (chosen.isEmpty()) return;
    ReportRequest request;
    request.text = state_.project.daten;
    request.projectFile = file.empty() ? std::string("report.dat") : file;
    request.params = state_.params;
    request.createdAt = reportCreatedAt();
    try {
        writeFileAtomically(toPath(chosen), makeReport(request, state_.language));
    } catch (const InputError& e) {
        dialogs_.warning(this, errorMessage(e, state_.language));
        return;
    }
    dialogs_.openFile(toPath(chosen));
}

void TMainForm::exportSceneClick() {
    const QString proposed = fromPath(withoutExtension(state_.project.fileName) + ".glb");
    const QString file = dialogs_.getSaveFileName(this, QString(tx(kExportScene, state_.language)).remove(QLatin1Char('&')), proposed,
                                                  tx(kGltfFilter, state_.language));
    if (file.isEmpty()) return;
    try {
        exportSceneGltf(state_.project.daten, state_.project.fileName, toPath(file));
    } catch (const InputError& e) {
        dialogs_.warning(this, errorMessage(e, state_.language));
    }
}

void TMainForm::Menu_export_exportClick() { export_->present(); }

void TMainForm::Menu_SonnenstandsdiagrammClick() {
    if (!sunPath_) {
        sunPath_ = new TSunPathWindow(state_, dialogs_, this);
        giveMnemonics(sunPath_);
    }
    sunPath_->present();
}

void TMainForm::Menue_3d_deaktivierenClick() {
    state_.settings.preview3d = state_.settings.preview3d == "1" ? "0" : "1";
    Menue_3d_deaktivieren->setChecked(state_.settings.preview3d == "0");
    try {
        saveSettings(state_);
    } catch (const InputError& e) {
        dialogs_.warning(this, errorMessage(e, state_.language));
    }
    dialogs_.information(this, tx(kRestart, state_.language));
}

void TMainForm::Spracheanpassen1Click() {
    const Language current = state_.language;
    dialogs_.exec(*language_);
    // The new language is saved; the running windows keep theirs until the next start.
    state_.language = current;
    dialogs_.message(this, QMessageBox::Information, fromCp1252(kLanguageTitle), fromCp1252(kLanguageText),
                     QMessageBox::Ok);
}

QString TMainForm::helpFile() const {
    const QString chm = fromPath(state_.programDir) +
                        (state_.language == Language::English ? QStringLiteral("penumbro_e.chm") : QStringLiteral("penumbro_d.chm"));
    if (QFileInfo::exists(chm)) return chm;
    const QString manual = state_.language == Language::English ? QStringLiteral("manual_en.html") : QStringLiteral("manual_de.html");
    const QString program = fromPath(state_.programDir);
    for (const QString& dir : {program + QStringLiteral("../share/penumbro/doc/"), program + QStringLiteral("doc/"),
                               QStringLiteral(PENUMBRO_DOCS_DIR "/")}) {
        if (QFileInfo::exists(dir + manual)) return dir + manual;
    }
    return {};
}

void TMainForm::PenumbroHilfe1Click() {
    const QString file = helpFile();
    if (file.endsWith(QStringLiteral(".chm"))) {
        dialogs_.openFile(toPath(file));
        return;
    }
    if (file.isEmpty()) return;
    // The manual in a window of its own, so it needs no browser.
    if (!helpWindow_) {
        auto* browser = new QTextBrowser;
        browser->setObjectName(QStringLiteral("Hilfe"));
        browser->setOpenExternalLinks(true);
        browser->setWindowFlag(Qt::Window);
        browser->setParent(this, Qt::Window);
        helpWindow_ = browser;
    }
    auto* browser = static_cast<QTextBrowser*>(helpWindow_);
    browser->setWindowTitle(tx(kHelp, state_.language).remove(QLatin1Char('&')));
    browser->setSource(QUrl::fromLocalFile(file));
    if (!browser->isVisible()) {
        // Over the main window but wholly on its screen, room left for the frame.
        const QRect screen = this->screen()->availableGeometry();
        QRect area(QPoint(), QSize(760, 640).boundedTo(screen.size() - QSize(40, 60)));
        area.moveCenter(frameGeometry().center());
        area.moveLeft(std::clamp(area.left(), screen.left() + 20, screen.right() - 20 - area.width()));
        area.moveTop(std::clamp(area.top(), screen.top() + 40, screen.bottom() - 20 - area.height()));
        browser->setGeometry(area);
    }
    browser->show();
    browser->raise();
}

void TMainForm::Menu_SimulationslisteErstellenClick() { dialogs_.exec(*simList_); }

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == pagesScroll_->viewport() && event->type() == QEvent::Resize) ||
        (watched == pages_ && event->type() == QEvent::LayoutRequest)) {
        // The pages fill the area, down to their smallest size; below it they scroll.
        const QSize size = pagesScroll_->viewport()->size().expandedTo(pages_->minimumSizeHint());
        pagesScroll_->widget()->resize(size);
        pages_->setGeometry(QRect(QPoint(), size));
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!state_.simulationIdle) {
        state_.pauseRequest = true;
        const bool quit = dialogs_.question(this, tx(kQuitWhileRunning, state_.language),
                                            QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        state_.pauseRequest = false;
        if (!quit) {
            event->ignore();
            return;
        }
        // The run stops within one instant; the window closes at once, without
        // showing the idle page first.
        state_.abortRequest = true;
        fastRun_->waitForWorker();
        state_.simulationIdle = true;
    }
    if (ProjektGeaendert()) {
        event->ignore();
        return;
    }
    state_.abortRequest = true;
    fastRun_->waitForWorker();
    event->accept();
}

void placeCentred(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) return;
    placeCentred(window, screen->availableGeometry());
}

void placeCentred(QWidget& window, const QRect& area) {
    // Larger than the free area: shrunk to it (frame included), the pages then scroll.
    const QSize frameExtra = window.frameGeometry().size() - window.size();
    const QSize fitting = window.size().boundedTo(area.size() - frameExtra).expandedTo(window.minimumSizeHint());
    if (fitting != window.size()) window.resize(fitting);
    const QRect frame = window.frameGeometry();
    window.move(area.left() + std::max(0, (area.width() - frame.width()) / 2),
                area.top() + std::max(0, (area.height() - frame.height()) / 2));
}

}  // namespace penumbro::ui
