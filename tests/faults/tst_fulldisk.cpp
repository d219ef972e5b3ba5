// A real full disk: the working folder lies on a small file system of its own
// (see small_disk.sh), filled to the last byte before each save. Every save,
// the usage count and the export end with a box (or a message) that says the
// disk is full, and every file is byte for byte as it was.
#include "entry/entryfield.h"
#include "guidance/guidewindow.h"
#include "notes/historytab.h"
#include "notes/outlinetab.h"
#include "support/appfixture.h"
#include "support/cases.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace vel;
using namespace vel::test;

namespace {

QMap<QString, QByteArray> disk(const QString& root)
{
    QMap<QString, QByteArray> entries = diskContents(root);
    entries.remove(QStringLiteral("filler"));
    return entries;
}

// Fills the file system under `folder` until not one more byte fits.
class Filler {
public:
    explicit Filler(const QString& folder) : path_(QDir(folder).filePath(QStringLiteral("filler")))
    {
        const int fd = ::open(QFile::encodeName(path_).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0)
            qFatal("cannot make the filler");
        static const QByteArray block(65536, 'x');
        for (qint64 size = block.size(); size >= 1; size /= 2) {
            while (::write(fd, block.constData(), static_cast<size_t>(size)) == size) {
            }
        }
        full_ = errno == ENOSPC;
        ::close(fd);
    }
    ~Filler() { QFile::remove(path_); }
    bool full() const { return full_; }

private:
    QString path_;
    bool full_ = false;
};

struct DiskFixture : AppFixture {
    explicit DiskFixture(const char* button) : AppFixture(button) {}
    void click(const char* name) const { main()->findChild<QPushButton*>(QLatin1String(name))->click(); }
    // The box that ended the action: the file named, the disk full.
    void saysTheDiskIsFull(int boxesBefore, const QString& file) const
    {
        QCOMPARE(messenger.boxes.size(), boxesBefore + 1);
        QCOMPARE(messenger.last().icon, Messenger::Icon::Error);
        QCOMPARE(messenger.last().text(), file + QStringLiteral(": No space left on device"));
    }
};

}  // namespace

class FullDiskTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyWriteOnAFullDisk_data();
    void everyWriteOnAFullDisk();
    void exportOnAFullDisk();
};

void FullDiskTest::initTestCase()
{
    const QString why = qEnvironmentVariable("VELMORA_SMALL_DISK_WHY");
    if (qEnvironmentVariableIsEmpty("VELMORA_SMALL_DISK"))
        QSKIP(qPrintable(QStringLiteral("no small file system to fill: %1 (the same rules are tried on every machine "
                                        "through the room seam in test_common and test_faults)")
                             .arg(why.isEmpty() ? QStringLiteral("not run through small_disk.sh") : why)));
    QVERIFY2(QDir::tempPath() == qEnvironmentVariable("VELMORA_SMALL_DISK"), qPrintable(QDir::tempPath()));
}

void FullDiskTest::everyWriteOnAFullDisk_data()
{
    QTest::addColumn<QString>("action");
    for (const char* a : {"Tweed CALCULATE counts", "Tweed SAVE creates", "Tweed SAVE replaces", "Bolton CALCULATE counts",
                          "Bolton SAVE creates", "Outline SAVE replaces", "Outline SAVE creates", "History SAVE appends",
                          "History SAVE starts"})
        QTest::newRow(a) << QString::fromLatin1(a);
}

