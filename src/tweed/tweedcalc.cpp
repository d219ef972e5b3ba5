#include "tweed/tweedcalc.h"

#include "common/textconv.h"

#include <cmath>

namespace vel {

namespace {

// A result as the tab shows it: one decimal, halves away from zero.
QString shown(double value) { return realToText(value, 0, 1); }
double value(const QString& text) { return textToReal(text); }

const QString kZero = QStringLiteral("0.0");

// How far a value lies outside its normal range, weighted; the bounds are normal.
QString outside(double v, double lo, double hi, double weight)
{
    if (v < lo)
        return shown((lo - v) * weight);
    if (v > hi)
        return shown((v - hi) * weight);
    return kZero;
}

// A deficit weighs by its size; a surplus does not count.
QString deficit(const QString& text, double weight)
{
    const double v = value(text);
    return v >= 0 ? kZero : shown(std::fabs(v) * weight);
}

void cephalometrics(const TweedInputs& in, TweedResults& r)
{
    r.twanbres = shown(value(in.sna) - value(in.snb));
    const double ratio = value(in.pfh) / value(in.afh);
    if (ratio < 0.55 || ratio > 0.85) {
        r.hornres = QStringLiteral("Surgery and Orthodontics");
        r.hornTone = Tone::Red;
    } else if (ratio >= 0.65 && ratio < 0.75) {
        r.hornres = QStringLiteral("Balanced Face");
        r.hornTone = Tone::Green;
    } else {
        r.hornres = QStringLiteral("Orthodontic Treatment");
        r.hornTone = Tone::Olive;
    }
    r.twafpafares = realToText(ratio * 100, 0, 0) + QLatin1Char('%');
}

void headfilmTargets(const TweedInputs& in, TweedResults& r)
{
    // The comparisons use FMA as typed; the arithmetic its displayed text.
    const double fma = value(in.fma);
    r.dcfmares = shown(fma);
    const double fma1 = value(r.dcfmares);
    if (fma > 20 && fma < 30)
        r.dcfmiares = QStringLiteral("68.0");
    else if (fma >= 30)
        r.dcfmiares = QStringLiteral("65.0");
    else
        r.dcfmiares = shown(180 - fma1 - 92);
    if (fma > 20)
        r.dcimpares = shown(180 - fma1 - value(r.dcfmiares));
    else
        r.dcimpares = QStringLiteral("92.0");
}

void totalSpace(const TweedInputs& in, TweedResults& r)
{
    r.anadmres = shown(value(in.anteriorAvailable) - value(in.anteriorRequired));
    const double impa = in.keepImpa ? value(r.dcimpares) : value(in.replacementImpa);
    r.anadcres = shown((impa - value(in.impa)) * 0.8);
    r.dcdcres = r.anadcres;

    // Only the part of the lip excess the headfilm discrepancy does not cover.
    const double headfilm = value(r.anadcres);
    const double lip = value(in.upperLip);
    const double chin = value(in.totalChin);
    const double d = chin - lip;
    if (headfilm >= 0 || lip <= chin || d >= headfilm)
        r.anamtmres = kZero;
    else
        r.anamtmres = shown(d - headfilm);

    r.anantres = shown(value(r.anadmres) + (value(r.anadcres) + value(r.anamtmres)));
    r.anmdmres = shown(value(in.midAvailable) - value(in.midRequired));
    r.anmedres = shown((value(r.anmdmres) + value(in.spee)) + value(in.molarCorrection));
    r.anpdmres = shown(value(in.posteriorAvailable) - value(in.posteriorRequired));

    const double age = value(in.age);
    if (in.female && age < 14)
        r.anpcresres = shown((14 - age) * 3);
    else if (in.male && age < 16)
        r.anpcresres = shown((16 - age) * 3);
    else
        r.anpcresres = kZero;

    r.anposres = shown(value(r.anpdmres) + value(r.anpcresres));
    r.andiscres = shown((value(r.anantres) + value(r.anmedres)) + value(r.anposres));
}

void difficulty(const TweedInputs& in, TweedResults& r)
{
    // FMA and the facial ratio are taken at full precision, not as displayed.
    r.idfmares = outside(value(in.fma), 22, 28, 5);
    r.idanbres = outside(value(r.twanbres), 1, 5, 15);
    r.idangzres = outside(value(in.zAngle), 70, 80, 2);
    r.idplocres = outside(value(in.occPlane), 8, 12, 3);
    r.idsnbres = outside(value(in.snb), 78, 82, 5);
    r.idifres = outside(value(in.pfh) * 100 / value(in.afh), 65, 68, 3);
    r.idsub1res = shown(value(r.idfmares) + value(r.idanbres) + value(r.idangzres) + value(r.idplocres)
                        + value(r.idsnbres) + value(r.idifres));

    r.iddmares = deficit(r.anadmres, 1.5);
    r.iddcres = shown(std::fabs(value(r.anadcres)));
    r.idmtmres = shown(std::fabs(value(r.anamtmres)) * 0.5);
    r.iddmmres = deficit(r.anmdmres, 1.0);
    r.idspeeres = shown(std::fabs(value(in.spee)));
    r.idcorrres = shown(std::fabs(value(in.molarCorrection)) * 2);
    r.iddmpres = deficit(r.anposres, 0.5);
    r.idsub2res = shown(value(r.iddmares) + value(r.iddcres) + value(r.idmtmres) + value(r.iddmmres)
                        + value(r.idspeeres) + value(r.idcorrres) + value(r.iddmpres));

    r.idtotres = shown(value(r.idsub1res) + value(r.idsub2res));
    const double total = value(r.idtotres);
    if (total < 60) {
        r.idlabel = QStringLiteral("DIFFICULTY INDEX  MILD: ") + r.idtotres;
        r.gradeTone = Tone::Green;
    } else if (total < 120) {
        r.idlabel = QStringLiteral("DIFFICULTY INDEX  MODERATE: ") + r.idtotres;
        r.gradeTone = Tone::Olive;
    } else {
        r.idlabel = QStringLiteral("DIFFICULTY INDEX  SEVERE: ") + r.idtotres;
        r.gradeTone = Tone::Red;
    }
}

}  // namespace

TweedCheck checkTweedInputs(const TweedInputs& in)
{
    const QString required[] = {
        in.fma, in.fmia, in.impa, in.occPlane, in.sna, in.snb, in.aoBo, in.zAngle, in.upperLip, in.totalChin,
        in.afh, in.pfh, in.anteriorAvailable, in.anteriorRequired, in.midAvailable, in.midRequired, in.spee,
        in.molarCorrection, in.posteriorAvailable, in.posteriorRequired, in.age, in.patient,
    };
    bool complete = !(!in.keepImpa && in.replacementImpa.isEmpty());
    for (const QString& text : required)
        complete = complete && !text.isEmpty();
    if (!complete)
        return {TweedCheck::Failure::Incomplete, QStringLiteral("All fields must be filled in before calculating!")};
    if (!in.male && !in.female)
        return {TweedCheck::Failure::NoGender, QStringLiteral("Patient`s gender was not selected!")};
    if (value(in.afh) == 0)
        return {TweedCheck::Failure::ZeroAfh, QStringLiteral("AFA value must be different than ZERO!")};
    return {};
}

TweedResults calculateTweed(const TweedInputs& in)
{
    TweedResults r;
    cephalometrics(in, r);
    headfilmTargets(in, r);
    totalSpace(in, r);
    difficulty(in, r);
    return r;
}

}  // namespace vel
