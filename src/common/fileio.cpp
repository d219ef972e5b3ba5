#include "common/fileio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vel {

FileError::FileError(QString path, QString reason)
    : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString()),
      path_(std::move(path)),
      reason_(std::move(reason))
{
}

QString FileError::message() const
{
    return QFileInfo(path_).fileName() + QStringLiteral(": ") + reason_;
}

namespace {

std::atomic<qint64> diskRoom{-1};

QString systemReason(int error)
{
    return qt_error_string(error);
}

QString notRegularReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("this is a folder, not a file");
    return QStringLiteral("this is not an ordinary file (it is a pipe, a device or a socket), so it is not used");
}

// Opens for reading without ever waiting: a pipe in a file's place would
// otherwise block until something writes to it.
int openForReading(const QString& path, qint64 maximumSize)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw FileError(path, systemReason(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        throw FileError(path, systemReason(error));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throw FileError(path, notRegularReason(st.st_mode));
    }
    if (maximumSize >= 0 && st.st_size > maximumSize) {
        ::close(fd);
        throw FileError(path, QStringLiteral("the file has %1 bytes, more than the %2 a file of its kind can have, "
                                             "so it is not read")
                                  .arg(st.st_size)
                                  .arg(maximumSize));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Reads up to `limit` bytes; fewer than `minimum` is an error.
QByteArray readChecked(const QString& path, qint64 limit, qint64 minimum, qint64 maximumSize)
{
    const int fd = openForReading(path, maximumSize);
    QByteArray bytes;
    char buffer[65536];
    while (bytes.size() < limit) {
        const qint64 want = std::min<qint64>(sizeof buffer, limit - bytes.size());
        const ssize_t got = ::read(fd, buffer, static_cast<size_t>(want));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            throw FileError(path, systemReason(error));
        }
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    ::close(fd);
    if (bytes.size() < minimum)
        throw FileError(path, QStringLiteral("the file is shorter than %1 bytes (it has %2)")
                                  .arg(minimum)
                                  .arg(bytes.size()));
    return bytes;
}

// Writes, flushes and syncs, or throws with the system's reason. The room
// left for tests stands for the disk's own.
void writeToDisk(QFileDevice& file, const QString& path, const QByteArray& content)
{
    QByteArray part = content;
    bool full = false;
    if (const qint64 room = diskRoom.load(); room >= 0) {
        if (content.size() > room) {
            part = content.left(room);
            full = true;
        }
        diskRoom.store(room - part.size());
    }
    if (file.write(part) != part.size() || !file.flush())
        throw FileError(path, file.errorString());
    if (full)
        throw FileError(path, systemReason(ENOSPC));
    if (::fsync(file.handle()) != 0)
        throw FileError(path, systemReason(errno));
}

// A file in the way that is not an ordinary file is never written over.
void refuseSpecialFile(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        throw FileError(path, notRegularReason(st.st_mode));
}

// Makes what was renamed or linked into a folder survive a power cut.
void syncFolder(const QString& path)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Why a new file could not be made beside `path`: the folder itself may be
// what cannot be written, although the file there could be.
FileError cannotWriteBeside(const QString& path, const QString& reason)
{
    const QString folder = QFileInfo(path).absolutePath();
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".velmora-probe-XXXXXX")));
    if (!probe.open())
        return FileError(path, QStringLiteral("the folder %1 cannot be written (%2). A file is replaced by writing its "
                                              "new copy beside it first, so the folder must allow new files.")
                                   .arg(QDir::toNativeSeparators(folder), probe.errorString()));
    return FileError(path, reason);
}

}  // namespace

void requireRegularFile(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        throw FileError(path, systemReason(errno));
    if (!S_ISREG(st.st_mode))
        throw FileError(path, notRegularReason(st.st_mode));
}

QByteArray readFileBytes(const QString& path, qint64 minimumSize, qint64 maximumSize)
{
    return readChecked(path, maximumSize + 1, minimumSize, maximumSize);
}

QByteArray readFileHead(const QString& path, qint64 size)
{
    return readChecked(path, size, size, -1);
}

void replaceFile(const QString& path, const QByteArray& content)
{
    refuseSpecialFile(path);
    QSaveFile file(path);
    // Never write in place: the old file stays whole until the new one is.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw cannotWriteBeside(path, file.errorString());
    try {
        writeToDisk(file, path, content);
    } catch (const FileError&) {
        file.cancelWriting();
        throw;
    }
    if (!file.commit())
        throw FileError(path, file.errorString());
    syncFolder(path);
}

void createNewFile(const QString& path, const QByteArray& content)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode) && !QFileInfo::exists(path))
            throw FileError(path, QStringLiteral("this is a link to a file that is not there (%1). Remove the link "
                                                 "and try again.")
                                      .arg(QFileInfo(path).symLinkTarget()));
        struct stat target {};
        if (::stat(name.constData(), &target) == 0 && !S_ISREG(target.st_mode))
            throw FileError(path, notRegularReason(target.st_mode));
        throw FileError(path, QStringLiteral("the file already exists"));
    }
    // The whole content is written and synced under a temporary name, then
    // given its name in one step that fails if the name was taken meanwhile:
    // nobody ever sees a part of the file under its name.
    QTemporaryFile temp(QFileInfo(path).absolutePath() + QStringLiteral("/.velmora-new-XXXXXX"));
    if (!temp.open())
        throw cannotWriteBeside(path, temp.errorString());
    writeToDisk(temp, path, content);
    if (::link(QFile::encodeName(temp.fileName()).constData(), name.constData()) != 0) {
        const int error = errno;
        if (error == EEXIST)
            throw FileError(path, QStringLiteral("the file already exists"));
        if (error != EPERM && error != ENOTSUP && error != EOPNOTSUPP)
            throw FileError(path, systemReason(error));
        // A file system without hard links: create the name exclusively and
        // take it away again if the content does not reach the disk.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            throw FileError(path, file.exists() ? QStringLiteral("the file already exists") : file.errorString());
        try {
            writeToDisk(file, path, content);
        } catch (const FileError&) {
            file.close();
            file.remove();
            throw;
        }
        file.close();
    }
    syncFolder(path);
}

void setDiskRoomForTesting(qint64 bytes)
{
    diskRoom.store(bytes);
}

}  // namespace vel
