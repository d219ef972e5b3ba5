#include "bolton/boltonfile.h"
#include "common/fileio.h"
#include "export/analysisexport.h"
#include "tweed/tweedfile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace vel;

namespace {

TweedRecord tweedCase(bool guidance)
{
    TweedRecord r;
    r.patient = QStringLiteral("MARIA SILVA");
    r.age = QStringLiteral("12");
    const char* values[] = {"25.0", "62.0", "95.0", "10.0", "83.0", "79.5", "2.0", "72.0", "15.0", "12.0",
                            "110.0", "75.0", "30.5", "27.0", "15.0", "14.0", "-2.0", "-1.5", "20.0", "18.0"};
    for (int i = 0; i < 20; ++i)
        r.entries[i] = QLatin1String(values[i]);
    r.guidance = guidance;
    r.answers.daapinh = true;
    r.answers.maior = true;
    r.answers.dpadq = true;
    r.answers.clsim = true;
    r.answers.horcl2 = true;
    r.answers.sem = true;
    return r;
}

BoltonRecord boltonCase()
{
    BoltonRecord r;
    r.patient = QStringLiteral("ANA, \"MARIA\"");
    const char* maxilla[12] = {"10.2", "6.8", "7.1", "7.9", "6.6", "8.6", "8.6", "6.6", "7.9", "7.1", "6.8", "10.2"};
    const char* mandible[12] = {"11.1", "7.2", "7.0", "6.9", "5.9", "5.4", "5.4", "5.9", "6.9", "7.0", "7.2", "11.1"};
    for (int i = 0; i < 12; ++i) {
        r.maxilla[i] = QLatin1String(maxilla[i]);
        r.mandible[i] = QLatin1String(mandible[i]);
    }
    return r;
}

struct Run {
    int exitCode;
    QByteArray out;
    QByteArray err;
    bool finished = true;
};

// `setup` changes the child's surroundings (its standard output, say);
// a run still going after `limitMs` is killed and reported as unfinished.
Run exportTool(const QStringList& args, const std::function<void(QProcess&)>& setup = {}, int limitMs = 60000)
{
    QProcess p;
    if (setup)
        setup(p);
    p.start(QStringLiteral(VELMORA_EXPORT_BIN), args);
    Run run{-1, {}, {}, p.waitForFinished(limitMs)};
    if (!run.finished) {
        p.kill();
        p.waitForFinished();
    }
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

// A run that could hang (a FIFO where a file should be) gets a few seconds.
constexpr int kHangLimitMs = 10000;

// A folder with copies of the shipped Bolton.cef and Análises.rav.
void copyData(const QString& to)
{
    QDir().mkpath(to);
    for (const QString& name : {QStringLiteral("Bolton.cef"), QString::fromUtf8("An\xc3\xa1lises.rav")})
        QVERIFY(QFile::copy(QDir(QStringLiteral(VELMORA_DATA_DIR)).filePath(name), QDir(to).filePath(name)));
}

// RFC 4180: quoted cells, doubled quotes, CR LF between records.
QList<QStringList> parseCsv(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                cell += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << cell;
            cell.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            row << cell;
            rows << row;
            row.clear();
            cell.clear();
            ++i;
        } else {
            cell += c;
        }
    }
    return rows;
}

}  // namespace

class ExportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void jsonOfAFolder();
    void aFailedCheckIsAMessage();
    void aShortFileIsReportedAndTheRestExported();
    void csvParsesBack();
    void pdfReports();
    void usageErrors();
    void aFailedStandardOutputFails_data();
    void aFailedStandardOutputFails();
    void aFifoIsRefusedByName_data();
    void aFifoIsRefusedByName();
    void hiddenFilesAndCapitalSuffixesAreTaken();
    void aNameThatIsNotUtf8IsExported();
    void anOutputFolderThatCannotBeMadeIsNamed_data();
    void anOutputFolderThatCannotBeMadeIsNamed();
    void aFullDiskKeepsTheOldFiles_data();
    void aFullDiskKeepsTheOldFiles();
    void anAnalysisThatCannotBePrintedIsNamed();
    void filesOfOneNameGiveDistinctPdfs();
    void reportsOnEveryCoreKeepTheirNamesAndOrder();
    void csvCellsCannotRunAsFormulas_data();
    void csvCellsCannotRunAsFormulas();

