#include "tweed/tweedcalc.h"

#include <QHash>
#include <QtTest>

using namespace vel;

// A row names the entries it changes and the result labels it checks, as
// (name, text) pairs; the names are the member names of TweedInputs and
// TweedResults.
using Texts = QList<QPair<QString, QString>>;

Q_DECLARE_METATYPE(vel::Tone)
Q_DECLARE_METATYPE(vel::TweedCheck::Failure)

namespace vel {
// Readable failure messages for the enums.
char* toString(Tone tone)
{
    static const char* const names[] = {"None", "Green", "Olive", "Red"};
    return qstrdup(names[static_cast<int>(tone)]);
}
char* toString(TweedCheck::Failure failure)
{
    static const char* const names[] = {"None", "Incomplete", "NoGender", "ZeroAfh"};
    return qstrdup(names[static_cast<int>(failure)]);
}
}  // namespace vel

namespace {

#define VEL_MEMBER(type, name) {QStringLiteral(#name), &type::name}

const QHash<QString, QString TweedInputs::*>& inputTexts()
{
    static const QHash<QString, QString TweedInputs::*> map = {
        VEL_MEMBER(TweedInputs, patient),           VEL_MEMBER(TweedInputs, age),
        VEL_MEMBER(TweedInputs, fma),               VEL_MEMBER(TweedInputs, fmia),
        VEL_MEMBER(TweedInputs, impa),              VEL_MEMBER(TweedInputs, occPlane),
        VEL_MEMBER(TweedInputs, sna),               VEL_MEMBER(TweedInputs, snb),
        VEL_MEMBER(TweedInputs, aoBo),              VEL_MEMBER(TweedInputs, zAngle),
        VEL_MEMBER(TweedInputs, upperLip),          VEL_MEMBER(TweedInputs, totalChin),
        VEL_MEMBER(TweedInputs, afh),               VEL_MEMBER(TweedInputs, pfh),
        VEL_MEMBER(TweedInputs, anteriorRequired),  VEL_MEMBER(TweedInputs, anteriorAvailable),
        VEL_MEMBER(TweedInputs, midRequired),       VEL_MEMBER(TweedInputs, midAvailable),
        VEL_MEMBER(TweedInputs, spee),              VEL_MEMBER(TweedInputs, molarCorrection),
        VEL_MEMBER(TweedInputs, posteriorRequired), VEL_MEMBER(TweedInputs, posteriorAvailable),
        VEL_MEMBER(TweedInputs, replacementImpa),
    };
    return map;
}

const QHash<QString, bool TweedInputs::*>& inputFlags()
{
    static const QHash<QString, bool TweedInputs::*> map = {
        VEL_MEMBER(TweedInputs, male),
        VEL_MEMBER(TweedInputs, female),
        VEL_MEMBER(TweedInputs, keepImpa),
    };
    return map;
}

const QHash<QString, QString TweedResults::*>& resultTexts()
{
    static const QHash<QString, QString TweedResults::*> map = {
        VEL_MEMBER(TweedResults, twanbres),   VEL_MEMBER(TweedResults, twafpafares),
        VEL_MEMBER(TweedResults, hornres),    VEL_MEMBER(TweedResults, dcfmares),
        VEL_MEMBER(TweedResults, dcfmiares),  VEL_MEMBER(TweedResults, dcimpares),
        VEL_MEMBER(TweedResults, dcdcres),    VEL_MEMBER(TweedResults, anadmres),
        VEL_MEMBER(TweedResults, anadcres),   VEL_MEMBER(TweedResults, anamtmres),
        VEL_MEMBER(TweedResults, anantres),   VEL_MEMBER(TweedResults, anmdmres),
        VEL_MEMBER(TweedResults, anmedres),   VEL_MEMBER(TweedResults, anpdmres),
        VEL_MEMBER(TweedResults, anpcresres), VEL_MEMBER(TweedResults, anposres),
        VEL_MEMBER(TweedResults, andiscres),  VEL_MEMBER(TweedResults, idfmares),
        VEL_MEMBER(TweedResults, idanbres),   VEL_MEMBER(TweedResults, idangzres),
        VEL_MEMBER(TweedResults, idplocres),  VEL_MEMBER(TweedResults, idsnbres),
        VEL_MEMBER(TweedResults, idifres),    VEL_MEMBER(TweedResults, idsub1res),
        VEL_MEMBER(TweedResults, iddmares),   VEL_MEMBER(TweedResults, iddcres),
        VEL_MEMBER(TweedResults, idmtmres),   VEL_MEMBER(TweedResults, iddmmres),
        VEL_MEMBER(TweedResults, idspeeres),  VEL_MEMBER(TweedResults, idcorrres),
        VEL_MEMBER(TweedResults, iddmpres),   VEL_MEMBER(TweedResults, idsub2res),
        VEL_MEMBER(TweedResults, idtotres),   VEL_MEMBER(TweedResults, idlabel),
    };
    return map;
}

#undef VEL_MEMBER

// A complete, unremarkable adult case: every measurement inside its normal
// range, the measured IMPA on its target (FMA 25 gives 87), no discrepancy in
// any area, so every difficulty item is "0.0" and a row's changes stand alone.
TweedInputs baseline()
{
    TweedInputs in;
    in.patient = QStringLiteral("Maria Silva");
    in.age = QStringLiteral("20");
    in.male = true;
    in.fma = QStringLiteral("25.0");
    in.fmia = QStringLiteral("67.0");
    in.impa = QStringLiteral("87.0");
    in.occPlane = QStringLiteral("10.0");
    in.sna = QStringLiteral("82.0");
    in.snb = QStringLiteral("80.0");
    in.aoBo = QStringLiteral("2.0");
    in.zAngle = QStringLiteral("75.0");
    in.upperLip = QStringLiteral("12.0");
    in.totalChin = QStringLiteral("12.0");
    in.afh = QStringLiteral("100.0");
    in.pfh = QStringLiteral("66.0");
    in.anteriorRequired = QStringLiteral("30.0");
    in.anteriorAvailable = QStringLiteral("30.0");
    in.midRequired = QStringLiteral("20.0");
    in.midAvailable = QStringLiteral("20.0");
    in.spee = QStringLiteral("0.0");
    in.molarCorrection = QStringLiteral("0.0");
    in.posteriorRequired = QStringLiteral("24.0");
    in.posteriorAvailable = QStringLiteral("24.0");
    return in;
}

// Flags take "yes" or "no".
TweedInputs withChanges(const Texts& changes)
{
    TweedInputs in = baseline();
    for (const auto& [name, text] : changes) {
        if (const auto t = inputTexts().find(name); t != inputTexts().end())
            in.*(*t) = text;
        else if (const auto f = inputFlags().find(name); f != inputFlags().end())
            in.*(*f) = text == QLatin1String("yes");
        else
            qFatal("no input named %s", qPrintable(name));
    }
    return in;
}

QString resultText(const TweedResults& r, const QString& name)
{
    const auto it = resultTexts().find(name);
    if (it == resultTexts().end())
        qFatal("no result named %s", qPrintable(name));
    return r.*(*it);
}

}  // namespace

class TweedCalcTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void baselineIsNormalEverywhere();
    void workedCase();
    void facialHeight_data();
    void facialHeight();
    void cephalometrics_data();
    void cephalometrics();
    void headfilm_data();
    void headfilm();
    void totalSpace_data();
    void totalSpace();
    void difficultyItems_data();
    void difficultyItems();
    void grade_data();
    void grade();
    void checks_data();
    void checks();

private:
    static void addRowColumns();
    static void verifyRow();
};

void TweedCalcTest::addRowColumns()
{
    QTest::addColumn<Texts>("changes");
    QTest::addColumn<Texts>("expected");
}

void TweedCalcTest::verifyRow()
{
    QFETCH(Texts, changes);
    QFETCH(Texts, expected);
    const TweedResults r = calculateTweed(withChanges(changes));
    for (const auto& [name, text] : expected) {
        const QString actual = resultText(r, name);
        if (actual != text)
            QFAIL(qPrintable(QStringLiteral("%1 is \"%2\", expected \"%3\"").arg(name, actual, text)));
    }
}

// The rows below lean on this: the baseline contributes nothing anywhere.
void TweedCalcTest::baselineIsNormalEverywhere()
{
    const TweedResults r = calculateTweed(baseline());
    QCOMPARE(r.twanbres, QStringLiteral("2.0"));
    QCOMPARE(r.twafpafares, QStringLiteral("66%"));
    QCOMPARE(r.dcimpares, QStringLiteral("87.0"));
    for (const QString& name : resultTexts().keys()) {
        if (name.startsWith(QLatin1String("an")) || (name.startsWith(QLatin1String("id")) && name != "idlabel"))
            QVERIFY2(resultText(r, name) == QLatin1String("0.0"), qPrintable(name));
    }
    QCOMPARE(r.idlabel, QStringLiteral("DIFFICULTY INDEX  MILD: 0.0"));
    QCOMPARE(r.gradeTone, Tone::Green);
}

