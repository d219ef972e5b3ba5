#pragma once
#include "report/reportdefinition.h"

namespace vel {

// Shows a rendered report: the real one is a modal preview from which the
// user prints or saves a PDF, offered as `pdfName` in the working folder;
// tests record what would have been shown.
class ReportViewer {
public:
    virtual ~ReportViewer() = default;
    virtual void show(const Report& report, const ReportParameters& params, int lastPage, const QString& baseDir,
                      const QString& pdfName) = 0;
};

}  // namespace vel
