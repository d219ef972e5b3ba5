#pragma once
#include <QList>
#include <QMap>
#include <QString>
#include <utility>

namespace vel {

// What the Tweed tab shows, by control name: entry fields, result labels and
// the Suggested Diagnosis panel (a hidden caption or "or" label maps to ""),
// plus "gender" ("Male"/"Female"), "stage" ("PRE-TX" ...) and "impaOption"
// ("Yes"/"No"). The tab, the export and the report all speak this map.
using ControlTexts = QMap<QString, QString>;

// The parameters of "report1" in the order they are set, each line made of
// its caption, ":  ", the value shown and its unit. Cross and diagnosis
// parameters that do not apply come with an empty text, which removes them:
// nothing of an earlier print can show on this one. `lastPage` is 2 when a
// suggested diagnosis is shown, 1 otherwise.
QList<std::pair<QString, QString>> tweedReportParameters(const ControlTexts& shown, int& lastPage);

// The parameters of "report2" from what the Bolton tab shows.
QList<std::pair<QString, QString>> boltonReportParameters(const ControlTexts& shown);

}  // namespace vel
