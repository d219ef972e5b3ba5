// Faults injected into every operation that touches a file. Whatever breaks,
// the action ends with an error box naming the file and the reason, the
// program goes on, nothing on disk changes and the tab shows what it showed.
#include "common/session.h"
#include "bolton/boltontab.h"
#include "common/fileio.h"
#include "entry/entryfield.h"
#include "guidance/guidewindow.h"
#include "notes/historytab.h"
#include "notes/outlinetab.h"
#include "report/reportviewer.h"
#include "support/appfixture.h"
#include "support/cases.h"
#include "tweed/diagnosispanel.h"
#include "tweed/tweedanalysis.h"
#include "tweed/tweedfile.h"
#include "tweed/tweedtab.h"

#include <QAction>
#include <QCheckBox>
#include <QDirIterator>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>

#include <sys/stat.h>

using namespace vel;
using namespace vel::test;

namespace {

enum class Op {
    TweedCalculate, TweedSave, TweedOpen, TweedPrint, Guidance,
    BoltonCalculate, BoltonSave, BoltonOpen, BoltonPrint,
    OutlineSave, OutlineLeave, OutlineOpen, OutlinePrint,
    HistorySave, HistoryOpen, HistoryPrint,
    Statistics,
};

// What is done to a file or folder; each fault comes with its own undoing.
enum class Fault {
    Removed,     // gone (kept aside, to be put back)
    Truncated,   // cut to half its size
    Folder,      // a folder where the file should be
    NotAFolder,  // a regular file where the folder should be
    Damaged,     // a report-definition file that does not parse
    LongName,    // a patient name too long for the file system
    Pipe,        // a named pipe where the file should be
    LinkOut,     // a link to a file outside the patients' folder
    Dangling,    // a link to a file that is not there
    DiskFull,    // no room left for any write
};

}  // namespace

Q_DECLARE_METATYPE(Op)
Q_DECLARE_METATYPE(Fault)

namespace {

struct CountingViewer : ReportViewer {
    int shown = 0;
    void show(const Report&, const ReportParameters&, int, const QString&, const QString&) override { ++shown; }
};

// A base of its own so the viewer exists before the program that prints through it.
struct WithViewer {
    CountingViewer viewer;
};

enum class Tab { Tweed, Bolton, Outline, History };

Tab tabOf(Op op)
{
    switch (op) {
    case Op::BoltonCalculate: case Op::BoltonSave: case Op::BoltonOpen: case Op::BoltonPrint: return Tab::Bolton;
    case Op::OutlineSave: case Op::OutlineLeave: case Op::OutlineOpen: case Op::OutlinePrint: return Tab::Outline;
    case Op::HistorySave: case Op::HistoryOpen: case Op::HistoryPrint: return Tab::History;
    default: return Tab::Tweed;
    }
}

const char* launcherButton(Op op)
{
    const char* buttons[] = {"Button3", "Button4", "Button8", "Button7"};
    return buttons[static_cast<int>(tabOf(op))];
}

// What the patient's file name adds to the name; the Tweed tab starts at PRE-TX.
QString suffixOf(Op op)
{
    const char* suffixes[] = {"-PRE-TX.twe", ".bol", ".otl", ".pln"};
    return QLatin1String(suffixes[static_cast<int>(tabOf(op))]);
}

QMap<QString, QByteArray> disk(const QString& root) { return diskContents(root); }

// What a window shows: every named control's text, check, lock and visibility.
QStringList shown(const QWidget* root)
{
    QStringList state{QStringLiteral("window enabled=%1 visible=%2").arg(root->isEnabled()).arg(root->isVisible())};
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        QString text;
        if (auto* e = qobject_cast<const QLineEdit*>(w))
            text = e->text() + (e->isReadOnly() ? QStringLiteral(" [read-only]") : QString());
        else if (auto* b = qobject_cast<const QAbstractButton*>(w))
            text = b->text() + (b->isChecked() ? QStringLiteral(" [on]") : QString());
        else if (auto* l = qobject_cast<const QLabel*>(w))
            text = l->text();
        else if (auto* m = qobject_cast<const QPlainTextEdit*>(w))
            text = m->toPlainText();
        else
            continue;
        state << w->objectName() + QLatin1Char('=') + text + (w->isEnabledTo(root) ? QString() : QStringLiteral(" [off]"))
                     + (w->isHidden() ? QStringLiteral(" [hidden]") : QString());
    }
    state.sort();
    return state;
}

