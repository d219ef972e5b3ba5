#include "app/mainwindow.h"
#include "app/referencestab.h"
#include "guidance/guidewindow.h"
#include "guidance/worksheetwindow.h"
#include "app/shell.h"
#include "app/tray.h"
#include "notes/historytab.h"
#include "common/usagestats.h"
#include "common/fileio.h"
#include "support/fakes.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

using namespace vel;
using namespace vel::test;

namespace {

struct Fixture {
    ScratchFolder scratch;
    ScriptedMessenger messenger;
    FakeDesktop desktop;
    ModalGate gate;
    std::unique_ptr<Shell> shell;

    explicit Fixture(bool tray = true)
    {
        desktop.tray = tray;
        messenger.setGate(&gate);
        shell = std::make_unique<Shell>(scratch.folder(), messenger, desktop, gate);
        shell->show();
    }
    MainWindow* main() const { return shell->mainWindow(); }
    SplashWindow* launcher() const { return shell->launcher(); }
    Tray* tray() const { return shell->tray(); }
    QTabWidget* tabs() const { return main()->pages(); }
    // Launcher controls first, then the main window's: a few names (Button3,
    // Label1) stand in both, as they do in the field tables.
    template <typename T = QWidget>
    T* find(const char* name, bool mainFirst = false) const
    {
        QList<QWidget*> tops{launcher(), main()};
        if (mainFirst)
            std::reverse(tops.begin(), tops.end());
        for (QWidget* top : tops) {
            if (top->objectName() == QLatin1String(name))
                return qobject_cast<T*>(top);
            if (T* w = top->findChild<T*>(QLatin1String(name)))
                return w;
        }
        return nullptr;
    }
    void click(const char* name, bool mainFirst = false) const
    {
        auto* b = find<QPushButton>(name, mainFirst);
        QVERIFY2(b, name);
        b->click();
    }
    void trigger(const char* name) const
    {
        auto* a = main()->findChild<QAction*>(QLatin1String(name));
        QVERIFY2(a, name);
        a->trigger();
    }
    void openFromLauncher(const char* button)
    {
        launcher()->becomeLauncher();
        click(button);
    }
    QString currentCaption() const { return tabs()->tabText(tabs()->currentIndex()); }
    bool referencesShown() const { return find("Fteor")->isVisible() && find("Label1", true)->isVisible(); }
    bool abstractShown() const { return find("obj")->isVisible(); }
};

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowsAreCreatedOnceAndOnlyTheSplashShows();
    void tabsAreMadeWhenFirstNeeded();
    void splashTurnsIntoLauncherOnlyByItsTimer();
    void launcherButtonsOpenTheirTab_data();
    void launcherButtonsOpenTheirTab();
    void abstractViewAndTheTabChangeRule();
    void menuReturnsToTheLauncher();
    void trayHidesRestoresAndAnimates();
    void withoutATrayMinimisingIsOrdinary();
    void hideItemIsDisabledWhileABoxIsUp();
    void fileMenuForwarding_data();
    void fileMenuForwarding();
    void abstractMemoRefusesKeys();
    void statisticsBoxReadsTheFileEachTime();
    void everyWayOutEndsTheProgram();
    void linksAndHelpOpenTheirAddresses();
};

void ShellTest::windowsAreCreatedOnceAndOnlyTheSplashShows()
{
    Fixture f;
    QCOMPARE(f.launcher()->objectName(), QStringLiteral("TForm1"));
    QCOMPARE(f.main()->objectName(), QStringLiteral("TForm2"));
    QCOMPARE(f.shell->guide()->objectName(), QStringLiteral("TForm3"));
    QCOMPARE(f.shell->worksheet()->objectName(), QStringLiteral("TForm4"));
    QVERIFY(f.launcher()->isVisible());
    QVERIFY(!f.main()->isVisible());
    QVERIFY(!f.main()->isEnabled());
    QVERIFY(!f.shell->guide()->isVisible());
    QVERIFY(!f.shell->worksheet()->isVisible());
    QVERIFY(!f.tray()->restoreItem()->isEnabled());
    QVERIFY(!f.tray()->hideItem()->isEnabled());
    QVERIFY(f.tray()->closeItem()->isEnabled());
    QCOMPARE(f.main()->windowTitle(), QStringLiteral("Velmora"));

    QStringList captions;
    for (int i = 0; i < f.tabs()->count(); ++i)
        captions << f.tabs()->tabText(i) + QLatin1Char('=') + f.tabs()->widget(i)->objectName();
    QCOMPARE(captions, (QStringList{"References=TabSheet3", "Tweed Analysis=TabSheet1", "Bolton Analysis=TabSheet2",
                                    "Steiner Analysis=TabSheet6", "Treatment Outline=TabSheet5",
                                    "Treatment History=TabSheet4"}));
    QCOMPARE(f.tabs()->size(), QSize(1016, 692));
}

