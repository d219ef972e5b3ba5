#include "app/mainwindow.h"
#include "app/shell.h"
#include "common/usagestats.h"
#include "bolton/boltonfile.h"
#include "bolton/boltontab.h"
#include "common/fileio.h"
#include "entry/crlabel.h"
#include "entry/entryfield.h"
#include "support/appfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace vel;
using namespace vel::test;

namespace {

const char* const kMaxilla[12] = {"10.2", "6.8", "7.1", "7.9", "6.6", "8.6", "8.6", "6.6", "7.9", "7.1", "6.8", "10.2"};
const char* const kMandible[12] = {"11.1", "7.2", "7.0", "6.9", "5.9", "5.4", "5.4", "5.9", "6.9", "7.0", "7.2", "11.1"};

struct BoltonFixture : AppFixture {
    BoltonFixture() : AppFixture("Button4") {}
    BoltonTab* tab() const { return shell->mainWindow()->bolton(); }
    EntryField* field(const QString& name) const { return tab()->field(name); }
    QString result(const char* name) const { return crText(tab()->findChild<QLabel*>(QLatin1String(name))); }
    QPushButton* button(const char* name) const { return tab()->findChild<QPushButton*>(QLatin1String(name)); }
    bool opened() const { return tab()->findChild<QCheckBox*>(QStringLiteral("abrirb"))->isChecked(); }
    int boltonCount() const { return stats().bolton; }

    void typeCase(const QString& patient = QStringLiteral("ANA MARIA"), bool molars = true) const
    {
        field(QStringLiteral("bpaciente"))->setText(patient);
        for (int i = 0; i < 12; ++i) {
            field(QStringLiteral("s%1").arg(i + 1, 2, 10, QLatin1Char('0')))->setText(QLatin1String(kMaxilla[i]));
            field(QStringLiteral("i%1").arg(i + 1, 2, 10, QLatin1Char('0')))->setText(QLatin1String(kMandible[i]));
        }
        const char* molarValues[] = {"10.5", "10.4", "10.4", "10.5"};
        const char* molarNames[] = {"termole", "segmole", "segmold", "termold"};
        for (int i = 0; i < 4; ++i)
            field(QLatin1String(molarNames[i]))->setText(molars ? QLatin1String(molarValues[i]) : QLatin1String(""));
    }
    bool transferLocked() const { return field(QStringLiteral("termole"))->isReadOnly(); }
    bool widthsLocked() const
    {
        return field(QStringLiteral("bpaciente"))->isReadOnly() && field(QStringLiteral("s01"))->isReadOnly()
               && field(QStringLiteral("i12"))->isReadOnly();
    }
    QStringList allTexts() const
    {
        QStringList texts;
        for (EntryField* f : tab()->findChildren<EntryField*>())
            texts << f->objectName() + QLatin1Char('=') + f->text();
        texts.sort();
        return texts;
    }
};

}  // namespace

class BoltonTabTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filledMolarsNeedNoQuestion();
    void molarQuestionYesLocksTheTransferArea();
    void molarQuestionNoChangesNothing();
    void checksWarnWithoutCounting();
    void backKeepsAndNewClears();
    void saveMessagesInOrder();
    void saveThenOpenRestoresTheAnalysis();
    void alreadyOpenMeansThisPatientsFile_data();
    void alreadyOpenMeansThisPatientsFile();
    void openIgnoresCancelAndOtherExtensions();
    void aBadFileLeavesTheTabAsItWas();
    void missingTablesEndTheActionWithAnError();
    void aNameFromAFileCannotLeaveTheFolder_data();
    void aNameFromAFileCannotLeaveTheFolder();
    void longSumsStandClearOfTheirCaptions_data();
    void longSumsStandClearOfTheirCaptions();
};

