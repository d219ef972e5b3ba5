#include "app/mainwindow.h"
#include "app/shell.h"
#include "common/fileio.h"
#include "entry/entryfield.h"
#include "notes/historytab.h"
#include "notes/notefiles.h"
#include "notes/outlinetab.h"
#include "support/fakes.h"

#include <QDir>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace vel;
using namespace vel::test;

namespace {

const QString kAlreadySaved = QStringLiteral("You have already saved a Treatment Outline for this patient!");
const QByteArray kSeparator = QByteArray(145, '-') + "\r\n";

struct NotesFixture {
    ScratchFolder scratch;
    ScriptedMessenger messenger;
    FakeDesktop desktop;
    ModalGate gate;
    std::unique_ptr<Shell> shell;

    explicit NotesFixture(const char* launcherButton = "Button8")
    {
        messenger.setGate(&gate);
        shell = std::make_unique<Shell>(scratch.folder(), messenger, desktop, gate);
        shell->show();
        shell->launcher()->becomeLauncher();
        shell->launcher()->findChild<QPushButton*>(QLatin1String(launcherButton))->click();
    }
    OutlineTab* outline() const { return shell->mainWindow()->outline(); }
    HistoryTab* history() const { return shell->mainWindow()->history(); }
    void click(const char* name) const
    {
        auto* b = shell->mainWindow()->findChild<QPushButton*>(QLatin1String(name));
        QVERIFY2(b, name);
        b->click();
    }
    QString analyses(const QString& name) const { return scratch.path(QStringLiteral("Analyses/") + name); }
    QByteArray bytes(const QString& name) const { return readFileBytes(analyses(name)); }
    QStringList lastLines() const { return messenger.boxes.isEmpty() ? QStringList() : messenger.last().lines; }
    QStringList analysesFiles() const { return QDir(scratch.path(QStringLiteral("Analyses"))).entryList(QDir::Files); }

    void typeOutline(const QString& patient, const QString& text) const
    {
        outline()->patient()->setText(patient);
        outline()->memo()->setPlainText(text);
    }
    void leavePatient() const
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(outline()->patient(), &out);
    }
    QString outlineScreen() const
    {
        return outline()->patient()->text() + QLatin1Char('|') + outline()->memo()->toPlainText() + QLatin1Char('|')
               + outline()->marker();
    }
    QString historyScreen() const
    {
        return history()->patient()->text() + QLatin1Char('|') + history()->description()->toPlainText()
               + QLatin1Char('|') + history()->history()->toPlainText();
    }
};

}  // namespace

class NotesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Files.
    void linesOnDisk_data();
    void linesOnDisk();
    void memoParagraphsBecomeLines_data();
    void memoParagraphsBecomeLines();
    void unstorableCharactersAreFound();
    void historyAppendKeepsWhatIsThere();

    // Treatment Outline.
    void outlineSavedThenUpdated();
    void outlineOpenReadsNameAndLines_data();
    void outlineOpenReadsNameAndLines();
    void leavingOnAnotherPatientsOutline();
    void leavingOnTheOutlineOnScreenKeepsEdits();
    void saveNeverReplacesAnotherPatientsOutline();
    void outlineFailuresLoseNothing();

    // Treatment History.
    void historyFirstAndSecondSave();
    void historySaveRefusals();
    void historyOpen();
    void historyFailuresLoseNothing();

    void namesAreWindows1252WithCrLf_data();
    void namesAreWindows1252WithCrLf();
};

void NotesTest::linesOnDisk_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("CR LF, last one ends the line") << QByteArray("A\r\nb c\r\n") << QStringList{"A", "b c"};
    QTest::newRow("bare LF, no last line end") << QByteArray("A\nb") << QStringList{"A", "b"};
    QTest::newRow("empty lines kept") << QByteArray("A\r\n\r\n\r\nb\r\n") << QStringList{"A", "", "", "b"};
    QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("Windows-1252") << QByteArray("\xc9\x80\r\n") << QStringList{QString::fromUtf8("É€")};
}

