#include "guidance/guidancerules.h"

#include <QHash>
#include <QtTest>

#include <algorithm>

using namespace vel;

namespace {

#define VEL_ANSWER(name) {QStringLiteral(#name), &GuideAnswers::name}

// Rows name the checked answers by their control names, blank separated;
// clsim absent means No is selected.
GuideAnswers answersOf(const QString& checked)
{
    static const QHash<QString, bool GuideAnswers::*> members = {
        VEL_ANSWER(daapinh), VEL_ANSWER(menor),    VEL_ANSWER(maior),    VEL_ANSWER(dmapinh),
        VEL_ANSWER(dmrel),   VEL_ANSWER(dmpro),    VEL_ANSWER(dpadq),    VEL_ANSWER(dpinadeq),
        VEL_ANSWER(clsim),   VEL_ANSWER(horcl2),   VEL_ANSWER(direita),  VEL_ANSWER(esquerda),
        VEL_ANSWER(sem),     VEL_ANSWER(horcl3),   VEL_ANSWER(aberta),   VEL_ANSWER(profunda),
        VEL_ANSWER(suave),   VEL_ANSWER(media),    VEL_ANSWER(severa),   VEL_ANSWER(desarm),
        VEL_ANSWER(dessuave), VEL_ANSWER(dessevera),
    };
    GuideAnswers answers;
    for (const QString& name : checked.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const auto it = members.find(name);
        if (it == members.end())
            qFatal("no answer named %s", qPrintable(name));
        answers.*(*it) = true;
    }
    return answers;
}

#undef VEL_ANSWER

// A line reads "[or ]text[|UL,UR/LL,LR]": the marks part appears when the
// chart is drawn, or flagged "nochart:" when marks were written without it.
QString describe(const DiagnosisLine& line)
{
    QString s = line.orBefore ? QStringLiteral("or ") : QString();
    s += line.text;
    const auto& k = line.marks;
    const bool anyMark = std::any_of(k.begin(), k.end(), [](const QString& m) { return !m.isEmpty(); });
    if (line.chart || anyMark) {
        s += line.chart ? QStringLiteral("|") : QStringLiteral("|nochart:");
        s += k[0] + QLatin1Char(',') + k[1] + QLatin1Char('/') + k[2] + QLatin1Char(',') + k[3];
    }
    return s;
}

// A block reads its lines joined by " ; ", trailing untouched lines left out.
// Its caption must be shown exactly when the block holds a suggestion, so only
// a caption that disagrees with that is spelled out.
template <std::size_t N>
QString describe(bool caption, const std::array<DiagnosisLine, N>& lines)
{
    QStringList parts;
    for (const DiagnosisLine& line : lines)
        parts << describe(line);
    while (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    QString s = parts.join(QStringLiteral(" ; "));
    if (caption && parts.isEmpty())
        s += QStringLiteral("[caption shown]");
    else if (!caption && !parts.isEmpty())
        s += QStringLiteral(" [caption hidden]");
    return s;
}

QString describe(bool caption, const DiagnosisLine& line)
{
    return describe(caption, std::array<DiagnosisLine, 1>{line});
}

GuidanceInputs inputs(const QString& a, const QString& m, const QString& p, const QString& anb)
{
    return GuidanceInputs{a, m, p, anb};
}

// The other areas' value in each table: no area needs an extraction and no
// horizontal rule fires, so the table's own input stands alone.
const QString zero = QStringLiteral("0.0");

const char* const kSurgery = "Surgery and Orthodontics";
const char* const kIntrusive = "Extractions and Intrusive\rdirectional force treatment";
const char* const kDistal = "Extraction, distal tipping\rforces and Intrusive\rdirectional force treatment";
const char* const kBitePlates =
    "Bite plates, U and D elastics and\rother extrusive directional forces.\rSurgery and Orthodontics";
const char* const kCompensated = "Can be compensated by tooth\rpositioning";

// The three lines of a Class II without subdivision at 3 <= ANB < 5.
const QString kClassIIBoth =
    QStringLiteral("Extract:|8,8/8,8 ; or Extract:|4,4/, ; or Extract:|4,4/5,5");

QString after(const QString& lines, const char* next)
{
    return lines + QStringLiteral(" ; or ") + QLatin1String(next);
}

}  // namespace

class GuidanceRulesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void validation_data();
    void validation();
    void anterior_data();
    void anterior();
    void midarch_data();
    void midarch();
    void posterior_data();
    void posterior();
    void skeletal_data();
    void skeletal();
    void eachBlockReadsItsOwnInput();
};

