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
    bool usable = !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..");
    for (const QChar c : fileName)
        usable = usable && c != QLatin1Char('/') && c != QLatin1Char('\\') && c.unicode() >= 32;
    if (!usable)
        throw UnusableName(name);
    if (!QFileInfo(folder.analyses()).isDir())
        throw FileError(folder.analyses(),
                        QStringLiteral("the patients' folder is missing. Create a folder named \"Analyses\" in %1 "
                                       "(or restore it from a backup) and try again.")
                            .arg(QDir::toNativeSeparators(folder.root())));
    return QDir(folder.analyses()).filePath(fileName);
}

}  // namespace vel
