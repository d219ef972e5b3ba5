#include "export/analysisexport.h"

#include "bolton/boltonanalysis.h"
#include "bolton/boltoncalc.h"
#include "bolton/boltonfile.h"
#include "guidance/guidancerules.h"
#include "tweed/tweedanalysis.h"
#include "tweed/tweedcalc.h"
#include "tweed/tweedfile.h"
#include "tweed/tweedworkflow.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace vel {

namespace {

using Pairs = QList<std::pair<QString, QString>>;

QString name(const char* s) { return QLatin1String(s); }

void appendJsonString(QByteArray& out, const QString& text)
{
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

void appendJsonObject(QByteArray& out, const Pairs& pairs)
{
    out += '{';
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        if (i > 0)
            out += ',';
        appendJsonString(out, pairs[i].first);
        out += ':';
        appendJsonString(out, pairs[i].second);
    }
    out += '}';
}

// A spreadsheet runs a cell that begins with = + - @ (or a tab or CR, which
// it may skip) as a formula, and a crafted patient file can carry one: such a
// cell gets a leading apostrophe, which the spreadsheet shows as text. A plain
// number is data, not a formula ("-2.0" is how a signed entry looks), and
// stays as it is, so the columns of numbers stay numbers.
bool mightRunAsFormula(const QString& text)
{
    static const QString leads = QStringLiteral("=+-@\t\r");
    if (text.isEmpty() || !leads.contains(text.front()))
        return false;
    static const QRegularExpression number(QStringLiteral("^-?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)( %)?$"));
    return !number.match(text).hasMatch();
}

void appendCsvCell(QByteArray& out, const QString& cell)
{
    const QString text = mightRunAsFormula(cell) ? QLatin1Char('\'') + cell : cell;
    const QByteArray utf8 = text.toUtf8();
    if (utf8.contains(',') || utf8.contains('"') || utf8.contains('\r') || utf8.contains('\n')) {
        out += '"';
        out += QByteArray(utf8).replace("\"", "\"\"");
        out += '"';
    } else {
        out += utf8;
    }
}

// A column: its heading and the control (field or result) it shows.
struct Column {
    const char* heading;
    const char* control;
};

// The spreadsheet's columns for Tweed: the patient, the entries, the IMPA
// option, then the results box by box in the order the analysis is read.
QList<Column> tweedColumns()
{
    QList<Column> columns{{"Patient", "twPaciente"}, {"Age", "Idade"}, {"Gender", "gender"}, {"Stage", "stage"}};
    for (const TweedEntry& e : kTweedEntries)
        columns.append(Column{e.exportHeading, e.control});
    columns.append(Column{"Keep IMPA", "impaOption"});
    columns.append(Column{"Replacement IMPA", "dcopcres"});
    for (const TweedBox box : {TweedBox::Cephalometric, TweedBox::Headfilm, TweedBox::Space, TweedBox::Difficulty}) {
        for (const TweedResult& r : kTweedResults) {
            if (r.box == box && r.exportHeading)
                columns.append(Column{r.exportHeading, r.control});
        }
    }
    return columns;
}

// A suggestion as one readable cell: each line's text, then its chart's
// marks, alternatives joined by "or".
QString suggestion(const QMap<QString, QString>& c, const QStringList& texts, const QStringList& firstMarks)
{
    QStringList parts;
    for (int i = 0; i < texts.size(); ++i) {
        QString text = c.value(texts[i]);
        if (text.isEmpty())
            continue;
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        if (i < firstMarks.size() && !firstMarks[i].isEmpty()) {
            const QString prefix = firstMarks[i].left(1);
            const int first = firstMarks[i].mid(1).toInt();
            QStringList marks;
            for (int m = 0; m < 4; ++m)
                marks << c.value(QStringLiteral("%1%2").arg(prefix).arg(first + m, 2, 10, QLatin1Char('0')));
            if (!marks.join(QString()).isEmpty())
                text += QStringLiteral(" [%1 %2 / %3 %4]").arg(marks[0], marks[1], marks[2], marks[3]);
        }
        parts << text;
    }
    return parts.join(QStringLiteral(" or "));
}

}  // namespace

QMap<QString, QString> ExportedAnalysis::controls() const
{
    QMap<QString, QString> c;
    for (const auto& [k, v] : fields)
        c.insert(k, v);
    for (const auto& [k, v] : results)
        c.insert(k, v);
    return c;
}

ExportedAnalysis exportTweedFile(const QString& path)
{
    return exportTweedRecord(path, readTweedFile(path));
}

ExportedAnalysis exportTweedRecord(const QString& path, const TweedRecord& r)
{
    ExportedAnalysis a;
    a.file = path;
    a.kind = QStringLiteral("tweed");

    a.fields = {{name("twPaciente"), r.patient}, {name("Idade"), r.age},
                {name("gender"), r.male ? QStringLiteral("Male") : QStringLiteral("Female")},
                {name("stage"), stageWord(stageFromFileName(QFileInfo(path).fileName()))}};
    for (int i = 0; i < 20; ++i)
        a.fields.append({QLatin1String(kTweedEntries[i].control), r.entries[i]});
    a.fields.append({name("impaOption"), r.replaceImpa ? QStringLiteral("No") : QStringLiteral("Yes")});
    a.fields.append({name("dcopcres"), r.replacementImpa});

    // Every panel label empty: the same for every analysis without guidance.
    static const QMap<QString, QString> kEmptyPanel = diagnosisControls(Diagnosis{});
    QMap<QString, QString> panel = kEmptyPanel;
    const OpenedTweed o = openTweedRecord(r);
    a.results = tweedResultTexts(o.outcome.results);
    if (!o.outcome.calculated()) {
        a.messages << o.outcome.check.warning;
    } else if (o.runsGuidance) {
        const TweedGuidance g = runTweedGuidance(o.outcome.results, r.answers);
        if (!g.warning.isEmpty())
            a.messages << g.warning;
        else
            panel = diagnosisControls(g.diagnosis);
    }
    for (const QString& control : diagnosisControlNames())
        a.results.append({control, panel.value(control)});
    return a;
}

