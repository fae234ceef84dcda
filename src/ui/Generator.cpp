#include "ui/Generator.h"

#include "editor/CommentBlock.h"
#include "editor/GeneratorEdit.h"
#include "editor/HorizonEditing.h"
#include "import/ModelImport.h"
#include "editor/ObjectSplices.h"
#include "editor/SiteEditing.h"
#include "project/InputError.h"
#include "ui/AppState.h"
#include "ui/Dialogs.h"
#include "ui/ModelImportDialog.h"
#include "ui/ObjectForms.h"
#include "ui/Preview3D.h"
#include "ui/SurfaceForms.h"
#include "ui/FormParts.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QAbstractItemView>
#include <QApplication>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <variant>

namespace penumbro::ui {

namespace {

const Tx kObjectList{"Objektliste", "List of objects"};
const Tx kAppend{"Objekt &hinzuf\xFCgen", "&Append object"};
const Tx kInsert{"vor Objekt &einf\xFCgen", "&Insert object"};
const Tx kChange{"Objekt \xE4&ndern", "&Change object"};
const Tx kDelete{"Objekt &l\xF6schen", "&Delete object"};
const Tx kHorizon{"Horizont", "Horizon"};
const Tx kImportModel{"3D-Modell importieren ...", "Import 3D model ..."};
const Tx kImportConfirm{"Die Fl\xE4" "chen jetzt in das Projekt \xFC" "bernehmen?", "Add the surfaces to the project now?"};
const Tx kDescription{"Projektbeschreibung", "Description of the project"};
const Tx kDataSheet{"&Datenblatt", "Data s&heet"};
const Tx kGenerate{"Generiere", "Generate"};
const Tx kKinds[5] = {{"Rechteck", "Rectangle"}, {"n-Eck", "Polygon"}, {"Haus", "House"},
                      {"Baum", "Tree"}, {"\xDC" "berhang", "Overhang"}};
const Tx kConventions{
    "- Alle L\xE4ngen in beliebigen, aber konsistenten Einheiten.\r"
    "- Der Azimutwinkel wird im Uhrzeigersinn von Norden aus gez\xE4hlt (z.B. S\xFC" "den = 180\xB0).\r"
    "- Der Elevationswinkel wird positiv/negativ von einer senkrechten Fl\xE4" "che mit Elev. = 0\xB0 aus gez\xE4hlt "
    "(positiv f\xFCr Neigung zum Himmel, negativ f\xFCr Neigung zum Boden).",
    "- All lengths in arbitrary but consistent units.\r"
    "- Counting the azimuth angle clockwise from north (i. e. south=180\xB0).\r"
    "- Counting the elevation angle positive/ negative from vertical plane with elevation = 0\xB0 "
    "(i. e. positive towards sky, negative towards ground)."};
const Tx kSite{"Geografische Lage", "Geographical location"};
const Tx kSiteCaptions[3] = {{"Breitengrad:", "Latitude:"}, {"L\xE4ngengrad:", "Longitude:"},
                             {"Zeitzone:", "Time zone:"}};
const Tx kChangeShort{"\xE4ndern", "Change"};
const Tx kReflectance{"Bodenreflexion (f\xFCr die Berechnung der Diffusstrahlung)",
                      "Ground reflection (for calculation of diffuse radiation)"};
const char kMonthLetters[] = "JFMAMJJASOND";

enum Kind { kRectangle, kPolygon, kHouse, kTree, kOverhang };

QPushButton* button(const char* name) { return named(new QPushButton, name); }

QLabel* summaryPanel(const char* name) {
    auto* l = named(new QLabel, name);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setMinimumWidth(110);
    return l;
}

}  // namespace

TGenerator::TGenerator(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), state_(state), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Generator"));

