#include "bolton/boltoncalc.h"
#include "bolton/boltonfile.h"
#include "bolton/boltontables.h"
#include "common/fileio.h"
#include "common/textconv.h"

#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace vel;

// Result labels a row checks, as (member name, text) pairs.
using Texts = QList<QPair<QString, QString>>;

Q_DECLARE_METATYPE(vel::KeyColumn)

namespace {

#define VEL_MEMBER(name) {QStringLiteral(#name), &BoltonResults::name}

const QHash<QString, QString BoltonResults::*>& resultTexts()
{
    static const QHash<QString, QString BoltonResults::*> map = {
        VEL_MEMBER(sup12res),   VEL_MEMBER(sup6res),        VEL_MEMBER(inf12res),  VEL_MEMBER(inf6res),
        VEL_MEMBER(cinf12res),  VEL_MEMBER(csup12res),      VEL_MEMBER(x10012res), VEL_MEMBER(cinf6res),
        VEL_MEMBER(csup6res),   VEL_MEMBER(x1006res),       VEL_MEMBER(busca12),   VEL_MEMBER(busca12res),
        VEL_MEMBER(infobusca12res), VEL_MEMBER(tab12res),   VEL_MEMBER(res12),     VEL_MEMBER(res12info),
        VEL_MEMBER(busca6),     VEL_MEMBER(busca6res),      VEL_MEMBER(infobusca6res), VEL_MEMBER(tab6res),
        VEL_MEMBER(res6),       VEL_MEMBER(res6info),       VEL_MEMBER(diag12info), VEL_MEMBER(diag12),
        VEL_MEMBER(diag6info),  VEL_MEMBER(diag6),
    };
    return map;
}

#undef VEL_MEMBER

// Twelve widths in chart order whose sums are the given totals: the anterior
// six (the 4th to the 9th) add up to `anterior`, the four premolars and two
// molars to the rest. Widths carry two decimals so that any total in
// hundredths can be hit; the double sums then sit within rounding noise of
// the total, far from any one-decimal halfway point.
QStringList arch(double total, double anterior)
{
    const auto split = [](int hundredths) {
        QList<int> six;
        for (int i = 0; i < 6; ++i)
            six << hundredths / 6 + (i < hundredths % 6 ? 1 : 0);
        return six;
    };
    const QList<int> front = split(qRound(anterior * 100));
    const QList<int> back = split(qRound((total - anterior) * 100));
    const QList<int> order = {back[0], back[1], back[2], front[0], front[1], front[2],
                              front[3], front[4], front[5], back[3], back[4], back[5]};
    QStringList widths;
    for (int h : order)
        widths << QStringLiteral("%1.%2").arg(h / 100).arg(h % 100, 2, 10, QLatin1Char('0'));
    return widths;
}

BoltonInputs inputs(const QStringList& maxilla, const QStringList& mandible)
{
    BoltonInputs in;
    in.patient = QStringLiteral("Ana Souza");
    for (int i = 0; i < 12; ++i) {
        in.maxilla[i] = maxilla.at(i);
        in.mandible[i] = mandible.at(i);
    }
    return in;
}

// A complete set that passes every check.
BoltonInputs validInputs()
{
    return inputs(arch(95.4, 46.0), arch(87.2, 36.0));
}

// One length-prefixed field, built by hand: the length byte, the text, zeros.
QByteArray field(const QByteArray& text, int capacity)
{
    QByteArray bytes(1 + capacity, '\0');
    bytes[0] = static_cast<char>(text.size());
    bytes.replace(1, text.size(), text);
    return bytes;
}

// Every field holds a different text, so a field written at the wrong place
// cannot go unnoticed.
BoltonRecord sampleRecord()
{
    BoltonRecord r;
    r.patient = QStringLiteral("Ana Souza");
    for (int i = 0; i < 12; ++i) {
        r.maxilla[i] = QStringLiteral("%1.5").arg(i + 1);
        r.mandible[i] = QStringLiteral("%1.25").arg(i + 1);
    }
    r.thirdMolarLeft = QStringLiteral("10.8");
    r.thirdMolarRight = QStringLiteral("10.9");
    r.secondMolarLeft = QStringLiteral("9.8");
    r.secondMolarRight = QStringLiteral("9.9");
    return r;
}

QByteArray sampleBytes()
{
    QByteArray bytes = field("Ana Souza", 50);
    for (int i = 0; i < 12; ++i)
        bytes += field(QByteArray::number(i + 1) + ".5", 5);
    for (int i = 0; i < 12; ++i)
        bytes += field(QByteArray::number(i + 1) + ".25", 5);
    bytes += field("10.8", 5);  // termole
    bytes += field("10.9", 5);  // termold
    bytes += field("9.8", 5);   // segmole
    bytes += field("9.9", 5);   // segmold
    return bytes;
}

void compareRecords(const BoltonRecord& actual, const BoltonRecord& expected)
{
    QCOMPARE(actual.patient, expected.patient);
    for (int i = 0; i < 12; ++i) {
        QCOMPARE(actual.maxilla[i], expected.maxilla[i]);
        QCOMPARE(actual.mandible[i], expected.mandible[i]);
    }
    QCOMPARE(actual.thirdMolarLeft, expected.thirdMolarLeft);
    QCOMPARE(actual.thirdMolarRight, expected.thirdMolarRight);
    QCOMPARE(actual.secondMolarLeft, expected.secondMolarLeft);
    QCOMPARE(actual.secondMolarRight, expected.secondMolarRight);
}

QStringList memoLines(const QString& text)
{
    return text.split(QRegularExpression(QStringLiteral("\r?\n")));
}

}  // namespace

class BoltonCalcTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void calculation_data();
    void calculation();
    void diagnosisCaptions();
    void calculationUsesTheGivenTables();
    void lookup_data();
    void lookup();
    void lookupHalfwayTakesTheUpperRow();
    void checks_data();
    void checks();
    void recordMatchesTheLayout();
    void recordCutsToCapacity();
    void recordIsWindows1252();
    void recordClampsDamagedLength();
    void readBoltonFileTakesTheFirstRecord();
    void readBoltonFileErrors_data();
    void readBoltonFileErrors();
    void memoTexts();
};

void BoltonCalcTest::calculation_data()
{
    QTest::addColumn<QStringList>("maxilla");
    QTest::addColumn<QStringList>("mandible");
    QTest::addColumn<Texts>("expected");

    QTest::newRow("95.4 over 87.2: mandibular excess")
        << arch(95.4, 46.0) << arch(87.2, 36.0)
        << Texts{{"sup12res", "95.4"}, {"inf12res", "87.2"}, {"cinf12res", "87.2"}, {"csup12res", "95.4"},
                 {"x10012res", "91.4 %"}, {"busca12", "+ 91.3 :"}, {"busca12res", "87.2"},
                 {"infobusca12res", "Mnd 12"}, {"tab12res", "86.7"}, {"res12", "0.5"}, {"res12info", "Exc Mnd"},
                 {"diag12", "Excessive mandibular\rdiscrepancy of 0.5mm"}};
    QTest::newRow("95.5 is halfway and takes row 96")
        << arch(95.5, 46.0) << arch(88.0, 36.0)
        << Texts{{"x10012res", "92.1 %"}, {"busca12", "+ 91.3 :"}, {"tab12res", "87.6"}, {"res12", "0.4"}};
    // 35.3 lies halfway between 35.1 and 35.5 in the mandibular column.
    QTest::newRow("anterior: Mnd 06 of 35.3 is halfway and takes row 46.0")
        << arch(100.0, 47.0) << arch(90.0, 35.3)
        << Texts{{"busca6", "- 77.2 :"}, {"infobusca6res", "Max 06"}, {"tab6res", "46.0"}, {"res6", "1.0"},
                 {"diag6", "Excessive maxillary\rdiscrepancy of 1.0mm"}};
    // Unrounded, 95.46 is nearer row 95; the look-up reads the shown 95.5.
    QTest::newRow("95.46 is looked up as the shown 95.5")
        << arch(95.46, 46.0) << arch(88.0, 36.0)
        << Texts{{"sup12res", "95.5"}, {"tab12res", "87.6"}, {"res12", "0.4"}};
    QTest::newRow("95.6 over 87.3: negative excess")
        << arch(95.6, 46.0) << arch(87.3, 36.0)
        << Texts{{"x10012res", "91.3 %"}, {"busca12", "+ 91.3 :"}, {"tab12res", "87.6"}, {"res12", "-0.3"},
                 {"diag12", "Excessive mandibular\rdiscrepancy of -0.3mm"}};
    // 91.29...: shown as 91.3 % but below the ideal.
    QTest::newRow("91.2 over 99.9: maxillary excess")
        << arch(99.9, 46.0) << arch(91.2, 36.0)
        << Texts{{"x10012res", "91.3 %"}, {"busca12", "- 91.3 :"}, {"busca12res", "99.9"},
                 {"infobusca12res", "Max 12"}, {"tab12res", "100.0"}, {"res12", "-0.1"}, {"res12info", "Exc Max"},
                 {"diag12", "Excessive maxillary\rdiscrepancy of -0.1mm"}};

    // Beyond the ends of the overall table, on both sides.
    QTest::newRow("overall: maxilla 120.0 takes the last row")
        << arch(120.0, 46.0) << arch(110.0, 36.0)
        << Texts{{"busca12", "+ 91.3 :"}, {"tab12res", "100.4"}, {"res12", "9.6"}};
    QTest::newRow("overall: maxilla 80.0 takes the first row")
        << arch(80.0, 46.0) << arch(75.0, 36.0)
        << Texts{{"busca12", "+ 91.3 :"}, {"tab12res", "77.6"}, {"res12", "-2.6"}};
    QTest::newRow("overall: mandible 105.0 takes the last row")
        << arch(120.0, 46.0) << arch(105.0, 36.0)
        << Texts{{"busca12", "- 91.3 :"}, {"busca12res", "120.0"}, {"tab12res", "110.0"}, {"res12", "10.0"}};
    QTest::newRow("overall: mandible 70.0 takes the first row")
        << arch(80.0, 46.0) << arch(70.0, 36.0)
        << Texts{{"busca12", "- 91.3 :"}, {"busca12res", "80.0"}, {"tab12res", "85.0"}, {"res12", "-5.0"}};

    // The anterior line.
    QTest::newRow("anterior: mandibular excess")
        << arch(95.4, 46.0) << arch(87.2, 36.0)
        << Texts{{"sup6res", "46.0"}, {"inf6res", "36.0"}, {"cinf6res", "36.0"}, {"csup6res", "46.0"},
                 {"x1006res", "78.3 %"}, {"busca6", "+ 77.2 :"}, {"busca6res", "36.0"},
                 {"infobusca6res", "Mnd 06"}, {"tab6res", "35.5"}, {"res6", "0.5"}, {"res6info", "Exc Mnd"},
                 {"diag6", "Excessive mandibular\rdiscrepancy of 0.5mm"}};
    // 35.0 lies between 34.7 (45.0) and 35.1 (45.5), nearer the upper.
    QTest::newRow("anterior: maxillary excess")
        << arch(95.4, 47.0) << arch(87.2, 35.0)
        << Texts{{"x1006res", "74.5 %"}, {"busca6", "- 77.2 :"}, {"busca6res", "47.0"},
                 {"infobusca6res", "Max 06"}, {"tab6res", "45.5"}, {"res6", "1.5"}, {"res6info", "Exc Max"},
                 {"diag6", "Excessive maxillary\rdiscrepancy of 1.5mm"}};
    // 77.17...: shown as 77.2 % but below the ideal.
    QTest::newRow("anterior: 35.5 over 46.0 is below the ideal")
        << arch(95.4, 46.0) << arch(87.2, 35.5)
        << Texts{{"x1006res", "77.2 %"}, {"busca6", "- 77.2 :"}, {"busca6res", "46.0"}, {"tab6res", "46.0"},
                 {"res6", "0.0"}, {"diag6", "Excessive maxillary\rdiscrepancy of 0.0mm"}};
    QTest::newRow("anterior: maxilla 60.0 takes the last row")
        << arch(95.4, 60.0) << arch(87.2, 48.0)
        << Texts{{"busca6", "+ 77.2 :"}, {"tab6res", "42.5"}, {"res6", "5.5"}};
    QTest::newRow("anterior: maxilla 36.0 takes the first row")
        << arch(95.4, 36.0) << arch(87.2, 30.0)
        << Texts{{"busca6", "+ 77.2 :"}, {"tab6res", "30.9"}, {"res6", "-0.9"}};
    QTest::newRow("anterior: mandible 45.0 takes the last row")
        << arch(95.4, 60.0) << arch(87.2, 45.0)
        << Texts{{"busca6", "- 77.2 :"}, {"tab6res", "55.0"}, {"res6", "5.0"}};
    QTest::newRow("anterior: mandible 28.0 takes the first row")
        << arch(95.4, 38.0) << arch(87.2, 28.0)
        << Texts{{"busca6", "- 77.2 :"}, {"tab6res", "40.0"}, {"res6", "-2.0"}};

    // Quarters add up exactly to 92.25, which shows as 92.3; the excess is
    // taken from the shown 92.3 (0.1), not from 92.25 (0.05, shown 0.0).
    QTest::newRow("92.25 shows as 92.3")
        << arch(101.0, 46.0)
        << QStringList{"9.25", "9.5", "9.5", "6.0", "6.0", "6.0", "6.0", "6.0", "6.0", "9.5", "9.5", "9.0"}
        << Texts{{"inf12res", "92.3"}, {"x10012res", "91.4 %"}, {"busca12", "+ 91.3 :"}, {"busca12res", "92.3"},
                 {"tab12res", "92.2"}, {"res12", "0.1"}};
}

