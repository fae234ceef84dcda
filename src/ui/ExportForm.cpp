#include "ui/ExportForm.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"
#include "ui/AppState.h"
#include "ui/Dialogs.h"
#include "ui/FormParts.h"
#include "views/Export.h"
#include "views/ExportChoice.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace penumbro::ui {

namespace {

const Tx kCaption{"Daten exportieren", "Data export"};
const Tx kGroup{"Format der Exportdatei", "Format of the export file"};
const Tx kText{"TEXT (Monatsdaten spaltenweise, Leerzeichen getrennt)", "TEXT (monthly values in columns)"};
const Tx kSam{"SAM (Verschattungsverluste Monat x Stunde, %)", "SAM (shading losses month x hour, %)"};
const Tx kEnergyPlus{"EnergyPlus (Schedule:File:Shading, aus der .rep-Datei)",
                     "EnergyPlus (Schedule:File:Shading, from the .rep file)"};
const Tx kHourlyCsv{"CSV (jeder Zeitschritt der .rep-Datei)", "CSV (every time step of the .rep file)"};
const Tx kButton1{"Datenexport &verlassen", "E&xit data export"};
const Tx kButton2{"Penumbro Mittelwert-Datei &ausw\xE4hlen", "Se&lect mean value file"};
const Tx kButton3{"&Export in gew\xE4hltem Format", "&Export in selected format"};
const Tx kMitFilter{"Mittelwerte|*.mit", "Mean-Values|*.mit"};
const Tx kSaveTitle{"Exportdatei speichern unter", "Save export file as"};
const Tx kError{kExportErrorCaptionDe, kExportErrorCaptionEn};
const Tx kNoFormat{kExportNoFormatDe, kExportNoFormatEn};
const Tx kDefective{kExportDefectiveDe, kExportDefectiveEn};
const Tx kWritten{"Geschrieben: ", "Written: "};
const Tx kNothingWritten{"Nichts exportiert.", "Nothing exported."};

// The folder a file dialog opens in: that of the given file, else the working folder.
QString folderOf(const std::string& file) {
    return file.empty() ? QDir::currentPath() : QFileInfo(fromPath(file)).absolutePath();
}

}  // namespace

TExportForm::TExportForm(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("ExportForm"));
    captions_.addTitle(this, kCaption);
    S_Filename = named(new QLineEdit, "S_Filename");
    S_Filename->setReadOnly(true);
    RadioGroup1 = captions_.add(named(new QGroupBox, "RadioGroup1"), kGroup);
    const Tx trnsys{"TRNSYS", "TRNSYS"};
    const Tx suncode{"SUNCODE", "SUNCODE"};
    const struct {
        QRadioButton*& button;
        const char* name;
        const Tx& caption;
        ExportFormat format;
    } radios[] = {{Format_Text, "Format_Text", kText, ExportFormat::Text},
                  {Format_Trnsys, "Format_Trnsys", trnsys, ExportFormat::Trnsys},
                  {Format_Suncode, "Format_Suncode", suncode, ExportFormat::Suncode},
                  {Format_Sam, "Format_Sam", kSam, ExportFormat::Sam},
                  {Format_EnergyPlus, "Format_EnergyPlus", kEnergyPlus, ExportFormat::EnergyPlus},
                  {Format_HourlyCsv, "Format_HourlyCsv", kHourlyCsv, ExportFormat::HourlyCsv}};
    formats_ = new QButtonGroup(this);
    auto* radioColumn = new QVBoxLayout(RadioGroup1);
    for (const auto& r : radios) {
        r.button = captions_.add(named(new QRadioButton, r.name), r.caption);
        formats_->addButton(r.button, static_cast<int>(r.format));
        radioColumn->addWidget(r.button);
    }
    Button1 = captions_.add(named(new QPushButton, "Button1"), kButton1);
    Button2 = captions_.add(named(new QPushButton, "Button2"), kButton2);
    Button3 = captions_.add(named(new QPushButton, "Button3"), kButton3);
    Button3->setEnabled(false);
    Button3->setDefault(true);
    Statuszeile = named(new QLabel, "Statuszeile");
    Statuszeile->setWordWrap(true);
    Statuszeile->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(S_Filename, 1);
    fileRow->addWidget(Button2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button3);
    buttons->addStretch();
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addWidget(RadioGroup1);
    layout->addLayout(buttons);
    layout->addWidget(Statuszeile);
    setMinimumWidth(560);

    connect(Button1, &QPushButton::clicked, this, &TExportForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TExportForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TExportForm::Button3Click);
    SpracheAnpassen(Language::German);
}

