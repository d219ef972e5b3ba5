#include "steiner/steinercalc.h"

#include <QtTest>

using namespace vel;

Q_DECLARE_METATYPE(vel::SteinerInputs)

namespace {

// The order of SteinerInputs: ANB, 1.NA, 1-NA, 1.NB, 1-NB, Pog-NB, expected Pog-NB.
SteinerInputs inputs(const char* anb, const char* upperDegrees, const char* upperMm, const char* lowerDegrees,
                     const char* lowerMm, const char* pogNb, const char* expectedPog)
{
    return {QString::fromLatin1(anb),     QString::fromLatin1(upperDegrees), QString::fromLatin1(upperMm),
            QString::fromLatin1(lowerDegrees), QString::fromLatin1(lowerMm), QString::fromLatin1(pogNb),
            QString::fromLatin1(expectedPog)};
}

// The case NEW loads.
SteinerInputs example() { return inputs("6", "28", "7", "35", "10", "1.5", "3"); }

// A chevron as its six texts, in the order of the struct: top, upper outer,
// upper inner, lower inner, lower outer, bottom. A failing QCOMPARE then
// names the position that differs.
QStringList texts(const Chevron& c) { return {c.top, c.outTop, c.inTop, c.inBottom, c.outBottom, c.bottom}; }

using Column = std::array<QString, 7>;

const QString warning = QStringLiteral("Please fill in all mandatory fields before calculating!");

}  // namespace

class SteinerCalcTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mandatoryFields_data();
    void mandatoryFields();
    void wholeDegrees_data();
    void wholeDegrees();
    void anbGoal_data();
    void anbGoal();
    void chevrons_data();
    void chevrons();
    void lowerArch_data();
    void lowerArch();
    void individualisedGoal_data();
    void individualisedGoal();
    void chevronFiveMatchesFourWhenUntouched_data();
    void chevronFiveMatchesFourWhenUntouched();
};

void SteinerCalcTest::mandatoryFields_data()
{
    QTest::addColumn<SteinerInputs>("in");
    QTest::addColumn<QString>("message");

    QTest::newRow("all seven filled") << example() << QString();
    // Only emptiness counts: a lone sign is not a number, but it is not empty.
    QTest::newRow("a lone sign passes") << inputs("-", "28", "7", "35", "10", ".", "3") << QString();
    QTest::newRow("ANB empty") << inputs("", "28", "7", "35", "10", "1.5", "3") << warning;
    QTest::newRow("1.NA empty") << inputs("6", "", "7", "35", "10", "1.5", "3") << warning;
    QTest::newRow("1-NA empty") << inputs("6", "28", "", "35", "10", "1.5", "3") << warning;
    QTest::newRow("1.NB empty") << inputs("6", "28", "7", "", "10", "1.5", "3") << warning;
    QTest::newRow("1-NB empty") << inputs("6", "28", "7", "35", "", "1.5", "3") << warning;
    QTest::newRow("Pog-NB empty") << inputs("6", "28", "7", "35", "10", "", "3") << warning;
    QTest::newRow("expected Pog-NB empty") << inputs("6", "28", "7", "35", "10", "1.5", "") << warning;
    QTest::newRow("zero is a value") << inputs("0", "0", "0", "0", "0", "0", "0") << QString();
}

void SteinerCalcTest::mandatoryFields()
{
    QFETCH(SteinerInputs, in);
    QFETCH(QString, message);
    QCOMPARE(checkSteinerInputs(in), message);
}

// Halves go away from zero on both sides; anything short of a half goes back.
void SteinerCalcTest::wholeDegrees_data()
{
    QTest::addColumn<QString>("anb");
    QTest::addColumn<int>("degrees");

    QTest::newRow("6") << "6" << 6;
    QTest::newRow("6.5") << "6.5" << 7;
    QTest::newRow("5.5") << "5.5" << 6;
    QTest::newRow("2.4") << "2.4" << 2;
    QTest::newRow("2.49") << "2.49" << 2;
    QTest::newRow("-0.4") << "-0.4" << 0;
    QTest::newRow("-0.5") << "-0.5" << -1;
    QTest::newRow("-2.5") << "-2.5" << -3;
    QTest::newRow("-2.4") << "-2.4" << -2;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("lone sign") << "-" << 0;
}

void SteinerCalcTest::wholeDegrees()
{
    QFETCH(QString, anb);
    QFETCH(int, degrees);
    QCOMPARE(vel::wholeDegrees(anb), degrees);
}

