#include "app/tray.h"
#include "common/fileio.h"
#include "entry/crlabel.h"
#include "entry/entryfield.h"
#include "guidance/guidewindow.h"
#include "support/appfixture.h"
#include "support/cases.h"
#include "tweed/tweedanalysis.h"
#include "tweed/tweedfile.h"
#include "tweed/tweedtab.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

using namespace vel;
using namespace vel::test;

namespace {

struct TweedFileFixture : AppFixture {
    TweedFileFixture() : AppFixture("Button3") {}
    TweedTab* tab() const { return main()->tweed(); }
    template <typename T = QWidget>
    T* w(const char* name) const { return tab()->findChild<T*>(QLatin1String(name)); }
    void click(const char* name) const { w<QPushButton>(name)->click(); }
    QString text(const char* name) const { return crText(w<QLabel>(name)); }
    bool flag(const char* name) const { return w<QCheckBox>(name)->isChecked(); }
    QString path(const QString& patient = QStringLiteral("TEST PATIENT"), const char* stage = "-PRE-TX") const
    {
        return analyses(patient + QLatin1String(stage) + QStringLiteral(".twe"));
    }

    // A complete case (ANB 3.5); the IMPA question is answered as given.
    void calculateCase(Messenger::Answer answer = Messenger::Answer::Yes,
                       const QString& patient = QStringLiteral("TEST PATIENT"))
    {
        const char* values[] = {"25.0", "62.0", "95.0", "10.0", "83.0", "79.5", "2.0", "72.0", "15.0", "12.0",
                                "110.0", "75.0", "30.5", "27.0", "15.0", "14.0", "-2.0", "-1.5", "20.0", "18.0"};
        tab()->entry(QStringLiteral("twPaciente"))->setText(patient);
        tab()->entry(QStringLiteral("Idade"))->setText(QStringLiteral("12"));
        for (int i = 0; i < 20; ++i)
            tab()->entry(QLatin1String(kTweedEntries[i].control))->setText(QLatin1String(values[i]));
        w<QRadioButton>("GenFem")->setChecked(true);
        messenger.answers = {answer};
        click("tCalcular");
    }
    // Guidance with Class II, no subdivision: three skeletal lines.
    void guidance() const
    {
        click("tCalcular");
        GuideWindow* guide = shell->guide();
        answerGuide(guide);
        guide->findChild<QPushButton*>(QStringLiteral("gdiag"))->click();
    }
    QStringList lastLines() const { return messenger.last().lines; }
};

// Counts the times a window is shown.
struct ShowCounter : QObject {
    int shows = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

QByteArray field(const char* text, int capacity)
{
    QByteArray f(capacity + 1, '\0');
    f[0] = static_cast<char>(qstrlen(text));
    for (int i = 0; text[i]; ++i)
        f[1 + i] = text[i];
    return f;
}

}  // namespace

class TweedFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recordLayout();
    void guideBytesRestoreAsClicks_data();
    void guideBytesRestoreAsClicks();
    void saveBranchesInSequence();
    void silentNoWriteWhileTheImpaIsPending();
    void aFailedWriteSetsNoFlag();
    void openWithoutGuidance();
    void openWithGuidance();
    void openRunsTheGuidanceUnseen_data();
    void openRunsTheGuidanceUnseen();
    void alreadyOpenMeansThisAnalysis();
    void aBadFileLeavesTheTabAsItWas();
    void missingFolderIsNamed();
};