    // Left column: the list, the description and the site and reflectance summaries.
    listGroup_ = captions_.add(named(new QGroupBox, "GroupBox_Objektliste"), kObjectList);
    ListBox1 = named(new QListWidget, "ListBox1");
    ListBox1->setMouseTracking(true);
    ListBox1->viewport()->installEventFilter(this);
    Objekt_hinzufuegen = captions_.add(button("Objekt_hinzufuegen"), kAppend);
    Objekt_einfuegen = captions_.add(button("Objekt_einfuegen"), kInsert);
    Objekt_aendern = captions_.add(button("Objekt_aendern"), kChange);
    Objekt_loeschen = captions_.add(button("Objekt_loeschen"), kDelete);
    Horizontverschattung_aendern = captions_.add(button("Horizontverschattung_aendern"), kHorizon);
    importModelButton_ = captions_.add(button("importModelButton"), kImportModel);
    Objektanzahl = named(new QLabel, "Objektanzahl");
    auto* listButtons = new QGridLayout;
    listButtons->addWidget(Objekt_hinzufuegen, 0, 0);
    listButtons->addWidget(Objekt_einfuegen, 0, 1);
    listButtons->addWidget(Objekt_aendern, 1, 0);
    listButtons->addWidget(Objekt_loeschen, 1, 1);
    listButtons->addWidget(Horizontverschattung_aendern, 2, 0);
    listButtons->addWidget(importModelButton_, 2, 1);
    auto* listLayout = new QVBoxLayout(listGroup_);
    listLayout->addWidget(ListBox1, 1);
    listLayout->addWidget(Objektanzahl);
    listLayout->addLayout(listButtons);

    commentGroup_ = captions_.add(named(new QGroupBox, "GroupBox_Kommentar"), kDescription);
    Kommentar = named(new QPlainTextEdit, "Kommentar");
    Kommentar->setLineWrapMode(QPlainTextEdit::NoWrap);
    Kommentar->installEventFilter(this);
    dataSheetButton_ = captions_.add(button("Datenblatt_zeigen"), kDataSheet);
    auto* commentLayout = new QVBoxLayout(commentGroup_);
    commentLayout->addWidget(Kommentar, 1);
    commentLayout->addWidget(dataSheetButton_, 0, Qt::AlignLeft);

    siteGroup_ = captions_.add(named(new QGroupBox, "GroupBox_GeoLage"), kSite);
    Panel_Breitengrad = summaryPanel("Panel_Breitengrad");
    Panel_Laengengrad = summaryPanel("Panel_Laengengrad");
    Panel_Zeitzone = summaryPanel("Panel_Zeitzone");
    GeoLage_aendern = captions_.add(button("GeoLage_aendern"), kChangeShort);
    auto* siteLayout = new QGridLayout(siteGroup_);
    const std::array<QLabel*, 3> sitePanels{Panel_Breitengrad, Panel_Laengengrad, Panel_Zeitzone};
    for (int i = 0; i < 3; ++i) {
        siteCaptions_[i] = captions_.add(new QLabel, kSiteCaptions[i]);
        siteLayout->addWidget(siteCaptions_[i], i, 0);
        siteLayout->addWidget(sitePanels[i], i, 1);
    }
    siteLayout->addWidget(GeoLage_aendern, 2, 2);

    reflectanceGroup_ = captions_.add(named(new QGroupBox, "GroupBox_Bodenreflexion"), kReflectance);
    auto* gaugeLayout = new QGridLayout;
    gaugeLayout->addWidget(new QLabel(QStringLiteral("100%")), 0, 0, Qt::AlignTop | Qt::AlignRight);
    gaugeLayout->addWidget(new QLabel(QStringLiteral("0%")), 0, 0, Qt::AlignBottom | Qt::AlignRight);
    for (int i = 0; i < 12; ++i) {
        auto* g = new QProgressBar;
        g->setObjectName(QStringLiteral("Gauge_Bodenreflexion%1").arg(i + 1));
        g->setOrientation(Qt::Vertical);
        g->setRange(0, 100);
        g->setTextVisible(false);
        g->setFixedSize(14, 56);
        gauges_[i] = g;
        auto* letter = new QLabel(QString(QLatin1Char(kMonthLetters[i])));
        letter->setObjectName(QStringLiteral("Label_Bodenreflexion%1").arg(i + 1));
        letter->setAlignment(Qt::AlignCenter);
        gaugeLayout->addWidget(g, 0, i + 1, Qt::AlignHCenter);
        gaugeLayout->addWidget(letter, 1, i + 1);
    }
    Bodenreflexion_aendern = captions_.add(button("Bodenreflexion_aendern"), kChangeShort);
    auto* reflectanceLayout = new QHBoxLayout(reflectanceGroup_);
    reflectanceLayout->addLayout(gaugeLayout);
    reflectanceLayout->addStretch(1);
    reflectanceLayout->addWidget(Bodenreflexion_aendern, 0, Qt::AlignBottom);

