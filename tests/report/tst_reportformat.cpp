#include "report/reportdefinition.h"
#include "common/fileio.h"
#include "report/reportrenderer.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace vel;

namespace {

const QString kShipped = QStringLiteral(VELMORA_DATA_DIR) + QString::fromUtf8("/An\xc3\xa1lises.rav");
const QString kOr = QStringLiteral("\r\r\r\ror\r\r");

// One page of a one-report file; the page's items start on line 4.
QByteArray onePage(const QString& items, const QString& reportAttributes = QString())
{
    return QStringLiteral("<reports>\n<report name=\"r\"%1>\n<page>\n%2\n</page>\n</report>\n</reports>\n")
        .arg(reportAttributes, items)
        .toUtf8();
}

Report parseOne(const QByteArray& xml)
{
    const ReportDefinitions d = ReportDefinitions::parse(xml, QStringLiteral("fixture.rav"));
    return *d.find(QStringLiteral("r"));
}

ReportDefinitions shipped()
{
    return ReportDefinitions::load(kShipped);
}

QString writePdf(const QTemporaryDir& dir, const QByteArray& pdf)
{
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray run(const QString& tool, const QStringList& arguments)
{
    QProcess p;
    p.start(tool, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(tool), p.readAllStandardError().constData());
    return p.readAllStandardOutput();
}

// The PDF's text page by page, as laid out on the paper, every run of blanks
// within a line reduced to one.
QStringList pdfPages(const QByteArray& pdf)
{
    QTemporaryDir dir;
    const QString text = QString::fromUtf8(
        run(QStringLiteral("pdftotext"), {"-layout", "-enc", "UTF-8", writePdf(dir, pdf), "-"}));
    QStringList pages = text.split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.constLast().trimmed().isEmpty())
        pages.removeLast();
    for (QString& page : pages) {
        QStringList lines = page.split(QLatin1Char('\n'));
        for (QString& line : lines)
            line = line.simplified();
        page = lines.join(QLatin1Char('\n'));
    }
    return pages;
}

struct Word {
    int page;  // from 1
    QString text;
    QRectF box;  // millimetres from the paper's top left
};

// Every word of the PDF with the box it is printed in.
QList<Word> pdfWords(const QByteArray& pdf)
{
    QTemporaryDir dir;
    const QString html = QString::fromUtf8(run(QStringLiteral("pdftotext"), {"-bbox", writePdf(dir, pdf), "-"}));
    static const QRegularExpression tag(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Word> words;
    int page = 0;
    constexpr double mmPerPoint = 25.4 / 72;
    for (const QRegularExpressionMatch& m : tag.globalMatch(html)) {
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.append({page, m.captured(5), QRectF(topLeft * mmPerPoint, bottomRight * mmPerPoint)});
    }
    return words;
}

// One page of the PDF as an image at `dpi`.
QImage pdfImage(const QByteArray& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString n = QString::number(page);
    run(QStringLiteral("pdftoppm"), {"-png", "-r", QString::number(dpi), "-f", n, "-l", n, "-singlefile",
                                     writePdf(dir, pdf), dir.filePath(QStringLiteral("page"))});
    return QImage(dir.filePath(QStringLiteral("page.png")));
}

// Whether the page shows the parameter's text: every line of it, and a
// captioned line ("Caption:  value") as its caption followed on the same line
// by its value, however far the layout sets them apart.
bool shows(const QString& page, const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& raw : t.split(QLatin1Char('\n'))) {
        const QString line = raw.simplified();
        if (line.isEmpty())
            continue;
        const qsizetype sep = line.indexOf(QLatin1String(": "));
        const QString pattern = sep < 0 ? QRegularExpression::escape(line)
                                        : QRegularExpression::escape(line.left(sep)) + QStringLiteral(":? +")
                                              + QRegularExpression::escape(line.mid(sep + 2));
        const QRegularExpression re(QStringLiteral("(^| )") + pattern + QStringLiteral("( |$)"),
                                    QRegularExpression::MultilineOption);
        if (!re.match(page).hasMatch())
            return false;
    }
    return true;
}

using Texts = QList<QPair<QString, QString>>;

ReportParameters toParameters(const Texts& texts)
{
    ReportParameters p;
    for (const auto& [name, text] : texts)
        p.insert(name, text);
    return p;
}

const QString kPatient = QStringLiteral("Patient:  Ana Souza  -  PRE-TX");

// Every line the Tweed print hands over for the analysis page, each value
// different from all the others.
Texts tweedAnalysis()
{
    const QString deg = QString::fromUtf8("\xc2\xb0");
    return {
        {"nome", kPatient},
        {"idade", "Age:  12 years old"},
        {"genero", "Gender:  Female"},
        {"fma", "FMA (22" + deg + " to 28" + deg + "):  25.1" + deg},
        {"fmia", "FMIA (65" + deg + " to 68" + deg + "):  62.2" + deg},
        {"impa", "IMPA (88" + deg + " to 94" + deg + "):  95.3" + deg},
        {"ploc", "Occ Plane (8" + deg + " to 12" + deg + "):  10.4" + deg},
        {"sna", "SNA ( 80" + deg + " to 84" + deg + "):  83.5" + deg},
        {"snb", "SNB (78" + deg + " to 82" + deg + "):  79.6" + deg},
        {"anb", "ANB ( 1" + deg + " to 5" + deg + "):  3.9" + deg},
        {"aobo", "AO - BO ( 0 to 4 mm):  2.8mm"},
        {"angz", "Z Angle ( 70" + deg + " to 80" + deg + "):  72.7" + deg},
        {"ls", "Upper Lip:  15.1"},
        {"qt", "Total Chin:  12.2"},
        {"afa", "AFH:  110.3"},
        {"afp", "PFH:  75.4"},
        {"afpafa", "PFH / AFH ( 65% to 75%):  69%"},
        {"horn", "Orthodontic Treatment"},
        {"ifma", "FMA:  101"},
        {"ianb", "ANB:  102"},
        {"iangz", "Z Angle:  103"},
        {"iploc", "Occ Plane:  104"},
        {"isnb", "SNB:  105"},
        {"iif", "PFH/AFH:  106"},
        {"isub1", "C F Difficulty Total:  107"},
        {"idma", "Ant Tooth Arch Disc:  22.5"},
        {"idc", "Headfilm Disc:  6.6"},
        {"imtm", "Soft Tissue Mod:  0.7"},
        {"idmm", "Mid Tooth Arch Disc:  3.8"},
        {"ispee", "C. Spee:  3.9"},
        {"icorr", "Molar Correction:  4.1"},
        {"idmp", "Post Area Total Disc:  27.2"},
        {"isub2", "S A Difficulty Total:  65.3"},
        {"itot", "Difficulty Index:  75.5"},
        {"aer", "RS:  30.1"},
        {"aep", "AS:  27.2"},
        {"adm", "Tooth Arch Disc:  -3.3"},
        {"adc", "Headfilm Disc:  -6.4"},
        {"amtm", "Soft Tissue Mod:  0.5"},
        {"adisc", "Surplus/Deficit:  -9.6"},
        {"mer", "RS:  20.7"},
        {"mep", "AS:  18.8"},
        {"mdm", "Tooth Arch Disc:  -2.9"},
        {"spee", "C. Spee:  -1.1"},
        {"corr", "Molar Correction:  -2.2"},
        {"mdisc", "Surplus/Deficit:  -5.3"},
        {"per", "RS:  15.4"},
        {"pep", "AS:  14.5"},
        {"pdm", "Tooth Arch Disc:  -1.6"},
        {"cres", "Estim Increase:  2.7"},
        {"pdisc", "Surplus/Deficit:  1.8"},
        {"total", "Total Surplus/Deficit:  -14.9"},
        {"dcfma", "FMA:  24.1"},
        {"dcfmia", "FMIA:  65.2"},
        {"dcimpa", "IMPA:  90.3"},
        {"dcdc", "Headfilm Disc:  -6.8"},
        {"dif", "DIFFICULTY INDEX  MODERATE: 75.5"},
    };
}

// The suggested diagnosis: two midarch and three skeletal alternatives, the
// longest texts the guidance writes.
Texts tweedDiagnosis()
{
    return {
        {"discantinfo", "Anterior Surplus/Deficit"},
        {"discant", "Extract:"},
        {"discmedinfo", "Midarch Surplus/Deficit"},
        {"discmed", "Non-Extraction" + kOr + "Extract:"},
        {"discposinfo", "Posterior Surplus/Deficit"},
        {"discpos", "Await full development of the\rthird molars"},
        {"desarminfo", "Skeletal Disharmony"},
        {"desarm", "Extractions and Intrusive\rdirectional force treatment" + kOr
                       + "Bite plates, U and D elastics and\rother extrusive directional forces.\rSurgery and Orthodontics"
                       + kOr + "Can be compensated by tooth\rpositioning"},
    };
}

// The cross groups in chart order, by the names of their four marks.
const QList<QStringList> kCrossMarks = {
    {"a1", "a2", "a3", "a4"},     {"m1", "m2", "m3", "m4"},     {"m5", "m6", "m7", "m8"},
    {"p1", "p2", "p3", "p4"},     {"d1", "d2", "d3", "d4"},     {"d5", "d6", "d7", "d8"},
    {"d9", "d10", "d11", "d12"}, {"d13", "d14", "d15", "d16"},
};

// A mark no other text on the page contains.
QString markText(int group, int quadrant) { return QStringLiteral("G%1Q%2").arg(group + 1).arg(quadrant + 1); }

Texts bolton()
{
    Texts t{{"nome", "Patient:  Ana Souza"}};
    for (int i = 1; i <= 12; ++i) {
        t.append({QStringLiteral("s%1").arg(i), QStringLiteral("8.%1").arg(i, 2, 10, QLatin1Char('0'))});
        t.append({QStringLiteral("i%1").arg(i), QStringLiteral("7.%1").arg(i, 2, 10, QLatin1Char('0'))});
    }
    t += Texts{
        {"rs12", "95.4"},           {"rs6", "45.7"},           {"ri12", "87.0"},           {"ri6", "36.1"},
        {"busca12", "+ 91.3 :"},    {"busca6", "- 77.2 :"},    {"busca12res", "95.5"},     {"busca6res", "36.2"},
        {"infobusca12res", "Max 12"}, {"infobusca6res", "Mnd 06"}, {"res12info", "Exc Max"}, {"res6info", "Exc Mnd"},
        {"tab12res", "95.3"},       {"tab6res", "46.8"},       {"res12", "0.2"},           {"res6", "-1.3"},
        {"contai12", "87.1"},       {"contas12", "95.6"},      {"contai6", "36.3"},        {"contas6", "45.8"},
        {"contatotal12", "91.1 %"}, {"contatotal6", "79.2 %"},
        {"diag12", "Sum of mesiodistal diameters\r\r654321 | 123456\r\rExcessive maxillary\rdiscrepancy of 0.2mm"},
        {"diag6", "Sum of mesiodistal diameters\r\r   321 | 123   \r\rExcessive mandibular\rdiscrepancy of 1.3mm"},
    };
    return t;
}

// A memo of numbered lines, each ended by a break as the tabs hand it over.
QString memo(int lines)
{
    QString text;
    for (int i = 1; i <= lines; ++i)
        text += QStringLiteral("Line %1 of the notes: archwire changed, elastics checked.\r").arg(i, 3, 10, QLatin1Char('0'));
    return text;
}

QByteArray renderShipped(const QString& name, const ReportParameters& params, int lastPage)
{
    const ReportDefinitions d = shipped();
    const Report* report = d.find(name);
    if (!report)
        qFatal("no %s in the shipped file", qPrintable(name));
    return renderReportToPdf(*report, params, lastPage, d.baseDir());
}

// The darkest grey in a square of `radius` pixels around a point in mm.
int darkest(const QImage& image, QPointF mm, int dpi, int radius = 2)
{
    const QPoint c = (mm * dpi / 25.4).toPoint();
    int dark = 255;
    for (int y = c.y() - radius; y <= c.y() + radius; ++y) {
        for (int x = c.x() - radius; x <= c.x() + radius; ++x)
            dark = std::min(dark, qGray(image.pixel(x, y)));
    }
    return dark;
}

}  // namespace

class ReportFormatTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void readsEveryElement();
    void damagedFile_data();
    void damagedFile();
    void loadNamesTheFile();
    void picturesThatAreNoFilesAreLeftOut();

    void textTransforms_data();
    void textTransforms();
    void flowRunsOverPagesLosingNothing();
    void flowStopsAtItsText();

    void shippedReportsPrintEveryParameter_data();
    void shippedReportsPrintEveryParameter();
    void lastPageLimitsThePages_data();
    void lastPageLimitsThePages();
    void chartsFollowTheirCrosses();
    void artworkOnEveryPage();
    void unknownReportFindsNothing();
};

void ReportFormatTest::initTestCase()
{
    for (const char* tool : {"pdftotext", "pdftoppm"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                 "poppler-utils is missing: run scripts/setup");
}

void ReportFormatTest::readsEveryElement()
{
    const Report r = parseOne(onePage(
        "<!-- a comment is allowed anywhere -->\n"
        "<text param=\"nome\" x=\"15\" y=\"20.5\" w=\"180\" h=\"6\" size=\"12\" bold=\"true\" italic=\"true\""
        " align=\"right\" valign=\"middle\" wrap=\"false\" color=\"#6b3e1f\" if=\"cruzh1\"/>\n"
        "<text value=\"Page {page}\" paragraph=\"3\" split=\":  \" part=\"after\" x=\"1\" y=\"2\" w=\"3\" h=\"4\""
        " font=\"DejaVu Serif\"/>\n"
        "<line x=\"15\" y=\"31\" x2=\"195\" y2=\"31.5\" width=\"0.6\"/>\n"
        "<rect x=\"1\" y=\"2\" w=\"3\" h=\"4\" width=\"0\" fill=\"#f3ece3\"/>\n"
        "<image src=\":/velmora.svg\" x=\"15\" y=\"10\" w=\"18\" h=\"18\"/>\n"
        "<flow param=\"memo1\" x=\"15\" y=\"47\" w=\"180\" h=\"231\" continue-y=\"40\"/>",
        " width=\"297\" height=\"210\" font=\"TeX Gyre Heros\""));

    QCOMPARE(r.name, QStringLiteral("r"));
    QCOMPARE(r.pageWidth, 297.0);
    QCOMPARE(r.pageHeight, 210.0);
    QCOMPARE(r.pages.size(), 1);
    const QList<ReportItem>& items = r.pages.first().items;
    QCOMPARE(items.size(), 6);

    const ReportItem& text = items[0];
    QCOMPARE(text.kind, ReportItem::Kind::Text);
    QCOMPARE(QList<double>({text.x, text.y, text.w, text.h}), QList<double>({15, 20.5, 180, 6}));
    QCOMPARE(text.param, QStringLiteral("nome"));
    QCOMPARE(text.size, 12.0);
    QVERIFY(text.bold && text.italic && !text.wrap);
    QCOMPARE(text.align, ReportItem::Align::Right);
    QCOMPARE(text.valign, ReportItem::VAlign::Middle);
    QCOMPARE(text.color, QStringLiteral("#6b3e1f"));
    QCOMPARE(text.showIf, QStringLiteral("cruzh1"));
    QCOMPARE(text.font, QStringLiteral("TeX Gyre Heros"));  // the report's font

    const ReportItem& literal = items[1];
    QCOMPARE(literal.value, QStringLiteral("Page {page}"));
    QCOMPARE(literal.paragraph, 3);
    QCOMPARE(literal.split, QStringLiteral(":  "));
    QCOMPARE(literal.part, ReportItem::Part::After);
    QCOMPARE(literal.font, QStringLiteral("DejaVu Serif"));  // its own
    QCOMPARE(literal.align, ReportItem::Align::Left);           // defaults
    QCOMPARE(literal.size, 10.0);
    QVERIFY(literal.wrap);

    const ReportItem& line = items[2];
    QCOMPARE(line.kind, ReportItem::Kind::Line);
    QCOMPARE(QList<double>({line.x, line.y, line.x2, line.y2, line.width}), QList<double>({15, 31, 195, 31.5, 0.6}));
    QCOMPARE(items[3].kind, ReportItem::Kind::Rect);
    QCOMPARE(items[3].width, 0.0);
    QCOMPARE(items[3].fill, QStringLiteral("#f3ece3"));
    QCOMPARE(items[4].kind, ReportItem::Kind::Image);
    QCOMPARE(items[4].src, QStringLiteral(":/velmora.svg"));

    const ReportItem& flow = items[5];
    QCOMPARE(flow.kind, ReportItem::Kind::Flow);
    QCOMPARE(flow.continueY, 40.0);
    QCOMPARE(flow.continueH, 231.0);  // defaults to the first page's height
    QCOMPARE(r.pages.first().flow(), &flow);
}

void ReportFormatTest::damagedFile_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("says");

    QTest::newRow("empty") << QByteArray() << 1 << "empty";
    QTest::newRow("blank") << QByteArray("\n  \n") << 1 << "empty";
    QTest::newRow("not XML") << QByteArray("<reports>\n<report name=\"r\">\n<page>\n</report>\n") << 4 << "XML";
    QTest::newRow("plain text") << QByteArray("report1 = tweed\n") << 1 << "XML";
    QTest::newRow("wrong root") << QByteArray("<?xml version=\"1.0\"?>\n<layouts/>\n") << 2 << "<reports>";
    QTest::newRow("unknown element") << onePage("<text value=\"a\" x=\"1\" y=\"1\" w=\"1\" h=\"1\"/>\n<circle/>") << 5
                                     << "<circle>";
    QTest::newRow("unknown attribute") << onePage("<text value=\"a\" x=\"1\" y=\"1\" w=\"1\" h=\"1\" colour=\"red\"/>")
                                       << 4 << "colour";
    QTest::newRow("bad number") << onePage("<line x=\"12,5\" y=\"1\" x2=\"2\" y2=\"1\"/>") << 4 << "12,5";
    QTest::newRow("negative size") << onePage("<rect x=\"1\" y=\"1\" w=\"-3\" h=\"1\"/>") << 4 << "w=";
    QTest::newRow("font too large") << onePage("<text value=\"a\" size=\"1e9\" x=\"1\" y=\"1\" w=\"1\" h=\"1\"/>") << 4
                                    << "size=";
    QTest::newRow("fractional paragraph") << onePage("<text param=\"a\" paragraph=\"1.5\" x=\"1\" y=\"1\" w=\"1\" h=\"1\"/>")
                                          << 4 << "whole";
    QTest::newRow("missing attribute") << onePage("\n<line x=\"1\" y=\"1\" x2=\"2\"/>") << 5 << "y2";
    QTest::newRow("tag over lines") << onePage("<line x=\"1\"\n y=\"1\"\n x2=\"2\" y2=\"a\"/>") << 4 << "\"a\"";
    QTest::newRow("after non-ASCII text")
        << onePage(QString::fromUtf8("<text value=\"An\xc3\xa1lises \xc2\xb0\" x=\"1\" y=\"1\" w=\"1\" h=\"1\"/>\n"
                                     "<text value=\"b\" x=\"1\" y=\"1\" w=\"-1\" h=\"1\"/>"))
        << 5 << "w=";
    QTest::newRow("text without source") << onePage("<text x=\"1\" y=\"1\" w=\"1\" h=\"1\"/>") << 4 << "param";
    QTest::newRow("text with two sources") << onePage("<text param=\"a\" value=\"b\" x=\"1\" y=\"1\" w=\"1\" h=\"1\"/>")
                                           << 4 << "param";
    QTest::newRow("split without part") << onePage("<text param=\"a\" split=\":\" x=\"1\" y=\"1\" w=\"1\" h=\"1\"/>") << 4
                                        << "part";
    QTest::newRow("bad choice") << onePage("<text param=\"a\" align=\"middle\" x=\"1\" y=\"1\" w=\"1\" h=\"1\"/>") << 4
                                << "middle";
    QTest::newRow("bad flag") << onePage("<text param=\"a\" bold=\"yes\" x=\"1\" y=\"1\" w=\"1\" h=\"1\"/>") << 4 << "yes";
    QTest::newRow("bad colour") << onePage("<line x=\"1\" y=\"1\" x2=\"2\" y2=\"1\" color=\"#12345\"/>") << 4 << "#12345";
    QTest::newRow("stray text") << onePage("Velmora") << 4 << "Velmora";
    // Non-breaking spaces are no blanks to XML: shown by their code, not as nothing.
    QTest::newRow("non-breaking spaces") << onePage("\xc2\xa0\xc2\xa0") << 4 << "\"<U+00A0><U+00A0>\"";
    QTest::newRow("a word between non-breaking spaces") << onePage("  \xc2\xa0page\xc2\xa0 ") << 4 << "\"<U+00A0>page<U+00A0>\"";
    QTest::newRow("two flows") << onePage("<flow param=\"a\" x=\"1\" y=\"1\" w=\"1\" h=\"1\"/>\n"
                                          "<flow param=\"b\" x=\"1\" y=\"1\" w=\"1\" h=\"1\"/>")
                               << 5 << "one <flow>";
    QTest::newRow("report without pages") << QByteArray("<reports>\n<report name=\"r\">\n</report>\n</reports>") << 2
                                          << "no <page>";
    QTest::newRow("duplicate name") << QByteArray("<reports>\n<report name=\"r\"><page/></report>\n\n"
                                                  "<report name=\"r\"><page/></report>\n</reports>")
                                    << 4 << "\"r\"";
}