void ShellTest::splashTurnsIntoLauncherOnlyByItsTimer()
{
    Fixture f;
    QTimer* timer = f.launcher()->timer();
    QCOMPARE(timer->objectName(), QStringLiteral("Timer"));
    QVERIFY(timer->isActive());
    QVERIFY(timer->isSingleShot());
    QCOMPARE(timer->interval(), 5000);
    QCOMPARE(f.launcher()->size(), QSize(699, 381));
    QVERIFY(f.find("Image2")->isVisible());
    for (const char* name : {"Button6", "Button2", "Button3", "Button4", "Button9", "Button8", "Button7", "Button5"})
        QVERIFY(!f.find(name)->isVisible());

    f.launcher()->becomeLauncher();
    QVERIFY(!timer->isActive());
    QVERIFY(!f.find("Image2")->isVisible());
    QCOMPARE(f.find<QLabel>("Label1")->text(), QStringLiteral("VELMORA"));
    QVERIFY(f.find("Label1")->isVisible());
    QVERIFY(!f.find("Button1")->isVisible());

    // The keyboard walks the buttons with the history before the outline.
    QStringList order;
    QWidget* w = f.find("Button6");
    for (int i = 0; i < 8; ++i) {
        order << static_cast<QPushButton*>(w)->text();
        w = w->nextInFocusChain();
        while (!qobject_cast<QPushButton*>(w) || !w->isVisible())
            w = w->nextInFocusChain();
    }
    QCOMPARE(order, (QStringList{"ABSTRACT", "REFERENCES", "TWEED ANALYSIS", "BOLTON ANALYSIS", "STEINER ANALYSIS",
                                 "TREATMENT HISTORY", "TREATMENT OUTLINE", "EXIT"}));
    for (const char* name : {"Button6", "Button5"}) {
        QCOMPARE(f.find(name)->geometry().size(), QSize(260, 45));
        QCOMPARE(f.find(name)->x(), 22);
    }

    // Once the launcher, never the splash again.
    f.launcher()->becomeLauncher();
    QVERIFY(!f.find("Image2")->isVisible());
}

void ShellTest::launcherButtonsOpenTheirTab_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("tab");
    QTest::newRow("ABSTRACT") << "Button6" << "TabSheet3";
    QTest::newRow("REFERENCES") << "Button2" << "TabSheet3";
    QTest::newRow("TWEED") << "Button3" << "TabSheet1";
    QTest::newRow("BOLTON") << "Button4" << "TabSheet2";
    QTest::newRow("STEINER") << "Button9" << "TabSheet6";
    QTest::newRow("OUTLINE") << "Button8" << "TabSheet5";
    QTest::newRow("HISTORY") << "Button7" << "TabSheet4";
}

void ShellTest::launcherButtonsOpenTheirTab()
{
    QFETCH(QString, button);
    QFETCH(QString, tab);
    Fixture f;
    f.openFromLauncher(button.toLatin1().constData());
    QCOMPARE(f.tabs()->currentWidget()->objectName(), tab);
    QVERIFY(!f.launcher()->isVisible());
    QVERIFY(!f.launcher()->isEnabled());
    QVERIFY(f.main()->isVisible());
    QVERIFY(f.main()->isEnabled());
    QVERIFY(f.tray()->hideItem()->isEnabled());
    QVERIFY(!f.tray()->restoreItem()->isEnabled());
    QCOMPARE(f.referencesShown(), button == QLatin1String("Button2"));
    QCOMPARE(f.abstractShown(), button == QLatin1String("Button6"));
    QCOMPARE(f.tabs()->tabText(0), button == QLatin1String("Button6") ? QStringLiteral("Abstract")
                                                                       : QStringLiteral("References"));
}