// Chevron 2 from ANB alone: the goal, the upper incisor 6 - goal, the lower
// incisor goal / 4 + 3.5.
void SteinerCalcTest::anbGoal_data()
{
    QTest::addColumn<QString>("anb");
    QTest::addColumn<QString>("goal");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");

    QTest::newRow("6") << "6" << "4" << "2" << "4.50";
    QTest::newRow("2") << "2" << "2" << "4" << "4.00";
    QTest::newRow("0") << "0" << "1" << "5" << "3.75";
    // Truncation toward zero: flooring would give 0 and -1.
    QTest::newRow("-1") << "-1" << "1" << "5" << "3.75";
    QTest::newRow("-3") << "-3" << "0" << "6" << "3.50";
    QTest::newRow("-4") << "-4" << "-1" << "7" << "3.25";
    // Rounded first, then halved: 6.5 -> 7 -> 4, 5.5 -> 6 -> 4 (truncating the
    // ANB would give 3), -1.5 -> -2 -> 0 (truncating it would give 1).
    QTest::newRow("6.5") << "6.5" << "4" << "2" << "4.50";
    QTest::newRow("5.5") << "5.5" << "4" << "2" << "4.50";
    QTest::newRow("2.4") << "2.4" << "2" << "4" << "4.00";
    QTest::newRow("-0.5") << "-0.5" << "1" << "5" << "3.75";
    QTest::newRow("-1.5") << "-1.5" << "0" << "6" << "3.50";
}

void SteinerCalcTest::anbGoal()
{
    QFETCH(QString, anb);
    QFETCH(QString, goal);
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    SteinerInputs in = example();
    in.anb = anb;
    const SteinerResults r = calculateSteiner(in);
    QCOMPARE(texts(r.anbGoal), (QStringList{goal, upper, QString(), QString(), lower, QString()}));
    QCOMPARE(r.resolved.top, goal);
}

// Chevrons 1 to 4 and the relocation, worked by hand. Each step reads the
// two-decimal text of the one before, which some rows depend on.
void SteinerCalcTest::chevrons_data()
{
    QTest::addColumn<SteinerInputs>("in");
    QTest::addColumn<QStringList>("problem");
    QTest::addColumn<QStringList>("anbGoal");
    QTest::addColumn<QStringList>("chinGoal");
    QTest::addColumn<QStringList>("resolved");
    QTest::addColumn<QString>("gained");
    QTest::addColumn<QString>("needed");

    // Chevron 3: 3 - (4.50 - 2) = 0.50. Chevron 4: (2 + 0.50) / 2, (4.50 + 3) / 2.
    // The lower incisor moves back from 10 to 3.75: 2 x 6.25 on the "-" side.
    QTest::newRow("example")
        << example() << QStringList{"6", "7", "28", "35", "10", "1.5"}
        << QStringList{"4", "2", "", "", "4.50", ""} << QStringList{"", "0.50", "", "", "3", "3"}
        << QStringList{"4", "1.25", "19", "24", "3.75", "3"} << QString() << QStringLiteral("12.50");

    // Already at 3.75: no move either way, and both columns say so.
    QTest::newRow("lower incisor already resolved")
        << inputs("6", "28", "7", "35", "3.75", "1.5", "3") << QStringList{"6", "7", "28", "35", "3.75", "1.5"}
        << QStringList{"4", "2", "", "", "4.50", ""} << QStringList{"", "0.50", "", "", "3", "3"}
        << QStringList{"4", "1.25", "19", "24", "3.75", "3"} << QStringLiteral("0") << QStringLiteral("0");

    // ANB 2: the incisors 4 and 4.00 apart by 0, so chevron 3's upper incisor
    // is the chin value. Chevron 4: 2.50 and 2.50; 20.5 degrees goes to 21.
    // The lower incisor moves forward from 1.75: 2 x 0.75 gained.
    QTest::newRow("forward move")
        << inputs("2", "20", "3", "22", "1.75", "0", "1") << QStringList{"2", "3", "20", "22", "1.75", "0"}
        << QStringList{"2", "4", "", "", "4.00", ""} << QStringList{"", "1.00", "", "", "1", "1"}
        << QStringList{"2", "2.50", "21", "19", "2.50", "1"} << QStringLiteral("1.50") << QString();

    // Negative ANB and chin. Chevron 3: -1.25 - (3.50 - 6) = 1.25. Chevron 4:
    // 7.25 / 2 = 3.625 shows 3.63 (21.63 -> 22); 2.25 / 2 = 1.125 shows 1.13
    // (4.52 + 9 -> 14). The relocation reads the shown 1.13: 2 x 1.63 = 3.26,
    // where the unrounded 1.125 would give 3.25.
    QTest::newRow("negative ANB, forward move")
        << inputs("-3", "15", "-1", "18", "-0.5", "-2", "-1.25") << QStringList{"-3", "-1", "15", "18", "-0.5", "-2"}
        << QStringList{"0", "6", "", "", "3.50", ""} << QStringList{"", "1.25", "", "", "-1.25", "-1.25"}
        << QStringList{"0", "3.63", "22", "14", "1.13", "-1.25"} << QStringLiteral("3.26") << QString();

    // Chevron 4 halves 4 - 3.01 = 0.99 for both incisors: 0.495 shows 0.50.
    // The degrees and the relocation read 0.50: 18.50 -> 19 (from 0.495 it
    // would be 18) and 2 x (4 - 0.50) = 7.00 (from 0.495 it would be 7.01).
    QTest::newRow("chevron 4 read back from its text")
        << inputs("2", "22", "4", "25", "4", "-3", "-3.01") << QStringList{"2", "4", "22", "25", "4", "-3"}
        << QStringList{"2", "4", "", "", "4.00", ""} << QStringList{"", "-3.01", "", "", "-3.01", "-3.01"}
        << QStringList{"2", "0.50", "19", "11", "0.50", "-3.01"} << QString() << QStringLiteral("7.00");
}

