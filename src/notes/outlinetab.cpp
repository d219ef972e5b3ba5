#include "notes/outlinetab.h"

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
#include <QPlainTextEdit>
#include <QPushButton>

namespace vel {

namespace {

const QString kSuffix = QStringLiteral(".otl");
const QString kOpenMarker = QStringLiteral("open");
const QString kTitle = QStringLiteral("Treatment Outline");
const QString kAlreadySaved = QStringLiteral("You have already saved a Treatment Outline for this patient!");

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

}  // namespace

OutlineTab::OutlineTab(const TabServices& services, QWidget* parent)
    : TabPage(services, parent)
{
    setObjectName(QStringLiteral("TabSheet5"));
    offerFileOperations(this, NewRuns::Once);
    // Boxes name this tab even when they come up while another one is being
    // switched to (leaving the patient field that way runs its check).
    title_ = [] { return kTitle; };

    patient_ = notes::addPatientField(this, "popaciente", messenger_, title_, emptyMenu_);
    notes::addHeading(this, "Label11", QStringLiteral("Treatment Outline"), 46);
    memo_ = notes::addMemo(this, "outline", 68, 553);

    marker_ = new QLabel(this);
    marker_->setObjectName(QStringLiteral("Label10"));
    marker_->hide();

    const QList<QPushButton*> buttons =
        notes::addButtons(this, {"polimpar", "posalvar", "poabrir", "poimprimir", "posair"}, 636);
    connect(buttons[0], &QPushButton::clicked, this, guarded(messenger_, title_, [this] { newClicked(); }));
    connect(buttons[1], &QPushButton::clicked, this, guarded(messenger_, title_, [this] { saveClicked(); }));
    connect(buttons[2], &QPushButton::clicked, this, guarded(messenger_, title_, [this] { openClicked(); }));
    connect(buttons[3], &QPushButton::clicked, this, guarded(messenger_, title_, [this] { printClicked(); }));
    connect(buttons[4], &QPushButton::clicked, this, &TabPage::exitRequested);
    patient_->setLeaveCheck(guarded(messenger_, title_, [this] { patientLeft(); }));

    setTabOrder(patient_, memo_);
    setTabOrder(memo_, buttons[0]);
    for (int i = 1; i < buttons.size(); ++i)
        setTabOrder(buttons[i - 1], buttons[i]);
}

QString OutlineTab::marker() const
{
    return marker_->text();
}

void OutlineTab::setSource(const QString& path)
{
    source_ = path;
    marker_->setText(path.isEmpty() ? QString() : kOpenMarker);
}

QString OutlineTab::outlinePath() const
{
    return patientFilePath(folder_, patient_->text(), kSuffix);
}

bool OutlineTab::belongsToOnScreen(const QString& path) const
{
    return !source_.isEmpty() && sameFile(source_, path);
}

void OutlineTab::newClicked()
{
    patient_->clear();
    memo_->clear();
    setSource({});
}

bool OutlineTab::saveClicked()
{
    if (patient_->text().isEmpty()) {
        messenger_.warning(kTitle, {notes::nameMissing()});
        return false;
    }
    const QString text = memo_->toPlainText();
    if (notes::refuseUnstorable(messenger_, kTitle, text))
        return false;
    const QString path = outlinePath();
    // Another outline stored under this name is never overwritten by this one.
    if (QFileInfo::exists(path) && !belongsToOnScreen(path)) {
        messenger_.warning(kTitle, {kAlreadySaved});
        return false;
    }
    const QString done = source_.isEmpty() ? notes::savedText() : notes::updatedText();
    writeOutlineFile(path, patient_->text(), textLines(text));
    setSource(path);
    messenger_.information(kTitle, {done});
    return true;
}

void OutlineTab::openClicked()
{
    const QString path = messenger_.whileModal([this] {
        return desktop_.chooseFile(folder_.analyses(), QStringLiteral("Treatment Outline file (*.otl)"),
                                   QStringLiteral("*.otl"));
    });
    if (!path.contains(kSuffix))
        return;
    // Read before anything is cleared: a file that cannot be read leaves the
    // outline on screen as it was.
    const NoteFile note = readNoteFile(path);
    newClicked();
    patient_->setText(note.patient);
    memo_->setPlainText(note.lines.join(QLatin1Char('\n')));
    setSource(path);
}

void OutlineTab::patientLeft()
{
    if (patient_->text().isEmpty())
        return;
    const QString path = outlinePath();
    // Passing through the field of the outline on screen keeps the edits.
    if (!QFileInfo::exists(path) || belongsToOnScreen(path))
        return;
    messenger_.warning(kTitle, {kAlreadySaved});
    newClicked();
    openClicked();
}

void OutlineTab::printClicked()
{
    const QString text = memo_->toPlainText();
    if (text.isEmpty() || patient_->text().isEmpty()) {
        messenger_.warning(kTitle, {QStringLiteral("There is no Treatment Outline!")});
        return;
    }
    // What prints is what was stored: a SAVE that refused or failed prints nothing.
    if (!saveClicked())
        return;
    if (!reports_)
        return;
    QString memo;
    for (const QString& line : textLines(text))
        memo += line + QLatin1Char('\r');
    reports_->setParameter(QStringLiteral("nome"), QStringLiteral("Patient:  ") + patient_->text());
    reports_->setParameter(QStringLiteral("memo1"), memo);
    reports_->setLastPage(50);
    reports_->print(QStringLiteral("report4"), kTitle, patient_->text());
}

}  // namespace vel
