#pragma once
#include <QByteArray>
#include <QString>

// Patient files and text files are Windows-1252. Qt has no codec for it, and
// Latin-1 differs exactly in 0x80-0x9F, so those 32 bytes are mapped here.
namespace vel {

QString fromCp1252(const QByteArray& bytes);
// Characters the code page cannot hold become '?'.
QByteArray toCp1252(const QString& text);
char toCp1252(QChar c);
QChar fromCp1252(char byte);

}  // namespace vel