private:
    QTemporaryDir dir_;
    QString folder_;
};

void ExportTest::initTestCase()
{
    folder_ = dir_.filePath(QStringLiteral("Analyses"));
    QDir().mkpath(folder_);
    replaceFile(QDir(folder_).filePath(QStringLiteral("MARIA SILVA-PRE-TX.twe")), tweedCase(false).toBytes());
    replaceFile(QDir(folder_).filePath(QStringLiteral("MARIA SILVA-FINAL.twe")), tweedCase(true).toBytes());
    replaceFile(QDir(folder_).filePath(QStringLiteral("ANA.bol")), boltonCase().toBytes());
    replaceFile(QDir(folder_).filePath(QStringLiteral("notes.txt")), "not an analysis");
}

void ExportTest::jsonOfAFolder()
{
    const Run run = exportTool({QStringLiteral("--data"), QStringLiteral(VELMORA_DATA_DIR), folder_});
    QCOMPARE(run.exitCode, 0);
    QJsonParseError error;
    const QJsonArray all = QJsonDocument::fromJson(run.out, &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(all.size(), 3);
    // Name order: ANA.bol, then the Tweed files.
    QCOMPARE(all[0][QStringLiteral("kind")].toString(), QStringLiteral("bolton"));
    QCOMPARE(all[1][QStringLiteral("file")].toString(), QDir(folder_).filePath(QStringLiteral("MARIA SILVA-FINAL.twe")));

    const QJsonObject bolton = all[0].toObject();
    QCOMPARE(bolton[QStringLiteral("fields")][QStringLiteral("s01")].toString(), QStringLiteral("10.2"));
    QCOMPARE(bolton[QStringLiteral("results")][QStringLiteral("res12")].toString(), QStringLiteral("1.2"));
    QCOMPARE(bolton[QStringLiteral("results")][QStringLiteral("diag12")].toString(),
             QStringLiteral("Excessive mandibular\rdiscrepancy of 1.2mm"));
    QVERIFY(bolton[QStringLiteral("messages")].toArray().isEmpty());

    const QJsonObject guided = all[1].toObject();
    const QJsonObject fields = guided[QStringLiteral("fields")].toObject();
    QCOMPARE(fields[QStringLiteral("stage")].toString(), QStringLiteral("FINAL"));
    QCOMPARE(fields[QStringLiteral("gender")].toString(), QStringLiteral("Female"));
    QCOMPARE(fields[QStringLiteral("impaOption")].toString(), QStringLiteral("Yes"));
    const QJsonObject results = guided[QStringLiteral("results")].toObject();
    QCOMPARE(results[QStringLiteral("andiscres")].toString(), QStringLiteral("-10.4"));
    QCOMPARE(results[QStringLiteral("idlabel")].toString(), QStringLiteral("DIFFICULTY INDEX  MILD: 18.2"));
    QCOMPARE(results[QStringLiteral("dsantinfo")].toString(), QStringLiteral("Anterior Surplus/Deficit"));
    QCOMPARE(results[QStringLiteral("dsdesc3")].toString(), QStringLiteral("Extract:"));
    QCOMPARE(results[QStringLiteral("ou3")].toString(), QStringLiteral("or"));
    QCOMPARE(results[QStringLiteral("ou4")].toString(), QString());
    QVERIFY(results.contains(QStringLiteral("ou")));  // hidden, but listed
    QCOMPARE(results[QStringLiteral("ou")].toString(), QString());
    QCOMPARE(results[QStringLiteral("dsmed")].toString(), QStringLiteral("Extract:"));

    const QJsonObject plain = all[2].toObject()[QStringLiteral("results")].toObject();
    QCOMPARE(plain[QStringLiteral("andiscres")].toString(), QStringLiteral("-10.4"));
    QCOMPARE(plain[QStringLiteral("dsantinfo")].toString(), QString());
}

void ExportTest::aFailedCheckIsAMessage()
{
    QTemporaryDir dir;
    TweedRecord r = tweedCase(false);
    r.entries[10] = QStringLiteral("0");  // AFH
    const QString path = dir.filePath(QStringLiteral("X-PRE-TX.twe"));
    replaceFile(path, r.toBytes());
    r.replaceImpa = true;  // "No" with the replacement never typed
    const QString pending = dir.filePath(QStringLiteral("Y-PRE-TX.twe"));
    r.entries[10] = QStringLiteral("110.0");
    replaceFile(pending, r.toBytes());
    const Run run = exportTool({path, pending});
    QCOMPARE(run.exitCode, 0);
    const QJsonArray all = QJsonDocument::fromJson(run.out).array();
    QCOMPARE(all[0][QStringLiteral("messages")].toArray().first().toString(),
             QStringLiteral("AFA value must be different than ZERO!"));
    QCOMPARE(all[0][QStringLiteral("results")][QStringLiteral("twanbres")].toString(), QString());
    QCOMPARE(all[1][QStringLiteral("messages")].toArray().first().toString(),
             QStringLiteral("All fields must be filled in before calculating!"));
}

void ExportTest::aShortFileIsReportedAndTheRestExported()
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("GOOD-PRE-TX.twe"));
    const QString shortFile = dir.filePath(QStringLiteral("SHORT-PRE-TX.twe"));
    replaceFile(good, tweedCase(false).toBytes());
    replaceFile(shortFile, QByteArray(50, '\1'));
    const Run run = exportTool({shortFile, good, dir.filePath(QStringLiteral("MISSING.bol"))});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains(shortFile.toUtf8() + ": the file is shorter than 199 bytes"));
    QVERIFY(run.err.contains("MISSING.bol: "));
    const QJsonArray all = QJsonDocument::fromJson(run.out).array();
    QCOMPARE(all.size(), 1);
    QCOMPARE(all[0][QStringLiteral("file")].toString(), good);
}

