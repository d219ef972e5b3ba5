#include "entry/entryfield.h"

#include "common/messenger.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace vel {

QChar typedCharacter(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
        return kBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Escape:
        return QChar(27);
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QChar();
    default:
        break;
    }
    if ((event->modifiers() & Qt::ControlModifier) && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        return QChar(event->key() - Qt::Key_A + 1);
    const QString text = event->text();
    if (text.isEmpty())
        return QChar();
    return text.at(0);
}

EntryField::EntryField(const QString& objectName, FieldRule rule, Messenger& messenger,
                       std::function<QString()> title, QWidget* parent)
    : QLineEdit(parent), rule_(std::move(rule)), messenger_(messenger), title_(std::move(title))
{
    setObjectName(objectName);
}

bool EntryField::roomForOneMore() const
{
    return rule_.maxLength <= 0 || text().size() - selectedText().size() < rule_.maxLength;
}

void EntryField::typeCharacter(QChar typed)
{
    const FilterResult result = filterKey(rule_.filter, text(), typed);
    switch (result.kind) {
    case FilterResult::Kind::Drop:
        return;
    case FilterResult::Kind::Warn:
        messenger_.warning(title_(), {rule_.warning});
        return;
    case FilterResult::Kind::Accept:
        break;
    }
    if (isReadOnly())
        return;
    if (result.character == kBackspace) {
        backspace();
        return;
    }
    if (roomForOneMore())
        insert(QString(result.character));
}

void EntryField::insertFiltered(const QString& incoming)
{
    if (isReadOnly() || incoming.isEmpty())
        return;
    // The filter looks at the whole text, not at where the caret is, so the
    // paste can be judged before anything is changed.
    QString base = text();
    if (hasSelectedText())
        base.remove(selectionStart(), selectedText().size());
    QString accepted;
    for (const QChar c : incoming) {
        const FilterResult result = filterKey(rule_.filter, base + accepted, c);
        if (result.kind == FilterResult::Kind::Warn || c == kBackspace) {
            messenger_.warning(title_(), {rule_.warning});
            return;
        }
        if (result.kind == FilterResult::Kind::Accept)
            accepted.append(result.character);
    }
    if (rule_.maxLength > 0)
        accepted.truncate(std::max<qsizetype>(0, rule_.maxLength - base.size()));
    if (!accepted.isEmpty())
        insert(accepted);
}

void EntryField::pasteClipboard()
{
    insertFiltered(QGuiApplication::clipboard()->text());
}

bool EntryField::event(QEvent* event)
{
    // The File menu's chords belong to the window, never to the field's filter.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Open) || key->matches(QKeySequence::Save) || key->matches(QKeySequence::Print)) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void EntryField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Insert && (event->modifiers() & Qt::ShiftModifier)) {
        pasteClipboard();
        return;
    }
    const QChar typed = typedCharacter(event);
    if (typed.isNull()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    typeCharacter(typed);
}

void EntryField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A box or another window taking the focus is not leaving the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    const QString completed = complete(rule_.completion, text());
    if (completed != text())
        setText(completed);
    if (leaveCheck_)
        leaveCheck_();
    Q_EMIT left();
}

void EntryField::contextMenuEvent(QContextMenuEvent* event)
{
    if (rule_.suppressMenu) {
        if (emptyMenu_ && !emptyMenu_->isEmpty())
            emptyMenu_->exec(event->globalPos());
        event->accept();
        return;
    }
    QMenu* menu = createStandardContextMenu();
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, &EntryField::pasteClipboard);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void EntryField::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasText() || isReadOnly()) {
        event->ignore();
        return;
    }
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    insertFiltered(event->mimeData()->text());
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void EntryField::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (commit.isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&withoutCommit);
    insertFiltered(commit);
}

}  // namespace vel
