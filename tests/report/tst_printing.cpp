#include "app/tray.h"
#include "bolton/boltontab.h"
#include "common/fileio.h"
#include "entry/entryfield.h"
#include "guidance/guidewindow.h"
#include "notes/historytab.h"
#include "notes/outlinetab.h"
#include "report/reportengine.h"
#include "report/reportviewer.h"
#include "support/appfixture.h"
#include "tweed/tweedanalysis.h"
#include "tweed/tweedfile.h"
#include "tweed/tweedtab.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

using namespace vel;
using namespace vel::test;

namespace {

// Records what the preview would have shown.
struct RecordingViewer : ReportViewer {
    struct Shown {
        QString report;
        ReportParameters params;
        int lastPage;
        bool hideEnabled;
        QString pdfName;
    };
    QList<Shown> shown;
    std::function<bool()> hideEnabled = [] { return false; };
    void show(const Report& report, const ReportParameters& params, int lastPage, const QString&,
              const QString& pdfName) override
    {
        shown.append({report.name, params, lastPage, hideEnabled(), pdfName});
    }
};

struct PrintFixture : AppFixture {
    explicit PrintFixture(RecordingViewer& viewer, const char* button = "Button3") : AppFixture(button, &viewer)
    {
        viewer.hideEnabled = [this] { return shell->tray()->hideItem()->isEnabled(); };
    }
    TweedTab* tweed() const { return main()->tweed(); }
    void clickTweed(const char* name) const { tweed()->findChild<QPushButton*>(QLatin1String(name))->click(); }
    void calculateTweed(const QString& patient = QStringLiteral("TEST PATIENT"))
    {
        const char* values[] = {"25.0", "62.0", "95.0", "10.0", "83.0", "79.5", "2.0", "72.0", "15.0", "12.0",
                                "110.0", "75.0", "30.5", "27.0", "15.0", "14.0", "-2.0", "-1.5", "20.0", "18.0"};
        tweed()->entry(QStringLiteral("twPaciente"))->setText(patient);
        tweed()->entry(QStringLiteral("Idade"))->setText(QStringLiteral("12"));
        for (int i = 0; i < 20; ++i)
            tweed()->entry(QLatin1String(kTweedEntries[i].control))->setText(QLatin1String(values[i]));
        tweed()->findChild<QRadioButton*>(QStringLiteral("GenFem"))->setChecked(true);
        messenger.answers = {Messenger::Answer::Yes};
        clickTweed("tCalcular");
    }
    void guidance() const
    {
        clickTweed("tCalcular");
        GuideWindow* guide = shell->guide();
        for (const char* name : {"daapinh", "maior", "dmrel", "dpadq"})
            guide->box(QLatin1String(name))->setChecked(true);
        guide->findChild<QRadioButton*>(QStringLiteral("clsim"))->setChecked(true);
        for (const char* name : {"horcl2", "sem"})
            guide->box(QLatin1String(name))->setChecked(true);
        guide->findChild<QPushButton*>(QStringLiteral("gdiag"))->click();
    }
};

const QString kOr = QStringLiteral("\r\r\r\ror\r\r");

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tweedNeedsACalculation();
    void tweedParametersWithoutGuidance();
    void tweedParametersWithGuidanceAndNoLeak();
    void tweedStageWordAndReplacementImpa();
    void missingDefinitionsFileIsReported();
    void boltonParameters();
    void outlinePrintSavesFirst();
    void outlinePrintAfterARefusedSave_data();
    void outlinePrintAfterARefusedSave();
    void historyPrintsTheHistoryOnScreen();
    void historyFromAnotherFolderPrintsFromThatFile();
    void pdfNameStaysAFileName_data();
    void pdfNameStaysAFileName();
};

void PrintingTest::tweedNeedsACalculation()
{
    RecordingViewer viewer;
    PrintFixture f(viewer);
    f.clickTweed("timprimir");
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("The analysis is not complete!")});
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Warning);
    QVERIFY(viewer.shown.isEmpty());
}