// Puts `fault` on `path` and returns what takes it away again.
std::function<void()> inject(Fault fault, const QString& path)
{
    const QString aside = path + QStringLiteral(".aside");
    switch (fault) {
    case Fault::Removed:
        QDir().rename(path, aside);
        return [=] { QDir().rename(aside, path); };
    case Fault::Truncated: {
        const QByteArray bytes = readFileBytes(path);
        QFile(path).resize(bytes.size() / 2);
        return [=] { replaceFile(path, bytes); };
    }
    case Fault::Folder:
        if (QFileInfo::exists(path))
            QDir().rename(path, aside);
        QDir().mkdir(path);
        return [=] {
            QDir().rmdir(path);
            if (QFileInfo::exists(aside))
                QDir().rename(aside, path);
        };
    case Fault::NotAFolder:
        QDir().rename(path, aside);
        replaceFile(path, "not a folder");
        return [=] {
            QFile::remove(path);
            QDir().rename(aside, path);
        };
    case Fault::Damaged: {
        const QByteArray bytes = readFileBytes(path);
        replaceFile(path, "<reports>\n<report name=\"report1\">\n<page>\n");
        return [=] { replaceFile(path, bytes); };
    }
    case Fault::Pipe:
        if (QFileInfo::exists(path))
            QDir().rename(path, aside);
        if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
            qFatal("cannot make a pipe at %s", qPrintable(path));
        return [=] {
            QFile::remove(path);
            if (QFileInfo::exists(aside))
                QDir().rename(aside, path);
        };
    case Fault::LinkOut:
    case Fault::Dangling: {
        // The outside file lies in the working folder, beside Analyses, so
        // the comparison of the disk sees that it is left alone.
        const QString outside = QFileInfo(path).dir().absoluteFilePath(QStringLiteral("../outside.txt"));
        if (QFileInfo::exists(path))
            QDir().rename(path, aside);
        if (fault == Fault::LinkOut)
            replaceFile(outside, "a file of another program");
        QFile::link(outside, path);
        return [=] {
            QFile::remove(path);
            QFile::remove(outside);
            if (QFileInfo::exists(aside))
                QDir().rename(aside, path);
        };
    }
    case Fault::DiskFull:
        setDiskRoomForTesting(0);
        return [] { setDiskRoomForTesting(-1); };
    case Fault::LongName:
        break;
    }
    return [] {};
}

const QStringList kMissingFiles{QStringLiteral("   Some files necessary to run the software could not be found!"),
                                QStringLiteral("                 Please reinstall de software and try again.")};

struct FaultFixture : WithViewer, AppFixture {
    explicit FaultFixture(Op op) : AppFixture(launcherButton(op), &viewer) {}

    TweedTab* tweed() const { return main()->tweed(); }
    BoltonTab* bolton() const { return main()->bolton(); }
    OutlineTab* outline() const { return main()->outline(); }
    HistoryTab* history() const { return main()->history(); }
    void click(const char* name) const
    {
        auto* b = main()->findChild<QPushButton*>(QLatin1String(name));
        QVERIFY2(b, name);
        b->click();
    }
    QString label(const char* name) const { return main()->findChild<QLabel*>(QLatin1String(name))->text(); }
    EntryField* patientField(Op op) const
    {
        switch (tabOf(op)) {
        case Tab::Bolton: return bolton()->field(QStringLiteral("bpaciente"));
        case Tab::Outline: return outline()->patient();
        case Tab::History: return history()->patient();
        case Tab::Tweed: break;
        }
        return tweed()->entry(QStringLiteral("twPaciente"));
    }
    QStringList screen() const { return shown(main()) + shown(shell->guide()); }