void BoltonCalcTest::calculation()
{
    QFETCH(QStringList, maxilla);
    QFETCH(QStringList, mandible);
    QFETCH(Texts, expected);
    const BoltonResults r = calculateBolton(inputs(maxilla, mandible), BoltonTables::standard());
    for (const auto& [name, text] : expected) {
        const auto member = resultTexts().find(name);
        QVERIFY2(member != resultTexts().end(), qPrintable(name));
        const QString actual = r.*(*member);
        if (actual != text)
            QFAIL(qPrintable(QStringLiteral("%1 is \"%2\", expected \"%3\"").arg(name, actual, text)));
    }
}

void BoltonCalcTest::diagnosisCaptions()
{
    const BoltonResults r = calculateBolton(validInputs(), BoltonTables::standard());
    QCOMPARE(r.diag12info, QStringLiteral("Sum of mesiodistal diameters\r\r654321 | 123456"));
    QCOMPARE(r.diag6info, QStringLiteral("Sum of mesiodistal diameters\r\r   321 | 123   "));
}

// The ideals come from the tables handed in (Bolton.cef as read), not from
// the published ones.
void BoltonCalcTest::calculationUsesTheGivenTables()
{
    BoltonTables tables = BoltonTables::standard();
    tables.overall[10].mandible = 80.0;  // row 95
    tables.anterior[12].mandible = 30.0; // row 46.0
    const BoltonResults r = calculateBolton(validInputs(), tables);
    QCOMPARE(r.tab12res, QStringLiteral("80.0"));
    QCOMPARE(r.res12, QStringLiteral("7.2"));
    QCOMPARE(r.tab6res, QStringLiteral("30.0"));
    QCOMPARE(r.res6, QStringLiteral("6.0"));
}

