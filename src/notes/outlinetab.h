#pragma once
#include "widgets/tabpage.h"
#include "common/workingfolder.h"

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace vel {

class Desktop;
class EntryField;
class Messenger;

// The Treatment Outline tab: one free-text outline per patient, kept in the
// patient's .otl file. The hidden label `Label10` reads "open" while the
// outline on screen belongs to a file it was read from or written to; the
// tab also remembers which file that is, so SAVE can tell the patient's own
// outline from another one stored under the same name.
class OutlineTab : public TabPage {
    Q_OBJECT
public:
    explicit OutlineTab(const TabServices& services, QWidget* parent = nullptr);

    void newClicked();
    // True when the outline was stored; false when SAVE refused it.
    bool saveClicked();
    void openClicked();
    void printClicked();
    // The existing-outline check when the patient field is left.
    void patientLeft();

    EntryField* patient() const { return patient_; }
    QPlainTextEdit* memo() const { return memo_; }
    QString marker() const;

private:
    QString outlinePath() const;
    bool belongsToOnScreen(const QString& path) const;
    void setSource(const QString& path);


    EntryField* patient_;
    QPlainTextEdit* memo_;
    QLabel* marker_;
    // The file the outline on screen was read from or last written to.
    QString source_;
};

}  // namespace vel
