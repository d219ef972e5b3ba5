#include "bolton/boltoncalc.h"

#include "common/textconv.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vel {

namespace {

constexpr double kOverallIdeal = 91.3;
constexpr double kAnteriorIdeal = 77.2;
const QChar kBreak = QLatin1Char('\r');

QString shown(double v) { return realToText(v, 0, 1); }
double value(const QString& text) { return textToReal(text); }

// Sums in field order, at double precision; the anterior six are s04..s09.
double sum(const std::array<QString, 12>& widths, int first, int last)
{
    double total = 0;
    for (int i = first; i <= last; ++i)
        total += value(widths[i]);
    return total;
}

double key(const BoltonRow& row, KeyColumn column)
{
    return column == KeyColumn::Maxilla ? row.maxilla : row.mandible;
}

struct Side {
    QString busca, buscaRes, infoBusca, tabRes, res, resInfo, diag;
};

// One line of the analysis: which arch is in excess, its ideal and the excess.
template <std::size_t N>
Side side(double ratio, double ideal, const QString& maxSum, const QString& mndSum,
          const QString& digits, const std::array<BoltonRow, N>& table)
{
    Side s;
    const QString idealText = shown(ideal);
    if (ratio < ideal) {
        s.busca = QStringLiteral("- ") + idealText + QStringLiteral(" :");
        s.buscaRes = maxSum;
        s.infoBusca = QStringLiteral("Max ") + digits;
        s.resInfo = QStringLiteral("Exc Max");
        s.tabRes = shown(boltonLookup(table, KeyColumn::Mandible, value(mndSum)));
    } else {
        s.busca = QStringLiteral("+ ") + idealText + QStringLiteral(" :");
        s.buscaRes = mndSum;
        s.infoBusca = QStringLiteral("Mnd ") + digits;
        s.resInfo = QStringLiteral("Exc Mnd");
        s.tabRes = shown(boltonLookup(table, KeyColumn::Maxilla, value(maxSum)));
    }
    s.res = shown(value(s.buscaRes) - value(s.tabRes));
    s.diag = (s.resInfo == QLatin1String("Exc Mnd") ? QStringLiteral("Excessive mandibular")
                                                      : QStringLiteral("Excessive maxillary"))
             + kBreak + QStringLiteral("discrepancy of ") + s.res + QStringLiteral("mm");
    return s;
}

QString decimalComma(double v, int decimals)
{
    return realToText(v, 0, decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

template <std::size_t N>
QString tableText(const std::array<BoltonRow, N>& table, int maxillaDecimals)
{
    // Three columns; the first ones take the rows that do not divide evenly
    // (31 rows: 11, 10, 10; 26 rows: 9, 9, 8).
    constexpr int n = static_cast<int>(N);
    int start[3];
    int height[3];
    for (int c = 0, first = 0; c < 3; ++c) {
        height[c] = n / 3 + (c < n % 3 ? 1 : 0);
        start[c] = first;
        first += height[c];
    }
    QString text = QStringLiteral("\nMax\tMnd\tMax\tMnd\tMax\tMnd\n------------------------------------------------\n");
    for (int r = 0; r < height[0]; ++r) {
        QStringList pairs;
        for (int c = 0; c < 3; ++c) {
            if (r < height[c]) {
                const BoltonRow& row = table[start[c] + r];
                pairs << decimalComma(row.maxilla, maxillaDecimals) + QStringLiteral("--\t")
                             + decimalComma(row.mandible, 1);
            }
        }
        text += pairs.join(QLatin1Char('\t')) + QStringLiteral("\n");
        if (r + 1 < height[0])
            text += QLatin1Char('\n');
    }
    return text;
}

// Keys and sums are decimal values (one decimal in the shipped tables and on
// screen), but as binary doubles a value halfway between two keys can lie a
// hair nearer the lower one. Distances are compared as whole millionths, so a
// halfway value is exactly halfway and takes the upper row.
// (A damaged table file may hold anything; far beyond any tooth size the
// values are clamped, which keeps their order.)
std::int64_t millionths(double v)
{
    if (std::isnan(v))
        return 0;
    return std::llround(std::clamp(v, -1e12, 1e12) * 1e6);
}

}  // namespace

template <std::size_t N>
double boltonLookup(const std::array<BoltonRow, N>& table, KeyColumn column, double value)
{
    const std::int64_t v = millionths(value);
    const auto k = [&](std::size_t i) { return millionths(key(table[i], column)); };
    std::size_t upper = N - 1;
    for (std::size_t i = 0; i < N; ++i) {
        if (k(i) >= v) {
            upper = i;
            break;
        }
    }
    std::size_t lower = 0;
    for (std::size_t i = N; i-- > 0;) {
        if (k(i) <= v) {
            lower = i;
            break;
        }
    }
    const BoltonRow& chosen = (v - k(lower) >= k(upper) - v) ? table[upper] : table[lower];
    return column == KeyColumn::Maxilla ? chosen.mandible : chosen.maxilla;
}

template double boltonLookup(const std::array<BoltonRow, BoltonTables::kAnteriorRows>&, KeyColumn, double);
template double boltonLookup(const std::array<BoltonRow, BoltonTables::kOverallRows>&, KeyColumn, double);

QString checkBoltonInputs(const BoltonInputs& in)
{
    bool complete = !in.patient.isEmpty();
    for (int i = 0; i < 12; ++i)
        complete = complete && !in.maxilla[i].isEmpty() && !in.mandible[i].isEmpty();
    if (!complete)
        return QStringLiteral("All fields must be filled in before calculating!");
    // The ratios divide by the sums as shown, so a sum that shows as 0.0 is zero.
    const auto zero = [](double total) { return value(shown(total)) == 0; };
    if (zero(sum(in.maxilla, 0, 11)))
        return QStringLiteral("Sum of 12 maxillary teeth must be greater than ZERO!");
    if (zero(sum(in.maxilla, 3, 8)))
        return QStringLiteral("Sum of 6 anterior maxillary teeth must be greater than ZERO!");
    if (zero(sum(in.mandible, 0, 11)))
        return QStringLiteral("Sum of 12 mandibular teeth must be greater than ZERO!");
    if (zero(sum(in.mandible, 3, 8)))
        return QStringLiteral("Sum of 6 anterior mandibular teeth must be greater than ZERO!");
    return QString();
}

BoltonResults calculateBolton(const BoltonInputs& in, const BoltonTables& tables)
{
    BoltonResults r;
    r.sup12res = shown(sum(in.maxilla, 0, 11));
    r.sup6res = shown(sum(in.maxilla, 3, 8));
    r.inf12res = shown(sum(in.mandible, 0, 11));
    r.inf6res = shown(sum(in.mandible, 3, 8));

    r.cinf12res = r.inf12res;
    r.csup12res = r.sup12res;
    const double ratio12 = value(r.cinf12res) * 100 / value(r.csup12res);
    r.x10012res = shown(ratio12) + QStringLiteral(" %");
    r.cinf6res = r.inf6res;
    r.csup6res = r.sup6res;
    const double ratio6 = value(r.cinf6res) * 100 / value(r.csup6res);
    r.x1006res = shown(ratio6) + QStringLiteral(" %");

    // The side is decided on the unrounded ratio, not the one shown.
    const auto store = [](const Side& s, QString& busca, QString& buscaRes, QString& infoBusca, QString& tabRes,
                          QString& res, QString& resInfo, QString& diag) {
        busca = s.busca;
        buscaRes = s.buscaRes;
        infoBusca = s.infoBusca;
        tabRes = s.tabRes;
        res = s.res;
        resInfo = s.resInfo;
        diag = s.diag;
    };
    store(side(ratio12, kOverallIdeal, r.sup12res, r.inf12res, QStringLiteral("12"), tables.overall), r.busca12,
          r.busca12res, r.infobusca12res, r.tab12res, r.res12, r.res12info, r.diag12);
    store(side(ratio6, kAnteriorIdeal, r.sup6res, r.inf6res, QStringLiteral("06"), tables.anterior), r.busca6,
          r.busca6res, r.infobusca6res, r.tab6res, r.res6, r.res6info, r.diag6);

    r.diag12info = QStringLiteral("Sum of mesiodistal diameters") + kBreak + kBreak + QStringLiteral("654321 | 123456");
    r.diag6info = QStringLiteral("Sum of mesiodistal diameters") + kBreak + kBreak + QStringLiteral("   321 | 123   ");
    return r;
}

QString overallTableText()
{
    return tableText(BoltonTables::standard().overall, 0);
}

QString anteriorTableText()
{
    return tableText(BoltonTables::standard().anterior, 1);
}

}  // namespace vel
