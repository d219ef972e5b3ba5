#include "common/cp1252.h"
#include "common/fileio.h"
#include "common/usagestats.h"
#include "notes/notefiles.h"
#include "common/recordfield.h"
#include "common/textconv.h"

#include <QFile>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>
#include <string>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace vel;

class CommonTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textToReal_data();
    void textToReal();
    void textToInt_data();
    void textToInt();
    void realToText_data();
    void realToText();
    void realToTextAgreesWithTheExactExpansion();
    void cp1252RoundTripsEveryByte();
    void cp1252MapsTheHighControls();
    void shortStringsCutOnWriteAndClampOnRead();
    void replaceFileLeavesNoPartialFile();
    void readFileHeadNamesFileAndReason();
    void fullDiskLeavesEveryFileAsItWas_data();
    void fullDiskLeavesEveryFileAsItWas();
    void onlyOrdinaryFilesAreUsed();
    void aFolderThatCannotBeWrittenIsNamed();
};

void CommonTest::textToReal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("plain") << "12.5" << 12.5;
    QTest::newRow("trailing point") << "12." << 12.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("negative") << "-2.5" << -2.5;
    QTest::newRow("padded label") << "  3.0" << 3.0;
    QTest::newRow("lone minus") << "-" << 0.0;
    QTest::newRow("minus point") << "-." << 0.0;
    QTest::newRow("comma is not a separator") << "2,5" << 0.0;
    QTest::newRow("two points") << "1.2.3" << 0.0;
    QTest::newRow("trailing garbage") << "12a" << 0.0;
    QTest::newRow("percent label") << "91.4 %" << 0.0;
    QTest::newRow("infinity") << "inf" << 0.0;
    QTest::newRow("overflow") << "1e999" << 0.0;
}

void CommonTest::textToReal()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(vel::textToReal(text), value);
}

void CommonTest::textToInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("plain") << "42" << 42;
    QTest::newRow("negative") << "-7" << -7;
    QTest::newRow("decimal") << "4.0" << 0;
    QTest::newRow("max") << "2147483647" << 2147483647;
    QTest::newRow("min") << "-2147483648" << int(-2147483648LL);
    QTest::newRow("beyond 32 bits") << "2147483648" << 0;
    QTest::newRow("letters") << "12x" << 0;
}

void CommonTest::textToInt()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(vel::textToInt(text), value);
}

void CommonTest::realToText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("exact half up") << 0.25 << 0 << 1 << "0.3";
    QTest::newRow("exact half, sum") << 92.25 << 0 << 1 << "92.3";
    QTest::newRow("held below half") << 0.3 * 1.5 << 0 << 1 << "0.4";
    QTest::newRow("0.15 is below half") << 0.15 << 0 << 1 << "0.1";
    QTest::newRow("negative half away") << -0.25 << 0 << 1 << "-0.3";
    QTest::newRow("negative to zero keeps sign") << -0.04 << 0 << 1 << "-0.0";
    QTest::newRow("negative zero is zero") << -0.0 << 0 << 1 << "0.0";
    QTest::newRow("carry through nines") << 9.96 << 0 << 1 << "10.0";
    QTest::newRow("no decimals") << 2.5 << 0 << 0 << "3";
    QTest::newRow("no decimals, no point") << 17.0 << 0 << 0 << "17";
    QTest::newRow("two decimals") << 1.005 << 0 << 2 << "1.00";
    QTest::newRow("width fills left") << 3.14159 << 7 << 2 << "   3.14";
    QTest::newRow("width too small") << 1234.5 << 3 << 1 << "1234.5";
    QTest::newRow("large, no grouping") << 1234567.0 << 0 << 1 << "1234567.0";
}

void CommonTest::realToText()
{
    QFETCH(double, value);
    QFETCH(int, width);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(vel::realToText(value, width, decimals), text);
    QCOMPARE(vel::intToText(-12), QStringLiteral("-12"));
}

// Rounds the full expansion by hand: the slow way nothing can get wrong.
static QString exactRounding(double v, int decimals)
{
    static char buffer[1500];
    std::snprintf(buffer, sizeof buffer, "%.1100f", std::fabs(v));
    std::string s(buffer);
    const auto point = s.find('.');
    std::string digits = s.substr(0, point) + s.substr(point + 1, decimals);
    if (s[point + 1 + decimals] >= '5') {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i];
    }
    std::string out = digits.substr(0, digits.size() - decimals);
    if (decimals > 0)
        out += '.' + digits.substr(digits.size() - decimals);
    return (v < 0 ? QStringLiteral("-") : QString()) + QString::fromStdString(out);
}

