#include "bolton/boltontables.h"

#include "common/fileio.h"

#include <QtEndian>
#include <cstring>

namespace vel {

namespace {

BoltonTables makeStandard()
{
    BoltonTables t;
    constexpr double anteriorMandible[BoltonTables::kAnteriorRows] = {
        30.9, 31.3, 31.7, 32.0, 32.4, 32.8, 33.2, 33.6, 34.0, 34.4, 34.7,
        35.1, 35.5, 35.9, 36.3, 36.7, 37.1, 37.4, 37.8, 38.2, 38.6,
        39.0, 39.4, 39.8, 40.1, 40.5, 40.9, 41.3, 41.7, 42.1, 42.5};
    constexpr double overallMandible[BoltonTables::kOverallRows] = {
        77.6, 78.5, 79.4, 80.3, 81.3, 82.1, 83.1, 84.0, 84.9,
        85.8, 86.7, 87.6, 88.6, 89.5, 90.4, 91.3, 92.2, 93.1,
        94.0, 95.0, 95.9, 96.8, 97.8, 98.6, 99.5, 100.4};
    for (int i = 0; i < BoltonTables::kAnteriorRows; ++i)
        t.anterior[i] = {40.0 + 0.5 * i, anteriorMandible[i]};
    for (int i = 0; i < BoltonTables::kOverallRows; ++i)
        t.overall[i] = {85.0 + i, overallMandible[i]};
    return t;
}

double readDouble(const char* p)
{
    const quint64 bits = qFromLittleEndian<quint64>(p);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void writeDouble(char* p, double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian<quint64>(bits, p);
}

}  // namespace

const BoltonTables& BoltonTables::standard()
{
    static const BoltonTables tables = makeStandard();
    return tables;
}

BoltonTables BoltonTables::fromBytes(const QByteArray& bytes)
{
    BoltonTables t;
    const char* p = bytes.constData();
    for (BoltonRow& row : t.anterior) {
        row = {readDouble(p), readDouble(p + 8)};
        p += 16;
    }
    for (BoltonRow& row : t.overall) {
        row = {readDouble(p), readDouble(p + 8)};
        p += 16;
    }
    return t;
}

QByteArray BoltonTables::toBytes() const
{
    QByteArray bytes(kFileSize, '\0');
    char* p = bytes.data();
    for (const BoltonRow& row : anterior) {
        writeDouble(p, row.maxilla);
        writeDouble(p + 8, row.mandible);
        p += 16;
    }
    for (const BoltonRow& row : overall) {
        writeDouble(p, row.maxilla);
        writeDouble(p + 8, row.mandible);
        p += 16;
    }
    return bytes;
}

BoltonTables loadBoltonTables(const QString& path)
{
    return BoltonTables::fromBytes(readFileHead(path, BoltonTables::kFileSize));
}

}  // namespace vel
