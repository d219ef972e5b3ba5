#include "bolton/boltontab.h"
#include "common/fileio.h"
#include "export/analysisexport.h"
#include "support/appfixture.h"
#include "tweed/tweedfile.h"
#include "tweed/tweedtab.h"

#include <QtTest>

using namespace vel;
using namespace vel::test;

// The export promises what OPEN on the tab shows; this holds it to that.
class ExportMatchesTabTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tweedFiles_data();
    void tweedFiles();
    void boltonFile();
};

void ExportMatchesTabTest::tweedFiles_data()
{
    QTest::addColumn<bool>("guidance");
    QTest::addColumn<bool>("replaceImpa");
    // An entry to spoil (its index among the twenty, -1 for none) and what
    // the checks then say.
    QTest::addColumn<int>("spoiled");
    QTest::addColumn<QString>("spoiledText");
    QTest::addColumn<QString>("warning");
    const QString incomplete = QStringLiteral("All fields must be filled in before calculating!");
    const QString zeroAfh = QStringLiteral("AFA value must be different than ZERO!");
    QTest::newRow("plain") << false << false << -1 << QString() << QString();
    QTest::newRow("with guidance") << true << false << -1 << QString() << QString();
    QTest::newRow("replacement IMPA and guidance") << true << true << -1 << QString() << QString();
    QTest::newRow("replacement IMPA, an entry missing") << false << true << 4 << QString() << incomplete;
    QTest::newRow("replacement IMPA and guidance, AFH zero") << true << true << 10 << QStringLiteral("0.0") << zeroAfh;
    QTest::newRow("guidance, an entry missing") << true << false << 19 << QString() << incomplete;
}

void ExportMatchesTabTest::tweedFiles()
{
    QFETCH(bool, guidance);
    QFETCH(bool, replaceImpa);
    QFETCH(int, spoiled);
    QFETCH(QString, spoiledText);
    QFETCH(QString, warning);
    AppFixture f("Button3");
    TweedRecord r;
    r.patient = QStringLiteral("MARIA SILVA");
    r.age = QStringLiteral("15");
    r.male = true;
    const char* values[] = {"31.0", "62.0", "95.0", "14.0", "80.0", "83.5", "2.0", "65.0", "16.0", "12.0",
                            "110.0", "70.0", "30.5", "22.0", "15.0", "12.0", "-3.0", "2.5", "20.0", "16.0"};
    for (int i = 0; i < 20; ++i)
        r.entries[i] = QLatin1String(values[i]);
    if (spoiled >= 0)
        r.entries[spoiled] = spoiledText;
    r.replaceImpa = replaceImpa;
    r.replacementImpa = replaceImpa ? QStringLiteral("90.0") : QString();
    r.guidance = guidance;
    r.answers.daapinh = true;
    r.answers.menor = true;
    r.answers.dmrel = true;
    r.answers.dpinadeq = true;
    r.answers.clsim = true;
    r.answers.horcl3 = true;
    r.answers.profunda = true;
    r.answers.media = true;
    r.answers.desarm = true;
    r.answers.dessevera = true;
    const QString path = f.analyses(QStringLiteral("MARIA SILVA-PROGRESS.twe"));
    replaceFile(path, r.toBytes());

    f.desktop.chosenFiles = {path};
    f.main()->tweed()->openClicked();
    const QMap<QString, QString> tab = f.main()->tweed()->controlTexts();
    const ExportedAnalysis exported = exportTweedFile(path);
    QStringList shown;
    for (const auto& box : std::as_const(f.messenger.boxes)) {
        if (box.icon == Messenger::Icon::Warning)
            shown << box.text();
    }
    QCOMPARE(exported.messages, shown);
    QCOMPARE(exported.messages, warning.isEmpty() ? QStringList() : QStringList{warning});
    for (const auto& [name, value] : exported.fields + exported.results)
        QVERIFY2(tab.value(name) == value, qPrintable(name + QStringLiteral(": tab '") + tab.value(name)
                                                        + QStringLiteral("' export '") + value + QLatin1Char('\'')));
    QCOMPARE(tab.value(QStringLiteral("dcimpares")).isEmpty(), !replaceImpa && !warning.isEmpty());
    QCOMPARE(!tab.value(QStringLiteral("dsantinfo")).isEmpty(), guidance && warning.isEmpty());
}

void ExportMatchesTabTest::boltonFile()
{
    AppFixture f("Button4");
    BoltonRecord r;
    r.patient = QStringLiteral("ANA");
    for (int i = 0; i < 12; ++i) {
        r.maxilla[i] = QString::number(6.5 + i * 0.1, 'f', 1);
        r.mandible[i] = QString::number(6.0 + i * 0.1, 'f', 1);
    }
    r.thirdMolarLeft = QStringLiteral("10.0");
    const QString path = f.analyses(QStringLiteral("ANA.bol"));
    replaceFile(path, r.toBytes());
    f.desktop.chosenFiles = {path};
    f.main()->bolton()->openClicked();
    const QMap<QString, QString> tab = f.main()->bolton()->controlTexts();
    const ExportedAnalysis exported = exportBoltonFile(path, loadBoltonTables(f.scratch.folder().boltonTables()));
    for (const auto& [name, value] : exported.fields + exported.results)
        QVERIFY2(tab.value(name) == value, qPrintable(name));
}

QTEST_MAIN(ExportMatchesTabTest)
#include "tst_export_matches_tab.moc"
