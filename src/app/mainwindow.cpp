#include "app/mainwindow.h"

#include "app/referencestab.h"
#include "common/usagestats.h"
#include "bolton/boltontab.h"
#include "steiner/steinertab.h"
#include "notes/historytab.h"
#include "notes/outlinetab.h"
#include "tweed/tweedtab.h"
#include "common/actionguard.h"
#include "common/desktop.h"
#include "common/messenger.h"
#include "common/texts.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>

namespace vel {

namespace {

constexpr QSize kClientSize{1016, 692};

struct TabSpec {
    Page page;
    const char* name;
    const char* caption;
};

constexpr TabSpec kTabs[] = {
    {Page::References, "TabSheet3", "References"},
    {Page::Tweed, "TabSheet1", "Tweed Analysis"},
    {Page::Bolton, "TabSheet2", "Bolton Analysis"},
    {Page::Steiner, "TabSheet6", "Steiner Analysis"},
    {Page::Outline, "TabSheet5", "Treatment Outline"},
    {Page::History, "TabSheet4", "Treatment History"},
};

const QString kMakerSite = QStringLiteral("https://velmora.example");
const QString kContactMail = QStringLiteral(
    "mailto:Velmora Support <support@velmora.example>?cc=Velmora Clinical Desk <clinical@velmora.example>"
    "&Subject=Contact - Software Velmora&Body=");

}  // namespace

// A page of the page control that makes its tab the first time it is shown
// or asked for, and keeps the tab filling it.
class LazyPage : public QWidget {
public:
    LazyPage(const QString& name, std::function<TabPage*()> make) : make_(std::move(make)) { setObjectName(name); }

    bool made() const { return tab_ != nullptr; }
    TabPage* tab()
    {
        if (!tab_) {
            tab_ = make_();
            tab_->setParent(this);
            tab_->setGeometry(rect());
            tab_->show();
        }
        return tab_;
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        tab();
        QWidget::showEvent(event);
    }
    void resizeEvent(QResizeEvent* event) override
    {
        if (tab_)
            tab_->setGeometry(rect());
        QWidget::resizeEvent(event);
    }

private:
    std::function<TabPage*()> make_;
    TabPage* tab_ = nullptr;
};

MainWindow::MainWindow(WorkingFolder folder, Messenger& messenger, Desktop& desktop, QWidget* parent)
    : QMainWindow(parent), folder_(std::move(folder)), messenger_(messenger), desktop_(desktop)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Velmora"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    emptyMenu_ = new QMenu(this);
    emptyMenu_->setObjectName(QStringLiteral("Popdir"));

    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("Analise"));
    tabs_->setTabPosition(QTabWidget::West);
    tabs_->setFixedSize(kClientSize);
    // Six captions must fit down the left side in one column.
    tabs_->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 8px 4px; margin-left: 2px; border: 1px solid #9a9a9a; border-right: none;"
        " border-top-left-radius: 3px; border-bottom-left-radius: 3px; background: #e4e4e4; }"
        "QTabBar::tab:selected { background: #fbfbfb; margin-left: 0px; }"));
    tabs_->tabBar()->setUsesScrollButtons(false);

    services_ = std::make_unique<TabServices>(
        TabServices{folder_, messenger_, desktop_, [this] { return activeCaption(); }, emptyMenu_});
    for (const TabSpec& spec : kTabs) {
        auto* lazy = new LazyPage(QLatin1String(spec.name), [this, p = spec.page] { return makeTab(p); });
        pages_.insert(spec.page, lazy);
        tabs_->addTab(lazy, QString::fromLatin1(spec.caption));
    }
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (!changingFromCode_)
            onUserTabChange(index);
    });

    scroll_ = new QScrollArea;
    scroll_->setObjectName(QStringLiteral("scroller"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidget(tabs_);
    scroll_->setWidgetResizable(false);
    setCentralWidget(scroll_);
    setScrollable(false);

    buildMenus();
    setFixedSize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
}

void MainWindow::buildMenus()
{
    auto title = [this] { return activeCaption(); };
    auto add = [this, title](QMenu* menu, const char* name, const QString& text, auto fn) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, guarded(messenger_, title, fn));
        return action;
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("menuFile"));
    add(file, "fileNew", QStringLiteral("&New"), [this] { runFileAction(FileAction::New); });
    // Open, Save and Print answer the platform's chords too; New and Exit get
    // none, since both throw away what is on screen without asking.
    add(file, "fileOpen", QStringLiteral("&Open..."), [this] { runFileAction(FileAction::Open); })
        ->setShortcut(QKeySequence::Open);
    add(file, "fileSave", QStringLiteral("&Save"), [this] { runFileAction(FileAction::Save); })
        ->setShortcut(QKeySequence::Save);
    file->addSeparator();
    add(file, "filePrint", QStringLiteral("&Print..."), [this] { runFileAction(FileAction::Print); })
        ->setShortcut(QKeySequence::Print);
    file->addSeparator();
    add(file, "fileExit", QStringLiteral("E&xit"), [this] { Q_EMIT quitRequested(); });

    QMenu* modules = menuBar()->addMenu(QStringLiteral("&Modules"));
    modules->setObjectName(QStringLiteral("menuModules"));
    add(modules, "moduleReferences", QStringLiteral("&References"), [this] { openModule(Page::References); });
    add(modules, "moduleTweed", QStringLiteral("&Tweed Analysis"), [this] { openModule(Page::Tweed); });
    add(modules, "moduleBolton", QStringLiteral("&Bolton Analysis"), [this] { openModule(Page::Bolton); });
    add(modules, "moduleSteiner", QStringLiteral("&Steiner Analysis"), [this] { openModule(Page::Steiner); });
    add(modules, "moduleOutline", QStringLiteral("Treatment &Outline"), [this] { openModule(Page::Outline); });
    add(modules, "moduleHistory", QStringLiteral("Tr&eatment History"), [this] { openModule(Page::History); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("menuHelp"));
    add(help, "helpStatistics", QStringLiteral("St&atistics"), [this] { showStatistics(); });
    add(help, "helpContact", QStringLiteral("&Contact Us"), [this] { desktop_.openUrl(kContactMail); });
    add(help, "helpWebsite", QStringLiteral("Visit our W&ebsite"), [this] { desktop_.openUrl(kMakerSite); });
    add(help, "helpAbout", QStringLiteral("Ab&out..."), [this] {
        messenger_.information(QStringLiteral("About Velmora"),
                               {QStringLiteral("Velmora %1").arg(QStringLiteral(VELMORA_VERSION)),
                                QStringLiteral("Tweed-Merrifield, Bolton and Steiner analyses for orthodontists."),
                                QString(),
                                QStringLiteral("Written by the Velmora development team.")});
    });
}

