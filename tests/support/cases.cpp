#include "support/cases.h"

#include "app/mainwindow.h"
#include "bolton/boltontab.h"
#include "entry/entryfield.h"
#include "guidance/guidewindow.h"
#include "tweed/tweedanalysis.h"
#include "tweed/tweedfile.h"
#include "tweed/tweedtab.h"

#include <QCheckBox>
#include <QDirIterator>
#include <QRadioButton>

namespace vel::test {

void typeTweedCase(MainWindow* main, const QString& patient)
{
    const char* values[] = {"25.0", "62.0", "95.0", "10.0", "82.0", "79.5", "2.0", "72.0", "15.0", "12.0",
                            "110.0", "75.0", "30.5", "27.0", "15.0", "14.0", "-2.0", "-1.5", "20.0", "18.0"};
    TweedTab* tab = main->tweed();
    tab->entry(QStringLiteral("twPaciente"))->setText(patient);
    tab->entry(QStringLiteral("Idade"))->setText(QStringLiteral("12"));
    for (int i = 0; i < 20; ++i)
        tab->entry(QLatin1String(kTweedEntries[i].control))->setText(QLatin1String(values[i]));
    tab->findChild<QRadioButton*>(QStringLiteral("GenFem"))->setChecked(true);
}

void typeBoltonCase(MainWindow* main, const QString& patient, bool molars)
{
    BoltonTab* tab = main->bolton();
    tab->field(QStringLiteral("bpaciente"))->setText(patient);
    for (int i = 1; i <= 12; ++i) {
        tab->field(QStringLiteral("s%1").arg(i, 2, 10, QLatin1Char('0')))->setText(QStringLiteral("8.0"));
        tab->field(QStringLiteral("i%1").arg(i, 2, 10, QLatin1Char('0')))->setText(QStringLiteral("7.3"));
    }
    for (const char* name : {"termole", "segmole", "segmold", "termold"})
        tab->field(QLatin1String(name))->setText(molars ? QStringLiteral("10.5") : QString());
}

void answerGuide(GuideWindow* guide)
{
    for (const char* name : {"daapinh", "maior", "dpadq"})
        guide->box(QLatin1String(name))->setChecked(true);
    guide->findChild<QRadioButton*>(QStringLiteral("clsim"))->setChecked(true);
    for (const char* name : {"horcl2", "sem", "aberta", "suave"})
        guide->box(QLatin1String(name))->setChecked(true);
}

QMap<QString, QByteArray> diskContents(const QString& root)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        // The program's own lock comes and goes with each run.
        if (info.fileName().startsWith(QLatin1String(".velmora.lock")))
            continue;
        QByteArray content;
        if (info.isSymLink()) {
            content = "<link to " + info.symLinkTarget().toUtf8() + ">";
        } else if (info.isDir()) {
            content = "<folder>";
        } else if (!info.isFile()) {
            content = "<special>";
        } else {
            QFile f(info.filePath());
            content = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
        }
        entries.insert(QDir(root).relativeFilePath(info.filePath()), content);
    }
    return entries;
}

}  // namespace vel::test