void GuidanceRulesTest::validation_data()
{
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("warning");

    const QString crowding = QStringLiteral(" A Crowding option must be checked! ");
    const QString molars = QStringLiteral(" Third molars position must be checked!");
    const QString none =
        QStringLiteral("No Disharmony selected! If there is no skeletal disharmony, please Check NO!");
    const QString classII = QStringLiteral(" Horizontal Class II subdivision was not selected!");
    const QString openBite = QStringLiteral(" Vertical disharmony - Open Bite was not selected!");
    const QString deepBite = QStringLiteral(" Vertical disharmony - Deep Overbite was not selected!");
    const QString facial = QStringLiteral(" Facial disharmony was not selected!");

    QTest::newRow("nothing answered") << "" << molars;
    QTest::newRow("only appropriate molars") << "dpadq" << QString();
    QTest::newRow("only inappropriate molars") << "dpinadeq" << QString();
    QTest::newRow("midarch answers without molars") << "dmapinh dmrel dmpro" << molars;
    QTest::newRow("crowding without amount, no molars") << "daapinh" << crowding;
    QTest::newRow("crowding without amount") << "daapinh dpadq" << crowding;
    QTest::newRow("crowding amount, no molars") << "daapinh menor" << molars;
    QTest::newRow("crowding less") << "daapinh menor dpadq" << QString();
    QTest::newRow("crowding more") << "daapinh maior dpinadeq" << QString();
    QTest::newRow("Yes, no molars") << "clsim" << molars;
    QTest::newRow("Yes, crowding without amount") << "daapinh clsim horcl2" << crowding;
    QTest::newRow("Yes alone") << "dpadq clsim" << none;
    QTest::newRow("Yes with only a dependant box") << "dpadq clsim sem suave dessuave" << none;
    QTest::newRow("No with skeletal boxes left over")
        << "dpadq horcl2 aberta profunda desarm" << QString();
    QTest::newRow("Class II without subdivision") << "dpadq clsim horcl2" << classII;
    QTest::newRow("Class II first of all") << "dpadq clsim horcl2 aberta desarm" << classII;
    QTest::newRow("Class II right") << "dpadq clsim horcl2 direita" << QString();
    QTest::newRow("Class II left") << "dpadq clsim horcl2 esquerda" << QString();
    QTest::newRow("Class II none") << "dpadq clsim horcl2 sem" << QString();
    QTest::newRow("Class III needs nothing more") << "dpadq clsim horcl3" << QString();
    QTest::newRow("open bite without severity") << "dpadq clsim aberta" << openBite;
    QTest::newRow("open bite before facial") << "dpadq clsim horcl2 direita aberta desarm" << openBite;
    QTest::newRow("open bite mild") << "dpadq clsim aberta suave" << QString();
    QTest::newRow("open bite moderate") << "dpadq clsim aberta media" << QString();
    QTest::newRow("open bite severe") << "dpadq clsim aberta severa" << QString();
    QTest::newRow("deep overbite without severity") << "dpadq clsim profunda" << deepBite;
    QTest::newRow("deep overbite does not count suave") << "dpadq clsim profunda suave" << deepBite;
    QTest::newRow("deep overbite before facial") << "dpadq clsim horcl3 profunda desarm" << deepBite;
    QTest::newRow("deep overbite mild") << "dpadq clsim profunda media" << QString();
    QTest::newRow("deep overbite severe") << "dpadq clsim profunda severa" << QString();
    QTest::newRow("facial without severity") << "dpadq clsim desarm" << facial;
    QTest::newRow("facial after the rest") << "dpadq clsim horcl2 sem aberta severa desarm" << facial;
    QTest::newRow("facial mild") << "dpadq clsim desarm dessuave" << QString();
    QTest::newRow("everything answered")
        << "daapinh maior dmapinh dpinadeq clsim horcl2 sem aberta suave desarm dessevera" << QString();
}

