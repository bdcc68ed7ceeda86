#pragma once
#include <QList>
#include <QString>

// One named lunar feature of the IAU/USGS gazetteer.
struct GazetteerEntry {
    QString iauName;      // as the gazetteer writes it (UTF-8 source)
    QString typeCode;     // two letters: AA crater, ME mare, RI rima, ...
    double latitude = 0;  // degrees north
    double longitude = 0; // degrees east, -180 < lon <= 180
    double diameterKm = 0;
    QString origin;       // the comment line above the entry, in English
};

// Reads the Moon's entries from the gazetteer text (already unpacked).
// Malformed lines are skipped; `error` is set when the file cannot be read.
QList<GazetteerEntry> readGazetteer(const QString& file, QString* error);

// The name as the program stores it: Windows-1252, parenthesised alternative
// spellings dropped, letters outside the code page reduced to their base
// letter. Crater names keep their words together with no-break spaces so that
// the program reads them as one word.
QString atlasName(const QString& iauName, bool crater);
// Windows-1252 letters only, no-break spaces turned back into blanks: for
// titles and texts.
QString plainName(const QString& atlasName);

// Kinds the index may hold besides craters and landing sites, by gazetteer
// code: the large areas, relief, rilles, wrinkle ridges and albedo features.
bool isRequiredKind(const QString& typeCode);