void ShellTest::abstractViewAndTheTabChangeRule()
{
    Fixture f;
    f.openFromLauncher("Button6");
    QCOMPARE(f.currentCaption(), QStringLiteral("Abstract"));

    f.tabs()->setCurrentIndex(1);  // as a click on "Tweed Analysis"
    QCOMPARE(f.tabs()->tabText(0), QStringLiteral("References"));
    QVERIFY(!f.abstractShown());
    QVERIFY(!f.find("Fteor")->isVisible());

    f.tabs()->setCurrentIndex(0);
    QCOMPARE(f.currentCaption(), QStringLiteral("References"));
    QVERIFY(f.referencesShown());
    QVERIFY(!f.abstractShown());

    // The Modules menu makes a tab active without that rule's caption change.
    f.trigger("moduleSteiner");
    QCOMPARE(f.tabs()->currentWidget()->objectName(), QStringLiteral("TabSheet6"));
    QVERIFY(!f.referencesShown());
    f.trigger("moduleReferences");
    QCOMPARE(f.tabs()->currentWidget()->objectName(), QStringLiteral("TabSheet3"));
    QVERIFY(f.referencesShown());
}

void ShellTest::menuReturnsToTheLauncher()
{
    Fixture f;
    f.openFromLauncher("Button6");
    f.click("Button3", true);  // the References tab's MENU
    QVERIFY(f.launcher()->isVisible());
    QVERIFY(f.launcher()->isEnabled());
    QVERIFY(!f.main()->isVisible());
    QVERIFY(!f.main()->isEnabled());
    QVERIFY(!f.tray()->hideItem()->isEnabled());
    QVERIFY(!f.tray()->restoreItem()->isEnabled());
    QCOMPARE(f.tabs()->tabText(0), QStringLiteral("References"));
    QVERIFY(!f.abstractShown());
    QVERIFY(!f.find("Fteor")->isVisible());
    // A double-click on the tray is ignored while the launcher is up.
    f.shell->trayDoubleClicked();
    QVERIFY(!f.main()->isVisible());
}

void ShellTest::trayHidesRestoresAndAnimates()
{
    Fixture f;
    f.openFromLauncher("Button3");
    f.main()->setWindowState(Qt::WindowMinimized);  // minimising sends it to the tray
    QVERIFY(!f.main()->isVisible());
    QVERIFY(f.tray()->animation()->isActive());
    QCOMPARE(f.tray()->animation()->interval(), 400);
    QVERIFY(f.tray()->restoreItem()->isEnabled());
    QVERIFY(!f.tray()->hideItem()->isEnabled());
    f.tray()->nextFrame();
    QCOMPARE(f.tray()->frame(), 1);
    f.tray()->nextFrame();
    QCOMPARE(f.tray()->frame(), 0);
    f.tray()->nextFrame();

    f.tray()->restoreItem()->trigger();
    QVERIFY(f.main()->isVisible());
    QVERIFY(!f.main()->isMinimized());
    QVERIFY(!f.tray()->animation()->isActive());
    QCOMPARE(f.tray()->frame(), 0);
    QVERIFY(!f.tray()->restoreItem()->isEnabled());
    QVERIFY(f.tray()->hideItem()->isEnabled());

    f.tray()->hideItem()->trigger();
    QVERIFY(!f.main()->isVisible());
    QVERIFY(f.tray()->animation()->isActive());
    f.shell->trayDoubleClicked();
    QVERIFY(f.main()->isVisible());
    QVERIFY(!f.tray()->animation()->isActive());
}

