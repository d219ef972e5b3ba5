#include "common/textconv.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace vel {

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// [+-] digits [. digits] or [+-] . digits, then an optional exponent.
bool isRealText(const QString& t)
{
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(t[i]))
        ++i, ++digits;
    if (i < n && t[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(t[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            ++i;
        qsizetype exponent = 0;
        while (i < n && isDigit(t[i]))
            ++i, ++exponent;
        if (exponent == 0)
            return false;
    }
    return i == n;
}

bool isIntText(const QString& t)
{
    qsizetype i = (!t.isEmpty() && (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-'))) ? 1 : 0;
    if (i == t.size())
        return false;
    for (; i < t.size(); ++i) {
        if (!isDigit(t[i]))
            return false;
    }
    return true;
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
    if (t.isEmpty() || !isRealText(t))
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
    if (t.isEmpty() || !isIntText(t))
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
        // glibc rounds correctly at any precision. A double that is not
        // exactly halfway between two d-decimal numbers lies at least about
        // |x|·2^-52 / 5^d away from that midpoint (more than 1e-21 for the
        // magnitudes and decimals used here), so 40 digits past the kept ones
        // tell a true tie from a near one: "5000…" is a tie, "4999…" is below.
        const bool negative = value < 0;
        // std::to_chars gives the same correctly rounded expansion as glibc's
        // printf, several times faster (the export formats every result).
        static thread_local char buffer[400];
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed,
                                           decimals + 40);
        if (written.ec != std::errc())
            std::snprintf(buffer, sizeof buffer, "%.*f", decimals + 40, std::fabs(value));
        const std::string exact(buffer, written.ec == std::errc() ? written.ptr : buffer + std::strlen(buffer));
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
