#pragma once
#include "common/workingfolder.h"
#include "report/reportdefinition.h"

#include <optional>

namespace vel {

class Messenger;
class ReportViewer;

// What the tabs print through: named text parameters held for the whole run,
// the last page to print, and the reports of the definition file, read on
// first use and kept.
class ReportEngine {
public:
    ReportEngine(WorkingFolder folder, Messenger& messenger, ReportViewer& viewer);

    // An empty text removes the name.
    void setParameter(const QString& name, const QString& text);
    QString parameter(const QString& name) const { return params_.value(name); }
    const ReportParameters& parameters() const { return params_; }
    void setLastPage(int page) { lastPage_ = page; }
    int lastPage() const { return lastPage_; }

    // The last step of every print: a missing definition file is reported in
    // a box titled `title`; otherwise the report is shown, with the tray's
    // Hide item disabled meanwhile. A damaged file gives an error box naming
    // the file and the line. A report the file lacks shows nothing. The
    // preview offers to save it under the patient's name and the report's.
    void print(const QString& reportName, const QString& title, const QString& patient);

private:
    WorkingFolder folder_;
    Messenger& messenger_;
    ReportViewer& viewer_;
    ReportParameters params_;
    int lastPage_ = 1;
    std::optional<ReportDefinitions> definitions_;
};

// "MARIA SILVA - report1.pdf": the file name a saved report is offered
// under. Whatever could not stand in a file name becomes "_".
QString pdfFileName(const QString& patient, const QString& reportName);

}  // namespace vel
