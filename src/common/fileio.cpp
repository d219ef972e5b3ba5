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

QByteArray readFileBytes(const QString& path, qint64 minimumSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(path, file.errorString());
    if (bytes.size() < minimumSize)
        throw FileError(path, QStringLiteral("the file is shorter than %1 bytes (it has %2)")
                                  .arg(minimumSize)
                                  .arg(bytes.size()));
    return bytes;
}

QByteArray readFileHead(const QString& path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(path, file.errorString());
    const QByteArray bytes = file.read(size);
    if (file.error() != QFileDevice::NoError)
        throw FileError(path, file.errorString());
    if (bytes.size() < size)
        throw FileError(path, QStringLiteral("the file is shorter than %1 bytes (it has %2)")
                                  .arg(size)
                                  .arg(bytes.size()));
    return bytes;
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
