#include "common/usagestats.h"
#include "common/fileio.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vel;

class UsageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countsTravelWithFlagAndReservedBytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Stats.cef"));
        replaceFile(path, QByteArray("\x01\xaa\xbb\xcc" "\x05\0\0\0" "\x07\0\0\0" "\xff\xff\xff\x7f", 16));

        countUsage(path, UsageKind::Tweed);
        countUsage(path, UsageKind::Tweed);
        countUsage(path, UsageKind::Guidance);

        const QByteArray after = readFileBytes(path);
        QCOMPARE(after.size(), 16);
        QCOMPARE(after.left(4), QByteArray("\x01\xaa\xbb\xcc", 4));
        const UsageStats s = readUsageStats(path);
        QCOMPARE(s.tweed, 7);
        QCOMPARE(s.bolton, 7);
        // A full counter stays full, never wrapping to a negative count.
        QCOMPARE(s.guidance, std::numeric_limits<std::int32_t>::max());
        countUsage(path, UsageKind::Guidance);
        QCOMPARE(readUsageStats(path).guidance, std::numeric_limits<std::int32_t>::max());
    }

    void longerFileIsRewrittenToOneRecord()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Stats.cef"));
        replaceFile(path, QByteArray(40, '\0'));
        countUsage(path, UsageKind::Bolton);
        QCOMPARE(readFileBytes(path).size(), 16);
        QCOMPARE(readUsageStats(path).bolton, 1);
    }

    void shortOrMissingFileFailsWithoutWriting()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Stats.cef"));
        replaceFile(path, QByteArray(15, '\0'));
        QVERIFY_THROWS_EXCEPTION(FileError, countUsage(path, UsageKind::Tweed));
        QCOMPARE(readFileBytes(path), QByteArray(15, '\0'));
        QVERIFY_THROWS_EXCEPTION(FileError, countUsage(dir.filePath(QStringLiteral("gone.cef")), UsageKind::Tweed));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("gone.cef"))));
    }

    void statisticsListGuidanceBetweenTweedAndBolton()
    {
        UsageStats s;
        QCOMPARE(statisticsLines(s).join(QLatin1Char('|')),
                 QStringLiteral("        Statistics|||Tweed Analysis : 0||Space Tx Guidance : 0||Bolton Analysis : 0"));
        s.tweed = 2;
        s.bolton = 5;
        s.guidance = 1;
        QCOMPARE(statisticsLines(s).join(QLatin1Char('|')),
                 QStringLiteral("        Statistics|||Tweed Analysis : 2||Space Tx Guidance : 1||Bolton Analysis : 5"));
    }
};

QTEST_APPLESS_MAIN(UsageTest)
#include "tst_usage.moc"
