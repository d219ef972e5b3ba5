#pragma once
#include "common/controltexts.h"

#include <QList>
#include <QString>
#include <utility>

namespace vel {

// The parameters of "report1" in the order they are set, each line made of
// its caption, ":  ", the value shown and its unit. Cross and diagnosis
// parameters that do not apply come with an empty text, which removes them:
// nothing of an earlier print can show on this one. `lastPage` is 2 when a
// suggested diagnosis is shown, 1 otherwise.
QList<std::pair<QString, QString>> tweedReportParameters(const ControlTexts& shown, int& lastPage);

}  // namespace vel
