#pragma once
#include "report/reportdefinition.h"

#include <QByteArray>
#include <QPageLayout>
#include <functional>

class QPagedPaintDevice;

namespace vel {

// Paints a report on any paged device (the preview, a printer, a PDF): the
// same code for all of them. Pages beyond `lastPage` are not produced.
// Returns the number of pages painted.
int renderReport(const Report& report, const ReportParameters& params, int lastPage, QPagedPaintDevice* device,
                 const QString& baseDir = QString());
// As above, telling `pageStarted` the number (from 1) of each page before it
// is painted, for a status line.
using PageStarted = std::function<void(int page)>;
int renderReport(const Report& report, const ReportParameters& params, int lastPage, QPagedPaintDevice* device,
                 const QString& baseDir, const PageStarted& pageStarted);
// The number of pages the report would take, at most `lastPage`.
int countReportPages(const Report& report, const ReportParameters& params, int lastPage);
// The report's paper without margins: positions in the file count from the
// paper's corner.
QPageLayout reportPageLayout(const Report& report);
QByteArray renderReportToPdf(const Report& report, const ReportParameters& params, int lastPage,
                             const QString& baseDir = QString());

}  // namespace vel
