// Qt's own texts in the German interface: the real message box and file dialog, not
// the scripted seam.

#include "ui/Dialogs.h"
#include "ui/QtTranslations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;

namespace {
QStringList buttonTexts(QWidget* dialog) {
    QStringList texts;
    for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
        texts << button->text().remove(QLatin1Char('&'));
    texts.sort();
    return texts;
}
}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (!installQtTranslations(Language::German)) QSKIP("Qt's translation files are not installed");
    }
    void cleanupTestCase() { installQtTranslations(Language::English); }
    void questionBoxReadsGerman();
    void fileDialogReadsGerman();
};

void LanguageTest::questionBoxReadsGerman() {
    // One sentence that Qt alone would wrap mid-phrase.
    const QString text = QStringLiteral(
        "Das Projekt wurde ge\u00e4ndert. Sollen die \u00c4nderungen vor dem Schlie\u00dfen gespeichert werden?");
    QStringList seen;
    int labelWidth = 0, textWidth = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seen = buttonTexts(box);
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        labelWidth = label->width();
        textWidth = label->fontMetrics().horizontalAdvance(text);
        box->button(QMessageBox::No)->click();
    });
    QtDialogs dialogs;
    QCOMPARE(dialogs.question(nullptr, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
             QMessageBox::No);
    QCOMPARE(seen, (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("Ja"), QStringLiteral("Nein")}));
    QVERIFY2(labelWidth >= textWidth, qPrintable(QStringLiteral("%1 < %2").arg(labelWidth).arg(textWidth)));
}

void LanguageTest::fileDialogReadsGerman() {
    QFileDialog dialog(nullptr, QString(), QDir::tempPath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.show();
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(), QStringLiteral("Suchen in:"));
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text().remove(QLatin1Char('&')),
             QStringLiteral("Dateiname:"));
    QCOMPARE(buttonTexts(&dialog), (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("\u00d6ffnen")}));
}

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
