#include "bolton/boltontab.h"
#include "entry/entryfield.h"
#include "support/appfixture.h"
#include "tweed/tweedtab.h"

#include <QAction>
#include <QTabWidget>
#include <QtTest>

using namespace vel;
using namespace vel::test;

// Ctrl+O, Ctrl+S and Ctrl+P do what the File menu's items do, from inside any
// entry field, and never reach the field's key filter.
class ShortcutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chordsForwardLikeTheMenu_data();
    void chordsForwardLikeTheMenu();
    void newAndExitHaveNoChord();
};

void ShortcutTest::chordsForwardLikeTheMenu_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("answer");
    QTest::newRow("Tweed save") << "Button3" << "twfma" << int(Qt::Key_S) << "The Analysis is not complete!";
    QTest::newRow("Tweed print") << "Button3" << "twPaciente" << int(Qt::Key_P) << "The analysis is not complete!";
    QTest::newRow("Bolton save") << "Button4" << "s05" << int(Qt::Key_S) << "The analysis is not complete!";
    QTest::newRow("Steiner open") << "Button9" << "stanb" << int(Qt::Key_O) << "Action not available!";
}

void ShortcutTest::chordsForwardLikeTheMenu()
{
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(QString, answer);
    AppFixture f(button.toLatin1().constData());
    f.main()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.main()));
    auto* entry = f.main()->findChild<EntryField*>(field);
    QVERIFY(entry);
    entry->setFocus();
    entry->setText(QStringLiteral("1"));
    QTest::keyClick(entry, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(f.messenger.boxes.size(), 1);
    QCOMPARE(f.messenger.last().lines, QStringList{answer});
    QCOMPARE(entry->text(), QStringLiteral("1"));
}

void ShortcutTest::newAndExitHaveNoChord()
{
    AppFixture f("Button3");
    QVERIFY(f.main()->findChild<QAction*>(QStringLiteral("fileNew"))->shortcut().isEmpty());
    QVERIFY(f.main()->findChild<QAction*>(QStringLiteral("fileExit"))->shortcut().isEmpty());
    QCOMPARE(f.main()->findChild<QAction*>(QStringLiteral("fileOpen"))->text(), QStringLiteral("&Open..."));
}

QTEST_MAIN(ShortcutTest)
#include "tst_shortcuts.moc"
