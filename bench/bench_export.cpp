// Exporting a generated folder of 10,000 analyses with velmora-export, timed
// as a whole process once the files have been read once.
#include "bolton/boltonfile.h"
#include "common/fileio.h"
#include "tweed/tweedfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Analyses"));
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
    constexpr int kFiles = 10000;
    for (int i = 0; i < kFiles / 2; ++i) {
        t.patient = QStringLiteral("PATIENT %1").arg(i);
        b.patient = t.patient;
        vel::replaceFile(QDir(folder).filePath(t.patient + QStringLiteral("-PRE-TX.twe")), t.toBytes());
        vel::replaceFile(QDir(folder).filePath(b.patient + QStringLiteral(".bol")), b.toBytes());
    }
    const QStringList args{QStringLiteral("--json"), QStringLiteral("--data"), QStringLiteral(VELMORA_DATA_DIR), folder};
    auto run = [&] {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        p.start(QStringLiteral(VELMORA_EXPORT_BIN), args);
        p.waitForFinished(600000);
        return std::pair{timer.nsecsElapsed() / 1e9, p.exitCode()};
    };
    run();  // the files read once, as the goal says
    const auto [seconds, status] = run();
    std::printf("export of %d analyses (JSON, whole process): %.3f s, %.0f files/s, exit %d\n", kFiles, seconds,
                kFiles / seconds, status);
    return 0;
}