void ShellTest::withoutATrayMinimisingIsOrdinary()
{
    Fixture f(false);
    f.openFromLauncher("Button3");
    f.main()->setWindowState(Qt::WindowMinimized);
    QVERIFY(f.main()->isVisible());
    QVERIFY(!f.tray()->animation()->isActive());
    QVERIFY(!f.tray()->restoreItem()->isEnabled());
}

void ShellTest::hideItemIsDisabledWhileABoxIsUp()
{
    Fixture f;
    f.openFromLauncher("Button2");
    QList<bool> duringBox;
    f.messenger.whileShown = [&](const ScriptedMessenger::Box&) {
        duringBox << f.tray()->hideItem()->isEnabled();
    };
    f.trigger("filePrint");
    f.trigger("helpStatistics");
    QCOMPARE(duringBox, (QList<bool>{false, false}));
    QVERIFY(f.tray()->hideItem()->isEnabled());
}

void ShellTest::fileMenuForwarding_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("refused");  // the File items that answer "Action not available!"
    QTest::newRow("References") << 0 << "fileNew fileOpen fileSave filePrint";
    QTest::newRow("Tweed") << 1 << "";
    QTest::newRow("Bolton") << 2 << "";
    QTest::newRow("Steiner") << 3 << "fileOpen fileSave filePrint";
    QTest::newRow("Outline") << 4 << "";
    QTest::newRow("History") << 5 << "";
}

void ShellTest::fileMenuForwarding()
{
    QFETCH(int, tab);
    QFETCH(QString, refused);
    Fixture f;
    f.openFromLauncher("Button2");
    f.tabs()->setCurrentIndex(tab);
    for (const char* item : {"fileNew", "fileOpen", "fileSave", "filePrint"}) {
        f.messenger.clear();
        f.trigger(item);
        if (refused.split(QLatin1Char(' ')).contains(QLatin1String(item))) {
            QCOMPARE(f.messenger.boxes.size(), 1);
            QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
            QCOMPARE(f.messenger.last().title, f.currentCaption());
            QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("Action not available!")});
        } else {
            // The tab's own operation ran: whatever it said, it was not a refusal.
            for (const auto& box : f.messenger.boxes)
                QVERIFY2(box.lines != QStringList{QStringLiteral("Action not available!")}, item);
        }
    }
}

void ShellTest::abstractMemoRefusesKeys()
{
    Fixture f;
    f.openFromLauncher("Button6");
    auto* memo = f.find<QTextEdit>("obj");
    const QString before = memo->toPlainText();
    QTest::keyClicks(memo, QStringLiteral("x"));
    QTest::keyClick(memo, Qt::Key_Return);
    QCOMPARE(memo->toPlainText(), before);
    QCOMPARE(f.messenger.boxes.size(), 2);
    QCOMPARE(f.messenger.last().title, QStringLiteral("Abstract"));
    QCOMPARE(f.messenger.last().lines, QStringList{QStringLiteral("Action not available!")});
    QVERIFY(before.startsWith(QStringLiteral("ABSTRACT")));
}

void ShellTest::statisticsBoxReadsTheFileEachTime()
{
    Fixture f;
    f.openFromLauncher("Button2");
    f.trigger("helpStatistics");
    QCOMPARE(f.messenger.last().title, QStringLiteral("Statistics"));
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Information);
    QVERIFY(f.messenger.last().text().contains(QStringLiteral("Tweed Analysis : 0")));

    countUsage(f.scratch.path(QStringLiteral("Stats.cef")), UsageKind::Guidance);
    f.trigger("helpStatistics");
    QVERIFY(f.messenger.last().text().contains(QStringLiteral("Space Tx Guidance : 1")));

    // Gone during the run: an error box names it, and the program goes on.
    QFile::remove(f.scratch.path(QStringLiteral("Stats.cef")));
    f.trigger("helpStatistics");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Error);
    QVERIFY(f.messenger.last().text().startsWith(QStringLiteral("Stats.cef: ")));
    QVERIFY(f.main()->isVisible());
}

