#include "tweed/tweedworkflow.h"

#include <QtTest>

using namespace vel;

Q_DECLARE_METATYPE(vel::TweedSave::Action)
Q_DECLARE_METATYPE(vel::TweedCheck::Failure)

namespace {

// A record whose entries pass the checks: the case the tab tests type.
TweedRecord passingRecord()
{
    const char* values[] = {"25.0", "62.0", "95.0", "10.0", "82.0", "79.5", "2.0", "72.0", "15.0", "12.0",
                            "110.0", "75.0", "30.5", "27.0", "15.0", "14.0", "-2.0", "-1.5", "20.0", "18.0"};
    TweedRecord r;
    r.patient = QStringLiteral("ANA");
    r.age = QStringLiteral("12");
    for (int i = 0; i < 20; ++i)
        r.entries[i] = QLatin1String(values[i]);
    return r;
}

}  // namespace

class TweedWorkflowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void save_data();
    void save();
    void openShowsTheReplacementImpa_data();
    void openShowsTheReplacementImpa();
    void openRunsGuidanceOnlyOnAnAcceptedAnalysis();
    void guidanceWarnsOnMissingAnswers();
};

void TweedWorkflowTest::save_data()
{
    QTest::addColumn<bool>("graded");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("partial");
    QTest::addColumn<bool>("guidance");
    QTest::addColumn<TweedSave::Action>("action");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("completeAfter");
    using A = TweedSave::Action;
    const QString saved = QStringLiteral("Analysis successfully saved!");
    // Nothing else counts without a grade, not even a file already there.
    QTest::newRow("not graded") << false << true << true << true << true << A::Refuse
                                << "The Analysis is not complete!" << false;
    QTest::newRow("new file") << true << false << false << true << false << A::Create << saved << false;
    QTest::newRow("new file with guidance") << true << false << false << true << true << A::Create << saved << true;
    QTest::newRow("saved with guidance") << true << true << true << true << true << A::Refuse
                                         << "This patient already has an Analysis and Space Tx Guidance saved!"
                                         << false;
    QTest::newRow("guidance added") << true << true << false << true << true << A::Replace << saved << true;
    QTest::newRow("saved without") << true << true << false << true << false << A::Refuse
                                   << "This patient already has an Analysis saved!" << false;
    QTest::newRow("never accepted") << true << true << false << false << false << A::Nothing << QString() << false;
}

void TweedWorkflowTest::save()
{
    QFETCH(bool, graded);
    QFETCH(bool, exists);
    QFETCH(bool, complete);
    QFETCH(bool, partial);
    QFETCH(bool, guidance);
    QFETCH(TweedSave::Action, action);
    QFETCH(QString, message);
    QFETCH(bool, completeAfter);
    const TweedSave plan = decideTweedSave({graded, exists, complete, partial, guidance});
    QCOMPARE(plan.action, action);
    QCOMPARE(plan.message, message);
    QCOMPARE(plan.warning, !graded);
    QCOMPARE(plan.complete, completeAfter);
}

void TweedWorkflowTest::openShowsTheReplacementImpa_data()
{
    QTest::addColumn<int>("emptied");  // an entry left empty, or -1
    QTest::addColumn<bool>("replace");
    QTest::addColumn<TweedCheck::Failure>("failure");
    QTest::addColumn<QString>("impa");
    using F = TweedCheck::Failure;
    QTest::newRow("kept") << -1 << false << F::None << "target";
    QTest::newRow("replaced") << -1 << true << F::None << "92.0";
    // A failed check shows no result but still the IMPA typed in its place.
    QTest::newRow("replaced, entry missing") << 4 << true << F::Incomplete << "92.0";
    QTest::newRow("kept, entry missing") << 4 << false << F::Incomplete << "";
}

void TweedWorkflowTest::openShowsTheReplacementImpa()
{
    QFETCH(int, emptied);
    QFETCH(bool, replace);
    QFETCH(TweedCheck::Failure, failure);
    QFETCH(QString, impa);
    TweedRecord r = passingRecord();
    if (emptied >= 0)
        r.entries[emptied].clear();
    r.replaceImpa = replace;
    r.replacementImpa = QStringLiteral("92.0");  // read from a file only with the option "No"
    if (impa == QLatin1String("target")) {
        impa = calculateTweed(tweedInputs(r)).dcimpares;
        QVERIFY(impa != QLatin1String("92.0"));  // else the row could not tell the two apart
    }
    const OpenedTweed o = openTweedRecord(r);
    QCOMPARE(o.outcome.check.failure, failure);
    QCOMPARE(o.outcome.results.dcimpares, impa);
    QCOMPARE(o.inputs.keepImpa, !replace);
    QCOMPARE(o.outcome.results.idlabel.isEmpty(), failure != TweedCheck::Failure::None);
}

void TweedWorkflowTest::openRunsGuidanceOnlyOnAnAcceptedAnalysis()
{
    TweedRecord r = passingRecord();
    QVERIFY(!openTweedRecord(r).runsGuidance);
    r.guidance = true;
    QVERIFY(openTweedRecord(r).runsGuidance);
    r.entries[10] = QStringLiteral("0.0");  // AFH zero
    const OpenedTweed o = openTweedRecord(r);
    QCOMPARE(o.outcome.check.failure, TweedCheck::Failure::ZeroAfh);
    QVERIFY(!o.runsGuidance);
}

void TweedWorkflowTest::guidanceWarnsOnMissingAnswers()
{
    const TweedResults shown = openTweedRecord(passingRecord()).outcome.results;
    const TweedGuidance none = runTweedGuidance(shown, GuideAnswers{});
    QVERIFY(!none.warning.isEmpty());
    QVERIFY(!none.diagnosis.anteriorCaption && none.diagnosis.anterior.text.isEmpty());
}

QTEST_APPLESS_MAIN(TweedWorkflowTest)
#include "tst_tweedworkflow.moc"