void TExportForm::SpracheAnpassen(Language language) {
    language_ = language;
    captions_.apply(language);
}

void TExportForm::prepare() {
    // No format is preselected: the last export's choice must not slip into this one.
    formats_->setExclusive(false);
    for (QAbstractButton* b : formats_->buttons()) b->setChecked(false);
    formats_->setExclusive(true);
    const auto mit = isUnnamed(state_.project.fileName)
                         ? std::nullopt
                         : initialMitFile(state_.project.baseName, [](const std::string& f) { return fileExists(f); });
    if (mit) {
        S_Filename->setText(fromPath(*mit));
        Button3->setEnabled(true);
    } else {
        S_Filename->clear();
        Button3->setEnabled(false);
    }
    Statuszeile->clear();
}

void TExportForm::present() {
    prepare();
    dialogs_.exec(*this);
}

void TExportForm::Button1Click() { reject(); }

void TExportForm::Button2Click() {
    // In the project's folder, where its runs write their files.
    const std::string proposal = proposedMitName(state_.project.fileName);
    QString chosen = dialogs_.getOpenFileName(this, QString(), QDir(projectFolder(state_)).filePath(fromPath(proposal)),
                                              tx(kMitFilter, language_));
    if (chosen.isEmpty()) return;
    if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".mit");
    S_Filename->setText(chosen);
    Button3->setEnabled(true);
}

void TExportForm::Button3Click() {
    const int id = formats_->checkedId();
    const ExportChoice choice = chooseExport(
        {id < 0 ? std::nullopt : std::optional(static_cast<ExportFormat>(id)), toPath(S_Filename->text())});
    if (choice.error == ExportChoiceError::NoFormat) {
        dialogs_.message(this, QMessageBox::Warning, tx(kError, language_), tx(kNoFormat, language_),
                         QMessageBox::Ok);
        return;
    }
    if (choice.error != ExportChoiceError::None) return;  // the button waits for a file
    // Beside the file exported from; the window stays open for the next format.
    const QString proposal = QDir(folderOf(choice.inPath)).filePath(fromPath(choice.proposedName));
    const QString target =
        dialogs_.getSaveFileName(this, tx(kSaveTitle, language_), proposal, QStringLiteral("Export|*.*"));
    if (target.isEmpty()) return;
    std::vector<std::string> written;
    try {
        written = performExport(choice, toPath(target), [this] {
            return ExchangeProject{state_.project.daten, state_.project.fileName, state_.params.skyReduction,
                                   static_cast<int>(state_.params.elevationIntervals)};
        });
    } catch (const InputError& e) {
        // A defective file gets the export's own message; the target stays as it was.
        const bool defect = e.detail().id == ErrorId::ExportDefective;
        Statuszeile->setText(tx(kNothingWritten, language_));
        dialogs_.message(this, QMessageBox::Critical, tx(kError, language_),
                         defect ? tx(kDefective, language_) : errorMessage(e, language_), QMessageBox::Ok);
        return;
    }
    QStringList files;
    for (const std::string& f : written) files << QDir::toNativeSeparators(QFileInfo(fromPath(f)).absoluteFilePath());
    Statuszeile->setText(formats_->checkedButton()->text().remove(QLatin1Char('&')).section(QLatin1Char(' '), 0, 0) + QStringLiteral(" - ") +
                         tx(kWritten, language_) + files.join(QStringLiteral(", ")));
}

}  // namespace penumbro::ui
