#include "ui/FormSprache.h"

#include "project/InputError.h"
#include "ui/AppState.h"
#include "ui/Dialogs.h"
#include "ui/FormParts.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace penumbro::ui {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QLabel::mousePressEvent(event);
}

namespace {

// Small flags drawn rather than shipped as pictures.
QPixmap flagPixmap(bool german) {
    QPixmap pix(60, 36);
    QPainter p(&pix);
    if (german) {
        p.fillRect(0, 0, 60, 12, QColor(0, 0, 0));
        p.fillRect(0, 12, 60, 12, QColor(221, 0, 0));
        p.fillRect(0, 24, 60, 12, QColor(255, 206, 0));
    } else {
        p.fillRect(0, 0, 60, 36, QColor(1, 33, 105));
        p.setPen(QPen(Qt::white, 8));
        p.drawLine(0, 0, 60, 36);
        p.drawLine(60, 0, 0, 36);
        p.setPen(QPen(QColor(200, 16, 46), 3));
        p.drawLine(0, 0, 60, 36);
        p.drawLine(60, 0, 0, 36);
        p.fillRect(24, 0, 12, 36, Qt::white);
        p.fillRect(0, 12, 60, 12, Qt::white);
        p.fillRect(26, 0, 8, 36, QColor(200, 16, 46));
        p.fillRect(0, 14, 60, 8, QColor(200, 16, 46));
    }
    return pix;
}

}  // namespace

TFormSprache::TFormSprache(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("FormSprache"));
    setWindowTitle(QStringLiteral("Penumbro"));
    auto* grid = new QGridLayout(this);
    auto* question = named(new QLabel(fromCp1252("W\xE4hlen Sie Ihre Sprache.") + QLatin1Char('\n') +
                                      QStringLiteral("Select your language.")),
                           "Label1");
    question->setAlignment(Qt::AlignCenter);
    grid->addWidget(question, 0, 0, 1, 2);

    auto* flagDe = named(new ClickLabel, "Flagge_Deutsch");
    flagDe->setPixmap(flagPixmap(true));
    auto* flagEn = named(new ClickLabel, "Flagge_Englisch");
    flagEn->setPixmap(flagPixmap(false));
    // The names are buttons, so Tab, Space, Enter and the mnemonics choose as well.
    auto* german = named(new QPushButton(QStringLiteral("&Deutsch")), "Label_Deutsch");
    auto* english = named(new QPushButton(QStringLiteral("&English")), "Label_English");
    german->setDefault(true);
    for (ClickLabel* l : {flagDe, flagEn}) {
        l->setAlignment(Qt::AlignCenter);
        l->setCursor(Qt::PointingHandCursor);
    }
    grid->addWidget(flagDe, 1, 0);
    grid->addWidget(flagEn, 1, 1);
    grid->addWidget(german, 2, 0);
    grid->addWidget(english, 2, 1);
    connect(flagDe, &ClickLabel::clicked, this, [this] { choose(Language::German); });
    connect(german, &QPushButton::clicked, this, [this] { choose(Language::German); });
    connect(flagEn, &ClickLabel::clicked, this, [this] { choose(Language::English); });
    connect(english, &QPushButton::clicked, this, [this] { choose(Language::English); });
}

void TFormSprache::choose(Language language) {
    state_.language = language;
    state_.chosenLanguage = language;
    try {
        saveSettings(state_);
    } catch (const InputError& e) {
        // The choice still holds for this run.
        dialogs_.warning(this, errorMessage(e, state_.language));
    }
    accept();
}

}  // namespace penumbro::ui
