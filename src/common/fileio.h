#pragma once
#include <QByteArray>
#include <QString>
#include <stdexcept>

namespace vel {

// A file operation that failed inside a user action. It carries the file and
// the system's reason so the error box can name both.
class FileError : public std::runtime_error {
public:
    FileError(QString path, QString reason);
    const QString& path() const { return path_; }
    const QString& reason() const { return reason_; }
    // "<file name>: <reason>", for the error box.
    QString message() const;

private:
    QString path_;
    QString reason_;
};

// Reads the whole file; a file shorter than `minimumSize` is an error.
QByteArray readFileBytes(const QString& path, qint64 minimumSize = 0);
// Reads exactly `size` bytes from the start of the file.
QByteArray readFileHead(const QString& path, qint64 size);
// Writes the whole content to a temporary file and renames it over the old
// one, so a crash or a full disk never leaves half a file behind.
void replaceFile(const QString& path, const QByteArray& content);
// Creates a file that must not exist yet; a failed write leaves no file.
void createNewFile(const QString& path, const QByteArray& content);

}  // namespace vel
