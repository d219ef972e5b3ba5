#include "app/mainwindow.h"
#include "guidance/guidewindow.h"
#include "guidance/worksheetwindow.h"
#include "app/shell.h"
#include "app/tray.h"
#include "common/usagestats.h"
#include "entry/entryfield.h"
#include "support/appfixture.h"
#include "tweed/tweedtab.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

using namespace vel;
using namespace vel::test;

namespace {

// The clinician's path through the Tweed tab, with the program's real windows.
struct TweedFixture : AppFixture {
    TweedFixture() : AppFixture("Button3") {}
    TweedTab* tab() const { return shell->mainWindow()->tweed(); }
    template <typename T = QWidget>
    T* w(const char* name) const
    {
        T* found = tab()->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    EntryField* field(const char* name) const { return w<EntryField>(name); }
    QString text(const char* name) const { return w<QLabel>(name)->text(); }
    QString caption(const char* button) const { return w<QPushButton>(button)->text(); }
    void click(const char* button) const { w<QPushButton>(button)->click(); }
    int tweedCount() const { return readUsageStats(scratch.path(QStringLiteral("Stats.cef"))).tweed; }

    // A complete case: a girl of 12, every measurement and space entry typed.
    void typeCase() const
    {
        const std::pair<const char*, const char*> entries[] = {
            {"twPaciente", "MARIA SILVA"}, {"Idade", "12"},    {"twfma", "25.0"},  {"twfmia", "62.0"},
            {"twimpa", "95.0"},            {"twploc", "10.0"}, {"twsna", "82.0"},  {"twsnb", "79.5"},
            {"twaobo", "2.0"},             {"twangz", "72.0"}, {"twls", "15.0"},   {"twqt", "12.0"},
            {"twafa", "110.0"},            {"twafp", "75.0"},  {"anaer", "30.5"},  {"anaep", "27.0"},
            {"anmer", "15.0"},             {"anmep", "14.0"},  {"anmspee", "-2.0"}, {"anmcorr", "-1.5"},
            {"anper", "20.0"},             {"anpep", "18.0"},
        };
        for (const auto& [name, value] : entries)
            field(name)->setText(QLatin1String(value));
        w<QRadioButton>("GenFem")->setChecked(true);
    }
    bool entriesLocked() const
    {
        for (const char* name : {"twPaciente", "Idade", "twfma", "twafp", "anaer", "anmcorr", "anpep", "dcopcres"}) {
            if (!field(name)->isReadOnly())
                return false;
        }
        return true;
    }
    bool entriesEditable() const
    {
        for (EntryField* f : tab()->findChildren<EntryField*>()) {
            if (f->isReadOnly())
                return false;
        }
        return true;
    }
};

}  // namespace

class TweedTabTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checksStopInOrderWithoutCounting_data();
    void checksStopInOrderWithoutCounting();
    void yesAcceptsAndLocks();
    void noOffersTheReplacementAndStillCounts();
    void closingTheQuestionChangesNothing();
    void resultColours_data();
    void resultColours();
    void backKeepsEntriesAndResetsTheStage();
    void newAndFileNewClearEverything();
    void guidanceShowsTheCautionThenTheGuide();
    void worksheetButtonOpensTheWorksheet();
    void molarCorrectionWarnsOnLeave();
    void aCountThatCannotBeWrittenStopsTheCalculation();
};

void TweedTabTest::checksStopInOrderWithoutCounting_data()
{
    QTest::addColumn<QString>("emptied");   // a field to empty, or "gender", or "afh0", or "no"
    QTest::addColumn<QString>("warning");
    const QString all = QStringLiteral("All fields must be filled in before calculating!");
    QTest::newRow("patient") << "twPaciente" << all;
    QTest::newRow("age") << "Idade" << all;
    QTest::newRow("a measurement") << "twqt" << all;
    QTest::newRow("a space entry") << "anmspee" << all;
    QTest::newRow("replacement while No") << "no" << all;
    QTest::newRow("gender") << "gender" << "Patient`s gender was not selected!";
    QTest::newRow("AFH zero") << "afh0" << "AFA value must be different than ZERO!";
}