void ExportTest::csvParsesBack()
{
    QTemporaryDir out;
    const Run run = exportTool({QStringLiteral("--csv"), out.path(), QStringLiteral("--data"),
                                QStringLiteral(VELMORA_DATA_DIR), folder_});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.isEmpty());
    const QList<QStringList> tweed = parseCsv(readFileBytes(QDir(out.path()).filePath(QStringLiteral("tweed.csv"))));
    QCOMPARE(tweed.size(), 3);
    for (const QStringList& row : tweed)
        QCOMPARE(row.size(), tweed[0].size());
    const int total = tweed[0].indexOf(QStringLiteral("Total Surplus/Deficit"));
    const int skeletal = tweed[0].indexOf(QStringLiteral("Skeletal Suggestion"));
    QVERIFY(total > 0 && skeletal > 0);
    QCOMPARE(tweed[1][total], QStringLiteral("-10.4"));
    QCOMPARE(tweed[1][skeletal], QStringLiteral("Extract: [8 8 / 8 8] or Extract: [4 4 /  ] or Extract: [4 4 / 5 5]"));

    const QList<QStringList> bolton = parseCsv(readFileBytes(QDir(out.path()).filePath(QStringLiteral("bolton.csv"))));
    QCOMPARE(bolton.size(), 2);
    QCOMPARE(bolton[1][bolton[0].indexOf(QStringLiteral("Patient"))], QStringLiteral("ANA, \"MARIA\""));
    QCOMPARE(bolton[1][bolton[0].indexOf(QStringLiteral("Overall Diagnosis"))],
             QStringLiteral("Excessive mandibular discrepancy of 1.2mm"));
}