void NotesTest::linesOnDisk()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(decodeLines(bytes), lines);
    if (bytes.isEmpty() || bytes.endsWith("\r\n"))
        QCOMPARE(encodeLines(lines), bytes);
}

void NotesTest::memoParagraphsBecomeLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty memo has no lines") << "" << QStringList();
    QTest::newRow("paragraphs") << "Phase 1\nPhase 2" << QStringList{"Phase 1", "Phase 2"};
    QTest::newRow("trailing empty paragraph") << "Phase 1\n" << QStringList{"Phase 1", ""};
    QTest::newRow("pasted line ends") << "a\r\nb\rc" << QStringList{"a", "b", "c"};
    QTest::newRow("a long paragraph stays whole") << QString(400, QLatin1Char('x')) << QStringList{QString(400, 'x')};
}

void NotesTest::memoParagraphsBecomeLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(textLines(text), lines);
    // What is written is read back as the same memo text.
    QCOMPARE(decodeLines(encodeLines(lines)).join(QLatin1Char('\n')), textLines(text).join(QLatin1Char('\n')));
}

void NotesTest::unstorableCharactersAreFound()
{
    QCOMPARE(unstorableCharacters(QString::fromUtf8("JOSÉ ÇA, € “quoted” ? ÿ")), QString());
    QCOMPARE(unstorableCharacters(QString::fromUtf8("a → b → c 😀 Ω")), QString::fromUtf8("→😀Ω"));
}

void NotesTest::historyAppendKeepsWhatIsThere()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ANA.pln"));
    QVERIFY(!appendHistoryEntry(path, QStringLiteral("ANA"), QStringLiteral("1/2/24"), {QStringLiteral("x")}));
    const QByteArray first = readFileBytes(path);
    QCOMPARE(first, QByteArray("ANA\r\n1/2/24\r\n\r\nx\r\n") + kSeparator);

    QVERIFY(appendHistoryEntry(path, QStringLiteral("IGNORED"), QStringLiteral("1/3/24"), {QStringLiteral("y")}));
    QCOMPARE(readFileBytes(path), first + "1/3/24\r\n\r\ny\r\n" + kSeparator);

    // A hand-edited history without its last line end gets the entry on a line of its own.
    replaceFile(path, "ANA\r\nnote");
    QVERIFY(appendHistoryEntry(path, QStringLiteral("ANA"), QStringLiteral("1/4/24"), {QStringLiteral("z")}));
    QCOMPARE(readFileBytes(path), QByteArray("ANA\r\nnote\r\n1/4/24\r\n\r\nz\r\n") + kSeparator);
}

void NotesTest::outlineSavedThenUpdated()
{
    NotesFixture f;
    f.click("posalvar");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Warning);
    QCOMPARE(f.messenger.last().title, QStringLiteral("Treatment Outline"));
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("Patient`s name must be filled in!")});
    QVERIFY(f.analysesFiles().isEmpty());

    f.typeOutline(QStringLiteral("ANA"), QStringLiteral("Phase 1\nPhase 2"));
    f.click("posalvar");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Information);
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("Treatment Plan successfully saved!")});
    QCOMPARE(f.outline()->marker(), QStringLiteral("open"));
    QCOMPARE(f.bytes(QStringLiteral("ANA.otl")), QByteArray("ANA\r\nPhase 1\r\nPhase 2\r\n"));

    f.outline()->memo()->setPlainText(QString());
    f.click("posalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("Treatment Plan successfully updated!")});
    QCOMPARE(f.bytes(QStringLiteral("ANA.otl")), QByteArray("ANA\r\n"));

    f.click("polimpar");
    QCOMPARE(f.outlineScreen(), QStringLiteral("||"));
    f.typeOutline(QStringLiteral("BIA"), QStringLiteral("x"));
    f.click("posalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("Treatment Plan successfully saved!")});
    QCOMPARE(f.analysesFiles(), (QStringList{"ANA.otl", "BIA.otl"}));
}

void NotesTest::outlineOpenReadsNameAndLines_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("screen");
    QTest::newRow("name line only") << QByteArray("ANA\r\n") << "ANA||open";
    QTest::newRow("lines") << QByteArray("ANA\r\nPhase 1\r\n\r\nPhase 2\r\n") << "ANA|Phase 1\n\nPhase 2|open";
    QTest::newRow("bare LF, no last line end") << QByteArray("ANA\nPhase 1") << "ANA|Phase 1|open";
}

