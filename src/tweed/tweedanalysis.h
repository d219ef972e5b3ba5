#pragma once
#include "tweed/tweedcalc.h"

#include <QList>
#include <QString>
#include <array>
#include <utility>

// The Tweed analysis described once: every entry and result of the tab with
// the name of its control, its caption, the unit its report line adds, the
// "report1" parameter of that line and its spreadsheet heading. The tab, the
// report and the export all read these tables.
namespace vel {

// The boxes of the tab that hold the results.
enum class TweedBox { Cephalometric, Difficulty, Headfilm, Space };

struct TweedEntry {
    const char* control;
    QString TweedInputs::*input;
    const char* caption;        // UTF-8, as the tab and the report show it
    const char* unit;           // after the value on the report
    const char* reportParam;    // nullptr: not a line of its own
    const char* exportHeading;
};

struct TweedResult {
    const char* control;
    QString TweedResults::*text;
    TweedBox box;
    const char* caption;        // UTF-8; nullptr for a result shown alone
    const char* unit;
    const char* reportParam;    // nullptr: not a line of its own
    const char* exportHeading;  // nullptr: not a column
};

// The twelve measurements and the eight space entries, in the order of the file.
extern const std::array<TweedEntry, 20> kTweedEntries;
// Every result label, box by box as the analysis computes them: the
// cephalometric results, the difficulty index and its grade, the headfilm
// discrepancy, the total space analysis.
extern const std::array<TweedResult, 34> kTweedResults;

// The caption of an entry or a result ("FMA (22° to 28°)"), or an empty text.
QString tweedCaption(const QString& control);
// The result labels' texts by control name, in table order.
QList<std::pair<QString, QString>> tweedResultTexts(const TweedResults& results);

}  // namespace vel