void TweedFileTest::recordLayout()
{
    TweedRecord r;
    r.guidance = true;
    r.patient = QString(60, QLatin1Char('A'));
    r.age = QStringLiteral("100");
    r.male = true;
    for (int i = 0; i < 20; ++i)
        r.entries[i] = QStringLiteral("%1.5").arg(i);
    r.entries[0] = QStringLiteral("1234.0");
    r.replaceImpa = false;
    r.replacementImpa = QStringLiteral("90.0");  // not written without the option No
    r.answers.daapinh = true;
    r.answers.menor = true;
    r.answers.dpadq = true;
    r.answers.clsim = true;
    r.answers.horcl2 = true;
    r.answers.esquerda = true;
    r.answers.profunda = true;
    r.answers.media = true;
    r.answers.desarm = true;

    QByteArray expected;
    expected += '\1';
    expected += field("AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", 50);
    expected += field("10", 2);
    expected += '\1';
    expected += field("1234.", 5);
    for (int i = 1; i < 20; ++i)
        expected += field(QStringLiteral("%1.5").arg(i).toLatin1().constData(), 5);
    expected += '\0';
    expected += QByteArray(6, '\0');
    //          183 184 185 186 187 188 189 190 191 192 193 194 195 196 197 198
    expected += QByteArray("\1\1\0\0\0\1\1\1e\0\0m\1\1\1\0", 16);
    QCOMPARE(expected.size(), 199);
    QCOMPARE(r.toBytes(), expected);

    r.replaceImpa = true;
    const QByteArray withReplacement = r.toBytes();
    QCOMPARE(withReplacement.at(176), '\1');
    QCOMPARE(withReplacement.mid(177, 6), field("90.0", 5));

    // Subdivision and severity fall back to s and v.
    TweedRecord plain;
    QCOMPARE(plain.toBytes().at(191), 's');
    QCOMPARE(plain.toBytes().at(194), 'v');
    plain.answers.direita = true;
    plain.answers.suave = true;
    QCOMPARE(plain.toBytes().at(191), 'd');
    QCOMPARE(plain.toBytes().at(194), 's');
}

void TweedFileTest::guideBytesRestoreAsClicks_data()
{
    QTest::addColumn<QByteArray>("guide");   // bytes 183..198
    QTest::addColumn<QString>("checked");     // the answers the guide ends with
    QTest::newRow("crowding without amount is more") << QByteArray("\1\0\0\0\0\1\0\0s\0\0v\0\0\0\0", 16)
                                                     << "daapinh maior dpadq";
    QTest::newRow("amount ignored without crowding") << QByteArray("\0\1\0\0\0\0\0\0s\0\0v\0\0\0\0", 16)
                                                     << "dpinadeq";
    QTest::newRow("no disharmony stops") << QByteArray("\0\0\1\1\1\1\0\1d\0\1s\0\0\1\1", 16)
                                         << "dmapinh dmrel dmpro dpadq";
    QTest::newRow("right subdivision, mild open bite")
        << QByteArray("\0\0\0\0\0\1\1\1d\0\1s\0\0\0\0", 16) << "dpadq clsim horcl2 direita aberta suave";
    QTest::newRow("unknown subdivision and severity")
        << QByteArray("\0\0\0\0\0\1\1\1x\0\1x\0\0\0\0", 16) << "dpadq clsim horcl2 sem aberta severa";
    QTest::newRow("deep overbite mild, facial severe")
        << QByteArray("\0\0\0\0\0\1\1\0s\1\0v\1\1\1\0", 16) << "dpadq clsim horcl3 profunda media desarm dessevera";
    QTest::newRow("deep overbite severe, facial mild")
        << QByteArray("\0\0\0\0\0\1\1\0s\0\0v\1\0\1\1", 16) << "dpadq clsim profunda severa desarm dessuave";
}

void TweedFileTest::guideBytesRestoreAsClicks()
{
    QFETCH(QByteArray, guide);
    QFETCH(QString, checked);
    QByteArray bytes = TweedRecord().toBytes();
    bytes[0] = '\1';
    bytes.replace(183, 16, guide);
    const GuideAnswers a = TweedRecord::fromBytes(bytes).answers;
    const std::pair<const char*, bool> all[] = {
        {"daapinh", a.daapinh}, {"menor", a.menor},       {"maior", a.maior},       {"dmapinh", a.dmapinh},
        {"dmrel", a.dmrel},     {"dmpro", a.dmpro},       {"dpadq", a.dpadq},       {"dpinadeq", a.dpinadeq},
        {"clsim", a.clsim},     {"horcl2", a.horcl2},     {"direita", a.direita},   {"esquerda", a.esquerda},
        {"sem", a.sem},         {"horcl3", a.horcl3},     {"aberta", a.aberta},     {"profunda", a.profunda},
        {"suave", a.suave},     {"media", a.media},       {"severa", a.severa},     {"desarm", a.desarm},
        {"dessuave", a.dessuave}, {"dessevera", a.dessevera},
    };
    QStringList on;
    for (const auto& [name, value] : all) {
        if (value)
            on << QLatin1String(name);
    }
    QCOMPARE(on.join(QLatin1Char(' ')), checked);
    // Without the guidance flag the bytes are not read at all.
    bytes[0] = '\0';
    QVERIFY(TweedRecord::fromBytes(bytes).answers == GuideAnswers{});
}

