#pragma once
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace vel {

// The whole content of Stats.cef: the running flag, three reserved bytes that
// are carried through untouched, and three usage counts.
struct UsageStats {
    static constexpr int kSize = 16;

    std::uint8_t running = 0;
    std::array<char, 3> reserved{};
    std::int32_t tweed = 0;
    std::int32_t bolton = 0;
    std::int32_t guidance = 0;

    static UsageStats fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;
};

enum class UsageKind { Tweed, Bolton, Guidance };

// Every use reads the file again by name: it is replaced by rename on each
// write, so a handle held across writes would see a stale copy.
UsageStats readUsageStats(const QString& path);
void writeUsageStats(const QString& path, const UsageStats& stats);
// Read, add one, write back; flag and reserved bytes travel unchanged.
void countUsage(const QString& path, UsageKind kind);
// Reads the counts and writes them back unchanged: for an action that must
// know, before it changes anything, that its count can be stored.
void checkUsageCanBeCounted(const QString& path);
// The lines of the "Statistics" box.
QStringList statisticsLines(const UsageStats& stats);

}  // namespace vel
