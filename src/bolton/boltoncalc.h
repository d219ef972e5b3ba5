#pragma once
#include "bolton/boltontables.h"

#include <QString>
#include <array>

// The Bolton tooth-size analysis: sums, ratios, the arch in excess, the ideal
// from the tables and the excess. Texts in, texts out; every step after the
// sums reads the displayed one-decimal texts back.
namespace vel {

struct BoltonInputs {
    QString patient;                 // bpaciente
    std::array<QString, 12> maxilla; // s01 ... s12, first molar to first molar
    std::array<QString, 12> mandible; // i01 ... i12
};

struct BoltonResults {
    QString sup12res, sup6res, inf12res, inf6res;
    QString cinf12res, csup12res, x10012res;
    QString cinf6res, csup6res, x1006res;
    QString busca12, busca12res, infobusca12res, tab12res, res12, res12info;
    QString busca6, busca6res, infobusca6res, tab6res, res6, res6info;
    // Line breaks inside these are single carriage returns.
    QString diag12info, diag12, diag6info, diag6;
};

// The first failing check's warning, or an empty text.
QString checkBoltonInputs(const BoltonInputs& in);

enum class KeyColumn { Maxilla, Mandible };

// The other column of the row whose key is nearest to the value; halfway
// between two rows takes the upper one, and values beyond either end take
// the end row.
template <std::size_t N>
double boltonLookup(const std::array<BoltonRow, N>& table, KeyColumn column, double value);

BoltonResults calculateBolton(const BoltonInputs& in, const BoltonTables& tables);

// The on-screen reference tables, as text.
QString overallTableText();
QString anteriorTableText();

}  // namespace vel
