#pragma once
#include <QString>
#include <QStringList>
#include <functional>

namespace vel {

// Tells the tray's Hide item when a modal box, a modal dialog or a secondary
// window comes up and goes away. Every such window goes through here, so the
// item's rule lives in one place.
//
// Modal windows nest (a box over the report preview, over the open dialog, a
// save dialog over the preview): the item comes back only when the last of
// them has closed, never while one is still up. A secondary window is not
// modal and counts no level: a box raised over one gives the item back when
// it closes, although the window stays open.
class ModalGate {
public:
    void setListener(std::function<void(bool up)> listener) { listener_ = std::move(listener); }

    void up()
    {
        if (depth_++ == 0)
            notify(true);
    }
    void down()
    {
        if (depth_ > 0 && --depth_ == 0)
            notify(false);
    }
    void secondaryUp() const
    {
        if (depth_ == 0)
            notify(true);
    }
    void secondaryDown() const
    {
        if (depth_ == 0)
            notify(false);
    }
    int depth() const { return depth_; }

private:
    void notify(bool up) const
    {
        if (listener_)
            listener_(up);
    }

    std::function<void(bool)> listener_;
    int depth_ = 0;
};

// Brackets one modal window: the Hide item is disabled for its lifetime.
class ModalScope {
public:
    explicit ModalScope(ModalGate& gate) : gate_(gate) { gate_.up(); }
    ~ModalScope() { gate_.down(); }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    ModalGate& gate_;
};

// Every message box of the program. The real one shows a QMessageBox; tests
// install one that records the boxes and answers the questions.
class Messenger {
public:
    enum class Icon { Error, Warning, Information, Question };
    enum class Answer { Ok, Yes, No, Closed };

    virtual ~Messenger() = default;

    void setGate(ModalGate* gate) { gate_ = gate; }

    // Runs a modal dialog (the open dialog, a preview) under the same rule
    // as the boxes: the tray's Hide item is disabled while it is up.
    template <typename Fn>
    auto whileModal(Fn fn) const
    {
        if (!gate_)
            return fn();
        ModalScope scope(*gate_);
        return fn();
    }

    // A box with one OK button.
    void show(Icon icon, const QString& title, const QStringList& lines);
    void error(const QString& title, const QStringList& lines) { show(Icon::Error, title, lines); }
    void warning(const QString& title, const QStringList& lines) { show(Icon::Warning, title, lines); }
    void information(const QString& title, const QStringList& lines) { show(Icon::Information, title, lines); }
    // A Yes/No question; Closed when the box was closed without an answer.
    Answer ask(const QString& title, const QStringList& lines);

protected:
    virtual Answer present(Icon icon, const QString& title, const QStringList& lines, bool question) = 0;

private:
    ModalGate* gate_ = nullptr;
};

}  // namespace vel
