#pragma once
#include <QSet>
#include <QString>
#include <QStringList>

// The classic names that a user of a Moon atlas looks for first, by their
// gazetteer spelling. They rank above their size in a view's index and are
// kept even where they are smaller than a marker's worth of pixels.
const QStringList& wellKnownNames();
bool isWellKnown(const QString& iauName);

// Bright-rayed and bright-floored craters: in the full-moon index whatever
// their size rank. They count as well known too.
const QStringList& fullMoonSightNames();
bool isFullMoonSight(const QString& iauName);
