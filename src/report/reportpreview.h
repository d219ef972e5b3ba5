#pragma once
#include "report/reportviewer.h"

namespace vel {

class Desktop;
class Messenger;

// The modal preview titled "Velmora", at 100 %, with a tool bar to print,
// choose copies, set up the printer and the page, and save as PDF.
class QtReportViewer : public ReportViewer {
public:
    QtReportViewer(Messenger& messenger, Desktop& desktop) : messenger_(messenger), desktop_(desktop) {}
    void show(const Report& report, const ReportParameters& params, int lastPage, const QString& baseDir,
              const QString& pdfName) override;

private:
    Messenger& messenger_;
    Desktop& desktop_;
};

}  // namespace vel
