#include "steiner/steinercalc.h"

#include "common/textconv.h"

namespace vel {

namespace {

double v(const QString& text) { return textToReal(text); }
QString two(double value) { return realToText(value, 0, 2); }
QString whole(double value) { return realToText(value, 0, 0); }

// Degrees from millimetres: upper incisor mm + 18, lower incisor 4 × mm + 9.
QString upperDegrees(const QString& mm) { return whole(v(mm) + 18); }
QString lowerDegrees(const QString& mm) { return whole(v(mm) / 0.25 + 9); }

}  // namespace

QString checkSteinerInputs(const SteinerInputs& in)
{
    for (const QString* text : {&in.anb, &in.upperDegrees, &in.upperMm, &in.lowerDegrees, &in.lowerMm, &in.pogNb,
                                &in.expectedPog}) {
        if (text->isEmpty())
            return QStringLiteral("Please fill in all mandatory fields before calculating!");
    }
    return QString();
}

int wholeDegrees(const QString& anb)
{
    return textToInt(realToText(v(anb), 0, 0));
}

SteinerResults calculateSteiner(const SteinerInputs& in)
{
    SteinerResults r;
    Chevron& c1 = r.problem;
    c1.top = in.anb;
    c1.outTop = in.upperMm;
    c1.outBottom = in.lowerMm;
    c1.inTop = in.upperDegrees;
    c1.inBottom = in.lowerDegrees;
    c1.bottom = in.pogNb;

    // C++ integer division truncates toward zero, as the goal needs (ANB -1 gives 1).
    const int goal = wholeDegrees(c1.top) / 2 + 1;
    Chevron& c2 = r.anbGoal;
    c2.top = intToText(goal);
    c2.outTop = intToText(6 - goal);
    c2.outBottom = two(goal * 0.25 + 3.5);

    // The chin goal keeps chevron 2's distance between the incisors.
    Chevron& c3 = r.chinGoal;
    c3.bottom = in.expectedPog;
    c3.outBottom = in.expectedPog;
    c3.outTop = two(v(c3.outBottom) - (v(c2.outBottom) - v(c2.outTop)));

    Chevron& c4 = r.resolved;
    c4.top = c2.top;
    c4.outTop = two((v(c2.outTop) + v(c3.outTop)) / 2);
    c4.outBottom = two((v(c2.outBottom) + v(c3.outBottom)) / 2);
    c4.bottom = c3.bottom;
    c4.inTop = upperDegrees(c4.outTop);
    c4.inBottom = lowerDegrees(c4.outBottom);

    // Both sides of the arch: twice the incisor's move.
    const double measured = v(c1.outBottom);
    const double target = v(c4.outBottom);
    if (measured < target) {
        r.relocationGained = two(2 * (target - measured));
    } else if (measured > target) {
        r.relocationNeeded = two(2 * (measured - target));
    } else {
        r.relocationGained = QStringLiteral("0");
        r.relocationNeeded = QStringLiteral("0");
    }
    return r;
}

ArchBalance balanceLowerArch(const std::array<QString, 7>& gained, const std::array<QString, 7>& needed)
{
    ArchBalance b;
    double plus = 0;
    double minus = 0;
    for (int i = 0; i < 7; ++i) {
        plus += v(gained[i]);
        minus += v(needed[i]);
    }
    b.totalGained = two(plus);
    b.totalNeeded = two(minus);
    const double shownPlus = v(b.totalGained);
    const double shownMinus = v(b.totalNeeded);
    if (shownPlus > shownMinus) {
        b.netGained = two(shownPlus - shownMinus);
    } else if (shownMinus > shownPlus) {
        b.netNeeded = two(shownMinus - shownPlus);
    } else {
        b.netGained = QStringLiteral("0");
        b.netNeeded = QStringLiteral("0");
        b.balanced = true;
    }
    return b;
}

Chevron individualisedGoal(const Chevron& problem, const Chevron& resolved, const QString& relocationGained,
                           const QString& relocationNeeded)
{
    Chevron c5;
    c5.top = resolved.top;
    c5.bottom = resolved.bottom;
    if (!relocationGained.isEmpty())
        c5.outBottom = two(v(problem.outBottom) + v(relocationGained) / 2);
    else
        c5.outBottom = two(v(problem.outBottom) - v(relocationNeeded) / 2);
    // The upper incisor follows the lower one. Where the lower incisor lands
    // on the resolved position, both show chevron 4's own texts: 0.00 and
    // -0.00 are one value, and the two chevrons must not seem to differ.
    const double move = v(c5.outBottom) - v(resolved.outBottom);
    if (move == 0) {
        c5.outBottom = resolved.outBottom;
        c5.outTop = resolved.outTop;
    } else {
        c5.outTop = two(v(resolved.outTop) + move);
    }
    c5.inTop = upperDegrees(c5.outTop);
    c5.inBottom = lowerDegrees(c5.outBottom);
    return c5;
}

}  // namespace vel