void ReportFormatTest::damagedFile()
{
    QFETCH(QByteArray, xml);
    QFETCH(int, line);
    QFETCH(QString, says);
    try {
        ReportDefinitions::parse(xml, QStringLiteral("/somewhere/Layouts.rav"));
        QFAIL("no error");
    } catch (const ReportError& e) {
        QCOMPARE(e.file(), QStringLiteral("/somewhere/Layouts.rav"));
        QCOMPARE(e.line(), line);
        QVERIFY2(e.text().startsWith(QStringLiteral("Layouts.rav, line %1: ").arg(line)), qPrintable(e.text()));
        QVERIFY2(e.text().contains(says), qPrintable(e.text()));
    }
}

void ReportFormatTest::loadNamesTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8("An\xc3\xa1lises.rav"));
    QVERIFY_THROWS_EXCEPTION(ReportError, ReportDefinitions::load(path));

    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<reports>\n<report name=\"r\">\n<page><text/></page>\n</report>\n</reports>\n");
    file.close();
    try {
        ReportDefinitions::load(path);
        QFAIL("no error");
    } catch (const ReportError& e) {
        QCOMPARE(e.file(), path);
        QVERIFY2(e.text().startsWith(QString::fromUtf8("An\xc3\xa1lises.rav, line 3: ")), qPrintable(e.text()));
    }

    const ReportDefinitions d = shipped();
    QCOMPARE(d.names(), QStringList({"report1", "report2", "report3", "report4"}));
    QCOMPARE(d.baseDir(), QStringLiteral(VELMORA_DATA_DIR));
}

