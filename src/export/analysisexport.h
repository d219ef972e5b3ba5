#pragma once
#include "bolton/boltontables.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <utility>

// A stored analysis as its tab shows it right after OPEN on a freshly
// started program: the same restore, the same calculation without questions,
// and for a Tweed file with guidance the guidance on the stored answers.
// Nothing is counted and nothing is written.
namespace vel {

struct ExportedAnalysis {
    QString file;
    QString kind;  // "tweed" or "bolton"
    QList<std::pair<QString, QString>> fields;   // entry fields by control name, in tab order
    QList<std::pair<QString, QString>> results;  // every result label, empty ones included
    QStringList messages;                         // the warnings the tab would have shown

    // Fields and results together, for the report parameters.
    QMap<QString, QString> controls() const;
};

// Both read the file and throw FileError when it cannot be read or is too short.
ExportedAnalysis exportTweedFile(const QString& path);
ExportedAnalysis exportBoltonFile(const QString& path, const BoltonTables& tables);
// The same for a record already read; `path` names it (the stage comes from its name).
ExportedAnalysis exportTweedRecord(const QString& path, const struct TweedRecord& record);
ExportedAnalysis exportBoltonRecord(const QString& path, const struct BoltonRecord& record, const BoltonTables& tables);

// One JSON array, an object per analysis, keys in the order above.
QByteArray analysesToJson(const QList<ExportedAnalysis>& analyses);
// The same document a piece at a time, for an export that writes each
// analysis as it is read: jsonStart(), jsonAnalysis() for each (the first
// with `first`), jsonEnd().
QByteArray jsonStart();
QByteArray jsonAnalysis(const ExportedAnalysis& analysis, bool first);
QByteArray jsonEnd();
// RFC 4180, UTF-8, a header row, one row per analysis of that kind. A cell a
// spreadsheet would run as a formula starts with an apostrophe.
QByteArray analysesToCsv(const QList<ExportedAnalysis>& analyses, const QString& kind);
// The same a line at a time: the headings of a kind, and an analysis's row
// for its own kind.
QByteArray csvHeader(const QString& kind);
QByteArray csvRow(const ExportedAnalysis& analysis);

}  // namespace vel
