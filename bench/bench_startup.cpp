// Creating the program's four windows against an empty main window with a tab
// widget, in the same run. Prints medians and their ratio; asserts nothing.
#include "app/shell.h"
#include "support/fakes.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <memory>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

template <typename Fn>
double medianMicros(int runs, Fn fn)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        fn();
        times.push_back(t.nsecsElapsed() / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// One fresh process: from main() to its first window on screen, then its memory.
int child(int argc, char* argv[], const char* mode)
{
    QElapsedTimer t;
    t.start();
    QApplication app(argc, argv);
    vel::test::ScratchFolder scratch;
    vel::test::ScriptedMessenger messenger;
    vel::test::FakeDesktop desktop;
    desktop.tray = false;
    vel::ModalGate gate;
    std::unique_ptr<vel::Shell> shell;
    std::unique_ptr<QMainWindow> window;
    const bool program = qstrcmp(mode, "program") == 0;
    if (program) {
        shell = std::make_unique<vel::Shell>(scratch.folder(), messenger, desktop, gate);
        shell->show();
    } else {
        window = std::make_unique<QMainWindow>();
        auto* tabs = new QTabWidget;
        // The same window with one line of text: what the font database
        // costs, which any window with a caption pays.
        if (qstrcmp(mode, "text") == 0)
            tabs->addTab(new QLabel(QStringLiteral("Velmora")), QStringLiteral("References"));
        window->setCentralWidget(tabs);
        window->show();
    }
    QCoreApplication::processEvents();
    std::printf("%lld %ld\n", static_cast<long long>(t.nsecsElapsed() / 1000), residentKiB());
    return 0;
}

std::pair<double, double> medianOfChildren(const char* mode)
{
    std::vector<double> times;
    std::vector<double> memory;
    for (int i = 0; i < 7; ++i) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), QLatin1String(mode)});
        p.waitForFinished(60000);
        const QList<QByteArray> parts = p.readAllStandardOutput().trimmed().split(' ');
        times.push_back(parts.value(0).toDouble());
        memory.push_back(parts.value(1).toDouble());
    }
    std::sort(times.begin(), times.end());
    std::sort(memory.begin(), memory.end());
    return {times[times.size() / 2], memory[memory.size() / 2]};
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return child(argc, argv, argv[2]);
    QApplication app(argc, argv);
    vel::test::ScratchFolder scratch;
    vel::test::ScriptedMessenger messenger;
    vel::test::FakeDesktop desktop;
    desktop.tray = false;  // as under a virtual screen; the tray icon is not what is measured
    vel::ModalGate gate;
    constexpr int kRuns = 31;

    const double empty = medianMicros(kRuns, [] {
        QMainWindow window;
        window.setCentralWidget(new QTabWidget);
        window.show();
        QCoreApplication::processEvents();
    });
    const double program = medianMicros(kRuns, [&] {
        vel::Shell shell(scratch.folder(), messenger, desktop, gate);
        shell.show();
        QCoreApplication::processEvents();
    });
    const double constructed = medianMicros(kRuns, [&] { vel::Shell shell(scratch.folder(), messenger, desktop, gate); });
    std::printf("empty QMainWindow + QTabWidget: %8.0f us (median of %d)\n", empty, kRuns);
    std::printf("the four windows:               %8.0f us (median of %d)\n", program, kRuns);
    std::printf("  of which creating them:       %8.0f us\n", constructed);
    std::printf("ratio:                          %8.1f x\n", program / empty);

    // Whole processes: start-up to the first window, and memory after it.
    const auto [emptyStart, emptyMemory] = medianOfChildren("empty");
    const auto [textStart, textMemory] = medianOfChildren("text");
    const auto [programStart, programMemory] = medianOfChildren("program");
    std::printf("process start to window: empty %.0f ms, launcher %.0f ms, ratio %.2f x\n", emptyStart / 1000,
                programStart / 1000, programStart / emptyStart);
    std::printf("resident memory after start-up: empty %.0f KiB, program %.0f KiB, ratio %.2f x\n", emptyMemory,
                programMemory, programMemory / emptyMemory);
    std::printf("  the empty window with one line of text: %.0f ms, %.0f KiB (%.2f x, %.2f x the empty one)\n",
                textStart / 1000, textMemory, textStart / emptyStart, textMemory / emptyMemory);
    return 0;
}