// A picture beside the layouts that is a pipe, a folder or absurdly large is
// left out (its place empty) and never waited on; the text still prints.
void ReportFormatTest::picturesThatAreNoFilesAreLeftOut()
{
    QTemporaryDir dir;
    QVERIFY(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.png"))).constData(), 0600) == 0);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.svg")));
    QFile huge(dir.filePath(QStringLiteral("huge.png")));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(readCap::kImage + 1));
    huge.close();
    const ReportDefinitions d = ReportDefinitions::parse(
        onePage("<image src=\"pipe.png\" x=\"1\" y=\"1\" w=\"10\" h=\"10\"/>\n"
                "<image src=\"folder.svg\" x=\"1\" y=\"20\" w=\"10\" h=\"10\"/>\n"
                "<image src=\"huge.png\" x=\"1\" y=\"40\" w=\"10\" h=\"10\"/>\n"
                "<text param=\"nome\" x=\"20\" y=\"60\" w=\"100\" h=\"8\"/>"),
        dir.filePath(QStringLiteral("Layouts.rav")));
    const QStringList pages = pdfPages(renderReportToPdf(*d.find(QStringLiteral("r")), {{"nome", "Patient:  ANA"}}, 1,
                                                         d.baseDir()));
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages[0].contains(QStringLiteral("Patient: ANA")) || pages[0].contains(QStringLiteral("Patient:  ANA")));
}

