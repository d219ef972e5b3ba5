#pragma once
#include "app/mainwindow.h"
#include "app/shell.h"
#include "common/usagestats.h"
#include "support/fakes.h"

#include <QPushButton>
#include <memory>

namespace vel::test {

// The whole program on the offscreen platform, opened from the launcher on
// one of its tabs, with a fake desktop and a scripted messenger (or, for the
// tests of the real boxes, the real one).
template <typename BoxMessenger>
struct BasicAppFixture {
    ScratchFolder scratch;
    BoxMessenger messenger;
    FakeDesktop desktop;
    ModalGate gate;
    std::unique_ptr<Shell> shell;

    explicit BasicAppFixture(const char* launcherButton, ReportViewer* viewer = nullptr)
    {
        messenger.setGate(&gate);
        shell = std::make_unique<Shell>(scratch.folder(), messenger, desktop, gate, viewer);
        shell->show();
        shell->launcher()->becomeLauncher();
        shell->launcher()->findChild<QPushButton*>(QLatin1String(launcherButton))->click();
    }
    MainWindow* main() const { return shell->mainWindow(); }
    UsageStats stats() const { return readUsageStats(scratch.path(QStringLiteral("Stats.cef"))); }
    QString analyses(const QString& name) const { return scratch.path(QStringLiteral("Analyses/") + name); }
};

using AppFixture = BasicAppFixture<ScriptedMessenger>;

}  // namespace vel::test