void ShellTest::tabsAreMadeWhenFirstNeeded()
{
    Fixture f;
    const auto made = [&f] {
        QStringList names;
        for (int i = 0; i < f.tabs()->count(); ++i) {
            if (f.tabs()->widget(i)->findChild<TabPage*>())
                names << f.tabs()->widget(i)->objectName();
        }
        return names;
    };
    // Start-up shows only the launcher, and makes no other window; the main
    // window, once asked for, no tab.
    QStringList windows;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName().startsWith(QLatin1String("TForm")))
            windows << top->objectName();
    }
    QCOMPARE(windows, QStringList{"TForm1"});
    QCOMPARE(made(), QStringList{});
    f.launcher()->becomeLauncher();
    f.click("Button4");  // BOLTON; the References tab is told to hide its views
    QCOMPARE(made(), (QStringList{"TabSheet3", "TabSheet2"}));
    // A tab made by another window's need is connected as one made by a click:
    // the worksheet, opened from the Tweed tab, imports from the Bolton tab.
    f.main()->setCurrentPage(Page::Tweed);
    QCOMPARE(made(), (QStringList{"TabSheet3", "TabSheet1", "TabSheet2"}));
    f.click("total", true);
    QVERIFY(f.shell->worksheet()->isVisible());
    // IMPORT, from a Bolton tab with nothing typed.
    f.shell->worksheet()->findChild<QPushButton*>(QStringLiteral("Button4"))->click();
    QCOMPARE(f.messenger.boxes.size(), 1);
    QCOMPARE(f.messenger.boxes.constFirst().lines, QStringList{"Bolton Analysis must be complete before import!"});
    // Every tab is there once asked for, filling its page.
    QVERIFY(f.main()->history());
    QCOMPARE(f.main()->history()->size(), f.tabs()->widget(f.main()->indexOf(Page::History))->size());
}

void ShellTest::everyWayOutEndsTheProgram()
{
    Fixture f;
    QSignalSpy quit(f.shell.get(), &Shell::quitRequested);
    f.launcher()->becomeLauncher();
    f.click("Button5");
    f.launcher()->close();
    QCOMPARE(quit.count(), 2);
    f.click("Button3");
    f.click("tSair");
    // Each tab's EXIT, on the tab as the clinician would see it.
    const std::pair<Page, const char*> exits[] = {
        {Page::Bolton, "bsair"}, {Page::Steiner, "stsair"}, {Page::Outline, "posair"}, {Page::History, "plsair"}};
    for (const auto& [page, exit] : exits) {
        f.main()->setCurrentPage(page);
        f.click(exit);
    }
    f.trigger("fileExit");
    f.tray()->closeItem()->trigger();
    f.main()->close();
    QCOMPARE(quit.count(), 10);
    QVERIFY(f.messenger.boxes.isEmpty());  // nobody is asked
}

void ShellTest::linksAndHelpOpenTheirAddresses()
{
    Fixture f;
    f.openFromLauncher("Button2");
    const auto links = ReferencesTab::links();
    QCOMPARE(links.size(), 6);
    for (const auto& link : links) {
        auto* label = f.find<QLabel>(link.name, true);
        QCOMPARE(label->text(), QString::fromLatin1(link.caption));
        QTest::mouseClick(label, Qt::LeftButton);
    }
    QCOMPARE(f.desktop.openedUrls.size(), 6);
    QVERIFY(f.desktop.openedUrls[0].endsWith(QStringLiteral("/course/Reading_files/Tweed_Reading4.pdf")));
    QVERIFY(f.desktop.openedUrls[5].endsWith(QStringLiteral("/pdfserv/i0003-3219-028-03-0113.pdf")));

    f.trigger("helpContact");
    const QString mail = f.desktop.openedUrls.constLast();
    QVERIFY(mail.startsWith(QStringLiteral("mailto:")));
    QVERIFY(mail.contains(QStringLiteral("?cc=")));
    QVERIFY(mail.endsWith(QStringLiteral("&Subject=Contact - Software Velmora&Body=")));
    f.trigger("helpWebsite");
    QVERIFY(f.desktop.openedUrls.constLast().startsWith(QStringLiteral("https://")));
    f.trigger("helpAbout");
    QCOMPARE(f.messenger.last().icon, Messenger::Icon::Information);
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
