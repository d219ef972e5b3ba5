#pragma once
// The export tool's own input and output, every step of it checked: a
// batch run has no one watching, so a write that did not happen must end
// in a message and a failing exit status, never in a quiet half result.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <functional>
#include <vector>

namespace exporttool {

// Paths are kept as the bytes the system gives: a folder copied from an old
// Windows disk has names that are not UTF-8, and such a name, once decoded,
// could not open its file again.

// A path for messages and for the exported "file": each name in it read as
// UTF-8 where it is valid, otherwise as Windows-1252 (what those disks hold).
QString displayPath(const QByteArray& path);
QByteArray joinPath(const QByteArray& folder, const QByteArray& name);
// The names of a folder, kept in one block: a practice's folder may hold a
// hundred thousand of them.
class FolderListing {
public:
    qsizetype size() const { return static_cast<qsizetype>(entries_.size()); }
    QByteArray name(qsizetype i) const;

private:
    friend FolderListing folderEntries(const QByteArray&, const std::function<bool(QByteArrayView)>&);
    struct Entry {
        quint32 start;
        quint32 length;
        bool ascii;
    };
    QByteArray names_;
    std::vector<Entry> entries_;
};
// Every name in the folder that `keep` takes (all when it is empty), hidden
// ones included, in the order of their displayed names. Throws
// vel::FileError when the folder cannot be read.
FolderListing folderEntries(const QByteArray& folder, const std::function<bool(QByteArrayView)>& keep = {});

// Reading. Only regular files are read (links are followed): a FIFO, a
// device or a folder in a file's place is refused by name before anything
// opens it, so the tool never waits on one. Both throw vel::FileError
// naming the path.

enum class Kind { Missing, Folder, Regular, Other };
// What is at the path, links followed; `reason` says why it is not a
// regular file (what is there, or why it could not be looked at).
Kind kindOf(const QByteArray& path, QString* reason = nullptr);

// Exactly the first `size` bytes; a shorter file is an error.
QByteArray readFileHead(const QByteArray& path, qint64 size);
// The whole file, refused when it is larger than `cap`.
QByteArray readWholeFile(const QByteArray& path, qint64 cap);

// Writing.

// Creates the folder and the folders above it; throws vel::FileError naming
// the folder, with the part that could not be made and why.
void makeFolder(const QByteArray& folder);
// Writes a temporary file beside `path`, syncs it, and only then renames it
// over `path`, so a failed write leaves the old file (or none) and no
// temporary one. Throws vel::FileError naming the path.
void writeFileWhole(const QByteArray& path, const QByteArray& content);

// The same, written piece by piece: the content goes to a temporary file
// beside `path` as it comes, and `commit` syncs it and renames it over
// `path`. Until then the old file stays; a file never committed (a failed
// write, an early return) leaves no temporary one. Every member throws
// vel::FileError naming `path`.
class StreamedFile {
public:
    explicit StreamedFile(const QByteArray& path);
    ~StreamedFile();
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;
    void append(const QByteArray& bytes);
    void commit();

private:
    void flush();
    void writeAll(const QByteArray& bytes);
    [[noreturn]] void fail(int error);
    QByteArray path_;
    QByteArray temporary_;
    QString shown_;
    QByteArray buffer_;
    int fd_ = -1;
};

// Standard output.

// Call once at start, before anything is opened. A closed descriptor 0, 1
// or 2 is taken by /dev/null so that no file the tool opens later becomes
// one of them (messages would land in a PDF); a closed standard output is
// remembered, and writing to it fails.
void guardStandardStreams();
// False, with the reason, when standard output is closed or the write or
// its flush fails (a full disk, /dev/full, a closed pipe).
bool writeStandardOutput(const QByteArray& bytes, QString& reason);
// Closes standard output at the end; false, with the reason, when what was
// still buffered could not be written.
bool closeStandardOutput(QString& reason);

}  // namespace exporttool