void GuidanceRulesTest::validation()
{
    QFETCH(QString, checked);
    QFETCH(QString, warning);
    QCOMPARE(validateAnswers(answersOf(checked)), warning);
}

void GuidanceRulesTest::anterior_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("expected");

    const QString eights = QStringLiteral("Extract:|8,8/8,8");
    const QString fives = QStringLiteral("Extract:|5,5/5,5");
    const QString fourFive = QStringLiteral("Extract:|4,4/5,5");
    const QString fours = QStringLiteral("Extract:|4,4/4,4");
    const QString pairs = QStringLiteral("Extract:|X  4,4  X/X  4,4  X");
    const QString none = QStringLiteral("Non-Extraction");

    QTest::newRow("-2.9") << "-2.9" << "" << none;
    QTest::newRow("-2.9 crowding more") << "-2.9" << "daapinh maior" << none;
    QTest::newRow("surplus") << "4.0" << "daapinh menor" << none;
    QTest::newRow("empty text reads 0") << "" << "" << none;
    QTest::newRow("-3.0") << "-3.0" << "" << eights;
    QTest::newRow("-3.0 crowding less") << "-3.0" << "daapinh menor" << fives;
    QTest::newRow("-4.9") << "-4.9" << "" << eights;
    QTest::newRow("-4.9 crowding more") << "-4.9" << "daapinh maior" << fives;
    QTest::newRow("-5.0") << "-5.0" << "" << fours;
    QTest::newRow("-5.0 crowding less") << "-5.0" << "daapinh menor" << fourFive;
    QTest::newRow("-5.0 crowding more") << "-5.0" << "daapinh maior" << fours;
    QTest::newRow("-6.0 crowding less") << "-6.0" << "daapinh menor" << fourFive;
    QTest::newRow("-6.9 crowding less") << "-6.9" << "daapinh menor" << fourFive;
    QTest::newRow("-7.0") << "-7.0" << "" << fours;
    QTest::newRow("-7.0 crowding less") << "-7.0" << "daapinh menor" << fours;
    QTest::newRow("-14.9 crowding more") << "-14.9" << "daapinh maior" << fours;
    QTest::newRow("-15.0") << "-15.0" << "" << pairs;
    QTest::newRow("-15.0 crowding less") << "-15.0" << "daapinh menor" << pairs;
    QTest::newRow("-22.5 crowding more") << "-22.5" << "daapinh maior" << pairs;
}

void GuidanceRulesTest::anterior()
{
    QFETCH(QString, a);
    QFETCH(QString, checked);
    QFETCH(QString, expected);
    const Diagnosis d = suggestDiagnosis(inputs(a, zero, zero, zero), answersOf(checked + " dpadq"));
    QCOMPARE(describe(d.anteriorCaption, d.anterior), expected);
}

void GuidanceRulesTest::midarch_data()
{
    QTest::addColumn<QString>("m");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("expected");

    const QString eights = QStringLiteral("Extract:|8,8/8,8");
    const QString fourFive = QStringLiteral("Extract:|4,4/5,5");
    const QString fives = QStringLiteral("Extract:|5,5/5,5");
    const QString twoLines = QStringLiteral("Extract:|8,8/8,8 ; or Extract:|4,4/5,5");
    const QString pairs = QStringLiteral("Extract:|X  4,4  X/X  5,5  X");
    const QString none = QStringLiteral("Non-Extraction");

    QTest::newRow("-2.9 everything checked") << "-2.9" << "dmapinh dmrel dmpro" << none;
    QTest::newRow("-2.9") << "-2.9" << "" << none;
    QTest::newRow("-3.0") << "-3.0" << "" << eights;
    QTest::newRow("-3.0 protrusion") << "-3.0" << "dmpro" << eights;
    QTest::newRow("-4.0 Class II relation") << "-4.0" << "dmrel" << twoLines;
    QTest::newRow("-4.9 Class II relation, protrusion") << "-4.9" << "dmrel dmpro" << twoLines;
    QTest::newRow("-4.0 crowding") << "-4.0" << "dmapinh" << "";
    QTest::newRow("-4.9 crowding, protrusion") << "-4.9" << "dmapinh dmpro" << "";
    QTest::newRow("-4.0 crowding, Class II relation") << "-4.0" << "dmapinh dmrel" << fourFive;
    QTest::newRow("-3.0 all three") << "-3.0" << "dmapinh dmrel dmpro" << fourFive;
    QTest::newRow("-5.0") << "-5.0" << "" << fives;
    QTest::newRow("-5.0 Class II relation") << "-5.0" << "dmrel" << fives;
    QTest::newRow("-5.0 crowding, Class II relation") << "-5.0" << "dmapinh dmrel" << fives;
    QTest::newRow("-5.0 protrusion") << "-5.0" << "dmpro" << fourFive;
    QTest::newRow("-6.9 crowding, protrusion") << "-6.9" << "dmapinh dmpro" << fourFive;
    QTest::newRow("-7.0 protrusion") << "-7.0" << "dmpro" << pairs;
    QTest::newRow("-7.0 all three") << "-7.0" << "dmapinh dmrel dmpro" << pairs;
    QTest::newRow("-12.0") << "-12.0" << "" << pairs;
}

