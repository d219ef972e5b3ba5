#include "common/session.h"
#include "common/usagestats.h"
#include "common/fileio.h"
#include "support/fakes.h"

#include <QLockFile>
#include <QProcess>
#include <cstdio>
#include <QtTest>

using namespace vel;
using namespace vel::test;

class StartupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFileEndsWithoutWriting_data();
    void missingFileEndsWithoutWriting();
    void runningFlagHeldByAnotherCopyRefuses();
    void staleRunningFlagIsClearedAndStartGoesOn();
    void smallScreenSwitchesModeAndSetsFlag_data();
    void smallScreenSwitchesModeAndSetsFlag();
    void largeScreenWritesNothingUntilExit();
    void countsMadeDuringTheRunSurviveShutdown();
    void unreadableStatsEndsWithItsNameAndReason();
};

void StartupTest::missingFileEndsWithoutWriting_data()
{
    QTest::addColumn<QString>("missing");
    QTest::newRow("Stats.cef") << "Stats.cef";
    QTest::newRow("Bolton.cef") << "Bolton.cef";
    QTest::newRow("report definitions") << QString::fromUtf8("Análises.rav");
}

void StartupTest::missingFileEndsWithoutWriting()
{
    QFETCH(QString, missing);
    ScratchFolder scratch;
    const QByteArray stats("\0\1\2\3\4\0\0\0\5\0\0\0\6\0\0\0", 16);
    replaceFile(scratch.path(QStringLiteral("Stats.cef")), stats);
    QVERIFY(QFile::remove(scratch.path(missing)));
    ScriptedMessenger messenger;
    FakeDesktop desktop;
    desktop.mode = {800, 600, 16};

    Session session(scratch.folder(), messenger, desktop);
    QVERIFY(!session.start());

    QCOMPARE(messenger.boxes.size(), 1);
    QCOMPARE(messenger.last().icon, Messenger::Icon::Error);
    QCOMPARE(messenger.last().title, QStringLiteral("Velmora"));
    QCOMPARE(messenger.last().lines.size(), 2);
    QCOMPARE(messenger.last().lines[0].trimmed(),
             QStringLiteral("Some files necessary to run the software could not be found!"));
    QCOMPARE(messenger.last().lines[1].trimmed(), QStringLiteral("Please reinstall de software and try again."));
    QVERIFY(messenger.last().lines[1].startsWith(QLatin1Char(' ')));
    QVERIFY(desktop.modeChanges.isEmpty());
    if (missing != QLatin1String("Stats.cef"))
        QCOMPARE(readFileBytes(scratch.path(QStringLiteral("Stats.cef"))), stats);
}

void StartupTest::runningFlagHeldByAnotherCopyRefuses()
{
    ScratchFolder scratch;
    const QByteArray stats("\1\0\0\0\3\0\0\0\0\0\0\0\0\0\0\0", 16);
    replaceFile(scratch.path(QStringLiteral("Stats.cef")), stats);

    // Another copy holds the lock: a second process, since a lock is per process.
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--hold-lock"), scratch.path(QStringLiteral(".velmora.lock"))});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

    ScriptedMessenger messenger;
    FakeDesktop desktop;
    Session session(scratch.folder(), messenger, desktop);
    QVERIFY(!session.start());
    holder.kill();
    holder.waitForFinished();

    QCOMPARE(messenger.boxes.size(), 1);
    QCOMPARE(messenger.last().icon, Messenger::Icon::Error);
    QCOMPARE(messenger.last().title, QStringLiteral("Velmora"));
    QStringList trimmed;
    for (const QString& l : messenger.last().lines)
        trimmed << l.trimmed();
    QCOMPARE(trimmed, (QStringList{QStringLiteral("The software is already running!"), QString(), QString(),
                                   QStringLiteral("If the software is not running at this moment, files may be corrupted!"),
                                   QString(), QStringLiteral("Please consider reinstalling the software!")}));
    QCOMPARE(readFileBytes(scratch.path(QStringLiteral("Stats.cef"))), stats);
    QVERIFY(desktop.modeChanges.isEmpty());
}

void StartupTest::staleRunningFlagIsClearedAndStartGoesOn()
{
    ScratchFolder scratch;
    replaceFile(scratch.path(QStringLiteral("Stats.cef")), QByteArray("\1\7\7\7\3\0\0\0\0\0\0\0\0\0\0\0", 16));
    ScriptedMessenger messenger;
    FakeDesktop desktop;

    Session session(scratch.folder(), messenger, desktop);
    QVERIFY(session.start());
    QVERIFY(messenger.boxes.isEmpty());
    QCOMPARE(readFileBytes(scratch.path(QStringLiteral("Stats.cef"))),
             QByteArray("\0\7\7\7\3\0\0\0\0\0\0\0\0\0\0\0", 16));
}

void StartupTest::smallScreenSwitchesModeAndSetsFlag_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("800x600x16") << 800 << 600 << 16 << "Your current resolution is 800x600 - 16 bits.";
    QTest::newRow("1024x600 is small") << 1024 << 600 << 32 << "Your current resolution is 1024x600 - 32 bits.";
    QTest::newRow("1000x800 is small") << 1000 << 800 << 24 << "Your current resolution is 1000x800 - 24 bits.";
}

