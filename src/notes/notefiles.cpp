#include "notes/notefiles.h"

#include "common/cp1252.h"
#include "common/fileio.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace vel {

QStringList textLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    // Pasted text may bring its own line ends; each one ends a file line,
    // and none may survive inside a line to split it differently on reading.
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|[\r\n\u2028\u2029]"));
    return text.split(lineEnd);
}

QString unstorableCharacters(const QString& text)
{
    QList<char32_t> found;
    for (const char32_t c : text.toUcs4()) {
        const bool storable = c <= 0xFFFF && (c == U'?' || toCp1252(QChar(char16_t(c))) != '?');
        if (!storable && !found.contains(c))
            found.append(c);
    }
    return QString::fromUcs4(found.constData(), found.size());
}

QByteArray encodeLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toCp1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

QStringList decodeLines(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    QStringList lines = fromCp1252(bytes).split(QLatin1Char('\n'));
    if (lines.constLast().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

NoteFile readNoteFile(const QString& path)
{
    QStringList lines = decodeLines(readFileBytes(path, 0, readCap::kTextFile));
    NoteFile note;
    if (!lines.isEmpty())
        note.patient = lines.takeFirst();
    note.lines = lines;
    return note;
}

void writeOutlineFile(const QString& path, const QString& patient, const QStringList& lines)
{
    replaceFile(path, encodeLines(QStringList{patient} + lines));
}

namespace {

QStringList historyEntry(const QString& date, const QStringList& description)
{
    return QStringList{date, QString()} + description + QStringList{QString(kHistorySeparatorLength, QLatin1Char('-'))};
}

}  // namespace

bool appendHistoryEntry(const QString& path, const QString& patient, const QString& date,
                        const QStringList& description)
{
    const QByteArray entry = encodeLines(historyEntry(date, description));
    if (!QFileInfo::exists(path)) {
        createNewFile(path, encodeLines({patient}) + entry);
        return false;
    }
    // The history with its new entry replaces the old one whole: a full disk
    // or a crash leaves the old history as it was, never half an entry.
    QByteArray bytes = readFileBytes(path, 0, readCap::kTextFile);
    // A history edited by hand may lack its last line end; the entry must not
    // be glued onto that line.
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes += "\r\n";
    replaceFile(path, bytes + entry);
    return true;
}

}  // namespace vel
