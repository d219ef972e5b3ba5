// Creating the program's four windows against an empty main window with a tab
// widget, in the same run. Prints medians and their ratio; asserts nothing.
#include "app/shell.h"
#include "support/fakes.h"

#include <QApplication>
#include <QElapsedTimer>
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

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
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
    return 0;
}