// A girl of 12 with something to count in every item, worked through by hand;
// each label is the one-decimal text the next step reads back.
void TweedCalcTest::workedCase()
{
    TweedInputs in = baseline();
    in.age = QStringLiteral("12");
    in.male = false;
    in.female = true;
    in.fma = QStringLiteral("31.0");
    in.impa = QStringLiteral("90.0");
    in.occPlane = QStringLiteral("14.0");
    in.sna = QStringLiteral("83.0");
    in.snb = QStringLiteral("77.5");
    in.zAngle = QStringLiteral("66.0");
    in.upperLip = QStringLiteral("15.0");
    in.totalChin = QStringLiteral("9.0");
    in.afh = QStringLiteral("120.0");
    in.pfh = QStringLiteral("75.0");
    in.anteriorRequired = QStringLiteral("28.0");
    in.anteriorAvailable = QStringLiteral("25.5");
    in.midRequired = QStringLiteral("20.0");
    in.midAvailable = QStringLiteral("18.4");
    in.spee = QStringLiteral("-2.0");
    in.molarCorrection = QStringLiteral("-1.5");
    in.posteriorRequired = QStringLiteral("26.0");
    in.posteriorAvailable = QStringLiteral("19.0");

    const TweedResults r = calculateTweed(in);
    QCOMPARE(r.twanbres, QStringLiteral("5.5"));
    QCOMPARE(r.twafpafares, QStringLiteral("63%"));  // 62.5 exactly, away from zero
    QCOMPARE(r.hornres, QStringLiteral("Orthodontic Treatment"));
    QCOMPARE(r.hornTone, Tone::Olive);

    QCOMPARE(r.dcfmares, QStringLiteral("31.0"));
    QCOMPARE(r.dcfmiares, QStringLiteral("65.0"));
    QCOMPARE(r.dcimpares, QStringLiteral("84.0"));
    QCOMPARE(r.dcdcres, QStringLiteral("-4.8"));

    QCOMPARE(r.anadmres, QStringLiteral("-2.5"));
    QCOMPARE(r.anadcres, QStringLiteral("-4.8"));
    QCOMPARE(r.anamtmres, QStringLiteral("-1.2"));  // lip excess 6.0 less the 4.8 already covered
    QCOMPARE(r.anantres, QStringLiteral("-8.5"));
    QCOMPARE(r.anmdmres, QStringLiteral("-1.6"));
    QCOMPARE(r.anmedres, QStringLiteral("-5.1"));
    QCOMPARE(r.anpdmres, QStringLiteral("-7.0"));
    QCOMPARE(r.anpcresres, QStringLiteral("6.0"));
    QCOMPARE(r.anposres, QStringLiteral("-1.0"));
    QCOMPARE(r.andiscres, QStringLiteral("-14.6"));

    QCOMPARE(r.idfmares, QStringLiteral("15.0"));
    QCOMPARE(r.idanbres, QStringLiteral("7.5"));
    QCOMPARE(r.idangzres, QStringLiteral("8.0"));
    QCOMPARE(r.idplocres, QStringLiteral("6.0"));
    QCOMPARE(r.idsnbres, QStringLiteral("2.5"));
    QCOMPARE(r.idifres, QStringLiteral("7.5"));
    QCOMPARE(r.idsub1res, QStringLiteral("46.5"));
    QCOMPARE(r.iddmares, QStringLiteral("3.8"));  // 3.75
    QCOMPARE(r.iddcres, QStringLiteral("4.8"));
    QCOMPARE(r.idmtmres, QStringLiteral("0.6"));
    QCOMPARE(r.iddmmres, QStringLiteral("1.6"));
    QCOMPARE(r.idspeeres, QStringLiteral("2.0"));
    QCOMPARE(r.idcorrres, QStringLiteral("3.0"));
    QCOMPARE(r.iddmpres, QStringLiteral("0.5"));
    QCOMPARE(r.idsub2res, QStringLiteral("16.3"));
    QCOMPARE(r.idtotres, QStringLiteral("62.8"));
    QCOMPARE(r.idlabel, QStringLiteral("DIFFICULTY INDEX  MODERATE: 62.8"));
    QCOMPARE(r.gradeTone, Tone::Olive);
}