void ReportFormatTest::textTransforms_data()
{
    QTest::addColumn<QString>("attributes");
    QTest::addColumn<QString>("value");  // of the parameter "p"
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("hidden");

    const QString alternatives = "Non-Extraction" + kOr + "Surgery and Orthodontics";
    QTest::newRow("whole") << "param=\"p\"" << alternatives << "Non-Extraction\nor\nSurgery and Orthodontics" << "";
    QTest::newRow("first paragraph") << "param=\"p\" paragraph=\"1\"" << alternatives << "Non-Extraction"
                                     << "Surgery";
    QTest::newRow("between") << "param=\"p\" paragraph=\"2\"" << alternatives << "or" << "Extraction";
    QTest::newRow("third paragraph") << "param=\"p\" paragraph=\"3\"" << alternatives << "Surgery and Orthodontics"
                                     << "Extraction";
    QTest::newRow("no such paragraph") << "param=\"p\" paragraph=\"5\"" << alternatives << "" << "Extraction";
    QTest::newRow("caption") << "param=\"p\" split=\":  \" part=\"before\"" << "Upper Lip:  15.0" << "Upper Lip"
                             << "15.0";
    QTest::newRow("value") << "param=\"p\" split=\":  \" part=\"after\"" << "Upper Lip:  15.0" << "15.0" << "Lip";
    QTest::newRow("value keeps later separators")
        << "param=\"p\" split=\":  \" part=\"after\"" << "Patient:  A:  B" << "A: B" << "Patient";
    QTest::newRow("no caption: all of it before") << "param=\"p\" split=\":  \" part=\"before\"" << "Balanced Face"
                                                  << "Balanced Face" << "";
    QTest::newRow("no caption: nothing after") << "param=\"p\" split=\":  \" part=\"after\"" << "Balanced Face" << ""
                                               << "Balanced";
    QTest::newRow("line breaks") << "param=\"p\"" << "first\rsecond\r\nthird\nfourth" << "first\nsecond\nthird\nfourth"
                                 << "first second";
    QTest::newRow("placeholders") << "value=\"Page {page} of {pages}\"" << "" << "Page 1 of 1" << "{page";
    QTest::newRow("parameter text is not a template") << "param=\"p\"" << "{page}" << "{page}" << "";
    QTest::newRow("condition unset") << "value=\"chart\" if=\"q\"" << "" << "" << "chart";
    QTest::newRow("condition set") << "value=\"chart\" if=\"p\"" << "____" << "chart" << "";
}