void ExportTest::pdfReports()
{
    QTemporaryDir out;
    const Run run = exportTool({QStringLiteral("--pdf"), out.path(), QStringLiteral("--data"),
                                QStringLiteral(VELMORA_DATA_DIR), folder_});
    QCOMPARE(run.exitCode, 0);
    QStringList pdfs = QDir(out.path()).entryList(QDir::Files);
    pdfs.sort();
    QCOMPARE(pdfs, (QStringList{"ANA.pdf", "MARIA SILVA-FINAL.pdf", "MARIA SILVA-PRE-TX.pdf"}));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QDir(out.path()).filePath(QStringLiteral("MARIA SILVA-FINAL.pdf")),
                                             QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString content = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY(content.contains(QStringLiteral("MARIA SILVA")));
    QVERIFY(content.contains(QStringLiteral("Skeletal Disharmony")));
    QCOMPARE(content.count(QLatin1Char('\f')), 2);  // two pages: the analysis and the diagnosis
}

void ExportTest::usageErrors()
{
    for (const QStringList& args : {QStringList{}, QStringList{QStringLiteral("--bogus"), folder_},
                                    QStringList{QStringLiteral("--json"), QStringLiteral("--csv"), QStringLiteral("x"), folder_},
                                    QStringList{QStringLiteral("--csv")},
                                    QStringList{QStringLiteral("--pdf"), QString(), folder_},
                                    QStringList{QStringLiteral("--csv"), QString(), folder_},
                                    QStringList{QStringLiteral("--data"), QString(), folder_},
                                    QStringList{QStringLiteral("--jobs"), QStringLiteral("0"), folder_},
                                    QStringList{QStringLiteral("--jobs"), QStringLiteral("two"), folder_},
                                    QStringList{QStringLiteral("--jobs")}}) {
        const Run run = exportTool(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("usage: velmora-export"));
        QVERIFY(run.out.isEmpty());
    }
}

void ExportTest::aFailedStandardOutputFails_data()
{
    QTest::addColumn<bool>("full");  // otherwise closed
    QTest::addColumn<bool>("help");
    QTest::addColumn<QByteArray>("reason");
    QTest::newRow("JSON to /dev/full") << true << false << QByteArray("No space left on device");
    QTest::newRow("JSON to a closed output") << false << false << QByteArray("it is closed");
    QTest::newRow("help to /dev/full") << true << true << QByteArray("No space left on device");
    QTest::newRow("help to a closed output") << false << true << QByteArray("it is closed");
}

void ExportTest::aFailedStandardOutputFails()
{
    QFETCH(bool, full);
    QFETCH(bool, help);
    QFETCH(QByteArray, reason);
    if (full && !QFileInfo(QStringLiteral("/dev/full")).exists())
        QSKIP("this system has no /dev/full");
    const Run run = exportTool(help ? QStringList{QStringLiteral("--help")}
                                    : QStringList{QStringLiteral("--data"), QStringLiteral(VELMORA_DATA_DIR), folder_},
                               [full](QProcess& p) {
                                   if (full)
                                       p.setStandardOutputFile(QStringLiteral("/dev/full"));
                                   else
                                       p.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
                               });
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("standard output: " + reason), run.err.constData());
}

void ExportTest::aFifoIsRefusedByName_data()
{
    QTest::addColumn<QString>("fifo");     // relative to a scratch folder
    QTest::addColumn<QString>("link");     // a link to the FIFO, given instead of it; empty for none
    QTest::addColumn<QStringList>("args"); // {} stands for the scratch folder
    QTest::addColumn<QString>("named");    // what the message names
    const QString rav = QString::fromUtf8("data/An\xc3\xa1lises.rav");
    QTest::newRow("as the path") << "PIPE-PRE-TX.twe" << "" << QStringList{"{}/PIPE-PRE-TX.twe"}
                                 << "{}/PIPE-PRE-TX.twe";
    QTest::newRow("through a link") << "PIPE" << "LINK.bol" << QStringList{"--data", "{}/data", "{}/LINK.bol"}
                                    << "{}/LINK.bol";
    QTest::newRow("in a folder") << "IN-FOLDER-PRE-TX.twe" << "" << QStringList{"--data", "{}/data", "{}"}
                                 << "{}/IN-FOLDER-PRE-TX.twe";
    QTest::newRow("Bolton.cef") << "data/Bolton.cef" << "" << QStringList{"--data", "{}/data", "{}/ANA.bol"}
                                << "Bolton.cef";
    QTest::newRow(rav.toUtf8()) << rav << "" << QStringList{"--pdf", "{}/out", "--data", "{}/data", "{}/ANA.bol"}
                                << "{}/" + rav;
    QTest::newRow("an image of the report") << "data/logo.svg" << ""
                                            << QStringList{"--pdf", "{}/out", "--data", "{}/data", "{}/ANA.bol"}
                                            << "{}/data/logo.svg";
}

