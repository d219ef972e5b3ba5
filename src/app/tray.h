#pragma once
#include <QIcon>
#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace vel {

// The tray icon and its menu. Its Hide item follows every modal box and
// secondary window (disabled while one is up), and while the main window is
// hidden to the tray the icon blinks through its frames.
class Tray : public QObject {
    Q_OBJECT
public:
    Tray(bool available, QObject* parent = nullptr);

    bool available() const { return available_; }
    QAction* restoreItem() const { return restore_; }
    QAction* hideItem() const { return hide_; }
    QAction* closeItem() const { return close_; }
    QTimer* animation() const { return timer_; }
    int frame() const { return frame_; }
    QSystemTrayIcon* icon() const { return icon_; }

    void startAnimation();
    void stopAnimation();

public Q_SLOTS:
    void nextFrame();

Q_SIGNALS:
    void restoreRequested();
    void hideRequested();
    void closeRequested();
    void doubleClicked();

private:
    bool available_;
    QSystemTrayIcon* icon_;
    QMenu* menu_;
    QAction* restore_;
    QAction* hide_;
    QAction* close_;
    QTimer* timer_;
    QList<QIcon> frames_;
    int frame_ = 0;
};

}  // namespace vel