void PrintingTest::tweedParametersWithoutGuidance()
{
    RecordingViewer viewer;
    PrintFixture f(viewer);
    f.calculateTweed();
    f.clickTweed("timprimir");
    QCOMPARE(viewer.shown.size(), 1);
    const auto& s = viewer.shown.constLast();
    QCOMPARE(s.report, QStringLiteral("report1"));
    QCOMPARE(s.lastPage, 1);
    QCOMPARE(s.pdfName, QStringLiteral("TEST PATIENT - report1.pdf"));
    QVERIFY(!s.hideEnabled);
    QVERIFY(f.shell->tray()->hideItem()->isEnabled());
    const ReportParameters& p = s.params;
    QCOMPARE(p.value(QStringLiteral("nome")), QStringLiteral("Patient:  TEST PATIENT  -  PRE-TX"));
    QCOMPARE(p.value(QStringLiteral("idade")), QStringLiteral("Age:  12 years old"));
    QCOMPARE(p.value(QStringLiteral("genero")), QStringLiteral("Gender:  Female"));
    QCOMPARE(p.value(QStringLiteral("fma")), QString::fromUtf8("FMA (22° to 28°):  25.0°"));
    QCOMPARE(p.value(QStringLiteral("anb")), QString::fromUtf8("ANB ( 1° to 5°):  3.5°"));
    QCOMPARE(p.value(QStringLiteral("aobo")), QStringLiteral("AO - BO ( 0 to 4 mm):  2.0mm"));
    QCOMPARE(p.value(QStringLiteral("ls")), QStringLiteral("Upper Lip:  15.0"));
    QCOMPARE(p.value(QStringLiteral("afpafa")), QStringLiteral("PFH / AFH ( 65% to 75%):  68%"));
    QCOMPARE(p.value(QStringLiteral("horn")), QStringLiteral("Balanced Face"));
    QCOMPARE(p.value(QStringLiteral("itot")), QStringLiteral("Difficulty Index:  18.2"));
    QCOMPARE(p.value(QStringLiteral("aer")), QStringLiteral("RS:  30.5"));
    QCOMPARE(p.value(QStringLiteral("cres")), QStringLiteral("Estim Increase:  6.0"));
    QCOMPARE(p.value(QStringLiteral("total")), QStringLiteral("Total Surplus/Deficit:  -10.4"));
    QCOMPARE(p.value(QStringLiteral("dcimpa")), QStringLiteral("IMPA:  87.0"));
    QCOMPARE(p.value(QStringLiteral("dif")), QStringLiteral("DIFFICULTY INDEX  MILD: 18.2"));
    for (const QString& name : p.keys())
        QVERIFY2(!name.startsWith(QLatin1String("cruz")) && !name.startsWith(QLatin1String("disc"))
                     && !name.startsWith(QLatin1String("desarm")),
                 qPrintable(name));
}

