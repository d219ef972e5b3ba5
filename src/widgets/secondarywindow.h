#pragma once
#include <QPointer>
#include <QWidget>

namespace vel {

class ModalGate;

// A window that opens over the main window: while it is up the main window
// and the tray's Hide item are disabled, and every way of leaving it gives
// both back.
class SecondaryWindow : public QWidget {
    Q_OBJECT
public:
    SecondaryWindow(const QString& objectName, const QString& caption, QSize size, QWidget* parent = nullptr);

    void setOwner(QWidget* owner, const ModalGate* gate);
    void open();
    // Hides the window and gives the owner back; every way out ends here.
    void leave();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<QWidget> owner_;
    const ModalGate* gate_ = nullptr;
    bool up_ = false;
};

}  // namespace vel
