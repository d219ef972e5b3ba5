#include "app/qtseams.h"
#include "report/reportdefinition.h"
#include "report/reportengine.h"
#include "report/reportpreview.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <functional>

namespace {

// Once a modal window is up and `ready` for it, runs `act` on it. No real
// time is waited: the polling runs in the window's own event loop.
void whenModal(const std::function<bool(QWidget*)>& ready, const std::function<void(QWidget*)>& act)
{
    auto* clock = new QElapsedTimer;
    clock->start();
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!(modal && ready(modal)) && clock->elapsed() < 20000)
            return;
        poll->stop();
        poll->deleteLater();
        delete clock;
        if (modal)
            act(modal);
    });
    poll->start(0);
}

// Runs `check` on the file dialog once it shows the folder's files, then cancels it.
void whenTheDialogShowsFiles(const std::function<void(QFileDialog*)>& check, bool* ran)
{
    const auto loaded = [](QWidget* w) {
        auto* files = qobject_cast<QFileDialog*>(w) ? w->findChild<QTreeView*>(QStringLiteral("treeView")) : nullptr;
        return files && files->model()->rowCount(files->rootIndex()) >= 2;
    };
    whenModal(loaded, [=](QWidget* w) {
        if (loaded(w)) {
            check(static_cast<QFileDialog*>(w));
            *ran = true;
        }
        static_cast<QDialog*>(w)->reject();
    });
}

void makeFiles(const QString& folder, const QStringList& names)
{
    for (const QString& name : names) {
        QFile f(QDir(folder).filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(199 * 1024, '\0'));
    }
}

// Qt's own dialog without places, in detail view, every column as wide as
// its caption and its cells and all of them in sight.
void checkTheLook(QFileDialog* dialog)
{
    QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
    auto* sidebar = dialog->findChild<QWidget*>(QStringLiteral("sidebar"));
    QVERIFY(sidebar && !sidebar->isVisible());

    // The cells' widths are public on the base class only.
    QAbstractItemView* files = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(files->isVisible());
    QHeaderView* header = static_cast<QTreeView*>(files)->header();
    const int room = files->viewport()->width();
    for (int column = 0; column < header->count(); ++column) {
        // Asking for the cells' width lays the view out first.
        const int cells = files->sizeHintForColumn(column);
        const int size = header->sectionSize(column);
        const int start = header->sectionViewportPosition(column);
        const QString caption = header->model()->headerData(column, Qt::Horizontal).toString();
        const QString what = QStringLiteral("%1: %2 px, %3 for the caption, %4 for the files, at %5..%6 of %7")
                                 .arg(caption)
                                 .arg(size)
                                 .arg(header->sectionSizeHint(column))
                                 .arg(cells)
                                 .arg(start)
                                 .arg(start + size)
                                 .arg(room);
        if (column != 2)  // Name, Size and Date Modified; the type is a courtesy
            QVERIFY2(!header->isSectionHidden(column), qPrintable(what));
        if (header->isSectionHidden(column))
            continue;
        QVERIFY2(size >= header->sectionSizeHint(column), qPrintable(what));
        QVERIFY2(size >= cells, qPrintable(what));
        QVERIFY2(start >= 0 && start + size <= room, qPrintable(what));
    }
}

}  // namespace

// The program's file dialogs, as it shows them.
class FileDialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openShowsTheFolderWithoutPlacesAndWithWholeColumns();
    void saveAsPdfOffersThePatientsReport();
};

