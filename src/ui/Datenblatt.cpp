#include "ui/Datenblatt.h"

#include "ui/AppState.h"
#include "ui/FormParts.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace penumbro::ui {

namespace {
const Tx kTitle{"Datenblatt", "Datenblatt"};
const Tx kClose{"Schlie\xDF" "en", "Close"};
}  // namespace

TDatenblatt::TDatenblatt(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("Datenblatt"));
    Daten = named(new QPlainTextEdit, "Daten");
    Daten->setReadOnly(true);
    Daten->setLineWrapMode(QPlainTextEdit::NoWrap);
    Daten->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    captions_.addTitle(this, kTitle);
    Button1 = captions_.add(named(new QPushButton, "Button1"), kClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Daten);
    layout->addWidget(Button1, 0, Qt::AlignRight);
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
    resize(640, 560);
    SpracheAnpassen(Language::German);
}

void TDatenblatt::SpracheAnpassen(Language language) {
    captions_.apply(language);
}

void TDatenblatt::refresh() {
    QStringList lines;
    for (const std::string& line : state_.project.daten) lines << fromCp1252(line);
    Daten->setPlainText(lines.join(QLatin1Char('\n')));
}

}  // namespace penumbro::ui
