#pragma once
#include "common/workingfolder.h"

#include <QString>
#include <QWidget>

class QMenu;

#include <array>
#include <functional>

namespace vel {

// The six tabs of the main window, in their order on the page control.
enum class Page { References, Tweed, Bolton, Steiner, Outline, History };

enum class FileAction { New, Open, Save, Print };

class Desktop;
class Messenger;
class ReportEngine;

// What the main window gives every tab.
struct TabServices {
    WorkingFolder folder;
    Messenger& messenger;
    Desktop& desktop;
    // The caption of the boxes a tab raises: the active tab's caption.
    std::function<QString()> title;
    // The edit menu an empty entry field offers.
    QMenu* emptyMenu;
};

// A tab of the main window. The File menu forwards New, Open, Save and Print
// to the active tab; a tab that does not offer one answers "Action not
// available!" through the main window.
class TabPage : public QWidget {
    Q_OBJECT
public:
    explicit TabPage(const TabServices& services, QWidget* parent = nullptr)
        : QWidget(parent),
          folder_(services.folder),
          messenger_(services.messenger),
          desktop_(services.desktop),
          title_(services.title),
          emptyMenu_(services.emptyMenu)
    {
    }
    bool offers(FileAction action) const { return bool(operations_[index(action)]); }
    // The engine a tab's PRINT hands its report to; tabs that print nothing ignore it.
    void setReports(ReportEngine* reports) { reports_ = reports; }
    void run(FileAction action)
    {
        if (const auto& operation = operations_[index(action)])
            operation();
    }

protected:
    WorkingFolder folder_;
    Messenger& messenger_;
    Desktop& desktop_;
    std::function<QString()> title_;
    QMenu* emptyMenu_;
    ReportEngine* reports_ = nullptr;

    // The tab's own operation behind a File menu item.
    void offer(FileAction action, std::function<void()> operation) { operations_[index(action)] = std::move(operation); }

    // New, Open, Save and Print as the tab's NEW, OPEN, SAVE and PRINT. Where
    // NEW acts as BACK while results are shown, New runs it twice, so that
    // the menu item always ends in a cleared tab.
    enum class NewRuns { Once, Twice };
    template <typename Page>
    void offerFileOperations(Page* page, NewRuns runs)
    {
        offer(FileAction::New, [page, runs] {
            page->newClicked();
            if (runs == NewRuns::Twice)
                page->newClicked();
        });
        offer(FileAction::Open, [page] { page->openClicked(); });
        offer(FileAction::Save, [page] { page->saveClicked(); });
        offer(FileAction::Print, [page] { page->printClicked(); });
    }

Q_SIGNALS:
    // The tab's EXIT button.
    void exitRequested();

private:
    static std::size_t index(FileAction action) { return static_cast<std::size_t>(action); }
    std::array<std::function<void()>, 4> operations_;
};

}  // namespace vel