void BoltonCalcTest::lookup_data()
{
    QTest::addColumn<bool>("overall");
    QTest::addColumn<KeyColumn>("column");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    const auto max = KeyColumn::Maxilla;
    const auto mnd = KeyColumn::Mandible;
    QTest::newRow("overall max: key") << true << max << 95.0 << 86.7;
    QTest::newRow("overall max: nearer lower") << true << max << 95.49 << 86.7;
    QTest::newRow("overall max: halfway takes upper") << true << max << 95.5 << 87.6;
    QTest::newRow("overall max: first key") << true << max << 85.0 << 77.6;
    QTest::newRow("overall max: below first") << true << max << 60.0 << 77.6;
    QTest::newRow("overall max: last key") << true << max << 110.0 << 100.4;
    QTest::newRow("overall max: above last") << true << max << 110.6 << 100.4;

    QTest::newRow("overall mnd: key") << true << mnd << 86.7 << 95.0;
    QTest::newRow("overall mnd: nearer upper") << true << mnd << 87.2 << 96.0;
    QTest::newRow("overall mnd: halfway takes upper") << true << mnd << 94.5 << 104.0;  // 94.0 | 95.0
    QTest::newRow("overall mnd: below first") << true << mnd << 77.0 << 85.0;
    QTest::newRow("overall mnd: first key") << true << mnd << 77.6 << 85.0;
    QTest::newRow("overall mnd: last key") << true << mnd << 100.4 << 110.0;
    QTest::newRow("overall mnd: above last") << true << mnd << 101.0 << 110.0;

    QTest::newRow("anterior max: key") << false << max << 46.0 << 35.5;
    QTest::newRow("anterior max: nearer lower") << false << max << 47.7 << 36.7;
    QTest::newRow("anterior max: halfway takes upper") << false << max << 47.75 << 37.1;
    QTest::newRow("anterior max: below first") << false << max << 39.0 << 30.9;
    QTest::newRow("anterior max: first key") << false << max << 40.0 << 30.9;
    QTest::newRow("anterior max: last key") << false << max << 55.0 << 42.5;
    QTest::newRow("anterior max: above last") << false << max << 56.0 << 42.5;

    QTest::newRow("anterior mnd: key") << false << mnd << 35.5 << 46.0;
    QTest::newRow("anterior mnd: nearer lower") << false << mnd << 35.29 << 45.5;  // 35.1 | 35.5
    QTest::newRow("anterior mnd: nearer upper") << false << mnd << 35.31 << 46.0;
    QTest::newRow("anterior mnd: below first") << false << mnd << 30.0 << 40.0;
    QTest::newRow("anterior mnd: first key") << false << mnd << 30.9 << 40.0;
    QTest::newRow("anterior mnd: last key") << false << mnd << 42.5 << 55.0;
    QTest::newRow("anterior mnd: above last") << false << mnd << 43.0 << 55.0;
}