    void typeTweed(const QString& patient) const
    {
        const char* values[] = {"25.0", "62.0", "95.0", "10.0", "83.0", "79.5", "2.0", "72.0", "15.0", "12.0",
                                "110.0", "75.0", "30.5", "27.0", "15.0", "14.0", "-2.0", "-1.5", "20.0", "18.0"};
        tweed()->entry(QStringLiteral("twPaciente"))->setText(patient);
        tweed()->entry(QStringLiteral("Idade"))->setText(QStringLiteral("12"));
        for (int i = 0; i < 20; ++i)
            tweed()->entry(QLatin1String(kTweedEntries[i].control))->setText(QLatin1String(values[i]));
        main()->findChild<QRadioButton*>(QStringLiteral("GenFem"))->setChecked(true);
    }
    void calculateTweed(const QString& patient)
    {
        typeTweed(patient);
        messenger.answers = {Messenger::Answer::Yes};
        click("tCalcular");
    }
    void answerGuide() const { vel::test::answerGuide(shell->guide()); }
    void typeBolton(const QString& patient) const
    {
        const char* maxilla[12] = {"10.2", "6.8", "7.1", "7.9", "6.6", "8.6", "8.6", "6.6", "7.9", "7.1", "6.8", "10.2"};
        const char* mandible[12] = {"11.1", "7.2", "7.0", "6.9", "5.9", "5.4", "5.4", "5.9", "6.9", "7.0", "7.2", "11.1"};
        bolton()->field(QStringLiteral("bpaciente"))->setText(patient);
        for (int i = 0; i < 12; ++i) {
            bolton()->field(QStringLiteral("s%1").arg(i + 1, 2, 10, QLatin1Char('0')))->setText(QLatin1String(maxilla[i]));
            bolton()->field(QStringLiteral("i%1").arg(i + 1, 2, 10, QLatin1Char('0')))->setText(QLatin1String(mandible[i]));
        }
        for (const char* name : {"termole", "segmole", "segmold", "termold"})
            bolton()->field(QLatin1String(name))->setText(QStringLiteral("10.5"));
    }
    void typeOutline(const QString& patient, const QString& text) const
    {
        outline()->patient()->setText(patient);
        outline()->memo()->setPlainText(text);
    }
    void typeHistory(const QString& patient, const QString& text) const
    {
        history()->patient()->setText(patient);
        history()->description()->setPlainText(text);
    }

    // The tab as the operation finds it: ready to save, open, count or print.
    void prepare(Op op, const QString& patient)
    {
        switch (op) {
        case Op::TweedCalculate: typeTweed(patient); break;
        case Op::TweedSave: case Op::TweedPrint: calculateTweed(patient); break;
        case Op::Guidance:
            calculateTweed(patient);
            click("tCalcular");  // SPACE TX GUIDANCE: the guide comes up
            answerGuide();
            break;
        case Op::TweedOpen:
            calculateTweed(QStringLiteral("SAVED"));
            click("tsalvar");
            click("tLimpar");
            click("tLimpar");
            calculateTweed(patient);
            desktop.chosenFiles = {analyses(QStringLiteral("SAVED-PRE-TX.twe"))};
            break;
        case Op::BoltonCalculate: typeBolton(patient); break;
        case Op::BoltonSave: case Op::BoltonPrint: typeBolton(patient); click("bCalcular"); break;
        case Op::BoltonOpen:
            typeBolton(QStringLiteral("SAVED"));
            click("bCalcular");
            click("bsalvar");
            click("blimpar");
            click("blimpar");
            typeBolton(patient);
            click("bCalcular");
            desktop.chosenFiles = {analyses(QStringLiteral("SAVED.bol"))};
            break;
        case Op::OutlineSave: case Op::OutlineLeave: case Op::OutlinePrint:
            typeOutline(patient, QStringLiteral("typed"));
            break;
        case Op::OutlineOpen:
            typeOutline(QStringLiteral("SAVED"), QStringLiteral("stored"));
            click("posalvar");
            typeOutline(patient, QStringLiteral("typed"));
            desktop.chosenFiles = {analyses(QStringLiteral("SAVED.otl"))};
            break;
        case Op::HistorySave: typeHistory(patient, QStringLiteral("Bonding")); break;
        case Op::HistoryPrint: typeHistory(patient, QStringLiteral("Bonding")); click("plsalvar"); break;
        case Op::HistoryOpen:
            typeHistory(QStringLiteral("SAVED"), QStringLiteral("Bonding"));
            click("plsalvar");
            typeHistory(patient, QStringLiteral("draft"));
            desktop.chosenFiles = {analyses(QStringLiteral("SAVED.pln"))};
            break;
        case Op::Statistics: break;
        }
        QVERIFY(main()->isVisible());
    }