void NotesTest::outlineOpenReadsNameAndLines()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, screen);
    NotesFixture f;
    replaceFile(f.analyses(QStringLiteral("ANA.otl")), content);
    f.typeOutline(QStringLiteral("OTHER"), QStringLiteral("replaced"));
    f.desktop.chosenFiles = {f.analyses(QStringLiteral("ANA.otl"))};
    f.click("poabrir");
    QCOMPARE(f.desktop.fileRequests.size(), 1);
    QCOMPARE(f.desktop.fileRequests[0].folder, f.scratch.folder().analyses());
    QVERIFY(f.desktop.fileRequests[0].filter.contains(QStringLiteral("*.otl")));
    QCOMPARE(f.outlineScreen(), screen);
    QVERIFY(f.messenger.boxes.isEmpty());
    // Opened from the patient's own file: SAVE updates it.
    f.click("posalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("Treatment Plan successfully updated!")});
}

void NotesTest::leavingOnAnotherPatientsOutline()
{
    NotesFixture f;
    replaceFile(f.analyses(QStringLiteral("ANA.otl")), "ANA\r\nstored\r\n");
    f.typeOutline(QStringLiteral("ANA"), QStringLiteral("typed"));
    f.leavePatient();
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Warning);
    QCOMPARE(f.lastLines(), QStringList{kAlreadySaved});
    QCOMPARE(f.desktop.fileRequests.size(), 1);
    // The dialog was cancelled: cleared, and no file behind the screen.
    QCOMPARE(f.outlineScreen(), QStringLiteral("||"));
    f.typeOutline(QStringLiteral("BIA"), QStringLiteral("new"));
    f.click("posalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("Treatment Plan successfully saved!")});

    // Picking the stored outline in the dialog shows it.
    f.click("polimpar");
    f.typeOutline(QStringLiteral("ANA"), QString());
    f.desktop.chosenFiles = {f.analyses(QStringLiteral("ANA.otl"))};
    f.leavePatient();
    QCOMPARE(f.outlineScreen(), QStringLiteral("ANA|stored|open"));
    QCOMPARE(f.bytes(QStringLiteral("ANA.otl")), QByteArray("ANA\r\nstored\r\n"));
}

void NotesTest::leavingOnTheOutlineOnScreenKeepsEdits()
{
    NotesFixture f;
    f.typeOutline(QStringLiteral("ANA"), QStringLiteral("first"));
    f.click("posalvar");
    f.messenger.clear();
    f.outline()->memo()->setPlainText(QStringLiteral("edited"));
    f.leavePatient();
    QVERIFY(f.messenger.boxes.isEmpty());
    QVERIFY(f.desktop.fileRequests.isEmpty());
    QCOMPARE(f.outlineScreen(), QStringLiteral("ANA|edited|open"));

    // Leaving a name without an outline, or an empty field, does nothing either.
    for (const QString& name : {QStringLiteral("NOBODY"), QString()}) {
        f.outline()->patient()->setText(name);
        f.leavePatient();
        QVERIFY(f.messenger.boxes.isEmpty());
        QCOMPARE(f.outline()->memo()->toPlainText(), QStringLiteral("edited"));
    }
}

