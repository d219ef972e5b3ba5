#include "checkedio.h"

#include "common/cp1252.h"
#include "common/fileio.h"

#include <QStringDecoder>
#include <QByteArrayView>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace exporttool {

namespace {

bool stdoutClosed = false;
bool stdoutFailed = false;  // reported once, where it happened

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Empty for a regular file, else what is there instead.
QString notRegular(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return QStringLiteral("this is a folder, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("this is a FIFO (named pipe), not a regular file");
    if (S_ISSOCK(mode))
        return QStringLiteral("this is a socket, not a regular file");
    return QStringLiteral("this is a device, not a regular file");
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Up to `limit` bytes, and one more when `overflow` is wanted, so that a
// file longer than the limit can be told from one exactly as long.
QByteArray readRegular(const QByteArray& path, qint64 limit, bool overflow)
{
    // Named only when something fails: most reads succeed.
    const auto shown = [&path] { return displayPath(path); };
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        throw vel::FileError(shown(), systemReason(errno));
    if (const QString what = notRegular(info.st_mode); !what.isEmpty())
        throw vel::FileError(shown(), what);
    // Non-blocking, in case something else was put in its place since.
    const Descriptor fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        throw vel::FileError(shown(), systemReason(errno));
    if (::fstat(fd.get(), &info) != 0)
        throw vel::FileError(shown(), systemReason(errno));
    if (const QString what = notRegular(info.st_mode); !what.isEmpty())
        throw vel::FileError(shown(), what);
    const qint64 wanted = limit + (overflow ? 1 : 0);
    QByteArray bytes;
    bytes.reserve(std::min<qint64>(wanted, info.st_size + 1));
    char chunk[65536];
    while (bytes.size() < wanted) {
        const auto ask = static_cast<size_t>(std::min<qint64>(sizeof chunk, wanted - bytes.size()));
        const ssize_t n = ::read(fd.get(), chunk, ask);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw vel::FileError(shown(), systemReason(errno));
        if (n == 0)
            break;
        bytes.append(chunk, n);
    }
    return bytes;
}

}  // namespace

QString displayPath(const QByteArray& path)
{
    QStringList names;
    for (const QByteArray& name : path.split('/')) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8(name);
        names << (utf8.hasError() ? vel::fromCp1252(name) : decoded);
    }
    return names.join(QLatin1Char('/'));
}

QByteArray joinPath(const QByteArray& folder, const QByteArray& name)
{
    if (folder.isEmpty() || folder.endsWith('/'))
        return folder + name;
    return folder + '/' + name;
}

QByteArray FolderListing::name(qsizetype i) const
{
    const Entry& e = entries_[static_cast<std::size_t>(i)];
    return names_.mid(e.start, e.length);
}

FolderListing folderEntries(const QByteArray& folder, const std::function<bool(QByteArrayView)>& keep)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        throw vel::FileError(displayPath(folder), systemReason(errno));
    FolderListing listing;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry)
            break;
        const QByteArrayView name(entry->d_name);
        if (name == "." || name == ".." || (keep && !keep(name)))
            continue;
        const bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return static_cast<uchar>(c) < 0x80; });
        listing.entries_.push_back({static_cast<quint32>(listing.names_.size()), static_cast<quint32>(name.size()), ascii});
        listing.names_ += name;
    }
    const int error = errno;
    ::closedir(dir);
    if (error != 0)
        throw vel::FileError(displayPath(folder), systemReason(error));
    // In the order of the displayed names. For names all in ASCII that is
    // the order of their bytes; only the others need decoding to compare.
    const QByteArray& names = listing.names_;
    const auto bytes = [&names](const FolderListing::Entry& e) { return QByteArrayView(names).sliced(e.start, e.length); };
    std::sort(listing.entries_.begin(), listing.entries_.end(),
              [&](const FolderListing::Entry& x, const FolderListing::Entry& y) {
                  if (!x.ascii || !y.ascii) {
                      const int shown = displayPath(bytes(x).toByteArray()).compare(displayPath(bytes(y).toByteArray()));
                      if (shown != 0)
                          return shown < 0;
                  }
                  return bytes(x) < bytes(y);
              });
    return listing;
}

Kind kindOf(const QByteArray& path, QString* reason)
{
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) {
        const int error = errno;
        if (reason)
            *reason = systemReason(error);
        return error == ENOENT ? Kind::Missing : Kind::Other;
    }
    if (reason)
        *reason = notRegular(info.st_mode);
    if (S_ISREG(info.st_mode))
        return Kind::Regular;
    return S_ISDIR(info.st_mode) ? Kind::Folder : Kind::Other;
}