void TweedTabTest::checksStopInOrderWithoutCounting()
{
    QFETCH(QString, emptied);
    QFETCH(QString, warning);
    TweedFixture f;
    f.typeCase();
    if (emptied == QLatin1String("gender")) {
        f.w<QRadioButton>("GenFem")->setAutoExclusive(false);
        f.w<QRadioButton>("GenFem")->setChecked(false);
    } else if (emptied == QLatin1String("afh0")) {
        f.field("twafa")->setText(QStringLiteral("0.0"));
    } else if (emptied == QLatin1String("no")) {
        f.w<QRadioButton>("dcnao")->setChecked(true);
    } else {
        f.field(emptied.toLatin1().constData())->clear();
    }
    f.click("tCalcular");

    QCOMPARE(f.messenger.boxes.size(), 1);
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Warning);
    QCOMPARE(f.messenger.last().title, QStringLiteral("Tweed Analysis"));
    QCOMPARE(f.messenger.last().lines, QStringList{warning});
    QCOMPARE(f.tweedCount(), 0);
    QCOMPARE(f.text("twanbres"), QString());
    QCOMPARE(f.text("idlabel"), QString());
    QCOMPARE(f.caption("tCalcular"), QStringLiteral("CALCULATE"));
}

void TweedTabTest::yesAcceptsAndLocks()
{
    TweedFixture f;
    f.typeCase();
    bool hideDuringQuestion = true;
    f.messenger.whileShown = [&](const ScriptedMessenger::Box&) {
        hideDuringQuestion = f.shell->tray()->hideItem()->isEnabled();
    };
    f.messenger.answers = {Messenger::Answer::Yes};
    f.click("tCalcular");

    QCOMPARE(f.messenger.boxes.size(), 1);
    QVERIFY(f.messenger.last().question);
    QCOMPARE(f.messenger.last().title, QStringLiteral("Confirm"));
    QCOMPARE(f.messenger.last().lines,
             (QStringList{QStringLiteral("               IMPA = 87.0"), QStringLiteral("Do you want to keep IMPA value?")}));
    QVERIFY(!hideDuringQuestion);
    QCOMPARE(f.tweedCount(), 1);

    QCOMPARE(f.text("twanbres"), QStringLiteral("2.5"));
    QCOMPARE(f.text("twafpafares"), QStringLiteral("68%"));
    QCOMPARE(f.text("hornres"), QStringLiteral("Balanced Face"));
    QCOMPARE(f.text("andiscres"), QStringLiteral("-10.4"));
    QCOMPARE(f.text("idlabel"), QStringLiteral("DIFFICULTY INDEX  MILD: 18.2"));
    QCOMPARE(f.w<QLabel>("idlabel")->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    QCOMPARE(f.w<QLabel>("hornres")->palette().color(QPalette::WindowText), QColor(0, 128, 0));

    QCOMPARE(f.caption("tCalcular"), QStringLiteral("SPACE TX GUIDANCE"));
    QCOMPARE(f.caption("tLimpar"), QStringLiteral("BACK"));
    QVERIFY(f.entriesLocked());
    QVERIFY(!f.w<QPushButton>("total")->isEnabled());
    QVERIFY(!f.w<QRadioButton>("GenMasc")->isEnabled());
    QVERIFY(f.w<QRadioButton>("GenFem")->isEnabled());
    QVERIFY(f.w<QRadioButton>("inicial")->isEnabled());
    QVERIFY(!f.w<QRadioButton>("final")->isEnabled());
    QVERIFY(!f.w<QRadioButton>("dcnao")->isEnabled());
    QVERIFY(f.w<QCheckBox>("parcial")->isChecked());
}

void TweedTabTest::noOffersTheReplacementAndStillCounts()
{
    TweedFixture f;
    f.typeCase();
    f.messenger.answers = {Messenger::Answer::No};
    f.click("tCalcular");
    QCOMPARE(f.tweedCount(), 1);
    QCOMPARE(f.caption("tCalcular"), QStringLiteral("CALCULATE"));
    QCOMPARE(f.caption("tLimpar"), QStringLiteral("NEW"));
    QVERIFY(f.w("dcopc")->isVisible());
    QVERIFY(f.w<QRadioButton>("dcnao")->isChecked());
    QVERIFY(f.field("dcopcres")->isVisible());
    QCOMPARE(f.field("dcopcres")->text(), QString());
    QVERIFY(f.entriesEditable());
    QCOMPARE(f.text("anadcres"), QStringLiteral("-6.4"));  // the results stay shown

    // The replacement is asked about and used.
    f.field("dcopcres")->setText(QStringLiteral("90.0"));
    f.messenger.answers = {Messenger::Answer::Yes};
    f.click("tCalcular");
    QCOMPARE(f.tweedCount(), 2);
    QCOMPARE(f.messenger.last().lines.constFirst(), QStringLiteral("               IMPA = 90.0"));
    QCOMPARE(f.text("dcimpares"), QStringLiteral("90.0"));
    QCOMPARE(f.text("dcfmiares"), QStringLiteral("68.0"));
    QCOMPARE(f.text("anadcres"), QStringLiteral("-4.0"));
    QVERIFY(!f.w<QRadioButton>("dcsim")->isEnabled());
    QVERIFY(f.entriesLocked());

    // Back to Yes before calculating again: the replacement is dropped.
    f.click("tLimpar");
    f.w<QRadioButton>("dcnao")->setChecked(true);
    f.field("dcopcres")->setText(QStringLiteral("90.0"));
    f.w<QRadioButton>("dcsim")->setChecked(true);
    QCOMPARE(f.field("dcopcres")->text(), QString());
    QVERIFY(!f.field("dcopcres")->isVisible());
    f.click("tCalcular");
    QCOMPARE(f.text("dcimpares"), QStringLiteral("87.0"));
}

void TweedTabTest::closingTheQuestionChangesNothing()
{
    TweedFixture f;
    f.typeCase();
    f.messenger.answers = {Messenger::Answer::Closed};
    f.click("tCalcular");
    QCOMPARE(f.tweedCount(), 1);
    QCOMPARE(f.caption("tCalcular"), QStringLiteral("CALCULATE"));
    QVERIFY(!f.w("dcopc")->isVisible());
    QVERIFY(!f.w<QRadioButton>("dcnao")->isChecked());
    QVERIFY(f.entriesEditable());
}

// The facial height index and the difficulty grade in their three colours.
void TweedTabTest::resultColours_data()
{
    QTest::addColumn<QStringList>("changes");  // field, text, field, text...
    QTest::addColumn<QString>("horn");
    QTest::addColumn<QColor>("hornColour");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QColor>("gradeColour");
    const QColor green(0, 128, 0), olive(128, 128, 0), red(255, 0, 0);
    QTest::newRow("balanced, mild") << QStringList{} << "Balanced Face" << green << "MILD" << green;
    QTest::newRow("orthodontic, moderate") << QStringList{"twafp", "88.0", "twfma", "35.0"} << "Orthodontic Treatment"
                                           << olive << "MODERATE" << olive;
    QTest::newRow("surgery, severe") << QStringList{"twafp", "50.0", "twfma", "45.0", "twsnb", "70.0"}
                                     << "Surgery and Orthodontics" << red << "SEVERE" << red;
}

void TweedTabTest::resultColours()
{
    QFETCH(QStringList, changes);
    QFETCH(QString, horn);
    QFETCH(QColor, hornColour);
    QFETCH(QString, grade);
    QFETCH(QColor, gradeColour);
    TweedFixture f;
    f.typeCase();
    for (int i = 0; i + 1 < changes.size(); i += 2)
        f.field(qPrintable(changes[i]))->setText(changes[i + 1]);
    f.messenger.answers = {Messenger::Answer::Yes};
    f.click("tCalcular");
    QCOMPARE(f.text("hornres"), horn);
    QVERIFY2(f.text("idlabel").startsWith(QStringLiteral("DIFFICULTY INDEX  ") + grade), qPrintable(f.text("idlabel")));
    const auto colour = [&](const char* name) { return f.w<QLabel>(name)->palette().color(QPalette::WindowText); };
    QCOMPARE(colour("hornres"), hornColour);
    QCOMPARE(colour("idtotres"), gradeColour);
    QCOMPARE(colour("idlabel"), gradeColour);
}

void TweedTabTest::backKeepsEntriesAndResetsTheStage()
{
    TweedFixture f;
    f.typeCase();
    f.w<QRadioButton>("inter2")->setChecked(true);
    f.w<QRadioButton>("anmcl2")->setChecked(true);
    f.click("tCalcular");
    f.click("tLimpar");  // BACK

    QCOMPARE(f.caption("tLimpar"), QStringLiteral("NEW"));
    QCOMPARE(f.caption("tCalcular"), QStringLiteral("CALCULATE"));
    QCOMPARE(f.field("twPaciente")->text(), QStringLiteral("MARIA SILVA"));
    QCOMPARE(f.field("anmcorr")->text(), QStringLiteral("-1.5"));
    QVERIFY(f.w<QRadioButton>("GenFem")->isChecked());
    QVERIFY(f.w<QRadioButton>("anmcl2")->isChecked());
    QVERIFY(f.w<QRadioButton>("inicial")->isChecked());
    QVERIFY(f.entriesEditable());
    QVERIFY(f.w<QPushButton>("total")->isEnabled());
    QVERIFY(f.w<QRadioButton>("final")->isEnabled());
    QCOMPARE(f.text("twanbres"), QString());
    QCOMPARE(f.text("idlabel"), QString());
    QVERIFY(!f.w<QCheckBox>("parcial")->isChecked());
}

void TweedTabTest::newAndFileNewClearEverything()
{
    for (const bool fromMenu : {false, true}) {
        TweedFixture f;
        f.typeCase();
        f.w<QRadioButton>("anmcl3")->setChecked(true);
        f.click("tCalcular");
        QCOMPARE(f.caption("tLimpar"), QStringLiteral("BACK"));
        if (fromMenu) {
            // One menu action from the accepted state ends in an empty tab.
            f.shell->mainWindow()->findChild<QAction*>(QStringLiteral("fileNew"))->trigger();
        } else {
            f.click("tLimpar");
            f.click("tLimpar");
        }
        for (EntryField* field : f.tab()->findChildren<EntryField*>())
            QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
        for (const char* radio : {"GenMasc", "GenFem", "anmcl2", "anmcl3"})
            QVERIFY(!f.w<QRadioButton>(radio)->isChecked());
        QVERIFY(f.w<QRadioButton>("inicial")->isChecked());
        QVERIFY(f.w<QRadioButton>("dcsim")->isChecked());
        QVERIFY(!f.w("dcsim")->isVisible());
        QCOMPARE(f.caption("tCalcular"), QStringLiteral("CALCULATE"));
        QCOMPARE(f.caption("tLimpar"), QStringLiteral("NEW"));
        QCOMPARE(f.text("andiscres"), QString());
        QVERIFY(f.entriesEditable());
        QVERIFY(f.messenger.boxes.size() == 1);  // only the IMPA question
    }
}

void TweedTabTest::guidanceShowsTheCautionThenTheGuide()
{
    TweedFixture f;
    f.typeCase();
    f.click("tCalcular");
    bool mainEnabledDuringBox = true;
    f.messenger.whileShown = [&](const ScriptedMessenger::Box&) {
        mainEnabledDuringBox = f.shell->mainWindow()->isEnabled();
    };
    f.click("tCalcular");  // SPACE TX GUIDANCE
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Information);
    QCOMPARE(f.messenger.last().title, QStringLiteral("Tweed Analysis"));
    QCOMPARE(f.messenger.last().lines,
             (QStringList{QStringLiteral("The generated diagnosis is nothing more than a suggestion. The professional"),
                          QStringLiteral("  must consider other factors before arriving at the final treatment plan!")}));
    QVERIFY(!mainEnabledDuringBox);
    QVERIFY(f.shell->guide()->isVisible());
    QVERIFY(!f.shell->mainWindow()->isEnabled());
    QVERIFY(!f.shell->tray()->hideItem()->isEnabled());
    QCOMPARE(f.tweedCount(), 1);

    // Leaving the guide by its close box gives the main window back.
    f.shell->guide()->close();
    QVERIFY(!f.shell->guide()->isVisible());
    QVERIFY(f.shell->mainWindow()->isEnabled());
    QVERIFY(f.shell->tray()->hideItem()->isEnabled());
    QCOMPARE(f.caption("tCalcular"), QStringLiteral("SPACE TX GUIDANCE"));
}