void NotesTest::saveNeverReplacesAnotherPatientsOutline()
{
    NotesFixture f;
    const QByteArray stored("ANA\r\nstored\r\n");
    replaceFile(f.analyses(QStringLiteral("ANA.otl")), stored);

    // Typed without leaving the field.
    f.typeOutline(QStringLiteral("ANA"), QStringLiteral("typed"));
    f.click("posalvar");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Warning);
    QCOMPARE(f.lastLines(), QStringList{kAlreadySaved});
    QCOMPARE(f.outlineScreen(), QStringLiteral("ANA|typed|"));
    QCOMPARE(f.bytes(QStringLiteral("ANA.otl")), stored);

    // Another patient's outline opened, then renamed to ANA.
    replaceFile(f.analyses(QStringLiteral("BIA.otl")), "BIA\r\nhers\r\n");
    f.desktop.chosenFiles = {f.analyses(QStringLiteral("BIA.otl"))};
    f.click("poabrir");
    f.outline()->patient()->setText(QStringLiteral("ANA"));
    f.click("posalvar");
    QCOMPARE(f.lastLines(), QStringList{kAlreadySaved});
    QCOMPARE(f.bytes(QStringLiteral("ANA.otl")), stored);
    QCOMPARE(f.outline()->memo()->toPlainText(), QStringLiteral("hers"));

    // An outline saved under a new name belongs to that file from then on.
    f.outline()->patient()->setText(QStringLiteral("CAROL"));
    f.click("posalvar");
    f.click("posalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("Treatment Plan successfully updated!")});
    QCOMPARE(f.bytes(QStringLiteral("CAROL.otl")), QByteArray("CAROL\r\nhers\r\n"));
    QCOMPARE(f.bytes(QStringLiteral("BIA.otl")), QByteArray("BIA\r\nhers\r\n"));
}

void NotesTest::outlineFailuresLoseNothing()
{
    NotesFixture f;
    // A file that cannot be read leaves the outline on screen as it was.
    f.typeOutline(QStringLiteral("ANA"), QStringLiteral("typed"));
    f.desktop.chosenFiles = {f.analyses(QStringLiteral("GONE.otl")), QString()};
    f.click("poabrir");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().startsWith(QStringLiteral("GONE.otl: ")));
    QCOMPARE(f.outlineScreen(), QStringLiteral("ANA|typed|"));
    f.click("poabrir");  // cancelled
    QCOMPARE(f.outlineScreen(), QStringLiteral("ANA|typed|"));

    // Characters the file cannot hold are named, not turned into '?'.
    f.outline()->memo()->setPlainText(QString::fromUtf8("wire → bend"));
    f.click("posalvar");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Warning);
    QVERIFY(f.messenger.last().text().contains(QString::fromUtf8("→")));
    QVERIFY(f.analysesFiles().isEmpty());

    // A name read from a crafted file never leads outside the patients' folder.
    replaceFile(f.analyses(QStringLiteral("CRAFTED.otl")), "../ESCAPED\r\ntext\r\n");
    f.desktop.chosenFiles = {f.analyses(QStringLiteral("CRAFTED.otl"))};
    f.click("poabrir");
    QCOMPARE(f.outline()->patient()->text(), QStringLiteral("../ESCAPED"));
    f.click("posalvar");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().contains(QStringLiteral("cannot be used")));
    QVERIFY(!QFile::exists(f.scratch.path(QStringLiteral("ESCAPED.otl"))));
    QCOMPARE(f.analysesFiles(), QStringList{"CRAFTED.otl"});

    // Without the patients' folder SAVE ends with an error box and the text stays.
    f.typeOutline(QStringLiteral("ANA"), QStringLiteral("typed"));
    const QString onScreen = f.outlineScreen();
    QVERIFY(QDir(f.scratch.path(QStringLiteral("Analyses"))).removeRecursively());
    f.click("posalvar");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().startsWith(QStringLiteral("Analyses: ")));
    QCOMPARE(f.outlineScreen(), onScreen);
    QVERIFY(!QFile::exists(f.scratch.path(QStringLiteral("Analyses"))));
    QVERIFY(f.shell->mainWindow()->isVisible());
}

