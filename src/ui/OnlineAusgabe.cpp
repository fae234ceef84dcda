#include "ui/OnlineAusgabe.h"

#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/SharedTexts.h"
#include "formats/BmpFile.h"
#include "ui/AppState.h"
#include "ui/Dialogs.h"
#include "ui/FormParts.h"
#include "ui/InputControls.h"
#include "ui/UiText.h"

#include <QAction>
#include <QButtonGroup>
#include <QClipboard>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include <bit>
#include <cstring>

namespace penumbro::ui {

namespace {

const Tx kHint{
    "Hinweis:\rDie Online-Ausgabe rechnet mit nur einer geringeren Genauigkeit und dient vor allen Dingen der "
    "Kontrolle. F\xFCr Berechnungen mit h\xF6herer Genauigkeit benutzen Sie bitte den Modus \"Schnelldurchlauf\".",
    "Hint:\rThe simulation mode \"Online - Output\" calculates only with a low accuracy and is only recommend for "
    "supervision and checking. For calculations with higher accuracy, please use to mode \"fast pass through of "
    "simulation\"."};
const Tx kSteps[10] = {
    {"-1 Monat", "-1 month"},   {"-1 Tag", "-1 day"},   {"-1 Stunde", "-1 hour"},   {"-10 Minuten", "-10 minutes"},
    {"-1 Minute", "-1 minute"}, {"+1 Monat", "+1 month"}, {"+1 Tag", "+1 day"}, {"+1 Stunde", "+1 hour"},
    {"+10 Minuten", "+10 minutes"}, {"+1 Minute", "+1 minute"}};
const Tx kCaptions[8] = {{"Beschattung :", "Shading :"},         {"Targetazimut :", "Target azimuth :"},
                         {"Targetelevation :", "Target elevation :"}, {"Sonnenazimut :", "Sun azimuth :"},
                         {"Sonnenelevation :", "Sun elevation :"}, {"Tag :", "Day :"},
                         {"Stunde :", "Hour :"},                 {"Minute :", "Minute :"}};
const char* const kValueNames[8] = {"shadingValue",      "targetAzimuthValue", "targetElevationValue",
                                    "sunAzimuthValue",   "sunElevationValue",  "dayValue",
                                    "hourValue",         "minuteValue"};
const Tx kSun{"Richtung der Sonnenstrahlung:", "Direction of sun radiation"};
const Tx kTarget{"Ausrichtung der Targetfl\xE4" "che(n):", "Orientation of the target plane"};
const Tx kNotVisible{"Sonne nicht sichtbar.", "Sun not visible."};
const Tx kBehindHorizon{"Sonne_hinter_dem_Horizont.", "Sun behind the horizon."};
const Tx kCopy{"Grafik in die Zwischenablage kopieren", "Copy graphic to the clipboard"};
const Tx kSave{"Grafik speichern unter ...", "Save graphic as ..."};
const Tx kEast{"O", "E"};
const Tx kSky{"Himmel", "Sky"};
const Tx kGround{"Boden", "Ground"};
const char* const kBmpFilter = "Bitmaps (*.bmp)|*.bmp";

// A month button's caption: short names whole, longer ones cut to three letters and ".".
QString monthCaption(int month, Language language) {
    const QString name = fromCp1252(monthNames(language)[static_cast<std::size_t>(month - 1)]);
    return name.size() <= 4 ? name : name.left(3) + QLatin1Char('.');
}

QString number(double value) { return QString::fromStdString(formatFixed(value, 4, 1)); }

}  // namespace

TOnline_Ausgabe::TOnline_Ausgabe(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Online_Ausgabe"));

    zeichenfenster = named(new QLabel, "zeichenfenster");
    zeichenfenster->setFixedSize(ShadingRaster::kWidth, ShadingRaster::kHeight);
    zeichenfenster->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copyAction = captions_.add(named(new QAction(zeichenfenster), "copyPictureAction"), kCopy);
    auto* saveAction = captions_.add(named(new QAction(zeichenfenster), "savePictureAction"), kSave);
    zeichenfenster->addAction(copyAction);
    zeichenfenster->addAction(saveAction);
    connect(copyAction, &QAction::triggered, this, &TOnline_Ausgabe::copyPictureClick);
    connect(saveAction, &QAction::triggered, this, &TOnline_Ausgabe::savePictureClick);

    // Values.
    auto* valueGrid = new QGridLayout;
    valueGrid->setVerticalSpacing(2);
    for (int i = 0; i < 8; ++i) {
        auto* caption = captions_.add(new QLabel, kCaptions[i]);
        auto* value = named(new QLabel, kValueNames[i]);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(60);
        values_ << value;
        valueGrid->addWidget(caption, i, 0);
        valueGrid->addWidget(value, i, 1);
    }
    percent_ = new QLabel(QStringLiteral("%"));
    valueGrid->addWidget(percent_, 0, 2);
    valueGrid->setColumnStretch(3, 1);

    // Directions: sun and target, a compass and a tilt display each.
    auto directionBox = [this](const char* name, const Tx& caption, TKompass*& compass, TNeigung*& tilt) {
        auto* box = captions_.add(named(new QGroupBox, name), caption);
        compass = new TKompass;
        tilt = new TNeigung;
        for (AngleControl* c : {static_cast<AngleControl*>(compass), static_cast<AngleControl*>(tilt)}) {
            // Displays only: a click sets nothing.
            c->setAttribute(Qt::WA_TransparentForMouseEvents);
            c->setCursor(Qt::ArrowCursor);
            c->setFixedSize(90, 90);
        }
        tilt->ForeColor = Qt::blue;
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(4, 2, 4, 2);
        row->addWidget(compass);
        row->addWidget(tilt);
        return box;
    };
    QGroupBox* sunBox = directionBox("sunDirectionBox", kSun, sunCompass_, sunTilt_);
    sunCompass_->setObjectName(QStringLiteral("sunCompass"));
    sunTilt_->setObjectName(QStringLiteral("sunTilt"));
    QGroupBox* targetBox = directionBox("targetDirectionBox", kTarget, targetCompass_, targetTilt_);
    targetCompass_->setObjectName(QStringLiteral("targetCompass"));
    targetTilt_->setObjectName(QStringLiteral("targetTilt"));
    auto* directions = new QHBoxLayout;
    directions->addWidget(sunBox);
    directions->addWidget(targetBox);

    auto* note = captions_.add(named(new QLabel, "noteLabel"), kHint);
    note->setWordWrap(true);
    QFont noteFont = note->font();
    noteFont.setBold(false);
    note->setFont(noteFont);

    // Step buttons: back in the upper row, on in the lower one.
    stepPanel_ = named(new QWidget, "stepPanel");
    auto* stepGrid = new QGridLayout(stepPanel_);
    stepGrid->setContentsMargins(0, 0, 0, 0);
    stepGrid->setSpacing(3);
    for (int i = 0; i < 10; ++i) {
        auto* b = captions_.add(new QToolButton, kSteps[i]);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setFixedHeight(25);
        stepGrid->addWidget(b, i / 5, i % 5);
        const auto step = static_cast<OnlineStep>(i + 1);
        connect(b, &QToolButton::clicked, this, [this, step] { SpeedButtonWeiterClick(step); });
    }

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addLayout(valueGrid);
    right->addLayout(directions);
    right->addWidget(note);
    right->addStretch(1);
    right->addWidget(stepPanel_);
    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    top->addWidget(zeichenfenster, 0, Qt::AlignTop);
    top->addLayout(right, 1);

    // Selector buttons: four exclusive groups, the minutes in two rows of 30.
    auto* selectorPanel = new QWidget;
    selectorPanel->setObjectName(QStringLiteral("selectorPanel"));
    // The buttons down stand out in the colour of the selected mode panel.
    selectorPanel->setStyleSheet(QStringLiteral(
        "QToolButton { border: 1px solid #a0a0a0; border-radius: 2px; background: #f6f6f6; }"
        "QToolButton:checked { background: #ffc0c0; border-color: #606060; }"));
    auto* selectors = new QVBoxLayout(selectorPanel);
    selectors->setContentsMargins(0, 0, 0, 0);
    selectors->setSpacing(2);
    auto group = [&](const QString& prefix, int first, int count, int perRow, QList<QAbstractButton*>& list) {
        auto* buttons = new QButtonGroup(this);
        buttons->setExclusive(true);
        QHBoxLayout* row = nullptr;
        for (int k = 0; k < count; ++k) {
            if (k % perRow == 0) {
                row = new QHBoxLayout;
                row->setSpacing(1);
                selectors->addLayout(row);
            }
            auto* b = new QToolButton;
            const int n = first + k;
            b->setObjectName(prefix + QString::number(n));
            b->setCheckable(true);
            b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            b->setMinimumWidth(10);
            b->setFixedHeight(20);
            if (prefix != QLatin1String("Monat"))
                b->setText(prefix == QLatin1String("Minute") ? QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'))
                                                              : QString::number(n));
            buttons->addButton(b);
            row->addWidget(b);
            list << b;
            connect(b, &QToolButton::clicked, this, [this, b] { SpeedButtonsClick(b->objectName()); });
        }
        list.front()->setChecked(true);
    };
    group(QStringLiteral("Monat"), 1, 12, 12, monthButtons_);
    group(QStringLiteral("Tag"), 1, 31, 31, dayButtons_);
    group(QStringLiteral("Stunde"), 0, 24, 24, hourButtons_);
    group(QStringLiteral("Minute"), 0, 60, 30, minuteButtons_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->setSpacing(6);
    layout->addLayout(top);
    layout->addWidget(selectorPanel);
    layout->addStretch(1);

    SpracheAnpassen(Language::German);
}

void TOnline_Ausgabe::SpracheAnpassen(Language language) {
    language_ = language;
    const Language l = language;
    captions_.apply(l);
    for (int m = 1; m <= 12; ++m) monthButtons_[m - 1]->setText(monthCaption(m, l));
    for (TKompass* c : {sunCompass_, targetCompass_}) {
        c->CaptionOst = tx(kEast, l);
        c->update();
    }
    for (TNeigung* t : {sunTilt_, targetTilt_}) {
        t->CaptionOben = tx(kSky, l);
        t->CaptionUnten = tx(kGround, l);
        t->update();
    }
    showPicture();  // the message in the new language
}

bool TOnline_Ausgabe::NeuStart() {
    try {
        session_.compile(state_.project.daten, state_.project.fileName, state_.params, state_.language);
    } catch (const InputError& e) {
        picture_ = QImage();
        zeichenfenster->clear();
        for (QLabel* v : values_) v->clear();
        dialogs_.warning(this, errorMessage(e, language_));
        return false;
    }
    stepPanel_->setEnabled(false);
    session_.NeuStart();
    stepPanel_->setEnabled(true);
    Wertanzeige();
    showPicture();
    return true;
}

void TOnline_Ausgabe::SpeedButtonWeiterClick(OnlineStep step) {
    stepPanel_->setEnabled(false);
    session_.SpeedButtonWeiterClick(step);
    stepPanel_->setEnabled(true);
    Wertanzeige();
    showPicture();
}

void TOnline_Ausgabe::SpeedButtonsClick(const QString& name) {
    const QString n = name.toLower();
    stepPanel_->setEnabled(false);
    for (const char* prefix : {"monat", "tag", "stunde", "minute"}) {
        const QLatin1String p(prefix);
        if (!n.startsWith(p)) continue;
        bool ok = false;
        const int value = n.mid(p.size()).toInt(&ok);
        if (!ok) break;
        if (p == QLatin1String("monat")) session_.selectMonth(value);
        else if (p == QLatin1String("tag")) session_.selectDay(value);
        else if (p == QLatin1String("stunde")) session_.selectHour(value);
        else session_.selectMinute(value);
        break;
    }
    stepPanel_->setEnabled(true);
    Wertanzeige();
    showPicture();
}

void TOnline_Ausgabe::Wertanzeige() {
    const OnlineValues v = session_.Wertanzeige();
    values_[0]->setText(v.shadingPercent ? number(*v.shadingPercent) : QString());
    const double numbers[] = {v.targetAzimuth, v.targetElevation, v.sunAzimuth, v.sunElevation,
                              static_cast<double>(v.time.day), static_cast<double>(v.time.hour),
                              static_cast<double>(v.time.minute)};
    for (int i = 0; i < 7; ++i) values_[i + 1]->setText(number(numbers[i]));
    monthButtons_[v.month - 1]->setChecked(true);
    dayButtons_[v.dayOfMonth - 1]->setChecked(true);
    hourButtons_[v.time.hour]->setChecked(true);
    minuteButtons_[v.time.minute]->setChecked(true);
    sunCompass_->setPosition(v.sunAzimuth);
    sunTilt_->setPosition(v.sunElevation);
    targetCompass_->setPosition(v.targetAzimuth);
    targetTilt_->setPosition(v.targetElevation);
}

void TOnline_Ausgabe::showPicture() {
    if (!session_.compiled()) return;
    static_assert(std::endian::native == std::endian::little, "0x00BBGGRR words are R, G, B, 0 in memory");
    const std::vector<std::uint32_t>& pixels = session_.raster().pixels();
    // The engine's words read as bytes R, G, B, unused: no drawing of ours in between.
    picture_ = QImage(reinterpret_cast<const uchar*>(pixels.data()), ShadingRaster::kWidth, ShadingRaster::kHeight,
                      ShadingRaster::kWidth * 4, QImage::Format_RGBX8888)
                   .convertToFormat(QImage::Format_RGB32);
    if (const NoSunMessage m = session_.message(); m != NoSunMessage::None) {
        QPainter painter(&picture_);
        QFont f = font();
        f.setBold(true);
        f.setPointSize(12);
        painter.setFont(f);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 200, picture_.width(), painter.fontMetrics().height()), Qt::AlignHCenter | Qt::AlignTop,
                         tx(m == NoSunMessage::SunBehindHorizon ? kBehindHorizon : kNotVisible, language_));
    }
    zeichenfenster->setPixmap(QPixmap::fromImage(picture_));
}

void TOnline_Ausgabe::copyPictureClick() {
    if (!picture_.isNull()) QGuiApplication::clipboard()->setImage(picture_);
}

void TOnline_Ausgabe::savePictureClick() {
    if (picture_.isNull()) return;
    QString file = dialogs_.getSaveFileName(this, tx(kSave, language_), QString(), QString::fromLatin1(kBmpFilter));
    if (file.isEmpty()) return;
    if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".bmp");
    // Back to the engine's colour words, so that the file is the one the command line writes.
    const QImage rgb = picture_.convertToFormat(QImage::Format_RGBX8888);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(rgb.width()) * static_cast<std::size_t>(rgb.height()));
    for (int row = 0; row < rgb.height(); ++row)
        std::memcpy(&pixels[static_cast<std::size_t>(row * rgb.width())], rgb.constScanLine(row),
                    static_cast<std::size_t>(rgb.width()) * 4);
    for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
    try {
        writeFileAtomically(toPath(file), encodeBmp24(pixels, rgb.width(), rgb.height()));
    } catch (const InputError& e) {
        dialogs_.warning(this, errorMessage(e, language_));
    }
}

}  // namespace penumbro::ui
