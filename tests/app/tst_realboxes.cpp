// The program's questions and boxes driven through the real QMessageBox: what
// Escape, the close box and the buttons answer, and what each question of the
// program then does. The scripted messenger of the other tests may answer
// only what these show the real box can.
#include "app/mainwindow.h"
#include "app/qtseams.h"
#include "app/shell.h"
#include "app/tray.h"
#include "common/usagestats.h"
#include "bolton/boltontab.h"
#include "entry/entryfield.h"
#include "guidance/guidewindow.h"
#include "guidance/worksheetwindow.h"
#include "support/appfixture.h"
#include "support/cases.h"
#include "support/fakes.h"
#include "tweed/tweedtab.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace vel;
using namespace vel::test;

namespace {

enum class Way { Escape, CloseBox, Yes, No, Enter };

QMessageBox* shownBox()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            return box;
    }
    return nullptr;
}

// Acts on the next message box from inside its own event loop, as the
// clinician would: no time passes, the timer only waits for the box to be up.
class NextBox {
public:
    explicit NextBox(std::function<void(QMessageBox*)> act) : act_(std::move(act))
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QMessageBox* box = shownBox()) {
                timer_.stop();
                ++seen_;
                act_(box);
            }
        });
        timer_.start();
    }
    int seen() const { return seen_; }

private:
    std::function<void(QMessageBox*)> act_;
    QTimer timer_;
    int seen_ = 0;
};

void answer(QMessageBox* box, Way way)
{
    switch (way) {
    case Way::Escape: QTest::keyClick(box, Qt::Key_Escape); break;
    case Way::CloseBox: box->close(); break;
    case Way::Yes: box->button(QMessageBox::Yes)->click(); break;
    case Way::No: box->button(QMessageBox::No)->click(); break;
    case Way::Enter: QTest::keyClick(box, Qt::Key_Return); break;
    }
}

QStringList visibleButtons(QMessageBox* box)
{
    QStringList texts;
    for (QAbstractButton* b : box->buttons()) {
        if (b->isVisible())
            texts << b->text().remove(QLatin1Char('&'));
    }
    return texts;
}

// The whole program with the real message boxes.
struct RealFixture : BasicAppFixture<QtMessenger> {
    explicit RealFixture(const char* launcherButton) : BasicAppFixture(launcherButton) {}
    template <typename T = QWidget>
    T* w(QWidget* in, const char* name) const
    {
        T* found = in->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    void typeTweedCase() const { vel::test::typeTweedCase(main()); }
    void typeBoltonCase(const QString& patient, bool molars) const { vel::test::typeBoltonCase(main(), patient, molars); }
};

}  // namespace

class RealBoxesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void questionAnswers_data();
    void questionAnswers();
    void okBoxAnswersOk_data();
    void okBoxAnswersOk();
    void impaQuestion_data();
    void impaQuestion();
    void boltonMolarQuestion_data();
    void boltonMolarQuestion();
    void importNameQuestion_data();
    void importNameQuestion();
    void guidanceCautionShowsItsTwoLines();
    void hideItemFollowsTheModalLevels();
};

void RealBoxesTest::questionAnswers_data()
{
    QTest::addColumn<Way>("way");
    QTest::addColumn<Messenger::Answer>("expected");
    QTest::newRow("Escape") << Way::Escape << Messenger::Answer::Closed;
    QTest::newRow("close box") << Way::CloseBox << Messenger::Answer::Closed;
    QTest::newRow("Yes") << Way::Yes << Messenger::Answer::Yes;
    QTest::newRow("No") << Way::No << Messenger::Answer::No;
    QTest::newRow("Enter takes the default, Yes") << Way::Enter << Messenger::Answer::Yes;
}

void RealBoxesTest::questionAnswers()
{
    QFETCH(Way, way);
    QFETCH(Messenger::Answer, expected);
    QtMessenger messenger;
    ModalGate gate;
    QList<bool> hideItem;
    gate.setListener([&](bool up) { hideItem << up; });
    messenger.setGate(&gate);
    QStringList buttons;
    QString title;
    NextBox next([&](QMessageBox* box) {
        buttons = visibleButtons(box);
        title = box->windowTitle();
        answer(box, way);
    });
    const Messenger::Answer got = messenger.ask(QStringLiteral("Confirm"), {QStringLiteral("Keep it?")});
    QCOMPARE(next.seen(), 1);
    QCOMPARE(got, expected);
    QCOMPARE(buttons, (QStringList{QStringLiteral("Yes"), QStringLiteral("No")}));
    QCOMPARE(title, QStringLiteral("Confirm"));
    QCOMPARE(hideItem, (QList<bool>{true, false}));
}