void BoltonTabTest::filledMolarsNeedNoQuestion()
{
    BoltonFixture f;
    f.typeCase();
    f.button("bCalcular")->click();
    QVERIFY(f.messenger.boxes.isEmpty());
    QCOMPARE(f.boltonCount(), 1);
    QCOMPARE(f.result("x10012res"), QStringLiteral("92.2 %"));
    QCOMPARE(f.result("busca12"), QStringLiteral("+ 91.3 :"));
    QCOMPARE(f.result("tab12res"), QStringLiteral("85.8"));
    QCOMPARE(f.result("res12"), QStringLiteral("1.2"));
    QCOMPARE(f.result("diag12"), QStringLiteral("Excessive mandibular\rdiscrepancy of 1.2mm"));
    QCOMPARE(f.result("tab6res"), QStringLiteral("35.5"));
    QCOMPARE(f.result("diag6"), QStringLiteral("Excessive mandibular\rdiscrepancy of 0.9mm"));
    QVERIFY(f.tab()->findChild<QFrame*>(QStringLiteral("Shape19"))->isVisible());
    QVERIFY(f.widthsLocked());
    QVERIFY(!f.transferLocked());
    QVERIFY(!f.button("bCalcular")->isEnabled());
    QCOMPARE(f.button("blimpar")->text(), QStringLiteral("BACK"));
}

void BoltonTabTest::molarQuestionYesLocksTheTransferArea()
{
    BoltonFixture f;
    f.typeCase();
    f.field(QStringLiteral("segmold"))->clear();
    f.messenger.answers = {Messenger::Answer::Yes};
    f.button("bCalcular")->click();
    QCOMPARE(f.messenger.boxes.size(), 1);
    QVERIFY(f.messenger.last().question);
    QCOMPARE(f.messenger.last().title, QStringLiteral("Confirm"));
    QCOMPARE(f.messenger.last().text(),
             QStringLiteral("Second and third mandibular molars' dimensions are not necessary for Bolton Analysis, but "
                            "must be filled in if you intend to import it to Tweed Analysis. Would you like to proceed?"));
    QCOMPARE(f.boltonCount(), 1);
    QVERIFY(f.transferLocked());
    QVERIFY(f.field(QStringLiteral("segmold"))->isReadOnly());
    // BACK gives every field back, the transfer area included.
    f.button("blimpar")->click();
    for (const char* name : {"termole", "segmole", "segmold", "termold", "bpaciente", "s01", "i12"})
        QVERIFY2(!f.field(QLatin1String(name))->isReadOnly(), name);
    QCOMPARE(f.field(QStringLiteral("termole"))->text(), QStringLiteral("10.5"));

    // Molars that add up to zero are asked about too.
    BoltonFixture g;
    g.typeCase();
    for (const char* name : {"termole", "segmole", "segmold", "termold"})
        g.field(QLatin1String(name))->setText(QStringLiteral("0.0"));
    g.messenger.answers = {Messenger::Answer::Yes};
    g.button("bCalcular")->click();
    QCOMPARE(g.messenger.boxes.size(), 1);
}

void BoltonTabTest::molarQuestionNoChangesNothing()
{
    BoltonFixture f;
    f.typeCase(QStringLiteral("ANA"), false);
    for (const Messenger::Answer answer : {Messenger::Answer::No, Messenger::Answer::Closed}) {
        f.messenger.answers = {answer};
        f.button("bCalcular")->click();
        QCOMPARE(f.boltonCount(), 0);
        QCOMPARE(f.result("sup12res"), QString());
        QVERIFY(f.button("bCalcular")->isEnabled());
        QVERIFY(!f.widthsLocked());
    }
}

void BoltonTabTest::checksWarnWithoutCounting()
{
    BoltonFixture f;
    f.typeCase();
    f.field(QStringLiteral("i10"))->clear();
    f.button("bCalcular")->click();
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Warning);
    QCOMPARE(f.messenger.last().title, QStringLiteral("Bolton Analysis"));
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("All fields must be filled in before calculating!")});
    QCOMPARE(f.boltonCount(), 0);
    QVERIFY(f.button("bCalcular")->isEnabled());
}

