#include "entry/entryfield.h"
#include "entry/keyfilter.h"
#include "support/fakes.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QtTest>

using namespace vel;
using namespace vel::test;

namespace {

FieldRule ruleFor(const QString& kind)
{
    if (kind == QLatin1String("positive"))
        return {KeyFilter::PositiveReal, Completion::Decimal, 5, warnings::positiveReal()};
    if (kind == QLatin1String("signed"))
        return {KeyFilter::SignedReal, Completion::SignedDecimal, 5, warnings::signedReal()};
    if (kind == QLatin1String("whole"))
        return {KeyFilter::WholeNumber, Completion::None, 0, warnings::wholeNumber()};
    if (kind == QLatin1String("spee"))
        return {KeyFilter::SignedReal, Completion::NegativeDecimal, 5, warnings::signedReal()};
    if (kind == QLatin1String("worksheet"))
        return {KeyFilter::PositiveReal, Completion::Decimal, 4, warnings::positiveRealWorksheet(), false};
    if (kind == QLatin1String("name!"))
        return {KeyFilter::Name, Completion::None, 0, warnings::nameStrict()};
    return {KeyFilter::Name, Completion::None, 0, warnings::nameMild()};
}

void leave(QWidget* w)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &out);
}

}  // namespace

class EntryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typing_data();
    void typing();
    void completion_data();
    void completion();
    void controlKeysWarnAndInsertNothing_data();
    void controlKeysWarnAndInsertNothing();
    void limitAppliesToTypingOnly();
    void pasteByAnyRouteIsFiltered();
    void suppressedMenuOffersNoPaste();
    void leavingForAnotherWindowDoesNotComplete();
    void molarCorrectionClassCheck_data();
    void molarCorrectionClassCheck();
};

void EntryTest::typing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("warning");  // empty: no box
    const QString pos = warnings::positiveReal();
    QTest::newRow("comma into empty field is dropped") << "positive" << "," << "" << "";
    QTest::newRow("comma becomes point") << "positive" << "3," << "3." << "";
    QTest::newRow("second point dropped") << "positive" << "1.2.3" << "1.23" << "";
    QTest::newRow("letter warns") << "positive" << "1a" << "1" << pos;
    QTest::newRow("minus warns in positive") << "positive" << "-" << "" << pos;
    QTest::newRow("minus in empty signed") << "signed" << "-2.5" << "-2.5" << "";
    QTest::newRow("minus after digit dropped") << "signed" << "5-" << "5" << "";
    QTest::newRow("minus point") << "signed" << "-." << "-." << "";
    QTest::newRow("whole refuses point") << "whole" << "1.5" << "15" << warnings::wholeNumber();
    QTest::newRow("whole refuses comma") << "whole" << "1," << "1" << warnings::wholeNumber();
    QTest::newRow("name capitals") << "name!" << QString::fromUtf8("aéç, b") << QString::fromUtf8("AÉÇ, B") << "";
    QTest::newRow("name keeps Å Ý ×") << "name!" << QString::fromUtf8("ÅÝ×") << QString::fromUtf8("ÅÝ×") << "";
    QTest::newRow("name refuses ø") << "name!" << QString::fromUtf8("ø") << "" << warnings::nameStrict();
    QTest::newRow("name refuses digit") << "name!" << "A1" << "A" << warnings::nameStrict();
    QTest::newRow("name refuses dot slash") << "name" << "../" << "" << warnings::nameMild();
    QTest::newRow("mild name warns without !") << "name" << "7" << "" << warnings::nameMild();
    QTest::newRow("worksheet wording") << "worksheet" << "x" << "" << warnings::positiveRealWorksheet();
}

void EntryTest::typing()
{
    QFETCH(QString, kind);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(QString, warning);
    ScriptedMessenger messenger;
    EntryField field(QStringLiteral("f"), ruleFor(kind), messenger, [] { return QStringLiteral("Tab Caption"); });
    typeText(&field, keys);
    QCOMPARE(field.text(), text);
    if (warning.isEmpty()) {
        QVERIFY(messenger.boxes.isEmpty());
    } else {
        QVERIFY(!messenger.boxes.isEmpty());
        QCOMPARE(messenger.last().icon, Messenger::Icon::Warning);
        QCOMPARE(messenger.last().title, QStringLiteral("Tab Caption"));
        QCOMPARE(messenger.last().lines, QStringList{warning});
    }
}