    void run(Op op)
    {
        switch (op) {
        case Op::TweedCalculate: messenger.answers = {Messenger::Answer::Yes}; click("tCalcular"); break;
        case Op::TweedSave: click("tsalvar"); break;
        case Op::TweedOpen: click("tabrir"); break;
        case Op::TweedPrint: click("timprimir"); break;
        case Op::Guidance: shell->guide()->findChild<QPushButton*>(QStringLiteral("gdiag"))->click(); break;
        case Op::BoltonCalculate: click("bCalcular"); break;
        case Op::BoltonSave: click("bsalvar"); break;
        case Op::BoltonOpen: click("babrir"); break;
        case Op::BoltonPrint: click("bimprimir"); break;
        case Op::OutlineSave: click("posalvar"); break;
        case Op::OutlineLeave: {
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(outline()->patient(), &out);
            break;
        }
        case Op::OutlineOpen: click("poabrir"); break;
        case Op::OutlinePrint: click("poimprimir"); break;
        case Op::HistorySave: click("plsalvar"); break;
        case Op::HistoryOpen: click("plabrir"); break;
        case Op::HistoryPrint: click("plimprimir"); break;
        case Op::Statistics: main()->findChild<QAction*>(QStringLiteral("helpStatistics"))->trigger(); break;
        }
    }

    // The same operation once the fault is gone: it does what it is for.
    void runsAgain(Op op)
    {
        const int boxes = messenger.boxes.size();
        const int printed = viewer.shown;
        const UsageStats before = stats();
        if (op == Op::TweedOpen || op == Op::BoltonOpen || op == Op::OutlineOpen || op == Op::HistoryOpen)
            desktop.chosenFiles = {analyses(QStringLiteral("SAVED") + suffixOf(op))};
        run(op);
        QVERIFY(main()->isVisible());
        switch (op) {
        case Op::TweedCalculate:
            QVERIFY(!label("andiscres").isEmpty());
            QCOMPARE(stats().tweed, before.tweed + 1);
            break;
        case Op::Guidance:
            QVERIFY(tweed()->diagnosis()->isFilled());
            QCOMPARE(stats().guidance, before.guidance + 1);
            QVERIFY(main()->isEnabled());
            break;
        case Op::BoltonCalculate:
            QVERIFY(!bolton()->controlTexts().value(QStringLiteral("diag12")).isEmpty());
            QCOMPARE(stats().bolton, before.bolton + 1);
            break;
        case Op::TweedOpen: case Op::BoltonOpen: case Op::OutlineOpen: case Op::HistoryOpen:
            QCOMPARE(patientField(op)->text(), QStringLiteral("SAVED"));
            if (op == Op::TweedOpen)
                QCOMPARE(stats().tweed, before.tweed + 1);
            if (op == Op::BoltonOpen)
                QCOMPARE(stats().bolton, before.bolton + 1);
            break;
        case Op::TweedPrint: case Op::BoltonPrint: case Op::OutlinePrint: case Op::HistoryPrint:
            QCOMPARE(viewer.shown, printed + 1);
            break;
        case Op::OutlineLeave:
            QCOMPARE(messenger.boxes.size(), boxes);
            break;
        case Op::Statistics:
            QCOMPARE(messenger.last().icon, Messenger::Icon::Information);
            QCOMPARE(messenger.last().title, QStringLiteral("Statistics"));
            break;
        default:
            QVERIFY(messenger.boxes.size() > boxes);
            QCOMPARE(messenger.last().icon, Messenger::Icon::Information);
        }
    }
};

// The box that ended the action: an error naming `name` with a reason after it.
void checkErrorBox(const ScriptedMessenger& messenger, int boxesBefore, const QString& name, const QString& words)
{
    QCOMPARE(messenger.boxes.size(), boxesBefore + 1);
    QCOMPARE(messenger.last().icon, Messenger::Icon::Error);
    const QString text = messenger.last().text();
    QVERIFY2(text.startsWith(name + QStringLiteral(": ")), qPrintable(text));
    const QString reason = text.mid(name.size() + 2).trimmed();
    QVERIFY2(!reason.isEmpty() && !reason.contains(QStringLiteral("Unknown error")), qPrintable(text));
    QVERIFY2(text.contains(words), qPrintable(text));
}

}  // namespace

class FaultsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A row that failed before its undo must not leave the disk full for the next.
    void init() { setDiskRoomForTesting(-1); }
    void patientFileCannotBeWritten_data();
    void patientFileCannotBeWritten();
    void chosenFileCannotBeRead_data();
    void chosenFileCannotBeRead();
    void dataFileFailsDuringTheRun_data();
    void dataFileFailsDuringTheRun();
    void reportDefinitionsFail_data();
    void reportDefinitionsFail();
    void startAndShutdown_data();
    void startAndShutdown();
    void failedOpenKeepsTheGuidanceToSave();
    void runningFlagThatCannotBeWrittenPutsTheScreenBack();
};

void FaultsTest::patientFileCannotBeWritten_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<Fault>("fault");
    const struct {
        const char* name;
        Op op;
    } ops[] = {{"Tweed SAVE", Op::TweedSave},         {"Bolton SAVE", Op::BoltonSave},
               {"Outline SAVE", Op::OutlineSave},     {"Outline leave check", Op::OutlineLeave},
               {"Outline PRINT", Op::OutlinePrint},   {"History SAVE", Op::HistorySave},
               {"History PRINT", Op::HistoryPrint}};
    for (const auto& o : ops) {
        QTest::addRow("%s, Analyses missing", o.name) << o.op << Fault::Removed;
        QTest::addRow("%s, Analyses is a file", o.name) << o.op << Fault::NotAFolder;
        QTest::addRow("%s, folder in the file's place", o.name) << o.op << Fault::Folder;
        // The history on screen can only be one that was saved, under a name that fits.
        if (o.op != Op::HistoryPrint)
            QTest::addRow("%s, name too long", o.name) << o.op << Fault::LongName;
        QTest::addRow("%s, a pipe in the file's place", o.name) << o.op << Fault::Pipe;
        QTest::addRow("%s, a link out of Analyses", o.name) << o.op << Fault::LinkOut;
        QTest::addRow("%s, a link to nothing", o.name) << o.op << Fault::Dangling;
        if (o.op != Op::OutlineLeave && o.op != Op::HistoryPrint)
            QTest::addRow("%s, disk full", o.name) << o.op << Fault::DiskFull;
    }
}

void FaultsTest::patientFileCannotBeWritten()
{
    QFETCH(Op, op);
    QFETCH(Fault, fault);
    FaultFixture f(op);
    const QString shortName = QStringLiteral("ANA");
    const QString patient = fault == Fault::LongName ? QString(300, QLatin1Char('A')) : shortName;
    f.prepare(op, patient);

    const QString folder = f.scratch.folder().analyses();
    const QString file = patient + suffixOf(op);
    std::function<void()> undo = [] {};
    QString named = QStringLiteral("Analyses");
    QString words;
    switch (fault) {
    case Fault::Removed: undo = inject(fault, folder); words = QStringLiteral("folder is missing"); break;
    case Fault::NotAFolder: undo = inject(fault, folder); words = QStringLiteral("not a folder"); break;
    case Fault::Folder: undo = inject(fault, f.analyses(file)); named = file; words = QStringLiteral("a folder, not"); break;
    case Fault::Pipe: undo = inject(fault, f.analyses(file)); named = file; words = QStringLiteral("not an ordinary file"); break;
    case Fault::LinkOut: undo = inject(fault, f.analyses(file)); named = file; words = QStringLiteral("outside the patients' folder"); break;
    case Fault::Dangling: undo = inject(fault, f.analyses(file)); named = file; words = QStringLiteral("a link to a file that is not there"); break;
    case Fault::DiskFull: undo = inject(fault, file); named = file; words = QStringLiteral("No space left on device"); break;
    default:
        named = file;
        undo = [&] { f.patientField(op)->setText(shortName); };
        break;
    }

    const auto onDisk = disk(f.scratch.path(QString()));
    const QStringList onScreen = f.screen();
    const int boxes = f.messenger.boxes.size();
    f.run(op);

    if (op == Op::OutlineLeave && fault == Fault::LongName) {
        // No outline can exist under such a name: there is nothing to say until SAVE.
        QCOMPARE(f.messenger.boxes.size(), boxes);
    } else {
        checkErrorBox(f.messenger, boxes, named, words);
    }
    QCOMPARE(disk(f.scratch.path(QString())), onDisk);
    QCOMPARE(f.screen(), onScreen);
    QCOMPARE(f.viewer.shown, 0);
    QVERIFY(f.main()->isVisible());

    undo();
    f.runsAgain(op);
}