void BoltonTabTest::backKeepsAndNewClears()
{
    BoltonFixture f;
    f.typeCase();
    f.button("bCalcular")->click();
    const QStringList typed = f.allTexts();
    f.button("blimpar")->click();  // BACK
    QCOMPARE(f.allTexts(), typed);
    QCOMPARE(f.result("diag12"), QString());
    QVERIFY(!f.widthsLocked());
    QVERIFY(f.button("bCalcular")->isEnabled());
    QCOMPARE(f.button("blimpar")->text(), QStringLiteral("NEW"));

    f.button("bCalcular")->click();
    f.shell->mainWindow()->findChild<QAction*>(QStringLiteral("fileNew"))->trigger();
    for (EntryField* field : f.tab()->findChildren<EntryField*>())
        QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
    QCOMPARE(f.result("sup12res"), QString());
    QVERIFY(!f.tab()->findChild<QFrame*>(QStringLiteral("Shape20"))->isVisible());
}

void BoltonTabTest::saveMessagesInOrder()
{
    BoltonFixture f;
    f.typeCase();
    f.button("bsalvar")->click();
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("The analysis is not complete!")});
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Warning);

    f.button("bCalcular")->click();
    f.button("bsalvar")->click();
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Information);
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("Analysis successfully saved!")});
    const QByteArray saved = readFileBytes(f.analyses(QStringLiteral("ANA MARIA.bol")));
    QCOMPARE(saved.size(), 219);
    QCOMPARE(BoltonRecord::fromBytes(saved).thirdMolarRight, QStringLiteral("10.5"));

    f.button("bsalvar")->click();
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("This patient already has an Analysis saved!")});
    QCOMPARE(readFileBytes(f.analyses(QStringLiteral("ANA MARIA.bol"))), saved);

    f.field(QStringLiteral("bpaciente"))->clear();
    f.button("bsalvar")->click();
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("Patient`s name must be filled in!")});
    QVERIFY(f.shell->tray() != nullptr);
}

void BoltonTabTest::saveThenOpenRestoresTheAnalysis()
{
    BoltonFixture f;
    f.typeCase();
    f.field(QStringLiteral("s04"))->setText(QStringLiteral("7.90"));  // kept as typed, within its capacity
    f.button("bCalcular")->click();
    const QString diagnosis = f.result("diag12");
    const QStringList typed = f.allTexts();
    f.button("bsalvar")->click();
    f.button("blimpar")->click();
    f.button("blimpar")->click();
    QCOMPARE(f.field(QStringLiteral("bpaciente"))->text(), QString());

    f.desktop.chosenFiles = {f.analyses(QStringLiteral("ANA MARIA.bol"))};
    f.messenger.clear();
    f.button("babrir")->click();
    QCOMPARE(f.desktop.fileRequests.size(), 1);
    QCOMPARE(f.desktop.fileRequests[0].folder, f.scratch.folder().analyses());
    QVERIFY(f.desktop.fileRequests[0].filter.contains(QStringLiteral("*.bol")));
    QVERIFY(f.messenger.boxes.isEmpty());  // no molar question for a file
    QCOMPARE(f.allTexts(), typed);
    QCOMPARE(f.result("diag12"), diagnosis);
    QVERIFY(f.opened());
    QVERIFY(f.widthsLocked());
    QVERIFY(!f.transferLocked());
    QCOMPARE(f.button("blimpar")->text(), QStringLiteral("NEW"));
    QCOMPARE(f.boltonCount(), 2);

    // NEW from a file clears the flag as well.
    f.button("blimpar")->click();
    QVERIFY(!f.opened());
    QCOMPARE(f.field(QStringLiteral("s01"))->text(), QString());
}

void BoltonTabTest::alreadyOpenMeansThisPatientsFile_data()
{
    QTest::addColumn<QString>("onScreen");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("refused");
    QTest::newRow("same patient") << "ANA MARIA" << "ANA MARIA.bol" << true;
    QTest::newRow("a name inside another") << "ANA" << "ANA MARIA.bol" << false;
    QTest::newRow("a name inside the folder's") << "A" << "ANA MARIA.bol" << false;
    QTest::newRow("empty field") << "" << "ANA MARIA.bol" << false;
}

