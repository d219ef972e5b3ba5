#include "report/reportpreview.h"

#include "common/desktop.h"
#include "common/messenger.h"

#include "report/reportrenderer.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace vel {

namespace {

const QString kTitle = QStringLiteral("Velmora");

void savePdf(Desktop& desktop, Messenger& messenger, const Report& report, const ReportParameters& params,
             int lastPage, const QString& baseDir, const QString& pdfName)
{
    QString path = desktop.chooseSaveFile(QStringLiteral("Save as PDF"), QDir::current().absoluteFilePath(pdfName),
                                          QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QLatin1String(".pdf");
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(renderReportToPdf(report, params, lastPage, baseDir)) >= 0
                         && file.commit();
    if (!written)
        messenger.error(kTitle, {QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), file.errorString())});
}

}  // namespace

void QtReportViewer::show(const Report& report, const ReportParameters& params, int lastPage, const QString& baseDir,
                          const QString& pdfName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(reportPageLayout(report));
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Printing..."));

    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(kTitle);
    dialog.setWindowModality(Qt::ApplicationModal);
    // A page at 100 % where the screen allows it.
    const QRect screen = dialog.screen()->availableGeometry();
    dialog.resize(std::min(900, screen.width() * 9 / 10), std::min(1000, screen.height() * 9 / 10));

    auto* tools = new QToolBar(&dialog);
    auto* preview = new QPrintPreviewWidget(&printer, &dialog);
    auto* status = new QStatusBar(&dialog);
    status->setSizeGripEnabled(true);
    auto* where = new QLabel(status);
    status->addPermanentWidget(where);
    QObject::connect(preview, &QPrintPreviewWidget::previewChanged, where, [preview, where] {
        where->setText(QStringLiteral("Page %1 of %2").arg(preview->currentPage()).arg(preview->pageCount()));
    });
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(preview, 1);
    layout->addWidget(status);

    // The same painting serves the preview and the printer; only the status
    // line tells which one is running.
    QString statusText = QStringLiteral("Generating page %p");
    QObject::connect(preview, &QPrintPreviewWidget::paintRequested, &dialog, [&](QPrinter* target) {
        renderReport(report, params, lastPage, target, baseDir, [&](int page) {
            status->showMessage(QString(statusText).replace(QLatin1String("%p"), QString::number(page)));
            // Painted at once: the event loop does not run until all pages are done.
            status->repaint();
        });
        status->clearMessage();
    });

    const auto add = [&](const QString& text, const QKeySequence& key, auto slot) {
        QAction* action = tools->addAction(text);
        action->setShortcut(key);
        QObject::connect(action, &QAction::triggered, &dialog, slot);
        return action;
    };
    add(QStringLiteral("Print…"), QKeySequence::Print, [&] {
        QPrintDialog ask(&printer, &dialog);
        ask.setWindowTitle(kTitle);
        if (ask.exec() != QDialog::Accepted)
            return;
        statusText = QStringLiteral("Printing page %p");
        preview->print();
        statusText = QStringLiteral("Generating page %p");
    });
    add(QStringLiteral("Page setup…"), QKeySequence(), [&] {
        QPageSetupDialog setup(&printer, &dialog);
        setup.setWindowTitle(kTitle);
        if (setup.exec() == QDialog::Accepted)
            preview->updatePreview();
    });
    add(QStringLiteral("Save as PDF…"), QKeySequence::SaveAs, [&] {
        savePdf(desktop_, messenger_, report, params, lastPage, baseDir, pdfName);
    });
    tools->addSeparator();
    add(QStringLiteral("Zoom in"), QKeySequence::ZoomIn, [&] { preview->zoomIn(); });
    add(QStringLiteral("Zoom out"), QKeySequence::ZoomOut, [&] { preview->zoomOut(); });
    add(QStringLiteral("100 %"), QKeySequence(Qt::CTRL | Qt::Key_0), [&] { preview->setZoomFactor(1.0); });
    tools->addSeparator();
    add(QStringLiteral("Close"), QKeySequence::Close, [&] { dialog.reject(); });

    preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    preview->setZoomFactor(1.0);
    dialog.exec();
}

}  // namespace vel