void NotesTest::historyFirstAndSecondSave()
{
    NotesFixture f("Button7");
    QDate today(2024, 3, 5);
    f.history()->setToday([&] { return today; });
    f.history()->patient()->setText(QStringLiteral("ANA"));
    f.history()->description()->setPlainText(QStringLiteral("Bonding\nUpper arch\nLower arch"));
    f.click("plsalvar");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Information);
    QCOMPARE(f.messenger.last().title, QStringLiteral("Treatment History"));
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("Treatment Plan successfully saved!")});
    const QByteArray first = QByteArray("ANA\r\n3/5/24\r\n\r\nBonding\r\nUpper arch\r\nLower arch\r\n") + kSeparator;
    QCOMPARE(f.bytes(QStringLiteral("ANA.pln")), first);
    QCOMPARE(f.historyScreen(),
             QStringLiteral("ANA||3/5/24\n\nBonding\nUpper arch\nLower arch\n") + QString(145, QLatin1Char('-')));

    // The date follows the user's regional format.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    today = QDate(2024, 4, 9);
    f.history()->description()->setPlainText(QStringLiteral("Check"));
    f.click("plsalvar");
    QCOMPARE(f.lastLines(), QStringList{QStringLiteral("Treatment Plan successfully updated!")});
    QCOMPARE(f.bytes(QStringLiteral("ANA.pln")), first + "09.04.24\r\n\r\nCheck\r\n" + kSeparator);
    QVERIFY(f.historyScreen().endsWith(QStringLiteral("09.04.24\n\nCheck\n") + QString(145, QLatin1Char('-'))));
    QCOMPARE(f.history()->description()->toPlainText(), QString());
}

void NotesTest::historySaveRefusals()
{
    NotesFixture f("Button7");
    const QByteArray stored = QByteArray("ANA\r\n1/1/24\r\n\r\nx\r\n") + kSeparator;
    replaceFile(f.analyses(QStringLiteral("ANA.pln")), stored);

    struct Case {
        QString patient, description, message;
    };
    const Case cases[] = {
        {QString(), QStringLiteral("Bonding"), QStringLiteral("Patient`s name must be filled in!")},
        {QStringLiteral("ANA"), QString(), QStringLiteral("The field Procedure Description must be filled in before saving!")},
        {QStringLiteral("ANA"), QStringLiteral(" \n\n "),
         QStringLiteral("The field Procedure Description must be filled in before saving!")},
        {QStringLiteral("ANA"), QString::fromUtf8("wire → bend"), QString::fromUtf8("→")},
    };
    for (const Case& c : cases) {
        f.history()->patient()->setText(c.patient);
        f.history()->description()->setPlainText(c.description);
        f.messenger.clear();
        f.click("plsalvar");
        QCOMPARE(f.messenger.boxes.size(), 1);
        QCOMPARE(f.messenger.last().icon, Messenger::Icon::Warning);
        QVERIFY2(f.messenger.last().text().contains(c.message), qPrintable(f.messenger.last().text()));
        QCOMPARE(f.bytes(QStringLiteral("ANA.pln")), stored);
        QCOMPARE(f.history()->description()->toPlainText(), c.description);
    }
    QCOMPARE(f.analysesFiles(), QStringList{"ANA.pln"});
}

void NotesTest::historyOpen()
{
    NotesFixture f("Button7");
    replaceFile(f.analyses(QStringLiteral("ANA.pln")), QByteArray("ANA\r\n1/1/24\r\n\r\nx\r\n") + kSeparator);
    f.history()->patient()->setText(QStringLiteral("BIA"));
    f.history()->description()->setPlainText(QStringLiteral("draft"));
    const QString before = f.historyScreen();

    f.desktop.chosenFiles = {QString(), f.analyses(QStringLiteral("ANA.pln"))};
    f.click("plabrir");
    QCOMPARE(f.historyScreen(), before);
    QVERIFY(f.messenger.boxes.isEmpty());
    QCOMPARE(f.desktop.fileRequests[0].suffix, QStringLiteral("*.pln"));
    QVERIFY(f.desktop.fileRequests[0].filter.contains(QStringLiteral("*.pln")));

    f.click("plabrir");
    QCOMPARE(f.historyScreen(), QStringLiteral("ANA||1/1/24\n\nx\n") + QString(145, QLatin1Char('-')));
    f.click("pllimpar");
    QCOMPARE(f.historyScreen(), QStringLiteral("||"));
}

