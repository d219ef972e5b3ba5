#pragma once
#include "entry/keyfilter.h"

#include <QLineEdit>
#include <functional>

class QMenu;
class QKeyEvent;

namespace vel {

class Messenger;

// The character a key press delivers to a key filter, or a null QChar for
// keys that never pass through one (cursor keys, Delete, Tab).
QChar typedCharacter(const QKeyEvent* event);

// One row of a window's field table: how the field filters keys, how it is
// completed on leaving, its typing limit and its warning.
struct FieldRule {
    KeyFilter filter;
    Completion completion = Completion::None;
    int maxLength = 0;  // 0: no limit; the limit applies to typing only
    QString warning;
    bool suppressMenu = true;
};

// A one-line entry that keeps its text well formed. Every route by which text
// can enter (typing, paste by any key or menu, drag and drop, an input
// method) goes through the same filter, so a pasted "../" never reaches a
// patient name.
class EntryField : public QLineEdit {
    Q_OBJECT
public:
    EntryField(const QString& objectName, FieldRule rule, Messenger& messenger,
               std::function<QString()> title, QWidget* parent = nullptr);

    const FieldRule& rule() const { return rule_; }
    // The empty menu shown instead of the edit menu on suppressed fields.
    void setEmptyMenu(QMenu* menu) { emptyMenu_ = menu; }
    // Runs after the completion each time the field is left.
    void setLeaveCheck(std::function<void()> check) { leaveCheck_ = std::move(check); }

    // Inserts text as if typed; refused as a whole if typing would warn.
    void insertFiltered(const QString& text);

Q_SIGNALS:
    void left();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void typeCharacter(QChar typed);
    bool roomForOneMore() const;
    void pasteClipboard();

    FieldRule rule_;
    Messenger& messenger_;
    std::function<QString()> title_;
    std::function<void()> leaveCheck_;
    QMenu* emptyMenu_ = nullptr;
};

}  // namespace vel