void ReportFormatTest::textTransforms()
{
    QFETCH(QString, attributes);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    QFETCH(QString, hidden);
    const Report r = parseOne(onePage("<text " + attributes + " x=\"20\" y=\"20\" w=\"150\" h=\"60\"/>\n"
                                      "<text value=\"END\" x=\"20\" y=\"200\" w=\"20\" h=\"5\"/>"));
    const QStringList pages = pdfPages(renderReportToPdf(r, {{"p", value}}, 1));
    QCOMPARE(pages.size(), 1);
    QString text = pages.first();
    QVERIFY(text.contains(QLatin1String("END")));
    text = text.left(text.indexOf(QLatin1String("END"))).trimmed();
    if (shown.isEmpty())
        QCOMPARE(text, QString());
    else
        QVERIFY2(shows(text, shown), qPrintable(text));
    if (!hidden.isEmpty())
        QVERIFY2(!text.contains(hidden), qPrintable(text));
}

void ReportFormatTest::flowRunsOverPagesLosingNothing()
{
    // A box of ten lines or so, continued higher up on the following pages,
    // a second page after the flowing one, and a word longer than the box.
    const QByteArray xml = QStringLiteral("<reports>\n<report name=\"r\">\n<page>\n"
                                          "<text value=\"Sheet {page}/{pages}\" x=\"10\" y=\"5\" w=\"100\" h=\"5\"/>\n"
                                          "<flow param=\"m\" x=\"10\" y=\"100\" w=\"120\" h=\"45\" continue-y=\"20\" "
                                          "continue-h=\"45\"/>\n"
                                          "</page>\n<page>\n"
                                          "<text value=\"Sheet {page}/{pages}\" x=\"10\" y=\"5\" w=\"100\" h=\"5\"/>\n"
                                          "<text value=\"Closing page\" x=\"10\" y=\"20\" w=\"100\" h=\"5\"/>\n</page>\n</report>\n</reports>")
                               .toUtf8();
    const Report r = parseOne(xml);
    const QString unbroken(300, QLatin1Char('W'));
    const ReportParameters params{{"m", memo(40) + unbroken + "\rAfter the long word.\r"}};

    const QStringList pages = pdfPages(renderReportToPdf(r, params, 50));
    QVERIFY2(pages.size() > 3, qPrintable(QString::number(pages.size())));
    QCOMPARE(countReportPages(r, params, 50), pages.size());
    QVERIFY(pages.constLast().contains(QLatin1String("Closing page")));
    QString all;
    for (int i = 0; i < pages.size(); ++i) {
        QVERIFY(pages[i].contains(QStringLiteral("Sheet %1/%2").arg(i + 1).arg(pages.size())));
        all += pages[i] + "\n";
    }
    // Every line once, in order; the long word broken but complete.
    qsizetype at = 0;
    for (int i = 1; i <= 40; ++i) {
        const QString line = QStringLiteral("Line %1 of").arg(i, 3, 10, QLatin1Char('0'));
        const qsizetype found = all.indexOf(line, at);
        QVERIFY2(found >= 0, qPrintable(line));
        QCOMPARE(all.indexOf(line, found + 1), -1);
        at = found;
    }
    QCOMPARE(all.count(QLatin1Char('W')), 300);
    QVERIFY(all.indexOf(QLatin1String("After the long word."), at) > all.lastIndexOf(QLatin1Char('W')));

    // The flow keeps to its box: low on the first page, higher up on the
    // following ones, never below either.
    const QList<Word> words = pdfWords(renderReportToPdf(r, params, 50));
    for (int page = 1; page < pages.size(); ++page) {
        const double top = page == 1 ? 100 : 20;
        double first = 1000, last = 0;
        for (const Word& w : words) {
            if (w.page == page && w.box.top() > 12) {  // below the sheet number
                first = std::min(first, w.box.top());
                last = std::max(last, w.box.bottom());
            }
        }
        QVERIFY2(qAbs(first - top) < 0.5, qPrintable(QStringLiteral("page %1 starts at %2 mm").arg(page).arg(first)));
        QVERIFY2(last <= top + 45 + 0.1, qPrintable(QStringLiteral("page %1 ends at %2 mm").arg(page).arg(last)));
        QVERIFY2(last > top + 45 - 10, qPrintable(QStringLiteral("page %1 ends at %2 mm").arg(page).arg(last)));
    }

    // The last page to print cuts the flow short.
    QCOMPARE(pdfPages(renderReportToPdf(r, params, 2)).size(), 2);
    QCOMPARE(countReportPages(r, params, 2), 2);
}