// The band comes from the unrounded ratio, so 64.9% and 74.9% show the same
// whole percentage as the neighbouring band.
void TweedCalcTest::facialHeight_data()
{
    QTest::addColumn<QString>("pfh");
    QTest::addColumn<QString>("afh");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("horn");
    QTest::addColumn<Tone>("tone");

    const QString surgery = QStringLiteral("Surgery and Orthodontics");
    const QString ortho = QStringLiteral("Orthodontic Treatment");
    const QString balanced = QStringLiteral("Balanced Face");
    QTest::newRow("0.549") << "54.9" << "100" << "55%" << surgery << Tone::Red;
    QTest::newRow("0.55") << "55.0" << "100" << "55%" << ortho << Tone::Olive;
    QTest::newRow("0.55 from 44/80") << "44" << "80" << "55%" << ortho << Tone::Olive;
    QTest::newRow("0.649") << "64.9" << "100" << "65%" << ortho << Tone::Olive;
    QTest::newRow("0.65") << "65.0" << "100" << "65%" << balanced << Tone::Green;
    QTest::newRow("0.655 rounds up") << "65.5" << "100" << "66%" << balanced << Tone::Green;
    QTest::newRow("0.749") << "74.9" << "100" << "75%" << balanced << Tone::Green;
    QTest::newRow("0.75") << "75.0" << "100" << "75%" << ortho << Tone::Olive;
    QTest::newRow("0.85") << "85.0" << "100" << "85%" << ortho << Tone::Olive;
    QTest::newRow("0.851") << "85.1" << "100" << "85%" << surgery << Tone::Red;
}

void TweedCalcTest::facialHeight()
{
    QFETCH(QString, pfh);
    QFETCH(QString, afh);
    QFETCH(QString, percent);
    QFETCH(QString, horn);
    QFETCH(Tone, tone);
    TweedInputs in = baseline();
    in.pfh = pfh;
    in.afh = afh;
    const TweedResults r = calculateTweed(in);
    QCOMPARE(r.twafpafares, percent);
    QCOMPARE(r.hornres, horn);
    QCOMPARE(r.hornTone, tone);
}

void TweedCalcTest::cephalometrics_data()
{
    addRowColumns();
    QTest::newRow("negative ANB weighs below the range")
        << Texts{{"sna", "80.0"}, {"snb", "82.5"}}
        << Texts{{"twanbres", "-2.5"}, {"idanbres", "52.5"}, {"idsnbres", "2.5"}, {"idsub1res", "55.0"}};
    // 0.96 is below the range, but the item reads the displayed 1.0.
    QTest::newRow("ANB item reads the displayed ANB")
        << Texts{{"sna", "80.96"}, {"snb", "80.0"}} << Texts{{"twanbres", "1.0"}, {"idanbres", "0.0"}};
}

void TweedCalcTest::cephalometrics() { verifyRow(); }