void StartupTest::smallScreenSwitchesModeAndSetsFlag()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, depth);
    QFETCH(QString, firstLine);
    ScratchFolder scratch;
    ScriptedMessenger messenger;
    FakeDesktop desktop;
    desktop.mode = {width, height, depth};

    Session session(scratch.folder(), messenger, desktop);
    QVERIFY(session.start());

    QCOMPARE(messenger.boxes.size(), 1);
    const auto& box = messenger.last();
    QCOMPARE(box.icon, Messenger::Icon::Information);
    QCOMPARE(box.title, QStringLiteral("Velmora"));
    QCOMPARE(box.lines.size(), 3);
    QCOMPARE(box.lines[0].trimmed(), firstLine);
    QVERIFY(box.lines[0].startsWith(QLatin1Char(' ')));
    QCOMPARE(box.lines[1], QStringLiteral("The resolution will be changed to 1024x768 - 32 bits for better appearance!"));
    QCOMPARE(box.lines[2].trimmed(), QStringLiteral("Your previous settings will be restored on exit."));
    QVERIFY(box.lines[2].startsWith(QLatin1Char(' ')));
    QCOMPARE(desktop.modeChanges, (QList<DisplayMode>{{1024, 768, 32}}));
    QCOMPARE(readUsageStats(scratch.path(QStringLiteral("Stats.cef"))).running, 1);

    QVERIFY(session.finish());
    QCOMPARE(desktop.modeChanges.constLast(), (DisplayMode{width, height, depth}));
    QCOMPARE(readUsageStats(scratch.path(QStringLiteral("Stats.cef"))).running, 0);
}

void StartupTest::largeScreenWritesNothingUntilExit()
{
    for (const DisplayMode mode : {DisplayMode{1280, 1024, 24}, DisplayMode{1024, 768, 16}}) {
        ScratchFolder scratch;
        const QString stats = scratch.path(QStringLiteral("Stats.cef"));
        const QDateTime before = QFileInfo(stats).lastModified();
        ScriptedMessenger messenger;
        FakeDesktop desktop;
        desktop.mode = mode;

        Session session(scratch.folder(), messenger, desktop);
        QVERIFY(session.start());
        QVERIFY(messenger.boxes.isEmpty());
        QVERIFY(desktop.modeChanges.isEmpty());
        QCOMPARE(QFileInfo(stats).lastModified(), before);
        QCOMPARE(readFileBytes(stats), QByteArray(16, '\0'));

        QVERIFY(session.finish());
        QCOMPARE(desktop.modeChanges, (QList<DisplayMode>{mode}));  // re-applied at exit
        QCOMPARE(readFileBytes(stats), QByteArray(16, '\0'));
    }
}

void StartupTest::countsMadeDuringTheRunSurviveShutdown()
{
    ScratchFolder scratch;
    const QString stats = scratch.path(QStringLiteral("Stats.cef"));
    ScriptedMessenger messenger;
    FakeDesktop desktop;
    desktop.mode = {800, 600, 16};
    Session session(scratch.folder(), messenger, desktop);
    QVERIFY(session.start());
    countUsage(stats, UsageKind::Tweed);
    countUsage(stats, UsageKind::Bolton);
    QVERIFY(session.finish());
    const UsageStats s = readUsageStats(stats);
    QCOMPARE(s.running, 0);
    QCOMPARE(s.tweed, 1);
    QCOMPARE(s.bolton, 1);
}

void StartupTest::unreadableStatsEndsWithItsNameAndReason()
{
    ScratchFolder scratch;
    replaceFile(scratch.path(QStringLiteral("Stats.cef")), QByteArray(10, '\0'));
    ScriptedMessenger messenger;
    FakeDesktop desktop;
    desktop.mode = {800, 600, 16};
    Session session(scratch.folder(), messenger, desktop);
    QVERIFY(!session.start());
    QCOMPARE(messenger.boxes.size(), 1);
    QCOMPARE(messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(messenger.last().text().contains(QStringLiteral("Stats.cef: the file is shorter than 16 bytes")));
    QVERIFY(desktop.modeChanges.isEmpty());

    // Removed during the run: shutdown reports it rather than crashing.
    ScratchFolder second;
    ScriptedMessenger m2;
    Session s2(second.folder(), m2, desktop);
    QVERIFY(s2.start());
    QFile::remove(second.path(QStringLiteral("Stats.cef")));
    QVERIFY(!s2.finish());
    QVERIFY(m2.last().text().contains(QStringLiteral("Stats.cef: ")));
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--hold-lock") == 0) {
        // Stands in for a running copy until its standard input closes.
        QLockFile lock(QString::fromLocal8Bit(argv[2]));
        if (!lock.tryLock(0))
            return 2;
        std::fputs("locked\n", stdout);
        std::fflush(stdout);
        char c;
        while (std::fread(&c, 1, 1, stdin) == 1) {
        }
        return 0;
    }
    StartupTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_startup.moc"
