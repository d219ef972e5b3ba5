#pragma once
#include "app/splashwindow.h"
#include "common/workingfolder.h"
#include "bolton/boltontransfer.h"
#include "tweed/tweedtab.h"

#include <functional>

#include <QObject>
#include <memory>

namespace vel {

// The Bolton tab as the worksheet reads it: the tab is asked for, and so
// made, only when IMPORT first reads it.
class BoltonOnDemand : public BoltonTransfer {
public:
    explicit BoltonOnDemand(std::function<const BoltonTransfer*()> tab) : tab_(std::move(tab)) {}
    QString transferPatient() const override { return tab_()->transferPatient(); }
    QString transferWidth(const QString& field) const override { return tab_()->transferWidth(field); }
    bool showsCalculation() const override { return tab_()->showsCalculation(); }

private:
    std::function<const BoltonTransfer*()> tab_;
};

class Desktop;
class GuideWindow;
class MainWindow;
class Messenger;
class ModalGate;
class ReportEngine;
class ReportViewer;
class Tray;
class WorksheetWindow;

// The program's windows and how one hands over to another: the launcher, the
// main window, the two secondary windows and the tray. Created once, in this
// order, and kept until the end.
class Shell : public QObject, public TweedCompanions {
    Q_OBJECT
public:
    // Without a viewer the reports open in the real preview window.
    Shell(WorkingFolder folder, Messenger& messenger, Desktop& desktop, ModalGate& gate,
          ReportViewer* viewer = nullptr);
    ~Shell() override;

    SplashWindow* launcher() const { return launcher_; }
    // Made when first needed: start-up shows only the launcher.
    MainWindow* mainWindow() const;
    // The guide and the worksheet are made when first needed.
    GuideWindow* guide() const;
    WorksheetWindow* worksheet() const;
    Tray* tray() const { return tray_; }

    void show();

    void choose(SplashWindow::Choice choice);
    void backToLauncher();
    void hideToTray();
    void restoreFromTray();
    void trayDoubleClicked();

    void clearWorksheet() override;
    void resetGuide() override;
    void openWorksheet() override;
    void openGuide() override;
    GuideAnswers guideAnswers() const override;
    void setGuideAnswers(const GuideAnswers& answers) override;
    void runGuidance() override;

Q_SIGNALS:
    void quitRequested();

private:
    Desktop& desktop_;
    SplashWindow* launcher_;
    mutable MainWindow* main_ = nullptr;
    BoltonOnDemand boltonOnDemand_;
    WorkingFolder folder_;
    Messenger& messenger_;
    ModalGate& gate_;
    TweedTab* tweed_ = nullptr;  // once made
    mutable GuideWindow* guide_ = nullptr;
    mutable WorksheetWindow* worksheet_ = nullptr;
    Tray* tray_;
    std::unique_ptr<ReportViewer> ownViewer_;
    std::unique_ptr<ReportEngine> reports_;
};

}  // namespace vel