void TweedCalcTest::headfilm_data()
{
    addRowColumns();
    QTest::newRow("FMA 20.0") << Texts{{"fma", "20.0"}}
                              << Texts{{"dcfmares", "20.0"}, {"dcfmiares", "68.0"}, {"dcimpares", "92.0"}};
    QTest::newRow("FMA 20.1") << Texts{{"fma", "20.1"}}
                              << Texts{{"dcfmares", "20.1"}, {"dcfmiares", "68.0"}, {"dcimpares", "91.9"}};
    QTest::newRow("FMA 29.9") << Texts{{"fma", "29.9"}}
                              << Texts{{"dcfmares", "29.9"}, {"dcfmiares", "68.0"}, {"dcimpares", "82.1"}};
    QTest::newRow("FMA 30.0") << Texts{{"fma", "30.0"}}
                              << Texts{{"dcfmares", "30.0"}, {"dcfmiares", "65.0"}, {"dcimpares", "85.0"}};
    QTest::newRow("FMA 15.0") << Texts{{"fma", "15.0"}}
                              << Texts{{"dcfmares", "15.0"}, {"dcfmiares", "73.0"}, {"dcimpares", "92.0"}};
    // The arithmetic uses the displayed 25.3; from 25.25 the target would be 86.8.
    QTest::newRow("FMA 25.25 computes from 25.3")
        << Texts{{"fma", "25.25"}} << Texts{{"dcfmares", "25.3"}, {"dcfmiares", "68.0"}, {"dcimpares", "86.7"}};
    QTest::newRow("FMA 15.25 computes from 15.3")
        << Texts{{"fma", "15.25"}} << Texts{{"dcfmares", "15.3"}, {"dcfmiares", "72.7"}, {"dcimpares", "92.0"}};
    // The band is chosen from the typed 29.96, though 30.0 is displayed.
    QTest::newRow("FMA 29.96 stays in the middle band")
        << Texts{{"fma", "29.96"}} << Texts{{"dcfmares", "30.0"}, {"dcfmiares", "68.0"}, {"dcimpares", "82.0"}};
    QTest::newRow("FMA 28.04") << Texts{{"fma", "28.04"}}
                               << Texts{{"dcfmares", "28.0"}, {"dcfmiares", "68.0"}, {"dcimpares", "84.0"},
                                        {"idfmares", "0.2"}};
    QTest::newRow("IMPA 95 above its target")
        << Texts{{"impa", "95.0"}} << Texts{{"dcimpares", "87.0"}, {"anadcres", "-6.4"}, {"dcdcres", "-6.4"}};
    QTest::newRow("IMPA below its target is a surplus")
        << Texts{{"impa", "85.0"}} << Texts{{"anadcres", "1.6"}, {"dcdcres", "1.6"}};
    // dcimpares keeps the target; the tab puts the replacement there itself.
    QTest::newRow("replacement IMPA replaces the target")
        << Texts{{"impa", "95.0"}, {"keepImpa", "no"}, {"replacementImpa", "90.0"}}
        << Texts{{"dcimpares", "87.0"}, {"anadcres", "-4.0"}, {"dcdcres", "-4.0"}};
    QTest::newRow("replacement ignored while keeping the target")
        << Texts{{"impa", "95.0"}, {"keepImpa", "yes"}, {"replacementImpa", "90.0"}}
        << Texts{{"anadcres", "-6.4"}};
}

void TweedCalcTest::headfilm() { verifyRow(); }

