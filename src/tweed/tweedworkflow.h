#pragma once
#include "guidance/guidancerules.h"
#include "tweed/tweedcalc.h"
#include "tweed/tweedfile.h"

#include <QString>

// What the Tweed tab does with what it holds, as texts in and texts out: the
// tab and the export both run these, so an opened file reads the same in
// either place. The tab adds only what a window must: the boxes, the IMPA
// question, the count and the locking of its controls.
namespace vel {

// CALCULATE: the checks, and the results when they pass.
struct TweedOutcome {
    TweedCheck check;
    TweedResults results;  // every label as shown; empty when a check failed
    bool calculated() const { return check.failure == TweedCheck::Failure::None; }
};
TweedOutcome runTweedCalculation(const TweedInputs& in);

// Where the clinician gave a replacement IMPA (the option "No"), the
// Headfilm box shows it in place of the target.
void showReplacementImpa(TweedResults& results, const TweedInputs& in);

// The entries of a stored record as OPEN puts them on the tab.
TweedInputs tweedInputs(const TweedRecord& record);

// OPEN after the read: the record's calculation, accepted without the IMPA
// question when its checks pass, the replacement IMPA shown either way, and
// the guidance run again on the stored answers where the file holds it.
struct OpenedTweed {
    TweedInputs inputs;
    TweedOutcome outcome;
    bool runsGuidance = false;
};
OpenedTweed openTweedRecord(const TweedRecord& record);

// The four results the guidance reads.
GuidanceInputs guidanceInputs(const TweedResults& shown);

// GUIDANCE: the guide's warning when its answers fail the checks, otherwise
// the Suggested Diagnosis.
struct TweedGuidance {
    QString warning;
    Diagnosis diagnosis;
};
TweedGuidance runTweedGuidance(const TweedResults& shown, const GuideAnswers& answers);

// SAVE. A new file is created; an existing one is replaced only to add the
// guidance to an analysis saved without it; otherwise SAVE refuses or, for an
// analysis the clinician never accepted, does nothing.
struct TweedSaveState {
    bool graded = false;          // the difficulty grade is shown
    bool fileExists = false;      // the stage's file is there
    bool savedComplete = false;   // this analysis was saved with its guidance
    bool savedPartial = false;    // this analysis was saved or accepted
    bool withGuidance = false;    // the Suggested Diagnosis is filled
};
struct TweedSave {
    enum class Action { Refuse, Create, Replace, Nothing };
    Action action = Action::Nothing;
    // Refuse: the box's text, a warning when the analysis is not complete and
    // an error otherwise. Create and Replace: the information once written.
    QString message;
    bool warning = false;
    // The flags once the file is written.
    bool complete = false;
};
TweedSave decideTweedSave(const TweedSaveState& state);

}  // namespace vel
