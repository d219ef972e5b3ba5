#pragma once
#include <QMap>
#include <QString>

namespace vel {

// What a tab shows, by control name. For the Tweed tab: entry fields, result
// labels and the Suggested Diagnosis panel (a hidden caption or "or" label
// maps to ""), plus "gender" ("Male"/"Female"), "stage" ("PRE-TX" ...) and
// "impaOption" ("Yes"/"No"). The tab, the export and the report all speak
// this map.
using ControlTexts = QMap<QString, QString>;

}  // namespace vel
