#pragma once
#include "bolton/boltoncalc.h"
#include "bolton/boltonfile.h"

#include <QList>
#include <QMap>
#include <QString>
#include <array>
#include <utility>

// The Bolton analysis described once: every entry and result the tab shows,
// with the name of its control, the report parameter it prints as and the
// heading it takes in a spreadsheet. The tab, the report and the export all
// read these tables.
namespace vel {

struct BoltonEntry {
    const char* control;        // the field's object name
    const char* reportParam;    // "report2" parameter, or nullptr
    const char* exportHeading;  // spreadsheet column
};

struct BoltonResult {
    const char* control;        // the label's object name
    QString BoltonResults::*text;
    const char* reportParam;    // "report2" parameter, or nullptr
    const char* exportHeading;  // spreadsheet column, or nullptr
};

// Patient, the maxillary then the mandibular widths, the transfer area; in
// the order the export lists them.
extern const std::array<BoltonEntry, 29> kBoltonEntries;
// Every result label, in the order the tab shows them.
extern const std::array<BoltonResult, 26> kBoltonResults;

// A stored record's entries by control name, as the fields show them.
QMap<QString, QString> boltonEntryTexts(const BoltonRecord& record);
// The result labels' texts by control name, in table order.
QList<std::pair<QString, QString>> boltonResultTexts(const BoltonResults& results);

}  // namespace vel
