// velmora-export: a practice's stored analyses as JSON, CSV or PDF reports,
// computed exactly as opening each file in the program would show it.
#include "checkedio.h"
#include "common/resources.h"

#include "bolton/boltonfile.h"
#include "bolton/boltontables.h"
#include "common/fileio.h"
#include "common/workingfolder.h"
#include "export/analysisexport.h"
#include "report/reportdefinition.h"
#include "bolton/boltonreport.h"
#include "tweed/tweedreport.h"
#include "report/reportrenderer.h"
#include "tweed/tweedfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>
#include <vector>


namespace {

const char* const kUsage =
    "usage: velmora-export [--json | --csv DIR] [--pdf DIR] [--data DIR] PATH...\n"
    "  PATH      a .twe or .bol file, or a folder whose .twe and .bol files (hidden ones too,\n"
    "            the suffix in any case) are taken in name order\n"
    "  --json    one JSON array on standard output (the default)\n"
    "  --csv DIR tweed.csv and bolton.csv in DIR\n"
    "  --pdf DIR each analysis's report as a PDF in DIR, named after its file; files of one\n"
    "            name from different folders give NAME.pdf, NAME (2).pdf... in the order given\n"
    "  --data DIR where Bolton.cef and the report definitions are (default: the working\n"
    "            directory if it holds them, else the installed data folder)\n"
    "  --jobs N  reports made N at a time (default: one per processor core)\n";

// A spreadsheet that could not be written while the files were being read:
// it ends the run, and is told apart from a file that could not be read.
struct OutputFailed {
    QString path;
    QString reason;
};

// Paths stay the bytes they were given as: see checkedio.h.
struct Options {
    bool csv = false;
    QByteArray csvDir;
    QByteArray pdfDir;
    QByteArray dataDir;
    int jobs = 0;  // 0: one per core
    QList<QByteArray> paths;
};

int usage(const char* problem)
{
    if (problem)
        std::fprintf(stderr, "velmora-export: %s\n", problem);
    std::fputs(kUsage, stderr);
    return 2;
}

// Returns nullopt after printing the usage line.
std::optional<Options> parse(int argc, char* argv[], int& status)
{
    Options o;
    bool json = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        // An empty folder is refused: `--pdf "$UNSET"` must not quietly mean
        // "no PDFs" or "the working directory".
        auto value = [&](QByteArray& target) {
            if (i + 1 >= argc)
                return false;
            target = argv[++i];
            return !target.isEmpty();
        };
        if (arg == QLatin1String("--json")) {
            json = true;
        } else if (arg == QLatin1String("--csv")) {
            o.csv = true;
            if (!value(o.csvDir)) {
                status = usage("--csv needs a folder");
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--pdf")) {
            if (!value(o.pdfDir)) {
                status = usage("--pdf needs a folder");
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--data")) {
            if (!value(o.dataDir)) {
                status = usage("--data needs a folder");
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--jobs")) {
            QByteArray count;
            bool number = false;
            if (value(count))
                o.jobs = count.toInt(&number);
            if (!number || o.jobs < 1 || o.jobs > 256) {
                status = usage("--jobs needs a number from 1 to 256");
                return std::nullopt;
            }
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            QString reason;
            status = exporttool::writeStandardOutput(kUsage, reason) ? 0 : 1;
            if (status != 0)
                std::fprintf(stderr, "velmora-export: standard output: %s\n", qPrintable(reason));
            return std::nullopt;
        } else if (arg.startsWith(QLatin1Char('-'))) {
            status = usage(qPrintable(QStringLiteral("unknown option %1").arg(arg)));
            return std::nullopt;
        } else {
            o.paths << QByteArray(argv[i]);
        }
    }
    if (json && o.csv) {
        status = usage("--json and --csv exclude each other");
        return std::nullopt;
    }
    if (o.paths.isEmpty()) {
        status = usage("no file or folder given");
        return std::nullopt;
    }
    return o;
}

QByteArray dataFolder(const Options& o)
{
    if (!o.dataDir.isEmpty())
        return o.dataDir;
    if (QFileInfo::exists(vel::WorkingFolder().boltonTables()))
        return QFile::encodeName(QDir::currentPath());
    // Installed: the data sits in share/velmora beside bin/.
    return QFile::encodeName(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/velmora")));
}

// The analysis a file name says it holds, by its suffix in any case (names
// copied from old disks are often in capitals).
enum class Analysis { None, Tweed, Bolton };
Analysis analysisNamed(const QByteArray& name)
{
    const QByteArray lower = name.toLower();
    if (lower.endsWith(".twe"))
        return Analysis::Tweed;
    if (lower.endsWith(".bol"))
        return Analysis::Bolton;
    return Analysis::None;
}

void complain(const QString& path, const QString& reason)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(reason));
}

// The largest report-definition file taken; the shipped one is a few dozen kilobytes.
constexpr qint64 kDefinitionsCap = 16 * 1024 * 1024;

// An image a report draws from a file beside the definitions, when
// something other than a regular file stands there: drawing it would wait on
// a FIFO. Empty when every image can be drawn (or is simply absent).
QString unreadableImage(const vel::Report& report, const QString& baseDir)
{
    for (const vel::ReportPage& page : report.pages) {
        for (const vel::ReportItem& item : page.items) {
            if (item.kind != vel::ReportItem::Kind::Image || item.src.isEmpty() || item.src.startsWith(QLatin1Char(':')))
                continue;
            const QString path = QDir::isAbsolutePath(item.src) ? item.src : QDir(baseDir).filePath(item.src);
            if (exporttool::kindOf(QFile::encodeName(path)) == exporttool::Kind::Other)
                return path;
        }
    }
    return {};
}

// Each analysis's PDF is named after its file. Two files of one name (the
// same patient's analysis from two folders) must not write one PDF over the
// other: the later ones, in the order given, get " (2)", " (3)"... Names are
// given to every analysis read, printed or not, so a name does not move when
// an earlier analysis starts or stops passing its checks. Compared without
// case, as a USB disk's file system would. A hidden file's report is not
// hidden: it would look as if it had not been made.
QStringList pdfFileNames(const QList<vel::ExportedAnalysis>& analyses)
{
    QSet<QString> taken;
    QStringList names;
    const auto unhidden = [](QString name) {
        while (name.startsWith(QLatin1Char('.')))
            name.remove(0, 1);
        return name;
    };
    for (const vel::ExportedAnalysis& a : analyses) {
        const QFileInfo file(a.file);
        QString base = unhidden(file.completeBaseName());
        if (base.isEmpty())
            base = unhidden(file.fileName());  // ".twe"
        QString name = base + QStringLiteral(".pdf");
        for (int n = 2; taken.contains(name.toCaseFolded()); ++n)
            name = QStringLiteral("%1 (%2).pdf").arg(base).arg(n);
        if (name != base + QStringLiteral(".pdf"))
            complain(a.file, QStringLiteral("its report is %1: an earlier file has the same name").arg(name));
        taken.insert(name.toCaseFolded());
        names << name;
    }
    return names;
}

}  // namespace

int main(int argc, char* argv[])
{
    exporttool::guardStandardStreams();
    int status = 0;
    const std::optional<Options> options = parse(argc, argv, status);
    if (!options)
        return status;

    // Reports need fonts, so a GUI application, but never a display.
    std::unique_ptr<QCoreApplication> app;
    if (!options->pdfDir.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
        vel::initResources();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    // The output folders first: when one cannot be made, nothing is written.
    try {
        for (const QByteArray& folder : {options->csvDir, options->pdfDir}) {
            if (!folder.isEmpty())
                exporttool::makeFolder(folder);
        }
    } catch (const vel::FileError& e) {
        complain(e.path(), e.reason());
        return 1;
    }

    const QByteArray data = dataFolder(*options);
    const QByteArray tablesFile = exporttool::joinPath(data, "Bolton.cef");
    const QByteArray definitionsFile = exporttool::joinPath(data, "An\xc3\xa1lises.rav");
    std::optional<vel::BoltonTables> tables;
    QString tablesProblem;
    int exitCode = 0;

    // Each analysis goes out as soon as it is read: the JSON or the CSV rows
    // are written piece by piece, and only the reports need the analyses
    // kept until every name is known.
    std::optional<exporttool::StreamedFile> tweedCsv;
    std::optional<exporttool::StreamedFile> boltonCsv;
    QByteArray json;
    bool firstJson = true;
    bool jsonFailed = false;
    const auto writeJson = [&](bool last) {
        if (jsonFailed || (!last && json.size() < 256 * 1024))
            return;
        QString reason;
        if (!exporttool::writeStandardOutput(json, reason)) {
            complain(QStringLiteral("standard output"), reason);
            jsonFailed = true;
            exitCode = 1;
        }
        json.resize(0);
    };
    QList<vel::ExportedAnalysis> analyses;  // for the reports only
    const bool pdf = !options->pdfDir.isEmpty();
    const auto send = [&](vel::ExportedAnalysis a) {
        if (options->csv) {
            try {
                (a.kind == QLatin1String("tweed") ? tweedCsv : boltonCsv)->append(vel::csvRow(a));
            } catch (const vel::FileError& e) {
                throw OutputFailed{e.path(), e.reason()};
            }
        } else {
            json += vel::jsonAnalysis(a, firstJson);
            firstJson = false;
            writeJson(false);
        }
        if (pdf)
            analyses << std::move(a);
    };

    auto take = [&](const QByteArray& file) {
        const QString path = exporttool::displayPath(file);
        std::optional<vel::ExportedAnalysis> read;
        try {
            switch (analysisNamed(file)) {
            case Analysis::Tweed: {
                const QByteArray bytes = exporttool::readFileHead(file, vel::TweedRecord::kSize);
                read = vel::exportTweedRecord(path, vel::TweedRecord::fromBytes(bytes));
                break;
            }
            case Analysis::Bolton: {
                if (!tables && tablesProblem.isEmpty()) {
                    try {
                        tables = vel::BoltonTables::fromBytes(
                            exporttool::readFileHead(tablesFile, vel::BoltonTables::kFileSize));
                    } catch (const vel::FileError& e) {
                        tablesProblem = e.message();
                    }
                }
                if (!tables)
                    throw vel::FileError(path, tablesProblem);
                const QByteArray bytes = exporttool::readFileHead(file, vel::BoltonRecord::kSize);
                read = vel::exportBoltonRecord(path, vel::BoltonRecord::fromBytes(bytes), *tables);
                break;
            }
            case Analysis::None:
                complain(path, QStringLiteral("not a Tweed (.twe) or Bolton (.bol) analysis file"));
                exitCode = 1;
            }
        } catch (const vel::FileError& e) {
            complain(path, e.reason());
            exitCode = 1;
        }
        // Outside the reading's try: a failed write is the output's, not this file's.
        if (read)
            send(std::move(*read));
    };
    try {
        if (options->csv) {
            tweedCsv.emplace(exporttool::joinPath(options->csvDir, "tweed.csv"));
            boltonCsv.emplace(exporttool::joinPath(options->csvDir, "bolton.csv"));
            tweedCsv->append(vel::csvHeader(QStringLiteral("tweed")));
            boltonCsv->append(vel::csvHeader(QStringLiteral("bolton")));
        } else {
            json = vel::jsonStart();
        }
        for (const QByteArray& path : options->paths) {
            switch (exporttool::kindOf(path)) {
            case exporttool::Kind::Folder:
                try {
                    // Everything named as an analysis, hidden or not, is exported
                    // or named on stderr: nothing is passed over in silence.
                    const exporttool::FolderListing names = exporttool::folderEntries(
                        path, [](QByteArrayView name) { return analysisNamed(name.toByteArray()) != Analysis::None; });
                    for (qsizetype i = 0; i < names.size(); ++i)
                        take(exporttool::joinPath(path, names.name(i)));
                } catch (const vel::FileError& e) {
                    complain(e.path(), e.reason());
                    exitCode = 1;
                }
                break;
            case exporttool::Kind::Missing:
                complain(exporttool::displayPath(path), QStringLiteral("no such file or folder"));
                exitCode = 1;
                break;
            default:
                take(path);
            }
        }

        if (options->csv) {
            tweedCsv->commit();
            boltonCsv->commit();
        } else {
            json += vel::jsonEnd();
            writeJson(true);
        }
    } catch (const vel::FileError& e) {
        // Neither spreadsheet is left half written: both temporary files go.
        complain(e.path(), e.reason());
        return 1;
    } catch (const OutputFailed& e) {
        complain(e.path, e.reason);
        return 1;
    }

    if (!options->pdfDir.isEmpty()) {
        std::optional<vel::ReportDefinitions> reports;
        try {
            reports = vel::ReportDefinitions::parse(exporttool::readWholeFile(definitionsFile, kDefinitionsCap),
                                                    exporttool::displayPath(definitionsFile));
        } catch (const vel::FileError& e) {
            complain(e.path(), e.reason());
            return 1;
        } catch (const vel::ReportError& e) {
            complain(exporttool::displayPath(definitionsFile), e.text());
            return 1;
        }
        const QStringList pdfNames = pdfFileNames(analyses);
        // What is checked here is told in the order of the files; the reports
        // are then made on every core, each with its own renderer and values,
        // and what failed in making them is told in the same order after.
        struct Task {
            const vel::Report* report = nullptr;
            vel::ReportParameters values;
            int lastPage = 1;
            QByteArray out;
            QString refusal;  // not printed, and why; empty for a report to make
            std::optional<vel::FileError> failure;
        };
        std::vector<Task> tasks(static_cast<std::size_t>(analyses.size()));
        for (qsizetype i = 0; i < analyses.size(); ++i) {
            const vel::ExportedAnalysis& a = analyses[i];
            Task& task = tasks[static_cast<std::size_t>(i)];
            // Its tab would not print an analysis whose checks fail.
            if (!a.messages.isEmpty()) {
                task.refusal = QStringLiteral("not printed: ") + a.messages.join(QStringLiteral(" "));
                continue;
            }
            QList<std::pair<QString, QString>> params;
            QString reportName;
            if (a.kind == QLatin1String("tweed")) {
                params = vel::tweedReportParameters(a.controls(), task.lastPage);
                reportName = QStringLiteral("report1");
            } else {
                params = vel::boltonReportParameters(a.controls());
                reportName = QStringLiteral("report2");
            }
            task.report = reports->find(reportName);
            if (!task.report) {
                task.refusal = QStringLiteral("not printed: %1 has no report \"%2\"")
                                   .arg(exporttool::displayPath(definitionsFile), reportName);
                continue;
            }
            if (const QString image = unreadableImage(*task.report, reports->baseDir()); !image.isEmpty()) {
                QString reason;
                exporttool::kindOf(QFile::encodeName(image), &reason);
                task.refusal = QStringLiteral("not printed: %1: %2").arg(image, reason);
                continue;
            }
            for (const auto& [name, value] : params) {
                if (!value.isEmpty())
                    task.values.insert(name, value);
            }
            task.out = exporttool::joinPath(options->pdfDir, pdfNames[i].toUtf8());
        }

        const QString baseDir = reports->baseDir();
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            for (std::size_t i = next++; i < tasks.size(); i = next++) {
                Task& task = tasks[i];
                if (!task.refusal.isEmpty())
                    continue;
                try {
                    exporttool::writeFileWhole(task.out,
                                               vel::renderReportToPdf(*task.report, task.values, task.lastPage, baseDir));
                } catch (const vel::FileError& e) {
                    task.failure = e;
                }
            }
        };
        const int cores = options->jobs > 0 ? options->jobs : std::max(1, QThread::idealThreadCount());
        std::vector<std::thread> helpers;
        for (int t = 1; t < std::min<qsizetype>(cores, analyses.size()); ++t)
            helpers.emplace_back(work);
        work();
        for (std::thread& helper : helpers)
            helper.join();

        for (qsizetype i = 0; i < analyses.size(); ++i) {
            const Task& task = tasks[static_cast<std::size_t>(i)];
            if (!task.refusal.isEmpty()) {
                complain(analyses[i].file, task.refusal);
                exitCode = 1;
            } else if (task.failure) {
                complain(task.failure->path(), task.failure->reason());
                exitCode = 1;
            }
        }
    }
    QString reason;
    if (!exporttool::closeStandardOutput(reason)) {
        complain(QStringLiteral("standard output"), reason);
        exitCode = 1;
    }
    return exitCode;
}
