#include "report/reportdefinition.h"

#include "common/fileio.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <cmath>

namespace vel {

ReportError::ReportError(QString file, int line, QString message)
    : std::runtime_error(QStringLiteral("%1, line %2: %3").arg(file).arg(line).arg(message).toStdString()),
      file_(std::move(file)),
      line_(line),
      message_(std::move(message))
{
}

QString ReportError::text() const
{
    const QString name = QFileInfo(file_).fileName();
    if (line_ <= 0)
        return name + QStringLiteral(": ") + message_;
    return QStringLiteral("%1, line %2: %3").arg(name).arg(line_).arg(message_);
}

const ReportItem* ReportPage::flow() const
{
    for (const ReportItem& item : items) {
        if (item.kind == ReportItem::Kind::Flow)
            return &item;
    }
    return nullptr;
}

namespace {

// Attributes each element accepts; anything else is a typing error in the
// file and is reported rather than silently ignored.
const QStringList kBox{"x", "y", "w", "h"};
const QStringList kFontAttributes{"font", "size", "bold", "italic", "align", "color"};

QStringList allowedAttributes(const QString& element)
{
    if (element == QLatin1String("text"))
        return kBox + kFontAttributes
               + QStringList{"param", "value", "paragraph", "split", "part", "valign", "wrap", "if"};
    if (element == QLatin1String("flow"))
        return kBox + kFontAttributes + QStringList{"param", "continue-y", "continue-h", "if"};
    if (element == QLatin1String("line"))
        return {"x", "y", "x2", "y2", "width", "color", "if"};
    if (element == QLatin1String("rect"))
        return kBox + QStringList{"width", "color", "fill", "if"};
    if (element == QLatin1String("image"))
        return kBox + QStringList{"src", "if"};
    return {};
}

class Parser {
public:
    Parser(const QByteArray& xml, const QString& fileName)
        : bytes_(xml), text_(QString::fromUtf8(xml)), xml_(xml), file_(fileName)
    {
    }

    QMap<QString, Report> run()
    {
        if (bytes_.trimmed().isEmpty())
            fail(1, QStringLiteral("the file is empty"));
        QMap<QString, Report> reports;
        if (!nextElement())
            fail(line(), QStringLiteral("the file holds no <reports> element"));
        if (xml_.name() != QLatin1String("reports"))
            fail(line(), QStringLiteral("the root element must be <reports>, not <%1>").arg(xml_.name()));
        checkAttributes(QStringList());
        while (nextElement()) {
            if (xml_.name() != QLatin1String("report"))
                unknownElement(QStringLiteral("<reports>"));
            const int at = line();
            Report report = readReport();
            if (reports.contains(report.name))
                fail(at, QStringLiteral("a second report named \"%1\"").arg(report.name));
            reports.insert(report.name, report);
        }
        // Anything after the root element (a second root, stray text) is an
        // XML error the reader reports once it gets there.
        while (!xml_.atEnd())
            xml_.readNext();
        checkXml();
        return reports;
    }

private:
    QByteArray bytes_;
    QString text_;  // for counting lines only
    QXmlStreamReader xml_;
    QString file_;

    // The line the current element's tag starts on: the reader only knows
    // where it ends, which for a tag written over several lines is not where
    // the reader of the message will look. Tags come in order, so the lines
    // are counted on from the last one.
    int elementLine_ = 1;
    qsizetype countedTo_ = 0;
    int countedLines_ = 1;
    int line() const { return elementLine_; }

    int tagStartLine()
    {
        const qsizetype tag = text_.lastIndexOf(QLatin1Char('<'), qsizetype(xml_.characterOffset()) - 1);
        if (tag < countedTo_)
            return int(xml_.lineNumber());
        countedLines_ += int(QStringView(text_).mid(countedTo_, tag - countedTo_).count(QLatin1Char('\n')));
        countedTo_ = tag;
        return countedLines_;
    }

    [[noreturn]] void fail(int line, const QString& message) const { throw ReportError(file_, line, message); }

    void checkXml() const
    {
        if (xml_.hasError())
            fail(int(xml_.lineNumber()), QStringLiteral("not a valid XML file (%1)").arg(xml_.errorString()));
    }

