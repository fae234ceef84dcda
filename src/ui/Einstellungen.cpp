#include "ui/Einstellungen.h"

#include "project/InputError.h"
#include "ui/AppState.h"
#include "project/ConfigPaths.h"
#include "ui/Dialogs.h"
#include "ui/FormParts.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace penumbro::ui {

namespace {

const Tx kCaption{"Einstellungen", "Settings"};
const Tx kVrmlBox{"Browser f\xFCr VRML Darstellung", "Browser for the VRML view"};
const Tx kRadio1{"&Standard - Browser", "&Standard browser"};
const Tx kRadio2{"&anderer Browser:", "&other browser:"};
const Tx kFolderBox{"Penumbro-Arbeitsverzeichnis", "Penumbro working folder"};
const Tx kRadio3{"&Standard - Arbeitsverzeichnis", "&Standard working folder"};
const Tx kRadio4{"&anderes Verzeichnis:", "&other folder:"};
const Tx kOk{"OK", "OK"};
const Tx kCancel{"Abbrechen", "Cancel"};
const Tx kSearch{"S&uchen ...", "&Browse ..."};
// This desktop keeps its associations in its MIME database, not in a registry.
const Tx kNoBrowser{"- kein Standard-VRML-Browser auf diesem Desktop eingetragen -",
                    "- no standard VRML viewer is registered on this desktop -"};
const Tx kFileText{"Die Datei ", "The file "};
const Tx kNotFound{" wurde nicht gefunden.", " was not found."};
const Tx kFolder{"Das Verzeichnis ", "The directory "};
const Tx kBrowserFilter{"Anwendungen|*|Alle Dateien (*.*)|*.*", "Applications|*|All files (*.*)|*.*"};

}  // namespace

TEinstellungen::TEinstellungen(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Einstellungen"));
    captions_.addTitle(this, kCaption);
    // Both groups: the standard choice with its value shown read-only, the other choice
    // with its own field and a search button.
    auto group = [&](const std::array<const char*, 6>& names, const std::array<const Tx*, 3>& texts, QGroupBox*& box,
                     QRadioButton*& standard, QLineEdit*& standardValue, QRadioButton*& other, QLineEdit*& otherValue,
                     QPushButton*& search) {
        box = captions_.add(named(new QGroupBox, names[0]), *texts[0]);
        standard = captions_.add(named(new QRadioButton, names[1]), *texts[1]);
        standardValue = named(new QLineEdit, names[2]);
        standardValue->setReadOnly(true);
        other = captions_.add(named(new QRadioButton, names[3]), *texts[2]);
        otherValue = named(new QLineEdit, names[4]);
        search = captions_.add(named(new QPushButton, names[5]), kSearch);
        auto* grid = new QGridLayout(box);
        grid->addWidget(standard, 0, 0);
        grid->addWidget(standardValue, 1, 0, 1, 2);
        grid->addWidget(other, 2, 0);
        grid->addWidget(otherValue, 3, 0);
        grid->addWidget(search, 3, 1);
    };
    group({"VRML_Box", "RadioButton1", "Standard_Browser", "RadioButton2", "VRML_Browser", "Browser_Suchen"},
          {&kVrmlBox, &kRadio1, &kRadio2}, VRML_Box, RadioButton1, Standard_Browser, RadioButton2, VRML_Browser,
          Browser_Suchen);
    group({"Verz_Box", "RadioButton3", "Edit2", "RadioButton4", "Arbeitsverz", "Verz_Suchen"},
          {&kFolderBox, &kRadio3, &kRadio4}, Verz_Box, RadioButton3, Edit2, RadioButton4, Arbeitsverz, Verz_Suchen);

    BitBtn1 = captions_.add(named(new QPushButton, "BitBtn1"), kOk);
    BitBtn2 = captions_.add(named(new QPushButton, "BitBtn2"), kCancel);
    BitBtn1->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(VRML_Box);
    layout->addWidget(Verz_Box);
    layout->addLayout(buttons);
    setMinimumWidth(520);

    RadioButton1->setChecked(true);
    RadioButton3->setChecked(true);
    VRML_Browser->setEnabled(false);
    Arbeitsverz->setEnabled(false);
    connect(RadioButton2, &QRadioButton::toggled, VRML_Browser, &QLineEdit::setEnabled);
    connect(RadioButton4, &QRadioButton::toggled, Arbeitsverz, &QLineEdit::setEnabled);
    connect(BitBtn1, &QPushButton::clicked, this, &TEinstellungen::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TEinstellungen::BitBtn2Click);
    connect(Browser_Suchen, &QPushButton::clicked, this, &TEinstellungen::Browser_SuchenClick);
    connect(Verz_Suchen, &QPushButton::clicked, this, &TEinstellungen::Verz_SuchenClick);
    hideGroups();
    SpracheAnpassen(Language::German);
}

