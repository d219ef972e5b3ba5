#pragma once
#include "common/desktop.h"
#include "common/messenger.h"
#include "common/workingfolder.h"

#include <QList>
#include <QTemporaryDir>

namespace vel::test {

// Records every box and answers questions from a script (Yes when it runs out).
class ScriptedMessenger : public Messenger {
public:
    struct Box {
        Icon icon;
        QString title;
        QStringList lines;
        bool question;
        QString text() const { return lines.join(QLatin1Char('\n')); }
    };

    QList<Box> boxes;
    QList<Answer> answers;
    // Runs while a box is up, e.g. to look at the tray's Hide item.
    std::function<void(const Box&)> whileShown;

    const Box& last() const { return boxes.constLast(); }
    void clear() { boxes.clear(); }

protected:
    Answer present(Icon icon, const QString& title, const QStringList& lines, bool question) override;
};

class FakeDesktop : public Desktop {
public:
    DisplayMode mode{1280, 1024, 24};
    QList<DisplayMode> modeChanges;
    QStringList openedUrls;
    QStringList chosenFiles;  // answers for chooseFile, first first
    struct FileRequest { QString folder, filter, suffix; };
    QList<FileRequest> fileRequests;
    bool tray = true;

    DisplayMode displayMode() const override { return mode; }
    void setDisplayMode(const DisplayMode& m) override { modeChanges.append(m); mode = m; }
    void openUrl(const QString& url) override { openedUrls.append(url); }
    QString chooseFile(const QString& folder, const QString& filter, const QString& suffix) override;
    QString chooseSaveFile(const QString&, const QString&, const QString&) override { return QString(); }
    bool hasSystemTray() const override { return tray; }
};

// A scratch working folder laid out like an installation.
class ScratchFolder {
public:
    ScratchFolder();
    WorkingFolder folder() const { return WorkingFolder(dir_.path()); }
    QString path(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

}  // namespace vel::test

class QWidget;

namespace vel::test {
// Types text into a widget key by key, accented letters included (QTest's
// own key clicks only know ASCII).
void typeText(QWidget* widget, const QString& text);
}  // namespace vel::test