    // Moves to the next child element of the current one; false at its end.
    // Text between elements may only be white space.
    bool nextElement()
    {
        while (!xml_.atEnd()) {
            switch (xml_.readNext()) {
            case QXmlStreamReader::StartElement:
                elementLine_ = tagStartLine();
                return true;
            case QXmlStreamReader::EndElement:
                elementLine_ = tagStartLine();
                return false;
            case QXmlStreamReader::Characters:
                if (!xml_.isWhitespace()) {
                    const QStringView text = xml_.text();
                    // Only the blanks XML itself skips are trimmed; any other
                    // space (a non-breaking one) is what makes the text stray,
                    // so it is shown by its code rather than as a blank.
                    const auto xmlSpace = [](QChar c) {
                        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
                    };
                    qsizetype first = 0;
                    while (first < text.size() && xmlSpace(text.at(first)))
                        ++first;
                    qsizetype last = text.size();
                    while (last > first && xmlSpace(text.at(last - 1)))
                        --last;
                    QString shown;
                    for (const QChar c : text.mid(first, last - first).left(40)) {
                        if (c != u' ' && (c.isSpace() || !c.isPrint()))
                            shown += QStringLiteral("<U+%1>").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
                        else
                            shown += c;
                    }
                    fail(int(xml_.lineNumber() - text.mid(first).count(QLatin1Char('\n'))),
                         QStringLiteral("unexpected text \"%1\"").arg(shown));
                }
                break;
            default:
                break;
            }
        }
        checkXml();
        return false;
    }

    [[noreturn]] void unknownElement(const QString& inside) const
    {
        fail(line(), QStringLiteral("unknown element <%1> in %2").arg(xml_.name(), inside));
    }

    void checkAttributes(const QStringList& allowed) const
    {
        for (const QXmlStreamAttribute& a : xml_.attributes()) {
            if (!allowed.contains(a.name().toString()))
                fail(line(), QStringLiteral("unknown attribute \"%1\" on <%2>").arg(a.name(), xml_.name()));
        }
    }

    bool has(const char* name) const { return xml_.attributes().hasAttribute(QLatin1String(name)); }
    QString string(const char* name) const { return xml_.attributes().value(QLatin1String(name)).toString(); }

    QString required(const char* name) const
    {
        if (!has(name))
            fail(line(), QStringLiteral("<%1> needs the attribute \"%2\"").arg(xml_.name(), QLatin1String(name)));
        return string(name);
    }

    // Bounds keep a slip of the finger (a size of 1e9) from reaching the
    // painter: nothing on a sheet of paper is larger than a few metres.
    static constexpr double kLargest = 10000;

    double number(const char* name, double fallback, double minimum, double maximum = kLargest) const
    {
        if (!has(name))
            return fallback;
        bool ok = false;
        const QString text = string(name).trimmed();
        const double value = text.toDouble(&ok);
        if (!ok || !std::isfinite(value))
            fail(line(), QStringLiteral("%1=\"%2\" is not a number").arg(QLatin1String(name), string(name)));
        if (value < minimum || value > maximum)
            fail(line(), QStringLiteral("%1=\"%2\" is outside %3 to %4").arg(QLatin1String(name), text).arg(minimum).arg(maximum));
        return value;
    }

    double requiredNumber(const char* name) const
    {
        required(name);
        return number(name, 0, 0);
    }

    bool flag(const char* name, bool fallback) const
    {
        if (!has(name))
            return fallback;
        const QString text = string(name);
        if (text == QLatin1String("true"))
            return true;
        if (text == QLatin1String("false"))
            return false;
        fail(line(), QStringLiteral("%1=\"%2\" must be \"true\" or \"false\"").arg(QLatin1String(name), text));
    }

    // One of the words `choices` names, as its value; the first when absent.
    template <typename Value>
    Value choice(const char* name, std::initializer_list<std::pair<const char*, Value>> choices) const
    {
        if (!has(name))
            return choices.begin()->second;
        const QString text = string(name);
        QStringList words;
        for (const auto& [word, value] : choices) {
            if (text == QLatin1String(word))
                return value;
            words << QLatin1String(word);
        }
        fail(line(), QStringLiteral("%1=\"%2\" must be one of: %3")
                         .arg(QLatin1String(name), text, words.join(QStringLiteral(", "))));
    }

    QString colour(const char* name) const
    {
        const QString text = string(name);
        if (!text.isEmpty() && !QColor(text).isValid())
            fail(line(), QStringLiteral("%1=\"%2\" is not a colour").arg(QLatin1String(name), text));
        return text;
    }

    Report readReport()
    {
        checkAttributes({"name", "width", "height", "font"});
        const int start = line();
        Report report;
        report.name = required("name");
        if (report.name.trimmed().isEmpty())
            fail(line(), QStringLiteral("a report needs a name"));
        report.pageWidth = number("width", 210, 1);
        report.pageHeight = number("height", 297, 1);
        const QString font = string("font");
        while (nextElement()) {
            if (xml_.name() != QLatin1String("page"))
                unknownElement(QStringLiteral("<report>"));
            report.pages.append(readPage(font));
        }
        if (report.pages.isEmpty())
            fail(start, QStringLiteral("the report \"%1\" has no <page>").arg(report.name));
        return report;
    }

