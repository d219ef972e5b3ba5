#pragma once
#include "report/reportdefinition.h"

class QWidget;

namespace vel {

class Desktop;
class Messenger;

// Shows a rendered report: the real one is a modal preview from which the
// user prints or saves a PDF, offered as `pdfName` in the working folder;
// tests record what would have been shown.
class ReportViewer {
public:
    virtual ~ReportViewer() = default;
    virtual void show(const Report& report, const ReportParameters& params, int lastPage, const QString& baseDir,
                      const QString& pdfName) = 0;
};

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
