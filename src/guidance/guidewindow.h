#pragma once
#include "widgets/secondarywindow.h"
#include "common/workingfolder.h"
#include "guidance/guidancerules.h"
#include "guidance/guidancetarget.h"

#include <QMap>

class QCheckBox;
class QLabel;
class QRadioButton;

namespace vel {

class Messenger;

// The Diagnostic Guide: a short questionnaire that complements the Tweed
// results. It keeps, while the clinician answers, which boxes are offered and
// which exclude each other; a hidden box is always unchecked.
class GuideWindow : public SecondaryWindow {
    Q_OBJECT
public:
    GuideWindow(WorkingFolder folder, Messenger& messenger, QWidget* parent = nullptr);

    void setTarget(GuidanceTarget* target) { target_ = target; }

    GuideAnswers answers() const;
    // Sets every answer as clicks would, so each box's reaction runs.
    void setAnswers(const GuideAnswers& answers);

    QCheckBox* box(const QString& name) const { return boxes_.value(name); }

    // NEW: forgets every answer; the guide stays as it is.
    void newClicked();
    void cancelClicked();
    // GUIDANCE: validates, counts and fills the target's Suggested Diagnosis.
    void guidanceClicked();
    // GUIDANCE on the answers a Tweed file restored, without the guide ever
    // showing; answers that fail the checks bring it up, warning and all,
    // for the clinician to complete.
    void guidanceOnRestoredAnswers();

private:
    QCheckBox* addBox(const char* name, const char* caption, int x, int y, bool shown);
    void wireReactions();

    WorkingFolder folder_;
    Messenger& messenger_;
    GuidanceTarget* target_ = nullptr;
    QWidget* group_ = nullptr;
    QMap<QString, QCheckBox*> boxes_;
    QRadioButton* yes_;
    QRadioButton* no_;
    QLabel* separator1_;
    QLabel* separator2_;
};

}  // namespace vel