void GuidanceRulesTest::midarch()
{
    QFETCH(QString, m);
    QFETCH(QString, checked);
    QFETCH(QString, expected);
    const Diagnosis d = suggestDiagnosis(inputs(zero, m, zero, zero), answersOf(checked + " dpadq"));
    QCOMPARE(describe(d.midarchCaption, d.midarch), expected);
}

void GuidanceRulesTest::posterior_data()
{
    QTest::addColumn<QString>("p");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("expected");

    const QString wait = QStringLiteral("Await full development of the\rthird molars");
    const QString eights = QStringLiteral("Extract:|8,8/8,8");

    QTest::newRow("-4.9 appropriate") << "-4.9" << "dpadq" << wait;
    QTest::newRow("surplus appropriate") << "3.0" << "dpadq" << wait;
    QTest::newRow("-5.0 appropriate") << "-5.0" << "dpadq" << eights;
    QTest::newRow("-4.9 inappropriate") << "-4.9" << "dpinadeq" << eights;
    QTest::newRow("surplus inappropriate") << "3.0" << "dpinadeq" << eights;
    QTest::newRow("-9.0 inappropriate") << "-9.0" << "dpinadeq" << eights;
}

void GuidanceRulesTest::posterior()
{
    QFETCH(QString, p);
    QFETCH(QString, checked);
    QFETCH(QString, expected);
    const Diagnosis d = suggestDiagnosis(inputs(zero, zero, p, zero), answersOf(checked));
    QCOMPARE(describe(d.posteriorCaption, d.posterior), expected);
}

