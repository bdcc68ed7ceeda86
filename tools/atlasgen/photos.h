#pragma once
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "tools/atlasgen/gazetteer.h"

struct Surface;

// One photographed feature of the photo table (tools/atlas-photos.txt).
struct PhotoEntry {
    QString iauName;     // as in the gazetteer
    QString name;        // the stored name without the no-break spaces
    QString origin;      // whom or what the name commemorates, in Dutch
    QString lookFor;     // what to look for
    QString morning;     // what the photograph in the morning sun shows
    QString evening;     // what the photograph in the evening sun shows
};

// Reads the table; entries start with "= <IAU name>" and carry the lines
// "naam:", "kijk:", "ochtend:" and "avond:"; an indented line continues the one
// before. Returns an empty list with `error` set on a fault.
QList<PhotoEntry> readPhotoTable(const QString& file, QString* error);

// Photographs and explanations of every entry. The explanations may name only
// features that some view's index holds (`indexed`, plain names), unless the
// name is followed by "(niet in de index)".
bool makePhotographs(const Surface& s, const QList<PhotoEntry>& table, const QList<GazetteerEntry>& gazetteer,
                     const QSet<QString>& indexed, const QString& outDir, QStringList* report, QString* error);

// The gazetteer names in `text` (whole words, the longest name where names
// overlap) that the user cannot find in an index and that the text does not
// call unmarked.
QStringList namesNotInIndex(const QString& text, const QStringList& gazetteerNames, const QSet<QString>& indexed);

// Dutch text of a position: "43,3° zuiderbreedte, 11,2° westerlengte".
QString dutchPosition(double latitude, double longitude);