void FileDialogsTest::openShowsTheFolderWithoutPlacesAndWithWholeColumns()
{
    QTemporaryDir work;
    const QString folder = work.filePath(QStringLiteral("Analyses"));
    QVERIFY(QDir().mkpath(folder));
    makeFiles(folder, {QStringLiteral("MARIA DA CONCEICAO SILVA SANTOS-PRE-TX.twe"), QStringLiteral("ANA-POST-TX.twe"),
                       QStringLiteral("ANA.bol")});
    // What other Qt programs' dialogs left in the settings all of them share.
    const QStringList places{QStringLiteral("file:///usr")};
    const QStringList history{QStringLiteral("file:///var")};
    {
        QSettings shared(QSettings::UserScope, QStringLiteral("QtProject"));
        shared.setValue(QStringLiteral("FileDialog/shortcuts"), places);
        shared.setValue(QStringLiteral("FileDialog/history"), history);
    }
    const QString cwd = QDir::currentPath();

    bool ran = false;
    whenTheDialogShowsFiles(
        [&](QFileDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Open..."));
            QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(folder).canonicalPath());
            QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("Tweed Analysis file (*.twe)")});
            QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
            QVERIFY(!dialog->history().contains(QStringLiteral("/var")));
            checkTheLook(dialog);
        },
        &ran);
    vel::QtDesktop desktop;
    const QString chosen =
        desktop.chooseFile(folder, QStringLiteral("Tweed Analysis file (*.twe)"), QStringLiteral("*.twe"));
    QVERIFY(ran);
    QCOMPARE(chosen, QString());
    QCOMPARE(QDir::currentPath(), cwd);
    // No folder of this program's patients is remembered, nothing of the others' is lost.
    QSettings shared(QSettings::UserScope, QStringLiteral("QtProject"));
    QCOMPARE(shared.value(QStringLiteral("FileDialog/shortcuts")).toStringList(), places);
    QCOMPARE(shared.value(QStringLiteral("FileDialog/history")).toStringList(), history);
    QVERIFY(!shared.contains(QStringLiteral("FileDialog/lastVisited")));
}

void FileDialogsTest::saveAsPdfOffersThePatientsReport()
{
    const vel::ReportDefinitions reports =
        vel::ReportDefinitions::load(QString::fromUtf8(VELMORA_DATA_DIR "/Análises.rav"));
    const vel::Report* report = reports.find(QStringLiteral("report2"));
    QVERIFY(report);
    QTemporaryDir work;
    makeFiles(work.path(), {QStringLiteral("ANA - report2.pdf"), QStringLiteral("JOSE DA SILVA - report4.pdf")});
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(work.path());

    QString offered;
    bool ran = false;
    const auto isPreview = [](QWidget* w) { return w->windowTitle() == QLatin1String("Velmora"); };
    whenModal(isPreview, [&](QWidget* preview) {
        QAction* save = nullptr;
        for (QAction* a : preview->findChildren<QAction*>()) {
            if (a->text() == QString::fromUtf8("Save as PDF…"))
                save = a;
        }
        if (save) {
            whenTheDialogShowsFiles(
                [&](QFileDialog* dialog) {
                    QCOMPARE(dialog->windowTitle(), QStringLiteral("Save as PDF"));
                    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
                    offered = dialog->selectedFiles().value(0);
                    checkTheLook(dialog);
                },
                &ran);
            save->trigger();
        }
        static_cast<QDialog*>(preview)->reject();
    });
    vel::QtMessenger messenger;
    vel::QtDesktop desktop;
    vel::QtReportViewer viewer(messenger, desktop);
    viewer.show(*report, {{QStringLiteral("nome"), QStringLiteral("Patient:  MARIA SILVA")}}, 1, reports.baseDir(),
                vel::pdfFileName(QStringLiteral("MARIA SILVA"), QStringLiteral("report2")));
    QDir::setCurrent(cwd);
    QVERIFY(ran);
    QCOMPARE(offered, QDir(work.path()).filePath(QStringLiteral("MARIA SILVA - report2.pdf")));
    QVERIFY(!QFile::exists(offered));  // cancelled: nothing written
    QVERIFY(!QSettings(QSettings::UserScope, QStringLiteral("QtProject")).contains(QStringLiteral("FileDialog/lastVisited")));
}

int main(int argc, char* argv[])
{
    // The shared settings of Qt's dialogs live in a folder of the test's own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    FileDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_filedialogs.moc"
