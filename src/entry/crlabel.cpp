#include "entry/crlabel.h"

#include <QVariant>

namespace vel {

namespace {
constexpr char kRawText[] = "crText";
}

void setCrText(QLabel* label, const QString& text)
{
    label->setProperty(kRawText, text);
    QString shown = text;
    label->setText(shown.replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

QString crText(const QLabel* label)
{
    const QVariant raw = label->property(kRawText);
    QString shown = label->text();
    if (raw.isValid() && shown == raw.toString().replace(QLatin1Char('\r'), QLatin1Char('\n')))
        return raw.toString();
    return shown;
}

}  // namespace vel