void GuidanceRulesTest::skeletal_data()
{
    QTest::addColumn<QString>("anb");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("expected");

    const QString surgery = QLatin1String(kSurgery);
    const QString consider = QStringLiteral("Consider extractions|5,5/4,4");
    const QString c2Upper = QStringLiteral("Extract:|7,7/8,8");
    const QString c2Six = QStringLiteral("Extract:|6,6/8,8");
    const QString intrusiveFours = QLatin1String(kIntrusive) + QStringLiteral("|4,4/4,4");
    const QString intrusiveX = QLatin1String(kIntrusive) + QStringLiteral("|X,X/X,X");
    const QString distal = QLatin1String(kDistal) + QStringLiteral("|5,5/5,5");

    // Class II, on the bounds of each ANB band.
    QTest::newRow("II 2.9 none") << "2.9" << "clsim horcl2 sem" << "";
    QTest::newRow("II 2.9 right") << "2.9" << "clsim horcl2 direita" << "";
    QTest::newRow("II -3.0 none") << "-3.0" << "clsim horcl2 sem" << "";
    QTest::newRow("II 3.0 none") << "3.0" << "clsim horcl2 sem" << kClassIIBoth;
    QTest::newRow("II 4.9 none") << "4.9" << "clsim horcl2 sem" << kClassIIBoth;
    QTest::newRow("II 3.0 right") << "3.0" << "clsim horcl2 direita" << "Extract:|4,4/5,4";
    QTest::newRow("II 4.9 right") << "4.9" << "clsim horcl2 direita" << "Extract:|4,4/5,4";
    QTest::newRow("II 3.0 left") << "3.0" << "clsim horcl2 esquerda" << "Extract:|4,4/4,5";
    QTest::newRow("II 4.9 left") << "4.9" << "clsim horcl2 esquerda" << "Extract:|4,4/4,5";
    QTest::newRow("II 5.0 none") << "5.0" << "clsim horcl2 sem" << c2Upper;
    QTest::newRow("II 5.0 right") << "5.0" << "clsim horcl2 direita" << c2Upper;
    QTest::newRow("II 8.9 left") << "8.9" << "clsim horcl2 esquerda" << c2Upper;
    QTest::newRow("II 9.0 right") << "9.0" << "clsim horcl2 direita" << c2Six;
    QTest::newRow("II 9.0 left") << "9.0" << "clsim horcl2 esquerda" << c2Six;
    QTest::newRow("II 11.9 none") << "11.9" << "clsim horcl2 sem" << c2Six;
    QTest::newRow("II 12.0 right") << "12.0" << "clsim horcl2 direita" << surgery;
    QTest::newRow("II 12.0 none") << "12.0" << "clsim horcl2 sem" << surgery;
    QTest::newRow("II 20.5 left") << "20.5" << "clsim horcl2 esquerda" << surgery;

    // Class III.
    QTest::newRow("III -10.0") << "-10.0" << "clsim horcl3" << "Consider surgery";
    QTest::newRow("III -5.0") << "-5.0" << "clsim horcl3" << "Consider surgery";
    QTest::newRow("III -4.9") << "-4.9" << "clsim horcl3" << consider;
    QTest::newRow("III -0.1") << "-0.1" << "clsim horcl3" << consider;
    QTest::newRow("III 0.0") << "0.0" << "clsim horcl3" << "";
    QTest::newRow("III 4.0") << "4.0" << "clsim horcl3" << "";
    QTest::newRow("III empty text reads 0") << "" << "clsim horcl3" << "";

    // Vertical alone; with nothing before it each lands on line 1.
    QTest::newRow("open bite mild") << zero << "clsim aberta suave" << intrusiveFours;
    QTest::newRow("open bite moderate") << zero << "clsim aberta media" << intrusiveX;
    QTest::newRow("open bite severe") << zero << "clsim aberta severa" << surgery;
    QTest::newRow("deep overbite mild") << zero << "clsim profunda media" << distal;
    QTest::newRow("deep overbite severe") << zero << "clsim profunda severa" << QString(kBitePlates);
    QTest::newRow("II 2.9 then open bite") << "2.9" << "clsim horcl2 sem aberta suave" << intrusiveFours;
    QTest::newRow("III 0.0 then deep overbite")
        << "0.0" << "clsim horcl3 profunda severa" << QString(kBitePlates);

    // Vertical after a horizontal line.
    QTest::newRow("II 5.0 right, open bite mild")
        << "5.0" << "clsim horcl2 direita aberta suave" << c2Upper + " ; or " + intrusiveFours;
    QTest::newRow("II 3.0 none, deep overbite mild")
        << "3.0" << "clsim horcl2 sem profunda media" << kClassIIBoth + " ; or " + distal;
    QTest::newRow("II 4.9 none, open bite severe")
        << "4.9" << "clsim horcl2 sem aberta severa" << after(kClassIIBoth, kSurgery);
    QTest::newRow("III -4.9, open bite severe")
        << "-4.9" << "clsim horcl3 aberta severa" << consider + " ; or " + surgery;
    QTest::newRow("III -5.0, deep overbite severe")
        << "-5.0" << "clsim horcl3 profunda severa" << after("Consider surgery", kBitePlates);
    QTest::newRow("II 12.0, open bite severe") << "12.0" << "clsim horcl2 esquerda aberta severa" << surgery;
    QTest::newRow("II 12.0, open bite moderate")
        << "12.0" << "clsim horcl2 esquerda aberta media" << surgery + " ; or " + intrusiveX;
    QTest::newRow("II 12.0, deep overbite severe")
        << "12.0" << "clsim horcl2 sem profunda severa" << after(kSurgery, kBitePlates);

    // Facial alone and after the others.
    QTest::newRow("facial mild") << zero << "clsim desarm dessuave" << QString(kCompensated);
    QTest::newRow("facial severe") << zero << "clsim desarm dessevera" << surgery;
    QTest::newRow("II 9.0 none, facial mild")
        << "9.0" << "clsim horcl2 sem desarm dessuave" << after(c2Six, kCompensated);
    QTest::newRow("II 12.0, facial severe") << "12.0" << "clsim horcl2 direita desarm dessevera" << surgery;
    QTest::newRow("II 12.0, open bite severe, facial severe")
        << "12.0" << "clsim horcl2 sem aberta severa desarm dessevera" << surgery;
    QTest::newRow("II 12.0, open bite mild, facial severe")
        << "12.0" << "clsim horcl2 sem aberta suave desarm dessevera"
        << after(surgery + " ; or " + intrusiveFours, kSurgery);
    QTest::newRow("open bite severe, facial severe") << zero << "clsim aberta severa desarm dessevera" << surgery;
    QTest::newRow("open bite severe, facial mild")
        << zero << "clsim aberta severa desarm dessuave" << after(surgery, kCompensated);
    QTest::newRow("deep overbite severe, facial severe")
        << zero << "clsim profunda severa desarm dessevera" << after(kBitePlates, kSurgery);
    QTest::newRow("III -4.9, deep overbite mild, facial mild")
        << "-4.9" << "clsim horcl3 profunda media desarm dessuave"
        << after(consider + " ; or " + distal, kCompensated);
    QTest::newRow("II 3.0 none, open bite mild, facial mild")
        << "3.0" << "clsim horcl2 sem aberta suave desarm dessuave"
        << after(kClassIIBoth + " ; or " + intrusiveFours, kCompensated);
    QTest::newRow("II 3.0 none, open bite moderate, facial severe")
        << "3.0" << "clsim horcl2 sem aberta media desarm dessevera"
        << after(kClassIIBoth + " ; or " + intrusiveX, kSurgery);
    QTest::newRow("II 3.0 none, open bite severe, facial severe")
        << "3.0" << "clsim horcl2 sem aberta severa desarm dessevera" << after(kClassIIBoth, kSurgery);

    // No selected: whatever a damaged file left checked counts for nothing.
    QTest::newRow("No") << "12.0" << "" << "";
    QTest::newRow("No with skeletal answers")
        << "3.0" << "horcl2 sem aberta suave desarm dessevera" << "";
    QTest::newRow("No with Class III") << "-6.0" << "horcl3 profunda severa" << "";
    QTest::newRow("Yes without any finding") << "12.0" << "clsim" << "";
}

