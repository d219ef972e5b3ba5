#include "app/shell.h"

#include "common/resources.h"
#include "app/mainwindow.h"
#include "bolton/boltontab.h"
#include "app/referencestab.h"
#include "guidance/guidewindow.h"
#include "guidance/worksheetwindow.h"
#include "common/session.h"
#include "app/tray.h"
#include "report/reportengine.h"
#include "report/reportpreview.h"
#include "common/desktop.h"
#include "common/messenger.h"

#include <QAction>
#include <QTabWidget>

namespace vel {


Shell::Shell(WorkingFolder folder, Messenger& messenger, Desktop& desktop, ModalGate& gate, ReportViewer* viewer)
    : desktop_(desktop),
      boltonOnDemand_([this]() -> const BoltonTransfer* { return mainWindow()->bolton(); }),
      folder_(folder),
      messenger_(messenger),
      gate_(gate)
{
    if (!viewer) {
        ownViewer_ = std::make_unique<QtReportViewer>(messenger, desktop);
        viewer = ownViewer_.get();
    }
    reports_ = std::make_unique<ReportEngine>(folder, messenger, *viewer);
    initResources();
    launcher_ = new SplashWindow;
    tray_ = new Tray(desktop.hasSystemTray(), this);

    gate.setListener([hide = tray_->hideItem()](bool up) { hide->setEnabled(!up); });

    connect(launcher_, &SplashWindow::chosen, this, &Shell::choose);
    connect(launcher_, &SplashWindow::exitRequested, this, &Shell::quitRequested);
    connect(tray_, &Tray::hideRequested, this, &Shell::hideToTray);
    connect(tray_, &Tray::restoreRequested, this, &Shell::restoreFromTray);
    connect(tray_, &Tray::doubleClicked, this, &Shell::trayDoubleClicked);
    connect(tray_, &Tray::closeRequested, this, &Shell::quitRequested);
}

Shell::~Shell()
{
    delete worksheet_;
    delete guide_;
    delete main_;
    delete launcher_;
}

void Shell::show()
{
    launcher_->show();
}

void Shell::choose(SplashWindow::Choice choice)
{
    using Choice = SplashWindow::Choice;
    tray_->hideItem()->setEnabled(true);
    launcher_->hide();
    launcher_->setEnabled(false);
    mainWindow()->setEnabled(true);
    ReferencesTab* refs = mainWindow()->references();
    if (choice == Choice::Abstract)
        refs->showAbstract();
    else if (choice == Choice::References)
        refs->showReferences();

    switch (choice) {
    case Choice::Abstract:
    case Choice::References: mainWindow()->setCurrentPage(Page::References); break;
    case Choice::Tweed: mainWindow()->setCurrentPage(Page::Tweed); break;
    case Choice::Bolton: mainWindow()->setCurrentPage(Page::Bolton); break;
    case Choice::Steiner: mainWindow()->setCurrentPage(Page::Steiner); break;
    case Choice::Outline: mainWindow()->setCurrentPage(Page::Outline); break;
    case Choice::History: mainWindow()->setCurrentPage(Page::History); break;
    }
    if (Session::isSmall(desktop_.displayMode()))
        mainWindow()->setScrollable(true);
    if (choice == Choice::Abstract)
        mainWindow()->pages()->setTabText(mainWindow()->indexOf(Page::References), QStringLiteral("Abstract"));
    mainWindow()->centreOnScreen();
    mainWindow()->show();
}

void Shell::backToLauncher()
{
    tray_->restoreItem()->setEnabled(false);
    tray_->hideItem()->setEnabled(false);
    mainWindow()->pages()->setTabText(mainWindow()->indexOf(Page::References), QStringLiteral("References"));
    mainWindow()->hide();
    mainWindow()->references()->hideViews();
    mainWindow()->setEnabled(false);
    launcher_->setEnabled(true);
    launcher_->show();
}

void Shell::hideToTray()
{
    mainWindow()->setWindowState(mainWindow()->windowState() & ~Qt::WindowMinimized);
    mainWindow()->hide();
    tray_->startAnimation();
    tray_->hideItem()->setEnabled(false);
    tray_->restoreItem()->setEnabled(true);
}

void Shell::restoreFromTray()
{
    mainWindow()->showNormal();
    mainWindow()->raise();
    mainWindow()->activateWindow();
    tray_->stopAnimation();
    tray_->restoreItem()->setEnabled(false);
    tray_->hideItem()->setEnabled(true);
}

MainWindow* Shell::mainWindow() const
{
    if (main_)
        return main_;
    // Made on a const call too: whoever asks first, the window is the same.
    auto* self = const_cast<Shell*>(this);
    main_ = new MainWindow(folder_, messenger_, desktop_);
    main_->setEnabled(false);
    main_->setReports(reports_.get());
    // The Tweed tab, the guide and the worksheet are each made when first
    // needed, and connected to each other as they come. The worksheet reads
    // the Bolton tab through the main window, which makes that tab if IMPORT
    // is the first to need it.
    main_->whenMade(Page::Tweed, [self](TabPage* tab) {
        self->tweed_ = static_cast<TweedTab*>(tab);
        self->tweed_->setCompanions(self);
        if (self->guide_)
            self->guide_->setTarget(self->tweed_);
        if (self->worksheet_)
            self->worksheet_->setSources(self->tweed_, &self->boltonOnDemand_);
    });
    connect(main_, &MainWindow::quitRequested, self, &Shell::quitRequested);
    connect(main_, &MainWindow::menuRequested, self, &Shell::backToLauncher);
    connect(main_, &MainWindow::minimised, self, [self] {
        // Without a tray the window is only minimised, so it stays in reach.
        if (self->tray_->available())
            self->hideToTray();
    });
    return main_;
}

GuideWindow* Shell::guide() const
{
    if (!guide_) {
        guide_ = new GuideWindow(folder_, messenger_);
        guide_->setOwner(mainWindow(), &gate_);
        guide_->setTarget(tweed_);
    }
    return guide_;
}

WorksheetWindow* Shell::worksheet() const
{
    if (!worksheet_) {
        worksheet_ = new WorksheetWindow(messenger_);
        worksheet_->setOwner(mainWindow(), &gate_);
        worksheet_->setSources(tweed_, &boltonOnDemand_);
    }
    return worksheet_;
}

void Shell::clearWorksheet()
{
    // A worksheet not made yet is empty already.
    if (worksheet_)
        worksheet_->newClicked();
}

void Shell::resetGuide()
{
    if (guide_)
        guide_->newClicked();
}

void Shell::openWorksheet()
{
    worksheet()->open();
}

void Shell::openGuide()
{
    guide()->open();
}

GuideAnswers Shell::guideAnswers() const
{
    return guide()->answers();
}

void Shell::setGuideAnswers(const GuideAnswers& answers)
{
    guide()->setAnswers(answers);
}

void Shell::runGuidance()
{
    guide()->guidanceOnRestoredAnswers();
}

void Shell::trayDoubleClicked()
{
    if (launcher_->isVisible())
        return;
    restoreFromTray();
}

}  // namespace vel