void BoltonTabTest::alreadyOpenMeansThisPatientsFile()
{
    QFETCH(QString, onScreen);
    QFETCH(QString, file);
    QFETCH(bool, refused);
    BoltonFixture f;
    f.typeCase(QStringLiteral("ANA MARIA"));
    f.button("bCalcular")->click();
    f.button("bsalvar")->click();
    f.button("blimpar")->click();
    f.button("blimpar")->click();
    f.field(QStringLiteral("bpaciente"))->setText(onScreen);
    f.messenger.clear();
    f.desktop.chosenFiles = {f.analyses(file)};
    f.button("babrir")->click();
    if (refused) {
        QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
        QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("The file is already open!")});
        QCOMPARE(f.field(QStringLiteral("s01"))->text(), QString());
    } else {
        QVERIFY(f.messenger.boxes.isEmpty());
        QCOMPARE(f.field(QStringLiteral("bpaciente"))->text(), QStringLiteral("ANA MARIA"));
    }
}

void BoltonTabTest::openIgnoresCancelAndOtherExtensions()
{
    BoltonFixture f;
    f.typeCase();
    replaceFile(f.analyses(QStringLiteral("X.BOL")), QByteArray(219, '\0'));
    const QStringList typed = f.allTexts();
    f.desktop.chosenFiles = {QString(), f.analyses(QStringLiteral("X.BOL"))};
    f.button("babrir")->click();
    f.button("babrir")->click();
    QCOMPARE(f.allTexts(), typed);
    QVERIFY(f.messenger.boxes.isEmpty());
    QVERIFY(f.shell->tray());
}

void BoltonTabTest::aBadFileLeavesTheTabAsItWas()
{
    BoltonFixture f;
    f.typeCase();
    f.button("bCalcular")->click();
    const QStringList typed = f.allTexts();
    const QString diagnosis = f.result("diag12");
    replaceFile(f.analyses(QStringLiteral("SHORT.bol")), QByteArray(100, '\1'));
    f.desktop.chosenFiles = {f.analyses(QStringLiteral("SHORT.bol")), f.analyses(QStringLiteral("GONE.bol"))};
    for (const char* name : {"SHORT.bol", "GONE.bol"}) {
        f.button("babrir")->click();
        QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
        QVERIFY(f.messenger.last().text().startsWith(QLatin1String(name) + QStringLiteral(": ")));
        QCOMPARE(f.allTexts(), typed);
        QCOMPARE(f.result("diag12"), diagnosis);
    }
}

void BoltonTabTest::missingTablesEndTheActionWithAnError()
{
    BoltonFixture f;
    f.typeCase();
    QFile::remove(f.scratch.path(QStringLiteral("Bolton.cef")));
    f.button("bCalcular")->click();
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().startsWith(QStringLiteral("Bolton.cef: ")));
    QCOMPARE(f.boltonCount(), 0);
    QCOMPARE(f.result("sup12res"), QString());
    QVERIFY(f.button("bCalcular")->isEnabled());
    QVERIFY(f.shell->mainWindow()->isVisible());
}

void BoltonTabTest::aNameFromAFileCannotLeaveTheFolder_data()
{
    QTest::addColumn<QString>("patient");
    QTest::newRow("out of the folder") << "../ESCAPED";
    // A hidden file is one OPEN does not list and a copy of the folder may miss.
    QTest::newRow("a hidden file") << ".HIDDEN";
}

