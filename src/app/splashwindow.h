#pragma once
#include "widgets/tabpage.h"

#include <QWidget>

class QTimer;
class QPushButton;
class QLabel;

namespace vel {

// The first window: a picture for five seconds, then a column of buttons that
// open the main window on a chosen tab. It is the application's main window:
// closing it ends the program.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    enum class Choice { Abstract, References, Tweed, Bolton, Steiner, Outline, History };

    explicit SplashWindow(QWidget* parent = nullptr);

    bool isLauncher() const { return launcher_; }
    QTimer* timer() const { return timer_; }

public Q_SLOTS:
    // The timer's handler: turns the splash into the launcher, once.
    void becomeLauncher();

Q_SIGNALS:
    void chosen(SplashWindow::Choice choice);
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QTimer* timer_;
    QWidget* picture_;
    QLabel* heading_;
    QList<QPushButton*> buttons_;
    bool launcher_ = false;
};

}  // namespace vel
