#pragma once
#include "app/mainwindow.h"
#include "app/shell.h"
#include "app/usagestats.h"
#include "bolton/boltontab.h"
#include "entry/entryfield.h"
#include "support/fakes.h"
#include "tweed/tweedfile.h"
#include "tweed/tweedtab.h"

#include <QPushButton>
#include <QRadioButton>
#include <memory>

namespace vel::test {

// The whole program on the offscreen platform, opened from the launcher on
// one of its tabs, with a scripted messenger and desktop.
struct AppFixture {
    ScratchFolder scratch;
    ScriptedMessenger messenger;
    FakeDesktop desktop;
    ModalGate gate;
    std::unique_ptr<Shell> shell;

    explicit AppFixture(const char* launcherButton, ReportViewer* viewer = nullptr)
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

    // A complete Tweed case on the Tweed tab (a girl of 12), ready for CALCULATE.
    void typeTweedCase(const QString& patient = QStringLiteral("MARIA SILVA")) const
    {
        const char* values[] = {"25.0", "62.0", "95.0", "10.0", "82.0", "79.5", "2.0", "72.0", "15.0", "12.0",
                                "110.0", "75.0", "30.5", "27.0", "15.0", "14.0", "-2.0", "-1.5", "20.0", "18.0"};
        TweedTab* tab = main()->tweed();
        tab->entry(QStringLiteral("twPaciente"))->setText(patient);
        tab->entry(QStringLiteral("Idade"))->setText(QStringLiteral("12"));
        for (int i = 0; i < 20; ++i)
            tab->entry(QLatin1String(TweedRecord::kEntryFields[i]))->setText(QLatin1String(values[i]));
        tab->findChild<QRadioButton*>(QStringLiteral("GenFem"))->setChecked(true);
    }
    // Every width of a Bolton case, the transfer area too unless `molars` is false.
    void typeBoltonCase(const QString& patient, bool molars = true) const
    {
        BoltonTab* tab = main()->bolton();
        tab->field(QStringLiteral("bpaciente"))->setText(patient);
        for (int i = 1; i <= 12; ++i) {
            tab->field(QStringLiteral("s%1").arg(i, 2, 10, QLatin1Char('0')))->setText(QStringLiteral("8.0"));
            tab->field(QStringLiteral("i%1").arg(i, 2, 10, QLatin1Char('0')))->setText(QStringLiteral("7.3"));
        }
        for (const char* name : {"termole", "segmole", "segmold", "termold"})
            tab->field(QLatin1String(name))->setText(molars ? QStringLiteral("10.5") : QString());
    }
};

}  // namespace vel::test