void BoltonTabTest::aNameFromAFileCannotLeaveTheFolder()
{
    QFETCH(QString, patient);
    BoltonFixture f;
    BoltonRecord crafted;
    crafted.patient = patient;
    for (int i = 0; i < 12; ++i) {
        crafted.maxilla[i] = QLatin1String(kMaxilla[i]);
        crafted.mandible[i] = QLatin1String(kMandible[i]);
    }
    replaceFile(f.analyses(QStringLiteral("CRAFTED.bol")), crafted.toBytes());
    f.desktop.chosenFiles = {f.analyses(QStringLiteral("CRAFTED.bol"))};
    f.button("babrir")->click();
    QCOMPARE(f.field(QStringLiteral("bpaciente"))->text(), patient);
    f.button("bsalvar")->click();
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().contains(QStringLiteral("\"%1\" cannot be used").arg(patient)));
    QVERIFY(!QFile::exists(f.scratch.path(QStringLiteral("ESCAPED.bol"))));
    QCOMPARE(QDir(f.scratch.path(QStringLiteral("Analyses"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{"CRAFTED.bol"});
}

void BoltonTabTest::longSumsStandClearOfTheirCaptions_data()
{
    QTest::addColumn<QString>("posterior");  // the six widths outside canine to canine
    QTest::addColumn<QString>("anterior");   // the six from canine to canine
    QTest::addColumn<QString>("twelve");
    QTest::addColumn<QString>("six");
    QTest::newRow("twelve of 100.8") << "9.0" << "7.8" << "100.8" << "46.8";
    QTest::newRow("twelve of 114.0") << "9.5" << "9.5" << "114.0" << "57.0";
    QTest::newRow("six of 102.0 too") << "9.5" << "17.0" << "159.0" << "102.0";
}

void BoltonTabTest::longSumsStandClearOfTheirCaptions()
{
    QFETCH(QString, posterior);
    QFETCH(QString, anterior);
    QFETCH(QString, twelve);
    QFETCH(QString, six);
    BoltonFixture f;
    f.typeCase();
    for (const char arch : {'s', 'i'}) {
        for (int i = 0; i < 12; ++i)
            f.field(QStringLiteral("%1%2").arg(QLatin1Char(arch)).arg(i + 1, 2, 10, QLatin1Char('0')))
                ->setText(i >= 3 && i <= 8 ? anterior : posterior);
    }
    f.button("bCalcular")->click();
    QCOMPARE(f.result("sup12res"), twelve);
    QCOMPARE(f.result("inf6res"), six);

    QWidget* frame = f.tab()->findChild<QLabel*>(QStringLiteral("sup12res"))->parentWidget();
    int previousEnd = -1;  // where the pair before on the row ends
    for (const char* name : {"sup12res", "sup6res", "inf12res", "inf6res"}) {
        auto* value = f.tab()->findChild<QLabel*>(QLatin1String(name));
        // Its caption is the nearest label left of it on its row.
        QLabel* caption = nullptr;
        for (QLabel* l : frame->findChildren<QLabel*>()) {
            if (l->y() == value->y() && l->x() < value->x() && (!caption || l->x() > caption->x()))
                caption = l;
        }
        QVERIFY(caption);
        const int captionEnd = caption->x() + caption->fontMetrics().horizontalAdvance(caption->text());
        const int width = value->fontMetrics().horizontalAdvance(value->text());
        const int valueStart = value->geometry().right() + 1 - width;  // right-aligned
        const QString what = QStringLiteral("\"%1\" ends at %2, %3 \"%4\" starts at %5 (label %6..%7)")
                                 .arg(caption->text())
                                 .arg(captionEnd)
                                 .arg(QLatin1String(name), value->text())
                                 .arg(valueStart)
                                 .arg(value->x())
                                 .arg(value->geometry().right());
        QVERIFY2(width <= value->width(), qPrintable(what));
        QVERIFY2(captionEnd + 6 <= valueStart, qPrintable(what));
        QVERIFY2(!caption->geometry().intersects(value->geometry()), qPrintable(what));
        QVERIFY2(frame->contentsRect().contains(value->geometry()), qPrintable(what));
        if (QByteArray(name).contains('6'))
            QVERIFY2(previousEnd + 10 <= caption->x(), qPrintable(what));
        previousEnd = value->geometry().right();
    }
}

QTEST_MAIN(BoltonTabTest)
#include "tst_boltontab.moc"