void NotesTest::historyFailuresLoseNothing()
{
    NotesFixture f("Button7");
    f.history()->patient()->setText(QStringLiteral("ANA"));
    f.history()->description()->setPlainText(QStringLiteral("draft"));
    const QString before = f.historyScreen();
    f.desktop.chosenFiles = {f.analyses(QStringLiteral("GONE.pln"))};
    f.click("plabrir");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().startsWith(QStringLiteral("GONE.pln: ")));
    QCOMPARE(f.historyScreen(), before);

    replaceFile(f.analyses(QStringLiteral("CRAFTED.pln")), "../ESCAPED\r\n");
    f.desktop.chosenFiles = {f.analyses(QStringLiteral("CRAFTED.pln"))};
    f.click("plabrir");
    f.history()->description()->setPlainText(QStringLiteral("draft"));
    f.click("plsalvar");
    QVERIFY(f.messenger.last().text().contains(QStringLiteral("cannot be used")));
    QVERIFY(!QFile::exists(f.scratch.path(QStringLiteral("ESCAPED.pln"))));
    QCOMPARE(f.analysesFiles(), QStringList{"CRAFTED.pln"});

    f.history()->patient()->setText(QStringLiteral("ANA"));
    QVERIFY(QDir(f.scratch.path(QStringLiteral("Analyses"))).removeRecursively());
    f.click("plsalvar");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().startsWith(QStringLiteral("Analyses: ")));
    QCOMPARE(f.history()->description()->toPlainText(), QStringLiteral("draft"));
    QVERIFY(f.shell->mainWindow()->isVisible());
}

void NotesTest::namesAreWindows1252WithCrLf_data()
{
    QTest::addColumn<bool>("history");
    QTest::newRow("outline") << false;
    QTest::newRow("history") << true;
}

void NotesTest::namesAreWindows1252WithCrLf()
{
    QFETCH(bool, history);
    NotesFixture f(history ? "Button7" : "Button8");
    EntryField* patient = history ? f.history()->patient() : f.outline()->patient();
    QPlainTextEdit* memo = history ? f.history()->description() : f.outline()->memo();
    typeText(patient, QString::fromUtf8("josé ça"));  // the name filter makes capitals of them
    QCOMPARE(patient->text(), QString::fromUtf8("JOSÉ ÇA"));
    memo->setPlainText(QString::fromUtf8("Bráquete\n€ 20"));
    f.history()->setToday([] { return QDate(2024, 12, 31); });
    f.click(history ? "plsalvar" : "posalvar");

    const QString file = QString::fromUtf8("JOSÉ ÇA") + (history ? QStringLiteral(".pln") : QStringLiteral(".otl"));
    const QByteArray expected = history ? QByteArray("JOS\xc9 \xc7" "A\r\n12/31/24\r\n\r\nBr\xe1quete\r\n\x80 20\r\n")
                                              + kSeparator
                                        : QByteArray("JOS\xc9 \xc7" "A\r\nBr\xe1quete\r\n\x80 20\r\n");
    QCOMPARE(f.bytes(file), expected);

    // And they read back as they were typed.
    f.desktop.chosenFiles = {f.analyses(file)};
    f.click(history ? "plabrir" : "poabrir");
    QCOMPARE(patient->text(), QString::fromUtf8("JOSÉ ÇA"));
    if (!history)
        QCOMPARE(memo->toPlainText(), QString::fromUtf8("Bráquete\n€ 20"));
}

QTEST_MAIN(NotesTest)
#include "tst_notes.moc"
