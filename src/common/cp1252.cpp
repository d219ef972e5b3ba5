#include "common/cp1252.h"

namespace vel {

namespace {

// 0x80-0x9F; the five unassigned bytes keep their own code point, as the
// system's own conversion does, so every byte survives a round trip.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

QChar fromCp1252(char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    if (b >= 0x80 && b <= 0x9F)
        return QChar(kHighControls[b - 0x80]);
    return QChar(b);
}

char toCp1252(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == u)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

QString fromCp1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes)
        text.append(fromCp1252(b));
    return text;
}

QByteArray toCp1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes.append(toCp1252(c));
    return bytes;
}

}  // namespace vel