    auto* left = new QVBoxLayout;
    left->addWidget(listGroup_, 3);
    left->addWidget(commentGroup_, 2);
    left->addWidget(siteGroup_);
    left->addWidget(reflectanceGroup_);

    // Right column: the kind chooser and hint, one panel at a time, OK/Cancel.
    GroupBox1 = captions_.add(named(new QGroupBox, "GroupBox1"), kGenerate);
    auto* kindLayout = new QHBoxLayout(GroupBox1);
    const char* kindNames[5] = {"Button_Rechteck", "Button_nEck", "Button_Haus", "Button_Baum", "Ueberhang"};
    for (int k = 0; k < 5; ++k) {
        kindButtons_[k] = captions_.add(button(kindNames[k]), kKinds[k]);
        kindLayout->addWidget(kindButtons_[k]);
        connect(kindButtons_[k], &QPushButton::clicked, this, [this, k] { kindChosen(k); });
    }
    kindCancel_ = captions_.add(button("Button_Abbruch"), kCancelCaption);
    kindLayout->addWidget(kindCancel_);
    Panel2 = captions_.add(named(new QLabel, "Panel2"), kConventions);
    Panel2->setWordWrap(true);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setMargin(6);

    rectangle_ = new RectangleForm(dialogs_);
    polygon_ = new PolygonForm(dialogs_);
    house_ = new HouseForm(dialogs_);
    tree_ = new TreeForm(dialogs_);
    targetChooser_ = new TargetChooser(dialogs_);
    site_ = new SiteForm(dialogs_);
    reflectance_ = new ReflectanceForm(dialogs_);
    horizon_ = new HorizonForm(dialogs_);

    Panel_OK = named(new QWidget, "Panel_OK");
    OKBtn = captions_.add(button("OKBtn"), kOkCaption);
    CancelBtn = captions_.add(button("CancelBtn"), kCancelCaption);
    okReasonLabel = named(new QLabel, "okReasonLabel");
    okReasonLabel->setWordWrap(true);
    okReasonLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
    auto* okLayout = new QHBoxLayout(Panel_OK);
    okLayout->addWidget(okReasonLabel, 1);
    okLayout->addWidget(OKBtn);
    okLayout->addWidget(CancelBtn);

    auto* right = new QVBoxLayout;
    right->addWidget(GroupBox1);
    for (EditorForm* f : std::initializer_list<EditorForm*>{rectangle_, polygon_, house_, tree_, targetChooser_,
                                                              site_, reflectance_, horizon_}) {
        right->addWidget(f);
        f->hide();
        connect(f, &EditorForm::changed, this, &TGenerator::updateOk);
    }
    right->addWidget(Panel_OK);
    right->addStretch(1);
    auto* rightWidget = new QWidget;
    rightWidget->setLayout(right);
    panelArea_ = new QScrollArea;
    panelArea_->setWidget(rightWidget);
    panelArea_->setWidgetResizable(true);
    panelArea_->setFrameShape(QFrame::NoFrame);
    previewHolder_ = new QWidget;
    auto* previewLayout = new QVBoxLayout(previewHolder_);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(Panel2);
    rightColumn->addWidget(panelArea_, 1);
    rightColumn->addWidget(previewHolder_, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 4);
    layout->addLayout(rightColumn, 5);

    GroupBox1->hide();
    Panel_OK->hide();
    panelArea_->hide();
    CancelBtn->setEnabled(false);

