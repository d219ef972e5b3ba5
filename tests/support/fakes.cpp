#include "support/fakes.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>

namespace vel::test {

Messenger::Answer ScriptedMessenger::present(Icon icon, const QString& title, const QStringList& lines, bool question)
{
    boxes.append({icon, title, lines, question});
    if (whileShown)
        whileShown(boxes.constLast());
    if (!question)
        return Answer::Ok;
    const Answer answer = answers.isEmpty() ? Answer::Yes : answers.takeFirst();
    // The real question box has Yes and No and can be closed; it has no OK.
    if (answer == Answer::Ok)
        qFatal("a question box cannot be answered OK");
    return answer;
}

QString FakeDesktop::chooseFile(const QString& folder, const QString& filter, const QString& suffix)
{
    fileRequests.append({folder, filter, suffix});
    return chosenFiles.isEmpty() ? QString() : chosenFiles.takeFirst();
}

ScratchFolder::ScratchFolder()
{
    const QDir data(QStringLiteral(VELMORA_DATA_DIR));
    for (const QString& name : data.entryList(QDir::Files))
        QFile::copy(data.filePath(name), dir_.filePath(name));
    QDir(dir_.path()).mkdir(QStringLiteral("Analyses"));
    // Copies keep the source's permissions; the scratch files must be writable.
    for (const QString& name : QDir(dir_.path()).entryList(QDir::Files))
        QFile(dir_.filePath(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

}  // namespace vel::test

