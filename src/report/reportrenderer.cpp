#include "report/reportrenderer.h"

#include "common/fileio.h"

#include <QBuffer>
#include <QDir>
#include <QFontMetricsF>
#include <QFile>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextLayout>
#include <map>
#include <memory>
#include <vector>

namespace vel {

namespace {

constexpr double kMmPerInch = 25.4;
// The PDF and the page count share one resolution, so both break lines in
// the same places.
constexpr int kPdfResolution = 1200;

// Millimetres to the device's pixels.
struct Scale {
    double x, y;
    explicit Scale(const QPaintDevice* device)
        : x(device->logicalDpiX() / kMmPerInch), y(device->logicalDpiY() / kMmPerInch)
    {
    }
    QPointF point(double mmX, double mmY) const { return {mmX * x, mmY * y}; }
    QRectF rect(double mmX, double mmY, double mmW, double mmH) const { return {mmX * x, mmY * y, mmW * x, mmH * y}; }
};

bool isShown(const ReportItem& item, const ReportParameters& params)
{
    return item.showIf.isEmpty() || !params.value(item.showIf).isEmpty();
}

// The program breaks lines with a lone carriage return; text typed or pasted
// elsewhere may bring the other two conventions.
QStringList linesOf(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

QString paragraph(const QString& text, int n)
{
    QList<QStringList> paragraphs;
    bool open = false;
    for (const QString& line : linesOf(text)) {
        if (line.trimmed().isEmpty()) {
            open = false;
            continue;
        }
        if (!open)
            paragraphs.append(QStringList());
        paragraphs.last().append(line);
        open = true;
    }
    return n <= paragraphs.size() ? paragraphs.at(n - 1).join(QLatin1Char('\n')) : QString();
}

// What a text item shows on page `page` of `pages`.
QString shownText(const ReportItem& item, const ReportParameters& params, int page, int pages)
{
    if (item.param.isEmpty()) {
        QString text = item.value;
        text.replace(QLatin1String("{page}"), QString::number(page));
        text.replace(QLatin1String("{pages}"), QString::number(pages));
        return text;
    }
    QString text = params.value(item.param);
    if (item.paragraph > 0)
        text = paragraph(text, item.paragraph);
    if (item.part != ReportItem::Part::Whole) {
        // Without the separator the whole text counts as what comes before
        // it, so a line without a caption is still printed in full.
        const qsizetype at = text.indexOf(item.split);
        if (item.part == ReportItem::Part::Before)
            text = at < 0 ? text : text.left(at);
        else
            text = at < 0 ? QString() : text.mid(at + item.split.size());
    }
    return text;
}

QFont fontOf(const ReportItem& item)
{
    QFont font;
    if (!item.font.isEmpty())
        font.setFamilies({item.font});
    font.setPointSizeF(item.size);
    font.setBold(item.bold);
    font.setItalic(item.italic);
    // Metrics from the font's design, not hinted to a pixel grid: the same
    // line breaks on the screen preview, the printer and the PDF.
    font.setHintingPreference(QFont::PreferNoHinting);
    // No ligatures: "fi" drawn as one glyph reads back from the PDF as one
    // character, and the report's text must be found and copied as written.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

Qt::Alignment alignmentOf(const ReportItem& item)
{
    switch (item.align) {
    case ReportItem::Align::Center: return Qt::AlignHCenter;
    case ReportItem::Align::Right: return Qt::AlignRight;
    case ReportItem::Align::Left: break;
    }
    return Qt::AlignLeft;
}

QColor colourOf(const QString& name, const QColor& fallback = Qt::black)
{
    return name.isEmpty() ? fallback : QColor(name);
}

// Text broken into lines at a box's width, for one device.
class TextBlock {
public:
    TextBlock(const QString& text, const ReportItem& item, double width, QPaintDevice* device)
    {
        const QFont font = fontOf(item);
        const QFontMetricsF metrics(font, device);
        pitch_ = metrics.lineSpacing();
        height_ = metrics.height();
        QTextOption option(alignmentOf(item));
        // A long unbroken run (the history's separator of hyphens, a pasted
        // path) is broken anywhere rather than run off the page.
        option.setWrapMode(item.wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        for (const QString& line : linesOf(text)) {
            auto layout = std::make_unique<QTextLayout>(line, font, device);
            layout->setTextOption(option);
            layout->setCacheEnabled(true);
            layout->beginLayout();
            for (QTextLine l = layout->createLine(); l.isValid(); l = layout->createLine()) {
                l.setLineWidth(width);
                l.setPosition(QPointF(0, 0));
                lines_.append({int(layouts_.size()), l.lineNumber()});
            }
            layout->endLayout();
            layouts_.push_back(std::move(layout));
        }
    }

    int lineCount() const { return int(lines_.size()); }
    double pitch() const { return pitch_; }
    // From the top of the first line to the bottom of the last.
    double height(int count) const { return count > 0 ? (count - 1) * pitch_ + height_ : 0; }
    // How many lines from the first fit in a box this high; at least one, so
    // that a box too small for any line still moves the text on.
    int fitting(double boxHeight) const { return std::max(1, int((boxHeight - height_) / pitch_ + 1e-6) + 1); }

    void draw(QPainter& painter, int first, int end, QPointF topLeft) const
    {
        for (int i = first; i < end; ++i) {
            const auto [layout, line] = lines_.at(i);
            layouts_.at(layout)->lineAt(line).draw(&painter, topLeft + QPointF(0, (i - first) * pitch_));
        }
    }

private:
    std::vector<std::unique_ptr<QTextLayout>> layouts_;
    QList<QPair<int, int>> lines_;  // (layout, line in it)
    double pitch_ = 0;
    double height_ = 0;
};

// One sheet of output: a page of the definition, and for a page with a flow
// the lines of the flow that land on this sheet.
struct Sheet {
    int page = 0;
    bool continuation = false;
    int firstLine = 0;
    int endLine = 0;
};

QString flowText(const ReportItem& flow, const ReportParameters& params)
{
    QStringList lines = linesOf(params.value(flow.param));
    // Every line of a memo ends with a break; what trails them must not
    // start a page of its own.
    while (!lines.isEmpty() && lines.constLast().trimmed().isEmpty())
        lines.removeLast();
    return lines.join(QLatin1Char('\n'));
}

class Layout {
public:
    Layout(const Report& report, const ReportParameters& params, int lastPage, QPaintDevice* device)
    {
        const Scale scale(device);
        const int limit = std::max(1, lastPage);
        for (int p = 0; p < report.pages.size() && sheets_.size() < limit; ++p) {
            const ReportItem* flow = report.pages.at(p).flow();
            const QString text = flow && isShown(*flow, params) ? flowText(*flow, params) : QString();
            if (text.isEmpty()) {
                sheets_.append({p, false, 0, 0});
                continue;
            }
            const auto& block = *flows_.emplace(p, std::make_unique<TextBlock>(text, *flow, flow->w * scale.x, device))
                                     .first->second;
            int first = 0;
            bool continuation = false;
            while (first < block.lineCount() && sheets_.size() < limit) {
                const double boxHeight = (continuation ? flow->continueH : flow->h) * scale.y;
                const int end = std::min(block.lineCount(), first + block.fitting(boxHeight));
                sheets_.append({p, continuation, first, end});
                first = end;
                continuation = true;
            }
        }
    }

    const QList<Sheet>& sheets() const { return sheets_; }
    const TextBlock* flow(int page) const
    {
        const auto it = flows_.find(page);
        return it == flows_.end() ? nullptr : it->second.get();
    }

private:
    QList<Sheet> sheets_;
    std::map<int, std::unique_ptr<TextBlock>> flows_;
};

QString imagePath(const QString& src, const QString& baseDir)
{
    if (src.startsWith(QLatin1Char(':')) || QDir::isAbsolutePath(src) || baseDir.isEmpty())
        return src;
    return QDir(baseDir).filePath(src);
}

// The largest rectangle of the given shape centred in the box.
QRectF fitted(const QSizeF& shape, const QRectF& box)
{
    if (shape.isEmpty())
        return box;
    const QSizeF size = shape.scaled(box.size(), Qt::KeepAspectRatio);
    return QRectF(box.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

// The picture's bytes: from the program's own resources, or from an ordinary
// file of a sensible size (a pipe in its place must not stall the report).
QByteArray imageBytes(const QString& path)
{
    if (path.startsWith(QLatin1Char(':'))) {
        QFile resource(path);
        return resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
    }
    try {
        return readFileBytes(path, 0, readCap::kImage);
    } catch (const FileError& e) {
        qWarning("Report image not used: %s", e.what());
        return QByteArray();
    }
}

void drawImage(QPainter& painter, const QString& path, const QRectF& box)
{
    const QByteArray bytes = imageBytes(path);
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer svg(bytes);
        if (svg.isValid()) {
            svg.render(&painter, fitted(svg.viewBoxF().size(), box));
            return;
        }
    } else {
        const QImage image = QImage::fromData(bytes);
        if (!image.isNull()) {
            painter.drawImage(fitted(image.size(), box), image);
            return;
        }
    }
    // Artwork is decoration: a missing picture leaves its place empty
    // rather than keep the clinician's report from printing.
    qWarning("Report image not found: %s", qPrintable(path));
}

void drawText(QPainter& painter, const ReportItem& item, const QString& text, const Scale& scale)
{
    if (text.isEmpty())
        return;
    const QRectF box = scale.rect(item.x, item.y, item.w, item.h);
    const TextBlock block(text, item, box.width(), painter.device());
    const double used = block.height(block.lineCount());
    double top = 0;
    if (item.valign == ReportItem::VAlign::Middle)
        top = (box.height() - used) / 2;
    else if (item.valign == ReportItem::VAlign::Bottom)
        top = box.height() - used;
    // Text longer than its box runs on below it instead of being cut off.
    top = std::max(0.0, top);
    painter.setPen(colourOf(item.color));
    block.draw(painter, 0, block.lineCount(), box.topLeft() + QPointF(0, top));
}

void paintSheet(QPainter& painter, const Report& report, const Layout& layout, int index,
                const ReportParameters& params, const QString& baseDir, const Scale& scale)
{
    const Sheet& sheet = layout.sheets().at(index);
    const int pages = int(layout.sheets().size());
    for (const ReportItem& item : report.pages.at(sheet.page).items) {
        if (!isShown(item, params))
            continue;
        switch (item.kind) {
        case ReportItem::Kind::Text:
            drawText(painter, item, shownText(item, params, index + 1, pages), scale);
            break;
        case ReportItem::Kind::Flow:
            if (const TextBlock* block = layout.flow(sheet.page)) {
                painter.setPen(colourOf(item.color));
                block->draw(painter, sheet.firstLine, sheet.endLine,
                            scale.point(item.x, sheet.continuation ? item.continueY : item.y));
            }
            break;
        case ReportItem::Kind::Line:
            if (item.width > 0) {
                painter.setPen(QPen(colourOf(item.color), item.width * scale.x, Qt::SolidLine, Qt::FlatCap));
                painter.drawLine(scale.point(item.x, item.y), scale.point(item.x2, item.y2));
            }
            break;
        case ReportItem::Kind::Rect:
            painter.setPen(item.width > 0 ? QPen(colourOf(item.color), item.width * scale.x, Qt::SolidLine,
                                                 Qt::SquareCap, Qt::MiterJoin)
                                          : QPen(Qt::NoPen));
            painter.setBrush(item.fill.isEmpty() ? QBrush(Qt::NoBrush) : QBrush(QColor(item.fill)));
            painter.drawRect(scale.rect(item.x, item.y, item.w, item.h));
            painter.setBrush(Qt::NoBrush);
            break;
        case ReportItem::Kind::Image:
            drawImage(painter, imagePath(item.src, baseDir), scale.rect(item.x, item.y, item.w, item.h));
            break;
        }
    }
}

}  // namespace

int renderReport(const Report& report, const ReportParameters& params, int lastPage, QPagedPaintDevice* device,
                 const QString& baseDir)
{
    return renderReport(report, params, lastPage, device, baseDir, PageStarted());
}

int renderReport(const Report& report, const ReportParameters& params, int lastPage, QPagedPaintDevice* device,
                 const QString& baseDir, const PageStarted& pageStarted)
{
    const Layout layout(report, params, lastPage, device);
    QPainter painter;
    if (!painter.begin(device))
        return 0;
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const Scale scale(device);
    // The painter starts at the printable area's corner; positions in the
    // file count from the paper's.
    const QRectF printable = device->pageLayout().paintRect(QPageLayout::Millimeter);
    const QPointF origin = -scale.point(printable.left(), printable.top());
    for (int i = 0; i < layout.sheets().size(); ++i) {
        if (i > 0)
            device->newPage();
        if (pageStarted)
            pageStarted(i + 1);
        painter.save();
        painter.translate(origin);
        paintSheet(painter, report, layout, i, params, baseDir, scale);
        painter.restore();
    }
    painter.end();
    return int(layout.sheets().size());
}

QPageLayout reportPageLayout(const Report& report)
{
    const bool landscape = report.pageWidth > report.pageHeight;
    const QSizeF portrait = landscape ? QSizeF(report.pageHeight, report.pageWidth)
                                      : QSizeF(report.pageWidth, report.pageHeight);
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

int countReportPages(const Report& report, const ReportParameters& params, int lastPage)
{
    QBuffer sink;
    QPdfWriter writer(&sink);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(reportPageLayout(report));
    return int(Layout(report, params, lastPage, &writer).sheets().size());
}

QByteArray renderReportToPdf(const Report& report, const ReportParameters& params, int lastPage,
                             const QString& baseDir)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(reportPageLayout(report));
        writer.setTitle(QStringLiteral("Velmora"));
        writer.setCreator(QStringLiteral("Velmora"));
        renderReport(report, params, lastPage, &writer, baseDir);
    }
    return bytes;
}

}  // namespace vel
