#include "common/patientfiles.h"

#include <QDir>

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
    return QDir(folder.analyses()).filePath(fileName);
}

}  // namespace vel
