#include "report/reportengine.h"

#include "common/fileio.h"

#include "common/messenger.h"
#include "common/texts.h"
#include "report/reportviewer.h"

#include <QFileInfo>

namespace vel {

ReportEngine::ReportEngine(WorkingFolder folder, Messenger& messenger, ReportViewer& viewer)
    : folder_(std::move(folder)), messenger_(messenger), viewer_(viewer)
{
}

void ReportEngine::setParameter(const QString& name, const QString& text)
{
    if (text.isEmpty())
        params_.remove(name);
    else
        params_.insert(name, text);
}

QString pdfFileName(const QString& patient, const QString& reportName)
{
    QString name = patient.trimmed().isEmpty() ? reportName : patient.trimmed() + QStringLiteral(" - ") + reportName;
    for (QChar& c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 32)
            c = QLatin1Char('_');
    }
    return name + QStringLiteral(".pdf");
}

void ReportEngine::print(const QString& reportName, const QString& title, const QString& patient)
{
    const QString path = folder_.reportDefinitions();
    if (!QFileInfo::exists(path)) {
        messenger_.error(title, missingFilesLines());
        return;
    }
    // Something else in the file's place is named, not taken for a missing file.
    try {
        requireRegularFile(path);
    } catch (const FileError& e) {
        messenger_.error(title, {e.message()});
        return;
    }
    if (!definitions_) {
        try {
            definitions_ = ReportDefinitions::load(path);
        } catch (const ReportError& e) {
            messenger_.error(title, {e.text()});
            return;
        }
    }
    const Report* report = definitions_->find(reportName);
    if (!report)
        return;
    messenger_.whileModal([&] { viewer_.show(*report, params_, lastPage_, definitions_->baseDir(), pdfFileName(patient, reportName)); });
}

}  // namespace vel