void TEinstellungen::SpracheAnpassen(Language language) {
    language_ = language;
    captions_.apply(language);
}

void TEinstellungen::takeBrowserSetting() {
    const bool standard = state_.settings.browserChoice != kOtherBrowser;
    RadioButton1->setChecked(standard);
    RadioButton2->setChecked(!standard);
    VRML_Browser->setText(fromPath(state_.settings.browserPath));
    VRML_Browser->setEnabled(!standard);
}

void TEinstellungen::markFolder(bool standard, const QString& other) {
    RadioButton3->setChecked(standard);
    RadioButton4->setChecked(!standard);
    Arbeitsverz->setText(other);
    Arbeitsverz->setEnabled(!standard);
}

void TEinstellungen::clearFolderChoice() {
    // Both radio buttons off needs the exclusive grouping suspended.
    for (QRadioButton* r : {RadioButton3, RadioButton4}) {
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
}

void TEinstellungen::hideGroups() {
    VRML_Box->hide();
    Verz_Box->hide();
}

void TEinstellungen::openFor() {
    if (RadioButton1->isChecked()) {
        Standard_Browser->setText(fromPath(StandardBrowserSuchen(dialogs_)));
        if (Standard_Browser->text().isEmpty()) Standard_Browser->setText(tx(kNoBrowser, language_));
    }
    oldBrowser_ = VRML_Browser->text();
    oldStandardBrowser_ = RadioButton1->isChecked();
    oldFolder_ = Arbeitsverz->text();
    oldStandardFolder_ = RadioButton3->isChecked();
    Edit2->setText(fromPath(standardWorkingDirectory(state_.configDir)));
}

void TEinstellungen::present(Group group) {
    hideGroups();
    group_ = group;
    (group == Group::Vrml ? VRML_Box : Verz_Box)->show();
    openFor();
    adjustSize();
    dialogs_.exec(*this);
    hideGroups();
}

void TEinstellungen::save() {
    try {
        saveSettings(state_);
    } catch (const InputError& e) {
        dialogs_.warning(this, errorMessage(e, language_));
    }
}

void TEinstellungen::BitBtn1Click() {
    if (group_ == Group::Vrml) {
        const QString path = VRML_Browser->text();
        if (RadioButton2->isChecked() && !QFileInfo(path).isFile()) {
            dialogs_.warning(this, tx(kFileText, language_) + QLatin1Char('\'') + path + QLatin1Char('\'') +
                                       tx(kNotFound, language_));
            return;
        }
        state_.vrmlBrowser = RadioButton2->isChecked() ? toPath(path) : std::string();
        state_.settings.browserChoice = RadioButton2->isChecked() ? kOtherBrowser : kStandardBrowser;
        state_.settings.browserPath = state_.vrmlBrowser;
        save();
        accept();
        return;
    }
    const QString dir = Arbeitsverz->text();
    if (RadioButton4->isChecked() && !QFileInfo(dir).isDir()) {
        dialogs_.warning(this, tx(kFolder, language_) + QLatin1Char('\'') + dir + QLatin1Char('\'') +
                                   tx(kNotFound, language_));
        return;
    }
    if (RadioButton4->isChecked()) {
        QDir::setCurrent(dir);
        state_.settings.directoryChoice = kOtherDirectory;
        state_.settings.otherDirectory = toPath(dir);
    } else {
        QDir::setCurrent(fromPath(standardWorkingDirectory(state_.configDir)));
        state_.settings.directoryChoice = kStandardDirectory;
        state_.settings.otherDirectory.clear();
    }
    save();
    accept();
}

void TEinstellungen::BitBtn2Click() { reject(); }

// Cancel, Escape and the window's close button alike: the saved choices come back.
void TEinstellungen::reject() {
    VRML_Browser->setText(oldBrowser_);
    RadioButton1->setChecked(oldStandardBrowser_);
    RadioButton2->setChecked(!oldStandardBrowser_);
    VRML_Browser->setEnabled(!oldStandardBrowser_);
    Arbeitsverz->setText(oldFolder_);
    RadioButton3->setChecked(oldStandardFolder_);
    RadioButton4->setChecked(!oldStandardFolder_);
    Arbeitsverz->setEnabled(!oldStandardFolder_);
    QDialog::reject();
}

void TEinstellungen::Browser_SuchenClick() {
    const QString file = dialogs_.getOpenFileName(this, QString(), VRML_Browser->text(), tx(kBrowserFilter, language_));
    if (file.isEmpty()) return;
    RadioButton2->setChecked(true);
    VRML_Browser->setText(file);
}

void TEinstellungen::Verz_SuchenClick() {
    const QString dir = dialogs_.getExistingDirectory(this, tx(kFolderBox, language_), QDir::currentPath());
    if (dir.isEmpty()) return;
    RadioButton4->setChecked(true);
    Arbeitsverz->setEnabled(true);
    Arbeitsverz->setText(dir);
}

}  // namespace penumbro::ui
