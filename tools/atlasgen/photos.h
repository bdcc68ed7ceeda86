#pragma once
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "tools/atlasgen/gazetteer.h"
#include "tools/atlasgen/render.h"

struct Surface;

// The sun of an extra photograph: by default a low sun that suits the frame;
// or a given elevation above the feature; or a given colongitude, for sights
// that belong to one moment of the lunar day.
struct SunSetting {
    enum class Kind { Default, Elevation, Colongitude };
    Kind kind = Kind::Default;
    double degrees = 0;
};

// One photographed feature of the photo table (tools/atlas-photos.txt).
struct PhotoEntry {
    QString iauName;     // as in the gazetteer
    QString name;        // the stored name without the no-break spaces
    QString origin;      // whom or what the name commemorates, in Dutch
    QString lookFor;     // what to look for
    QString morning;     // what the photograph in the morning sun shows
    QString evening;     // what the photograph in the evening sun shows
    QString instruments; // what binoculars and small telescopes show, where the generator cannot say it
    QString morningInstruments;   // the same for one extra photograph's moment, where it differs
    QString eveningInstruments;
    SunSetting morningSun;
    SunSetting eveningSun;
};

// Reads the table; entries start with "= <IAU name>" and carry the lines
// "naam:", "kijk:", "ochtend:" and "avond:", and may carry "kijker:" (or
// "ochtendkijker:" and "avondkijker:" for one photograph's moment),
// "ochtendzon:" and "avondzon:" ("4" for a sun 4 degrees high over the feature,
// "colongitude 358.5"); an indented line continues the one before. Returns an
// empty list with `error` set on a fault.
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
// The gazetteer names in `text` that an index holds but that the text calls
// unmarked: a reader told to give up searching for what is there.
QStringList indexedNamesCalledUnmarked(const QString& text, const QStringList& gazetteerNames,
                                       const QSet<QString>& indexed);

// Dutch text of a position: "43,3° zuiderbreedte, 11,2° westerlengte".
QString dutchPosition(double latitude, double longitude);

// The subsolar point of a sun setting for a feature at (latitude, longitude);
// a default setting takes `defaultElevation`. The subsolar point stays on the
// equator.
Sun sunFor(const SunSetting& setting, double latitude, double longitude, double defaultElevation, bool morning);

// The sun's selenographic colongitude (0 at first quarter, 90 at full moon,
// 180 at last quarter) and the Moon's age in days after new moon that go with
// a subsolar point, on an average lunation.
double colongitude(const Sun& sun);
double moonAgeDays(const Sun& sun);

// When an extra photograph's sun is seen from the Earth, with what binoculars
// and small telescopes show of the feature: one Dutch sentence.
QString whenToLook(const GazetteerEntry& feature, const QString& title, const Sun& sun, const QString& instruments);
