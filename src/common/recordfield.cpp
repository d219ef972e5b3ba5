#include "common/recordfield.h"

#include "common/cp1252.h"

#include <algorithm>

namespace vel {

void writeShortString(QByteArray& record, int offset, int capacity, const QString& text)
{
    const QByteArray bytes = toCp1252(text).left(capacity);
    record[offset] = static_cast<char>(bytes.size());
    for (int i = 0; i < capacity; ++i)
        record[offset + 1 + i] = i < bytes.size() ? bytes[i] : '\0';
}

QString readShortString(const QByteArray& record, int offset, int capacity)
{
    const int length = std::min(static_cast<int>(static_cast<unsigned char>(record.at(offset))), capacity);
    return fromCp1252(record.mid(offset + 1, length));
}

void writeFlag(QByteArray& record, int offset, bool value)
{
    record[offset] = value ? '\1' : '\0';
}

bool readFlag(const QByteArray& record, int offset)
{
    return record.at(offset) != '\0';
}

}  // namespace vel
