#include "app/qtseams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QTreeView>
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

// Qt's file dialog remembers the folders it visited, its places and its
// column widths in settings that every Qt program of the user shares. This
// program keeps no recent files and leaves the other programs' dialogs as
// they were: the group is put back once the dialog is gone.
class SharedDialogSettingsKept {
public:
    SharedDialogSettingsKept()
    {
        settings_.beginGroup(kGroup);
        for (const QString& key : settings_.childKeys())
            saved_.insert(key, settings_.value(key));
        settings_.endGroup();
    }
    ~SharedDialogSettingsKept()
    {
        settings_.remove(kGroup);
        settings_.beginGroup(kGroup);
        for (auto it = saved_.cbegin(); it != saved_.cend(); ++it)
            settings_.setValue(it.key(), it.value());
        settings_.endGroup();
        settings_.sync();
    }
    SharedDialogSettingsKept(const SharedDialogSettingsKept&) = delete;
    SharedDialogSettingsKept& operator=(const SharedDialogSettingsKept&) = delete;

private:
    static inline const QString kGroup = QStringLiteral("FileDialog");
    QSettings settings_{QSettings::UserScope, QStringLiteral("QtProject")};
    QVariantMap saved_;
};

// How this program shows Qt's file dialog: Qt's own on every desktop, so
// that the places bar can go and the columns can be sized; no history; the
// details, size, type and date as wide as what they show, the name taking
// the rest.
void setUp(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setHistory({});
    dialog.setSidebarUrls({});
    if (auto* places = dialog.findChild<QWidget*>(QStringLiteral("sidebar")))
        places->hide();
    dialog.setViewMode(QFileDialog::Detail);
    if (auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = files->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    dialog.resize(760, 440);
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
    const SharedDialogSettingsKept kept;  // outlives the dialog, which writes them as it goes
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Open..."), folder, filter);
    setUp(dialog);
    dialog.setOption(QFileDialog::DontResolveSymlinks);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QString suffix = defaultSuffix;
    dialog.setDefaultSuffix(suffix.remove(QStringLiteral("*.")));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtDesktop::chooseSaveFile(const QString& title, const QString& suggested, const QString& filter)
{
    const SharedDialogSettingsKept kept;
    QFileDialog dialog(QApplication::activeWindow(), title, suggested, filter);
    setUp(dialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool QtDesktop::hasSystemTray() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace vel