void BoltonCalcTest::lookup()
{
    QFETCH(bool, overall);
    QFETCH(KeyColumn, column);
    QFETCH(double, value);
    QFETCH(double, expected);
    const BoltonTables& t = BoltonTables::standard();
    const double actual = overall ? boltonLookup(t.overall, column, value) : boltonLookup(t.anterior, column, value);
    QCOMPARE(actual, expected);
}

// Every value halfway between two rows of either table, in either column, as
// the sums show it: it takes the upper row, and a tenth below it the lower.
void BoltonCalcTest::lookupHalfwayTakesTheUpperRow()
{
    const auto tenths = [](double v) { return qRound64(v * 10); };
    const auto text = [](qint64 t) { return QStringLiteral("%1.%2").arg(t / 10).arg(t % 10); };
    int halfways = 0;
    const auto check = [&](const auto& table, KeyColumn column, const char* name) {
        const auto keyOf = [column](const BoltonRow& row) { return column == KeyColumn::Maxilla ? row.maxilla : row.mandible; };
        const auto otherOf = [column](const BoltonRow& row) { return column == KeyColumn::Maxilla ? row.mandible : row.maxilla; };
        for (std::size_t i = 0; i + 1 < table.size(); ++i) {
            const qint64 lo = tenths(keyOf(table[i]));
            const qint64 up = tenths(keyOf(table[i + 1]));
            if ((lo + up) % 2 != 0)
                continue;
            const qint64 mid = (lo + up) / 2;
            ++halfways;
            const QString at = QStringLiteral("%1 column %2: ").arg(QLatin1String(name)).arg(int(column)) + text(mid);
            QVERIFY2(boltonLookup(table, column, textToReal(text(mid))) == otherOf(table[i + 1]), qPrintable(at));
            QVERIFY2(boltonLookup(table, column, textToReal(text(mid - 1))) == otherOf(table[i]), qPrintable(at));
        }
    };
    const BoltonTables& t = BoltonTables::standard();
    check(t.overall, KeyColumn::Maxilla, "overall");
    check(t.overall, KeyColumn::Mandible, "overall");
    check(t.anterior, KeyColumn::Maxilla, "anterior");
    check(t.anterior, KeyColumn::Mandible, "anterior");
    // The anterior mandibular column alone has ten such points where binary
    // arithmetic once took the lower row (33.4, 35.3, 42.3, ...).
    QVERIFY(halfways > 10);
}

