#pragma once
#include "guidance/guidancerules.h"

#include <QString>

namespace vel {

// The analysis the worksheet and the Diagnostic Guide work for: the worksheet
// writes its sums into its space entries, the guide its answers into its
// Suggested Diagnosis.
class GuidanceTarget {
public:
    virtual ~GuidanceTarget() = default;
    virtual QString patient() const = 0;
    // One of the six space entries the worksheet sums ("anaer" ... "anpep").
    virtual void setSpaceEntry(const QString& control, const QString& text) = 0;
    // Fills the Suggested Diagnosis from the shown results and the answers.
    virtual void applyGuidance(const GuideAnswers& answers) = 0;
};

}  // namespace vel
