#pragma once
#include "guidance/guidancerules.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace vel {

// What a Tweed file keeps: the entries of the tab and, when the guidance was
// done, the guide's answers. Every result is recomputed on opening.
struct TweedRecord {
    static constexpr int kSize = 199;

    bool guidance = false;       // the Suggested Diagnosis was filled when saved
    QString patient;             // 50 characters
    QString age;                 // 2 characters
    bool male = false;           // otherwise female
    std::array<QString, 20> entries;  // in the order of kTweedEntries
    bool replaceImpa = false;    // the IMPA option "No"
    QString replacementImpa;     // stored only with the option "No"
    // Written from the guide as it stands; read back only for a file with
    // guidance, rebuilt as the clicks that restore them would leave the guide.
    GuideAnswers answers;

    QByteArray toBytes() const;
    static TweedRecord fromBytes(const QByteArray& bytes);

};

// The stage words the file names carry.
enum class Stage { PreTx, Progress, Final, PostTx };
QString stageSuffix(Stage stage);   // "-PRE-TX.twe" ...
QString stageWord(Stage stage);     // "PRE-TX" ...
// The stage a file name names; Pre-TX when it names none.
Stage stageFromFileName(const QString& fileName);

// Reads the first record; a file shorter than one record is a FileError.
TweedRecord readTweedFile(const QString& path);

}  // namespace vel
