#pragma once
#include <QByteArray>
#include <QString>
#include <array>

namespace vel {

// One row of a Bolton table: the ideal maxillary sum against the mandibular.
struct BoltonRow {
    double maxilla;
    double mandible;
};

struct BoltonTables {
    static constexpr int kAnteriorRows = 31;
    static constexpr int kOverallRows = 26;
    static constexpr int kFileSize = (kAnteriorRows + kOverallRows) * 2 * 8;

    std::array<BoltonRow, kAnteriorRows> anterior{};
    std::array<BoltonRow, kOverallRows> overall{};

    // The published tables, as shipped in Bolton.cef.
    static const BoltonTables& standard();
    // Bolton.cef: 114 little-endian doubles, the anterior rows then the
    // overall rows, each row maxilla then mandible.
    static BoltonTables fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;
};

// Reads Bolton.cef; a missing or short file is a FileError.
BoltonTables loadBoltonTables(const QString& path);

}  // namespace vel