    ReportPage readPage(const QString& reportFont)
    {
        checkAttributes(QStringList());
        ReportPage page;
        while (nextElement()) {
            const QStringList allowed = allowedAttributes(xml_.name().toString());
            if (allowed.isEmpty())
                unknownElement(QStringLiteral("<page>"));
            checkAttributes(allowed);
            ReportItem item = readItem();
            if (item.font.isEmpty())
                item.font = reportFont;
            if (item.kind == ReportItem::Kind::Flow && page.flow())
                fail(line(), QStringLiteral("a page may hold one <flow> only"));
            page.items.append(item);
            const QString parent = QStringLiteral("<%1>").arg(xml_.name());
            if (nextElement())
                unknownElement(parent);
        }
        return page;
    }

    void readBox(ReportItem& item) const
    {
        item.x = requiredNumber("x");
        item.y = requiredNumber("y");
        item.w = requiredNumber("w");
        item.h = requiredNumber("h");
    }

    void readFont(ReportItem& item) const
    {
        item.font = string("font");
        item.size = number("size", 10, 1, 500);
        item.bold = flag("bold", false);
        item.italic = flag("italic", false);
        using A = ReportItem::Align;
        item.align = choice<A>("align", {{"left", A::Left}, {"center", A::Center}, {"right", A::Right}});
        item.color = colour("color");
    }

    ReportItem readItem() const
    {
        const QStringView element = xml_.name();
        ReportItem item;
        item.showIf = string("if");
        if (element == QLatin1String("text")) {
            item.kind = ReportItem::Kind::Text;
            readBox(item);
            readFont(item);
            if (has("param") == has("value"))
                fail(line(), QStringLiteral("<text> needs either \"param\" or \"value\""));
            item.param = string("param");
            item.value = string("value");
            if (has("param") && item.param.isEmpty())
                fail(line(), QStringLiteral("<text> has an empty \"param\""));
            const double paragraph = number("paragraph", 0, 1);
            if (paragraph != std::floor(paragraph))
                fail(line(), QStringLiteral("paragraph=\"%1\" must be a whole number").arg(string("paragraph")));
            item.paragraph = int(paragraph);
            if (has("split") != has("part"))
                fail(line(), QStringLiteral("\"split\" and \"part\" go together"));
            item.split = string("split");
            if (has("split") && item.split.isEmpty())
                fail(line(), QStringLiteral("split=\"\" needs a separator"));
            using P = ReportItem::Part;
            item.part = has("part") ? choice<P>("part", {{"before", P::Before}, {"after", P::After}}) : P::Whole;
            using V = ReportItem::VAlign;
            item.valign = choice<V>("valign", {{"top", V::Top}, {"middle", V::Middle}, {"bottom", V::Bottom}});
            item.wrap = flag("wrap", true);
        } else if (element == QLatin1String("flow")) {
            item.kind = ReportItem::Kind::Flow;
            readBox(item);
            readFont(item);
            item.param = required("param");
            if (item.param.isEmpty())
                fail(line(), QStringLiteral("<flow> has an empty \"param\""));
            item.continueY = number("continue-y", item.y, 0);
            item.continueH = number("continue-h", item.h, 0);
        } else if (element == QLatin1String("line")) {
            item.kind = ReportItem::Kind::Line;
            item.x = requiredNumber("x");
            item.y = requiredNumber("y");
            item.x2 = requiredNumber("x2");
            item.y2 = requiredNumber("y2");
            item.width = number("width", 0.3, 0, 100);
            item.color = colour("color");
        } else if (element == QLatin1String("rect")) {
            item.kind = ReportItem::Kind::Rect;
            readBox(item);
            item.width = number("width", 0.3, 0, 100);
            item.color = colour("color");
            item.fill = colour("fill");
        } else {
            item.kind = ReportItem::Kind::Image;
            readBox(item);
            item.src = required("src");
            if (item.src.isEmpty())
                fail(line(), QStringLiteral("<image> has an empty \"src\""));
        }
        return item;
    }
};

}  // namespace

ReportDefinitions ReportDefinitions::parse(const QByteArray& xml, const QString& fileName)
{
    Parser parser(xml, fileName);
    ReportDefinitions d;
    d.reports_ = parser.run();
    d.baseDir_ = QFileInfo(fileName).absolutePath();
    return d;
}

ReportDefinitions ReportDefinitions::load(const QString& path)
{
    QByteArray bytes;
    try {
        bytes = readFileBytes(path, 0, readCap::kDefinitions);
    } catch (const FileError& e) {
        throw ReportError(path, 0, e.reason());
    }
    return parse(bytes, path);
}

const Report* ReportDefinitions::find(const QString& name) const
{
    const auto it = reports_.constFind(name);
    return it == reports_.constEnd() ? nullptr : &it.value();
}

}  // namespace vel