void TweedFileTest::saveBranchesInSequence()
{
    TweedFileFixture f;
    f.click("tsalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("The Analysis is not complete!")});
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Warning);
    QCOMPARE(f.messenger.last().title, QStringLiteral("Tweed Analysis"));

    f.calculateCase();
    f.w<QRadioButton>("inter1")->setEnabled(true);
    f.click("tsalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("Analysis successfully saved!")});
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Information);
    const QByteArray first = readFileBytes(f.path());
    QCOMPARE(first.size(), 199);
    QCOMPARE(first.at(0), '\0');
    QVERIFY(f.flag("parcial"));
    QVERIFY(!f.flag("completo"));

    f.click("tsalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("This patient already has an Analysis saved!")});
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);

    f.guidance();
    f.click("tsalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("Analysis successfully saved!")});
    const QByteArray withGuidance = readFileBytes(f.path());
    QCOMPARE(withGuidance.at(0), '\1');
    QCOMPARE(withGuidance.at(193), '\1');  // the guide's answers went with it
    QVERIFY(f.flag("completo"));

    f.click("tsalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("This patient already has an Analysis and Space Tx Guidance saved!")});
    QCOMPARE(readFileBytes(f.path()), withGuidance);

    // A new analysis of the same patient and stage replaces the file only with its guidance.
    f.click("tLimpar");
    f.click("tLimpar");
    f.calculateCase();
    f.click("tsalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("This patient already has an Analysis saved!")});
    QCOMPARE(readFileBytes(f.path()), withGuidance);
}

void TweedFileTest::silentNoWriteWhileTheImpaIsPending()
{
    TweedFileFixture f;
    replaceFile(f.path(), QByteArray(199, '\7'));
    f.calculateCase(Messenger::Answer::No);
    f.messenger.clear();
    f.click("tsalvar");
    QVERIFY(f.messenger.boxes.isEmpty());
    QCOMPARE(readFileBytes(f.path()), QByteArray(199, '\7'));
}

void TweedFileTest::aFailedWriteSetsNoFlag()
{
    TweedFileFixture f;
    f.calculateCase();
    f.click("tsalvar");
    f.guidance();
    // Something the file cannot be renamed over: the save fails and says so.
    QVERIFY(QFile::remove(f.path()));
    QVERIFY(QDir(f.scratch.path(QStringLiteral("Analyses"))).mkpath(f.path() + QStringLiteral("/inside")));
    f.click("tsalvar");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().startsWith(QStringLiteral("TEST PATIENT-PRE-TX.twe: ")));
    QVERIFY(!f.flag("completo"));
    // Once the way is clear the same SAVE goes through.
    QVERIFY(QDir(f.path()).removeRecursively());
    f.click("tsalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("Analysis successfully saved!")});
    QVERIFY(f.flag("completo"));
}

void TweedFileTest::openWithoutGuidance()
{
    TweedFileFixture f;
    f.calculateCase(Messenger::Answer::No);
    f.tab()->entry(QStringLiteral("dcopcres"))->setText(QStringLiteral("90.0"));
    f.w<QRadioButton>("inter2")->setChecked(true);
    f.messenger.answers = {Messenger::Answer::Yes};
    f.click("tCalcular");
    f.click("tsalvar");
    QVERIFY(QFile::exists(f.path(QStringLiteral("TEST PATIENT"), "-FINAL")));
    f.click("tLimpar");
    f.click("tLimpar");
    const int before = f.stats().tweed;

    f.desktop.chosenFiles = {f.path(QStringLiteral("TEST PATIENT"), "-FINAL")};
    f.messenger.clear();
    f.click("tabrir");
    QCOMPARE(f.desktop.fileRequests.constLast().folder, f.scratch.folder().analyses());
    QVERIFY(f.desktop.fileRequests.constLast().filter.contains(QStringLiteral("*.twe")));
    QVERIFY(f.messenger.boxes.isEmpty());  // accepted without the IMPA question
    QCOMPARE(f.stats().tweed, before + 1);
    QCOMPARE(f.tab()->entry(QStringLiteral("twPaciente"))->text(), QStringLiteral("TEST PATIENT"));
    QVERIFY(f.w<QRadioButton>("inter2")->isChecked());
    QVERIFY(f.w<QRadioButton>("GenFem")->isChecked());
    QCOMPARE(f.text("dcimpares"), QStringLiteral("90.0"));
    QCOMPARE(f.text("anadcres"), QStringLiteral("-4.0"));
    QVERIFY(!f.w("dcopcres")->isVisible());
    QVERIFY(!f.w("dcnao")->isVisible());
    QCOMPARE(f.w<QPushButton>("tCalcular")->text(), QStringLiteral("SPACE TX GUIDANCE"));
    QCOMPARE(f.w<QPushButton>("tLimpar")->text(), QStringLiteral("NEW"));
    QVERIFY(f.flag("abrir") && f.flag("parcial") && !f.flag("completo"));
    QVERIFY(f.shell->guide()->answers() == GuideAnswers{});
}

void TweedFileTest::openWithGuidance()
{
    TweedFileFixture f;
    f.calculateCase();
    f.guidance();
    const QString panelBefore = f.text("dsdesc3") + f.text("d09") + f.text("dsdesc4") + f.text("d13");
    QCOMPARE(panelBefore, QStringLiteral("Extract:4Extractions and Intrusive\rdirectional force treatment4"));
    f.click("tsalvar");
    f.click("tLimpar");
    f.click("tLimpar");
    QCOMPARE(f.text("dsdesc"), QString());
    const UsageStats before = f.stats();

    f.desktop.chosenFiles = {f.path()};
    f.messenger.clear();
    f.click("tabrir");
    QCOMPARE(f.messenger.boxes.size(), 1);  // the caution, once
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Information);
    QVERIFY(f.main()->isEnabled());
    QVERIFY(!f.shell->guide()->isVisible());
    QVERIFY(!f.w<QPushButton>("tCalcular")->isEnabled());
    QVERIFY(!f.w("dsantinfo")->isHidden());
    QCOMPARE(f.text("dsdesc3") + f.text("d09") + f.text("dsdesc4") + f.text("d13"), panelBefore);
    QVERIFY(f.flag("completo"));
    QCOMPARE(f.stats().tweed, before.tweed + 1);
    QCOMPARE(f.stats().guidance, before.guidance + 1);
    // The guide starts empty, severities included.
    QVERIFY(f.shell->guide()->answers() == GuideAnswers{});
    QVERIFY(f.shell->guide()->box(QStringLiteral("suave"))->isHidden());

    f.click("tsalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("This patient already has an Analysis and Space Tx Guidance saved!")});
}

void TweedFileTest::openRunsTheGuidanceUnseen_data()
{
    QTest::addColumn<bool>("answered");  // the stored answers pass the guide's checks
    QTest::newRow("answered") << true;
    QTest::newRow("skeletal disharmony without a finding") << false;
}

void TweedFileTest::openRunsTheGuidanceUnseen()
{
    QFETCH(bool, answered);
    TweedFileFixture f;
    f.calculateCase();
    f.guidance();
    f.click("tsalvar");
    f.click("tLimpar");
    f.click("tLimpar");
    if (!answered) {
        // Yes kept, Class II and the open bite taken away, as no SAVE writes it.
        QByteArray bytes = readFileBytes(f.path());
        bytes[190] = '\0';
        bytes[193] = '\0';
        replaceFile(f.path(), bytes);
    }
    const UsageStats before = f.stats();
    GuideWindow* guide = f.shell->guide();
    ShowCounter counter;
    guide->installEventFilter(&counter);

    f.desktop.chosenFiles = {f.path()};
    f.messenger.clear();
    f.click("tabrir");
    QCOMPARE(f.messenger.boxes.first().icon, Messenger::Icon::Information);  // the caution
    QCOMPARE(f.stats().tweed, before.tweed + 1);
    QVERIFY(guide->answers() == GuideAnswers{});
    if (answered) {
        QCOMPARE(counter.shows, 0);
        QVERIFY(!guide->isVisible());
        QCOMPARE(f.messenger.boxes.size(), 1);
        QVERIFY(f.main()->isEnabled());
        QVERIFY(f.shell->tray()->hideItem()->isEnabled());
        QVERIFY(!f.w("dsantinfo")->isHidden());
        QCOMPARE(f.stats().guidance, before.guidance + 1);
        return;
    }
    // What the file lacks is the clinician's to answer: the guide stays up,
    // and the warning over it gave the Hide item back, as any box does.
    QCOMPARE(f.messenger.last().lines,
             QStringList{QStringLiteral("No Disharmony selected! If there is no skeletal disharmony, please Check NO!")});
    QCOMPARE(counter.shows, 1);
    QVERIFY(guide->isVisible());
    QVERIFY(!f.main()->isEnabled());
    QVERIFY(f.shell->tray()->hideItem()->isEnabled());
    QVERIFY(f.w("dsantinfo")->isHidden());
    QCOMPARE(f.stats().guidance, before.guidance);
    guide->findChild<QPushButton*>(QStringLiteral("gcancelar"))->click();
    QVERIFY(f.main()->isEnabled());
    QVERIFY(f.shell->tray()->hideItem()->isEnabled());
}

void TweedFileTest::alreadyOpenMeansThisAnalysis()
{
    TweedFileFixture f;
    f.calculateCase(Messenger::Answer::Yes, QStringLiteral("ANA"));
    f.click("tsalvar");
    f.click("tLimpar");
    f.click("tLimpar");
    f.calculateCase(Messenger::Answer::Yes, QStringLiteral("ANA MARIA"));
    f.click("tsalvar");

    // ANA MARIA's own file while her analysis is accepted: refused.
    f.desktop.chosenFiles = {f.path(QStringLiteral("ANA MARIA"))};
    f.click("tabrir");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("The file is already open!")});
    // ANA's file, whose name is part of this one: opened.
    f.click("tLimpar");
    f.click("tLimpar");
    f.calculateCase(Messenger::Answer::Yes, QStringLiteral("ANA"));
    f.desktop.chosenFiles = {f.path(QStringLiteral("ANA MARIA"))};
    f.messenger.clear();
    f.click("tabrir");
    QVERIFY(f.messenger.boxes.isEmpty());
    QCOMPARE(f.tab()->entry(QStringLiteral("twPaciente"))->text(), QStringLiteral("ANA MARIA"));
    // From the entry state the same file loads again.
    f.click("tLimpar");
    f.tab()->entry(QStringLiteral("twPaciente"))->setText(QStringLiteral("ANA MARIA"));
    f.desktop.chosenFiles = {f.path(QStringLiteral("ANA MARIA"))};
    f.click("tabrir");
    QVERIFY(f.messenger.boxes.isEmpty());
    QCOMPARE(f.w<QPushButton>("tCalcular")->text(), QStringLiteral("SPACE TX GUIDANCE"));
}

void TweedFileTest::aBadFileLeavesTheTabAsItWas()
{
    TweedFileFixture f;
    f.calculateCase();
    f.shell->guide()->box(QStringLiteral("dmrel"))->setChecked(true);
    replaceFile(f.analyses(QStringLiteral("SHORT-PRE-TX.twe")), QByteArray(150, '\1'));
    f.desktop.chosenFiles = {f.analyses(QStringLiteral("SHORT-PRE-TX.twe"))};
    f.click("tabrir");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().startsWith(QStringLiteral("SHORT-PRE-TX.twe: ")));
    QCOMPARE(f.tab()->entry(QStringLiteral("twPaciente"))->text(), QStringLiteral("TEST PATIENT"));
    QCOMPARE(f.text("andiscres"), QStringLiteral("-10.4"));
    QCOMPARE(f.w<QPushButton>("tCalcular")->text(), QStringLiteral("SPACE TX GUIDANCE"));
}

void TweedFileTest::missingFolderIsNamed()
{
    TweedFileFixture f;
    f.calculateCase();
    QVERIFY(QDir(f.scratch.path(QStringLiteral("Analyses"))).removeRecursively());
    f.click("tsalvar");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().startsWith(QStringLiteral("Analyses: the patients' folder is missing")));
    QVERIFY(!f.flag("completo"));
    QVERIFY(f.main()->isVisible());
}

QTEST_MAIN(TweedFileTest)
#include "tst_tweedfile.moc"