TabPage* MainWindow::makeTab(Page p)
{
    const TabServices& services = *services_;
    TabPage* tab = nullptr;
    switch (p) {
    case Page::References: {
        auto* refs = new ReferencesTab(services);
        connect(refs, &ReferencesTab::menuRequested, this, &MainWindow::menuRequested);
        tab = refs;
        break;
    }
    case Page::Tweed: tab = new TweedTab(services); break;
    case Page::Bolton: tab = new BoltonTab(services); break;
    case Page::Steiner: tab = new SteinerTab(services); break;
    case Page::Outline: tab = new OutlineTab(services); break;
    case Page::History: tab = new HistoryTab(services); break;
    }
    tab->setReports(reports_);
    connect(tab, &TabPage::exitRequested, this, &MainWindow::quitRequested);
    if (const auto connectTab = whenMade_.take(p))
        connectTab(tab);
    return tab;
}

void MainWindow::whenMade(Page p, std::function<void(TabPage*)> connectTab)
{
    LazyPage* lazy = pages_.value(p);
    if (lazy->made())
        connectTab(lazy->tab());
    else
        whenMade_.insert(p, std::move(connectTab));
}

int MainWindow::indexOf(Page p) const
{
    return tabs_->indexOf(pages_.value(p));
}

TabPage* MainWindow::page(Page p) const
{
    return pages_.value(p)->tab();
}

BoltonTab* MainWindow::bolton() const
{
    return static_cast<BoltonTab*>(page(Page::Bolton));
}

OutlineTab* MainWindow::outline() const
{
    return static_cast<OutlineTab*>(page(Page::Outline));
}

HistoryTab* MainWindow::history() const
{
    return static_cast<HistoryTab*>(page(Page::History));
}

SteinerTab* MainWindow::steiner() const
{
    return static_cast<SteinerTab*>(page(Page::Steiner));
}

TweedTab* MainWindow::tweed() const
{
    return static_cast<TweedTab*>(page(Page::Tweed));
}

ReferencesTab* MainWindow::references() const
{
    return static_cast<ReferencesTab*>(page(Page::References));
}

QString MainWindow::activeCaption() const
{
    return tabs_->tabText(tabs_->currentIndex());
}

void MainWindow::setCurrentPage(Page p)
{
    changingFromCode_ = true;
    tabs_->setCurrentWidget(pages_.value(p));
    changingFromCode_ = false;
}

void MainWindow::centreOnScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void MainWindow::setScrollable(bool scrollable)
{
    const Qt::ScrollBarPolicy policy = scrollable ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    scroll_->setHorizontalScrollBarPolicy(policy);
    scroll_->setVerticalScrollBarPolicy(policy);
    if (scrollable) {
        // The window may then be smaller than its content, down to the screen.
        setMinimumSize(0, 0);
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            setMaximumSize(screen->availableGeometry().size());
    }
}

void MainWindow::onUserTabChange(int index)
{
    ReferencesTab* refs = references();
    if (index == indexOf(Page::References)) {
        refs->showReferences();
    } else {
        tabs_->setTabText(indexOf(Page::References), QStringLiteral("References"));
        refs->hideViews();
    }
}

void MainWindow::openModule(Page p)
{
    setCurrentPage(p);
    if (p == Page::References)
        references()->showReferences();
    else
        references()->hideViews();
}

void MainWindow::setReports(ReportEngine* reports)
{
    // Tabs made later are given it as they are made.
    reports_ = reports;
    for (LazyPage* lazy : std::as_const(pages_)) {
        if (lazy->made())
            lazy->tab()->setReports(reports);
    }
}

void MainWindow::runFileAction(FileAction action)
{
    auto* lazy = static_cast<LazyPage*>(tabs_->currentWidget());
    TabPage* tab = lazy ? lazy->tab() : nullptr;
    if (!tab || !tab->offers(action)) {
        messenger_.error(activeCaption(), {actionNotAvailable()});
        return;
    }
    tab->run(action);
}

void MainWindow::showStatistics()
{
    messenger_.information(QStringLiteral("Statistics"), statisticsLines(readUsageStats(folder_.stats())));
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        Q_EMIT minimised();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Q_EMIT quitRequested();
}

}  // namespace vel
