#include "tweed/tweedworkflow.h"

#include "tweed/tweedanalysis.h"

namespace vel {

TweedOutcome runTweedCalculation(const TweedInputs& in)
{
    TweedOutcome out;
    out.check = checkTweedInputs(in);
    if (out.calculated())
        out.results = calculateTweed(in);
    return out;
}

void showReplacementImpa(TweedResults& results, const TweedInputs& in)
{
    if (!in.keepImpa && !in.replacementImpa.isEmpty())
        results.dcimpares = in.replacementImpa;
}

TweedInputs tweedInputs(const TweedRecord& r)
{
    TweedInputs in;
    in.patient = r.patient;
    in.age = r.age;
    in.male = r.male;
    in.female = !r.male;
    for (std::size_t i = 0; i < kTweedEntries.size(); ++i)
        in.*kTweedEntries[i].input = r.entries[i];
    in.keepImpa = !r.replaceImpa;
    in.replacementImpa = r.replaceImpa ? r.replacementImpa : QString();
    return in;
}

OpenedTweed openTweedRecord(const TweedRecord& r)
{
    OpenedTweed o;
    o.inputs = tweedInputs(r);
    o.outcome = runTweedCalculation(o.inputs);
    showReplacementImpa(o.outcome.results, o.inputs);
    o.runsGuidance = r.guidance && o.outcome.calculated();
    return o;
}

GuidanceInputs guidanceInputs(const TweedResults& shown)
{
    return GuidanceInputs{shown.anantres, shown.anmedres, shown.anposres, shown.twanbres};
}

TweedGuidance runTweedGuidance(const TweedResults& shown, const GuideAnswers& answers)
{
    TweedGuidance g;
    g.warning = validateAnswers(answers);
    if (g.warning.isEmpty())
        g.diagnosis = suggestDiagnosis(guidanceInputs(shown), answers);
    return g;
}

TweedSave decideTweedSave(const TweedSaveState& s)
{
    using Action = TweedSave::Action;
    const QString saved = QStringLiteral("Analysis successfully saved!");
    if (!s.graded)
        return {Action::Refuse, QStringLiteral("The Analysis is not complete!"), true, false};
    if (!s.fileExists)
        return {Action::Create, saved, false, s.withGuidance};
    if (s.savedComplete)
        return {Action::Refuse, QStringLiteral("This patient already has an Analysis and Space Tx Guidance saved!"),
                false, false};
    if (s.withGuidance)
        return {Action::Replace, saved, false, true};
    if (s.savedPartial)
        return {Action::Refuse, QStringLiteral("This patient already has an Analysis saved!"), false, false};
    // Never accepted (the IMPA answer was No): nothing to save, nothing to say.
    return {};
}

}  // namespace vel