    connect(Objekt_hinzufuegen, &QPushButton::clicked, this, &TGenerator::Objekt_hinzufuegenClick);
    connect(Objekt_einfuegen, &QPushButton::clicked, this, &TGenerator::Objekt_einfuegenClick);
    connect(Objekt_aendern, &QPushButton::clicked, this, &TGenerator::Objekt_aendernClick);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TGenerator::Objekt_aendernClick);
    connect(Objekt_loeschen, &QPushButton::clicked, this, &TGenerator::Objekt_loeschenClick);
    connect(Horizontverschattung_aendern, &QPushButton::clicked, this, &TGenerator::Horizontverschattung_aendernClick);
    connect(importModelButton_, &QPushButton::clicked, this, &TGenerator::importModelClick);
    connect(GeoLage_aendern, &QPushButton::clicked, this, &TGenerator::GeoLage_aendernClick);
    connect(Bodenreflexion_aendern, &QPushButton::clicked, this, &TGenerator::Bodenreflexion_aendernClick);
    connect(OKBtn, &QPushButton::clicked, this, &TGenerator::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TGenerator::CancelBtnClick);
    connect(kindCancel_, &QPushButton::clicked, this, &TGenerator::CancelBtnClick);
    connect(dataSheetButton_, &QPushButton::clicked, this, &TGenerator::dataSheetRequested);
    // Every edit of the description reaches the text at once: a save from the menu
    // leaves the focus in the memo, and must not lose what was just typed.
    connect(Kommentar, &QPlainTextEdit::textChanged, this, &TGenerator::KommentarExit);
    connect(targetChooser_, &TargetChooser::chosen, this, &TGenerator::targetChosen);

    // The panels with their own OK write their line or section.
    for (EditorForm* f : std::initializer_list<EditorForm*>{targetChooser_, site_, reflectance_, horizon_})
        connect(f, &EditorForm::cancelClicked, this, &TGenerator::CancelBtnClick);
    connect(site_, &EditorForm::okClicked, this, [this] {
        if (const auto values = site_->values())
            commitOrShow([&] { return writeSite(state_.project.daten, *values); });
    });
    connect(reflectance_, &EditorForm::okClicked, this, [this] {
        if (const auto values = reflectance_->values())
            commitOrShow([&] { return writeReflectance(state_.project.daten, *values); });
    });
    connect(horizon_, &EditorForm::okClicked, this,
            [this] { commitOrShow([this] { return writeHorizon(state_.project.daten, horizon_->rows()); }); });
    new QShortcut(QKeySequence(Qt::Key_F12), this, this, &TGenerator::dataSheetRequested,
                  Qt::WidgetWithChildrenShortcut);
    // Enter is OK and Escape is cancel in every panel; inside a grid they keep their
    // meaning there (finish or drop the cell being typed).
    for (const int key : {int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Escape)}) {
        auto* shortcut = new QShortcut(QKeySequence(key), panelArea_);
        shortcut->setObjectName(QStringLiteral("panelKey"));
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, key] { panelKey(Qt::Key(key)); });
    }
    SpracheAnpassen();
}

void TGenerator::createPreview() {
    if (preview_ || !state_.preview3d) return;
    preview_ = new Preview3DBox(state_);
    previewHolder_->layout()->addWidget(preview_);
    preview_->watchObjectList(ListBox1);
    preview_->Neuzeichnen();
}

void TGenerator::SpracheAnpassen() {
    const Language l = state_.language;
    captions_.apply(l);
    for (EditorForm* f : std::initializer_list<EditorForm*>{rectangle_, polygon_, house_, tree_, targetChooser_,
                                                              site_, reflectance_, horizon_})
        f->SpracheAnpassen(l);
    updateOk();  // the reason in the new language
    if (preview_) preview_->SpracheAnpassen();
    ListeAufbauen();
}