void ExportTest::aFifoIsRefusedByName()
{
    QFETCH(QString, fifo);
    QFETCH(QString, link);
    QFETCH(QStringList, args);
    QFETCH(QString, named);
    QTemporaryDir dir;
    copyData(dir.filePath(QStringLiteral("data")));
    // The report draws its logo from a file beside the definitions.
    const QString rav = dir.filePath(QString::fromUtf8("data/An\xc3\xa1lises.rav"));
    QByteArray layouts = readFileBytes(rav);
    QVERIFY(layouts.contains("src=\":/velmora.svg\""));
    replaceFile(rav, layouts.replace("src=\":/velmora.svg\"", "src=\"logo.svg\""));
    replaceFile(dir.filePath(QStringLiteral("ANA.bol")), boltonCase().toBytes());

    const QString fifoPath = dir.filePath(fifo);
    QFile::remove(fifoPath);
    if (::mkfifo(QFile::encodeName(fifoPath).constData(), 0600) != 0)
        QSKIP("cannot make a FIFO in the scratch folder");
    if (!link.isEmpty())
        QVERIFY(QFile::link(fifoPath, dir.filePath(link)));
    for (QString& arg : args)
        arg.replace(QStringLiteral("{}"), dir.path());
    const Run run = exportTool(args, {}, kHangLimitMs);
    QVERIFY2(run.finished, "the export waited on the FIFO");
    QCOMPARE(run.exitCode, 1);
    const QByteArray message = named.replace(QStringLiteral("{}"), dir.path()).toUtf8() + ": this is a FIFO";
    QVERIFY2(run.err.contains(message), run.err.constData());
}

void ExportTest::hiddenFilesAndCapitalSuffixesAreTaken()
{
    QTemporaryDir dir;
    replaceFile(dir.filePath(QStringLiteral(".HIDDEN-PRE-TX.twe")), tweedCase(false).toBytes());
    replaceFile(dir.filePath(QStringLiteral("OLD-FINAL.TWE")), tweedCase(false).toBytes());
    replaceFile(dir.filePath(QStringLiteral("ANA.bol")), boltonCase().toBytes());
    const Run run = exportTool({QStringLiteral("--data"), QStringLiteral(VELMORA_DATA_DIR), dir.path()});
    QCOMPARE(run.exitCode, 0);
    QStringList files;
    for (const QJsonValue& a : QJsonDocument::fromJson(run.out).array())
        files << QFileInfo(a[QStringLiteral("file")].toString()).fileName();
    QCOMPARE(files, (QStringList{".HIDDEN-PRE-TX.twe", "ANA.bol", "OLD-FINAL.TWE"}));

    // Their reports are not hidden.
    QTemporaryDir out;
    const Run pdf = exportTool({QStringLiteral("--pdf"), out.path(), QStringLiteral("--data"),
                                QStringLiteral(VELMORA_DATA_DIR), dir.path()});
    QCOMPARE(pdf.exitCode, 0);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{"ANA.pdf", "HIDDEN-PRE-TX.pdf", "OLD-FINAL.pdf"}));
}