void TweedTabTest::worksheetButtonOpensTheWorksheet()
{
    TweedFixture f;
    f.click("total");
    QVERIFY(f.shell->worksheet()->isVisible());
    QVERIFY(!f.shell->mainWindow()->isEnabled());
    f.shell->worksheet()->close();
    QVERIFY(f.shell->mainWindow()->isEnabled());
}

void TweedTabTest::molarCorrectionWarnsOnLeave()
{
    TweedFixture f;
    f.w<QRadioButton>("anmcl2")->setChecked(true);
    EntryField* correction = f.field("anmcorr");
    typeText(correction, QStringLiteral("2"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(correction, &out);
    QCOMPARE(correction->text(), QStringLiteral("2.0"));
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("For Class II, Molar Correction should be NEGATIVE!")});
    QCOMPARE(f.messenger.last().title, QStringLiteral("Tweed Analysis"));

    EntryField* spee = f.field("anmspee");
    typeText(spee, QStringLiteral("3"));
    QApplication::sendEvent(spee, &out);
    QCOMPARE(spee->text(), QStringLiteral("-3.0"));
}

void TweedTabTest::aCountThatCannotBeWrittenStopsTheCalculation()
{
    TweedFixture f;
    f.typeCase();
    QFile::remove(f.scratch.path(QStringLiteral("Stats.cef")));
    f.click("tCalcular");
    QCOMPARE(f.messenger.boxes.size(), 1);
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().startsWith(QStringLiteral("Stats.cef: ")));
    QCOMPARE(f.text("twanbres"), QString());
    QCOMPARE(f.caption("tCalcular"), QStringLiteral("CALCULATE"));
}

QTEST_MAIN(TweedTabTest)
#include "tst_tweedtab.moc"