void TGenerator::ListeAufbauen() {
    const Language l = state_.language;
    objects_ = penumbro::ListeAufbauen(state_.project.daten);
    const int row = ListBox1->currentRow();
    ListBox1->clear();
    for (std::size_t i = 0; i < objects_.labels.size(); ++i) {
        QString label = fromCp1252(objects_.labels[i]);
        // Houses and trees show their kind; the project text keeps the German keyword.
        const TObjekt* o = i < objects_.Objekte.size() ? &objects_.Objekte[i] : nullptr;
        if (l == Language::English && o && (o->isHouse() || o->isTree())) {
            const QString de = o->isHouse() ? QStringLiteral("Haus") : QStringLiteral("Baum");
            if (label.startsWith(de)) label.replace(0, de.size(), o->isHouse() ? QStringLiteral("House") : QStringLiteral("Tree"));
        }
        ListBox1->addItem(label);
    }
    if (row >= 0) ListBox1->setCurrentRow(std::min(row, ListBox1->count() - 1));
    Objektanzahl->setText(fromCp1252(objects_.objectCountText(l)));
    // Malformed text: the objects before the fault stay editable; the fault is named.
    if (objects_.faulty())
        Objektanzahl->setText(Objektanzahl->text() + QLatin1Char('\n') +
                              QStringLiteral("%1: %2").arg(objects_.errorLine).arg(fromCp1252(objects_.errorDetail.render(l))));
    if (!Kommentar->hasFocus()) {
        QStringList comment;
        for (const std::string& line : objects_.comment) comment << fromCp1252(line);
        const QSignalBlocker filling(Kommentar);  // filled from the text, not edited
        Kommentar->setPlainText(comment.join(QLatin1Char('\n')));
        Kommentar->document()->setModified(false);
    }
    if (objects_.site.present) {
        Panel_Breitengrad->setText(fromCp1252(objects_.site.latitudeText(l)));
        Panel_Laengengrad->setText(fromCp1252(objects_.site.longitudeText(l)));
        Panel_Zeitzone->setText(fromCp1252(objects_.site.timeZone));
    }
    for (int i = 0; i < 12; ++i) gauges_[i]->setValue(objects_.hasReflectance ? objects_.reflectance[i] : 0);
    kindButtons_[kOverhang]->setEnabled(objects_.targetCount > 0);
    const bool listActive = ListBox1->isEnabled();
    for (QPushButton* b : {Objekt_einfuegen, Objekt_aendern, Objekt_loeschen})
        b->setEnabled(listActive && ListBox1->count() > 0);
    if (preview_) preview_->Neuzeichnen();
}

void TGenerator::selectRow(int row) {
    if (row >= 0 && row < ListBox1->count()) ListBox1->setCurrentRow(row);
}

void TGenerator::Flaechenliste_Aktiv(bool active) {
    for (QWidget* w : std::initializer_list<QWidget*>{ListBox1, Objekt_hinzufuegen, Horizontverschattung_aendern,
                                                     importModelButton_, GeoLage_aendern, Bodenreflexion_aendern,
                                                     Kommentar})
        w->setEnabled(active);
    for (QPushButton* b : {Objekt_einfuegen, Objekt_aendern, Objekt_loeschen})
        b->setEnabled(active && ListBox1->count() > 0);
    emit listActiveChanged(active);
    if (preview_) preview_->Neuzeichnen();
}

void TGenerator::panelKey(Qt::Key key) {
    QWidget* focus = QApplication::focusWidget();
    for (QWidget* w = focus; w && w != panelArea_; w = w->parentWidget()) {
        if (qobject_cast<QAbstractItemView*>(w)) {
            // Handed on with the panel keys off, so they do not catch it again.
            const auto keys = panelArea_->findChildren<QShortcut*>(QStringLiteral("panelKey"), Qt::FindDirectChildrenOnly);
            for (QShortcut* s : keys) s->setEnabled(false);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(focus, &press);
            for (QShortcut* s : keys) s->setEnabled(true);
            return;
        }
    }
    const bool ok = key != Qt::Key_Escape;
    // The panels with their own buttons, by the buttons' names.
    const std::pair<EditorForm*, std::pair<const char*, const char*>> own[] = {
        {site_, {"GeoLage_OK", "GeoLage_Abbruch"}},
        {reflectance_, {"Boden_OK", "Boden_Abbruch"}},
        {horizon_, {"Horizont_OK", "BitBtn5"}},
        {targetChooser_, {"TargetF_OK", "TargetF_Abbruch"}}};
    QPushButton* button = nullptr;
    if (Panel_OK->isVisible()) {
        button = ok ? OKBtn : CancelBtn;
    } else if (GroupBox1->isVisible()) {
        button = ok ? nullptr : kindCancel_;
    } else {
        for (const auto& [form, names] : own)
            if (form->isVisible())
                button = form->findChild<QPushButton*>(QString::fromLatin1(ok ? names.first : names.second));
    }
    if (button && button->isVisible() && button->isEnabled()) button->click();
}

