#include "ui/ModelImportDialog.h"

#include "project/InputError.h"
#include "project/Numbers.h"
#include "ui/Dialogs.h"
#include "ui/FormParts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace penumbro::ui {

namespace {

const Tx kTitle{"3D-Modell importieren", "Import 3D model"};
const Tx kFile{"Modelldatei:", "Model file:"};
const Tx kBrowse{"Durchsuchen ...", "Browse ..."};
const Tx kFormat{"Format:", "Format:"};
const Tx kOrigin{"Ursprung (Ost, Nord, H\xF6he):", "Origin (east, north, height):"};
const Tx kOriginHint{"leer: Mitte des Stadtmodells bzw. Ursprung des Modells",
                     "empty: centre of the city model or the model's origin"};
const Tx kUp{"Achse nach oben:", "Up axis:"};
const Tx kScale{"Meter je Modelleinheit:", "Metres per model unit:"};
const Tx kRadius{"Umkreis (m):", "Radius (m):"};
const Tx kRadiusHint{"leer: alle Fl\xE4" "chen", "empty: every face"};
const Tx kLod{"Detailstufe (CityGML):", "Level of detail (CityGML):"};
const Tx kStandard{"Standard", "default"};
const Tx kHighest{"h\xF6" "chste", "highest"};
const Tx kFilter{"3D-Modelle|*.gml *.xml *.obj *.gltf *.glb *.dae *.stl *.3ds|Alle Dateien|*.*",
                 "3D models|*.gml *.xml *.obj *.gltf *.glb *.dae *.stl *.3ds|All files|*.*"};

QLineEdit* edit(const char* name, const QString& text = {}) { return named(new QLineEdit(text), name); }

QComboBox* combo(const char* name, const QStringList& items) {
    auto* c = named(new QComboBox, name);
    c->addItems(items);
    return c;
}

double number(const QLineEdit* field, const Tx& label, Language language) {
    const auto v = parseNumber(trimBlanks(toCp1252(field->text())));
    if (!v) throw InputError({ErrorId::ArgumentNotNumber, {toCp1252(tx(label, language)), toCp1252(field->text())}});
    return *v;
}

}  // namespace

ModelImportDialog::ModelImportDialog(Dialogs& dialogs, Language language, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), language_(language) {
    setObjectName(QStringLiteral("ModelImportDialog"));
    setWindowTitle(tx(kTitle, language));
    modelFile_ = edit("modelFile");
    auto* browseButton = new QPushButton(tx(kBrowse, language));
    browseButton->setObjectName(QStringLiteral("browseButton"));
    connect(browseButton, &QPushButton::clicked, this, &ModelImportDialog::browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(modelFile_);
    fileRow->addWidget(browseButton);
    format_ = combo("format", {QStringLiteral("auto"), QStringLiteral("citygml"), QStringLiteral("obj"),
                               QStringLiteral("gltf"), QStringLiteral("dae"), QStringLiteral("stl"), QStringLiteral("3ds")});
    origin_ = edit("origin");
    origin_->setPlaceholderText(tx(kOriginHint, language));
    upAxis_ = combo("upAxis", {tx(kStandard, language), QStringLiteral("y"), QStringLiteral("z")});
    scale_ = edit("scale", QStringLiteral("1"));
    radius_ = edit("radius");
    radius_->setPlaceholderText(tx(kRadiusHint, language));
    lod_ = combo("lod", {tx(kHighest, language), QStringLiteral("1"), QStringLiteral("2")});

    auto* form = new QFormLayout;
    form->addRow(tx(kFile, language), fileRow);
    form->addRow(tx(kFormat, language), format_);
    form->addRow(tx(kOrigin, language), origin_);
    form->addRow(tx(kUp, language), upAxis_);
    form->addRow(tx(kScale, language), scale_);
    form->addRow(tx(kRadius, language), radius_);
    form->addRow(tx(kLod, language), lod_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setLayout(form);
}

void ModelImportDialog::browse() {
    const QString file =
        dialogs_.getOpenFileName(this, tx(kTitle, language_), modelFile_->text(), tx(kFilter, language_));
    if (!file.isEmpty()) modelFile_->setText(file);
}

std::string ModelImportDialog::modelPath() const { return toPath(modelFile_->text()); }

ImportOptions ModelImportDialog::importOptions() const {
    ImportOptions o;
    o.format = modelFormatNamed(format_->currentText().toStdString()).value_or(ModelFormat::Auto);
    if (!origin_->text().trimmed().isEmpty()) {
        const QStringList parts = origin_->text().split(QLatin1Char(','));
        if (parts.size() != 3) {
            throw InputError({ErrorId::ArgumentNotNumber, {toCp1252(tx(kOrigin, language_)), toCp1252(origin_->text())}});
        }
        double v[3];
        for (int i = 0; i < 3; ++i) {
            const auto n = parseNumber(trimBlanks(toCp1252(parts[i])));
            if (!n) throw InputError({ErrorId::ArgumentNotNumber, {toCp1252(tx(kOrigin, language_)), toCp1252(parts[i])}});
            v[i] = *n;
        }
        o.origin = Vec3{v[0], v[1], v[2]};
    }
    if (upAxis_->currentIndex() > 0) o.up = upAxis_->currentIndex() == 1 ? UpAxis::Y : UpAxis::Z;
    o.scale = number(scale_, kScale, language_);
    if (!radius_->text().trimmed().isEmpty()) o.radius = number(radius_, kRadius, language_);
    o.lod = lod_->currentIndex();
    return o;
}

}  // namespace penumbro::ui
