#include "app/tray.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

namespace vel {

Tray::Tray(bool available, QObject* parent) : QObject(parent), available_(available)
{
    frames_ = {QIcon(QStringLiteral(":/tray1.svg")), QIcon(QStringLiteral(":/tray2.svg"))};

    menu_ = new QMenu;
    menu_->setObjectName(QStringLiteral("Pop"));
    restore_ = menu_->addAction(QStringLiteral("&Restore"));
    restore_->setObjectName(QStringLiteral("popRestaurar"));
    restore_->setEnabled(false);
    hide_ = menu_->addAction(QStringLiteral("&Hide"));
    hide_->setObjectName(QStringLiteral("popOcultar"));
    hide_->setEnabled(false);
    close_ = menu_->addAction(QStringLiteral("&Close"));
    close_->setObjectName(QStringLiteral("popFechar"));
    connect(restore_, &QAction::triggered, this, &Tray::restoreRequested);
    connect(hide_, &QAction::triggered, this, &Tray::hideRequested);
    connect(close_, &QAction::triggered, this, &Tray::closeRequested);

    icon_ = new QSystemTrayIcon(frames_.constFirst(), this);
    icon_->setObjectName(QStringLiteral("tray"));
    icon_->setToolTip(QStringLiteral("Velmora"));
    icon_->setContextMenu(menu_);
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            Q_EMIT doubleClicked();
    });
    connect(this, &QObject::destroyed, menu_, &QObject::deleteLater);
    if (available_)
        icon_->show();

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("trayAnimation"));
    timer_->setInterval(400);
    connect(timer_, &QTimer::timeout, this, &Tray::nextFrame);
}

void Tray::startAnimation()
{
    timer_->start();
}

void Tray::stopAnimation()
{
    timer_->stop();
    frame_ = 0;
    icon_->setIcon(frames_.at(frame_));
}

void Tray::nextFrame()
{
    frame_ = (frame_ + 1) % frames_.size();
    icon_->setIcon(frames_.at(frame_));
}

}  // namespace vel
