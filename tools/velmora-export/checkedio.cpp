#include "checkedio.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace exporttool {

namespace {

bool stdoutClosed = false;
bool stdoutFailed = false;  // reported once, where it happened

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

}  // namespace

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