void ExportTest::aNameThatIsNotUtf8IsExported()
{
    // "ÉLIO" as an old Windows disk holds it: a single byte 0xC9.
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.path()) + "/\xC9LIO-FINAL.twe";
    const QByteArray record = tweedCase(false).toBytes();
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0)
        QSKIP("this file system refuses a name that is not UTF-8");
    // QTemporaryDir cannot see the name to remove it.
    const auto removeIt = qScopeGuard([&path] { ::unlink(path.constData()); });
    QCOMPARE(::write(fd, record.constData(), static_cast<size_t>(record.size())), ssize_t(record.size()));
    ::close(fd);
    const QString shown = dir.filePath(QString::fromUtf8("\xc3\x89LIO-FINAL.twe"));

    // Given in its folder, and by itself (the bytes reach the tool through a shell).
    QProcess byName;
    byName.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$1/$(printf '\\311')LIO-FINAL.twe\""),
                                              QStringLiteral(VELMORA_EXPORT_BIN), dir.path()});
    QVERIFY(byName.waitForFinished(60000));
    const Run inFolder = exportTool({dir.path()});
    for (const Run& run : {inFolder, Run{byName.exitCode(), byName.readAllStandardOutput(), byName.readAllStandardError()}}) {
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QJsonArray all = QJsonDocument::fromJson(run.out).array();
        QCOMPARE(all.size(), 1);
        QCOMPARE(all[0][QStringLiteral("file")].toString(), shown);
        QCOMPARE(all[0][QStringLiteral("fields")][QStringLiteral("stage")].toString(), QStringLiteral("FINAL"));
        QCOMPARE(all[0][QStringLiteral("results")][QStringLiteral("andiscres")].toString(), QStringLiteral("-10.4"));
    }

    QTemporaryDir out;
    const Run pdf = exportTool({QStringLiteral("--pdf"), out.path(), QStringLiteral("--data"),
                                QStringLiteral(VELMORA_DATA_DIR), dir.path()});
    QCOMPARE(pdf.exitCode, 0);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{QString::fromUtf8("\xc3\x89LIO-FINAL.pdf")});
}

void ExportTest::anOutputFolderThatCannotBeMadeIsNamed_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("folder");  // under a scratch folder holding a regular file "FILE"
    QTest::addColumn<QString>("reason");
    for (const char* option : {"--pdf", "--csv"}) {
        QTest::addRow("%s where a file is", option) << option << "FILE" << "cannot create this folder: this is a file";
        QTest::addRow("%s below a file", option) << option << "FILE/out"
                                                 << "cannot create this folder: {}/FILE: this is a file";
    }
}

void ExportTest::anOutputFolderThatCannotBeMadeIsNamed()
{
    QFETCH(QString, option);
    QFETCH(QString, folder);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("FILE"));
    replaceFile(file, "kept");
    const QString out = dir.filePath(folder);
    const Run run = exportTool({option, out, QStringLiteral("--data"), QStringLiteral(VELMORA_DATA_DIR), folder_});
    QCOMPARE(run.exitCode, 1);
    const QByteArray message = (out + QStringLiteral(": ") + reason.replace(QStringLiteral("{}"), dir.path())).toUtf8();
    QVERIFY2(run.err.contains(message), run.err.constData());
    QVERIFY(run.out.isEmpty());  // nothing is written when a folder is missing
    QCOMPARE(readFileBytes(file), QByteArray("kept"));
}

void ExportTest::aFullDiskKeepsTheOldFiles_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("kept");    // a file of an earlier export, in the full folder
    QTest::addColumn<QString>("failed");  // the first file the tool names
    QTest::newRow("PDF") << "--pdf" << "ANA.pdf" << "ANA.pdf";
    QTest::newRow("CSV") << "--csv" << "bolton.csv" << "tweed.csv";
}

void ExportTest::aFullDiskKeepsTheOldFiles()
{
    QFETCH(QString, option);
    QFETCH(QString, kept);
    QFETCH(QString, failed);
    // The output folder becomes a one-page file system, filled by the earlier
    // export's file; the mount lives only in the child's own namespace, and
    // the child lists the folder before that namespace goes.
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(out));
    const QString script = QStringLiteral(
        "mount -t tmpfs -o size=4k tmpfs \"$1\" || exit 99; printf old > \"$1/$2\"; "
        "\"$0\" $3 \"$1\" --data \"$4\" \"$5\" > /dev/null; status=$?; "
        "ls -A \"$1\"; cat \"$1/$2\"; exit $status");
    QProcess p;
    p.start(QStringLiteral("unshare"), {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                                        QStringLiteral("sh"), QStringLiteral("-c"), script,
                                        QStringLiteral(VELMORA_EXPORT_BIN), out, kept, option,
                                        QStringLiteral(VELMORA_DATA_DIR), folder_});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() == 99
        || p.error() == QProcess::FailedToStart)
        QSKIP("cannot mount a small file system here (needs unshare and the right to mount)");
    const QByteArray err = p.readAllStandardError();
    QCOMPARE(p.exitCode(), 1);
    QVERIFY2(err.contains(QDir(out).filePath(failed).toUtf8() + ": No space left on device"), err.constData());
    // No temporary file is left, and the earlier file is whole.
    QCOMPARE(p.readAllStandardOutput(), kept.toUtf8() + "\nold");
}

