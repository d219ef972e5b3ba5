#pragma once
#include <QByteArray>
#include <QString>
#include <array>

namespace vel {

// What a Bolton file keeps: the inputs only, exactly as the fields show them.
// Every result is recomputed when the file is opened.
struct BoltonRecord {
    static constexpr int kSize = 219;

    QString patient;                  // 50 characters
    std::array<QString, 12> maxilla;  // s01 ... s12, 5 characters each
    std::array<QString, 12> mandible; // i01 ... i12
    QString thirdMolarLeft;           // termole
    QString thirdMolarRight;          // termold
    QString secondMolarLeft;          // segmole
    QString secondMolarRight;         // segmold

    // Third molars before second molars, as the layout has always had them.
    QByteArray toBytes() const;
    static BoltonRecord fromBytes(const QByteArray& bytes);
};

// Reads the first record; a file shorter than one record is a FileError.
BoltonRecord readBoltonFile(const QString& path);

}  // namespace vel
