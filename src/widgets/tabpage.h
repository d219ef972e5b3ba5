#pragma once
#include <QWidget>

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
    virtual bool offers(FileAction) const { return false; }
    void run(FileAction action)
    {
        switch (action) {
        case FileAction::New: fileNew(); break;
        case FileAction::Open: fileOpen(); break;
        case FileAction::Save: fileSave(); break;
        case FileAction::Print: filePrint(); break;
        }
    }

protected:
    virtual void fileNew() {}
    virtual void fileOpen() {}
    virtual void fileSave() {}
    virtual void filePrint() {}

public:

Q_SIGNALS:
    // The tab's EXIT button.
    void exitRequested();
};

}  // namespace vel
