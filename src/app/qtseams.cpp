#include "app/qtseams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QUrl>

namespace vel {

Messenger::Answer QtMessenger::present(Icon icon, const QString& title, const QStringList& lines, bool question)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(lines.join(QLatin1Char('\n')));
    switch (icon) {
    case Icon::Error: box.setIcon(QMessageBox::Critical); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    if (!question) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return Answer::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Yes))
        return Answer::Yes;
    if (box.clickedButton() == box.button(QMessageBox::No))
        return Answer::No;
    return Answer::Closed;
}

DisplayMode QtDesktop::displayMode() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QSize logical = screen->size();
    const qreal ratio = screen->devicePixelRatio();
    return {qRound(logical.width() * ratio), qRound(logical.height() * ratio), screen->depth()};
}

void QtDesktop::setDisplayMode(const DisplayMode&)
{
    // Nothing to do: this platform offers no display-mode switch.
}

void QtDesktop::openUrl(const QString& url)
{
    QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

QString QtDesktop::chooseFile(const QString& folder, const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Open..."), folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontResolveSymlinks);
    QString suffix = defaultSuffix;
    dialog.setDefaultSuffix(suffix.remove(QStringLiteral("*.")));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool QtDesktop::hasSystemTray() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace vel