QByteArray readFileHead(const QByteArray& path, qint64 size)
{
    const QByteArray bytes = readRegular(path, size, false);
    if (bytes.size() < size)
        throw vel::FileError(displayPath(path), QStringLiteral("the file is shorter than %1 bytes (it has %2)")
                                                          .arg(size)
                                                          .arg(bytes.size()));
    return bytes;
}

QByteArray readWholeFile(const QByteArray& path, qint64 cap)
{
    QByteArray bytes = readRegular(path, cap, true);
    if (bytes.size() > cap)
        throw vel::FileError(displayPath(path),
                             QStringLiteral("the file is larger than %1 bytes, too large for what it should hold").arg(cap));
    return bytes;
}

void guardStandardStreams()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        if (fd == STDOUT_FILENO)
            stdoutClosed = true;
        // open() returns the lowest free descriptor, which is this one.
        const int null = ::open("/dev/null", O_RDWR);
        if (null != fd && null >= 0)
            ::close(null);
    }
}

void makeFolder(const QByteArray& folder)
{
    // Each folder on the way, from the top: "a", "a/b", "a/b/c".
    qsizetype end = 0;
    do {
        end = folder.indexOf('/', end + 1);
        const QByteArray part = end < 0 ? folder : folder.left(end);
        if (::mkdir(part.constData(), 0777) == 0)
            continue;
        const int error = errno;
        const Kind kind = kindOf(part);
        if (error == EEXIST && kind == Kind::Folder)
            continue;
        QString reason = systemReason(error);
        if (error == EEXIST)
            reason = kind == Kind::Regular ? QStringLiteral("this is a file, not a folder")
                                           : QStringLiteral("this is not a folder");
        if (part != folder)
            reason = displayPath(part) + QStringLiteral(": ") + reason;
        throw vel::FileError(displayPath(folder), QStringLiteral("cannot create this folder: ") + reason);
    } while (end >= 0);
}

namespace {

// Pieces are gathered to this size before they are written.
constexpr qsizetype kWriteChunk = 256 * 1024;

}  // namespace

StreamedFile::StreamedFile(const QByteArray& path) : path_(path), shown_(displayPath(path))
{
    // A file being replaced keeps its permissions; a new one gets the umask's.
    struct stat old {};
    const bool replacing = ::stat(path.constData(), &old) == 0 && S_ISREG(old.st_mode);
    for (int attempt = 0; fd_ < 0; ++attempt) {
        temporary_ = path + ".tmp-" + QByteArray::number(::getpid()) + '-' + QByteArray::number(attempt);
        fd_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && (errno != EEXIST || attempt >= 100))
            throw vel::FileError(shown_, systemReason(errno));
    }
    if (replacing && ::fchmod(fd_, old.st_mode & 07777) != 0)
        fail(errno);
    buffer_.reserve(kWriteChunk);
}

StreamedFile::~StreamedFile()
{
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temporary_.constData());
    }
}

void StreamedFile::fail(int error)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    ::unlink(temporary_.constData());
    throw vel::FileError(shown_, systemReason(error));
}

void StreamedFile::append(const QByteArray& bytes)
{
    if (buffer_.isEmpty() && bytes.size() >= kWriteChunk) {
        writeAll(bytes);  // a whole report: no copy into the buffer first
        return;
    }
    buffer_ += bytes;
    if (buffer_.size() >= kWriteChunk)
        flush();
}

void StreamedFile::writeAll(const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(errno);
        done += n;
    }
}

void StreamedFile::flush()
{
    writeAll(buffer_);
    buffer_.resize(0);
}

void StreamedFile::commit()
{
    flush();
    if (::fsync(fd_) != 0)
        fail(errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) {
        ::unlink(temporary_.constData());
        throw vel::FileError(shown_, systemReason(errno));
    }
    if (::rename(temporary_.constData(), path_.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary_.constData());
        throw vel::FileError(shown_, systemReason(error));
    }
}

void writeFileWhole(const QByteArray& path, const QByteArray& content)
{
    StreamedFile file(path);
    file.append(content);
    file.commit();
}

bool writeStandardOutput(const QByteArray& bytes, QString& reason)
{
    if (stdoutClosed) {
        stdoutFailed = true;
        reason = QStringLiteral("it is closed");
        return false;
    }
    errno = 0;
    const size_t written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    if (written != static_cast<size_t>(bytes.size()) || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        stdoutFailed = true;
        reason = errno != 0 ? systemReason(errno) : QStringLiteral("the write failed");
        return false;
    }
    return true;
}

bool closeStandardOutput(QString& reason)
{
    if (stdoutClosed || stdoutFailed)
        return true;  // nothing was written to it, or the failure is already told
    errno = 0;
    const bool failed = std::ferror(stdout) != 0;
    if (std::fclose(stdout) != 0 || failed) {
        reason = errno != 0 ? systemReason(errno) : QStringLiteral("the write failed");
        return false;
    }
    return true;
}

}  // namespace exporttool
