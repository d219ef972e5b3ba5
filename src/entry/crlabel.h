#pragma once
#include <QLabel>

namespace vel {

// Multi-line texts the program builds break lines with a single carriage
// return (reports and files rely on it); a label shows them on separate lines
// and gives the text back as it was set.
void setCrText(QLabel* label, const QString& text);
QString crText(const QLabel* label);

}  // namespace vel