ExportedAnalysis exportBoltonFile(const QString& path, const BoltonTables& tables)
{
    return exportBoltonRecord(path, readBoltonFile(path), tables);
}

ExportedAnalysis exportBoltonRecord(const QString& path, const BoltonRecord& r, const BoltonTables& tables)
{
    ExportedAnalysis a;
    a.file = path;
    a.kind = QStringLiteral("bolton");
    const QMap<QString, QString> stored = boltonEntryTexts(r);
    for (const BoltonEntry& e : kBoltonEntries)
        a.fields.append({QLatin1String(e.control), stored.value(QLatin1String(e.control))});

    BoltonInputs in;
    in.patient = r.patient;
    in.maxilla = r.maxilla;
    in.mandible = r.mandible;
    const QString warning = checkBoltonInputs(in);
    if (!warning.isEmpty()) {
        a.messages << warning;
        a.results = boltonResultTexts(BoltonResults{});
    } else {
        a.results = boltonResultTexts(calculateBolton(in, tables));
    }
    return a;
}

QByteArray jsonStart()
{
    return QByteArrayLiteral("[");
}

QByteArray jsonAnalysis(const ExportedAnalysis& a, bool first)
{
    QByteArray out;
    out.reserve(4096);
    out += first ? "\n" : ",\n";
    out += "{\"file\":";
    appendJsonString(out, a.file);
    out += ",\"kind\":";
    appendJsonString(out, a.kind);
    out += ",\"fields\":";
    appendJsonObject(out, a.fields);
    out += ",\"results\":";
    appendJsonObject(out, a.results);
    out += ",\"messages\":[";
    for (qsizetype m = 0; m < a.messages.size(); ++m) {
        if (m > 0)
            out += ',';
        appendJsonString(out, a.messages[m]);
    }
    out += "]}";
    return out;
}

QByteArray jsonEnd()
{
    return QByteArrayLiteral("\n]\n");
}

QByteArray analysesToJson(const QList<ExportedAnalysis>& analyses)
{
    QByteArray out = jsonStart();
    for (qsizetype i = 0; i < analyses.size(); ++i)
        out += jsonAnalysis(analyses[i], i == 0);
    out += jsonEnd();
    return out;
}

namespace {

QList<Column> csvColumns(bool tweed)
{
    if (tweed)
        return tweedColumns();
    QList<Column> columns;
    for (const BoltonEntry& e : kBoltonEntries)
        columns.append(Column{e.exportHeading, e.control});
    for (const BoltonResult& r : kBoltonResults) {
        if (r.exportHeading)
            columns.append(Column{r.exportHeading, r.control});
    }
    return columns;
}

void appendCsvLine(QByteArray& out, const QStringList& cells)
{
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += ',';
        appendCsvCell(out, cells[i]);
    }
    out += "\r\n";
}

}  // namespace

QByteArray csvHeader(const QString& kind)
{
    const bool tweed = kind == QLatin1String("tweed");
    QStringList headings{QStringLiteral("File")};
    for (const Column& c : csvColumns(tweed))
        headings << QLatin1String(c.heading);
    if (tweed)
        headings << QStringLiteral("Anterior Suggestion") << QStringLiteral("Midarch Suggestion")
                 << QStringLiteral("Posterior Suggestion") << QStringLiteral("Skeletal Suggestion");
    headings << QStringLiteral("Messages");
    QByteArray out;
    appendCsvLine(out, headings);
    return out;
}

QByteArray csvRow(const ExportedAnalysis& a)
{
    const bool tweed = a.kind == QLatin1String("tweed");
    static const QList<Column> tweedColumnList = csvColumns(true);
    static const QList<Column> boltonColumnList = csvColumns(false);
    const QMap<QString, QString> c = a.controls();
    QStringList cells{a.file};
    for (const Column& col : tweed ? tweedColumnList : boltonColumnList)
        cells << QString(c.value(QLatin1String(col.control))).replace(QLatin1Char('\r'), QLatin1Char(' '));
    if (tweed) {
        cells << suggestion(c, {QStringLiteral("dsant")}, {QStringLiteral("a01")})
              << suggestion(c, {QStringLiteral("dsmed"), QStringLiteral("dsmed2")},
                            {QStringLiteral("m01"), QStringLiteral("m05")})
              << suggestion(c, {QStringLiteral("dspos")}, {QStringLiteral("p01")})
              << suggestion(c,
                            {QStringLiteral("dsdesc"), QStringLiteral("dsdesc2"), QStringLiteral("dsdesc3"),
                             QStringLiteral("dsdesc4"), QStringLiteral("dsdesc5")},
                            {QStringLiteral("d01"), QStringLiteral("d05"), QStringLiteral("d09"),
                             QStringLiteral("d13"), QString()});
    }
    cells << a.messages.join(QStringLiteral("; "));
    QByteArray out;
    appendCsvLine(out, cells);
    return out;
}

QByteArray analysesToCsv(const QList<ExportedAnalysis>& analyses, const QString& kind)
{
    QByteArray out = csvHeader(kind);
    for (const ExportedAnalysis& a : analyses) {
        if (a.kind == kind)
            out += csvRow(a);
    }
    return out;
}

}  // namespace vel
