#include "astro/calendar.h"

#include "data/numbertext.h"

#include <cmath>

namespace {
const int kShiftedMonth[13] = {0, 13, 14, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

double reduceDegrees(double v)
{
    const double q = v / 360.0;
    return 360.0 * (q - std::trunc(q));   // keeps the sign of v
}
}

double julianDay(int year, int month, int day, double hour)
{
    int Y = year;
    const int M = kShiftedMonth[std::clamp(month, 1, 12)];
    if (M > 12)
        Y = Y - 1;
    const double A = std::trunc(Y * 0.01);
    double B = 2 - A + std::trunc(A * 0.25);
    if (year + month * 0.01 + day * 0.0001 < 1582.1005)
        B = 0;
    const double C = std::trunc(365.25 * Y) + B;
    const double JD0 = C + std::trunc(30.6001 * (M + 1)) + day + 1720995;
    return JD0 + (hour - 1) / 24.0 - 0.5;
}

double moonLongitude(double T)
{
    double L = 218.32 + 481267.883 * T;
    L += 6.29 * std::sin(2.35444917174 + 8328.69115743351 * T);
    L -= 1.27 * std::sin(4.52389344192 - 7214.063329072188 * T);
    L += 0.66 * std::sin(4.11374106582 + 15542.754486505698 * T);
    L += 0.21 * std::sin(4.71064367274 + 16657.38231486702 * T);
    L -= 0.19 * std::sin(6.2395521045 + 628.30195297203 * T);
    L -= 0.11 * std::sin(3.25678439916 + 16866.93265447503 * T);
    return reduceDegrees(L);
}

double sunLongitude(double d)
{
    const double L = 280.46 + 0.9856474 * d;
    const double g = (357.528 + 0.9856003 * d) * 0.0174532926;
    return reduceDegrees(L + 1.915 * std::sin(g) + 0.02 * std::sin(2 * g));
}

double elongation(int year, int month, int day, double hour)
{
    const double d = julianDay(year, month, day, hour) - 2451545;
    const double T = d * 2.7378507871321012e-05;
    double E = moonLongitude(T) - sunLongitude(d);
    while (E < 0)
        E += 360;
    return E;
}

double illuminatedPercent(double phaseAngle)
{
    return 50.0 - 50.0 * std::cos(phaseAngle * 0.017453292519943295);
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

void newtime(DateFields& d)
{
    if (d.hour == 24) {
        d.hour = 0;
        d.day += 1;
    }
    if (d.day == 0) {
        d.month -= 1;
        switch (d.month) {
        case 2:
            d.day += isLeapYear(d.year) ? 29 : 28;
            break;
        case 0: case 1: case 3: case 5: case 7: case 8: case 10:
            d.day += 31;
            if (d.month == 0) {
                d.month = 12;
                d.year -= 1;
            }
            break;
        case 4: case 6: case 9: case 11:
            d.day += 30;
            break;
        default:
            break;
        }
    } else if (d.day > 28) {
        switch (d.month) {
        case 2:
            if (!isLeapYear(d.year) && d.day > 28) {
                d.day -= 28;
                d.month = 3;
            } else if (isLeapYear(d.year) && d.day > 29) {
                d.day -= 29;
                d.month = 3;
            }
            break;
        case 1: case 3: case 5: case 7: case 8: case 10: case 12:
            if (d.day > 31) {
                d.day -= 31;
                d.month += 1;
                if (d.month > 12) {
                    d.month = 1;
                    d.year += 1;
                }
            }
            break;
        case 4: case 6: case 9: case 11:
            if (d.day > 30) {
                d.day -= 30;
                d.month += 1;
            }
            break;
        default:
            break;
        }
    }
}

QString dayName(int weekdayFromSunday)
{
    static const char* const names[7] = {"zondag", "maandag", "dinsdag", "woensdag", "donderdag", "vrijdag", "zaterdag"};
    return QString::fromLatin1(names[std::clamp(weekdayFromSunday, 1, 7) - 1]);
}

QString phaseDaysText(double E)
{
    const double perDay = 12.91;
    if (E > 0 && E < 90)
        return numberText(E / perDay, 3, 1) + QStringLiteral(" dagen na nieuwe maan");
    if (E > 90 && E < 180)
        return numberText((180 - E) / perDay, 3, 1) + QStringLiteral(" dagen voor volle maan");
    if (E > 180 && E < 270)
        return numberText((E - 180) / perDay, 3, 1) + QStringLiteral(" dagen na volle maan");
    if (E > 270 && E < 360)
        return numberText((360 - E) / perDay, 3, 1) + QStringLiteral(" dagen voor nieuwe maan");
    return QString();
}

QString phaseAngleText(double E)
{
    return QStringLiteral("Fasehoek ") + numberText(E, 3, 1) + QChar(0xB0);
}
