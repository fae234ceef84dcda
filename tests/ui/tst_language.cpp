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

static QStringList buttonTexts(QWidget* dialog) {
    QStringList texts;
    for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
        texts << button->text().remove(QLatin1Char('&'));
    texts.sort();
    return texts;
}

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (!installQtTranslations(Language::German)) QSKIP("Qt's translation files are not installed");
    }
    void cleanupTestCase() { installQtTranslations(Language::English); }

    void questionBoxReadsGermanOnOneLine() {
        const QString text = QStringLiteral(  // Qt alone wraps this mid-phrase
            "Das Projekt wurde ge\u00e4ndert. Sollen die \u00c4nderungen vor dem Schlie\u00dfen gespeichert werden?");
        QStringList seen;
        bool oneLine = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen = buttonTexts(box);
            const QLabel* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            oneLine = label->width() >= label->fontMetrics().horizontalAdvance(text);
            box->button(QMessageBox::No)->click();
        });
        QtDialogs dialogs;
        QCOMPARE(dialogs.question(nullptr, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
                 QMessageBox::No);
        QCOMPARE(seen, (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("Ja"), QStringLiteral("Nein")}));
        QVERIFY(oneLine);
    }

    void fileDialogReadsGerman() {
        QFileDialog dialog(nullptr, QString(), QDir::tempPath());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.show();
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(), QStringLiteral("Suchen in:"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text().remove(QLatin1Char('&')),
                 QStringLiteral("Dateiname:"));
        QCOMPARE(buttonTexts(&dialog), (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("\u00d6ffnen")}));
    }
};

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
