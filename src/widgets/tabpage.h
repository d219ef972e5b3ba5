#pragma once
#include <QWidget>

#include <array>
#include <functional>

namespace vel {

// The six tabs of the main window, in their order on the page control.
enum class Page { References, Tweed, Bolton, Steiner, Outline, History };

enum class FileAction { New, Open, Save, Print };

// A tab of the main window. The File menu forwards New, Open, Save and Print
// to the active tab; a tab that does not offer one answers "Action not
// available!" through the main window.
class TabPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    bool offers(FileAction action) const { return bool(operations_[index(action)]); }
    void run(FileAction action)
    {
        if (const auto& operation = operations_[index(action)])
            operation();
    }

protected:
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