void PrintingTest::tweedParametersWithGuidanceAndNoLeak()
{
    RecordingViewer viewer;
    PrintFixture f(viewer);
    f.calculateTweed();
    f.guidance();
    f.clickTweed("timprimir");
    const auto& with = viewer.shown.constLast();
    QCOMPARE(with.lastPage, 2);
    const ReportParameters& p = with.params;
    QCOMPARE(p.value(QStringLiteral("cruzh1")), QStringLiteral("____"));
    QCOMPARE(p.value(QStringLiteral("cruzv1")), QStringLiteral("||"));
    QCOMPARE(p.value(QStringLiteral("a1")) + p.value(QStringLiteral("a4")), QStringLiteral("44"));
    QCOMPARE(p.value(QStringLiteral("discantinfo")), QStringLiteral("Anterior Surplus/Deficit"));
    QCOMPARE(p.value(QStringLiteral("discant")), QStringLiteral("Extract:"));
    // Midarch -4.5, no crowding, Class II relation: two alternatives with "or".
    QCOMPARE(p.value(QStringLiteral("discmed")), QStringLiteral("Extract:") + kOr + QStringLiteral("Extract:"));
    QCOMPARE(p.value(QStringLiteral("cruzh3")), QStringLiteral("____"));
    QCOMPARE(p.value(QStringLiteral("m5")) + p.value(QStringLiteral("m8")), QStringLiteral("45"));
    QCOMPARE(p.value(QStringLiteral("discpos")), QStringLiteral("Await full development of the\rthird molars"));
    QVERIFY(!p.contains(QStringLiteral("cruzh4")));
    QCOMPARE(p.value(QStringLiteral("desarm")),
             QStringLiteral("Extract:") + kOr + QStringLiteral("Extract:") + kOr + QStringLiteral("Extract:"));
    QCOMPARE(p.value(QStringLiteral("d5")) + p.value(QStringLiteral("d7")), QStringLiteral("4"));
    QCOMPARE(p.value(QStringLiteral("cruzh7")), QStringLiteral("____"));
    QVERIFY(!p.contains(QStringLiteral("cruzh8")));

    // Another patient without guidance: none of the first one's diagnosis prints.
    f.clickTweed("tLimpar");
    f.clickTweed("tLimpar");
    f.calculateTweed(QStringLiteral("OTHER PATIENT"));
    f.clickTweed("timprimir");
    const ReportParameters& q = viewer.shown.constLast().params;
    QCOMPARE(viewer.shown.constLast().lastPage, 1);
    for (const QString& name : q.keys())
        QVERIFY2(!name.startsWith(QLatin1String("cruz")) && !name.startsWith(QLatin1String("disc"))
                     && !name.startsWith(QLatin1String("desarm")) && !QRegularExpression(QStringLiteral("^[amdp]\\d+$")).match(name).hasMatch(),
                 qPrintable(name));
}

void PrintingTest::tweedStageWordAndReplacementImpa()
{
    RecordingViewer viewer;
    PrintFixture f(viewer);
    const std::pair<const char*, const char*> stages[] = {{"inter1", "PROGRESS"}, {"final", "POST-TX"}};
    for (const auto& [button, word] : stages) {
        f.tweed()->findChild<QRadioButton*>(QLatin1String(button))->setChecked(true);
        f.calculateTweed();
        f.clickTweed("timprimir");
        QVERIFY(viewer.shown.constLast().params.value(QStringLiteral("nome")).endsWith(QStringLiteral("  -  ") + QLatin1String(word)));
        f.clickTweed("tLimpar");
    }
    f.tweed()->findChild<QRadioButton*>(QStringLiteral("dcnao"))->setChecked(true);
    f.tweed()->entry(QStringLiteral("dcopcres"))->setText(QStringLiteral("90.0"));
    f.messenger.answers = {Messenger::Answer::Yes};
    f.clickTweed("tCalcular");
    f.clickTweed("timprimir");
    QCOMPARE(viewer.shown.constLast().params.value(QStringLiteral("dcimpa")), QStringLiteral("IMPA:  90.0"));
}

void PrintingTest::missingDefinitionsFileIsReported()
{
    RecordingViewer viewer;
    PrintFixture f(viewer);
    f.calculateTweed();
    QFile::remove(f.scratch.folder().reportDefinitions());
    f.clickTweed("timprimir");
    QVERIFY(viewer.shown.isEmpty());
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QCOMPARE(f.messenger.last().title, QStringLiteral("Tweed Analysis"));
    QCOMPARE(f.messenger.last().lines,
             (QStringList{QStringLiteral("   Some files necessary to run the software could not be found!"),
                          QStringLiteral("                 Please reinstall de software and try again.")}));

    // A damaged file: the box names it and the line, and nothing prints.
    replaceFile(f.scratch.folder().reportDefinitions(), "<reports>\n<report name=\"report1\">\n<page>\n");
    f.clickTweed("timprimir");
    QVERIFY(viewer.shown.isEmpty());
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().contains(QString::fromUtf8("Análises.rav")));
    QVERIFY(f.messenger.last().text().contains(QStringLiteral("line")));

    // A file without the report: nothing, and no message.
    replaceFile(f.scratch.folder().reportDefinitions(), "<reports><report name=\"other\"><page/></report></reports>");
    RecordingViewer second;
    PrintFixture g(second);
    replaceFile(g.scratch.folder().reportDefinitions(), "<reports><report name=\"other\"><page/></report></reports>");
    g.calculateTweed();
    g.messenger.clear();
    g.clickTweed("timprimir");
    QVERIFY(second.shown.isEmpty());
    QVERIFY(g.messenger.boxes.isEmpty());
}

