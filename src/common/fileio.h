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

// Upper bounds on what is read whole: a file far beyond them is not what its
// name says (or was damaged), and reading it would only exhaust the memory.
namespace readCap {
constexpr qint64 kTextFile = 8 * 1024 * 1024;     // an outline or a history
constexpr qint64 kDefinitions = 4 * 1024 * 1024;  // the report layouts
constexpr qint64 kImage = 16 * 1024 * 1024;       // a picture on a report
constexpr qint64 kAny = 64 * 1024 * 1024;         // anything else read whole
}  // namespace readCap

// Only regular files are read or written. A folder, pipe, device or socket
// in a file's place is refused by name before anything waits on it.
void requireRegularFile(const QString& path);

// Reads the whole file; shorter than `minimumSize` or longer than
// `maximumSize` is an error.
QByteArray readFileBytes(const QString& path, qint64 minimumSize = 0, qint64 maximumSize = readCap::kAny);
// Reads exactly `size` bytes from the start of the file.
QByteArray readFileHead(const QString& path, qint64 size);

// Every write below is flushed to the disk and checked before the file takes
// its name, so a crash or a full disk never leaves half a file behind and a
// failure is never reported as success: on any error the old file is as it
// was and no new or partial file is left.

// Writes the whole content aside and renames it over the old file.
void replaceFile(const QString& path, const QByteArray& content);
// Creates a file that must not exist yet.
void createNewFile(const QString& path, const QByteArray& content);

// For tests: the room left on the disk for the writes above, in bytes; a write
// beyond it fails as a full disk fails ("No space left on device"). Negative
// means no limit, as on the real machine.
void setDiskRoomForTesting(qint64 bytes);

}  // namespace vel
