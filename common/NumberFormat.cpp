#include "common/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace dp {
namespace {

// value = sign * d[0].d[1]d[2]... * 10^exponent; digits empty means zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

void Trim(Decimal& d)
{
    const auto first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d.digits.clear();
        d.exponent = 0;
        return;
    }
    d.digits.erase(0, first);
    d.exponent -= int(first);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
}

// The exact decimal expansion of a finite double (at most 767 significant digits).
Decimal Exact(double value)
{
    Decimal d;
    d.negative = std::signbit(value) && value != 0;
    if (value == 0) return d;
    char buf[800];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, 766);
    const std::string_view text(buf, std::size_t(res.ptr - buf));
    const auto e = text.find('e');
    d.digits.reserve(e);
    d.digits += text[0];
    if (e > 2) d.digits.append(text.substr(2, e - 2));
    const auto expText = text.substr(e + 1);
    std::from_chars(expText.data() + (expText[0] == '+' ? 1 : 0), expText.data() + expText.size(),
                    d.exponent);
    Trim(d);
    return d;
}

// Keeps `keep` significant digits, rounding halves away from zero. keep may be zero
// or negative: the rounding position then lies left of the first digit.
void RoundHalfUp(Decimal& d, int keep)
{
    if (d.digits.empty()) return;
    if (keep < 1) {
        // Leading zeros move the rounding position onto a digit of its own.
        // Two or more places left of the first digit always round to zero.
        if (keep < 0) {
            d.digits.clear();
            d.exponent = 0;
            return;
        }
        d.digits.insert(0, 1, '0');
        ++d.exponent;
        keep = 1;
    }
    if (int(d.digits.size()) <= keep) return;
    const bool up = d.digits[std::size_t(keep)] >= '5';
    d.digits.resize(std::size_t(keep));
    if (up) {
        int i = keep - 1;
        for (; i >= 0 && d.digits[std::size_t(i)] == '9'; --i) d.digits[std::size_t(i)] = '0';
        if (i >= 0) {
            ++d.digits[std::size_t(i)];
        } else {
            d.digits.insert(0, 1, '1');
            ++d.exponent;
        }
    }
    Trim(d);
}

QString Special(double value)
{
    if (std::isnan(value)) return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString Scientific(const Decimal& d, QChar decimalPoint)
{
    QString s = d.negative ? QStringLiteral("-") : QString();
    s += QLatin1Char(d.digits[0]);
    if (d.digits.size() > 1) {
        s += decimalPoint;
        s += QLatin1String(d.digits.data() + 1, qsizetype(d.digits.size() - 1));
    }
    s += QLatin1Char('E');
    s += QString::number(d.exponent);
    return s;
}

// Digit at the power 10^power of the value, '0' outside the stored digits.
char DigitAt(const Decimal& d, int power)
{
    const int i = d.exponent - power;
    return i >= 0 && i < int(d.digits.size()) ? d.digits[std::size_t(i)] : '0';
}

// Fixed notation with at least minFraction decimals (trailing zeros beyond are dropped).
QString Fixed(const Decimal& d, int minFraction, QChar decimalPoint)
{
    QString s = d.negative ? QStringLiteral("-") : QString();
    for (int p = std::max(d.exponent, 0); p >= 0; --p) s += QLatin1Char(DigitAt(d, p));
    const int lowest = std::min(-minFraction, d.exponent - int(d.digits.size()) + 1);
    if (lowest < 0) {
        s += decimalPoint;
        for (int p = -1; p >= lowest; --p) s += QLatin1Char(DigitAt(d, p));
    }
    return s;
}

}  // namespace

QString FormatGeneral(double value, int significantDigits, QChar decimalPoint)
{
    if (!std::isfinite(value)) return Special(value);
    const int n = std::clamp(significantDigits, 1, 40);
    Decimal d = Exact(value);
    RoundHalfUp(d, n);
    if (d.digits.empty()) return QStringLiteral("0");
    if (d.exponent >= -4 && d.exponent <= n - 1) return Fixed(d, 0, decimalPoint);
    return Scientific(d, decimalPoint);
}

QString FormatClock(double seconds, QChar decimalPoint)
{
    if (!std::isfinite(seconds)) return Special(seconds);
    Decimal d = Exact(seconds);
    // Four significant digits, but never a place below the tenths.
    RoundHalfUp(d, std::min(4, d.exponent + 2));
    if (d.digits.empty()) d.negative = false;
    if (d.exponent <= 3) return Fixed(d, 1, decimalPoint);
    return Scientific(d, decimalPoint);
}

}  // namespace dp
