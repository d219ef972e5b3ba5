#include "notes/historytab.h"

#include "common/actionguard.h"
#include "common/desktop.h"
#include "common/messenger.h"
#include "common/patientfiles.h"
#include "entry/entryfield.h"
#include "notes/notefiles.h"
#include "notes/notewidgets.h"
#include "report/reportengine.h"

#include <QFileInfo>

#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

namespace vel {

namespace {

const QString kSuffix = QStringLiteral(".pln");
const QString kTitle = QStringLiteral("Treatment History");

}  // namespace

HistoryTab::HistoryTab(const TabServices& services, QWidget* parent)
    : TabPage(services, parent)
{
    setObjectName(QStringLiteral("TabSheet4"));
    offerFileOperations(this, NewRuns::Once);
    title_ = [] { return kTitle; };

    patient_ = notes::addPatientField(this, "plpaciente", messenger_, title_, emptyMenu_);

    // About 14 points, but never so large that an entry's separator wraps
    // onto a second line of the history.
    const QString separator(kHistorySeparatorLength, QLatin1Char('-'));
    const int room = notes::kMemoWidth - style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 16;
    QFont large = font();
    large.setPointSize(14);
    while (large.pointSize() > 9 && QFontMetrics(large).horizontalAdvance(separator) > room)
        large.setPointSize(large.pointSize() - 1);
    notes::addHeading(this, "Label4", QStringLiteral("Procedure Description"), 46);
    description_ = notes::addMemo(this, "insere", 68, 158);
    description_->setFont(large);
    description_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    notes::addHeading(this, "Label5", QStringLiteral("Treatment History"), 236);
    history_ = notes::addMemo(this, "historico", 258, 364);
    history_->setFont(large);
    history_->setReadOnly(true);
    history_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Clicked into to select and copy, but the Tab key passes it by.
    history_->setFocusPolicy(Qt::ClickFocus);
    history_->setBackgroundRole(QPalette::Window);
    QPalette pal = history_->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Window));
    history_->setPalette(pal);

    auto* scratch = new QPlainTextEdit(this);
    scratch->setObjectName(QStringLiteral("temp"));
    scratch->hide();

    const QList<QPushButton*> buttons =
        notes::addButtons(this, {"pllimpar", "plsalvar", "plabrir", "plimprimir", "plsair"}, 636);
    connect(buttons[0], &QPushButton::clicked, this, guarded(messenger_, title_, [this] { newClicked(); }));
    connect(buttons[1], &QPushButton::clicked, this, guarded(messenger_, title_, [this] { saveClicked(); }));
    connect(buttons[2], &QPushButton::clicked, this, guarded(messenger_, title_, [this] { openClicked(); }));
    connect(buttons[3], &QPushButton::clicked, this, guarded(messenger_, title_, [this] { printClicked(); }));
    connect(buttons[4], &QPushButton::clicked, this, &TabPage::exitRequested);

    setTabOrder(patient_, description_);
    setTabOrder(description_, buttons[0]);
    for (int i = 1; i < buttons.size(); ++i)
        setTabOrder(buttons[i - 1], buttons[i]);
}

void HistoryTab::showHistory(const NoteFile& note, const QString& path)
{
    shownPath_ = path;
    shownPatient_ = note.patient;
    patient_->setText(note.patient);
    history_->setPlainText(note.lines.join(QLatin1Char('\n')));
}

void HistoryTab::newClicked()
{
    patient_->clear();
    description_->clear();
    history_->clear();
    shownPath_.clear();
    shownPatient_.clear();
}

void HistoryTab::saveClicked()
{
    if (patient_->text().isEmpty()) {
        messenger_.warning(kTitle, {notes::nameMissing()});
        return;
    }
    const QString text = description_->toPlainText();
    // Blank lines alone are no description either.
    if (text.trimmed().isEmpty()) {
        messenger_.warning(kTitle, {QStringLiteral("The field Procedure Description must be filled in before saving!")});
        return;
    }
    if (notes::refuseUnstorable(messenger_, kTitle, text))
        return;
    const QString path = patientFilePath(folder_, patient_->text(), kSuffix);
    const QString date = QLocale().toString(today_(), QLocale::ShortFormat);
    const bool existed = appendHistoryEntry(path, patient_->text(), date, textLines(text));
    // The entry is on disk; the description is cleared only once the history
    // has been read back to show it.
    const NoteFile note = readNoteFile(path);
    description_->clear();
    showHistory(note, path);
    messenger_.information(kTitle, {existed ? notes::updatedText() : notes::savedText()});
}

void HistoryTab::openClicked()
{
    const QString path = messenger_.whileModal([this] {
        return desktop_.chooseFile(folder_.analyses(), QStringLiteral("Treatment Plan file (*.pln)"),
                                   QStringLiteral("*.pln"));
    });
    if (!path.contains(kSuffix))
        return;
    // Read before anything is cleared: a file that cannot be read leaves the
    // tab as it was.
    const NoteFile note = readNoteFile(path);
    newClicked();
    showHistory(note, path);
}

void HistoryTab::printClicked()
{
    if (history_->toPlainText().isEmpty()) {
        messenger_.warning(kTitle, {QStringLiteral("There is no Treatment Plan!")});
        return;
    }
    // The history on screen is what prints, read again from the file it came
    // from (wherever that is): if the name was changed since, another
    // patient's history must not print under it.
    if (shownPath_.isEmpty() || patient_->text() != shownPatient_) {
        messenger_.warning(kTitle, {QStringLiteral("The history on screen is not the history of the patient named "
                                                   "above. Open the patient's history before printing.")});
        return;
    }
    const QString path = shownPath_;
    // A history kept among the patients' files is read through the same
    // checks as every patient file (the folder gone, a folder in its place).
    const QFileInfo shown(path);
    if (shown.absolutePath() == QFileInfo(folder_.analyses()).absoluteFilePath())
        patientFilePath(folder_, shown.fileName(), QString());
    const NoteFile note = readNoteFile(path);
    if (!reports_)
        return;
    QString memo;
    for (const QString& line : note.lines)
        memo += line + QLatin1Char('\r');
    reports_->setParameter(QStringLiteral("nome"), QStringLiteral("Patient:  ") + patient_->text());
    reports_->setParameter(QStringLiteral("memo1"), memo);
    reports_->setLastPage(50);
    reports_->print(QStringLiteral("report3"), kTitle, patient_->text());
}

}  // namespace vel
