#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// The treatment outline (.otl) and treatment history (.pln) files: text in
// Windows-1252 with CR LF line ends, the patient's name on the first line.
namespace vel {

// A note file as the tabs show it: the name line, then everything after it.
struct NoteFile {
    QString patient;
    QStringList lines;
};

// The dashes that close every history entry.
inline constexpr int kHistorySeparatorLength = 145;

// A memo's text as file lines, one per paragraph (never where the display
// wraps). An empty text has no lines at all.
QStringList textLines(const QString& text);

// The characters of `text` the code page cannot hold, each once, in order.
// Saving them would quietly turn them into '?', so the tabs refuse instead.
QString unstorableCharacters(const QString& text);

// Each line followed by CR LF, in Windows-1252.
QByteArray encodeLines(const QStringList& lines);
// CR LF or bare LF; a final line end does not start an extra empty line.
QStringList decodeLines(const QByteArray& bytes);

NoteFile readNoteFile(const QString& path);

// The whole outline goes to a temporary file that is renamed over the old
// one, so a failed save leaves the previous outline intact.
void writeOutlineFile(const QString& path, const QString& patient, const QStringList& lines);

// One dated entry at the end of the history; a history that does not exist
// yet starts with the name line. What is already in the file is never
// rewritten: a write that fails is cut back to the old end. Returns whether
// the file existed before.
bool appendHistoryEntry(const QString& path, const QString& patient, const QString& date,
                        const QStringList& description);

}  // namespace vel
