#include "common/textconv.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace vel {

namespace {

const QRegularExpression& realPattern()
{
    static const QRegularExpression re(
        QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    return re;
}

const QRegularExpression& intPattern()
{
    static const QRegularExpression re(QStringLiteral(R"(^[+-]?\d+$)"));
    return re;
}

// Adds one unit at the last digit of a string of decimal digits, carrying left.
void incrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

double textToReal(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || !realPattern().match(t).hasMatch())
        return 0.0;
    const QByteArray bytes = t.toLatin1();
    double value = 0.0;
    const char* first = bytes.constData();
    if (*first == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, bytes.constData() + bytes.size(), value);
    if (ec != std::errc() || end != bytes.constData() + bytes.size() || !std::isfinite(value))
        return 0.0;
    return value;
}

int textToInt(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || !intPattern().match(t).hasMatch())
        return 0;
    bool ok = false;
    const qlonglong value = t.toLongLong(&ok);
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(value);
}

QString realToText(double value, int width, int decimals)
{
    decimals = std::max(0, decimals);
    QString text;
    if (std::isnan(value)) {
        text = QStringLiteral("NAN");
    } else if (std::isinf(value)) {
        text = value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    } else {
        // glibc prints a double's exact binary value; 1100 fractional digits
        // cover every double, so the digits below are the true expansion.
        const bool negative = value < 0;
        static thread_local char buffer[1500];
        std::snprintf(buffer, sizeof buffer, "%.1100f", std::fabs(value));
        const std::string exact(buffer);
        const auto point = exact.find('.');
        std::string digits = exact.substr(0, point) + exact.substr(point + 1, decimals);
        const std::string rest = exact.substr(point + 1 + decimals);
        // rest[0] >= '5' means at least half a unit: a tie goes away from zero.
        if (!rest.empty() && rest[0] >= '5')
            incrementDigits(digits);
        const auto intLength = digits.size() - decimals;
        std::string out = digits.substr(0, intLength);
        if (decimals > 0)
            out += '.' + digits.substr(intLength);
        if (negative)
            out.insert(out.begin(), '-');
        text = QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
    }
    if (text.size() < width)
        text = QString(width - text.size(), QLatin1Char(' ')) + text;
    return text;
}

QString intToText(int value)
{
    return QString::number(value);
}

}  // namespace vel