void RealBoxesTest::okBoxAnswersOk_data()
{
    QTest::addColumn<Way>("way");
    QTest::newRow("Escape") << Way::Escape;
    QTest::newRow("close box") << Way::CloseBox;
    QTest::newRow("Enter") << Way::Enter;
}

void RealBoxesTest::okBoxAnswersOk()
{
    QFETCH(Way, way);
    QtMessenger messenger;
    QStringList buttons;
    NextBox next([&](QMessageBox* box) {
        buttons = visibleButtons(box);
        answer(box, way);
    });
    messenger.error(QStringLiteral("Tweed Analysis"), {QStringLiteral("Action not available!")});
    QCOMPARE(next.seen(), 1);
    QCOMPARE(buttons, QStringList{QStringLiteral("OK")});
}

void RealBoxesTest::impaQuestion_data()
{
    QTest::addColumn<Way>("way");
    QTest::addColumn<bool>("replacementShown");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("Escape changes nothing") << Way::Escape << false << false;
    QTest::newRow("the close box changes nothing") << Way::CloseBox << false << false;
    QTest::newRow("No asks for the replacement") << Way::No << true << false;
    QTest::newRow("Yes accepts") << Way::Yes << false << true;
}

void RealBoxesTest::impaQuestion()
{
    QFETCH(Way, way);
    QFETCH(bool, replacementShown);
    QFETCH(bool, accepted);
    RealFixture f("Button3");
    TweedTab* tab = f.main()->tweed();
    f.typeTweedCase();
    QString question;
    NextBox next([&](QMessageBox* box) {
        question = box->text();
        answer(box, way);
    });
    f.w<QPushButton>(tab, "tCalcular")->click();
    QCOMPARE(next.seen(), 1);
    QVERIFY2(question.contains(QStringLiteral("Do you want to keep IMPA value?")), qPrintable(question));
    QCOMPARE(f.w(tab, "dcopc")->isVisibleTo(tab), replacementShown);
    QCOMPARE(f.w(tab, "dcnao")->isVisibleTo(tab), replacementShown);
    QCOMPARE(f.w<QRadioButton>(tab, "dcnao")->isChecked(), replacementShown);
    QCOMPARE(f.w<QPushButton>(tab, "tCalcular")->text(),
             accepted ? QStringLiteral("SPACE TX GUIDANCE") : QStringLiteral("CALCULATE"));
    QCOMPARE(f.w<QPushButton>(tab, "tLimpar")->text(), accepted ? QStringLiteral("BACK") : QStringLiteral("NEW"));
    QCOMPARE(f.w<EntryField>(tab, "twfma")->isReadOnly(), accepted);
    QVERIFY(f.shell->tray()->hideItem()->isEnabled());
}

void RealBoxesTest::boltonMolarQuestion_data()
{
    QTest::addColumn<Way>("way");
    QTest::addColumn<bool>("calculated");
    QTest::newRow("Escape stops") << Way::Escape << false;
    QTest::newRow("the close box stops") << Way::CloseBox << false;
    QTest::newRow("No stops") << Way::No << false;
    QTest::newRow("Yes goes on") << Way::Yes << true;
}

void RealBoxesTest::boltonMolarQuestion()
{
    QFETCH(Way, way);
    QFETCH(bool, calculated);
    RealFixture f("Button4");
    BoltonTab* tab = f.main()->bolton();
    f.typeBoltonCase(QStringLiteral("ANA"), false);
    const int before = f.stats().bolton;
    NextBox next([&](QMessageBox* box) { answer(box, way); });
    f.w<QPushButton>(tab, "bCalcular")->click();
    QCOMPARE(next.seen(), 1);
    QCOMPARE(!tab->controlTexts().value(QStringLiteral("diag12")).isEmpty(), calculated);
    QCOMPARE(f.stats().bolton, before + (calculated ? 1 : 0));
    QCOMPARE(f.w<QPushButton>(tab, "bCalcular")->isEnabled(), !calculated);
    QCOMPARE(f.w<EntryField>(tab, "termole")->isReadOnly(), calculated);
}

void RealBoxesTest::importNameQuestion_data()
{
    QTest::addColumn<Way>("way");
    QTest::addColumn<bool>("imported");
    QTest::newRow("Escape copies nothing") << Way::Escape << false;
    QTest::newRow("the close box copies nothing") << Way::CloseBox << false;
    QTest::newRow("No copies nothing") << Way::No << false;
    QTest::newRow("Yes copies") << Way::Yes << true;
}