void CommonTest::realToTextAgreesWithTheExactExpansion()
{
    QRandomGenerator random(20261210);
    for (int i = 0; i < 200000; ++i) {
        const int decimals = i % 4;
        const double scale = std::pow(10.0, random.bounded(-3, 6));
        double v = (random.generateDouble() * 2 - 1) * scale;
        switch (i % 5) {
        case 0: {
            // Exact or nearly exact midpoints, the cases that matter.
            const double unit = std::pow(10.0, -decimals);
            v = (std::floor(v / unit) + 0.5) * unit;
            break;
        }
        case 1:
            v = std::nextafter(v, 0.0);
            break;
        default:
            break;
        }
        QCOMPARE(vel::realToText(v, 0, decimals), exactRounding(v, decimals));
    }
}

void CommonTest::cp1252RoundTripsEveryByte()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    QCOMPARE(toCp1252(fromCp1252(all)), all);
    QCOMPARE(toCp1252(QStringLiteral("\u4e2d")), QByteArray("?"));
}

void CommonTest::cp1252MapsTheHighControls()
{
    QCOMPARE(fromCp1252(QByteArray("\x80\x8a\x9f\xe1", 4)), QString::fromUtf8("€ŠŸá"));
    QCOMPARE(toCp1252(QString::fromUtf8("ÇÃO €")), QByteArray("\xc7\xc3O \x80"));
}

void CommonTest::shortStringsCutOnWriteAndClampOnRead()
{
    QByteArray record(12, '\x55');
    writeShortString(record, 0, 5, QString::fromUtf8("JOSÉ MARIA"));
    QCOMPARE(record.left(6), QByteArray("\x05JOS\xc9 ", 6));
    QCOMPARE(readShortString(record, 0, 5), QString::fromUtf8("JOSÉ "));

    writeShortString(record, 0, 5, QStringLiteral("AB"));
    QCOMPARE(record.left(6), QByteArray("\x02" "AB\0\0\0", 6));
    QCOMPARE(record.at(6), '\x55');  // the next field is untouched

    // A damaged length byte never reads into the next field.
    record[0] = '\xff';
    QCOMPARE(readShortString(record, 0, 5).size(), 5);
}

void CommonTest::replaceFileLeavesNoPartialFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.bin"));
    replaceFile(path, "first");
    replaceFile(path, "second!");
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("second!"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // A folder that does not exist: an error naming the file, nothing written.
    try {
        replaceFile(dir.filePath(QStringLiteral("missing/f.bin")), "x");
        QFAIL("no error");
    } catch (const FileError& e) {
        QVERIFY(e.message().startsWith(QStringLiteral("f.bin: ")));
    }
}

void CommonTest::readFileHeadNamesFileAndReason()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Stats.cef"));
    replaceFile(path, QByteArray(3, '\0'));
    try {
        readFileHead(path, 16);
        QFAIL("no error");
    } catch (const FileError& e) {
        QCOMPARE(e.message(), QStringLiteral("Stats.cef: the file is shorter than 16 bytes (it has 3)"));
    }
    try {
        readFileHead(dir.filePath(QStringLiteral("none.cef")), 16);
        QFAIL("no error");
    } catch (const FileError& e) {
        QVERIFY(e.message().startsWith(QStringLiteral("none.cef: ")));
        QVERIFY(e.reason().size() > 0);
    }
}

namespace {

// Every entry of a folder, hidden ones included, with its bytes.
QMap<QString, QByteArray> folderContents(const QString& path)
{
    QMap<QString, QByteArray> entries;
    const QDir dir(path);
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QFile f(dir.filePath(name));
        entries.insert(name, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>"));
    }
    return entries;
}

}  // namespace

// The room left stands for the disk's: the write stops where a full disk
// would stop it. Whatever was there stays byte for byte, nothing half written
// or temporary is left, and the reason is the system's own.
void CommonTest::fullDiskLeavesEveryFileAsItWas_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<qint64>("room");
    for (const char* op : {"replace", "create", "append to a history", "start a history", "count"}) {
        QTest::addRow("%s, no room", op) << QString::fromLatin1(op) << qint64(0);
        QTest::addRow("%s, room for a byte", op) << QString::fromLatin1(op) << qint64(1);
        QTest::addRow("%s, room for part", op) << QString::fromLatin1(op) << qint64(10);
    }
}