void ReportFormatTest::flowStopsAtItsText()
{
    // Trailing line breaks (every memo line ends with one) start no page;
    // an empty memo still prints its one page with the patient on it.
    const Report r = parseOne(onePage("<text param=\"nome\" x=\"10\" y=\"5\" w=\"100\" h=\"5\"/>\n"
                                      "<flow param=\"m\" x=\"10\" y=\"20\" w=\"120\" h=\"30\"/>"));
    int fits = 0;
    while (fits < 100 && countReportPages(r, {{"m", memo(fits + 1)}}, 50) == 1)
        ++fits;
    QVERIFY(fits > 1 && fits < 100);
    QCOMPARE(countReportPages(r, {{"m", memo(fits) + "\r\r\r\r\r\r\r\r"}}, 50), 1);
    QCOMPARE(countReportPages(r, {{"m", memo(fits + 1)}}, 50), 2);

    const QStringList pages = pdfPages(renderReportToPdf(r, {{"nome", kPatient}}, 50));
    QCOMPARE(pages.size(), 1);
    QVERIFY(shows(pages.first(), kPatient));
}

void ReportFormatTest::shippedReportsPrintEveryParameter_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("lastPage");
    QTest::addColumn<QList<Texts>>("pages");  // what each page must show

    QTest::newRow("report1") << "report1" << 2
                             << QList<Texts>{tweedAnalysis(), Texts{{"nome", kPatient}} + tweedDiagnosis()};
    QTest::newRow("report2") << "report2" << 1 << QList<Texts>{bolton()};
    for (const char* name : {"report3", "report4"}) {
        const Texts notes{{"nome", "Patient:  Ana Souza"},
                          {"memo1", "12/03/2024\r\rBands cemented on the first molars.\r" + QString(145, '-') + "\r"}};
        QTest::newRow(name) << name << 50 << QList<Texts>{notes};
    }
}

void ReportFormatTest::shippedReportsPrintEveryParameter()
{
    QFETCH(QString, report);
    QFETCH(int, lastPage);
    QFETCH(QList<Texts>, pages);
    ReportParameters params;
    for (const Texts& page : pages)
        params.insert(toParameters(page));

    const QStringList printed = pdfPages(renderShipped(report, params, lastPage));
    QCOMPARE(printed.size(), pages.size());
    for (int p = 0; p < pages.size(); ++p) {
        for (const auto& [name, text] : pages[p])
            QVERIFY2(shows(printed[p], text), qPrintable(QStringLiteral("page %1 lacks %2").arg(p + 1).arg(name)));
        QVERIFY(printed[p].contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size())));
    }
    // Every word on the paper inside the margins, none printed over another.
    const QList<Word> words = pdfWords(renderShipped(report, params, lastPage));
    for (qsizetype i = 0; i < words.size(); ++i) {
        const Word& w = words[i];
        QVERIFY2(QRectF(14.5, 9.5, 181, 281).contains(w.box), qPrintable(w.text));
        for (qsizetype j = i + 1; j < words.size(); ++j) {
            const Word& other = words[j];
            if (other.page == w.page && other.box.adjusted(0.2, 0.2, -0.2, -0.2).intersects(w.box))
                QFAIL(qPrintable(QStringLiteral("\"%1\" over \"%2\"").arg(w.text, other.text)));
        }
    }
    // Nothing of the diagnosis leaks onto the analysis page.
    if (pages.size() == 2) {
        for (const auto& [name, text] : tweedDiagnosis())
            QVERIFY2(!shows(printed[0], text), qPrintable(name));
    }
}

void ReportFormatTest::lastPageLimitsThePages_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<int>("lastPage");
    QTest::addColumn<int>("pages");  // 0: more than two
    QTest::addColumn<QString>("lastLine");  // of the memo that is printed

    QTest::newRow("report1 without diagnosis") << "report1" << "" << 1 << 1 << "";
    QTest::newRow("report1 with diagnosis") << "report1" << "" << 2 << 2 << "";
    QTest::newRow("report1 has two pages") << "report1" << "" << 50 << 2 << "";
    QTest::newRow("report2") << "report2" << "" << 1 << 1 << "";
    for (const QByteArray name : {"report3", "report4"}) {
        QTest::newRow((name + " short").constData()) << QString(name) << memo(5) << 50 << 1 << "Line 005";
        QTest::newRow((name + " long, cut").constData()) << QString(name) << memo(200) << 2 << 2 << "";
        QTest::newRow((name + " long").constData()) << QString(name) << memo(200) << 50 << 0 << "Line 200";
    }
}

