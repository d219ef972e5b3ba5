#include "common/usagestats.h"

#include "common/fileio.h"
#include "common/textconv.h"

#include <QStringList>
#include <QtEndian>

#include <limits>

namespace vel {

UsageStats UsageStats::fromBytes(const QByteArray& bytes)
{
    UsageStats s;
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    s.running = p[0];
    s.reserved = {bytes[1], bytes[2], bytes[3]};
    s.tweed = qFromLittleEndian<qint32>(p + 4);
    s.bolton = qFromLittleEndian<qint32>(p + 8);
    s.guidance = qFromLittleEndian<qint32>(p + 12);
    return s;
}

QByteArray UsageStats::toBytes() const
{
    QByteArray bytes(kSize, '\0');
    auto* p = reinterpret_cast<uchar*>(bytes.data());
    p[0] = running;
    bytes[1] = reserved[0];
    bytes[2] = reserved[1];
    bytes[3] = reserved[2];
    qToLittleEndian<qint32>(tweed, p + 4);
    qToLittleEndian<qint32>(bolton, p + 8);
    qToLittleEndian<qint32>(guidance, p + 12);
    return bytes;
}

UsageStats readUsageStats(const QString& path)
{
    return UsageStats::fromBytes(readFileHead(path, UsageStats::kSize));
}

void writeUsageStats(const QString& path, const UsageStats& stats)
{
    replaceFile(path, stats.toBytes());
}

void countUsage(const QString& path, UsageKind kind)
{
    UsageStats stats = readUsageStats(path);
    // A count that has reached the largest the record can hold stays there:
    // wrapping would show a negative number of analyses.
    auto bump = [](std::int32_t& n) {
        if (n < std::numeric_limits<std::int32_t>::max())
            ++n;
    };
    switch (kind) {
    case UsageKind::Tweed: bump(stats.tweed); break;
    case UsageKind::Bolton: bump(stats.bolton); break;
    case UsageKind::Guidance: bump(stats.guidance); break;
    }
    writeUsageStats(path, stats);
}

void checkUsageCanBeCounted(const QString& path)
{
    writeUsageStats(path, readUsageStats(path));
}

QStringList statisticsLines(const UsageStats& stats)
{
    return {QStringLiteral("        Statistics"),
            QString(),
            QString(),
            QStringLiteral("Tweed Analysis : ") + realToText(stats.tweed, 0, 0),
            QString(),
            QStringLiteral("Space Tx Guidance : ") + realToText(stats.guidance, 0, 0),
            QString(),
            QStringLiteral("Bolton Analysis : ") + realToText(stats.bolton, 0, 0)};
}

}  // namespace vel