void SteinerCalcTest::chevrons()
{
    QFETCH(SteinerInputs, in);
    QFETCH(QStringList, problem);
    QFETCH(QStringList, anbGoal);
    QFETCH(QStringList, chinGoal);
    QFETCH(QStringList, resolved);
    QFETCH(QString, gained);
    QFETCH(QString, needed);

    const SteinerResults r = calculateSteiner(in);
    QCOMPARE(texts(r.problem), problem);
    QCOMPARE(texts(r.anbGoal), anbGoal);
    QCOMPARE(texts(r.chinGoal), chinGoal);
    QCOMPARE(texts(r.resolved), resolved);
    QCOMPARE(r.relocationGained, gained);
    QCOMPARE(r.relocationNeeded, needed);
}

// Rows: Discrepancy, Expansion, Relocation 1, Relocation 6, Spee curve,
// Mechanics, Extractions/Stripping.
void SteinerCalcTest::lowerArch_data()
{
    QTest::addColumn<Column>("gained");
    QTest::addColumn<Column>("needed");
    QTest::addColumn<QString>("totalGained");
    QTest::addColumn<QString>("totalNeeded");
    QTest::addColumn<QString>("netGained");
    QTest::addColumn<QString>("netNeeded");
    QTest::addColumn<bool>("balanced");

    const Column exampleNeeded{"2", "", "12.50", "", "1", "", "5"};
    QTest::newRow("example, space still needed")
        << Column{"", "", "", "", "", "3", "15"} << exampleNeeded << "18.00" << "20.50" << "" << "2.50" << false;
    QTest::newRow("example balanced by Relocation 6")
        << Column{"", "", "", "2.5", "", "3", "15"} << exampleNeeded << "20.50" << "20.50" << "0" << "0" << true;
    QTest::newRow("surplus") << Column{"5", "1.25", "", "", "", "", ""} << Column{"3", "", "", "", "", "", ""}
                             << "6.25" << "3.00" << "3.25" << "" << false;
    QTest::newRow("unparsable entries count as 0")
        << Column{"abc", "2", "", "", "", "", ""} << Column{"-", ".", "2", "1.2.3", "", "", ""} << "2.00" << "2.00"
        << "0" << "0" << true;
    QTest::newRow("negative entry") << Column{"-2", "", "", "", "", "", ""} << Column{} << "-2.00" << "0.00" << ""
                                    << "2.00" << false;
    // 0.1 + 0.2 is not 0.3 in binary; the totals are compared as shown.
    QTest::newRow("totals compared as shown")
        << Column{"0.1", "0.2", "", "", "", "", ""} << Column{"0.3", "", "", "", "", "", ""} << "0.30" << "0.30"
        << "0" << "0" << true;
    QTest::newRow("less than a hundredth shows as balanced")
        << Column{"0.004", "", "", "", "", "", ""} << Column{} << "0.00" << "0.00" << "0" << "0" << true;
    // 1.01 - 0.00, where the unrounded 1.006 - 0.004 would show 1.00.
    QTest::newRow("net from the shown totals")
        << Column{"1.006", "", "", "", "", "", ""} << Column{"0.004", "", "", "", "", "", ""} << "1.01" << "0.00"
        << "1.01" << "" << false;
}

