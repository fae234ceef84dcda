// The export window's exchange formats: the same bytes as penumbro-cli.

#include "UiFixture.h"
#include "cli/RunCli.h"

#include "ui/ExportForm.h"

#include <QLabel>
#include <QRadioButton>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace penumbro;
using namespace penumbro::ui;

class ExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void windowWritesWhatTheCommandLineWrites();
    void severalFormatsInOneGoBesideTheChosenFile();
};

void ExchangeTest::windowWritesWhatTheCommandLineWrites() {
    UiEnv env("e");
    const std::string golden = std::string(PENUMBRO_SOURCE_DIR) + "/tests/cli/golden/";
    writeFileAtomically(env.path("k.mit"), readFileBytes(golden + "collector_year_diffuse.mit"));
    env.startWith(loadProjectFile(testing::examplePath("collector.dat")).lines);
    const std::string kon = env.path("start.kon");
    QCOMPARE(runCli("kon --write " + cliQuote(kon)).exitCode, 0);
    QCOMPARE(runCli("run " + cliQuote(env.path("k.dat")) + " --kon " + cliQuote(kon) +
                    " --set monthly=0 --set first-day=1 --set stop-day=365 --set interval-days=1"
                    " --set interval-minutes=60 -o " + cliQuote(env.path("year")))
                 .exitCode,
             0);
    writeFileAtomically(env.path("k.rep"), readFileBytes(env.path("year.rep")));

    TExportForm* x = env.window->exportForm();
    const std::vector<std::tuple<QRadioButton*, const char*, std::vector<std::string>>> cases = {
        {x->Format_Sam, "sam", {"k.sam.csv", "k.sam_diffuse.txt"}},
        {x->Format_EnergyPlus, "energyplus", {"k.eplus.csv"}},
        {x->Format_HourlyCsv, "hourly-csv", {"k.hourly.csv"}},
    };
    for (const auto& [radio, name, files] : cases) {
        x->prepare();
        radio->setChecked(true);
        env.dialogs.fileNames = {env.qpath(files[0])};
        x->Button3Click();
        QCOMPARE(env.dialogs.fileInitial.last(), env.qpath(files[0]));
        const std::string in = env.path(std::string("k.") + (std::string(name) == "sam" ? "mit" : "rep"));
        const CliResult r = runCli("export " + cliQuote(in) + " --format " + name + " --project " +
                                   cliQuote(env.path("k.dat")) + " --kon " + cliQuote(kon) + " -o " +
                                   cliQuote(env.path("cli-" + files[0])));
        QVERIFY2(r.exitCode == 0, r.err.c_str());
        for (std::size_t i = 0; i < files.size(); ++i) {
            QVERIFY2(readFileBytes(env.path(files[i])) == readFileBytes(env.path("cli-" + files[i])), files[i].c_str());
        }
    }
    // Opening the window again selects no format.
    x->prepare();
    QVERIFY(!x->Format_HourlyCsv->isChecked());
}

void ExchangeTest::severalFormatsInOneGoBesideTheChosenFile() {
    UiEnv env("e");
    env.startWith(collectorProject());
    const std::string golden = std::string(PENUMBRO_SOURCE_DIR) + "/tests/cli/golden/";
    QDir(env.qpath("")).mkpath(QStringLiteral("runs"));
    writeFileAtomically(env.path("runs/year.mit"), readFileBytes(golden + "collector_year_diffuse.mit"));
    QDir(env.qpath("")).mkpath(QStringLiteral("elsewhere"));
    QDir::setCurrent(env.qpath("elsewhere"));  // the working folder is not where the files are
    TExportForm* x = env.window->exportForm();
    x->prepare();
    // Choosing the .mit starts in the project's folder.
    env.dialogs.fileNames = {env.qpath("runs/year.mit")};
    x->Button2->click();
    QCOMPARE(env.dialogs.fileInitial.last(), env.qpath("k.mit"));
    QSignalSpy closed(x, &QDialog::finished);
    // Each export proposes a name beside the .mit, keeps the window open and says what went where.
    for (auto [radio, name] : {std::pair{x->Format_Text, "year.txt"}, {x->Format_Trnsys, "year.trn"},
                                {x->Format_Suncode, "year.sun"}}) {
        radio->click();
        env.dialogs.fileNames = {env.qpath(std::string("runs/") + name)};
        x->Button3->click();
        QCOMPARE(env.dialogs.fileInitial.last(), env.qpath(std::string("runs/") + name));
        QVERIFY(fileExists(env.path(std::string("runs/") + name)));
        QVERIFY2(x->Statuszeile->text().contains(env.qpath(std::string("runs/") + name)), qPrintable(x->Statuszeile->text()));
    }
    QCOMPARE(closed.count(), 0);
    // A cancelled save dialog writes nothing and keeps the last report.
    const QString last = x->Statuszeile->text();
    x->Button3->click();
    QCOMPARE(x->Statuszeile->text(), last);
}

QTEST_MAIN(ExchangeTest)
#include "tst_exchange.moc"