void CommonTest::fullDiskLeavesEveryFileAsItWas()
{
    QFETCH(QString, operation);
    QFETCH(qint64, room);
    QTemporaryDir dir;
    const QString old = dir.filePath(QStringLiteral("ANA.otl"));
    const QString history = dir.filePath(QStringLiteral("ANA.pln"));
    const QString stats = dir.filePath(QStringLiteral("Stats.cef"));
    replaceFile(old, "ANA\r\nthe outline as it was\r\n");
    replaceFile(history, "ANA\r\n1/3/24\r\n\r\nBonding\r\n");
    replaceFile(stats, QByteArray("\0\0\0\0\x05\0\0\0\x06\0\0\0\x07\0\0\0", 16));
    const auto before = folderContents(dir.path());

    setDiskRoomForTesting(room);
    QString failed;
    try {
        if (operation == QLatin1String("replace"))
            replaceFile(old, "ANA\r\nthe outline as typed, much longer than before\r\n");
        else if (operation == QLatin1String("create"))
            createNewFile(dir.filePath(QStringLiteral("NEW.otl")), "NEW\r\na new outline of some length\r\n");
        else if (operation == QLatin1String("append to a history"))
            appendHistoryEntry(history, QStringLiteral("ANA"), QStringLiteral("2/3/24"), {QStringLiteral("Wire change")});
        else if (operation == QLatin1String("start a history"))
            appendHistoryEntry(dir.filePath(QStringLiteral("NEW.pln")), QStringLiteral("NEW"), QStringLiteral("2/3/24"),
                               {QStringLiteral("Records")});
        else
            countUsage(stats, UsageKind::Tweed);
    } catch (const FileError& e) {
        failed = e.message();
    }
    setDiskRoomForTesting(-1);
    QVERIFY2(failed.endsWith(QStringLiteral(": No space left on device")), qPrintable(failed));
    QCOMPARE(folderContents(dir.path()), before);
}

void CommonTest::onlyOrdinaryFilesAreUsed()
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("ANA.pln"));
    QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    // Each would wait for a writer forever if it opened the pipe.
    const std::function<void()> uses[] = {
        [&] { readFileBytes(pipe); },
        [&] { readFileHead(pipe, 16); },
        [&] { replaceFile(pipe, "x"); },
        [&] { createNewFile(pipe, "x"); },
        [&] { appendHistoryEntry(pipe, QStringLiteral("ANA"), QStringLiteral("1/3/24"), {QStringLiteral("x")}); },
        [&] { requireRegularFile(pipe); },
        [&] { requireRegularFile(dir.path()); },
    };
    for (const auto& use : uses) {
        try {
            use();
            QFAIL("a pipe or folder was used as a file");
        } catch (const FileError& e) {
            QVERIFY2(e.reason().startsWith(QStringLiteral("this is not an ordinary file"))
                         || e.reason() == QStringLiteral("this is a folder, not a file"),
                     qPrintable(e.message()));
        }
    }
    QVERIFY(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());

    // Far larger than a file of its kind can be: refused by name, not read.
    const QString huge = dir.filePath(QStringLiteral("HUGE.pln"));
    QFile file(huge);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(readCap::kTextFile + 1));
    file.close();
    try {
        readFileBytes(huge, 0, readCap::kTextFile);
        QFAIL("read a file beyond its cap");
    } catch (const FileError& e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("HUGE.pln: the file has 8388609 bytes, more than")),
                 qPrintable(e.message()));
    }

    // A link to nothing is said to be one, not taken for a file that exists.
    const QString dangling = dir.filePath(QStringLiteral("GONE.bol"));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere.bol")), dangling));
    try {
        createNewFile(dangling, "x");
        QFAIL("wrote through a link to nothing");
    } catch (const FileError& e) {
        QVERIFY2(e.reason().startsWith(QStringLiteral("this is a link to a file that is not there")), qPrintable(e.message()));
    }
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("nowhere.bol"))));
}

// A file is replaced by writing its copy beside it: with the folder read-only
// the file itself may still be writable, and the message must say what fails.
void CommonTest::aFolderThatCannotBeWrittenIsNamed()
{
    if (::geteuid() == 0)
        QSKIP("running as root, which writes into any folder: a read-only folder can be tried only as a user");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Stats.cef"));
    replaceFile(path, QByteArray(16, '\0'));
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    QString failed;
    try {
        countUsage(path, UsageKind::Tweed);
    } catch (const FileError& e) {
        failed = e.message();
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY2(failed.startsWith(QStringLiteral("Stats.cef: the folder ")) && failed.contains(QStringLiteral("cannot be written")),
             qPrintable(failed));
    QCOMPARE(readUsageStats(path).tweed, 0);
}

QTEST_APPLESS_MAIN(CommonTest)
#include "tst_common.moc"