void SteinerCalcTest::lowerArch()
{
    QFETCH(Column, gained);
    QFETCH(Column, needed);
    QFETCH(QString, totalGained);
    QFETCH(QString, totalNeeded);
    QFETCH(QString, netGained);
    QFETCH(QString, netNeeded);
    QFETCH(bool, balanced);

    const ArchBalance b = balanceLowerArch(gained, needed);
    QCOMPARE(b.totalGained, totalGained);
    QCOMPARE(b.totalNeeded, totalNeeded);
    QCOMPARE(b.netGained, netGained);
    QCOMPARE(b.netNeeded, netNeeded);
    QCOMPARE(b.balanced, balanced);
}

// Chevron 5 on the example (lower incisor measured at 10, resolved 1.25 and
// 3.75) for relocations the clinician may have changed.
void SteinerCalcTest::individualisedGoal_data()
{
    QTest::addColumn<QString>("gained");
    QTest::addColumn<QString>("needed");
    QTest::addColumn<QStringList>("goal");

    QTest::newRow("relocation as calculated")
        << QString() << "12.50" << QStringList{"4", "1.25", "19", "24", "3.75", "3"};
    // 10 - 5.25 = 4.75 (19 + 9 = 28); the upper incisor follows by 1.00 to 2.25 (20.25 -> 20).
    QTest::newRow("less relocated back") << QString() << "10.5" << QStringList{"4", "2.25", "20", "28", "4.75", "3"};
    // 10 + 1 = 11.00 (44 + 9 = 53); upper 1.25 + 7.25 = 8.50 (26.5 -> 27).
    QTest::newRow("moved forward instead") << "2" << QString() << QStringList{"4", "8.50", "27", "53", "11.00", "3"};
    // A "+" entry wins while it is not empty, even "0" beside a "-" entry: the
    // lower incisor stays at 10.00 and the upper follows by 6.25 to 7.50 (25.5 -> 26).
    QTest::newRow("zero gain stays where measured")
        << "0" << "12.50" << QStringList{"4", "7.50", "26", "49", "10.00", "3"};
    QTest::newRow("nothing relocated") << QString() << QString()
                                       << QStringList{"4", "7.50", "26", "49", "10.00", "3"};
}

void SteinerCalcTest::individualisedGoal()
{
    QFETCH(QString, gained);
    QFETCH(QString, needed);
    QFETCH(QStringList, goal);
    const SteinerResults r = calculateSteiner(example());
    QCOMPARE(texts(vel::individualisedGoal(r.problem, r.resolved, gained, needed)), goal);
}

// With the relocation as CALCULATE wrote it, chevron 5 lands on chevron 4,
// whichever column the relocation stands in.
void SteinerCalcTest::chevronFiveMatchesFourWhenUntouched_data()
{
    QTest::addColumn<SteinerInputs>("in");

    QTest::newRow("example, back") << example();
    QTest::newRow("already resolved, 0 and 0") << inputs("6", "28", "7", "35", "3.75", "1.5", "3");
    QTest::newRow("forward") << inputs("2", "20", "3", "22", "1.75", "0", "1");
    QTest::newRow("negative ANB, forward") << inputs("-3", "15", "-1", "18", "-0.5", "-2", "-1.25");
    QTest::newRow("read back, back") << inputs("2", "22", "4", "25", "4", "-3", "-3.01");
    QTest::newRow("odd hundredths, back") << inputs("3.5", "24", "5.37", "30", "6.33", "0.71", "1.17");
    QTest::newRow("odd hundredths, forward") << inputs("-0.5", "20", "2.09", "21", "1.01", "1.3", "2.83");
    // Chevron 4's lower incisor shows -0.00; the relocation lands on zero.
    QTest::newRow("resolved at -0.00") << inputs("-1", "20", "2", "15", "-10.00", "-3", "-3.76");
    QTest::newRow("upper incisor resolved at -0.00") << inputs("-1", "20", "2", "15", "-10.00", "-3", "-6.26");
}

void SteinerCalcTest::chevronFiveMatchesFourWhenUntouched()
{
    QFETCH(SteinerInputs, in);
    const SteinerResults r = calculateSteiner(in);
    const Chevron five = vel::individualisedGoal(r.problem, r.resolved, r.relocationGained, r.relocationNeeded);
    QCOMPARE(texts(five), texts(r.resolved));
}

QTEST_APPLESS_MAIN(SteinerCalcTest)
#include "tst_steinercalc.moc"
