#include "common/session.h"

#include "common/usagestats.h"
#include "common/fileio.h"
#include "common/texts.h"

#include <QFile>
#include <QFileInfo>

namespace vel {

namespace {

const QString kTitle = QStringLiteral("Velmora");

QStringList alreadyRunningLines()
{
    return {QStringLiteral("                                       The software is already running!"),
            QString(),
            QString(),
            QStringLiteral("If the software is not running at this moment, files may be corrupted!"),
            QString(),
            QStringLiteral("                           Please consider reinstalling the software!")};
}

QStringList smallScreenLines(const DisplayMode& m)
{
    return {QStringLiteral("                         Your current resolution is %1x%2 - %3 bits.")
                .arg(m.width)
                .arg(m.height)
                .arg(m.depth),
            QStringLiteral("The resolution will be changed to 1024x768 - 32 bits for better appearance!"),
            QStringLiteral("                       Your previous settings will be restored on exit.")};
}

}  // namespace

Session::Session(WorkingFolder folder, Messenger& messenger, Desktop& desktop)
    : folder_(std::move(folder)), messenger_(messenger), desktop_(desktop)
{
}

Session::~Session() = default;

bool Session::requiredFilesExist() const
{
    for (const QString& path : {folder_.stats(), folder_.boltonTables(), folder_.reportDefinitions()}) {
        if (!QFileInfo::exists(path))
            return false;
    }
    return true;
}

void Session::showFailure(const QString& context, const QString& message)
{
    messenger_.error(kTitle, {context, message});
}

bool Session::start()
{
    if (!requiredFilesExist()) {
        messenger_.error(kTitle, missingFilesLines());
        return false;
    }

    UsageStats stats;
    try {
        // Present, but something else than a file (a folder, a pipe): named.
        for (const QString& path : {folder_.stats(), folder_.boltonTables(), folder_.reportDefinitions()})
            requireRegularFile(path);
        stats = readUsageStats(folder_.stats());
        // Opened to see that it can be read, as an ordinary file (a pipe in
        // its place would stall the start).
        readFileHead(folder_.boltonTables(), 0);
    } catch (const FileError& e) {
        showFailure(QStringLiteral("Velmora cannot start."), e.message());
        return false;
    }

    // The flag alone cannot tell a running copy from one that crashed; the
    // lock can, because the system drops it with the process that held it.
    lock_ = std::make_unique<QLockFile>(folder_.file(QStringLiteral(".velmora.lock")));
    lock_->setStaleLockTime(0);
    const bool locked = lock_->tryLock(0);

    try {
        if (stats.running == 1) {
            if (!locked) {
                messenger_.error(kTitle, alreadyRunningLines());
                return false;
            }
            stats.running = 0;
            writeUsageStats(folder_.stats(), stats);
        }

        captured_ = desktop_.displayMode();
        if (isSmall(captured_)) {
            messenger_.information(kTitle, smallScreenLines(captured_));
            desktop_.setDisplayMode(kTargetMode);
            stats.running = 1;
            try {
                writeUsageStats(folder_.stats(), stats);
            } catch (const FileError&) {
                // The program will not run: the screen goes back as it was.
                desktop_.setDisplayMode(captured_);
                throw;
            }
        }
    } catch (const FileError& e) {
        showFailure(QStringLiteral("Velmora cannot start."), e.message());
        return false;
    }
    return true;
}

bool Session::finish()
{
    desktop_.setDisplayMode(captured_);
    try {
        UsageStats stats = readUsageStats(folder_.stats());
        stats.running = 0;
        writeUsageStats(folder_.stats(), stats);
    } catch (const FileError& e) {
        showFailure(QStringLiteral("Velmora could not record that it has ended."), e.message());
        return false;
    }
    return true;
}

}  // namespace vel
