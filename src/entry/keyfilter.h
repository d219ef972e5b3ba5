#pragma once
#include <QChar>
#include <QString>

// What may be typed into an entry field, decided keystroke by keystroke on the
// field's whole text, and how a decimal is tidied when the field is left.
namespace vel {

enum class KeyFilter { PositiveReal, SignedReal, WholeNumber, Name };

enum class Completion {
    None,
    Decimal,          // 12 -> 12.0, 12. -> 12.0
    SignedDecimal,    // as Decimal; a lone "-" is cleared
    NegativeDecimal,  // as SignedDecimal, then forced negative (curve of Spee)
};

struct FilterResult {
    enum class Kind { Accept, Drop, Warn };
    Kind kind;
    QChar character;  // what enters the field when accepted (a comma becomes ".")

    static FilterResult accept(QChar c) { return {Kind::Accept, c}; }
    static FilterResult drop() { return {Kind::Drop, QChar()}; }
    static FilterResult warn() { return {Kind::Warn, QChar()}; }
};

constexpr QChar kBackspace = QChar(8);

// One typed character against the field's current text.
FilterResult filterKey(KeyFilter filter, const QString& text, QChar typed);
QString complete(Completion completion, const QString& text);

}  // namespace vel

namespace vel {

// The filters' warnings; which one a field shows is part of its row.
namespace warnings {
inline QString positiveReal() { return QStringLiteral("This field must be filled in with a POSITIVE REAL NUMBER!"); }
inline QString positiveRealWorksheet() { return QStringLiteral("This field must be filled with a POSITIVE REAL NUMBER!"); }
inline QString signedReal() { return QStringLiteral("This field must be filled in with a REAL NUMBER!"); }
inline QString wholeNumber() { return QStringLiteral("This field must be filled in with a POSITIVE INTEGER NUMBER!"); }
inline QString nameStrict() { return QStringLiteral("This field must be filled in with ALPHABETIC CHARACTERS only!"); }
inline QString nameMild() { return QStringLiteral("This field must be filled in with ALPHABETIC CHARACTERS only"); }
}  // namespace warnings

// The molar correction must point the way its class says; it only warns.
// Returns the warning to show, or an empty text.
QString molarCorrectionWarning(const QString& text, bool classII, bool classIII);

}  // namespace vel