void PrintingTest::boltonParameters()
{
    RecordingViewer viewer;
    PrintFixture f(viewer, "Button4");
    BoltonTab* tab = f.main()->bolton();
    tab->findChild<QPushButton*>(QStringLiteral("bimprimir"))->click();
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("The analysis is not complete!")});
    const char* maxilla[12] = {"8.5", "6.8", "7.1", "7.9", "6.6", "8.6", "8.6", "6.6", "7.9", "7.1", "6.8", "10.2"};
    const char* mandible[12] = {"11.1", "7.2", "7.0", "6.9", "5.9", "5.4", "5.4", "5.9", "6.9", "7.0", "7.2", "11.1"};
    tab->field(QStringLiteral("bpaciente"))->setText(QStringLiteral("ANA"));
    for (int i = 0; i < 12; ++i) {
        tab->field(QStringLiteral("s%1").arg(i + 1, 2, 10, QLatin1Char('0')))->setText(QLatin1String(maxilla[i]));
        tab->field(QStringLiteral("i%1").arg(i + 1, 2, 10, QLatin1Char('0')))->setText(QLatin1String(mandible[i]));
    }
    for (const char* name : {"termole", "segmole", "segmold", "termold"})
        tab->field(QLatin1String(name))->setText(QStringLiteral("10.0"));
    tab->findChild<QPushButton*>(QStringLiteral("bCalcular"))->click();
    tab->findChild<QPushButton*>(QStringLiteral("bimprimir"))->click();
    QCOMPARE(viewer.shown.size(), 1);
    const auto& s = viewer.shown.constLast();
    QCOMPARE(s.report, QStringLiteral("report2"));
    QCOMPARE(s.lastPage, 1);
    QCOMPARE(s.pdfName, QStringLiteral("ANA - report2.pdf"));
    QCOMPARE(s.params.value(QStringLiteral("nome")), QStringLiteral("Patient:  ANA"));
    QCOMPARE(s.params.value(QStringLiteral("s1")), QStringLiteral("8.5"));
    QCOMPARE(s.params.value(QStringLiteral("i12")), QStringLiteral("11.1"));
    QCOMPARE(s.params.value(QStringLiteral("rs12")), QStringLiteral("92.7"));
    QCOMPARE(s.params.value(QStringLiteral("contai12")), QStringLiteral("87.0"));
    QCOMPARE(s.params.value(QStringLiteral("contatotal12")), QStringLiteral("93.9 %"));
    QCOMPARE(s.params.value(QStringLiteral("diag12")),
             QStringLiteral("Sum of mesiodistal diameters\r\r654321 | 123456\r\rExcessive mandibular\rdiscrepancy of ")
                 + s.params.value(QStringLiteral("res12")) + QStringLiteral("mm"));
    QVERIFY(!s.params.contains(QStringLiteral("termole")));
}