void FaultsTest::chosenFileCannotBeRead_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("onFolder");
    const struct {
        const char* name;
        Op op;
    } ops[] = {{"Tweed OPEN", Op::TweedOpen},
               {"Bolton OPEN", Op::BoltonOpen},
               {"Outline OPEN", Op::OutlineOpen},
               {"History OPEN", Op::HistoryOpen}};
    for (const auto& o : ops) {
        QTest::addRow("%s, file gone after the dialog", o.name) << o.op << Fault::Removed << false;
        QTest::addRow("%s, a folder chosen", o.name) << o.op << Fault::Folder << false;
        QTest::addRow("%s, a pipe chosen", o.name) << o.op << Fault::Pipe << false;
        QTest::addRow("%s, Analyses missing", o.name) << o.op << Fault::Removed << true;
        QTest::addRow("%s, Analyses is a file", o.name) << o.op << Fault::NotAFolder << true;
        // A text file has no least size; a record file does.
        if (o.op == Op::TweedOpen || o.op == Op::BoltonOpen)
            QTest::addRow("%s, file truncated", o.name) << o.op << Fault::Truncated << false;
    }
}

void FaultsTest::chosenFileCannotBeRead()
{
    QFETCH(Op, op);
    QFETCH(Fault, fault);
    QFETCH(bool, onFolder);
    FaultFixture f(op);
    f.prepare(op, QStringLiteral("OTHER"));
    const QString file = QStringLiteral("SAVED") + suffixOf(op);
    const auto undo = inject(fault, onFolder ? f.scratch.folder().analyses() : f.analyses(file));

    const auto onDisk = disk(f.scratch.path(QString()));
    const QStringList onScreen = f.screen();
    const int boxes = f.messenger.boxes.size();
    f.run(op);

    checkErrorBox(f.messenger, boxes, file, QString());
    QCOMPARE(disk(f.scratch.path(QString())), onDisk);
    QCOMPARE(f.screen(), onScreen);
    QVERIFY(f.main()->isVisible());

    undo();
    f.runsAgain(op);
}

void FaultsTest::dataFileFailsDuringTheRun_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<QString>("file");
    QTest::addColumn<Fault>("fault");
    const struct {
        const char* name;
        Op op;
        bool readsTables;
    } ops[] = {{"Tweed CALCULATE", Op::TweedCalculate, false}, {"GUIDANCE", Op::Guidance, false},
               {"Statistics", Op::Statistics, false},          {"Tweed OPEN", Op::TweedOpen, false},
               {"Bolton CALCULATE", Op::BoltonCalculate, true}, {"Bolton OPEN", Op::BoltonOpen, true}};
    const struct {
        const char* name;
        Fault fault;
    } faults[] = {{"removed", Fault::Removed}, {"truncated", Fault::Truncated}, {"a folder", Fault::Folder},
                  {"a pipe", Fault::Pipe}};
    for (const auto& o : ops) {
        for (const auto& x : faults) {
            QTest::addRow("%s, Stats.cef %s", o.name, x.name) << o.op << QStringLiteral("Stats.cef") << x.fault;
            if (o.readsTables)
                QTest::addRow("%s, Bolton.cef %s", o.name, x.name) << o.op << QStringLiteral("Bolton.cef") << x.fault;
        }
        // A count that cannot be written ends the action; the counts stay as they were.
        if (o.op != Op::Statistics)
            QTest::addRow("%s, disk full for the count", o.name) << o.op << QStringLiteral("Stats.cef") << Fault::DiskFull;
    }
}

