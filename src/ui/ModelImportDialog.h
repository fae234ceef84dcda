#pragma once
// The import dialog of the scene editor: the model file and the options of
// "penumbro-cli import". The editor runs the import, shows its summary and commits.

#include "import/ModelImport.h"
#include "project/Language.h"

#include <QDialog>

#include <string>

class QComboBox;
class QLineEdit;

namespace penumbro::ui {

class Dialogs;

class ModelImportDialog : public QDialog {
    Q_OBJECT
public:
    ModelImportDialog(Dialogs& dialogs, Language language, QWidget* parent = nullptr);

    std::string modelPath() const;
    // The options as entered; throws InputError naming the field that does not read.
    ImportOptions importOptions() const;

private:
    void browse();

    Dialogs& dialogs_;
    Language language_;
    QLineEdit* modelFile_;
    QComboBox* format_;
    QLineEdit* origin_;
    QComboBox* upAxis_;
    QLineEdit* scale_;
    QLineEdit* radius_;
    QComboBox* lod_;
};

}  // namespace penumbro::ui
