#pragma once
#include <QString>

// The compact ephemeris behind the phase report.
double julianDay(int year, int month, int day, double hour);
double moonLongitude(double T);    // T: Julian centuries from J2000.0
double sunLongitude(double d);     // d: days from J2000.0
// Elongation of the Moon from the Sun in degrees, 0 <= E < 360; the hour is
// the local hour (one hour ahead of universal time).
double elongation(int year, int month, int day, double hour);
double illuminatedPercent(double phaseAngle);

// The date and hour of the date panel.
struct DateFields {
    int year = 0, month = 0, day = 0, hour = 0;
};
bool isLeapYear(int year);
// One normalisation step after one field changed (hour 24, day 0, day past the
// month's end); the write-back of the date panel takes further steps.
void newtime(DateFields& d);

// "zondag" .. "zaterdag", index 1 = Sunday.
QString dayName(int weekdayFromSunday);

// The days-before/after text for a phase angle; empty at exactly 0, 90, 180, 270
// (the label then keeps its text).
QString phaseDaysText(double phaseAngle);
QString phaseAngleText(double phaseAngle);