void FaultsTest::dataFileFailsDuringTheRun()
{
    QFETCH(Op, op);
    QFETCH(QString, file);
    QFETCH(Fault, fault);
    FaultFixture f(op);
    f.prepare(op, QStringLiteral("ANA"));
    const auto undo = inject(fault, f.scratch.path(file));

    const auto onDisk = disk(f.scratch.path(QString()));
    const QStringList onScreen = f.screen();
    const int boxes = f.messenger.boxes.size();
    f.run(op);

    // Nothing is counted and nothing is computed: the question that follows
    // a Tweed calculation is never asked.
    checkErrorBox(f.messenger, boxes, file, QString());
    QCOMPARE(disk(f.scratch.path(QString())), onDisk);
    QCOMPARE(f.screen(), onScreen);
    QVERIFY(f.main()->isVisible());

    undo();
    f.runsAgain(op);
}

void FaultsTest::reportDefinitionsFail_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<Fault>("fault");
    const struct {
        const char* name;
        Op op;
    } ops[] = {{"Tweed PRINT", Op::TweedPrint},
               {"Bolton PRINT", Op::BoltonPrint},
               {"Outline PRINT", Op::OutlinePrint},
               {"History PRINT", Op::HistoryPrint}};
    for (const auto& o : ops) {
        QTest::addRow("%s, removed", o.name) << o.op << Fault::Removed;
        QTest::addRow("%s, a folder", o.name) << o.op << Fault::Folder;
        QTest::addRow("%s, a pipe", o.name) << o.op << Fault::Pipe;
        QTest::addRow("%s, damaged", o.name) << o.op << Fault::Damaged;
    }
}

void FaultsTest::reportDefinitionsFail()
{
    QFETCH(Op, op);
    QFETCH(Fault, fault);
    FaultFixture f(op);
    f.prepare(op, QStringLiteral("ANA"));
    // Saved once already, so the save PRINT starts with rewrites the same bytes.
    if (op == Op::OutlinePrint)
        f.click("posalvar");
    const auto undo = inject(fault, f.scratch.folder().reportDefinitions());

    const auto onDisk = disk(f.scratch.path(QString()));
    const QStringList onScreen = f.screen();
    f.run(op);

    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    if (fault == Fault::Damaged) {
        // Named with the line where it stops making sense.
        QVERIFY(f.messenger.last().text().startsWith(QString::fromUtf8("Análises.rav, line ")));
    } else if (fault == Fault::Folder || fault == Fault::Pipe) {
        // Something else in its place is named, not reported missing.
        QVERIFY2(f.messenger.last().text().startsWith(QString::fromUtf8("Análises.rav: this is ")),
                 qPrintable(f.messenger.last().text()));
    } else {
        // The fixed two-line box of a missing data file.
        QCOMPARE(f.messenger.last().lines, kMissingFiles);
    }
    QCOMPARE(f.viewer.shown, 0);
    QCOMPARE(disk(f.scratch.path(QString())), onDisk);
    QCOMPARE(f.screen(), onScreen);
    QVERIFY(f.main()->isVisible());

    undo();
    f.runsAgain(op);
}

