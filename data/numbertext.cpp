#include "data/numbertext.h"

#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int toPixel(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v);
    if (r > PixelLimit)
        return PixelLimit;
    if (r < -PixelLimit)
        return -PixelLimit;
    return int(r);
}

QChar decimalSymbol()
{
    return QLocale().decimalPoint().at(0);
}

QString numberText(double value, int precision, int decimals)
{
    return numberText(value, precision, decimals, decimalSymbol());
}

namespace {
// Decimal digits of |value| rounded half away from zero to `keep` significant
// digits; `exp10` is the decimal exponent of the first digit (may grow by one).
std::string roundedDigits(double magnitude, int keep, int* exp10)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.20e", magnitude);
    std::string digits;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits.push_back(*p);
    *exp10 = std::atoi(p + 1);
    if (keep <= 0) {
        // Rounds to zero, or up to one unit of the first kept position.
        const bool up = keep == 0 && digits[0] >= '5';
        *exp10 += 1 - keep;
        return up ? std::string("1") : std::string();
    }
    if (int(digits.size()) <= keep)
        return digits;
    const bool up = digits[std::size_t(keep)] >= '5';
    digits.resize(std::size_t(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && digits[std::size_t(i)] == '9')
            digits[std::size_t(i--)] = '0';
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++*exp10;
        } else {
            ++digits[std::size_t(i)];
        }
    }
    return digits;
}
}

QString numberText(double value, int precision, int decimals, QChar decimalSymbol)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    QString out;
    if (magnitude != 0.0) {
        int exp10 = 0;
        char probe[64];
        std::snprintf(probe, sizeof probe, "%.20e", magnitude);
        exp10 = std::atoi(std::strchr(probe, 'e') + 1);
        if (exp10 + 1 > precision) {
            // Exponent form: mantissa with up to `precision` significant digits.
            std::string digits = roundedDigits(magnitude, precision, &exp10);
            while (digits.size() > 1 && digits.back() == '0')
                digits.pop_back();
            out = QString::fromLatin1(digits.substr(0, 1).c_str());
            if (digits.size() > 1)
                out += decimalSymbol + QString::fromLatin1(digits.substr(1).c_str());
            out += QLatin1Char('E') + QString::number(exp10);
            return negative ? QLatin1Char('-') + out : out;
        }
        // Keep whichever is fewer: `precision` significant digits or `decimals` decimals.
        const int keep = std::min(precision, exp10 + 1 + decimals);
        std::string digits = roundedDigits(magnitude, keep, &exp10);
        if (digits.empty()) {
            out.clear();
        } else {
            // Place the digits around the decimal point.
            std::string intPart, fracPart;
            if (exp10 >= 0) {
                intPart = digits.substr(0, std::min<std::size_t>(digits.size(), std::size_t(exp10 + 1)));
                while (int(intPart.size()) < exp10 + 1)
                    intPart.push_back('0');
                if (int(digits.size()) > exp10 + 1)
                    fracPart = digits.substr(std::size_t(exp10 + 1));
            } else {
                intPart = "0";
                fracPart = std::string(std::size_t(-exp10 - 1), '0') + digits;
            }
            if (int(intPart.size()) > precision) {
                // Rounding carried into a new integer digit: exponent form.
                return numberText(negative ? -std::pow(10.0, exp10) : std::pow(10.0, exp10), precision, decimals, decimalSymbol);
            }
            while (int(fracPart.size()) < decimals)
                fracPart.push_back('0');
            fracPart.resize(std::size_t(decimals));
            out = QString::fromLatin1(intPart.c_str());
            if (decimals > 0)
                out += decimalSymbol + QString::fromLatin1(fracPart.c_str());
            const bool allZero = digits.find_first_not_of('0') == std::string::npos;
            if (negative && !allZero)
                out.prepend(QLatin1Char('-'));
            return out;
        }
    }
    out = QStringLiteral("0");
    if (decimals > 0)
        out += decimalSymbol + QString(decimals, QLatin1Char('0'));
    return out;
}

QString distanceText(double km, int precision)
{
    if (!(km > 0 && km < 1))
        return numberText(km, precision, 0);
    // Below one kilometre a whole number would read 0 or 1: three significant
    // digits, without trailing zeros.
    int exp10 = 0;
    std::string digits = roundedDigits(km, 3, &exp10);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    if (exp10 >= 0)
        return QStringLiteral("1");
    const QChar symbol = decimalSymbol();
    if (exp10 < -6) {
        QString out = QString::fromLatin1(digits.substr(0, 1).c_str());
        if (digits.size() > 1)
            out += symbol + QString::fromLatin1(digits.substr(1).c_str());
        return out + QLatin1Char('E') + QString::number(exp10);
    }
    return QLatin1Char('0') + symbol + QString(-exp10 - 1, QLatin1Char('0')) + QString::fromLatin1(digits.c_str());
}
