#pragma once
#include <QByteArray>
#include <QString>

// Fixed-size binary records are made of length-prefixed Windows-1252 strings
// of fixed capacity (one length byte, then `capacity` bytes) and one-byte flags.
namespace vel {

// Cuts the text to the capacity; unused bytes of the field are zeroed.
void writeShortString(QByteArray& record, int offset, int capacity, const QString& text);
// A length byte beyond the capacity is taken as the capacity: a damaged
// record never makes the reader step into the next field.
QString readShortString(const QByteArray& record, int offset, int capacity);

void writeFlag(QByteArray& record, int offset, bool value);
bool readFlag(const QByteArray& record, int offset);

}  // namespace vel