void ReportFormatTest::lastPageLimitsThePages()
{
    QFETCH(QString, report);
    QFETCH(QString, memo);
    QFETCH(int, lastPage);
    QFETCH(int, pages);
    QFETCH(QString, lastLine);
    ReportParameters params = toParameters(tweedAnalysis() + tweedDiagnosis());
    params.insert("memo1", memo);

    const QStringList printed = pdfPages(renderShipped(report, params, lastPage));
    if (pages > 0)
        QCOMPARE(printed.size(), pages);
    else
        QVERIFY(printed.size() > 2);
    QCOMPARE(countReportPages(*shipped().find(report), params, lastPage), printed.size());
    for (int p = 0; p < printed.size(); ++p) {
        QVERIFY2(shows(printed[p], kPatient), qPrintable(QStringLiteral("page %1").arg(p + 1)));
        QVERIFY(printed[p].contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(printed.size())));
    }
    if (!memo.isEmpty())
        QCOMPARE(printed.join('\n').contains(QLatin1String("Line 200")), lastLine == QLatin1String("Line 200"));
    if (!lastLine.isEmpty())
        QVERIFY(printed.constLast().contains(lastLine));
}

void ReportFormatTest::chartsFollowTheirCrosses()
{
    // Groups 1, 3, 5 and 7 are set as the program sets them; groups 2, 4, 6
    // and 8 carry marks without their cross, which must not show them.
    ReportParameters params = toParameters(Texts{{"nome", kPatient}} + tweedDiagnosis());
    for (int g = 0; g < kCrossMarks.size(); ++g) {
        if (g % 2 == 0) {
            params.insert(QStringLiteral("cruzh%1").arg(g + 1), "____");
            params.insert(QStringLiteral("cruzv%1").arg(g + 1), "||");
        }
        for (int q = 0; q < 4; ++q)
            params.insert(kCrossMarks[g][q], markText(g, q));
    }
    const QByteArray pdf = renderShipped("report1", params, 2);
    const QString page = pdfPages(pdf).value(1);
    constexpr int dpi = 100;
    const QImage image = pdfImage(pdf, 2, dpi);
    QVERIFY(!image.isNull());

    const ReportDefinitions defs = shipped();
    const ReportPage& layout = defs.find("report1")->pages.at(1);
    for (int g = 0; g < kCrossMarks.size(); ++g) {
        const bool set = g % 2 == 0;
        // The two lines of the group's chart meet at its centre.
        const QString cross = QStringLiteral("cruzh%1").arg(g + 1);
        QPointF centre(-1, -1);
        for (const ReportItem& item : layout.items) {
            if (item.kind != ReportItem::Kind::Line || item.showIf != cross)
                continue;
            if (item.x == item.x2)
                centre.setX(item.x);
            else
                centre.setY(item.y);
        }
        QVERIFY2(centre.x() >= 0 && centre.y() >= 0, qPrintable(cross));
        const int dark = darkest(image, centre, dpi);
        QVERIFY2(set ? dark < 100 : dark > 230, qPrintable(QStringLiteral("%1: %2").arg(cross).arg(dark)));

        for (int q = 0; q < 4; ++q)
            QCOMPARE(page.contains(markText(g, q)), set);
    }
    // The upper marks sit above the lower ones.
    const qsizetype upper = page.indexOf(markText(0, 1));
    QVERIFY(page.indexOf(markText(0, 0)) < upper && upper < page.indexOf(markText(0, 2)));
}

void ReportFormatTest::artworkOnEveryPage()
{
    // The artwork comes from the program's resources: a lost registration
    // would leave every header without it and say nothing.
    const ReportDefinitions d = shipped();
    const ReportParameters params = toParameters(tweedAnalysis() + tweedDiagnosis());
    constexpr int dpi = 60;
    for (const QString& name : d.names()) {
        const Report* report = d.find(name);
        const QByteArray pdf = renderReportToPdf(*report, params, 2, d.baseDir());
        for (int p = 0; p < report->pages.size(); ++p) {
            const QImage image = pdfImage(pdf, p + 1, dpi);
            QVERIFY(!image.isNull());
            const auto it = std::find_if(report->pages[p].items.cbegin(), report->pages[p].items.cend(),
                                         [](const ReportItem& i) { return i.kind == ReportItem::Kind::Image; });
            QVERIFY2(it != report->pages[p].items.cend(), qPrintable(name));
            const QPointF centre(it->x + it->w / 2, it->y + it->h / 2);
            QVERIFY2(darkest(image, centre, dpi, 6) < 200, qPrintable(QStringLiteral("%1 page %2").arg(name).arg(p + 1)));
        }
    }
}

void ReportFormatTest::unknownReportFindsNothing()
{
    const ReportDefinitions d = shipped();
    QVERIFY(d.find("report1"));
    QCOMPARE(d.find("report5"), nullptr);
    QCOMPARE(d.find(""), nullptr);
    QCOMPARE(d.find("Report1"), nullptr);
}

QTEST_MAIN(ReportFormatTest)
#include "tst_reportformat.moc"