void TweedCalcTest::totalSpace_data()
{
    addRowColumns();
    // Soft-tissue modification.
    QTest::newRow("soft tissue: surplus headfilm")
        << Texts{{"impa", "85.0"}, {"upperLip", "20.0"}, {"totalChin", "10.0"}}
        << Texts{{"anadcres", "1.6"}, {"anamtmres", "0.0"}};
    QTest::newRow("soft tissue: lip thinner than chin")
        << Texts{{"impa", "95.0"}, {"upperLip", "10.0"}, {"totalChin", "12.0"}}
        << Texts{{"anadcres", "-6.4"}, {"anamtmres", "0.0"}};
    QTest::newRow("soft tissue: excess covered by headfilm")
        << Texts{{"impa", "95.0"}, {"upperLip", "15.0"}, {"totalChin", "12.0"}}
        << Texts{{"anadcres", "-6.4"}, {"anamtmres", "0.0"}};
    QTest::newRow("soft tissue: excess beyond headfilm")
        << Texts{{"impa", "89.5"}, {"upperLip", "15.0"}, {"totalChin", "10.0"}}
        << Texts{{"anadcres", "-2.0"}, {"anamtmres", "-3.0"}, {"anantres", "-5.0"}};

    // Estimated increase.
    QTest::newRow("increase: female 12") << Texts{{"male", "no"}, {"female", "yes"}, {"age", "12"}}
                                         << Texts{{"anpcresres", "6.0"}, {"anposres", "6.0"}};
    QTest::newRow("increase: female 14") << Texts{{"male", "no"}, {"female", "yes"}, {"age", "14"}}
                                         << Texts{{"anpcresres", "0.0"}};
    QTest::newRow("increase: female 15 uses the girls' limit")
        << Texts{{"male", "no"}, {"female", "yes"}, {"age", "15"}} << Texts{{"anpcresres", "0.0"}};
    QTest::newRow("increase: male 14 uses the boys' limit") << Texts{{"age", "14"}}
                                                            << Texts{{"anpcresres", "6.0"}};
    QTest::newRow("increase: male 15") << Texts{{"age", "15"}} << Texts{{"anpcresres", "3.0"}};
    QTest::newRow("increase: male 16") << Texts{{"age", "16"}} << Texts{{"anpcresres", "0.0"}};
    QTest::newRow("increase: male 0") << Texts{{"age", "0"}}
                                      << Texts{{"anpcresres", "48.0"}, {"anposres", "48.0"}, {"andiscres", "48.0"}};

    // Area totals. The sums are taken in a fixed order; in another order these
    // inputs leave a tiny negative remainder that shows as "-0.0".
    QTest::newRow("anterior: disc + (headfilm + soft tissue)")
        << Texts{{"impa", "87.2"}, {"upperLip", "12.7"}, {"anteriorAvailable", "30.7"}}
        << Texts{{"anadmres", "0.7"}, {"anadcres", "-0.2"}, {"anamtmres", "-0.5"}, {"anantres", "0.0"}};
    QTest::newRow("midarch: (disc + Spee) + molar correction")
        << Texts{{"midAvailable", "15.8"}, {"spee", "-1.4"}, {"molarCorrection", "5.6"}}
        << Texts{{"anmdmres", "-4.2"}, {"anmedres", "0.0"}};
    QTest::newRow("posterior: disc + increase")
        << Texts{{"age", "15"}, {"posteriorAvailable", "20.0"}}
        << Texts{{"anpdmres", "-4.0"}, {"anpcresres", "3.0"}, {"anposres", "-1.0"}};
    QTest::newRow("grand total: (anterior + midarch) + posterior")
        << Texts{{"anteriorAvailable", "25.8"}, {"midAvailable", "18.6"}, {"posteriorAvailable", "29.6"}}
        << Texts{{"anantres", "-4.2"}, {"anmedres", "-1.4"}, {"anposres", "5.6"}, {"andiscres", "0.0"}};
}

void TweedCalcTest::totalSpace() { verifyRow(); }