void BoltonCalcTest::checks_data()
{
    QTest::addColumn<QString>("patient");
    QTest::addColumn<QStringList>("maxilla");
    QTest::addColumn<QStringList>("mandible");
    QTest::addColumn<QString>("warning");

    const QString incomplete = QStringLiteral("All fields must be filled in before calculating!");
    const QString max12 = QStringLiteral("Sum of 12 maxillary teeth must be greater than ZERO!");
    const QString max6 = QStringLiteral("Sum of 6 anterior maxillary teeth must be greater than ZERO!");
    const QString mnd12 = QStringLiteral("Sum of 12 mandibular teeth must be greater than ZERO!");
    const QString mnd6 = QStringLiteral("Sum of 6 anterior mandibular teeth must be greater than ZERO!");

    const QStringList maxilla = arch(95.4, 46.0);
    const QStringList mandible = arch(87.2, 36.0);
    const QStringList zeros(12, QStringLiteral("0.0"));
    const auto with = [](QStringList widths, int index, const QString& text) {
        widths[index] = text;
        return widths;
    };
    // Only the premolars and molars have a width.
    const QStringList posteriorOnly = {"7.0", "7.0", "7.0", "0", "0", "0", "0", "0", "0", "7.0", "7.0", "7.0"};

    QTest::newRow("complete") << "Ana" << maxilla << mandible << QString();
    QTest::newRow("no patient") << "" << maxilla << mandible << incomplete;
    QTest::newRow("s01 empty") << "Ana" << with(maxilla, 0, "") << mandible << incomplete;
    QTest::newRow("s12 empty") << "Ana" << with(maxilla, 11, "") << mandible << incomplete;
    QTest::newRow("i10 empty") << "Ana" << maxilla << with(mandible, 9, "") << incomplete;
    QTest::newRow("empty field before zero sums") << "Ana" << zeros << with(zeros, 0, "") << incomplete;

    QTest::newRow("maxilla zero") << "Ana" << zeros << mandible << max12;
    QTest::newRow("maxilla zero before mandible zero") << "Ana" << zeros << zeros << max12;
    QTest::newRow("maxillary anterior zero") << "Ana" << posteriorOnly << mandible << max6;
    QTest::newRow("maxillary anterior zero before mandible zero") << "Ana" << posteriorOnly << zeros << max6;
    QTest::newRow("mandible zero") << "Ana" << maxilla << zeros << mnd12;
    QTest::newRow("mandibular anterior zero") << "Ana" << maxilla << posteriorOnly << mnd6;
    // The anterior six run from the 4th field to the 9th, both included.
    QTest::newRow("s04 alone is an anterior width") << "Ana" << with(zeros, 3, "7.0") << mandible << QString();
    QTest::newRow("s09 alone is an anterior width") << "Ana" << with(zeros, 8, "7.0") << mandible << QString();
    QTest::newRow("i04 alone is an anterior width") << "Ana" << maxilla << with(zeros, 3, "5.0") << QString();
    QTest::newRow("i09 alone is an anterior width") << "Ana" << maxilla << with(zeros, 8, "5.0") << QString();
    // A sum that shows as 0.0 is zero: the ratios divide by what is shown.
    QTest::newRow("maxilla 0.04 shows as zero") << "Ana" << with(zeros, 0, "0.04") << mandible << max12;
    QTest::newRow("maxillary anterior 0.04 shows as zero")
        << "Ana" << with(posteriorOnly, 4, "0.04") << mandible << max6;
    QTest::newRow("mandible 0.04 shows as zero") << "Ana" << maxilla << with(zeros, 11, "0.04") << mnd12;
    QTest::newRow("mandibular anterior 0.04 shows as zero")
        << "Ana" << maxilla << with(posteriorOnly, 5, "0.04") << mnd6;
    QTest::newRow("0.05 shows as 0.1 and is not zero") << "Ana" << with(zeros, 4, "0.05") << mandible << QString();

    const QStringList garbage(12, QStringLiteral("abc"));
    QTest::newRow("unparsable widths count as zero") << "Ana" << garbage << mandible << max12;
    QTest::newRow("unparsable anterior widths count as zero")
        << "Ana" << maxilla << QStringList{"7.0", "7.0", "7.0", "x", ".", "-", "x", "x", "x", "7.0", "7.0", "7.0"}
        << mnd6;
}

