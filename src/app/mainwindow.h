#pragma once
#include "widgets/tabpage.h"
#include "common/workingfolder.h"

#include <QMainWindow>
#include <QMap>

#include <functional>
#include <memory>

class QMenu;
class QScrollArea;
class QTabWidget;

namespace vel {

class Desktop;
class Messenger;
class BoltonTab;
class HistoryTab;
class OutlineTab;
class ReferencesTab;
class ReportEngine;
class SteinerTab;
class TweedTab;

class LazyPage;

// The main window: the page control with its six tabs, the menus, and the
// forwarding of the File menu to the active tab. Each tab is made the first
// time it is shown or asked for: start-up, which shows only the launcher,
// makes none of them.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(WorkingFolder folder, Messenger& messenger, Desktop& desktop, QWidget* parent = nullptr);

    QTabWidget* pages() const { return tabs_; }
    // The page control's index of a tab, whether or not it is made yet.
    int indexOf(Page p) const;
    // Every accessor below makes its tab when it is not made yet.
    TabPage* page(Page p) const;
    ReferencesTab* references() const;
    TweedTab* tweed() const;
    BoltonTab* bolton() const;
    SteinerTab* steiner() const;
    OutlineTab* outline() const;
    HistoryTab* history() const;
    QMenu* emptyMenu() const { return emptyMenu_; }
    // Runs once for each tab as it is made (at once for one already made):
    // where another window connects itself to a tab.
    void whenMade(Page p, std::function<void(TabPage*)> connectTab);

    // The title of every box raised while this window is in front.
    QString activeCaption() const;
    // Makes a tab active without the rule a click on a tab runs.
    void setCurrentPage(Page p);
    void setScrollable(bool scrollable);
    void centreOnScreen();

    // The tabs that print hand their reports to this engine.
    void setReports(ReportEngine* reports);

    void runFileAction(FileAction action);
    void showStatistics();

Q_SIGNALS:
    void quitRequested();
    void menuRequested();
    void minimised();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void onUserTabChange(int index);
    void openModule(Page p);
    TabPage* makeTab(Page p);

    WorkingFolder folder_;
    Messenger& messenger_;
    Desktop& desktop_;
    QMenu* emptyMenu_;
    QScrollArea* scroll_;
    QTabWidget* tabs_;
    std::unique_ptr<TabServices> services_;
    ReportEngine* reports_ = nullptr;
    QMap<Page, LazyPage*> pages_;
    QMap<Page, std::function<void(TabPage*)>> whenMade_;
    bool changingFromCode_ = false;
};

}  // namespace vel