void TweedCalcTest::difficultyItems_data()
{
    addRowColumns();
    // Cranio-facial items: the bounds are normal.
    QTest::newRow("FMA 22") << Texts{{"fma", "22.0"}} << Texts{{"idfmares", "0.0"}};
    QTest::newRow("FMA 28") << Texts{{"fma", "28.0"}} << Texts{{"idfmares", "0.0"}};
    QTest::newRow("FMA 30") << Texts{{"fma", "30.0"}} << Texts{{"idfmares", "10.0"}};
    QTest::newRow("FMA 20") << Texts{{"fma", "20.0"}} << Texts{{"idfmares", "10.0"}};
    QTest::newRow("FMA 29.96 typed") << Texts{{"fma", "29.96"}} << Texts{{"idfmares", "9.8"}};
    QTest::newRow("ANB 1") << Texts{{"sna", "81.0"}} << Texts{{"idanbres", "0.0"}};
    QTest::newRow("ANB 5") << Texts{{"sna", "85.0"}} << Texts{{"idanbres", "0.0"}};
    QTest::newRow("ANB 5.5") << Texts{{"sna", "85.5"}} << Texts{{"idanbres", "7.5"}};
    QTest::newRow("Z 70") << Texts{{"zAngle", "70"}} << Texts{{"idangzres", "0.0"}};
    QTest::newRow("Z 80") << Texts{{"zAngle", "80"}} << Texts{{"idangzres", "0.0"}};
    QTest::newRow("Z 65") << Texts{{"zAngle", "65"}} << Texts{{"idangzres", "10.0"}};
    QTest::newRow("Z 83") << Texts{{"zAngle", "83"}} << Texts{{"idangzres", "6.0"}};
    QTest::newRow("Occ 8") << Texts{{"occPlane", "8"}} << Texts{{"idplocres", "0.0"}};
    QTest::newRow("Occ 12") << Texts{{"occPlane", "12"}} << Texts{{"idplocres", "0.0"}};
    QTest::newRow("Occ 5") << Texts{{"occPlane", "5"}} << Texts{{"idplocres", "9.0"}};
    QTest::newRow("Occ 13.5") << Texts{{"occPlane", "13.5"}} << Texts{{"idplocres", "4.5"}};
    QTest::newRow("SNB 78") << Texts{{"snb", "78"}} << Texts{{"idsnbres", "0.0"}};
    QTest::newRow("SNB 82") << Texts{{"snb", "82"}} << Texts{{"idsnbres", "0.0"}};
    QTest::newRow("SNB 75") << Texts{{"snb", "75"}} << Texts{{"idsnbres", "15.0"}};
    QTest::newRow("SNB 83") << Texts{{"snb", "83"}} << Texts{{"idsnbres", "5.0"}};
    QTest::newRow("PFH/AFH 65%") << Texts{{"pfh", "65"}} << Texts{{"idifres", "0.0"}};
    QTest::newRow("PFH/AFH 68%") << Texts{{"pfh", "68"}} << Texts{{"idifres", "0.0"}};
    QTest::newRow("PFH/AFH 62%") << Texts{{"pfh", "62"}} << Texts{{"idifres", "9.0"}};
    QTest::newRow("PFH/AFH 70%") << Texts{{"pfh", "70"}} << Texts{{"idifres", "6.0"}};
    // Shown as 65%, but the item takes the ratio unrounded.
    QTest::newRow("PFH/AFH 64.5%") << Texts{{"pfh", "64.5"}} << Texts{{"twafpafares", "65%"}, {"idifres", "1.5"}};
    QTest::newRow("PFH/AFH 68.4%") << Texts{{"pfh", "68.4"}} << Texts{{"twafpafares", "68%"}, {"idifres", "1.2"}};

    // Space items.
    QTest::newRow("anterior disc -4.0") << Texts{{"anteriorAvailable", "26.0"}} << Texts{{"iddmares", "6.0"}};
    QTest::newRow("anterior disc 2.0") << Texts{{"anteriorAvailable", "32.0"}} << Texts{{"iddmares", "0.0"}};
    QTest::newRow("headfilm surplus 1.6") << Texts{{"impa", "85.0"}} << Texts{{"iddcres", "1.6"}};
    QTest::newRow("headfilm deficit -6.4") << Texts{{"impa", "95.0"}} << Texts{{"iddcres", "6.4"}};
    QTest::newRow("soft tissue -3.0")
        << Texts{{"impa", "89.5"}, {"upperLip", "15.0"}, {"totalChin", "10.0"}} << Texts{{"idmtmres", "1.5"}};
    QTest::newRow("midarch disc -2.5") << Texts{{"midAvailable", "17.5"}} << Texts{{"iddmmres", "2.5"}};
    QTest::newRow("midarch disc 2.0") << Texts{{"midAvailable", "22.0"}} << Texts{{"iddmmres", "0.0"}};
    QTest::newRow("Spee -2.5") << Texts{{"spee", "-2.5"}} << Texts{{"idspeeres", "2.5"}};
    QTest::newRow("molar correction 1.5") << Texts{{"molarCorrection", "1.5"}} << Texts{{"idcorrres", "3.0"}};
    QTest::newRow("molar correction -3.0") << Texts{{"molarCorrection", "-3.0"}} << Texts{{"idcorrres", "6.0"}};
    QTest::newRow("posterior total -0.5") << Texts{{"posteriorAvailable", "23.5"}}
                                          << Texts{{"anposres", "-0.5"}, {"iddmpres", "0.3"}};
    // The posterior item weighs the total after the increase, not the disc.
    QTest::newRow("posterior item after the increase") << Texts{{"age", "15"}, {"posteriorAvailable", "20.0"}}
                                                       << Texts{{"iddmpres", "0.5"}};
}

void TweedCalcTest::difficultyItems() { verifyRow(); }

