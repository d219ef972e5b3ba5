#include "app/qtseams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QUrl>

namespace vel {

namespace {

// The box shows its lines as the lines they are, as long as each fits on the
// screen: QMessageBox would otherwise wrap anything wider than about 500
// pixels at its own width and break a two-line text into ragged pieces.
void setLines(QMessageBox& box, const QStringList& lines)
{
    const QScreen* screen = box.screen();
    const int room = screen ? screen->availableGeometry().width() * 3 / 4 : 800;
    const QFontMetrics metrics(box.font());
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    if (widest > room) {
        box.setTextFormat(Qt::PlainText);
        box.setText(lines.join(QLatin1Char('\n')));
        return;
    }
    QStringList escaped;
    for (const QString& line : lines)
        escaped << line.toHtmlEscaped();
    box.setTextFormat(Qt::RichText);
    box.setText(QStringLiteral("<p style=\"white-space:pre\">") + escaped.join(QStringLiteral("<br>"))
                + QStringLiteral("</p>"));
}

}  // namespace

Messenger::Answer QtMessenger::present(Icon icon, const QString& title, const QStringList& lines, bool question)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    setLines(box, lines);
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
    // Left alone, QMessageBox makes No the escape button, so Escape and the
    // close box would answer No. A hidden button takes both instead, and a
    // box closed without an answer reports just that.
    QPushButton* closed = box.addButton(QMessageBox::Cancel);
    closed->hide();
    box.setEscapeButton(closed);
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
