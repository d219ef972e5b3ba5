#include "app/splashwindow.h"

#include "entry/controls.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSvgWidget>
#include <QTimer>

namespace vel {

namespace {

constexpr QSize kSplashSize{699, 381};
// The launcher's client area; with the window frame it comes to about
// 315 x 529, and the 260-pixel buttons sit with equal margins.
constexpr QSize kLauncherSize{304, 495};

struct LauncherButton {
    const char* name;
    const char* caption;
    int top;
    SplashWindow::Choice choice;
    bool exits;
};

// In keyboard order: the outline comes after the history there, although it
// stands above it.
constexpr LauncherButton kButtons[] = {
    {"Button6", "ABSTRACT", 50, SplashWindow::Choice::Abstract, false},
    {"Button2", "REFERENCES", 105, SplashWindow::Choice::References, false},
    {"Button3", "TWEED ANALYSIS", 160, SplashWindow::Choice::Tweed, false},
    {"Button4", "BOLTON ANALYSIS", 215, SplashWindow::Choice::Bolton, false},
    {"Button9", "STEINER ANALYSIS", 270, SplashWindow::Choice::Steiner, false},
    {"Button7", "TREATMENT HISTORY", 380, SplashWindow::Choice::History, false},
    {"Button8", "TREATMENT OUTLINE", 325, SplashWindow::Choice::Outline, false},
    {"Button5", "EXIT", 435, SplashWindow::Choice::Abstract, true},
};

void centreOnScreen(QWidget* w)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = w->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        w->move(frame.topLeft());
    }
}

}  // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Velmora"));
    setFixedSize(kSplashSize);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto* image = new QSvgWidget(QStringLiteral(":/splash.svg"), this);
    image->setObjectName(QStringLiteral("Image2"));
    image->setGeometry(0, 0, 700, 381);
    picture_ = image;

    heading_ = new QLabel(QStringLiteral("VELMORA"), this);
    heading_->setObjectName(QStringLiteral("Label1"));
    QFont headingFont;
    headingFont.setFamilies({QStringLiteral("TeX Gyre Pagella"), QStringLiteral("P052"),
                             QStringLiteral("Book Antiqua"), QStringLiteral("serif")});
    headingFont.setPointSize(16);
    heading_->setFont(headingFont);
    heading_->setAlignment(Qt::AlignCenter);
    setTextColour(heading_, QColor(0, 0, 128));
    heading_->setGeometry(0, 12, kLauncherSize.width(), 32);
    heading_->hide();

    QFont bold = font();
    bold.setBold(true);
    for (const LauncherButton& spec : kButtons) {
        auto* button = new QPushButton(QString::fromLatin1(spec.caption), this);
        button->setObjectName(QString::fromLatin1(spec.name));
        button->setGeometry(22, spec.top, 260, 45);
        button->setFont(bold);
        button->hide();
        if (spec.exits) {
            connect(button, &QPushButton::clicked, this, &SplashWindow::exitRequested);
        } else {
            const Choice choice = spec.choice;
            connect(button, &QPushButton::clicked, this, [this, choice] { Q_EMIT chosen(choice); });
        }
        if (!buttons_.isEmpty())
            setTabOrder(buttons_.constLast(), button);
        buttons_.append(button);
    }

    // Only the timer's handler; never shown.
    auto* timerButton = new QPushButton(this);
    timerButton->setObjectName(QStringLiteral("Button1"));
    timerButton->hide();
    connect(timerButton, &QPushButton::clicked, this, &SplashWindow::becomeLauncher);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer"));
    timer_->setSingleShot(true);
    timer_->setInterval(5000);
    connect(timer_, &QTimer::timeout, this, &SplashWindow::becomeLauncher);
    timer_->start();

    centreOnScreen(this);
}

void SplashWindow::becomeLauncher()
{
    if (launcher_)
        return;
    launcher_ = true;
    timer_->stop();
    const bool wasVisible = isVisible();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kLauncherSize);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QGuiApplication::palette().color(QPalette::Window));
    setPalette(pal);
    picture_->hide();
    heading_->show();
    for (QPushButton* b : std::as_const(buttons_))
        b->show();
    if (wasVisible)
        show();
    centreOnScreen(this);
    if (!buttons_.isEmpty())
        buttons_.constFirst()->setFocus();
}

void SplashWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Q_EMIT exitRequested();
}

}  // namespace vel