void TGenerator::showPanelArea(bool shown) {
    panelArea_->setVisible(shown);
    previewHolder_->setVisible(!shown);
}

void TGenerator::showForm(EditorForm* form, bool withOkPanel) {
    GroupBox1->hide();
    Panel2->hide();
    showPanelArea(true);
    form->show();
    panelOpen_ = true;
    if (withOkPanel) {
        openForm_ = form;
        Panel_OK->show();
        CancelBtn->setEnabled(true);
        updateOk();
    }
}

void TGenerator::hidePanels() {
    for (EditorForm* f : std::initializer_list<EditorForm*>{rectangle_, polygon_, house_, tree_, targetChooser_,
                                                              site_, reflectance_, horizon_})
        f->hide();
    GroupBox1->hide();
    Panel2->show();
    showPanelArea(false);
    Panel_OK->hide();
    CancelBtn->setEnabled(false);
    openForm_ = nullptr;
    panelOpen_ = false;
}

void TGenerator::updateOk() {
    OKBtn->setEnabled(openForm_ != nullptr && openForm_->okEnabled());
    okReasonLabel->setText(openForm_ != nullptr ? openForm_->okReason() : QString());
}

void TGenerator::Objekt_hinzufuegenClick() {
    ObjektNr_ = ListBox1->count() + 1;
    Aenderungsmodus_ = Einfuegemodus_ = true;
    GroupBox1->show();
    showPanelArea(true);
    Flaechenliste_Aktiv(false);
}

void TGenerator::Objekt_einfuegenClick() {
    if (ListBox1->currentRow() < 0) return;
    ObjektNr_ = ListBox1->currentRow() + 1;
    Aenderungsmodus_ = Einfuegemodus_ = true;
    GroupBox1->show();
    showPanelArea(true);
    Flaechenliste_Aktiv(false);
}

void TGenerator::kindChosen(int kind) {
    switch (kind) {
    case kRectangle:
        rectangle_->prepareNew();
        showForm(rectangle_, true);
        break;
    case kPolygon:
        polygon_->prepareNew();
        showForm(polygon_, true);
        break;
    case kHouse:
        house_->prepareNew();
        showForm(house_, true);
        break;
    case kTree:
        showForm(tree_, true);
        break;
    default:
        UeberhangClick();
    }
}

void TGenerator::UeberhangClick() {
    tree_->clearNumbers();
    try {
        targetChooser_->fill(targetChoices(state_.project.daten));
    } catch (const std::exception& e) {
        showError(e);
        return;
    }
    CancelBtn->setEnabled(true);
    showForm(targetChooser_, false);
}

void TGenerator::targetChosen(int objectNumber) {
    targetChooser_->hide();
    polygon_->prepareOverhang(objectNumber);
    showForm(polygon_, true);
}

void TGenerator::Objekt_aendernClick() {
    if (ListBox1->currentRow() < 0 || !ListBox1->isEnabled()) return;
    ObjektNr_ = ListBox1->currentRow() + 1;
    ChangePanel panel;
    try {
        panel = openForChange(state_.project.daten, ObjektNr_);
    } catch (const std::exception& e) {
        showError(e);
        return;
    }
    Einfuegemodus_ = false;
    Aenderungsmodus_ = true;
    Flaechenliste_Aktiv(false);
    std::visit(
        [this](auto& p) {
            using P = std::decay_t<decltype(p)>;
            if constexpr (std::is_same_v<P, PolygonPanel> || std::is_same_v<P, OverhangPanel>) {
                polygon_->fill(p);
                showForm(polygon_, true);
            } else if constexpr (std::is_same_v<P, HousePanel>) {
                house_->fill(p);
                showForm(house_, true);
            } else {
                tree_->fill(p);
                showForm(tree_, true);
            }
        },
        panel);
}