void EntryTest::completion_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("left");
    QTest::newRow("12") << "positive" << "12" << "12.0";
    QTest::newRow("12.") << "positive" << "12." << "12.0";
    QTest::newRow("12.5") << "positive" << "12.5" << "12.5";
    QTest::newRow("empty positive") << "positive" << "" << "";
    QTest::newRow("five digits pass the limit") << "positive" << "12345" << "12345.0";
    QTest::newRow("-3") << "signed" << "-3" << "-3.0";
    QTest::newRow("-.") << "signed" << "-." << "-.0";
    QTest::newRow("lone minus cleared") << "signed" << "-" << "";
    QTest::newRow("empty signed") << "signed" << "" << "";
    QTest::newRow("spee 3") << "spee" << "3" << "-3.0";
    QTest::newRow("spee 1.5") << "spee" << "1.5" << "-1.5";
    QTest::newRow("spee -3.5") << "spee" << "-3.5" << "-3.5";
    QTest::newRow("spee -2") << "spee" << "-2" << "-2.0";
    QTest::newRow("spee empty") << "spee" << "" << "";
    QTest::newRow("spee lone minus") << "spee" << "-" << "";
    QTest::newRow("whole untouched") << "whole" << "12" << "12";
}

void EntryTest::completion()
{
    QFETCH(QString, kind);
    QFETCH(QString, typed);
    QFETCH(QString, left);
    ScriptedMessenger messenger;
    EntryField field(QStringLiteral("f"), ruleFor(kind), messenger, [] { return QString(); });
    QTest::keyClicks(&field, typed);
    QCOMPARE(field.text(), typed);
    QSignalSpy spy(&field, &EntryField::left);
    leave(&field);
    QCOMPARE(field.text(), left);
    QCOMPARE(spy.count(), 1);
    leave(&field);  // completion runs on every departure and is stable
    QCOMPARE(field.text(), left);
}

void EntryTest::controlKeysWarnAndInsertNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier);
}

void EntryTest::controlKeysWarnAndInsertNothing()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QGuiApplication::clipboard()->setText(QStringLiteral("99"));
    for (const QString& kind : {QStringLiteral("positive"), QStringLiteral("signed"), QStringLiteral("whole"),
                               QStringLiteral("name")}) {
        ScriptedMessenger messenger;
        EntryField field(QStringLiteral("f"), ruleFor(kind), messenger, [] { return QString(); });
        field.setText(QStringLiteral("1"));
        field.selectAll();
        QTest::keyClick(&field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(field.text(), QStringLiteral("1"));
        QCOMPARE(messenger.boxes.size(), 1);
    }
    // Cursor keys and Delete never reach the filter.
    ScriptedMessenger messenger;
    EntryField field(QStringLiteral("f"), ruleFor(QStringLiteral("positive")), messenger, [] { return QString(); });
    field.setText(QStringLiteral("12"));
    QTest::keyClick(&field, Qt::Key_Home);
    QTest::keyClick(&field, Qt::Key_Delete);
    QTest::keyClick(&field, Qt::Key_End);
    QTest::keyClick(&field, Qt::Key_Backspace);
    QCOMPARE(field.text(), QString());
    QVERIFY(messenger.boxes.isEmpty());
}

void EntryTest::limitAppliesToTypingOnly()
{
    ScriptedMessenger messenger;
    EntryField field(QStringLiteral("f"), ruleFor(QStringLiteral("worksheet")), messenger, [] { return QString(); });
    QTest::keyClicks(&field, QStringLiteral("123456"));
    QCOMPARE(field.text(), QStringLiteral("1234"));
    field.setText(QStringLiteral("1234567.0"));
    QCOMPARE(field.text(), QStringLiteral("1234567.0"));
    // Typing over a selection stays within the limit.
    field.setText(QStringLiteral("9.5"));
    field.selectAll();
    QTest::keyClicks(&field, QStringLiteral("7"));
    QCOMPARE(field.text(), QStringLiteral("7"));
}

