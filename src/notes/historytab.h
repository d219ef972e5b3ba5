#pragma once
#include "widgets/tabpage.h"
#include "common/workingfolder.h"

#include <QDate>
#include <functional>

class QMenu;
class QPlainTextEdit;

namespace vel {

class Desktop;
class EntryField;
class Messenger;
struct NoteFile;

// The Treatment History tab: a dated log of procedures per patient. SAVE adds
// the description as one entry at the end of the patient's .pln file and the
// memo below shows the whole history as stored. The tab keeps no state apart
// from its controls.
class HistoryTab : public TabPage {
    Q_OBJECT
public:
    explicit HistoryTab(const TabServices& services, QWidget* parent = nullptr);

    // Where the date of a new entry comes from (today, unless a test says otherwise).
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

    void newClicked();
    void saveClicked();
    void openClicked();
    void printClicked();

    EntryField* patient() const { return patient_; }
    QPlainTextEdit* description() const { return description_; }
    QPlainTextEdit* history() const { return history_; }

private:
    void showHistory(const NoteFile& note, const QString& path);

    std::function<QDate()> today_ = [] { return QDate::currentDate(); };

    EntryField* patient_;
    QPlainTextEdit* description_;
    QPlainTextEdit* history_;
    QString shownPath_;     // the file the history on screen was read from
    QString shownPatient_;  // and the patient it names
};

}  // namespace vel
