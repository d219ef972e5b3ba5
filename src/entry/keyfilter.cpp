#include "entry/keyfilter.h"

namespace vel {

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Lower-case letters of the Windows-1252 page that have a capital in it;
// å, æ, ð, ø, ý and ÿ are left alone.
QChar toNameCapital(QChar c)
{
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
        return QChar(c.unicode() - 32);
    static const QString lower = QString::fromUtf8("àáâãäçèéêëìíîïñòóôõöùúûü");
    if (lower.contains(c))
        return QChar(c.unicode() - 32);
    return c;
}

FilterResult filterReal(bool signedValue, const QString& text, QChar k)
{
    if (k == QLatin1Char(','))
        k = QLatin1Char('.');
    if (k == kBackspace || isDigit(k))
        return FilterResult::accept(k);
    if (k == QLatin1Char('.')) {
        if (!text.isEmpty() && !text.contains(QLatin1Char('.')))
            return FilterResult::accept(k);
        return FilterResult::drop();
    }
    if (signedValue && k == QLatin1Char('-'))
        return text.isEmpty() ? FilterResult::accept(k) : FilterResult::drop();
    return FilterResult::warn();
}

QString completeDecimal(const QString& text)
{
    if (text.contains(QLatin1Char('.')))
        return text.endsWith(QLatin1Char('.')) ? text + QLatin1Char('0') : text;
    if (text.isEmpty())
        return text;
    return text + QStringLiteral(".0");
}

QString completeSigned(const QString& text)
{
    if (text.contains(QLatin1Char('.')))
        return completeDecimal(text);
    if (text.isEmpty() || text == QLatin1String("-"))
        return QString();
    return text + QStringLiteral(".0");
}

}  // namespace

FilterResult filterKey(KeyFilter filter, const QString& text, QChar k)
{
    switch (filter) {
    case KeyFilter::PositiveReal:
        return filterReal(false, text, k);
    case KeyFilter::SignedReal:
        return filterReal(true, text, k);
    case KeyFilter::WholeNumber:
        return (k == kBackspace || isDigit(k)) ? FilterResult::accept(k) : FilterResult::warn();
    case KeyFilter::Name: {
        k = toNameCapital(k);
        const char16_t u = k.unicode();
        if (k == kBackspace || k == QLatin1Char(' ') || k == QLatin1Char(',') || (u >= 'A' && u <= 'Z')
            || (u >= 192 && u <= 221))
            return FilterResult::accept(k);
        return FilterResult::warn();
    }
    }
    return FilterResult::warn();
}

QString complete(Completion completion, const QString& text)
{
    switch (completion) {
    case Completion::None:
        return text;
    case Completion::Decimal:
        return completeDecimal(text);
    case Completion::SignedDecimal:
        return completeSigned(text);
    case Completion::NegativeDecimal: {
        const QString t = completeSigned(text);
        return (t.isEmpty() || t.contains(QLatin1Char('-'))) ? t : QLatin1Char('-') + t;
    }
    }
    return text;
}

}  // namespace vel

namespace vel {

QString molarCorrectionWarning(const QString& text, bool classII, bool classIII)
{
    const bool negative = text.contains(QLatin1Char('-'));
    if (classII && !text.isEmpty() && !negative)
        return QStringLiteral("For Class II, Molar Correction should be NEGATIVE!");
    if (classIII && !text.isEmpty() && negative)
        return QStringLiteral("For Class III, Molar Correction should be POSITIVE!");
    return QString();
}

}  // namespace vel
