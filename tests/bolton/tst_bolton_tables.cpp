#include "bolton/boltontables.h"
#include "common/fileio.h"

#include <QtTest>

using namespace vel;

class BoltonTablesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shippedFileHoldsTheCodesTables()
    {
        const QByteArray shipped = readFileBytes(QStringLiteral(VELMORA_DATA_DIR "/Bolton.cef"));
        QCOMPARE(shipped.size(), 912);
        QCOMPARE(shipped, BoltonTables::standard().toBytes());
    }

    void layoutIsAnteriorThenOverallMaxillaFirst()
    {
        const BoltonTables& t = BoltonTables::standard();
        const BoltonTables back = BoltonTables::fromBytes(t.toBytes());
        QCOMPARE(back.anterior.front().maxilla, 40.0);
        QCOMPARE(back.anterior.front().mandible, 30.9);
        QCOMPARE(back.anterior.back().maxilla, 55.0);
        QCOMPARE(back.anterior.back().mandible, 42.5);
        QCOMPARE(back.overall.front().maxilla, 85.0);
        QCOMPARE(back.overall.front().mandible, 77.6);
        QCOMPARE(back.overall[10].mandible, 86.7);  // row 95
        QCOMPARE(back.overall.back().maxilla, 110.0);
        QCOMPARE(back.overall.back().mandible, 100.4);
        // The first overall value follows the 31 anterior rows.
        double first;
        std::memcpy(&first, t.toBytes().constData() + 31 * 16, 8);
        QCOMPARE(first, 85.0);
    }

    void shortFileIsAnError()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Bolton.cef"));
        replaceFile(path, BoltonTables::standard().toBytes().left(900));
        QVERIFY_THROWS_EXCEPTION(FileError, loadBoltonTables(path));
    }
};

QTEST_APPLESS_MAIN(BoltonTablesTest)
#include "tst_bolton_tables.moc"