void GuidanceRulesTest::skeletal()
{
    QFETCH(QString, anb);
    QFETCH(QString, checked);
    QFETCH(QString, expected);
    const Diagnosis d = suggestDiagnosis(inputs(zero, zero, zero, anb), answersOf(checked + " dpadq"));
    QCOMPARE(describe(d.skeletalCaption, d.skeletal), expected);
}

// Every value sits where a swap with another area's value would change the
// outcome of at least one block.
void GuidanceRulesTest::eachBlockReadsItsOwnInput()
{
    const Diagnosis d = suggestDiagnosis(inputs(QStringLiteral("-6.0"), QStringLiteral("-4.0"),
                                                QStringLiteral("-2.0"), QStringLiteral("5.0")),
                                         answersOf(QStringLiteral("daapinh menor dmrel dpadq clsim horcl2 direita")));
    QCOMPARE(describe(d.anteriorCaption, d.anterior), QStringLiteral("Extract:|4,4/5,5"));
    QCOMPARE(describe(d.midarchCaption, d.midarch), QStringLiteral("Extract:|8,8/8,8 ; or Extract:|4,4/5,5"));
    QCOMPARE(describe(d.posteriorCaption, d.posterior),
             QStringLiteral("Await full development of the\rthird molars"));
    QCOMPARE(describe(d.skeletalCaption, d.skeletal), QStringLiteral("Extract:|7,7/8,8"));
}

QTEST_APPLESS_MAIN(GuidanceRulesTest)
#include "tst_guidancerules.moc"