void BoltonCalcTest::checks()
{
    QFETCH(QString, patient);
    QFETCH(QStringList, maxilla);
    QFETCH(QStringList, mandible);
    QFETCH(QString, warning);
    BoltonInputs in = inputs(maxilla, mandible);
    in.patient = patient;
    QCOMPARE(checkBoltonInputs(in), warning);
}

void BoltonCalcTest::recordMatchesTheLayout()
{
    const QByteArray expected = sampleBytes();
    QCOMPARE(expected.size(), BoltonRecord::kSize);
    // Anchors from the layout: i01 at 123, termole at 195, segmold at 213.
    QCOMPARE(expected.mid(123, 5), QByteArray("\x04" "1.25"));
    QCOMPARE(expected.mid(195, 5), QByteArray("\x04" "10.8"));
    QCOMPARE(expected.mid(213, 4), QByteArray("\x03" "9.9"));

    QCOMPARE(sampleRecord().toBytes(), expected);
    compareRecords(BoltonRecord::fromBytes(expected), sampleRecord());
}

// A width of 1234 shows as 1234.0 and is stored as its first five characters.
void BoltonCalcTest::recordCutsToCapacity()
{
    BoltonRecord r = sampleRecord();
    r.patient = QStringLiteral("Maria Aparecida dos Santos Oliveira Pereira da Silva Mota Lu");
    QCOMPARE(r.patient.size(), 60);
    r.mandible[0] = QStringLiteral("1234.0");
    const QByteArray bytes = r.toBytes();
    QCOMPARE(bytes.size(), BoltonRecord::kSize);
    QCOMPARE(bytes.left(51), field("Maria Aparecida dos Santos Oliveira Pereira da Sil", 50));
    QCOMPARE(bytes.mid(51, 6), field("1.5", 5));  // s01 not overrun by the name
    QCOMPARE(bytes.mid(123, 6), field("1234.", 5));
    QCOMPARE(bytes.mid(129, 6), field("2.25", 5));

    const BoltonRecord back = BoltonRecord::fromBytes(bytes);
    QCOMPARE(back.patient, QStringLiteral("Maria Aparecida dos Santos Oliveira Pereira da Sil"));
    QCOMPARE(back.mandible[0], QStringLiteral("1234."));
}

