#include "ui/Datenblatt.h"

#include "ui/AppState.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace penumbro::ui {

TDatenblatt::TDatenblatt(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("Datenblatt"));
    Daten = new QPlainTextEdit;
    Daten->setObjectName(QStringLiteral("Daten"));
    Daten->setReadOnly(true);
    Daten->setLineWrapMode(QPlainTextEdit::NoWrap);
    Daten->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Button1 = new QPushButton;
    Button1->setObjectName(QStringLiteral("Button1"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Daten);
    layout->addWidget(Button1, 0, Qt::AlignRight);
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
    resize(640, 560);
    SpracheAnpassen(Language::German);
}

void TDatenblatt::SpracheAnpassen(Language language) {
    setWindowTitle(QStringLiteral("Datenblatt"));
    Button1->setText(tx({"Schlie\xDF" "en", "Close"}, language));
}

void TDatenblatt::refresh() {
    QStringList lines;
    for (const std::string& line : state_.project.daten) lines << fromCp1252(line);
    Daten->setPlainText(lines.join(QLatin1Char('\n')));
}

}  // namespace penumbro::ui
