#pragma once
#include <QString>

// The four conversions every field and result label goes through. Results are
// read back from their texts by later formulas, so these define the program's
// arithmetic as much as the formulas do.
namespace vel {

// Empty or malformed text reads as 0; "." is the only decimal separator.
double textToReal(const QString& text);
// Same for a decimal integer; anything outside the signed 32-bit range reads as 0.
int textToInt(const QString& text);
// Fixed-point text with exactly `decimals` decimals, left-filled with blanks to
// `width`. Halves round away from zero on the value's exact decimal expansion,
// and a negative value that rounds to zero keeps its sign ("-0.0").
QString realToText(double value, int width, int decimals);
QString intToText(int value);

}  // namespace vel
