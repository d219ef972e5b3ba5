#pragma once
#include "common/controltexts.h"

#include <QList>
#include <QString>
#include <utility>

namespace vel {

// The parameters of "report2" from what the Bolton tab shows.
QList<std::pair<QString, QString>> boltonReportParameters(const ControlTexts& shown);

}  // namespace vel