void RealBoxesTest::importNameQuestion()
{
    QFETCH(Way, way);
    QFETCH(bool, imported);
    RealFixture f("Button3");
    f.typeBoltonCase(QStringLiteral("ANA"), true);
    f.w<EntryField>(f.main()->tweed(), "twPaciente")->setText(QStringLiteral("JOSE"));
    f.w<QPushButton>(f.main()->tweed(), "total")->click();
    WorksheetWindow* sheet = f.shell->worksheet();
    QVERIFY(sheet->isVisible());
    NextBox next([&](QMessageBox* box) { answer(box, way); });
    f.w<QPushButton>(sheet, "Button4")->click();  // IMPORT
    QCOMPARE(next.seen(), 1);
    QCOMPARE(f.w<EntryField>(sheet, "s01")->text(), imported ? QStringLiteral("10.5") : QString());
    QCOMPARE(f.w<EntryField>(sheet, "s03")->text(), imported ? QStringLiteral("7.3") : QString());
    QVERIFY(sheet->isVisible());
    QVERIFY(!f.main()->isEnabled());
}

// The caution before the guide is two lines; the real box must not wrap them
// into ragged pieces.
void RealBoxesTest::guidanceCautionShowsItsTwoLines()
{
    RealFixture f("Button3");
    TweedTab* tab = f.main()->tweed();
    f.typeTweedCase();
    {
        NextBox yes([&](QMessageBox* box) { answer(box, Way::Yes); });
        f.w<QPushButton>(tab, "tCalcular")->click();
        QCOMPARE(yes.seen(), 1);
    }
    int lineHeight = 0;
    int labelHeight = 0;
    NextBox caution([&](QMessageBox* box) {
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label);
        lineHeight = label->fontMetrics().lineSpacing();
        labelHeight = label->height();
        answer(box, Way::Enter);
    });
    f.w<QPushButton>(tab, "tCalcular")->click();
    QCOMPARE(caution.seen(), 1);
    QVERIFY2(labelHeight >= 2 * lineHeight && labelHeight < 3 * lineHeight,
             qPrintable(QStringLiteral("%1 px for lines of %2 px").arg(labelHeight).arg(lineHeight)));
    f.shell->guide()->close();
}

// A box over a modal window (the preview, the open dialog) gives the Hide item
// back only when that window has closed too; a box over a secondary window,
// which is not modal, gives it back when the box closes.
void RealBoxesTest::hideItemFollowsTheModalLevels()
{
    RealFixture f("Button3");
    QAction* hide = f.shell->tray()->hideItem();
    QVERIFY(hide->isEnabled());
    bool enabledDuringBox = true;
    bool enabledAfterBox = true;
    f.messenger.whileModal([&] {
        QVERIFY(!hide->isEnabled());
        NextBox next([&](QMessageBox* box) {
            enabledDuringBox = hide->isEnabled();
            answer(box, Way::Enter);
        });
        f.messenger.error(QStringLiteral("Velmora"), {QStringLiteral("report1.pdf: No space left on device")});
        QCOMPARE(next.seen(), 1);
        enabledAfterBox = hide->isEnabled();
        // A dialog opened from the modal window, and a box over that.
        f.messenger.whileModal([&] {
            NextBox inner([&](QMessageBox* box) { answer(box, Way::Escape); });
            f.messenger.ask(QStringLiteral("Confirm"), {QStringLiteral("Replace it?")});
            QCOMPARE(inner.seen(), 1);
        });
        QVERIFY(!hide->isEnabled());
    });
    QVERIFY(!enabledDuringBox);
    QVERIFY(!enabledAfterBox);
    QVERIFY(hide->isEnabled());

    f.w<QPushButton>(f.main()->tweed(), "total")->click();
    QVERIFY(!hide->isEnabled());
    NextBox overSheet([&](QMessageBox* box) { answer(box, Way::Enter); });
    f.w<QPushButton>(f.shell->worksheet(), "Button4")->click();  // IMPORT without a Bolton analysis
    QCOMPARE(overSheet.seen(), 1);
    QVERIFY(f.shell->worksheet()->isVisible());
    QVERIFY(hide->isEnabled());
    f.w<QPushButton>(f.shell->worksheet(), "Button1")->click();  // CANCEL
    QVERIFY(hide->isEnabled());
    QVERIFY(f.main()->isEnabled());
}

QTEST_MAIN(RealBoxesTest)
#include "tst_realboxes.moc"
