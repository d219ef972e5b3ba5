#include "common/fileio.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

// Reads up to `limit` bytes (all of them when negative); fewer than `minimum` is an error.
QByteArray readChecked(const QString& path, qint64 limit, qint64 minimum)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(path, file.errorString());
    const QByteArray bytes = limit < 0 ? file.readAll() : file.read(limit);
    if (file.error() != QFileDevice::NoError)
        throw FileError(path, file.errorString());
    if (bytes.size() < minimum)
        throw FileError(path, QStringLiteral("the file is shorter than %1 bytes (it has %2)")
                                  .arg(minimum)
                                  .arg(bytes.size()));
    return bytes;
}

}  // namespace

QByteArray readFileBytes(const QString& path, qint64 minimumSize)
{
    return readChecked(path, -1, minimumSize);
}

QByteArray readFileHead(const QString& path, qint64 size)
{
    return readChecked(path, size, size);
}

void replaceFile(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(path, file.errorString());
    if (file.write(content) != content.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileError(path, reason);
    }
    if (!file.commit())
        throw FileError(path, file.errorString());
}

}  // namespace vel

namespace vel {

void createNewFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw FileError(path, file.exists() ? QStringLiteral("the file already exists") : file.errorString());
    if (file.write(content) != content.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        file.remove();
        throw FileError(path, reason);
    }
    file.close();
}

}  // namespace vel