// Exact totals come from the Spee item and the molar-correction item (twice
// its size), everything else normal; one row splits the total over both
// subtotals.
void TweedCalcTest::grade_data()
{
    QTest::addColumn<Texts>("changes");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("label");
    QTest::addColumn<Tone>("tone");

    QTest::newRow("59.9") << Texts{{"molarCorrection", "-25.0"}, {"spee", "-9.9"}} << "59.9"
                          << "DIFFICULTY INDEX  MILD: 59.9" << Tone::Green;
    QTest::newRow("60.0") << Texts{{"molarCorrection", "-25.0"}, {"spee", "-10.0"}} << "60.0"
                          << "DIFFICULTY INDEX  MODERATE: 60.0" << Tone::Olive;
    QTest::newRow("75.5") << Texts{{"molarCorrection", "-30.0"}, {"spee", "-15.5"}} << "75.5"
                          << "DIFFICULTY INDEX  MODERATE: 75.5" << Tone::Olive;
    QTest::newRow("119.9") << Texts{{"molarCorrection", "-55.0"}, {"spee", "-9.9"}} << "119.9"
                           << "DIFFICULTY INDEX  MODERATE: 119.9" << Tone::Olive;
    QTest::newRow("120.0") << Texts{{"molarCorrection", "-55.0"}, {"spee", "-10.0"}} << "120.0"
                           << "DIFFICULTY INDEX  SEVERE: 120.0" << Tone::Red;
    QTest::newRow("10.0 + 50.0") << Texts{{"zAngle", "65.0"}, {"molarCorrection", "-25.0"}} << "60.0"
                                 << "DIFFICULTY INDEX  MODERATE: 60.0" << Tone::Olive;
}

void TweedCalcTest::grade()
{
    QFETCH(Texts, changes);
    QFETCH(QString, total);
    QFETCH(QString, label);
    QFETCH(Tone, tone);
    const TweedResults r = calculateTweed(withChanges(changes));
    QCOMPARE(r.idtotres, total);
    QCOMPARE(r.idlabel, label);
    QCOMPARE(r.gradeTone, tone);
}

void TweedCalcTest::checks_data()
{
    QTest::addColumn<Texts>("changes");
    QTest::addColumn<TweedCheck::Failure>("failure");
    QTest::addColumn<QString>("warning");

    using F = TweedCheck::Failure;
    const QString incomplete = QStringLiteral("All fields must be filled in before calculating!");
    const QString noGender = QStringLiteral("Patient`s gender was not selected!");
    const QString zeroAfh = QStringLiteral("AFA value must be different than ZERO!");

    QTest::newRow("complete, target IMPA kept, no replacement") << Texts{} << F::None << QString();
    QTest::newRow("female") << Texts{{"male", "no"}, {"female", "yes"}} << F::None << QString();

    // Every entry is required, except the replacement IMPA while the target is kept.
    QStringList names = inputTexts().keys();
    names.sort();
    for (const QString& name : names) {
        if (name != QLatin1String("replacementImpa"))
            QTest::addRow("empty %s", qPrintable(name)) << Texts{{name, ""}} << F::Incomplete << incomplete;
    }
    QTest::newRow("replacement empty after No")
        << Texts{{"keepImpa", "no"}, {"replacementImpa", ""}} << F::Incomplete << incomplete;
    QTest::newRow("replacement given after No")
        << Texts{{"keepImpa", "no"}, {"replacementImpa", "90.0"}} << F::None << QString();

    QTest::newRow("no gender") << Texts{{"male", "no"}} << F::NoGender << noGender;
    QTest::newRow("AFH 0") << Texts{{"afh", "0"}} << F::ZeroAfh << zeroAfh;
    QTest::newRow("AFH 0.0") << Texts{{"afh", "0.0"}} << F::ZeroAfh << zeroAfh;
    QTest::newRow("AFH unparsable") << Texts{{"afh", "1,5"}} << F::ZeroAfh << zeroAfh;

    // Order: completeness, then gender, then AFH.
    QTest::newRow("incomplete before gender") << Texts{{"male", "no"}, {"pfh", ""}} << F::Incomplete << incomplete;
    QTest::newRow("incomplete before AFH") << Texts{{"afh", "0"}, {"patient", ""}} << F::Incomplete << incomplete;
    QTest::newRow("gender before AFH") << Texts{{"male", "no"}, {"afh", "0"}} << F::NoGender << noGender;
}

void TweedCalcTest::checks()
{
    QFETCH(Texts, changes);
    QFETCH(TweedCheck::Failure, failure);
    QFETCH(QString, warning);
    const TweedCheck check = checkTweedInputs(withChanges(changes));
    QCOMPARE(check.failure, failure);
    QCOMPARE(check.warning, warning);
}

QTEST_APPLESS_MAIN(TweedCalcTest)
#include "tst_tweedcalc.moc"