void PrintingTest::outlinePrintSavesFirst()
{
    RecordingViewer viewer;
    PrintFixture f(viewer, "Button8");
    OutlineTab* tab = f.main()->outline();
    tab->memo()->setPlainText(QStringLiteral("Phase 1"));
    tab->findChild<QPushButton*>(QStringLiteral("poimprimir"))->click();
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("There is no Treatment Outline!")});
    QVERIFY(QDir(f.scratch.path(QStringLiteral("Analyses"))).entryList(QDir::Files).isEmpty());

    tab->patient()->setText(QStringLiteral("JOSE"));
    tab->memo()->setPlainText(QStringLiteral("Phase 1\nPhase 2"));
    tab->findChild<QPushButton*>(QStringLiteral("poimprimir"))->click();
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("Treatment Plan successfully saved!")});
    QVERIFY(QFile::exists(f.analyses(QStringLiteral("JOSE.otl"))));
    QCOMPARE(viewer.shown.size(), 1);
    QCOMPARE(viewer.shown[0].report, QStringLiteral("report4"));
    QCOMPARE(viewer.shown[0].lastPage, 50);
    QCOMPARE(viewer.shown[0].pdfName, QStringLiteral("JOSE - report4.pdf"));
    QCOMPARE(viewer.shown[0].params.value(QStringLiteral("nome")), QStringLiteral("Patient:  JOSE"));
    QCOMPARE(viewer.shown[0].params.value(QStringLiteral("memo1")), QStringLiteral("Phase 1\rPhase 2\r"));
}

// PRINT runs SAVE first; what SAVE did not store is not printed.
void PrintingTest::outlinePrintAfterARefusedSave_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("icon");
    QTest::newRow("another patient's outline under the name") << "taken" << int(Messenger::Icon::Warning);
    QTest::newRow("text Windows-1252 cannot hold") << "unstorable" << int(Messenger::Icon::Warning);
    QTest::newRow("the write fails") << "folder gone" << int(Messenger::Icon::Error);
}

void PrintingTest::outlinePrintAfterARefusedSave()
{
    QFETCH(QString, fault);
    QFETCH(int, icon);
    RecordingViewer viewer;
    PrintFixture f(viewer, "Button8");
    OutlineTab* tab = f.main()->outline();
    const QString jose = f.analyses(QStringLiteral("JOSE.otl"));
    if (fault == QLatin1String("taken")) {
        tab->patient()->setText(QStringLiteral("JOSE"));
        tab->memo()->setPlainText(QStringLiteral("Jose's own plan"));
        tab->findChild<QPushButton*>(QStringLiteral("posalvar"))->click();
        tab->findChild<QPushButton*>(QStringLiteral("polimpar"))->click();
    }
    QFile before(jose);
    const QByteArray stored = before.open(QIODevice::ReadOnly) ? before.readAll() : QByteArray();
    tab->patient()->setText(QStringLiteral("JOSE"));
    tab->memo()->setPlainText(fault == QLatin1String("unstorable") ? QStringLiteral("Phase 1 \u2192 Phase 2")
                                                                   : QStringLiteral("Phase 1"));
    if (fault == QLatin1String("folder gone"))
        QVERIFY(QDir(f.scratch.path(QStringLiteral("Analyses"))).removeRecursively());
    const int boxes = f.messenger.boxes.size();
    tab->findChild<QPushButton*>(QStringLiteral("poimprimir"))->click();
    QCOMPARE(f.messenger.boxes.size(), boxes + 1);
    QCOMPARE(int(f.messenger.last().icon), icon);
    QCOMPARE(viewer.shown.size(), 0);
    QFile after(jose);
    QCOMPARE(after.open(QIODevice::ReadOnly) ? after.readAll() : QByteArray(), stored);
}