void FaultsTest::startAndShutdown_data()
{
    QTest::addColumn<bool>("atStart");
    QTest::addColumn<QString>("file");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("named");  // otherwise the missing-files box
    const struct {
        const char* name;
        bool atStart;
        const char* file;
        Fault fault;
        bool named;
    } rows[] = {
        {"start, Stats.cef removed", true, "Stats.cef", Fault::Removed, false},
        {"start, Stats.cef truncated", true, "Stats.cef", Fault::Truncated, true},
        // Present but not a file: named, not reported missing.
        {"start, Stats.cef a folder", true, "Stats.cef", Fault::Folder, true},
        {"start, Bolton.cef a folder", true, "Bolton.cef", Fault::Folder, true},
        {"start, report definitions a folder", true, "Análises.rav", Fault::Folder, true},
        {"start, Stats.cef a pipe", true, "Stats.cef", Fault::Pipe, true},
        {"start, Bolton.cef a pipe", true, "Bolton.cef", Fault::Pipe, true},
        {"start, report definitions a pipe", true, "Análises.rav", Fault::Pipe, true},
        {"shutdown, disk full", false, "Stats.cef", Fault::DiskFull, true},
        {"shutdown, Stats.cef a pipe", false, "Stats.cef", Fault::Pipe, true},
        {"shutdown, Stats.cef removed", false, "Stats.cef", Fault::Removed, true},
        {"shutdown, Stats.cef truncated", false, "Stats.cef", Fault::Truncated, true},
        {"shutdown, Stats.cef a folder", false, "Stats.cef", Fault::Folder, true},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << r.atStart << QString::fromUtf8(r.file) << r.fault << r.named;
}

void FaultsTest::startAndShutdown()
{
    QFETCH(bool, atStart);
    QFETCH(QString, file);
    QFETCH(Fault, fault);
    QFETCH(bool, named);
    ScratchFolder scratch;
    ScriptedMessenger messenger;
    FakeDesktop desktop;
    const DisplayMode small{800, 600, 16};
    desktop.mode = small;  // the case that writes the running flag at start
    Session session(scratch.folder(), messenger, desktop);
    std::function<void()> undo;
    if (atStart) {
        undo = inject(fault, scratch.path(file));
    } else {
        QVERIFY(session.start());
        undo = inject(fault, scratch.path(file));
        messenger.clear();
    }

    const auto onDisk = disk(scratch.path(QString()));
    QVERIFY(!(atStart ? session.start() : session.finish()));
    QCOMPARE(messenger.boxes.size(), 1);
    QCOMPARE(messenger.last().icon, Messenger::Icon::Error);
    if (named)
        QVERIFY2(messenger.last().text().contains(file + QStringLiteral(": ")), qPrintable(messenger.last().text()));
    else
        QCOMPARE(messenger.last().lines, kMissingFiles);
    QCOMPARE(disk(scratch.path(QString())), onDisk);
    // Refused before the screen was touched; at shutdown the screen is put back all the same.
    if (atStart)
        QVERIFY(desktop.modeChanges.isEmpty());
    else
        QVERIFY(desktop.modeChanges.constLast() == small);

    undo();
    if (!atStart) {
        QVERIFY(session.finish());
        QCOMPARE(readUsageStats(scratch.path(file)).running, 0);
    }
}

void FaultsTest::failedOpenKeepsTheGuidanceToSave()
{
    // OPEN leaves the guide empty whatever happens, even when it fails; the
    // diagnosis on the tab stays, and so must the answers SAVE stores with it.
    FaultFixture f(Op::Guidance);
    f.prepare(Op::Guidance, QStringLiteral("ANA"));
    const GuideAnswers answers = f.shell->guide()->answers();
    f.run(Op::Guidance);
    QVERIFY(f.tweed()->diagnosis()->isFilled());
    const QStringList tab = shown(f.tweed());

    const int boxes = f.messenger.boxes.size();
    f.desktop.chosenFiles = {f.analyses(QStringLiteral("GONE-PRE-TX.twe"))};
    f.click("tabrir");
    checkErrorBox(f.messenger, boxes, QStringLiteral("GONE-PRE-TX.twe"), QString());
    QCOMPARE(shown(f.tweed()), tab);

    f.click("tsalvar");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Information);
    const TweedRecord saved = readTweedFile(f.analyses(QStringLiteral("ANA-PRE-TX.twe")));
    QVERIFY(saved.guidance);
    QVERIFY(saved.answers == answers);
}

// The screen is switched before the running flag is written; when the flag
// cannot be written the program does not start, and leaves the screen as it
// found it.
void FaultsTest::runningFlagThatCannotBeWrittenPutsTheScreenBack()
{
    ScratchFolder scratch;
    ScriptedMessenger messenger;
    FakeDesktop desktop;
    const DisplayMode small{800, 600, 16};
    desktop.mode = small;
    Session session(scratch.folder(), messenger, desktop);
    const auto onDisk = disk(scratch.path(QString()));
    const auto undo = inject(Fault::DiskFull, QString());
    QVERIFY(!session.start());
    undo();
    QCOMPARE(messenger.last().icon, Messenger::Icon::Error);
    QVERIFY2(messenger.last().text().contains(QStringLiteral("Stats.cef: No space left on device")),
             qPrintable(messenger.last().text()));
    QCOMPARE(disk(scratch.path(QString())), onDisk);
    QVERIFY(!desktop.modeChanges.isEmpty());
    QVERIFY(desktop.modeChanges.constLast() == small);
}

QTEST_MAIN(FaultsTest)
#include "tst_faults.moc"
