#pragma once
#include <QSet>
#include <QString>
#include <QStringList>

// The classic names that a user of a Moon atlas looks for first, by their
// gazetteer spelling. They rank above their size in a view's index and are
// kept even where they are smaller than a marker's worth of pixels.
const QStringList& wellKnownNames();
bool isWellKnown(const QString& iauName);