void ExportTest::anAnalysisThatCannotBePrintedIsNamed()
{
    QTemporaryDir dir;
    TweedRecord failing = tweedCase(false);
    failing.entries[10] = QStringLiteral("0");  // AFH
    replaceFile(dir.filePath(QStringLiteral("ZERO-PRE-TX.twe")), failing.toBytes());
    replaceFile(dir.filePath(QStringLiteral("GOOD-PRE-TX.twe")), tweedCase(false).toBytes());
    replaceFile(dir.filePath(QStringLiteral("ANA.bol")), boltonCase().toBytes());
    // Layouts without the Bolton report.
    const QString data = dir.filePath(QStringLiteral("data"));
    copyData(data);
    const QString rav = QDir(data).filePath(QString::fromUtf8("An\xc3\xa1lises.rav"));
    QByteArray layouts = readFileBytes(rav);
    QVERIFY(layouts.contains("<report name=\"report2\""));
    replaceFile(rav, layouts.replace("<report name=\"report2\"", "<report name=\"renamed\""));

    QTemporaryDir out;
    const Run run = exportTool({QStringLiteral("--pdf"), out.path(), QStringLiteral("--data"), data, dir.path()});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(dir.filePath(QStringLiteral("ZERO-PRE-TX.twe")).toUtf8()
                              + ": not printed: AFA value must be different than ZERO!"),
             run.err.constData());
    QVERIFY2(run.err.contains(dir.filePath(QStringLiteral("ANA.bol")).toUtf8() + ": not printed: " + rav.toUtf8()
                              + " has no report \"report2\""),
             run.err.constData());
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{"GOOD-PRE-TX.pdf"});
}

void ExportTest::filesOfOneNameGiveDistinctPdfs()
{
    QTemporaryDir dir;
    const QStringList folders{dir.filePath(QStringLiteral("a")), dir.filePath(QStringLiteral("b"))};
    for (const QString& folder : folders) {
        QDir().mkpath(folder);
        TweedRecord r = tweedCase(false);
        r.patient = QFileInfo(folder).fileName() == QLatin1String("a") ? QStringLiteral("FIRST") : QStringLiteral("SECOND");
        replaceFile(QDir(folder).filePath(QStringLiteral("SAME-PRE-TX.twe")), r.toBytes());
    }
    auto patientIn = [](const QString& pdf) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        text.waitForFinished(30000);
        const QByteArray content = text.readAllStandardOutput();
        return content.contains("FIRST") ? QStringLiteral("FIRST") : content.contains("SECOND") ? QStringLiteral("SECOND") : QString();
    };
    // In the order given, whichever that is.
    for (const bool reversed : {false, true}) {
        QTemporaryDir out;
        const Run run = exportTool({QStringLiteral("--pdf"), out.path(), QStringLiteral("--data"),
                                    QStringLiteral(VELMORA_DATA_DIR), folders[reversed ? 1 : 0], folders[reversed ? 0 : 1]});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name), (QStringList{"SAME-PRE-TX (2).pdf", "SAME-PRE-TX.pdf"}));
        QCOMPARE(patientIn(QDir(out.path()).filePath(QStringLiteral("SAME-PRE-TX.pdf"))),
                 reversed ? QStringLiteral("SECOND") : QStringLiteral("FIRST"));
        QCOMPARE(patientIn(QDir(out.path()).filePath(QStringLiteral("SAME-PRE-TX (2).pdf"))),
                 reversed ? QStringLiteral("FIRST") : QStringLiteral("SECOND"));
        QVERIFY2(run.err.contains("its report is SAME-PRE-TX (2).pdf"), run.err.constData());
    }
}

