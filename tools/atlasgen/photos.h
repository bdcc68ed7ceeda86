#pragma once
#include <QList>
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
    QString lowSun;      // what a low sun shows (both extra photographs)
    QString morning;     // what the morning sun shows, when it differs
    QString evening;
};

// Reads the table; entries start with "= <IAU name>" and carry the lines
// "naam:", "kijk:", and "laag:" or "ochtend:" and "avond:"; an indented line
// continues the one before. Returns an empty list with `error` set on a fault.
QList<PhotoEntry> readPhotoTable(const QString& file, QString* error);

// Photographs and explanations of every entry.
bool makePhotographs(const Surface& s, const QList<PhotoEntry>& table, const QList<GazetteerEntry>& gazetteer,
                     const QString& outDir, QStringList* report, QString* error);

// Dutch text of a position: "43,3° zuiderbreedte, 11,2° westerlengte".
QString dutchPosition(double latitude, double longitude);
