#include "common/patientfiles.h"

#include "common/fileio.h"

#include <QDir>
#include <QFileInfo>

namespace vel {

UnusableName::UnusableName(const QString& name)
    : std::runtime_error(QStringLiteral("\"%1\" cannot be used as a patient's file name.").arg(name).toStdString())
{
}

QString patientFilePath(const WorkingFolder& folder, const QString& name, const QString& suffix)
{
    const QString fileName = name + suffix;
    // A leading dot would also make a hidden file: OPEN would not list it and
    // a copy of the folder might leave it behind. That covers "." and "..".
    bool usable = !name.isEmpty() && !name.startsWith(QLatin1Char('.'));
    for (const QChar c : fileName)
        usable = usable && c != QLatin1Char('/') && c != QLatin1Char('\\') && c.unicode() >= 32;
    if (!usable)
        throw UnusableName(name);
    const QFileInfo analyses(folder.analyses());
    const QString root = QDir::toNativeSeparators(folder.root());
    if (analyses.exists() && !analyses.isDir())
        throw FileError(folder.analyses(),
                        QStringLiteral("this is a file, not a folder. The patients' files are kept in a folder named "
                                       "\"Analyses\" in %1: move this file away, put the folder back (or restore it "
                                       "from a backup) and try again.")
                            .arg(root));
    if (!analyses.isDir())
        throw FileError(folder.analyses(),
                        QStringLiteral("the patients' folder is missing. Create a folder named \"Analyses\" in %1 "
                                       "(or restore it from a backup) and try again.")
                            .arg(root));
    const QString path = QDir(folder.analyses()).filePath(fileName);
    const QFileInfo info(path);
    // A link is followed only as long as it stays among the patients' files:
    // saving through it must never replace or extend a file elsewhere.
    if (info.isSymLink()) {
        const QString target = QDir::toNativeSeparators(info.symLinkTarget());
        if (!info.exists())
            throw FileError(path, QStringLiteral("this is a link to a file that is not there (%1). Remove the link "
                                                 "from \"Analyses\" and try again.")
                                      .arg(target));
        const QString inside = QDir(folder.analyses()).canonicalPath() + QLatin1Char('/');
        if (!info.canonicalFilePath().startsWith(inside))
            throw FileError(path, QStringLiteral("this is a link to a file outside the patients' folder (%1), and "
                                                 "patient files are only written inside \"Analyses\". Put the file "
                                                 "itself in place of the link and try again.")
                                      .arg(target));
    }
    // Otherwise "already saved" checks would take the folder for the patient's file.
    if (info.isDir())
        throw FileError(path, QStringLiteral("this is a folder, not a patient's file. Move or rename the folder in "
                                             "\"Analyses\" and try again."));
    if (info.exists() && !info.isFile())
        throw FileError(path, QStringLiteral("this is not an ordinary file (it is a pipe, a device or a socket), so "
                                             "it is not used. Remove it from \"Analyses\" and try again."));
    return path;
}

}  // namespace vel