void EntryTest::pasteByAnyRouteIsFiltered()
{
    ScriptedMessenger messenger;
    QWidget window;
    EntryField name(QStringLiteral("bpaciente"), ruleFor(QStringLiteral("name")), messenger,
                    [] { return QStringLiteral("Bolton Analysis"); }, &window);

    // Shift+Insert: accepted text goes in filtered, like typing.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("ana maría"));
    QTest::keyClick(&name, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(name.text(), QString::fromUtf8("ANA MARÍA"));
    QVERIFY(messenger.boxes.isEmpty());

    // A path never reaches a patient name, by any route.
    name.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("../../etc"));
    QTest::keyClick(&name, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(name.text(), QString());
    QCOMPARE(messenger.boxes.size(), 1);
    QCOMPARE(messenger.last().lines, QStringList{warnings::nameMild()});

    QMimeData mime;
    mime.setText(QStringLiteral("A/B"));
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    // Straight to the widget: the application only routes drops that follow a drag.
    static_cast<QObject&>(name).event(&drop);
    QCOMPARE(name.text(), QString());
    QCOMPARE(messenger.boxes.size(), 2);

    QInputMethodEvent ime;
    ime.setCommitString(QStringLiteral("X\\Y"));
    QApplication::sendEvent(&name, &ime);
    QCOMPARE(name.text(), QString());
    QCOMPARE(messenger.boxes.size(), 3);

    QInputMethodEvent good;
    good.setCommitString(QString::fromUtf8("josé"));
    QApplication::sendEvent(&name, &good);
    QCOMPARE(name.text(), QString::fromUtf8("JOSÉ"));

    // In a number field a paste follows the same rules as typing: a second
    // point is dropped, the typing limit holds.
    EntryField number(QStringLiteral("s01"), ruleFor(QStringLiteral("worksheet")), messenger, [] { return QString(); });
    QGuiApplication::clipboard()->setText(QStringLiteral("7,5.25"));
    QTest::keyClick(&number, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(number.text(), QStringLiteral("7.52"));
}

void EntryTest::suppressedMenuOffersNoPaste()
{
    ScriptedMessenger messenger;
    QMenu empty;
    empty.setObjectName(QStringLiteral("Popdir"));
    EntryField field(QStringLiteral("twfma"), ruleFor(QStringLiteral("positive")), messenger, [] { return QString(); });
    field.setEmptyMenu(&empty);
    QGuiApplication::clipboard()->setText(QStringLiteral("12"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), field.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&field, &event);
    QVERIFY(event.isAccepted());
    QCOMPARE(field.findChildren<QMenu*>().size(), 0);
    QCOMPARE(field.text(), QString());
}

void EntryTest::leavingForAnotherWindowDoesNotComplete()
{
    ScriptedMessenger messenger;
    EntryField field(QStringLiteral("f"), ruleFor(QStringLiteral("positive")), messenger, [] { return QString(); });
    QTest::keyClicks(&field, QStringLiteral("12"));
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(&field, &out);
    QCOMPARE(field.text(), QStringLiteral("12"));
}

void EntryTest::molarCorrectionClassCheck_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("classII");
    QTest::addColumn<bool>("classIII");
    QTest::addColumn<QString>("warning");
    const QString neg = QStringLiteral("For Class II, Molar Correction should be NEGATIVE!");
    const QString pos = QStringLiteral("For Class III, Molar Correction should be POSITIVE!");
    QTest::newRow("II positive") << "2.0" << true << false << neg;
    QTest::newRow("II negative") << "-2.0" << true << false << "";
    QTest::newRow("II empty") << "" << true << false << "";
    QTest::newRow("III negative") << "-1.5" << false << true << pos;
    QTest::newRow("III positive") << "1.5" << false << true << "";
    QTest::newRow("no class") << "2.0" << false << false << "";
}

void EntryTest::molarCorrectionClassCheck()
{
    QFETCH(QString, text);
    QFETCH(bool, classII);
    QFETCH(bool, classIII);
    QFETCH(QString, warning);
    QCOMPARE(molarCorrectionWarning(text, classII, classIII), warning);
}

QTEST_MAIN(EntryTest)
#include "tst_entry.moc"