void ExportTest::reportsOnEveryCoreKeepTheirNamesAndOrder()
{
    // Printable and unprintable analyses mixed, names repeated across two
    // folders: made one at a time and four at a time, the same files come
    // out, each with its own patient, and stderr tells the same in the same order.
    QTemporaryDir dir;
    const QStringList folders{dir.filePath(QStringLiteral("a")), dir.filePath(QStringLiteral("b"))};
    for (const QString& folder : folders) {
        QDir().mkpath(folder);
        for (int i = 0; i < 12; ++i) {
            TweedRecord r = tweedCase(false);
            r.patient = QStringLiteral("P%1%2").arg(QFileInfo(folder).fileName()).arg(i);
            if (i % 5 == 0)
                r.entries[10] = QStringLiteral("0");  // AFH: not printed
            replaceFile(QDir(folder).filePath(QStringLiteral("N%1-PRE-TX.twe").arg(i)), r.toBytes());
        }
    }
    QByteArray errors[2];
    QStringList files[2];
    for (int run = 0; run < 2; ++run) {
        QTemporaryDir out;
        const Run r = exportTool({QStringLiteral("--pdf"), out.path(), QStringLiteral("--jobs"),
                                  run == 0 ? QStringLiteral("1") : QStringLiteral("4"), QStringLiteral("--data"),
                                  QStringLiteral(VELMORA_DATA_DIR), folders[0], folders[1]});
        QCOMPARE(r.exitCode, 1);
        errors[run] = r.err;
        files[run] = QDir(out.path()).entryList(QDir::Files, QDir::Name);
        // The second folder's reports carry its patients.
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QDir(out.path()).filePath(QStringLiteral("N7-PRE-TX (2).pdf")), QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        QVERIFY(text.readAllStandardOutput().contains("Pb7"));
    }
    QCOMPARE(files[0].size(), 2 * 12 - 2 * 3);
    QCOMPARE(files[1], files[0]);
    QCOMPARE(errors[1], errors[0]);
    QVERIFY2(errors[0].indexOf("a/N0-PRE-TX.twe: not printed") < errors[0].indexOf("b/N0-PRE-TX.twe: not printed"),
             errors[0].constData());
}

void ExportTest::csvCellsCannotRunAsFormulas_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cell");
    const QStringList formulas{"=HYPERLINK(\"http://x\",\"ANA\")", "+1", "-1+1", "-", "-A", "@SUM(A1)", "\t=1", "\r=1"};
    for (const QString& f : formulas)
        QTest::addRow("%s", qPrintable(f.toUtf8().toPercentEncoding())) << f << QLatin1Char('\'') + f;
    // Numbers are data, negative ones too; an '=' inside is harmless.
    for (const char* data : {"-2.0", "-10.4", "-0.0", "-2.", "-.5", "101.3 %", "-1.2 %", "12", "A=B", ""})
        QTest::addRow("%s", data) << data << data;
}

void ExportTest::csvCellsCannotRunAsFormulas()
{
    QFETCH(QString, text);
    QFETCH(QString, cell);
    // The text as a crafted file's patient name, and as a message (the one
    // column that keeps a CR).
    ExportedAnalysis a;
    a.kind = QStringLiteral("bolton");
    a.file = QStringLiteral("ANA.bol");
    a.fields = {{QStringLiteral("bpaciente"), text}};
    a.messages = {text};
    const QList<QStringList> rows = parseCsv(analysesToCsv({a}, QStringLiteral("bolton")));
    QCOMPARE(rows.size(), 2);
    if (!text.contains(QLatin1Char('\r')))
        QCOMPARE(rows[1][rows[0].indexOf(QStringLiteral("Patient"))], cell);
    QCOMPARE(rows[1][rows[0].indexOf(QStringLiteral("Messages"))], cell);
}

QTEST_GUILESS_MAIN(ExportTest)
#include "tst_export.moc"