void BoltonCalcTest::recordIsWindows1252()
{
    BoltonRecord r = sampleRecord();
    r.patient = QStringLiteral("Élise Šimek");
    const QByteArray bytes = r.toBytes();
    QCOMPARE(bytes.left(12), QByteArray("\x0b\xc9lise \x8aimek"));
    QCOMPARE(BoltonRecord::fromBytes(bytes).patient, r.patient);
}

// A damaged length byte never makes a field read into the next one.
void BoltonCalcTest::recordClampsDamagedLength()
{
    QByteArray bytes = sampleBytes();
    bytes[0] = static_cast<char>(200);
    bytes.replace(1, 50, QByteArray(50, 'N'));
    bytes[51] = static_cast<char>(9);
    bytes.replace(52, 5, "12.34");
    const BoltonRecord r = BoltonRecord::fromBytes(bytes);
    QCOMPARE(r.patient, QString(50, QLatin1Char('N')));
    QCOMPARE(r.maxilla[0], QStringLiteral("12.34"));
    QCOMPARE(r.maxilla[1], QStringLiteral("2.5"));
}

void BoltonCalcTest::readBoltonFileTakesTheFirstRecord()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ana Souza.bol"));
    replaceFile(path, sampleBytes() + QByteArray(BoltonRecord::kSize, 'z'));
    compareRecords(readBoltonFile(path), sampleRecord());
}

void BoltonCalcTest::readBoltonFileErrors_data()
{
    QTest::addColumn<int>("size");  // negative: no file at all
    QTest::newRow("218 bytes") << 218;
    QTest::newRow("empty") << 0;
    QTest::newRow("missing") << -1;
}

void BoltonCalcTest::readBoltonFileErrors()
{
    QFETCH(int, size);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ana Souza.bol"));
    if (size >= 0)
        replaceFile(path, sampleBytes().left(size));
    QVERIFY_THROWS_EXCEPTION(FileError, readBoltonFile(path));
}

// Three column pairs per line, column by column, decimal commas.
void BoltonCalcTest::memoTexts()
{
    const QStringList overall = memoLines(overallTableText());
    QCOMPARE(overall.at(0), QString());
    QVERIFY(overall.at(1).count(QStringLiteral("Max")) == 3 && overall.at(1).count(QStringLiteral("Mnd")) == 3);
    QVERIFY(overall.at(2).startsWith(QStringLiteral("---")));
    QVERIFY2(overall.at(3).startsWith(QStringLiteral("85--\t77,6")), qPrintable(overall.at(3)));
    QVERIFY2(overall.at(3).contains(QStringLiteral("94--\t85,8")), qPrintable(overall.at(3)));
    QVERIFY2(overall.at(3).contains(QStringLiteral("103--\t94,0")), qPrintable(overall.at(3)));
    QCOMPARE(overall.at(4).trimmed(), QString());
    // Nine lines of rows; the last has no third pair.
    QVERIFY2(overall.at(19).startsWith(QStringLiteral("93--\t84,9")), qPrintable(overall.at(19)));
    QVERIFY2(overall.at(19).trimmed().endsWith(QStringLiteral("102--\t93,1")), qPrintable(overall.at(19)));
    QVERIFY2(overall.at(17).trimmed().endsWith(QStringLiteral("110--\t100,4")), qPrintable(overall.at(17)));

    const QStringList anterior = memoLines(anteriorTableText());
    QCOMPARE(anterior.at(0), QString());
    QVERIFY2(anterior.at(3).startsWith(QStringLiteral("40,0--\t30,9")), qPrintable(anterior.at(3)));
    QVERIFY2(anterior.at(3).contains(QStringLiteral("45,5--\t35,1")), qPrintable(anterior.at(3)));
    QVERIFY2(anterior.at(3).contains(QStringLiteral("50,5--\t39,0")), qPrintable(anterior.at(3)));
    // Eleven lines of rows; the last holds 45.0 alone.
    QCOMPARE(anterior.at(23).trimmed(), QStringLiteral("45,0--\t34,7"));
}

QTEST_APPLESS_MAIN(BoltonCalcTest)
#include "tst_boltoncalc.moc"