void PrintingTest::historyPrintsTheHistoryOnScreen()
{
    RecordingViewer viewer;
    PrintFixture f(viewer, "Button7");
    HistoryTab* tab = f.main()->history();
    tab->setToday([] { return QDate(2026, 12, 10); });
    tab->findChild<QPushButton*>(QStringLiteral("plimprimir"))->click();
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("There is no Treatment Plan!")});

    tab->patient()->setText(QStringLiteral("JOSE"));
    tab->description()->setPlainText(QStringLiteral("Bonding"));
    tab->findChild<QPushButton*>(QStringLiteral("plsalvar"))->click();
    tab->findChild<QPushButton*>(QStringLiteral("plimprimir"))->click();
    QCOMPARE(viewer.shown.size(), 1);
    QCOMPARE(viewer.shown[0].report, QStringLiteral("report3"));
    QCOMPARE(viewer.shown[0].lastPage, 50);
    QCOMPARE(viewer.shown[0].pdfName, QStringLiteral("JOSE - report3.pdf"));
    const QString memo = viewer.shown[0].params.value(QStringLiteral("memo1"));
    QVERIFY(memo.contains(QStringLiteral("\r\rBonding\r") + QString(145, QLatin1Char('-')) + QLatin1Char('\r')));
    QVERIFY(!memo.contains(QStringLiteral("JOSE")));

    // Another name typed over the history on screen: nothing prints.
    tab->patient()->setText(QStringLiteral("MARIA"));
    tab->findChild<QPushButton*>(QStringLiteral("plimprimir"))->click();
    QCOMPARE(viewer.shown.size(), 1);
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Warning);

    // The file gone since: an error box naming it.
    tab->patient()->setText(QStringLiteral("JOSE"));
    QFile::remove(f.analyses(QStringLiteral("JOSE.pln")));
    tab->findChild<QPushButton*>(QStringLiteral("plimprimir"))->click();
    QCOMPARE(viewer.shown.size(), 1);
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().startsWith(QStringLiteral("JOSE.pln: ")));
}

// A history opened from outside the patients' folder (a backup) prints from
// the file it was read from, not from the patient's file of that name.
void PrintingTest::historyFromAnotherFolderPrintsFromThatFile()
{
    RecordingViewer viewer;
    PrintFixture f(viewer, "Button7");
    HistoryTab* tab = f.main()->history();
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    QVERIFY(QDir(f.scratch.path(QString())).mkdir(QStringLiteral("backup")));
    const QString backup = f.scratch.path(QStringLiteral("backup/JOSE.pln"));
    write(backup, "JOSE\r\n10/12/26\r\n\r\nBonding from the backup\r\n");
    write(f.analyses(QStringLiteral("JOSE.pln")), "JOSE\r\n11/12/26\r\n\r\nThe practice's copy\r\n");
    f.desktop.chosenFiles = {backup};
    tab->findChild<QPushButton*>(QStringLiteral("plabrir"))->click();
    QCOMPARE(tab->patient()->text(), QStringLiteral("JOSE"));
    const int boxes = f.messenger.boxes.size();
    tab->findChild<QPushButton*>(QStringLiteral("plimprimir"))->click();
    QCOMPARE(f.messenger.boxes.size(), boxes);
    QCOMPARE(viewer.shown.size(), 1);
    const QString memo = viewer.shown[0].params.value(QStringLiteral("memo1"));
    QVERIFY2(memo.contains(QStringLiteral("Bonding from the backup")), qPrintable(memo));
    QVERIFY(!memo.contains(QStringLiteral("practice's copy")));
    QCOMPARE(viewer.shown[0].params.value(QStringLiteral("nome")), QStringLiteral("Patient:  JOSE"));
}

void PrintingTest::pdfNameStaysAFileName_data()
{
    QTest::addColumn<QString>("patient");
    QTest::addColumn<QString>("name");
    QTest::newRow("typed") << "MARIA DA SILVA, JR" << "MARIA DA SILVA, JR - report1.pdf";
    QTest::newRow("none") << "" << "report1.pdf";
    // Names read from a file are not filtered: none may lead out of the folder.
    QTest::newRow("from a file") << "../ANA\\B\tC" << ".._ANA_B_C - report1.pdf";
}

void PrintingTest::pdfNameStaysAFileName()
{
    QFETCH(QString, patient);
    QFETCH(QString, name);
    QCOMPARE(pdfFileName(patient, QStringLiteral("report1")), name);
}

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"