void TGenerator::Objekt_loeschenClick() {
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= objects_.ObjektAnzahl) return;
    const int number = row + 1;
    if (objects_.object(number).isTarget() &&
        dialogs_.question(this, fromCp1252(targetDeleteWarning(state_.language)),
                          QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    commitOrShow([&] { return deleteObject(state_.project.daten, number); });
}

void TGenerator::OKBtnClick() {
    if (openForm_ == nullptr || !openForm_->okEnabled()) return;
    const Language l = state_.language;
    const Lines& text = state_.project.daten;
    Lines lines;
    try {
        if (openForm_ == rectangle_) lines = rectangle_->fields().generate(l);
        else if (openForm_ == polygon_)
            lines = polygon_->overhangMode() ? polygon_->overhangFields().generate(text, l)
                                             : polygon_->polygonFields().generate(l);
        else if (openForm_ == house_) lines = house_->fields().generate(l);
        else lines = tree_->fields().generate(l);
        // Outside a list operation the lines go to the end.
        commitText(!Aenderungsmodus_ ? FlaechenSchreiben(text, lines, surfacesOf(lines))
                   : Einfuegemodus_  ? commitInsert(text, ObjektNr_, lines)
                                     : commitChange(text, ObjektNr_, lines));
    } catch (const std::exception& e) {
        // The panel stays open with what was typed.
        showError(e);
    }
}

void TGenerator::CancelBtnClick() {
    hidePanels();
    Aenderungsmodus_ = Einfuegemodus_ = false;
    Flaechenliste_Aktiv(true);
}

void TGenerator::commitText(Lines text) {
    state_.project.daten = std::move(text);
    hidePanels();
    Aenderungsmodus_ = Einfuegemodus_ = false;
    Flaechenliste_Aktiv(true);
    ListeAufbauen();
    emit textChanged();
}

void TGenerator::commitOrShow(const std::function<Lines()>& newText) {
    try {
        commitText(newText());
    } catch (const std::exception& e) {
        showError(e);
    }
}

void TGenerator::showError(const std::exception& error) { dialogs_.warning(this, errorMessage(error, state_.language)); }

void TGenerator::Horizontverschattung_aendernClick() {
    openOwnForm(horizon_, [this] { horizon_->fill(readHorizon(state_.project.daten)); });
}

void TGenerator::GeoLage_aendernClick() {
    openOwnForm(site_, [this] {
        if (const auto site = readSite(state_.project.daten)) site_->fill(*site);
    });
}

void TGenerator::Bodenreflexion_aendernClick() {
    openOwnForm(reflectance_, [this] {
        if (const auto values = readReflectance(state_.project.daten)) reflectance_->fill(*values);
    });
}

void TGenerator::openOwnForm(EditorForm* form, const std::function<void()>& fill) {
    try {
        fill();
    } catch (const std::exception& e) {
        showError(e);
        return;
    }
    Flaechenliste_Aktiv(false);
    showForm(form, false);
}

void TGenerator::importModelClick() {
    ModelImportDialog dialog(dialogs_, state_.language, this);
    if (dialogs_.exec(dialog) != QDialog::Accepted) return;
    try {
        ImportResult result = importModel(state_.project.daten, dialog.modelPath(), dialog.importOptions());
        const QString summary = fromCp1252(importSummaryText(result.summary, state_.language));
        if (dialogs_.question(this, summary + QLatin1Char('\n') + tx(kImportConfirm, state_.language),
                              QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
            return;
        commitText(std::move(result.text));
    } catch (const std::exception& e) {
        showError(e);
    }
}

void TGenerator::KommentarExit() {
    // Only an edit rewrites the head of the text: merely passing through the memo, or
    // the memo being filled from the text, must not reformat comment lines typed by hand.
    if (!Kommentar->document()->isModified()) return;
    Lines memo;
    for (const QString& line : Kommentar->toPlainText().split(QLatin1Char('\n'))) memo.push_back(toCp1252(line));
    state_.project.daten = penumbro::KommentarExit(state_.project.daten, memo);
    Kommentar->document()->setModified(false);
    emit textChanged();
}

bool TGenerator::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Kommentar && event->type() == QEvent::FocusOut) KommentarExit();
    return QWidget::eventFilter(watched, event);
}

}  // namespace penumbro::ui
