#pragma once
#include <QString>
#include <array>

// Steiner's chevrons and the balance of the lower arch. Texts in, texts out:
// each value is read back from the displayed texts it depends on.
namespace vel {

struct SteinerInputs {
    QString anb;          // stanb
    QString upperDegrees; // st1pna
    QString upperMm;      // st1na
    QString lowerDegrees; // st1pnb
    QString lowerMm;      // st1nb
    QString pogNb;        // stpognb
    QString expectedPog;  // stxppog
};

// One chevron's six values: ANB at the top, the incisors in millimetres
// outside the arms and in degrees inside, Pog-NB at the bottom.
struct Chevron {
    QString top, outTop, inTop, inBottom, outBottom, bottom;
};

struct SteinerResults {
    Chevron problem;   // chevron 1, as measured
    Chevron anbGoal;   // chevron 2
    Chevron chinGoal;  // chevron 3
    Chevron resolved;  // chevron 4
    // The lower incisor's relocation: space gained ("+", qd3) or needed ("-", qd31).
    QString relocationGained, relocationNeeded;
};

struct ArchBalance {
    QString totalGained, totalNeeded;  // qd8, qd81
    QString netGained, netNeeded;      // qd9, qd91
    bool balanced = false;             // the OK button's state
};

// The warning when a value the chevrons need is empty, or an empty text.
QString checkSteinerInputs(const SteinerInputs& in);
// ANB in whole degrees: the typed value rounded to the nearest degree,
// halves away from zero, as every other rounding of the program.
int wholeDegrees(const QString& anb);
SteinerResults calculateSteiner(const SteinerInputs& in);
// The seven "+" entries (qd1 ... qd7) against the seven "-" entries (qd11 ... qd71).
ArchBalance balanceLowerArch(const std::array<QString, 7>& gained, const std::array<QString, 7>& needed);
// Chevron 5, from the lower incisor's relocation as finally entered.
Chevron individualisedGoal(const Chevron& problem, const Chevron& resolved, const QString& relocationGained,
                           const QString& relocationNeeded);

}  // namespace vel
