#include "widgets/secondarywindow.h"

#include "common/messenger.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace vel {

SecondaryWindow::SecondaryWindow(const QString& objectName, const QString& caption, QSize size, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setFixedSize(size);
}

void SecondaryWindow::setOwner(QWidget* owner, const ModalGate* gate)
{
    owner_ = owner;
    gate_ = gate;
}

void SecondaryWindow::open()
{
    if (owner_)
        owner_->setEnabled(false);
    if (gate_ && !up_)
        gate_->secondaryUp();
    up_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void SecondaryWindow::leave()
{
    hide();
    if (owner_)
        owner_->setEnabled(true);
    if (gate_ && up_)
        gate_->secondaryDown();
    up_ = false;
}

void SecondaryWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    leave();
}

}  // namespace vel
