// velmora-export on generated folders, each figure beside its baseline from
// the same run: 10,000 analyses as JSON against `cat` of the same files, the
// peak memory for 100,000 files against that for 1,000, and 1,000 PDF
// reports on every core against one. Prints; asserts nothing.
#include "bolton/boltonfile.h"
#include "tweed/tweedfile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

struct Outcome {
    double seconds = 0;
    long peakKiB = 0;
    int status = -1;
};

// One process, its output thrown away, timed and its peak memory taken.
Outcome run(const QList<QByteArray>& args, const QByteArray& folder = {}, bool memory = false)
{
    std::vector<char*> argv;
    for (const QByteArray& a : args)
        argv.push_back(const_cast<char*>(a.constData()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (!folder.isEmpty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.constData());
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    Outcome o;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        // The child's own high-water mark, read while it runs: its rusage
        // would also count this process, whose memory it shared until exec.
        const QString statusFile = QStringLiteral("/proc/%1/status").arg(pid);
        int status = 0;
        while (memory && ::waitpid(pid, &status, WNOHANG) == 0) {
            QFile f(statusFile);
            if (f.open(QIODevice::ReadOnly)) {
                for (const QByteArray& line : f.readAll().split('\n')) {
                    if (line.startsWith("VmHWM:"))
                        o.peakKiB = std::max(o.peakKiB, line.mid(6).trimmed().split(' ').value(0).toLong());
                }
            }
            QThread::msleep(2);
        }
        if (!memory)
            ::waitpid(pid, &status, 0);
        o.seconds = timer.nsecsElapsed() / 1e9;
        o.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return o;
}

double medianSeconds(int runs, const QList<QByteArray>& args, const QByteArray& folder = {})
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(run(args, folder).seconds);
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A folder of `count` analyses, half Tweed with guidance and half Bolton;
// the names of its files, relative to it.
QList<QByteArray> makeFolder(const QString& folder, int count)
{
    QDir().mkpath(folder);
    vel::TweedRecord t;
    t.age = QStringLiteral("12");
    const char* values[] = {"25.0", "62.0", "95.0", "10.0", "83.0", "79.5", "2.0", "72.0", "15.0", "12.0",
                            "110.0", "75.0", "30.5", "27.0", "15.0", "14.0", "-2.0", "-1.5", "20.0", "18.0"};
    for (int i = 0; i < 20; ++i)
        t.entries[i] = QLatin1String(values[i]);
    t.guidance = true;
    t.answers.dpadq = t.answers.clsim = t.answers.horcl2 = t.answers.sem = true;
    vel::BoltonRecord b;
    for (int i = 0; i < 12; ++i) {
        b.maxilla[i] = QStringLiteral("7.9");
        b.mandible[i] = QStringLiteral("7.2");
    }
    QList<QByteArray> names;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(QDir(folder).filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        names << QFile::encodeName(name);
    };
    for (int i = 0; i < count / 2; ++i) {
        t.patient = QStringLiteral("PATIENT %1").arg(i);
        b.patient = t.patient;
        write(t.patient + QStringLiteral("-PRE-TX.twe"), t.toBytes());
        write(b.patient + QStringLiteral(".bol"), b.toBytes());
    }
    return names;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    // VELMORA_BENCH_KEEP=1 leaves the generated folders, to profile the export on them.
    if (qEnvironmentVariableIsSet("VELMORA_BENCH_KEEP")) {
        dir.setAutoRemove(false);
        std::printf("folders in %s\n", qPrintable(dir.path()));
    }
    const QByteArray tool = VELMORA_EXPORT_BIN;
    const QByteArray data = VELMORA_DATA_DIR;

    // Time: 10,000 analyses as JSON, against reading the same files with cat.
    const QString tenThousand = dir.filePath(QStringLiteral("10000"));
    QList<QByteArray> cat{"/bin/cat"};
    cat += makeFolder(tenThousand, 10000);
    const QList<QByteArray> json{tool, "--json", "--data", data, QFile::encodeName(tenThousand)};
    run(json);  // the files read once, as the goal says
    run(cat, QFile::encodeName(tenThousand));
    const double catTime = medianSeconds(5, cat, QFile::encodeName(tenThousand));
    const double jsonTime = medianSeconds(5, json);
    std::printf("export of 10,000 analyses (JSON):   %.3f s   cat of the same files: %.3f s   ratio %.2f x\n",
                jsonTime, catTime, jsonTime / catTime);

    // Memory: the peak for 100,000 files against that for 1,000.
    const QString thousand = dir.filePath(QStringLiteral("1000"));
    const QString hundredThousand = dir.filePath(QStringLiteral("100000"));
    makeFolder(thousand, 1000);
    makeFolder(hundredThousand, 100000);
    for (const char* format : {"--json", "--csv"}) {
        const bool csv = qstrcmp(format, "--csv") == 0;
        const auto args = [&](const QString& folder) {
            QList<QByteArray> a{tool};
            if (csv)
                a << "--csv" << QFile::encodeName(dir.filePath(QStringLiteral("csv")));
            else
                a << "--json";
            return a << "--data" << data << QFile::encodeName(folder);
        };
        const Outcome small = run(args(thousand), {}, true);
        const Outcome large = run(args(hundredThousand), {}, true);
        std::printf("peak memory (%s): 1,000 files %ld KiB   100,000 files %ld KiB (%.1f s)   ratio %.2f x\n",
                    csv ? "CSV " : "JSON", small.peakKiB, large.peakKiB, large.seconds,
                    double(large.peakKiB) / small.peakKiB);
    }

    // PDFs: 1,000 reports one at a time and on every core.
    const QString reports = dir.filePath(QStringLiteral("reports"));
    makeFolder(reports, 1000);
    const QByteArray pdfDir = QFile::encodeName(dir.filePath(QStringLiteral("pdf")));
    const auto pdf = [&](const QByteArray& jobs) {
        return run({tool, "--pdf", pdfDir, "--jobs", jobs, "--data", data, QFile::encodeName(reports)}).seconds;
    };
    const QByteArray cores = QByteArray::number(QThread::idealThreadCount());
    const double one = pdf("1");
    const double all = pdf(cores);
    std::printf("1,000 PDF reports: one core %.2f s   %s cores %.2f s   speed-up %.2f x\n", one, cores.constData(), all,
                one / all);
    return 0;
}
