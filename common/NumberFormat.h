#pragma once
// Number texts shown to the user: dial readouts, log viewer readouts and the
// connection clock. Rounding works on the exact decimal value of the double, so the
// digits shown never suffer from binary representation error.

#include <QChar>
#include <QString>

namespace dp {

// Rounds to significantDigits significant digits (halves away from zero). Fixed
// notation when the rounded value is d.ddd x 10^e with -4 <= e <= significantDigits - 1,
// else "d.dddE<e>". No trailing zeros, no separator without digits after it, zero is "0".
QString FormatGeneral(double value, int significantDigits, QChar decimalPoint);

// The connection clock: four significant digits and at most one decimal, halves up;
// fixed with exactly one decimal up to 9999.4, scientific from 9999.5 on.
QString FormatClock(double seconds, QChar decimalPoint);

}  // namespace dp
