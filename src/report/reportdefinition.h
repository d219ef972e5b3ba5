#pragma once
#include <QList>
#include <QMap>
#include <QString>
#include <stdexcept>

// The report-definition file: named reports made of pages of absolutely
// placed items (millimetres from the page's top left). Qt Core only.
namespace vel {

// A definition file that cannot be read as one: names the file and the line.
class ReportError : public std::runtime_error {
public:
    ReportError(QString file, int line, QString message);
    const QString& file() const { return file_; }
    int line() const { return line_; }
    // "<file name>, line <n>: <message>", for the error box.
    QString text() const;

private:
    QString file_;
    int line_;
    QString message_;
};

struct ReportItem {
    enum class Kind { Text, Line, Rect, Image, Flow };
    Kind kind = Kind::Text;
    // Geometry in millimetres: a box for text, rectangles, images and flowing
    // text; the two end points (x, y) - (x2, y2) for a line.
    double x = 0, y = 0, w = 0, h = 0, x2 = 0, y2 = 0;
    QString param;       // the parameter whose text is shown (Text, Flow)
    QString value;       // literal text ({page} and {pages} replaced); used when param is empty
    // Text: only the n-th paragraph of the parameter (blocks of lines between
    // empty lines), 0 for all of it; then only the part before or after the
    // first `split` when `part` is Before or After.
    enum class Part { Whole, Before, After };
    enum class Align { Left, Center, Right };
    enum class VAlign { Top, Middle, Bottom };
    int paragraph = 0;
    QString split;
    Part part = Part::Whole;
    QString showIf;      // drawn only when this parameter is not empty
    QString font;        // family; empty for the default
    double size = 10;    // points
    bool bold = false;
    bool italic = false;
    Align align = Align::Left;
    VAlign valign = VAlign::Top;
    bool wrap = true;
    QString color;       // "#rrggbb"; empty for black
    QString fill;        // Rect: fill colour, empty for none
    double width = 0.3;  // Line and Rect: pen width in millimetres
    QString src;         // Image: a resource (":/...") or a path beside the definition file
    // Flow: where the text continues on the pages it spills onto.
    double continueY = -1, continueH = -1;
};

struct ReportPage {
    QList<ReportItem> items;
    // The page's flowing text, if it has one (at most one per page).
    const ReportItem* flow() const;
};

struct Report {
    QString name;
    double pageWidth = 210, pageHeight = 297;  // millimetres
    QList<ReportPage> pages;
};

class ReportDefinitions {
public:
    // Throws ReportError for anything that is not a valid definition file.
    static ReportDefinitions parse(const QByteArray& xml, const QString& fileName);
    static ReportDefinitions load(const QString& path);

    const Report* find(const QString& name) const;
    QStringList names() const { return reports_.keys(); }
    QString baseDir() const { return baseDir_; }

private:
    QMap<QString, Report> reports_;
    QString baseDir_;
};

// Named text parameters as the program hands them over; a value stays until
// the same name is set again, and an empty text removes the name.
using ReportParameters = QMap<QString, QString>;

}  // namespace vel
