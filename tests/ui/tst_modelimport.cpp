// The editor's model import and the scene export: the dialog's summary comes before
// any change, and every way out but OK leaves the text as it was.

#include "UiFixture.h"

#include "editor/ObjectTable.h"
#include "ui/Generator.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <filesystem>

using namespace penumbro;
using namespace penumbro::ui;

namespace {

const QString kHouse = QStringLiteral(PENUMBRO_SOURCE_DIR "/tests/import/data/house.gml");

// Fills the import dialog and closes it with OK (accept) or Cancel.
std::function<int(QDialog&)> answer(const QString& file, const QString& origin, bool accept) {
    return [=](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("modelFile"))->setText(file);
        d.findChild<QLineEdit*>(QStringLiteral("origin"))->setText(origin);
        return accept ? QDialog::Accepted : QDialog::Rejected;
    };
}

}  // namespace

class ModelImportTest : public QObject {
    Q_OBJECT
private slots:
    void onlyOkOnTheSummaryChangesTheText();
    void sceneExportWritesTheChosenFile();
};

void ModelImportTest::onlyOkOnTheSummaryChangesTheText() {
    UiEnv env;
    env.window->start();
    TGenerator* g = env.window->editor();
    auto* button = g->findChild<QPushButton*>(QStringLiteral("importModelButton"));
    QVERIFY(button);
    QCOMPARE(QString(button->text()).remove(QLatin1Char('&')), QStringLiteral("3D-Modell importieren ..."));
    const Lines before = env.state.project.daten;
    const QString origin = QStringLiteral("389000,5819000,34");

    const struct {
        const char* what;
        QString file;
        bool accept;
        QMessageBox::StandardButton onSummary;
        int objects, messages;
    } cases[] = {
        {"dialog cancelled", kHouse, false, QMessageBox::Ok, 0, 0},
        {"summary cancelled", kHouse, true, QMessageBox::Cancel, 0, 1},
        {"missing model", kHouse + QStringLiteral(".fehlt"), true, QMessageBox::Ok, 0, 1},
        {"summary confirmed", kHouse, true, QMessageBox::Ok, 13, 1},
    };
    for (const auto& c : cases) {
        env.dialogs.messages.clear();
        env.dialogs.answers = {c.onSummary};
        env.dialogs.onExec = answer(c.file, origin, c.accept);
        button->click();
        QVERIFY2(int(env.dialogs.messages.size()) == c.messages, c.what);
        QVERIFY2(ListeAufbauen(env.state.project.daten).ObjektAnzahl == c.objects, c.what);
        QVERIFY2((env.state.project.daten == before) == (c.objects == 0), c.what);
    }
    QVERIFY(env.dialogs.messages.front().text.contains(QStringLiteral(": 13")));
    QCOMPARE(g->objects().ObjektAnzahl, 13);
    QCOMPARE(env.dialogs.execs.back(), QStringLiteral("ModelImportDialog"));
}

void ModelImportTest::sceneExportWritesTheChosenFile() {
    UiEnv env;
    env.window->start();
    env.dialogs.answers = {QMessageBox::Ok};
    env.dialogs.onExec = answer(kHouse, QStringLiteral("389000,5819000,34"), true);
    env.window->editor()->importModelClick();
    auto* action = env.window->findChild<QAction*>(QStringLiteral("exportSceneAction"));
    QVERIFY(action);
    QCOMPARE(QString(action->text()).remove(QLatin1Char('&')), QStringLiteral("Szene als glTF exportieren ..."));
    const std::string scene = env.path("szene.glb");
    env.dialogs.fileNames = {QString::fromStdString(scene)};
    action->trigger();
    QVERIFY(std::filesystem::file_size(scene) > 1000);
}

QTEST_MAIN(ModelImportTest)
#include "tst_modelimport.moc"