void FullDiskTest::everyWriteOnAFullDisk()
{
    QFETCH(QString, action);
    const auto is = [&](const char* a) { return action == QLatin1String(a); };
    const char* button = action.startsWith(QLatin1String("Tweed"))     ? "Button3"
                         : action.startsWith(QLatin1String("Bolton"))  ? "Button4"
                         : action.startsWith(QLatin1String("Outline")) ? "Button8"
                                                                       : "Button7";
    DiskFixture f(button);
    OutlineTab* outline = f.main()->outline();
    HistoryTab* history = f.main()->history();

    // What the action finds: a case on screen and the files it would change.
    QString file;
    if (is("Tweed CALCULATE counts")) {
        typeTweedCase(f.main());
        file = QStringLiteral("Stats.cef");
    } else if (is("Tweed SAVE creates") || is("Tweed SAVE replaces")) {
        typeTweedCase(f.main());
        f.messenger.answers = {Messenger::Answer::Yes};
        f.click("tCalcular");
        if (is("Tweed SAVE replaces")) {
            f.click("tsalvar");  // saved without guidance; with it, SAVE replaces the file
            f.click("tCalcular");
            GuideWindow* guide = f.shell->guide();
            answerGuide(guide);
            guide->findChild<QPushButton*>(QStringLiteral("gdiag"))->click();
        }
        file = QStringLiteral("MARIA SILVA-PRE-TX.twe");
    } else if (is("Bolton CALCULATE counts")) {
        typeBoltonCase(f.main(), QStringLiteral("ANA"));
        file = QStringLiteral("Stats.cef");
    } else if (is("Bolton SAVE creates")) {
        typeBoltonCase(f.main(), QStringLiteral("ANA"));
        f.click("bCalcular");
        file = QStringLiteral("ANA.bol");
    } else if (is("Outline SAVE replaces") || is("Outline SAVE creates")) {
        outline->patient()->setText(QStringLiteral("ANA"));
        outline->memo()->setPlainText(QStringLiteral("Phase 1"));
        if (is("Outline SAVE replaces"))
            f.click("posalvar");
        outline->memo()->setPlainText(QStringLiteral("Phase 1\nPhase 2, and a good deal more than before"));
        file = QStringLiteral("ANA.otl");
    } else {
        history->setToday([] { return QDate(2026, 12, 11); });
        history->patient()->setText(QStringLiteral("ANA"));
        if (is("History SAVE appends")) {
            history->description()->setPlainText(QStringLiteral("Records"));
            f.click("plsalvar");
        }
        history->description()->setPlainText(QStringLiteral("Bonding of the upper arch"));
        file = QStringLiteral("ANA.pln");
    }

    const auto act = [&] {
        if (action.contains(QLatin1String("CALCULATE")))
            f.click(action.startsWith(QLatin1String("Tweed")) ? "tCalcular" : "bCalcular");
        else if (action.startsWith(QLatin1String("Tweed")))
            f.click("tsalvar");
        else if (action.startsWith(QLatin1String("Bolton")))
            f.click("bsalvar");
        else if (action.startsWith(QLatin1String("Outline")))
            f.click("posalvar");
        else
            f.click("plsalvar");
    };
    const auto before = disk(f.scratch.path(QString()));
    const int boxes = f.messenger.boxes.size();
    {
        Filler filler(QDir::tempPath());
        QVERIFY(filler.full());
        act();
        f.saysTheDiskIsFull(boxes, file);
        QCOMPARE(disk(f.scratch.path(QString())), before);
    }
    // With room again the same action succeeds.
    const int after = f.messenger.boxes.size();
    f.messenger.answers = {Messenger::Answer::Yes};
    act();
    // (A Bolton calculation that succeeds shows no box at all.)
    if (f.messenger.boxes.size() > after)
        QVERIFY(f.messenger.last().icon != Messenger::Icon::Error);
    QVERIFY(disk(f.scratch.path(QString())) != before);
}

// The export's spreadsheet over an old one on a full disk: the old one stays
// and the failure is the exit status.
void FullDiskTest::exportOnAFullDisk()
{
    QTemporaryDir work;
    const QString out = QDir(work.path()).filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(out));
    const QString analyses = QDir(work.path()).filePath(QStringLiteral("Analyses"));
    QVERIFY(QDir().mkpath(analyses));
    {
        DiskFixture f("Button4");
        typeBoltonCase(f.main(), QStringLiteral("ANA"));
        f.click("bCalcular");
        f.click("bsalvar");
        QVERIFY(QFile::copy(f.analyses(QStringLiteral("ANA.bol")), QDir(analyses).filePath(QStringLiteral("ANA.bol"))));
    }
    const QString csv = QDir(out).filePath(QStringLiteral("bolton.csv"));
    QFile old(csv);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("the practice's last export\n") > 0);
    old.close();

    const auto before = disk(work.path());
    Filler filler(QDir::tempPath());
    QVERIFY(filler.full());
    QProcess tool;
    tool.start(QStringLiteral(VELMORA_EXPORT_BIN),
               {QStringLiteral("--csv"), out, QStringLiteral("--data"), QStringLiteral(VELMORA_DATA_DIR), analyses});
    QVERIFY(tool.waitForFinished(60000));
    QVERIFY(tool.exitCode() != 0);
    QVERIFY2(tool.readAllStandardError().contains("No space left on device"), "the reason is given");
    QCOMPARE(disk(work.path()), before);
}

QTEST_MAIN(FullDiskTest)
#include "tst_fulldisk.moc"
